// The frame round a game window: the window system's, and the game's own
// title bar where it draws one (kept in the window's contents margins). The
// game counts a window's outer box (client area, menu bar and frame); the
// window system tells its frame when it likes, most only once a window is
// shown.
#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace rallo::qt {

class WindowFrame {
public:
    // `known` is shared by all windows: the frame last told for any of them,
    // zero until a window system has told one. A new window counts it first.
    explicit WindowFrame(QMargins& known) : known_(known), counted_(known) {}

    // Reads the frame round `window`; true when it differs from the one
    // counted so far, which it then replaces.
    bool Learn(const QWidget& window);

    QSize Around(QSize inside) const { return inside.grownBy(counted_); }
    QSize Inside(QSize outer) const { return outer.shrunkBy(counted_); }

private:
    QMargins& known_;
    QMargins counted_;
};

}  // namespace rallo::qt
