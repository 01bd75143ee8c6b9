// The game's own title bar, as it takes over from one Qt would draw.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

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

    // So does a message box, which its close button answers as OK does.
    const TitleBar* boxBar = nullptr;
    int seen = 0;  // times the box was found showing
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        boxBar = box->findChild<TitleBar*>();
        if (boxBar == nullptr || ++seen > 1) {
            box->accept();  // no bar, or its close failed: end the wait all the same
        } else {
            boxBar->closeButton()->click();
        }
    });
    answerer.start(0);
    platform.MsgBox("Closed from its title bar", MsgIcon::Information);
    EXPECT_NE(boxBar, nullptr);
    EXPECT_EQ(seen, 1) << "closed by its close button";

    bar->minimizeButton()->click();
    EXPECT_TRUE(view->isMinimized());
}

TEST_F(RealWindowTest, OwnTitleBarOffersNoMaximize) {
    platform.titleBars().TakeOver(*view);
    QStringList offered;
    for (const auto* button : view->findChild<TitleBar*>()->findChildren<QAbstractButton*>())
        offered << button->accessibleName();
    EXPECT_EQ(offered, (QStringList{"Minimize", "Close"}));
}

}  // namespace
}  // namespace rallo::qt::testing
