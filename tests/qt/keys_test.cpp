// Real key events on the play window reach the game's step variables, with
// Play or Exit holding the focus, and auto-repeat does not stop a paddle.
#include <QKeyEvent>
#include <QWindow>

#include "eventually.h"
#include "platform/qt/frame_clock.h"
#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

class KeysTest : public RealWindowTest {
protected:
    void SetUp() override {
        RealWindowTest::SetUp();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        play_ = WidgetOf(play().cmdNewGame);
        exit_ = WidgetOf(play().cmdExit);
    }
    // Through the window, as the window system delivers keys.
    void Press(Qt::Key key) { QTest::keyPress(view->windowHandle(), key); }
    void Release(Qt::Key key) { QTest::keyRelease(view->windowHandle(), key); }
    void SendToFocus(QEvent::Type type, Qt::Key key, bool autoRepeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }

    QWidget* play_ = nullptr;
    QWidget* exit_ = nullptr;
};

TEST_F(KeysTest, GameKeysReachTheGameAndNeverMoveTheFocus) {
    ASSERT_EQ(QApplication::focusWidget(), play_) << "Play is first in the focus order";
    Press(Qt::Key_Left);
    EXPECT_EQ(play().paddleStepX, Int16(-200));
    EXPECT_EQ(QApplication::focusWidget(), play_);
    Release(Qt::Key_Left);
    EXPECT_EQ(play().paddleStepX, Int16(0));

    Press(Qt::Key_A);
    EXPECT_EQ(play().leftPaddleStepY, Int16(-200));
    EXPECT_EQ(QApplication::focusWidget(), play_);

    // Other keys still work the buttons: Tab moves on to Exit, where the
    // arrows are the game's again.
    QTest::keyClick(view->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), exit_);
    Press(Qt::Key_Up);
    EXPECT_EQ(play().rightPaddleStepY, Int16(-200));
    EXPECT_EQ(QApplication::focusWidget(), exit_);
}

TEST_F(KeysTest, EnterPressesTheFocusedButtonOnce) {
    ASSERT_EQ(QApplication::focusWidget(), play_);
    int clicks = 0;
    play().cmdNewGame.Click = [&] { ++clicks; };  // Play itself would wait two seconds
    QTest::keyClick(view->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(KeysTest, HeldKeyRepeatsWithoutStoppingThePaddle) {
    Press(Qt::Key_Left);
    // A held key repeats as release/press pairs marked auto-repeat.
    for (int i = 0; i < 3; ++i) {
        SendToFocus(QEvent::KeyRelease, Qt::Key_Left, true);
        EXPECT_EQ(play().paddleStepX, Int16(-200));
        SendToFocus(QEvent::KeyPress, Qt::Key_Left, true);
    }
    Release(Qt::Key_Left);
    EXPECT_EQ(play().paddleStepX, Int16(0));
}

TEST_F(KeysTest, PauseKeyRunsAndStopsTheFrames) {
    const FrameClock* clock = platform.ClockOf(play().tmrMain);
    ASSERT_NE(clock, nullptr);
    EXPECT_FALSE(clock->running());
    QTest::keyClick(view->windowHandle(), Qt::Key_P);  // pauses: nothing runs yet
    EXPECT_FALSE(clock->running());
    QTest::keyClick(view->windowHandle(), Qt::Key_P);  // resumes: frames start
    EXPECT_TRUE(clock->running());
    const float start = play().shpBall.Top;  // the start-up step falls 50 a frame
    ASSERT_EVENTUALLY(play().shpBall.Top != start);

    QTest::keyClick(view->windowHandle(), Qt::Key_Pause);
    EXPECT_FALSE(clock->running());
    EXPECT_FALSE(clock->armed());
    const float stopped = play().shpBall.Top;
    QTest::qWait(60);
    EXPECT_EQ(play().shpBall.Top, stopped);
}

}  // namespace
}  // namespace rallo::qt::testing
