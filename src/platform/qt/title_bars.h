// Who draws the title bars of the game's windows. Most window systems draw
// them. A Wayland compositor may ask each program to draw its own (as
// GNOME's does), and Qt's own bar then offers maximise on windows whose size
// is fixed; there the game draws its own bar (title_bar.h) instead.
#pragma once

class QWidget;

namespace rallo::qt {

class TitleBars {
public:
    // Before `window` is first shown: once title bars are known to be the
    // game's, a window gets the game's bar from the start.
    void Prepare(QWidget& window);

    // `window` is exposed with a new frame. The compositor tells its choice
    // only as a window is first configured: a frame that Qt draws means the
    // choice is the program's, and the window swaps Qt's bar for the game's
    // before anything is drawn.
    void Exposed(QWidget& window);

    // Gives the shown `window` the game's bar in place of Qt's, and every
    // window prepared from now on.
    void TakeOver(QWidget& window);

private:
    bool ours_ = false;
};

}  // namespace rallo::qt
