#include "platform/numbers.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace rallo {

namespace {

// std::nearbyint follows the current rounding mode, which is to-nearest-even
// unless someone changed it; rint-style rounding is exactly "halves to even".
double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

}  // namespace

Int16 round16(double x) {
    const double r = RoundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0)) throw Overflow();  // also rejects NaN
    return Int16(static_cast<int>(r));
}

std::int32_t round32(double x) {
    const double r = RoundHalfEven(x);
    if (!(r >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          r <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        throw Overflow();
    return static_cast<std::int32_t>(r);
}

Int16 Int(float x) {
    const float f = std::floor(x);
    if (!(f >= -32768.0f && f <= 32767.0f)) throw Overflow();
    return Int16(static_cast<int>(f));
}

std::string Str(Int16 n) {
    return n.value() < 0 ? CStr(n) : " " + CStr(n);
}

std::string CStr(Int16 n) {
    return std::to_string(n.value());
}

}  // namespace rallo
