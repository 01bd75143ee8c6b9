// The frame clock behind a window's Timer: ticks on the frame schedule for as
// long as the timer's Interval is non-zero.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/controls.h"
#include "platform/frame_schedule.h"
#include "platform/platform.h"

namespace rallo::qt {

class FrameClock : public QObject, private Observer {
    Q_OBJECT
public:
    FrameClock(Timer& timer, EventSink& sink, QObject* parent = nullptr);

    const Timer& timer() const { return timer_; }
    bool running() const { return schedule_.running(); }
    bool armed() const { return wake_.isActive(); }

private:
    void Changed(Observable& source) override;
    void Fire();
    void Arm();

    Timer& timer_;
    EventSink& sink_;
    QTimer wake_;
    FrameSchedule schedule_;  // in nanoseconds of the steady clock
};

}  // namespace rallo::qt
