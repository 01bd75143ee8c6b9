// The separators the player's language writes numbers with, as the game's
// number texts use them: one character each.
#pragma once

namespace rallo {

struct NumberFormat {
    char decimalSeparator = '.';
    char groupSeparator = ',';
};

// From the first characters of a language's decimal and group separators
// (0: none told). A separator outside ASCII becomes a blank if it is a space
// (the no-break spaces some languages group with), else the usual one; a
// group separator that is the decimal one gives way to the other usual one.
NumberFormat LanguageNumberFormat(char32_t decimal, char32_t group);

}  // namespace rallo
