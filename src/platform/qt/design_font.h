// The fonts the game's design names, with free stand-ins where one is missing.
#pragma once

#include <QFont>
#include <string>

namespace rallo::qt {

// The buttons', the text box's and the plain labels' text.
constexpr int kControlFontPoints = 8;

// `base` in the named family (none: the controls' own), size and weight.
QFont DesignFont(const QFont& base, const std::string& family, int points, bool bold);

}  // namespace rallo::qt
