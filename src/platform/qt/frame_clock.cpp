#include "platform/qt/frame_clock.h"

#include "platform/qt/probes.h"

namespace rallo::qt {

FrameClock::FrameClock(Timer& timer, EventSink& sink, QObject* parent)
    : QObject(parent), timer_(timer), sink_(sink) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &FrameClock::Fire);
    timer_.SetObserver(this);
    Changed(timer_);
}

// Only the run state matters: a new non-zero Interval while running keeps the
// schedule, 0 stops it and drops a tick that has fallen due but not yet run.
void FrameClock::Changed(Observable&) {
    const bool run = timer_.Interval != 0;
    if (run == running_) return;
    running_ = run;
    if (run) {
        start_ = Clock::now();
        ArmFor(1);
    } else {
        wake_.stop();
    }
}

void FrameClock::ArmFor(std::int64_t tick) {
    nextTick_ = tick;
    const auto left = start_ + tick * kPeriod - Clock::now();
    // Rounded up so the timer does not wake before the deadline.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    wake_.start(static_cast<int>(ms > 0 ? ms : 0));
}

void FrameClock::Fire() {
    if (!running_) return;
    const auto now = Clock::now();
    if (now < start_ + nextTick_ * kPeriod) {  // woke early
        ArmFor(nextTick_);
        return;
    }
    // Missed boundaries are not made up: the next tick is the first one
    // strictly after now. Armed before the tick runs, so a frame that waits
    // and handles events meanwhile sees (and drops) the ticks due then.
    ArmFor((now - start_) / kPeriod + 1);
    if (!FrameLogWanted()) {
        sink_.Tick(timer_);
        return;
    }
    const std::int64_t firedNs = MonotonicNs();
    const bool ran = sink_.Tick(timer_);
    LogFrame(firedNs, MonotonicNs(), ran);
}

}  // namespace rallo::qt
