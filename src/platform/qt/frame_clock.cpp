#include "platform/qt/frame_clock.h"

#include <chrono>

#include "platform/qt/probes.h"

namespace rallo::qt {

namespace {

constexpr FrameSchedule::Time kNsPerMs = 1'000'000;

FrameSchedule::Time Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

FrameClock::FrameClock(Timer& timer, EventSink& sink, QObject* parent)
    : QObject(parent), timer_(timer), sink_(sink), schedule_(kNsPerMs) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &FrameClock::Fire);
    timer_.SetObserver(this);
    Changed(timer_);
}

// A stop drops a tick that has fallen due but not yet run.
void FrameClock::Changed(Observable&) {
    if (!schedule_.Follow(timer_.Interval != 0, Now())) return;
    if (schedule_.running()) {
        Arm();
    } else {
        wake_.stop();
    }
}

void FrameClock::Arm() {
    wake_.start(schedule_.MsToNextTick(Now()));
}

void FrameClock::Fire() {
    if (!schedule_.running()) return;
    // A wake-up before the boundary takes nothing and waits again. Armed
    // before the tick runs, so a frame that waits and handles events
    // meanwhile sees (and drops) the ticks due then.
    const bool due = schedule_.Take(Now());
    Arm();
    if (!due) return;
    if (!FrameLogWanted()) {
        sink_.Tick(timer_);
        return;
    }
    const std::int64_t firedNs = MonotonicNs();
    const bool ran = sink_.Tick(timer_);
    LogFrame(firedNs, MonotonicNs(), ran);
}

}  // namespace rallo::qt
