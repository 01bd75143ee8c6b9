#include "platform/decimal_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <type_traits>

namespace rallo {
namespace {

TEST(DecimalText, ReadsOnlyPlainDecimals) {
    EXPECT_EQ(ReadDecimal("5843.75"), 5843.75);
    EXPECT_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_EQ(ReadDecimal("5."), 5.0);
    EXPECT_EQ(ReadDecimal("-1E3"), -1000.0);
    EXPECT_EQ(ReadDecimal("1e+1"), 10.0);
    for (const char* text : {"", "-", ".", "+5", " 5", "5 ", "1e", "1e+", "0x10", "inf", "nan",
                             "NaN", "infinity", "1,5", "1..2", "--1", "e5"})
        EXPECT_FALSE(ReadDecimal(text)) << text;
}

TEST(DecimalText, ExponentsOfAnyLengthReadWithoutFault) {
    EXPECT_EQ(ReadDecimal("10e9223372036854775807"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadDecimal("1e99999999999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadDecimal("0.1e-9223372036854775808"), 0.0);
    EXPECT_EQ(ReadDecimal("1e-999"), 0.0);
    EXPECT_EQ(ReadDecimal("-1e999"), -std::numeric_limits<double>::infinity());
    // A long mantissa balanced by its exponent is an ordinary number.
    EXPECT_EQ(ReadDecimal("1" + std::string(500, '0') + "e-500"), 1.0);
    EXPECT_EQ(ReadDecimalFloat("1e39"), std::numeric_limits<float>::infinity());
    // Read as a float directly, not through a double, so no double rounding.
    EXPECT_EQ(ReadDecimalFloat("0.1"), 0.1f);
}

TEST(DecimalText, PointStaysAPointInEveryLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "C.UTF-8") == nullptr)
        GTEST_SKIP() << "no other locale installed";
    EXPECT_EQ(ReadDecimal("2.5"), 2.5);
    EXPECT_EQ(ShortestDecimal(2.5), "2.5");
    std::setlocale(LC_ALL, before.c_str());
}

TEST(DecimalText, ShortestFormsOfTheDriversValues) {
    EXPECT_EQ(ShortestDecimal(8040.0f), "8040");
    EXPECT_EQ(ShortestDecimal(5843.75), "5843.75");
    EXPECT_EQ(ShortestDecimal(0.0), "0");
    EXPECT_EQ(ShortestDecimal(-0.0f), "-0");
    EXPECT_EQ(ShortestDecimal(1e20), "1e+20");
    EXPECT_EQ(ShortestDecimal(1e-7f), "1e-07");
    EXPECT_EQ(ShortestDecimal(0.001), "0.001");
    EXPECT_EQ(ShortestDecimal(123456789.0), "123456789");
    EXPECT_EQ(ShortestDecimal(0.1f), "0.1");
}

#if defined(__cpp_lib_to_chars) || (defined(__GLIBCXX__) && __GNUC__ >= 11)
// Where the library can write floating point itself, both must agree on
// every value, the powers of two (where the rounding interval is lopsided)
// and the extremes included.
template <typename Number>
std::string Library(Number value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

template <typename Number, typename Bits>
void AgreeWithLibrary() {
    std::mt19937_64 random(2026);
    for (int i = 0; i < 50000; ++i) {
        Bits bits = static_cast<Bits>(random());
        Number value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(ShortestDecimal(value), Library(value));
        if constexpr (std::is_same_v<Number, float>) {
            ASSERT_EQ(ReadDecimalFloat(Library(value)).value(), value);
        } else {
            ASSERT_EQ(ReadDecimal(Library(value)).value(), value);
        }
    }
    for (int e = std::numeric_limits<Number>::min_exponent - 30;
         e < std::numeric_limits<Number>::max_exponent; ++e) {
        const Number value = std::ldexp(Number(1), e);
        ASSERT_EQ(ShortestDecimal(value), Library(value)) << e;
    }
    for (int twips = -40000; twips <= 40000; ++twips) {
        const Number value = static_cast<Number>(twips) / 8;
        ASSERT_EQ(ShortestDecimal(value), Library(value));
    }
    ASSERT_EQ(ShortestDecimal(std::numeric_limits<Number>::max()),
              Library(std::numeric_limits<Number>::max()));
    ASSERT_EQ(ShortestDecimal(std::numeric_limits<Number>::denorm_min()),
              Library(std::numeric_limits<Number>::denorm_min()));
}

TEST(DecimalText, WritesWhatTheStandardLibraryWrites) {
    AgreeWithLibrary<float, std::uint32_t>();
    AgreeWithLibrary<double, std::uint64_t>();
}
#endif

}  // namespace
}  // namespace rallo
