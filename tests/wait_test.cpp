// The pacing delay against a platform that only counts: its slices, how often
// it lets events run, and that it ends after its length wherever the 32-bit
// millisecond counter stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/play_window.h"
#include "app/program.h"

namespace rallo {
namespace {

class CountingPlatform : public Platform {
public:
    std::uint32_t counter = 0;
    std::uint32_t msPerPass = 0;  // time the event handlers take
    std::uint32_t firstPass = 0;  // extra time of the first pass only
    std::vector<std::int32_t> sleeps;
    int passes = 0;
    bool lastWasSleep = false;

    void Attach(Window&, EventSink&) override {}
    void Beep() override {}
    void Randomize() override {}
    float Rnd() override { return 0; }
    std::uint32_t timeGetTime() override { return counter; }
    void Sleep(std::int32_t ms) override {
        sleeps.push_back(ms);
        counter += static_cast<std::uint32_t>(ms);
        lastWasSleep = true;
        Guard();
    }
    void DoEvents() override {
        if (passes == 0 && !sleeps.empty()) throw std::logic_error("slept before the first pass");
        counter += msPerPass + (passes++ == 0 ? firstPass : 0);
        lastWasSleep = false;
        Guard();
    }
    void MsgBox(std::string_view, MsgIcon) override {}
    float ScreenWidth() override { return 15360; }
    float ScreenHeight() override { return 11520; }
    NumberFormat Numbers() override { return {}; }
    void End() override {}

private:
    // A wait that never ends fails the test instead of hanging it.
    void Guard() {
        if (passes + sleeps.size() > 100000) throw std::runtime_error("the wait does not end");
    }
};

class WaitTest : public ::testing::Test {
protected:
    // Runs Wait(ms) from the given counter value; returns the time it took.
    std::uint32_t WaitFrom(std::uint32_t start, std::int32_t ms) {
        fake = CountingPlatform{};
        fake.counter = start;
        fake.msPerPass = msPerPass;
        fake.firstPass = firstPass;
        window.Wait(ms);
        return fake.counter - start;  // modulo 2^32, like the counter
    }
    std::vector<std::int32_t> Sleeps(int count, std::int32_t slice, std::int32_t last) {
        std::vector<std::int32_t> s(count, slice);
        if (count > 0) s.back() = last;
        return s;
    }

    std::uint32_t msPerPass = 0, firstPass = 0;
    CountingPlatform fake;
    Program program{fake};
    frmRallo window{program, fake};
};

TEST_F(WaitTest, SleepsInSlicesOfATenthUpTo100WithEventsBetween) {
    EXPECT_EQ(WaitFrom(0, 2000), 2000u);
    EXPECT_EQ(fake.sleeps, Sleeps(20, 100, 100));
    EXPECT_EQ(fake.passes, 20);
    EXPECT_TRUE(fake.lastWasSleep);  // no event pass after the last piece
    EXPECT_EQ(WaitFrom(0, 1500), 1500u);
    EXPECT_EQ(fake.sleeps, Sleeps(15, 100, 100));
    EXPECT_EQ(WaitFrom(0, 50), 50u);
    EXPECT_EQ(fake.sleeps, Sleeps(10, 5, 5));
    EXPECT_EQ(fake.passes, 10);
    for (const std::int32_t ms : {0, -1}) {
        EXPECT_EQ(WaitFrom(0, ms), 0u);
        EXPECT_EQ(fake.passes, 1);
        EXPECT_TRUE(fake.sleeps.empty());
    }
}

TEST_F(WaitTest, TimeTakenByHandlersShortensTheWait) {
    msPerPass = 1;
    EXPECT_EQ(WaitFrom(0, 2000), 2000u);  // 1 + 19 * 101 = 1920 after the last pass
    EXPECT_EQ(fake.sleeps, Sleeps(20, 100, 80));
    EXPECT_EQ(WaitFrom(0, 5), 5u);  // slice 0: it yields until the counter moves on
    EXPECT_EQ(fake.sleeps, Sleeps(4, 0, 0));
    msPerPass = 0;
    firstPass = 2500;  // handlers overran the deadline: it returns at once
    EXPECT_EQ(WaitFrom(0, 2000), 2500u);
    EXPECT_TRUE(fake.sleeps.empty());
}

class AcrossTheCounter : public WaitTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(AcrossTheCounter, EndsAfterItsLength) {
    EXPECT_EQ(WaitFrom(GetParam(), 2000), 2000u);
    EXPECT_EQ(fake.passes, 20);
    msPerPass = 1;
    EXPECT_EQ(WaitFrom(GetParam(), 5), 5u);
    firstPass = 3000;
    EXPECT_EQ(WaitFrom(GetParam(), 2000), 3001u);
    EXPECT_TRUE(fake.sleeps.empty());
}

// Just before 2^31 and 2^32, at their last values, and with the deadline on them.
INSTANTIATE_TEST_SUITE_P(Crossings, AcrossTheCounter,
                         ::testing::Values(0x7FFFFFFFu - 1000, 0x7FFFFFFFu, 0x80000000u - 2000,
                                           0xFFFFFFFFu - 1000, 0xFFFFFFFFu, 0u - 2000u));

}  // namespace
}  // namespace rallo
