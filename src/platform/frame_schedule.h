// The frame timer's schedule, the same on every platform. While the timer
// runs, a tick falls due on each boundary start + k/64 s (k = 1, 2, ...). A
// tick due is taken once, whenever the platform next looks; the next one then
// falls on the first boundary strictly after that moment, so missed ticks are
// dropped, never made up in a burst. A stop drops a tick due and not taken;
// a start begins a new schedule from that moment.
#pragma once

#include <cstdint>
#include <limits>

namespace rallo {

class FrameSchedule {
public:
    // Moments in the platform's own clock units.
    using Time = std::int64_t;
    static constexpr Time kNever = std::numeric_limits<Time>::max();
    // The game's speeds are per frame.
    static constexpr Time kFramesPerSecond = 64;

    // time + span, stopping at kNever instead of overflowing.
    static constexpr Time Later(Time time, Time span) {
        return span > kNever - time ? kNever : time + span;
    }

    // `unitsPerMs` of the platform's units make a millisecond; a frame must
    // be a whole number of them (eighths of a millisecond or finer).
    explicit constexpr FrameSchedule(Time unitsPerMs)
        : unitsPerMs_(unitsPerMs), period_(unitsPerMs * 1000 / kFramesPerSecond) {}

    Time period() const { return period_; }
    bool running() const { return running_; }
    void Start(Time now);
    void Stop() { running_ = false; }
    // Follows a timer's run state: only the change matters, so a new
    // non-zero Interval while running keeps the schedule. Returns whether it
    // started or stopped.
    bool Follow(bool run, Time now);

    // When the next tick falls due; kNever while stopped.
    Time NextTick() const { return running_ ? next_ : kNever; }
    bool Due(Time now) const { return running_ && next_ <= now; }
    // Takes the tick due by now; false if none is.
    bool Take(Time now);
    // Whole milliseconds to the next tick, rounded up so that a timer set for
    // them does not wake before it; 0 once it is due. Only while running.
    int MsToNextTick(Time now) const;

private:
    Time unitsPerMs_;
    Time period_;
    bool running_ = false;
    Time start_ = 0;
    Time next_ = kNever;
};

}  // namespace rallo
