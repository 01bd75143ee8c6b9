// The game-length dialog and the message box on the real widgets.
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "real_window_fixture.h"

namespace rallo::qt::testing {
namespace {

// While it lives, answers every modal message box with OK, noting the last.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            ++shown;
            box->accept();
        });
        timer_.start(0);
    }

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int shown = 0;

private:
    QTimer timer_;
};

class LengthDialogTest : public RealWindowTest {
protected:
    void Open() {
        Action("Play game to...")->trigger();
        dialog = platform.ViewOf(program.LengthDialog()->form);
        ASSERT_NE(dialog, nullptr);
        edit = qobject_cast<QLineEdit*>(dialog->WidgetFor(program.LengthDialog()->txtPlayTo));
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    WindowView* dialog = nullptr;
    QLineEdit* edit = nullptr;
};

TEST_F(LengthDialogTest, TypedTextIsTheModelsAndEnterSetsTheLength) {
    Open();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(view->isVisible()) << "the play window is hidden meanwhile";
    EXPECT_EQ(dialog->windowTitle(), "How long do you want to play?");
    EXPECT_EQ(dialog->menus(), nullptr);
    EXPECT_EQ(edit->text(), "3");
    EXPECT_EQ(dialog->focusWidget(), edit) << "first in the focus order";

    // Letters that steer paddles in the play window are text here, and
    // they type over the text the dialog opened with.
    QTest::keyClicks(edit, "Pasz");
    EXPECT_EQ(edit->text(), "Pasz");
    EXPECT_EQ(program.LengthDialog()->txtPlayTo.Text.get(), "Pasz");
    program.LengthDialog()->txtPlayTo.Text = "12";
    EXPECT_EQ(edit->text(), "12");

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(program.playTo, Int16(12));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(view->isVisible());

    Open();  // shown again, as it was left, its text to be typed over again
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(edit->selectedText(), "12");
    // Closed from its title bar: the game's cancel brings the play window back.
    QTest::keyClicks(edit, "9");
    EXPECT_EQ(edit->text(), "9");
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(program.playTo, Int16(12));
    EXPECT_EQ(platform.ViewOf(program.LengthDialog()->form), dialog) << "hidden, not destroyed";
}

TEST_F(LengthDialogTest, BadEntryIsReportedInTheGamesMessageBox) {
    Open();
    edit->selectAll();
    QTest::keyClicks(edit, "abc");
    BoxAnswerer boxes;
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(boxes.shown, 1) << "Enter is handled once";
    EXPECT_EQ(boxes.title, "Rallo2");
    EXPECT_EQ(boxes.text, "Please enter a number!");
    EXPECT_EQ(boxes.icon, QMessageBox::Information);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(program.playTo, Int16(3));
    // On the button, Enter passes the button by and reaches the window once.
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dialog->WidgetFor(program.LengthDialog()->cmdGo));
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(boxes.shown, 2);

    platform.MsgBox("First line\r\nSecond line", MsgIcon::Critical);
    EXPECT_EQ(boxes.shown, 3);
    EXPECT_EQ(boxes.text, "First line\nSecond line");
    EXPECT_EQ(boxes.icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace rallo::qt::testing
