// Any bytes as the text typed into the game-length dialog, in any of a few
// number formats (the first byte picks one): the numeric test and the reading
// must never misbehave, a text the test rejects never becomes a length, and in
// the "." format a text it accepts reads as the C library reads its digits.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "menus/number_text.h"

namespace {

constexpr rallo::NumberFormat kFormats[] = {{'.', ','}, {',', '.'}, {',', ' '}, {'.', '\''}};

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// What the text stands for, read by strtod once blanks and group separators
// are dropped.
double LibraryValue(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != ',') digits += c;
    return std::strtod(digits.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const rallo::NumberFormat format = kFormats[data[0] % std::size(kFormats)];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool numeric = rallo::IsNumeric(text, format);
    const std::optional<rallo::Int16> length = rallo::GameLength(text, format);
    if (!numeric && length) Fail("a length from a text that is not a number", text);
    if (!numeric || format.decimalSeparator != '.' || format.groupSeparator != ',') return 0;

    const std::optional<double> read = rallo::ReadNumber(text, format);
    const double expected = LibraryValue(text);
    if (std::isinf(expected)) {
        if (read) Fail("a number too large to hold was read", text);
        if (length) Fail("a length from a number too large to hold", text);
        return 0;
    }
    if (!read || *read != expected) Fail("read differently from the C library", text);
    const double whole = std::nearbyint(expected);
    const bool fits = whole >= -32768 && whole <= 32767;
    if (fits != length.has_value())
        Fail("a length that fits was refused, or one that does not was taken", text);
    if (length && length->value() != whole) Fail("a length other than the number rounded", text);
    return 0;
}
