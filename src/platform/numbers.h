// The game's number rules: checked signed 16-bit integers, rounding halves
// to even, Int (floor) and the sign-padded number text.
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace rallo {

// Raised by every 16-bit operation or conversion whose result does not fit.
// Never wraps; the game reports it at the event boundary.
class Overflow : public std::runtime_error {
public:
    Overflow() : std::runtime_error("Overflow") {}
};

// A signed 16-bit integer whose every operation is range-checked.
class Int16 {
public:
    constexpr Int16() = default;
    constexpr Int16(int value) : value_(Checked(value)) {}  // NOLINT: ints convert checked

    constexpr int value() const { return value_; }
    constexpr explicit operator float() const { return static_cast<float>(value_); }
    constexpr explicit operator double() const { return value_; }
    // Flags hold -1 or 0; any non-zero value tests true.
    constexpr explicit operator bool() const { return value_ != 0; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.value_ + b.value_); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.value_ - b.value_); }
    friend constexpr Int16 operator*(Int16 a, Int16 b) { return Int16(a.value_ * b.value_); }
    constexpr Int16 operator-() const { return Int16(-value_); }
    friend constexpr bool operator==(Int16 a, Int16 b) = default;
    friend constexpr auto operator<=>(Int16 a, Int16 b) = default;

private:
    static constexpr std::int16_t Checked(int value) {
        if (value < -32768 || value > 32767) throw Overflow();
        return static_cast<std::int16_t>(value);
    }
    std::int16_t value_ = 0;
};

inline constexpr Int16 kTrue = -1;
inline constexpr Int16 kFalse = 0;
constexpr Int16 Flag(bool b) {
    return b ? kTrue : kFalse;
}

// Nearest whole number, halves to the even neighbour, range-checked.
Int16 round16(double x);
std::int32_t round32(double x);

// Int(r * k + 1) as the random steps use it: product and sum in single
// precision, then rounded down.
Int16 Int(float x);

// " 0", " 12", "-3": a blank stands where a minus sign would.
std::string Str(Int16 n);
// The decimal text without the sign position ("12", "-3").
std::string CStr(Int16 n);

}  // namespace rallo
