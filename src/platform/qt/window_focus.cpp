#include "platform/qt/window_focus.h"

#include "platform/qt/control_widgets.h"

namespace rallo::qt {

WindowFocus::WindowFocus(QWidget& window, const ControlWidgets& widgets, QWidget* court)
    : window_(window), widgets_(widgets), court_(court) {}

void WindowFocus::Settle() {
    if (!settleWanted_) return;
    settleWanted_ = false;
    QWidget* firstButton = widgets_.FirstShownButton();
    QWidget* focused = window_.focusWidget();
    if (firstButton == nullptr) {
        if (focused != court_) court_->setFocus(Qt::OtherFocusReason);
    } else if (focused == nullptr || focused == court_ || !focused->isVisibleTo(&window_)) {
        firstButton->setFocus(Qt::OtherFocusReason);
    }
}

void WindowFocus::ButtonHiding(QWidget* button) {
    if (court_ != nullptr && button != nullptr && button->hasFocus()) {
        court_->setFocus(Qt::OtherFocusReason);
    }
}

void WindowFocus::Hiding() {
    beforeHide_ = window_.focusWidget();
}

void WindowFocus::ShownAgain() {
    if (beforeHide_ && beforeHide_->isVisibleTo(&window_)) beforeHide_->setFocus();
}

}  // namespace rallo::qt
