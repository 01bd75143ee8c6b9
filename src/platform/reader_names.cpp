// The names a reader is told for labels and text boxes.
#include <cctype>

#include "platform/reader_words.h"

namespace rallo {

namespace {

constexpr std::string_view kCaptionSuffix = "Label";
constexpr char kAccessKeyMarker = '&';  // "&&" stands for the sign itself
constexpr std::string_view kEllipsis = "...";

const Label* LabelNamed(const Window& window, std::string_view name) {
    return static_cast<const Label*>(window.ControlNamed(ControlKind::Label, name));
}

}  // namespace

std::string Spoken(std::string_view text) {
    std::string spoken;
    bool blank = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !spoken.empty();
            continue;
        }
        if (blank) spoken += ' ';
        blank = false;
        spoken += c;
    }
    return spoken;
}

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

std::string ReaderName(const Window& window, const Control& control) {
    if (control.kind == ControlKind::TextBox) {
        const Label* label = LabelBefore(window, static_cast<const TextBox&>(control));
        return label ? Spoken(label->Caption.get()) : std::string();
    }
    if (control.kind != ControlKind::Label) return {};
    const std::string text = Spoken(static_cast<const Label&>(control).Caption.get());
    const Label* caption = CaptionOf(window, control);
    if (caption == nullptr) return text;
    const std::string name = Spoken(caption->Caption.get());
    return text.empty() ? name : name + ": " + text;
}

std::string ReaderName(const MenuItem& item) {
    const std::string& caption = item.Caption;
    std::string name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == kAccessKeyMarker && ++i == caption.size()) break;
        name += caption[i];
    }
    if (name.ends_with(kEllipsis)) name.resize(name.size() - kEllipsis.size());
    return Spoken(name);
}

}  // namespace rallo
