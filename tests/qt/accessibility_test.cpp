// What assistive tools read of the real windows: roles, spoken names, the
// court and its pieces, the events a game tells and where the focus is.
#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "platform/qt/court_for_readers.h"
#include "platform/qt/reader_notice.h"
#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

QString Spoken(QObject* object, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QStringLiteral("(no interface)");
}

class AccessibilityTest : public RealWindowTest {
protected:
    CourtForReaders* court() { return view->courtForReaders(); }
    QAccessibleInterface* CourtFace() { return QAccessible::queryAccessibleInterface(court()); }
    QStringList Pieces() {
        QStringList names;
        QAccessibleInterface* face = CourtFace();
        for (int i = 0; i < face->childCount(); ++i)
            names << face->child(i)->text(QAccessible::Name);
        return names;
    }
};

// The score reads with its caption and follows every change (Qt alone stops
// following text changes once a label has its own name); a new caption
// renames the score under it. The events are checked over AT-SPI
// (tests/a11y): the offscreen screen has no accessibility to send them to.
TEST_F(AccessibilityTest, ScoreNamesJoinCaptionAndNumberAndFollowEveryChange) {
    QWidget* score = WidgetOf(play().lblPlayer1Score);
    EXPECT_EQ(Spoken(score), "Number of hits: 0");
    play().lblPlayer1Score.Caption = " 3";
    EXPECT_EQ(Spoken(score), "Number of hits: 3");
    play().lblPlayer1Score.Caption = " 4";
    EXPECT_EQ(Spoken(score), "Number of hits: 4");

    Action("Play against &Computer")->trigger();
    EXPECT_EQ(Spoken(WidgetOf(play().lblPlayer2Score)), "Player Score: 0");
    EXPECT_EQ(Spoken(score), QString::fromStdString(play().lblPlayer1ScoreLabel.Caption) + ": 0");
    EXPECT_EQ(static_cast<QLabel*>(score)->text(), " 0") << "the caption drawn stays as it is";
}

TEST_F(AccessibilityTest, WindowsReadAsAFrameAndADialogWithANamedTextBox) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(view)->role(), QAccessible::Window);
    Action("Play game to...")->trigger();
    WindowView* dialog = platform.ViewOf(program.LengthDialog()->form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog)->role(), QAccessible::Dialog);
    QWidget* box = dialog->WidgetFor(program.LengthDialog()->txtPlayTo);
    EXPECT_EQ(Spoken(box), "Play a game to");
    EXPECT_EQ(static_cast<QLabel*>(dialog->WidgetFor(program.LengthDialog()->Label1))->buddy(),
              box);
}

TEST_F(AccessibilityTest, EscapeInTheDialogCancelsIt) {
    Action("Play game to...")->trigger();
    WindowView* dialog = platform.ViewOf(program.LengthDialog()->form);
    auto* box = static_cast<QLineEdit*>(dialog->WidgetFor(program.LengthDialog()->txtPlayTo));
    box->setFocus();
    box->setText("9");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(program.playTo, Int16(3));
}

// The pieces on show are the court's children, each with its box on the
// screen inside the court; the court is named and can take the focus.
TEST_F(AccessibilityTest, CourtHoldsTheVisiblePiecesWithTheirScreenBoxes) {
    ASSERT_NE(court(), nullptr);
    QAccessibleInterface* face = CourtFace();
    EXPECT_EQ(face->text(QAccessible::Name), "Court");
    EXPECT_TRUE(face->state().focusable);
    EXPECT_EQ(Pieces(), (QStringList{"Paddle"}));
    EXPECT_EQ(face->text(QAccessible::Description), "No ball in play.");

    play().shpBall.Visible = true;
    EXPECT_EQ(Pieces(), (QStringList{"Paddle", "Ball"}));
    const QRect ball = face->child(1)->rect();
    EXPECT_EQ(ball, QRect(court()->parentWidget()->mapToGlobal(PixelRect(play().shpBall).topLeft()),
                          PixelRect(play().shpBall).size()));
    EXPECT_TRUE(face->rect().contains(face->child(0)->rect()));
    EXPECT_EQ(face->childAt(ball.center().x(), ball.center().y()), face->child(1));
    EXPECT_EQ(face->indexOfChild(face->child(1)), 1);
    EXPECT_EQ(face->child(1)->parent(), face);

    Action("Play with &Two People")->trigger();
    EXPECT_EQ(Pieces(), (QStringList{"Left paddle", "Right paddle", "Ball"}));
    EXPECT_TRUE(face->rect().contains(face->child(1)->rect())) << "the court follows the walls";
}

// Where the ball is, where it heads and how far from the nearest paddle,
// worked out when a reader asks: right after a move, with no waiting.
TEST_F(AccessibilityTest, CourtDescriptionIsTheBallAtTheMomentOfAsking) {
    Action("Play with &Two People")->trigger();
    play().shpBall.Left = 600;
    play().shpBall.Top = 3000;
    play().shpBall.Visible = true;
    EXPECT_EQ(Spoken(court(), QAccessible::Description),
              "Ball in the lower left, heading left and down, level with the left paddle.");
    play().shpBall.Left = play().shpBall.Left + 100;
    play().shpBall.Top = play().shpBall.Top - 10;
    EXPECT_EQ(Spoken(court(), QAccessible::Description),
              "Ball in the lower left, heading right and up, level with the left paddle.");
    play().shpBall.Visible = false;
    EXPECT_EQ(Spoken(court(), QAccessible::Description), "No ball in play.");
}

// The news is a notification shown once for each change, named by its words,
// after the game's writes; the winner's box comes after the point it ends.
TEST_F(AccessibilityTest, NewsIsToldByShowingTheNotice) {
    auto* notice = view->findChild<NoticeWidget*>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->parent()->role(),
              QAccessible::StatusBar);
    program.Click(play().cmdNewGame);
    play().Label1.Caption = "Ball  2";
    EXPECT_FALSE(notice->isVisible()) << "told only once the writes are done";
    QCoreApplication::processEvents();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(Spoken(notice), "Ball lost. Ball 2.");
}

// Menu items read the shared words, an item that opens a submenu says so,
// and Escape out of the last menu gives the focus back to where it was.
TEST_F(AccessibilityTest, MenusReadInWordsAndEscapeLeavesThem) {
    const auto face = [this](const QString& caption) {
        return QAccessible::queryAccessibleInterface(Action(caption));
    };
    EXPECT_EQ(face("Play game to...")->text(QAccessible::Name), "Play game to");
    EXPECT_EQ(face("&Ball Speed")->text(QAccessible::Name), "Ball Speed");
    EXPECT_EQ(face("&Ball Speed")->text(QAccessible::Description), "submenu");
    EXPECT_EQ(face("&Ball Speed")->child(0)->object(), Action("&Ball Speed")->menu());
    EXPECT_EQ(face("&Slow")->text(QAccessible::Description), "");
    EXPECT_TRUE(face("&Slow")->state().checked);
    EXPECT_EQ(face("&Slow")->parent()->indexOfChild(face("&Slow")), 2);

    QWidget* playButton = WidgetOf(play().cmdNewGame);
    QTest::keyClick(view, Qt::Key_O, Qt::AltModifier);
    QMenu* options = Action("&Options")->menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return options->isVisible(); }));
    QTest::keyClick(options, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->focusWidget() == playButton; }))
        << "the focus is on a " << view->focusWidget()->metaObject()->className();
    EXPECT_EQ(view->menus()->activeAction(), nullptr);
}

// A sleep answers only a screen reader's calls: a queued call, a key or a
// paint waiting meanwhile is handled at the next processing of events.
TEST_F(AccessibilityTest, SleepHandlesNothingOfTheGame) {
    bool queuedRan = false;
    QMetaObject::invokeMethod(
        view, [&] { queuedRan = true; }, Qt::QueuedConnection);
    QCoreApplication::postEvent(view->focusWidget(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Left, {}));
    const int stepBefore = play().paddleStepX.value();
    platform.Sleep(30);
    EXPECT_FALSE(queuedRan);
    EXPECT_EQ(play().paddleStepX.value(), stepBefore) << "a key was handled in the sleep";
    platform.DoEvents();
    EXPECT_TRUE(queuedRan);
    EXPECT_NE(play().paddleStepX.value(), stepBefore) << "the key is handled afterwards";
}

// While a game runs the court has the focus, not a hidden button; Play
// takes it back at the end.
TEST_F(AccessibilityTest, FocusIsOnTheCourtDuringAGameAndBackOnPlayAfter) {
    QWidget* playButton = WidgetOf(play().cmdNewGame);
    EXPECT_EQ(view->focusWidget(), playButton);
    program.Click(play().cmdNewGame);  // returns after the serve pause
    QCoreApplication::processEvents();
    EXPECT_EQ(view->focusWidget(), court());
    play().EndGame();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->focusWidget(), playButton);
    EXPECT_EQ(Spoken(WidgetOf(play().Label2)), "Game Over!");
}

}  // namespace
}  // namespace rallo::qt::testing
