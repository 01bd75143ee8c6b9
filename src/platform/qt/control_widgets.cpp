#include "platform/qt/control_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/accessible_names.h"
#include "platform/qt/client_area.h"
#include "platform/qt/design_font.h"

namespace rallo::qt {

namespace {

QLabel* MakeLabel(const Label& model, QWidget* parent) {
    auto* label = new QLabel(parent);
    const LabelStyle& style = model.style;
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromStdString(model.Caption));
    const Qt::Alignment across =
        style.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(across | Qt::AlignTop);
    if (style.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    QPalette palette = label->palette();
    if (style.systemColors) {
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    } else {
        palette.setColor(QPalette::Window, ToQColor(style.BackColor));
        palette.setColor(QPalette::WindowText, ToQColor(style.ForeColor));
    }
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    if (!style.fontName.empty()) {
        label->setFont(DesignFont(label->font(), style.fontName, style.fontSize, style.fontBold));
    }
    return label;
}

}  // namespace

// Created in the window's control order, which is also the focus order.
ControlWidgets::ControlWidgets(Window& window, EventSink& sink, QWidget* clientArea)
    : window_(window), sink_(sink), clientArea_(clientArea) {
    for (Control* control : window.controls) {
        QWidget* widget = Create(*control);
        if (widget == nullptr) continue;
        widgets_[control] = widget;
        widget->setGeometry(PixelRect(*control));
        widget->setVisible(control->Visible);
    }
    for (const Control* control : window.controls) {
        if (control->kind == ControlKind::TextBox) {
            const Label* label = LabelBefore(window, static_cast<const TextBox&>(*control));
            if (label) static_cast<QLabel*>(For(*label))->setBuddy(For(*control));
        }
        Rename(*control);
    }
}

QWidget* ControlWidgets::For(const Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

QWidget* ControlWidgets::FirstShownButton() const {
    for (const Control* control : window_.controls) {
        if (control->kind == ControlKind::Button && control->Visible) return For(*control);
    }
    return nullptr;
}

void ControlWidgets::OfferTextsToTypeOver() {
    for (const Control* control : window_.controls) {
        if (control->kind == ControlKind::TextBox)
            static_cast<QLineEdit*>(For(*control))->selectAll();
    }
}

QWidget* ControlWidgets::Create(Control& control) {
    switch (control.kind) {
        case ControlKind::Label:
            return MakeLabel(static_cast<Label&>(control), clientArea_);
        case ControlKind::Button: {
            auto& button = static_cast<Button&>(control);
            auto* push = new QPushButton(QString::fromStdString(button.Caption), clientArea_);
            push->setAutoDefault(false);
            QObject::connect(push, &QPushButton::clicked, push,
                             [&sink = sink_, &button] { sink.Click(button); });
            return push;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            auto* edit = new QLineEdit(QString::fromStdString(box.Text), clientArea_);
            // What the user types is at once the model's text.
            QObject::connect(edit, &QLineEdit::textChanged, edit,
                             [&box](const QString& text) { box.Text = text.toStdString(); });
            return edit;
        }
        case ControlKind::Shape:
            break;  // painted by the client area
    }
    return nullptr;
}

ControlWidgets::Effect ControlWidgets::Apply(const Control& control) {
    QWidget* widget = For(control);
    if (widget == nullptr) return Effect::None;
    const QRect box = PixelRect(control);
    if (widget->geometry() != box) widget->setGeometry(box);
    if (control.kind == ControlKind::Label) {
        ApplyLabel(static_cast<const Label&>(control), static_cast<QLabel*>(widget));
        return Effect::None;
    }
    if (control.kind == ControlKind::Button) {
        const QString caption = QString::fromStdString(static_cast<const Button&>(control).Caption);
        auto* push = static_cast<QPushButton*>(widget);
        if (push->text() != caption) push->setText(caption);
    } else {
        const QString text = QString::fromStdString(static_cast<const TextBox&>(control).Text);
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != text) edit->setText(text);
    }
    if (widget->isVisibleTo(clientArea_) == bool(control.Visible)) return Effect::None;
    widget->setVisible(control.Visible);
    return control.kind == ControlKind::Button ? Effect::ButtonShownOrHidden : Effect::None;
}

// A new caption or a label coming into view is news for assistive tools.
// The name goes first: Qt tells a label's text change only while the label
// has no name of its own.
void ControlWidgets::ApplyLabel(const Label& model, QLabel* label) {
    const QString caption = QString::fromStdString(model.Caption);
    const bool newCaption = label->text() != caption;
    const bool shown = model.Visible && !label->isVisibleTo(clientArea_);
    if (newCaption || shown) {
        Rename(model);
        if (const Label* value = ValueCaptionedBy(window_, model)) Rename(*value);
    }
    if (newCaption) label->setText(caption);
    if (label->isVisibleTo(clientArea_) != model.Visible) label->setVisible(model.Visible);
}

void ControlWidgets::Rename(const Control& control) {
    if (control.kind != ControlKind::Label && control.kind != ControlKind::TextBox) return;
    TellName(For(control), AccessibleName(window_, control));
}

}  // namespace rallo::qt
