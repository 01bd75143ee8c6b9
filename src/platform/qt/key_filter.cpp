#include "platform/qt/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "platform/keys.h"
#include "platform/qt/probes.h"
#include "platform/qt/window_view.h"

namespace rallo::qt {

namespace {

struct KeyCode {
    int qtKey;
    int code;
};

constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
};

}  // namespace

int VirtualKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    for (const KeyCode& entry : kKeyCodes) {
        if (entry.qtKey == key) return entry.code;
    }
    return 0;
}

bool KeyFilter::eventFilter(QObject* target, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget == nullptr || qobject_cast<QMenuBar*>(widget) || qobject_cast<QMenu*>(widget)) {
        return false;
    }
    auto* view = qobject_cast<WindowView*>(widget->window());
    if (view == nullptr) return false;
    // A key the focused widget ignores travels on to its parents and passes
    // this filter again; only the first receiver counts.
    QWidget* first = view->focusWidget() ? view->focusWidget() : view;
    if (widget != first) return false;

    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int code = VirtualKey(key);
    const bool typing = qobject_cast<QLineEdit*>(widget) != nullptr;
    // Enter presses the focused button, as Space does; it goes nowhere else,
    // or a dialog that takes Enter as its default button would act twice.
    if (auto* button = qobject_cast<QPushButton*>(widget); button && code == keys::kEnter) {
        if (type == QEvent::KeyPress && !key.isAutoRepeat()) button->click();
        return true;
    }
    if (type == QEvent::KeyPress) {
        LogKey(code);
        view->KeyDown(code);
        // Enter in the text box is the window's to handle; the game keys
        // must not move the focus between buttons.
        return (typing && code == keys::kEnter) || (!typing && keys::IsGameKey(code));
    }
    // A held key repeats as release/press pairs; passing those releases on
    // would stop the paddle between repeats.
    if (!key.isAutoRepeat()) view->KeyUp(code);
    return !typing && keys::IsGameKey(code);
}

}  // namespace rallo::qt
