#include "platform/number_format.h"

namespace rallo {

namespace {

constexpr char32_t kLastAscii = 0x7F;

// Unicode's space separators.
bool IsSpace(char32_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

char Usable(char32_t c, char usual) {
    if (c == 0) return usual;
    if (c <= kLastAscii) return static_cast<char>(c);
    return IsSpace(c) ? ' ' : usual;
}

}  // namespace

NumberFormat LanguageNumberFormat(char32_t decimal, char32_t group) {
    const NumberFormat usual;
    NumberFormat format{Usable(decimal, usual.decimalSeparator),
                        Usable(group, usual.groupSeparator)};
    if (format.groupSeparator == format.decimalSeparator) {
        format.groupSeparator = format.decimalSeparator == ',' ? '.' : ',';
    }
    return format;
}

}  // namespace rallo
