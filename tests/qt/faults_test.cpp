// What a player or a busy desktop may do to the real window at a bad moment:
// close it while a handler waits, stall the event loop, flood it with keys.
// Counts frames and states; no check here measures speed.
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <thread>

#include "eventually.h"
#include "platform/qt/frame_clock.h"
#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kLeft = Qt::Key_Left;
constexpr int kRight = Qt::Key_Right;

// Counts the key events the application delivers, before anyone handles them.
class KeyCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) ++delivered;
        return false;
    }
    int delivered = 0;
};

class FaultsTest : public RealWindowTest {
protected:
    void SetUp() override {
        RealWindowTest::SetUp();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    }
    // Play, as the player clicks it; returns once the serve pause is over.
    void StartGame() {
        program.Click(play().cmdNewGame);
        ASSERT_TRUE(platform.ClockOf(play().tmrMain)->running());
    }
    // Keeps the ball in play for as long as a test needs: it only crosses the
    // court from wall to wall.
    void BallAcrossOnly() {
        play().ballStepY = 0;
        play().ballStepX = 50;
    }
    QWidget* KeyTarget() { return view->focusWidget() ? view->focusWidget() : view; }
    void PostKey(QEvent::Type type, int key) {
        QCoreApplication::postEvent(KeyTarget(), new QKeyEvent(type, key, Qt::NoModifier));
    }
};

// The program ends inside the wait, with status 0: a Click that returned
// would fail the test.
TEST_F(FaultsTest, ClosedDuringTheServeWaitEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QTimer::singleShot(300, view, [this] { view->close(); });
            program.Click(play().cmdNewGame);
        },
        ::testing::ExitedWithCode(0), "");
}

// The window system holds back a close of a window under a modal box; a close
// that reaches the window anyway ends the program inside the box.
TEST_F(FaultsTest, ClosedDuringTheWinnersMessageEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            program.Click(play().mnuOptionsTwoPlayerPeople);
            StartGame();
            play().player1Score = 2;
            play().player2Score = 2;
            play().ballNumber = 3;
            play().ballStepX = -50;
            play().shpBall.Left = 50;  // lost on the left, above the paddle: 2 : 3
            play().shpBall.Top = 500;
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [this] {
                if (QApplication::activeModalWidget() != nullptr) view->close();
            });
            closer.start(10);
            QTest::qWait(20'000);  // ended long before, or the test fails
        },
        ::testing::ExitedWithCode(0), "");
}

// The event loop blocked for 32 frame periods: one late frame, then frames
// on schedule again, never the missed ones in a burst.
TEST_F(FaultsTest, AStalledEventLoopGivesOneLateFrameAndNoBurst) {
    QTest::keyClick(view->windowHandle(), Qt::Key_P);  // paused
    QTest::keyClick(view->windowHandle(), Qt::Key_P);  // frames run: the ball falls 50 a frame
    const FrameClock* clock = platform.ClockOf(play().tmrMain);
    ASSERT_TRUE(clock->running());
    const float start = play().shpBall.Top;
    ASSERT_EVENTUALLY(play().shpBall.Top >= start + 100);

    QCoreApplication::processEvents();
    const float before = play().shpBall.Top;
    std::this_thread::sleep_for(500ms);
    for (int pass = 0; pass < 5; ++pass)
        QCoreApplication::processEvents();
    const float frames = (play().shpBall.Top - before) / 50;
    EXPECT_GE(frames, 1) << "the late frame";
    EXPECT_LE(frames, 2) << "a late frame and at most one on schedule, not 32";
    const float after = play().shpBall.Top;
    ASSERT_EVENTUALLY(play().shpBall.Top >= after + 100);  // and the clock goes on
}

// 10,000 key events within a second of play, each one queued as the window
// system queues them: all handled by the end of that second, frames run
// between them, and the paddle stands still after the last key-up.
TEST_F(FaultsTest, AFloodOfKeysLeavesNoBacklogAndTheLastKeyUpStopsThePaddle) {
    StartGame();
    BallAcrossOnly();
    constexpr int kBatches = 100;
    constexpr int kPairsPerBatch = 50;  // 100 events a batch
    const float ballBefore = play().shpBall.Left;
    KeyCounter counter;
    qApp->installEventFilter(&counter);
    for (int batch = 0; batch < kBatches; ++batch) {
        for (int pair = 0; pair < kPairsPerBatch; ++pair) {
            const int key = (batch + pair) % 2 ? kLeft : kRight;
            PostKey(QEvent::KeyPress, key);
            PostKey(QEvent::KeyRelease, key);
        }
        const auto next = std::chrono::steady_clock::now() + 10ms;
        do {
            QCoreApplication::processEvents();
        } while (std::chrono::steady_clock::now() < next);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.delivered, 2 * kBatches * kPairsPerBatch) << "a backlog is left";
    EXPECT_NE(play().shpBall.Left, ballBefore) << "no frame ran during the flood";
    EXPECT_EQ(play().paddleStepX, Int16(0));
    qApp->removeEventFilter(&counter);

    const float paddle = play().shpPaddle.Left;
    const float ball = play().shpBall.Left;
    ASSERT_EVENTUALLY(play().shpBall.Left != ball);
    QTest::qWait(50);
    EXPECT_EQ(play().shpPaddle.Left, paddle);

    // A press held at the end still moves it: the flood lost no event.
    PostKey(QEvent::KeyPress, kLeft);
    QCoreApplication::processEvents();
    EXPECT_EQ(play().paddleStepX, Int16(-200));
    PostKey(QEvent::KeyRelease, kLeft);
    QCoreApplication::processEvents();
    EXPECT_EQ(play().paddleStepX, Int16(0));
}

}  // namespace
}  // namespace rallo::qt::testing
