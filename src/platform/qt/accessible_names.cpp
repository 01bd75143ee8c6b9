#include "platform/qt/accessible_names.h"

#include <QAccessible>
#include <QWidget>
#include <string_view>

namespace rallo::qt {

namespace {

constexpr std::string_view kCaptionSuffix = "Label";

const Label* LabelNamed(const Window& window, std::string_view name) {
    for (const Control* control : window.controls) {
        if (control->kind == ControlKind::Label && control->name == name) {
            return static_cast<const Label*>(control);
        }
    }
    return nullptr;
}

QString Spoken(const std::string& text) {
    return QString::fromStdString(text).simplified();
}

}  // namespace

const Label* CaptionOf(const Window& window, const Control& value) {
    return LabelNamed(window, value.name + std::string(kCaptionSuffix));
}

const Label* ValueCaptionedBy(const Window& window, const Control& caption) {
    const std::string_view name = caption.name;
    if (!name.ends_with(kCaptionSuffix) || name.size() == kCaptionSuffix.size()) return nullptr;
    return LabelNamed(window, name.substr(0, name.size() - kCaptionSuffix.size()));
}

const Label* LabelBefore(const Window& window, const TextBox& box) {
    const Label* nearest = nullptr;
    for (const Control* control : window.controls) {
        if (control->kind != ControlKind::Label) continue;
        const bool before = control->Left + control->Width <= box.Left;
        const bool sameRow =
            control->Top < box.Top + box.Height && box.Top < control->Top + control->Height;
        if (before && sameRow && (nearest == nullptr || control->Left > nearest->Left)) {
            nearest = static_cast<const Label*>(control);
        }
    }
    return nearest;
}

QString AccessibleName(const Window& window, const Control& control) {
    if (control.kind == ControlKind::TextBox) {
        const Label* label = LabelBefore(window, static_cast<const TextBox&>(control));
        return label ? Spoken(label->Caption) : QString();
    }
    if (control.kind != ControlKind::Label) return QString();
    const QString text = Spoken(static_cast<const Label&>(control).Caption);
    const Label* caption = CaptionOf(window, control);
    if (caption == nullptr) return text;
    return text.isEmpty() ? Spoken(caption->Caption) : Spoken(caption->Caption) + ": " + text;
}

// A new name is told by Qt itself.
void TellName(QWidget* widget, const QString& name) {
    if (widget == nullptr || name.isEmpty()) return;
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
        return;
    }
    QAccessibleEvent told(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}

}  // namespace rallo::qt
