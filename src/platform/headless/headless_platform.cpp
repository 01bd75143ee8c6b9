#include "platform/headless/headless_platform.h"

#include <algorithm>

namespace rallo {

void HeadlessPlatform::SetScreen(float widthTwips, float heightTwips) {
    screenWidth_ = widthTwips;
    screenHeight_ = heightTwips;
}

void HeadlessPlatform::SetClock(std::uint32_t milliseconds) {
    time_ = static_cast<Time>(milliseconds) * kPerMs;
}

std::vector<RecordedEvent> HeadlessPlatform::TakeEvents() {
    std::vector<RecordedEvent> taken;
    taken.swap(events_);
    return taken;
}

void HeadlessPlatform::Queue(Time due, std::function<void()> action) {
    const auto later = std::upper_bound(actions_.begin(), actions_.end(), due,
                                        [](Time t, const Action& a) { return t < a.due; });
    actions_.insert(later, Action{due, std::move(action)});
}

void HeadlessPlatform::RunNow(const std::function<void()>& action) {
    if (ended_) return;
    try {
        action();
    } catch (const ProgramEnded&) {
    }
}

HeadlessPlatform::Time HeadlessPlatform::NextDue() const {
    const Time action = actions_.empty() ? kNever : actions_.front().due;
    return std::min(action, schedule_.NextTick());
}

void HeadlessPlatform::RunUntil(Time end, const std::function<bool()>& done) {
    while (!ended_) {
        const Time next = NextDue();
        // Nothing will ever fall due: the clock stays where it is.
        if (next > end || next == kNever) break;
        time_ = std::max(time_, next);
        // One thing at a time, so that `done` is asked after each: a frame
        // that waited must not be followed by the tick that fell due meanwhile.
        RunNow([this] { ProcessNext(); });
        if (done && done()) return;
        // A handler that overran the end ends the run: what fell due
        // meanwhile, a tick included, stays pending for the next one.
        if (time_ > end) return;
    }
    if (!ended_ && end != kNever) time_ = std::max(time_, end);
}

// Runs the actions and the tick due by now, in time order.
void HeadlessPlatform::ProcessEvents() {
    while (ProcessNext()) {
    }
}

// Runs the earliest action or tick due by now, if any; an action runs before
// a tick due at the same moment. At most one tick is pending: after it the
// schedule goes on from the next boundary, so ticks never burst.
bool HeadlessPlatform::ProcessNext() {
    if (ended_) return false;
    const bool actionDue = !actions_.empty() && actions_.front().due <= time_;
    const bool tickDue = schedule_.Due(time_);
    if (actionDue && (!tickDue || actions_.front().due <= schedule_.NextTick())) {
        const std::function<void()> action = std::move(actions_.front().run);
        actions_.pop_front();
        action();
    } else if (schedule_.Take(time_)) {
        if (sink_->Tick(*timer_)) ++framesRun_;
    } else {
        return false;
    }
    return true;
}

void HeadlessPlatform::Attach(Window& window, EventSink& sink) {
    sink_ = &sink;
    for (Timer* timer : window.timers) {
        timer_ = timer;
        timer->SetObserver(this);
        Changed(*timer);
    }
}

// The frame timer: a stop drops a pending tick.
void HeadlessPlatform::Changed(Observable& source) {
    if (&source == timer_) schedule_.Follow(timer_->Interval != 0, time_);
}

void HeadlessPlatform::Beep() {
    events_.push_back({RecordedEvent::Kind::Beep, {}});
}

float HeadlessPlatform::Rnd() {
    if (!randoms_.empty()) {
        const float r = randoms_.front();
        randoms_.pop_front();
        return r;
    }
    return random_.Rnd();
}

std::uint32_t HeadlessPlatform::timeGetTime() {
    return static_cast<std::uint32_t>(time_ / kPerMs);
}

void HeadlessPlatform::Sleep(std::int32_t milliseconds) {
    if (milliseconds > 0)
        time_ = FrameSchedule::Later(time_, static_cast<Time>(milliseconds) * kPerMs);
}

void HeadlessPlatform::DoEvents() {
    ProcessEvents();
}

// Recorded and answered with OK at once.
void HeadlessPlatform::MsgBox(std::string_view text, MsgIcon icon) {
    events_.push_back({RecordedEvent::Kind::Message, std::string(text), icon});
}

void HeadlessPlatform::End() {
    if (!ended_) events_.push_back({RecordedEvent::Kind::End, {}});
    ended_ = true;
    schedule_.Stop();
    actions_.clear();
    throw ProgramEnded{};
}

}  // namespace rallo
