// Reading the game length typed into the dialog.
#pragma once

#include <optional>
#include <string_view>

#include "platform/numbers.h"
#include "platform/platform.h"

namespace rallo {

// The locale-aware numeric test: blanks around, a sign, digits with group
// separators, a decimal separator, an exponent. Empty is not a number.
bool IsNumeric(std::string_view text, NumberFormat format);

// The number at the start of the text, read with "." as the decimal point
// and blanks and group separators skipped; nullopt when it is out of range.
std::optional<double> ReadNumber(std::string_view text, NumberFormat format);

// The game length the text stands for, rounded halves to even; nullopt when
// the text is not a number or the number does not fit 16 bits.
std::optional<Int16> GameLength(std::string_view text, NumberFormat format);

}  // namespace rallo
