// The frame schedule every platform's frame timer keeps, on a clock counted
// in microseconds: boundaries every 15.625 ms from the start, a missed one not
// made up, a stop that drops the tick due.
#include <gtest/gtest.h>

#include "platform/frame_schedule.h"

namespace rallo {
namespace {

constexpr FrameSchedule::Time kPeriod = 15'625;  // microseconds

TEST(FrameSchedule, TicksOnBoundariesFromTheStartAndNeverBefore) {
    FrameSchedule schedule(1000);
    EXPECT_EQ(schedule.period(), kPeriod);
    EXPECT_FALSE(schedule.Due(0)) << "stopped";
    schedule.Start(1'000'300);  // a restart begins from its own moment
    EXPECT_FALSE(schedule.Take(1'000'300 + kPeriod - 100));
    EXPECT_EQ(schedule.MsToNextTick(1'000'300 + kPeriod - 100), 1);  // rounded up
    EXPECT_TRUE(schedule.Take(1'000'300 + kPeriod));
    EXPECT_EQ(schedule.NextTick(), 1'000'300 + 2 * kPeriod);
    EXPECT_EQ(schedule.MsToNextTick(1'000'300 + 2 * kPeriod), 0);
    // Another non-zero Interval while running keeps the schedule.
    EXPECT_FALSE(schedule.Follow(true, 1'020'000));
    EXPECT_EQ(schedule.NextTick(), 1'000'300 + 2 * kPeriod);
}

TEST(FrameSchedule, MissedBoundariesAreDroppedAndOneTickIsTaken) {
    FrameSchedule schedule(1000);
    schedule.Start(0);
    // A busy game looks only at 200 ms: one tick, and the next boundary after.
    EXPECT_TRUE(schedule.Take(200'000));
    EXPECT_FALSE(schedule.Take(200'000));
    EXPECT_EQ(schedule.NextTick(), 13 * kPeriod);
    // About half a frame late for tick 20: the schedule, not the wake-up, rules.
    EXPECT_TRUE(schedule.Take(20 * kPeriod + 9'000));
    EXPECT_FALSE(schedule.Due(21 * kPeriod - 1));
    EXPECT_TRUE(schedule.Take(21 * kPeriod + 1'000));
}

TEST(FrameSchedule, AStopDropsTheTickDueAndTheEndOfTimeIsNeverPassed) {
    FrameSchedule schedule(8);  // eighths of a millisecond
    EXPECT_TRUE(schedule.Follow(true, 0));
    EXPECT_TRUE(schedule.Due(125));
    EXPECT_TRUE(schedule.Follow(false, 130));
    EXPECT_FALSE(schedule.Due(10'000));
    EXPECT_EQ(schedule.NextTick(), FrameSchedule::kNever);
    schedule.Start(FrameSchedule::kNever - 100);
    EXPECT_EQ(schedule.NextTick(), FrameSchedule::kNever);
}

}  // namespace
}  // namespace rallo
