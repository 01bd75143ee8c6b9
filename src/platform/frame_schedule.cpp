#include "platform/frame_schedule.h"

namespace rallo {

void FrameSchedule::Start(Time now) {
    running_ = true;
    start_ = now;
    next_ = Later(now, period_);
}

bool FrameSchedule::Follow(bool run, Time now) {
    if (run == running_) return false;
    if (run) {
        Start(now);
    } else {
        Stop();
    }
    return true;
}

bool FrameSchedule::Take(Time now) {
    if (!Due(now)) return false;
    next_ = Later(now, period_ - (now - start_) % period_);
    return true;
}

int FrameSchedule::MsToNextTick(Time now) const {
    const Time left = next_ - now;
    if (left <= 0) return 0;
    return static_cast<int>((left + unitsPerMs_ - 1) / unitsPerMs_);
}

}  // namespace rallo
