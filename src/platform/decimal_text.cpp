#ifndef _GNU_SOURCE
#define _GNU_SOURCE  // strtod_l and strtof_l
#endif
#include "platform/decimal_text.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rallo {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

bool IsDecimal(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') ++pos;
    const std::size_t whole = pos;
    pos = SkipDigits(text, pos);
    std::size_t digits = pos - whole;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = ++pos;
        pos = SkipDigits(text, pos);
        digits += pos - fraction;
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const std::size_t exponent = pos;
        pos = SkipDigits(text, pos);
        if (pos == exponent) return false;
    }
    return pos == text.size();
}

// The C library reads any length of digits and exponent correctly rounded,
// but follows the process's locale, which a toolkit may have set; the "C"
// locale keeps "." the point.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return classic;
}

template <typename Number>
Number ParseChecked(const std::string& text);

template <>
double ParseChecked<double>(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, ClassicLocale());
}

template <>
float ParseChecked<float>(const std::string& text) {
    return strtof_l(text.c_str(), nullptr, ClassicLocale());
}

template <typename Number>
std::optional<Number> Read(std::string_view text) {
    if (!IsDecimal(text)) return std::nullopt;
    return ParseChecked<Number>(std::string(text));
}

// The value's first `count` significant digits, correctly rounded, and the
// power of ten of the first one.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits Significant(double magnitude, int count) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", count - 1, magnitude);
    // Only the digits and the exponent are taken, so the locale's point
    // does not matter.
    Digits result;
    const char* c = buffer;
    for (; *c != 'e'; ++c) {
        if (IsDigit(*c)) result.digits += *c;
    }
    result.exponent = std::atoi(c + 1);
    return result;
}

// The next decimal up with as many digits.
Digits NextUp(Digits d) {
    auto digit = d.digits.rbegin();
    for (; digit != d.digits.rend() && *digit == '9'; ++digit)
        *digit = '0';
    if (digit != d.digits.rend()) {
        ++*digit;
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

std::string Scientific(const Digits& d) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1) text += "." + d.digits.substr(1);
    const int power = std::abs(d.exponent);
    text += d.exponent < 0 ? "e-" : "e+";
    if (power < 10) text += '0';
    return text + std::to_string(power);
}

// A whole number is written with all its digits, exact, as printf writes it.
std::string Fixed(const Digits& d, double magnitude) {
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= count - 1) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
        return buffer;
    }
    if (d.exponent >= 0)
        return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
    return "0." + std::string(-d.exponent - 1, '0') + d.digits;
}

template <typename Number>
std::string Shortest(Number value, int maxDigits) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) return sign + "nan";
    if (std::isinf(value)) return sign + "inf";
    const Number magnitude = std::fabs(value);
    Digits d;
    for (int count = 1; count <= maxDigits; ++count) {
        d = Significant(magnitude, count);
        const Number back = *Read<Number>(Scientific(d));
        if (back == magnitude) break;
        // At a power of two the values below lie closer together than those
        // above, so the next decimal up may read back where the nearest,
        // below, does not.
        if (back < magnitude) {
            const Digits up = NextUp(d);
            if (*Read<Number>(Scientific(up)) == magnitude) {
                d = up;
                break;
            }
        }
    }
    const std::string fixed = Fixed(d, magnitude);
    const std::string scientific = Scientific(d);
    return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
    return Read<double>(text);
}

std::optional<float> ReadDecimalFloat(std::string_view text) {
    return Read<float>(text);
}

std::string ShortestDecimal(double value) {
    return Shortest(value, 17);
}

std::string ShortestDecimal(float value) {
    return Shortest(value, 9);
}

}  // namespace rallo
