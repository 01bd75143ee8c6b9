// Decimal numbers read and written the same way on every platform and in
// every locale: digits with "." as the point and an optional exponent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rallo {

// The whole text as [-]digits[.digits][e[+|-]digits] (".5" and "5." too);
// nullopt for anything else, "inf" and "nan" included. Too large a number
// reads as an infinity, too small a one as zero (or the nearest subnormal),
// however long its exponent.
std::optional<double> ReadDecimal(std::string_view text);
std::optional<float> ReadDecimalFloat(std::string_view text);

// The shortest text that reads back as the same value, fixed or with an
// exponent ("1e+20") whichever is shorter, fixed on a tie.
std::string ShortestDecimal(double value);
std::string ShortestDecimal(float value);

}  // namespace rallo
