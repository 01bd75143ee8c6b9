// The names assistive tools read for a window's labels and text box: the
// shared reader words, given to the widgets.
#pragma once

#include <QString>

#include "platform/controls.h"
#include "platform/reader_words.h"

class QWidget;

namespace rallo::qt {

// What a reader says for a label or a text box ("Number of hits: 3").
QString AccessibleName(const Window& window, const Control& control);

// Gives a widget its name; the same name again is told once more, as news
// that the words stand again (a label shown again). No widget, no name: nothing.
void TellName(QWidget* widget, const QString& name);

}  // namespace rallo::qt
