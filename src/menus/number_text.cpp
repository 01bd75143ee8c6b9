#include "menus/number_text.h"

#include "platform/decimal_text.h"

#include <cctype>
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
    double value = 0;  // a lone "." reads as nothing
    if (pos > start) {
        const std::optional<double> number =
            ReadDecimal(std::string_view(kept).substr(start, pos - start));
        if (number && std::isinf(*number)) return std::nullopt;
        if (number) value = *number;  // too small a number reads as zero
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
