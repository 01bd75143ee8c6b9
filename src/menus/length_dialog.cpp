// The game-length dialog.
#include "menus/length_dialog.h"

#include <cstdint>

#include "app/play_window.h"
#include "app/program.h"
#include "menus/number_text.h"
#include "platform/keys.h"
#include "platform/numbers.h"

namespace rallo {

frmLengthOfGame::frmLengthOfGame(Program& program, Platform& platform)
    : program_(program), platform_(platform) {
    form.controls = {&Label1, &txtPlayTo, &cmdGo};
    cmdGo.Click = [this] { cmdGo_Click(); };
}

void frmLengthOfGame::Form_Load() {
    const std::int32_t left = round32(platform_.ScreenWidth() - form.Width) / 2;
    const std::int32_t top = round32(platform_.ScreenHeight() - form.Height) / 2;
    form.Move(static_cast<float>(left), static_cast<float>(top));
}

// Enter presses the dialog's default button; Escape cancels the dialog as
// a close from its title bar does.
void frmLengthOfGame::Form_KeyDown(int KeyCode) {
    if (KeyCode == keys::kEnter && cmdGo.Visible) cmdGo_Click();
    if (KeyCode == keys::kEscape) Form_Close();
}

// Closing the dialog from its title bar cancels it: playTo stays as it was.
void frmLengthOfGame::Form_Close() {
    BackToPlayWindow();
}

void frmLengthOfGame::cmdGo_Click() {
    const std::optional<Int16> length = GameLength(txtPlayTo.Text.get(), platform_.Numbers());
    if (!length) {
        platform_.MsgBox("Please enter a number!", MsgIcon::Information);
        return;
    }
    program_.playTo = *length;
    BackToPlayWindow();
}

void frmLengthOfGame::BackToPlayWindow() {
    form.Visible = false;
    program_.PlayWindow()->form.Visible = true;
}

}  // namespace rallo
