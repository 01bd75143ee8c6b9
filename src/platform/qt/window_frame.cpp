#include "platform/qt/window_frame.h"

#include <QWidget>
#include <QWindow>

namespace rallo::qt {

bool WindowFrame::Learn(const QWidget& window) {
    const QWindow* native = window.windowHandle();
    if (native == nullptr) return false;
    const QMargins frame = native->frameMargins() + window.contentsMargins();
    if (frame.isNull() && !window.isVisible()) return false;  // not told yet
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0) {
        return false;
    }
    known_ = frame;
    if (frame == counted_) return false;
    counted_ = frame;
    return true;
}

}  // namespace rallo::qt
