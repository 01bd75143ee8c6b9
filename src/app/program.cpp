#include "app/program.h"

#include "app/play_window.h"
#include "menus/length_dialog.h"

namespace rallo {

Program::Program(Platform& platform) : platform_(platform) {}

Program::~Program() = default;

void Program::Start() {
    play_ = std::make_unique<frmRallo>(*this, platform_);
    platform_.Attach(play_->form, *this);
    // An Overflow stops the start-up where it stands; it is reported once
    // and the window is shown as far as it got.
    Run([this] { play_->Form_Load(); });
    play_->form.Visible = true;
}

frmLengthOfGame& Program::LoadLengthDialog() {
    if (!dialog_) {
        dialog_ = std::make_unique<frmLengthOfGame>(*this, platform_);
        platform_.Attach(dialog_->form, *this);
        // As with the play window's start-up, an Overflow while loading is
        // reported and the dialog is shown as far as its load got: the
        // program is never left without a window.
        Run([this] { dialog_->Form_Load(); });
    }
    return *dialog_;
}

// Every handler runs through here: a checked 16-bit operation that overflows
// stops its handler and is reported, and the game in progress ends.
template <typename Handler>
void Program::Run(Handler&& handler) {
    try {
        handler();
    } catch (const Overflow&) {
        play_->ReportOverflow();
    }
}

void Program::KeyDown(Window& window, int keyCode) {
    if (&window == &play_->form) {
        Run([&] { play_->Form_KeyDown(keyCode); });
    } else if (dialog_ && &window == &dialog_->form) {
        Run([&] { dialog_->Form_KeyDown(keyCode); });
    }
}

void Program::KeyUp(Window& window, int keyCode) {
    if (&window == &play_->form) Run([&] { play_->Form_KeyUp(keyCode); });
}

void Program::Click(Button& button) {
    Run([&] { button.Click(); });
}

void Program::Click(MenuItem& item) {
    if (item.children.empty() && item.Reachable()) Run([&] { item.Click(); });
}

// No frame inside a frame: a tick that falls due while a frame waits or shows
// a message box is dropped, or the ball would move and score during the pause.
bool Program::Tick(Timer& timer) {
    if (inFrame_ || &timer != &play_->tmrMain) return false;
    inFrame_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inFrame_};
    Run([this] { play_->tmrMain_Timer(); });
    return true;
}

void Program::Close(Window& window) {
    if (&window == &play_->form) {
        platform_.End();
    } else if (dialog_ && &window == &dialog_->form) {
        Run([this] { dialog_->Form_Close(); });
    }
}

}  // namespace rallo
