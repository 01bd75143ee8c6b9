// The number rules: 16-bit arithmetic that raises instead of wrapping,
// rounding halves to even, Int as floor in single precision, sign-padded text.
#include <gtest/gtest.h>

#include "platform/numbers.h"

namespace rallo {
namespace {

TEST(Int16, RaisesOverflowAtBothEndsAndNeverWraps) {
    const Int16 max = 32767;
    const Int16 min = -32768;
    EXPECT_THROW(Int16(32768), Overflow);
    EXPECT_THROW(Int16(-32769), Overflow);
    EXPECT_THROW(Int16(65536), Overflow);  // 0 if truncated
    EXPECT_THROW(max + 1, Overflow);
    EXPECT_THROW(min - 1, Overflow);
    EXPECT_THROW(Int16(0) - min, Overflow);
    EXPECT_THROW(-min, Overflow);
    EXPECT_THROW(min * -1, Overflow);
    EXPECT_THROW(Int16(200) * 200, Overflow);
    // The two-player layout's 3 * courtWidth fits up to a court of 10922.
    EXPECT_EQ((Int16(3) * 10922).value(), 32766);
    EXPECT_THROW(Int16(3) * 10923, Overflow);
    EXPECT_EQ((max - 1 + 1).value(), 32767);
    EXPECT_EQ((-max).value(), -32767);
    EXPECT_EQ((Int16(-128) * 256).value(), -32768);
    Int16 hits = max;
    EXPECT_THROW(hits = hits + 1, Overflow);
    EXPECT_EQ(hits.value(), 32767);  // keeps its last value
}

TEST(Rounding, HalvesGoToTheEvenNeighbourThenTheRangeIsChecked) {
    EXPECT_EQ(round16(2.5).value(), 2);
    EXPECT_EQ(round16(3.5).value(), 4);
    EXPECT_EQ(round16(-2.5).value(), -2);
    EXPECT_EQ(round16(-3.5).value(), -4);
    EXPECT_EQ(round16(2857.5).value(), 2858);
    EXPECT_EQ(round16(2.5001).value(), 3);
    EXPECT_EQ(round16(-32768.5).value(), -32768);
    EXPECT_THROW(round16(32767.5), Overflow);
    EXPECT_THROW(round16(-32769.5), Overflow);
    EXPECT_EQ(round32(1001.5), 1002);
    EXPECT_EQ(round32(-1000.5), -1000);
    EXPECT_EQ(round32(70000.5), 70000);
    EXPECT_THROW(round32(2147483647.5), Overflow);
}

TEST(IntFloor, RoundsDownAlsoForNegativesInSinglePrecision) {
    EXPECT_EQ(Int(0.999f).value(), 0);
    EXPECT_EQ(Int(-0.001f).value(), -1);
    EXPECT_EQ(Int(-123.5f).value(), -124);
    EXPECT_EQ(Int(-32768.0f).value(), -32768);
    EXPECT_THROW(Int(32768.0f), Overflow);
    // 0.9f * 50 is exactly 45 in single precision; in double it stays below.
    const float r = 0.9f;
    EXPECT_EQ(Int(r * 50 + 1).value(), 46);
}

TEST(NumberText, SignPaddedAndPlain) {
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(12), " 12");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(-32768), "-32768");
    EXPECT_EQ(CStr(12), "12");
    EXPECT_EQ(CStr(-3), "-3");
}

}  // namespace
}  // namespace rallo
