#include "platform/qt/frame_watch.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace rallo::qt {

FrameWatch::FrameWatch(QWidget& window, std::function<void()> changed)
    : QObject(&window), changed_(std::move(changed)) {
    window.winId();  // the native window exists from here on
    window.windowHandle()->installEventFilter(this);
}

// Qt exposes a window again whenever its own title bar comes or goes.
bool FrameWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose) {
        auto* native = static_cast<QWindow*>(watched);
        const QMargins frame = native->frameMargins();
        if (native->isExposed() && frame != exposedWith_) {
            exposedWith_ = frame;
            changed_();
        }
    }
    return false;
}

}  // namespace rallo::qt
