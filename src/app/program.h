// The program: the two windows, the one program-wide variable, and the event
// boundary where toolkit events become handler calls.
#pragma once

#include <memory>

#include "platform/numbers.h"
#include "platform/platform.h"

namespace rallo {

class frmRallo;
class frmLengthOfGame;

class Program : public EventSink {
public:
    explicit Program(Platform& platform);
    ~Program() override;

    // Creates the play window, runs its start-up and shows it.
    void Start();

    frmRallo* PlayWindow() { return play_.get(); }
    frmLengthOfGame* LengthDialog() { return dialog_.get(); }
    // The dialog, created and loaded on first use.
    frmLengthOfGame& LoadLengthDialog();

    // Length of a game: balls in the one-player game, points in a match.
    Int16 playTo;

    void KeyDown(Window& window, int keyCode) override;
    void KeyUp(Window& window, int keyCode) override;
    void Click(Button& button) override;
    void Click(MenuItem& item) override;
    bool Tick(Timer& timer) override;
    void Close(Window& window) override;

private:
    template <typename Handler>
    void Run(Handler&& handler);

    Platform& platform_;
    std::unique_ptr<frmRallo> play_;
    std::unique_ptr<frmLengthOfGame> dialog_;
    bool inFrame_ = false;
};

}  // namespace rallo
