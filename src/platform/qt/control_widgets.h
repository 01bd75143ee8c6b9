// The widgets of a game window's labels, buttons and text box on its client
// area, kept in step with every write to their controls and named for
// screen readers.
#pragma once

#include <QWidget>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/platform.h"

class QLabel;

namespace rallo::qt {

class ControlWidgets {
public:
    ControlWidgets(Window& window, EventSink& sink, QWidget* clientArea);

    QWidget* For(const Control& control) const;
    QWidget* FirstShownButton() const;
    // A window that opens offers its text boxes' texts to be typed over.
    void OfferTextsToTypeOver();

    // What a control's change means beyond its own widget.
    enum class Effect { None, ButtonShownOrHidden };
    // Shows what was written to a label, a button or the text box.
    Effect Apply(const Control& control);

private:
    QWidget* Create(Control& control);
    void ApplyLabel(const Label& model, QLabel* label);
    void Rename(const Control& control);

    const Window& window_;
    EventSink& sink_;
    QWidget* clientArea_;
    std::unordered_map<const Control*, QWidget*> widgets_;
};

}  // namespace rallo::qt
