// The play window as a player sees it: caption, menus, places and pixels.
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions)
        captions << action->text();
    return captions;
}

TEST_F(RealWindowTest, MenuBarShowsTheDesignedTreeWithItsInitialMarks) {
    EXPECT_EQ(view->windowTitle(), "Rallo");
    const QList<QAction*> top = view->menus()->actions();
    EXPECT_EQ(Captions(top), (QStringList{"&Options", "&Help"}));
    EXPECT_EQ(Captions(top[0]->menu()->actions()),
              (QStringList{"&One Player Game", "&Two Player Game", "Computer Skill", "&Ball Speed",
                           "&Paddle Size", "Sound", "Play game to..."}));
    EXPECT_EQ(Captions(Action("&Help")->menu()->actions()), (QStringList{"&Directions", "&About"}));

    QStringList checked;
    Walk(top, [&](QAction* action) {
        if (action->isChecked()) checked << action->text();
        // An exclusive group would draw radio bullets instead of check marks.
        EXPECT_EQ(action->actionGroup(), nullptr) << action->text().toStdString();
    });
    EXPECT_EQ(checked, (QStringList{"&One Player Game", "OK", "&Slow", "Large", "On"}));

    EXPECT_FALSE(Action("Computer Skill")->isEnabled());
    EXPECT_FALSE(Action("Great")->isEnabled()) << "under a greyed menu";
    EXPECT_TRUE(Action("&Fast")->isEnabled());
}

TEST_F(RealWindowTest, ChoosingAnItemLeavesTheMarksToTheGame) {
    Action("&Fast")->trigger();
    EXPECT_TRUE(Action("&Fast")->isChecked());
    EXPECT_FALSE(Action("&Slow")->isChecked());
    EXPECT_EQ(play().ballSpeed, Int16(150));
    // Choosing the checked item again must not take its own mark away.
    Action("&Fast")->trigger();
    EXPECT_TRUE(Action("&Fast")->isChecked());

    Action("Play against &Computer")->trigger();
    EXPECT_TRUE(Action("Play against &Computer")->isChecked());
    EXPECT_FALSE(Action("&One Player Game")->isChecked());
    EXPECT_TRUE(Action("Bad")->isEnabled());
    auto* label = static_cast<QLabel*>(WidgetOf(play().lblPlayer2ScoreLabel));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), "Player Score");
    // The wider court widens the window; the game has re-centred it.
    EXPECT_EQ(view->frameGeometry(),
              QRect(ToPixels(play().form.Left), ToPixels(play().form.Top),
                    ToPixels(play().form.Width), ToPixels(play().form.Height)));

    // A game disables the Options menu: nothing under it may run.
    play().mnuOptions.Enabled = false;
    EXPECT_FALSE(Action("&Options")->isEnabled());
    EXPECT_FALSE(Action("Bad")->isEnabled());
    Action("Bad")->trigger();
    EXPECT_EQ(play().computerSkill, Int16(150));
    EXPECT_TRUE(Action("OK")->isChecked());
}

TEST_F(RealWindowTest, WindowAndControlsSitWhereTheModelPutsThem) {
    const Window& form = play().form;
    const int menuHeight = view->menus()->height();
    const QMargins frame = view->windowHandle()->frameMargins();
    // Outer box = client area + menu bar + frame; the game chose the width.
    EXPECT_EQ(form.Width, 8760.0f);
    EXPECT_EQ(form.Height, float(516 + menuHeight + frame.top() + frame.bottom()) * 15);
    EXPECT_EQ(view->frameGeometry(),
              QRect(ToPixels(form.Left), ToPixels(form.Top), 584, ToPixels(form.Height)));
    EXPECT_EQ(view->findChild<ClientArea*>()->geometry(),
              QRect(0, menuHeight, 584 - frame.left() - frame.right(), 516));
    // Centred by the game on the 800 x 800 offscreen screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.Left, float((screen.width() * 15 - 8760) / 2));
    EXPECT_EQ(form.Top, float(std::lround(screen.height() * 15.0f - form.Height) / 2));

    EXPECT_EQ(play().cmdExit.Left, 7255.0f);
    EXPECT_EQ(play().cmdNewGame.Left, 5940.0f);
    EXPECT_EQ(play().shpPaddle.Left, 3885.0f);
    EXPECT_EQ(play().shpPaddle.Top, 5640.0f);
    for (const Control* control : form.controls) {
        if (QWidget* widget = WidgetOf(*control)) {
            EXPECT_EQ(widget->geometry(), PixelRect(*control)) << control->name;
            EXPECT_EQ(widget->isVisible(), bool(control->Visible)) << control->name;
        }
    }
    EXPECT_EQ(WidgetOf(play().cmdExit)->geometry(), QRect(484, 408, 81, 17));
    EXPECT_EQ(static_cast<QPushButton*>(WidgetOf(play().cmdNewGame))->text(), "&Play");

    auto* score = static_cast<QLabel*>(WidgetOf(play().lblPlayer1Score));
    EXPECT_EQ(score->text(), " 0");
    EXPECT_TRUE(score->font().bold());
    EXPECT_EQ(score->font().pointSize(), 18);
    EXPECT_EQ(score->frameShape(), QFrame::Box);
    EXPECT_EQ(static_cast<QLabel*>(WidgetOf(play().lblPlayer1ScoreLabel))->text(),
              "Number of hits");
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// What the screen shows of the client area once pending repaints are done,
// so a forgotten repaint shows as a stale picture.
QImage Shown(WindowView& view) {
    QCoreApplication::processEvents();
    const QRect client = view.findChild<ClientArea*>()->geometry();
    return QGuiApplication::primaryScreen()
        ->grabWindow(view.winId(), client.x(), client.y(), client.width(), client.height())
        .toImage();
}

TEST_F(RealWindowTest, CourtIsPaintedFromTheShapes) {
    const QColor blue(0, 0, 255), white(Qt::white), yellow(255, 255, 0), black(Qt::black);
    QImage court = Shown(*view);
    EXPECT_EQ(At(court, 0, 100), white) << "left wall";
    EXPECT_EQ(At(court, 1, 100), white);
    EXPECT_EQ(At(court, 100, 1), white) << "top wall";
    EXPECT_EQ(At(court, 577, 100), white) << "right wall";
    EXPECT_EQ(At(court, 100, 399), white) << "bottom wall";
    EXPECT_EQ(At(court, 100, 100), blue);
    EXPECT_EQ(At(court, 579, 100), blue) << "beyond the court";
    // The paddle at 3885, 5640 (259, 376 px), 60 x 13 px, outlined.
    EXPECT_EQ(At(court, 259, 376), black);
    EXPECT_EQ(At(court, 318, 388), black);
    EXPECT_EQ(At(court, 289, 382), white);
    EXPECT_EQ(At(court, 536 + 8, 24 + 8), blue) << "the ball is hidden at start";

    Shape& ball = play().shpBall;
    ball.Left = 3000.4f;  // fractions are rounded only when drawn
    ball.Top = 1500;
    ball.Visible = true;
    court = Shown(*view);
    EXPECT_EQ(At(court, 208, 108), yellow);
    EXPECT_EQ(At(court, 200, 108), black) << "outline";
    ball.Left = 4500;
    court = Shown(*view);
    EXPECT_EQ(At(court, 208, 108), blue);
    EXPECT_EQ(At(court, 308, 108), yellow);
}

}  // namespace
}  // namespace rallo::qt::testing
