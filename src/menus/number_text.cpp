#include "menus/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace rallo {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}

// Reads the digits at `pos`, allowing `group` between them when given.
// Returns how many digits were read.
int ReadDigits(std::string_view text, std::size_t& pos, char group = '\0') {
    int digits = 0;
    while (pos < text.size()) {
        if (IsDigit(text[pos])) {
            ++digits;
        } else if (group == '\0' || text[pos] != group || digits == 0) {
            break;
        }
        ++pos;
    }
    return digits;
}

// Whether a number too far out for a double was too large rather than too
// small: the power of ten of its leading digit, exponent added, is positive.
bool TooLarge(std::string_view number) {
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    long long exponent = 0;
    if (e < number.size()) {
        std::string_view digits = number.substr(e + 1);
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (error == std::errc::result_out_of_range) return digits.front() != '-';
    }
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t lead = mantissa.find_first_not_of("0.");
    if (lead == std::string_view::npos) return false;
    const long long power = lead < point ? static_cast<long long>(point - lead) - 1
                                         : -static_cast<long long>(lead - point);
    return power + exponent > 0;
}

}  // namespace

bool IsNumeric(std::string_view text, NumberFormat format) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::size_t pos = 0;
    if (pos < text.size() && IsSign(text[pos])) ++pos;
    int digits = ReadDigits(text, pos, format.groupSeparator);
    if (pos < text.size() && text[pos] == format.decimalSeparator) {
        ++pos;
        digits += ReadDigits(text, pos);
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && IsSign(text[pos])) ++pos;
        if (ReadDigits(text, pos) == 0) return false;
    }
    return pos == text.size();
}

std::optional<double> ReadNumber(std::string_view text, NumberFormat format) {
    // Blanks are skipped wherever they stand; so are group separators, so
    // that "1,000" reads as the thousand the numeric test accepted. A "."
    // always stays the decimal point.
    std::string kept;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if (c == format.groupSeparator && c != '.') continue;
        kept += c;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < kept.size() && IsSign(kept[pos])) negative = kept[pos++] == '-';
    const std::size_t start = pos;
    ReadDigits(kept, pos);
    if (pos < kept.size() && kept[pos] == '.') {
        ++pos;
        ReadDigits(kept, pos);
    }
    if (pos < kept.size() && (kept[pos] == 'e' || kept[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < kept.size() && IsSign(kept[exponent])) ++exponent;
        if (ReadDigits(kept, exponent) > 0) pos = exponent;
    }
    double value = 0;
    if (pos > start) {
        const std::string_view number = std::string_view(kept).substr(start, pos - start);
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc::result_out_of_range) {
            if (TooLarge(number)) return std::nullopt;
            value = 0;  // 1e-999 and the like: too small for a double, zero when rounded
        } else if (error != std::errc()) {
            value = 0;  // a lone "." reads as nothing
        }
    }
    return negative ? -value : value;
}

std::optional<Int16> GameLength(std::string_view text, NumberFormat format) {
    if (!IsNumeric(text, format)) return std::nullopt;
    const std::optional<double> number = ReadNumber(text, format);
    if (!number) return std::nullopt;
    const double whole = std::nearbyint(*number);  // halves to even
    if (!(whole >= -32768.0 && whole <= 32767.0)) return std::nullopt;
    return Int16(static_cast<int>(whole));
}

}  // namespace rallo
