// The game length typed into the dialog: which texts count as numbers, and
// the whole number each one stores.
#include "menus/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace rallo {
namespace {

constexpr NumberFormat kDotDecimal{'.', ','};    // the headless platform's locale
constexpr NumberFormat kCommaDecimal{',', '.'};  // a locale writing 2,5 and 1.000

struct Case {
    const char* text;
    std::optional<int> stored;  // nullopt: "Please enter a number!"
};

void ExpectLength(const Case& c, NumberFormat format) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    const std::optional<Int16> length = GameLength(c.text, format);
    ASSERT_EQ(length.has_value(), c.stored.has_value());
    if (c.stored) {
        EXPECT_EQ(length->value(), *c.stored);
    }
}

TEST(GameLength, AcceptedTextsStoreTheRoundedNumber) {
    // clang-format off
    const Case cases[] = {
        {"5", 5},
        {" 7 ", 7},
        {"2.5", 2},  // halves go to the even neighbour
        {"3.5", 4},
        {"1e1", 10},
        {"1E1", 10},
        {"-4", -4},  // zero and negative lengths are stored as they are
        {"0", 0},
        {"+6", 6},
        {".5", 0},
        {"4.", 4},
        {"1,000", 1000},  // the group separator is skipped, not a stop
        {"1,0", 10},
        {"-32768.5", -32768},
        {"32767", 32767},
        {"1e-999", 0},  // too small for a double, but a number: it rounds to 0
        {"-0.001e-400", 0},
        {"0.1e-9223372036854775808", 0},  // an exponent past 64 bits reads, too
        {"1e-99999999999999999999999", 0},
    };
    // clang-format on
    for (const Case& c : cases)
        ExpectLength(c, kDotDecimal);
}

TEST(GameLength, RejectedTextsStoreNothing) {
    // 32767.5 rounds to 32768, one past the range; 1e999 does not fit a double.
    for (const char* text :
         {"abc", "", "40000", "32767.5", "1e999", "1e5", "&H10", "&O7", "5x", "+", "-", ".", "1e",
          "10e9223372036854775807", "1e99999999999999999999999"})
        ExpectLength({text, std::nullopt}, kDotDecimal);
}

// Out-of-range numbers pass the numeric test; only the 16-bit store refuses
// them. Hex and octal texts fail the test itself.
TEST(GameLength, NumericTestAloneAcceptsWhatDoesNotFit) {
    EXPECT_TRUE(IsNumeric("40000", kDotDecimal));
    EXPECT_TRUE(IsNumeric("1e999", kDotDecimal));
    EXPECT_TRUE(IsNumeric("32767.5", kDotDecimal));
    EXPECT_FALSE(IsNumeric("&H10", kDotDecimal));
    EXPECT_FALSE(IsNumeric("&O7", kDotDecimal));
    EXPECT_FALSE(IsNumeric("", kDotDecimal));
    EXPECT_FALSE(IsNumeric("   ", kDotDecimal));
}

// Reading always takes "." as the decimal point and skips a group separator
// other than "."; in a locale with "," decimals the number stops at the ",".
TEST(GameLength, CommaDecimalLocaleReadsWithDotDecimal) {
    EXPECT_TRUE(IsNumeric("2,5", kCommaDecimal));
    EXPECT_FALSE(IsNumeric("2,5,", kCommaDecimal));
    const Case cases[] = {
        {"2,5", 2},    // passes the test, reads 2 and stops at the ","
        {"3,9", 3},    // no rounding up from the part that was not read
        {"1.000", 1},  // "." stays the decimal point even as the group separator
        {"abc", std::nullopt},
    };
    for (const Case& c : cases)
        ExpectLength(c, kCommaDecimal);
}

TEST(ReadNumber, SkipsBlanksAndGroupsAndHonoursTheExponent) {
    EXPECT_EQ(ReadNumber("1,000", kDotDecimal), 1000.0);
    EXPECT_EQ(ReadNumber(" 1 2 ", kDotDecimal), 12.0);
    EXPECT_EQ(ReadNumber("1e5", kDotDecimal), 100000.0);
    EXPECT_EQ(ReadNumber("-2.5e-1", kDotDecimal), -0.25);
    EXPECT_EQ(ReadNumber("4.", kDotDecimal), 4.0);
    EXPECT_EQ(ReadNumber("1e999", kDotDecimal), std::nullopt);
    EXPECT_EQ(ReadNumber("1e-999", kDotDecimal), 0.0);
    // Past a double's range however small the exponent makes it look.
    EXPECT_EQ(ReadNumber(std::string(400, '9') + "e-5", kDotDecimal), std::nullopt);
}

// The separators a language tells, made usable: spaces outside ASCII become
// a blank, other characters outside ASCII and missing ones the usual
// separator, and a group separator never equals the decimal one.
TEST(LanguageNumberFormat, EveryLanguagesSeparatorsBecomeUsable) {
    const struct {
        char32_t decimal, group;
        char usedDecimal, usedGroup;
    } cases[] = {
        {'.', ',', '.', ','},  {',', '.', ',', '.'},    {'.', '\'', '.', '\''},
        {',', 0xA0, ',', ' '}, {',', 0x202F, ',', ' '}, {0x66B, 0x66C, '.', ','},
        {0, 0, '.', ','},      {',', ',', ',', '.'},    {'.', '.', '.', ','},
    };
    for (const auto& c : cases) {
        const NumberFormat format = LanguageNumberFormat(c.decimal, c.group);
        EXPECT_EQ(format.decimalSeparator, c.usedDecimal) << std::hex << std::uint32_t{c.decimal};
        EXPECT_EQ(format.groupSeparator, c.usedGroup) << std::hex << std::uint32_t{c.group};
    }
}

}  // namespace
}  // namespace rallo
