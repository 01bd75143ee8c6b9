// The game's own title bar, as it takes over from one Qt would draw (what
// it offers, and a message box's, are read in the Wayland tests).
#include <QAbstractButton>

#include "platform/qt/title_bar.h"
#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

QSize ClientSize(const QWidget& window) {
    return window.findChild<ClientArea*>()->size();
}

TEST_F(RealWindowTest, OwnTitleBarIsCountedAsTheFrameOfEveryWindow) {
    const int clientHeight = ClientSize(*view).height();
    const float width = play().form.Width;
    platform.titleBars().TakeOver(*view);
    const auto* bar = view->findChild<TitleBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(view->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, view->width(), bar->height()));
    EXPECT_EQ(view->menus()->y(), bar->height()) << "the menu bar under the title bar";
    // The outer box is the game's width and holds the designed client area,
    // now with nothing at the sides.
    EXPECT_EQ(play().form.Width, width);
    EXPECT_EQ(ClientSize(*view), QSize(ToPixels(width), clientHeight));
    EXPECT_EQ(play().form.Height,
              float((bar->height() + view->menus()->height() + clientHeight) * 15));

    // A window made later has the game's bar from the start; its close
    // button cancels the dialog as the window system's did.
    Action("Play game to...")->trigger();
    WindowView* dialog = platform.ViewOf(program.LengthDialog()->form);
    const auto* dialogBar = dialog->findChild<TitleBar*>();
    ASSERT_NE(dialogBar, nullptr);
    const Window& form = program.LengthDialog()->form;
    EXPECT_EQ(ClientSize(*dialog), QSize(ToPixels(form.clientWidth), ToPixels(form.clientHeight)));
    dialogBar->closeButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(view->isVisible());

    bar->minimizeButton()->click();
    EXPECT_TRUE(view->isMinimized());
}

}  // namespace
}  // namespace rallo::qt::testing
