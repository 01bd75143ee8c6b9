// The names assistive tools read for a window's labels and text box, made
// from the controls the window shows.
#pragma once

#include <QString>

class QWidget;

#include "platform/controls.h"

namespace rallo::qt {

// The caption of a value label is the label named like it with "Label"
// after: "Number of hits" over " 3" reads "Number of hits: 3".
const Label* CaptionOf(const Window& window, const Control& value);
const Label* ValueCaptionedBy(const Window& window, const Control& caption);
// The label that names a text box: the nearest one before it on its row.
const Label* LabelBefore(const Window& window, const TextBox& box);

// What a reader says for a label or a text box; runs of spaces read as one.
QString AccessibleName(const Window& window, const Control& control);

// Gives a widget its name; the same name again is told once more, as news
// that the words stand again (a label shown again). No widget, no name: nothing.
void TellName(QWidget* widget, const QString& name);

}  // namespace rallo::qt
