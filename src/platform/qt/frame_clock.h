// The frame clock behind a window's Timer: ticks on a fixed 1/64 s schedule
// for as long as the timer's Interval is non-zero.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>

#include "platform/controls.h"
#include "platform/platform.h"

namespace rallo::qt {

class FrameClock : public QObject, private Observer {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;
    // The game's speeds are per 1/64 s frame.
    static constexpr std::chrono::nanoseconds kPeriod{15'625'000};

    FrameClock(Timer& timer, EventSink& sink, QObject* parent = nullptr);

    const Timer& timer() const { return timer_; }
    bool running() const { return running_; }
    bool armed() const { return wake_.isActive(); }

private:
    void Changed(Observable& source) override;
    void Fire();
    void ArmFor(std::int64_t tick);

    Timer& timer_;
    EventSink& sink_;
    QTimer wake_;
    bool running_ = false;
    Clock::time_point start_;
    std::int64_t nextTick_ = 0;  // index k of the tick due at start_ + k * kPeriod
};

}  // namespace rallo::qt
