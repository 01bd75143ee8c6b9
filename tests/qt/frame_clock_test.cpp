// The frame clock on a real event loop. No test here measures time; they
// only count ticks, with generous waits.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <chrono>
#include <functional>
#include <thread>

#include "eventually.h"
#include "platform/qt/frame_clock.h"

namespace rallo::qt {
namespace {

using namespace std::chrono_literals;

// Counts ticks; a tick may run a body, as a frame does.
class TickCounter : public EventSink {
public:
    void KeyDown(Window&, int) override {}
    void KeyUp(Window&, int) override {}
    void Click(Button&) override {}
    void Click(MenuItem&) override {}
    void Close(Window&) override {}
    bool Tick(Timer&) override {
        ++ticks;
        if (depth > 0) {
            ++nested;
            return false;
        }
        ++depth;
        if (body) body(ticks);
        --depth;
        return true;
    }

    int ticks = 0;
    int nested = 0;  // ticks that arrived while another tick was running
    int depth = 0;
    std::function<void(int)> body;
};

void SpinFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

TEST(FrameClockTest, RunsOnlyWhileTheIntervalIsNonZero) {
    Timer timer("tmr", 0);
    TickCounter sink;
    FrameClock clock(timer, sink);
    QTest::qWait(50);
    EXPECT_EQ(sink.ticks, 0);
    EXPECT_FALSE(clock.armed()) << "no wake-ups while stopped";

    timer.Interval = 1;
    ASSERT_EVENTUALLY(sink.ticks >= 5);
    timer.Interval = 3;  // another running value: still running
    ASSERT_EVENTUALLY(sink.ticks >= 8);
    timer.Interval = 0;
    EXPECT_FALSE(clock.armed());
    int stopped = sink.ticks;
    QTest::qWait(80);
    EXPECT_EQ(sink.ticks, stopped);

    // Stopped while a tick has fallen due unseen: that tick is dropped too.
    timer.Interval = 1;
    std::this_thread::sleep_for(50ms);
    timer.Interval = 0;
    SpinFor(30ms);
    EXPECT_EQ(sink.ticks, stopped);
}

TEST(FrameClockTest, MissedTicksAreNotMadeUpInABurst) {
    Timer timer("tmr", 1);
    TickCounter sink;
    sink.body = [](int tick) {
        if (tick == 1) std::this_thread::sleep_for(200ms);  // a dozen periods
    };
    FrameClock clock(timer, sink);
    ASSERT_EVENTUALLY(sink.ticks >= 1);
    // At most one late tick is pending; the rest of the missed ones are gone.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_LE(sink.ticks, 3);
    EXPECT_TRUE(clock.armed());
}

TEST(FrameClockTest, TicksDueInsideAWaitingTickAreOfferedAndTheClockGoesOn) {
    Timer timer("tmr", 1);
    TickCounter sink;
    // The game's serve pause: a frame that handles events for a while.
    sink.body = [](int tick) {
        if (tick == 1) SpinFor(150ms);
    };
    FrameClock clock(timer, sink);
    ASSERT_EVENTUALLY(sink.ticks >= 1);
    EXPECT_GE(sink.nested, 1);
    const int after = sink.ticks;
    ASSERT_EVENTUALLY(sink.ticks >= after + 3);
}

}  // namespace
}  // namespace rallo::qt
