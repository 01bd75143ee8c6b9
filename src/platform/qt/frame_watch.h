// Tells when the frame round a shown window changes. A title bar that Qt
// draws itself (Wayland, where the compositor asks for one) comes a moment
// after each show, once the compositor has said again who draws it; Qt then
// starts the window's buffer afresh, and what was painted is gone.
#pragma once

#include <QMargins>
#include <QObject>
#include <functional>

class QWidget;

namespace rallo::qt {

class FrameWatch : public QObject {
    Q_OBJECT
public:
    // Watches `window`'s native window; `changed` runs when it is exposed
    // with another frame than when it was last exposed.
    FrameWatch(QWidget& window, std::function<void()> changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> changed_;
    QMargins exposedWith_;
};

}  // namespace rallo::qt
