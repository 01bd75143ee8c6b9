// A platform without a screen: a virtual millisecond clock, scripted random
// values, recorded beeps and message boxes, and an event queue of player
// actions. Everything is exact and instant, so rule tests are deterministic.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/frame_schedule.h"
#include "platform/platform.h"
#include "platform/random_source.h"

namespace rallo {

// Thrown by End() to unwind every handler at once.
struct ProgramEnded {};

struct RecordedEvent {
    enum class Kind { Beep, Message, End } kind;
    std::string text;
    MsgIcon icon = MsgIcon::Information;
};

class HeadlessPlatform : public Platform, private Observer {
public:
    // Virtual time is kept in eighths of a millisecond: the frame period of
    // 15.625 ms is exactly 125 of them.
    using Time = FrameSchedule::Time;
    static constexpr Time kPerMs = 8;
    static constexpr Time kNever = FrameSchedule::kNever;
    // The latest moment a script may ask for: far beyond any game, and far
    // enough below kNever that no handler's sleeps can overrun the range.
    static constexpr Time kLatestMs = 1'000'000'000'000'000'000;
    static constexpr Time kLatest = kLatestMs * kPerMs;

    HeadlessPlatform() = default;

    // Set-up, before the program starts.
    void SetScreen(float widthTwips, float heightTwips);
    void SetClock(std::uint32_t milliseconds);
    void QueueRandom(float r) { randoms_.push_back(r); }

    Time Now() const { return time_; }
    bool Ended() const { return ended_; }
    bool TimerRunning() const { return schedule_.running(); }
    long FramesRun() const { return framesRun_; }
    std::vector<RecordedEvent> TakeEvents();
    const std::vector<RecordedEvent>& Events() const { return events_; }  // not yet taken

    // A player action, run at the first processing of events at or after `due`.
    void Queue(Time due, std::function<void()> action);
    // Runs `action` now, as the outermost handler.
    void RunNow(const std::function<void()>& action);
    // The idle loop: handles everything that falls due, in time order, until
    // `end` or until `done` says so after a processing of events.
    void RunUntil(Time end, const std::function<bool()>& done = {});

    // Platform
    void Attach(Window& window, EventSink& sink) override;
    void Beep() override;
    void Randomize() override {}
    float Rnd() override;
    std::uint32_t timeGetTime() override;
    void Sleep(std::int32_t milliseconds) override;
    void DoEvents() override;
    void MsgBox(std::string_view text, MsgIcon icon) override;
    float ScreenWidth() override { return screenWidth_; }
    float ScreenHeight() override { return screenHeight_; }
    NumberFormat Numbers() override { return {'.', ','}; }
    void End() override;

private:
    struct Action {
        Time due;
        std::function<void()> run;
    };

    void Changed(Observable& source) override;
    void ProcessEvents();
    bool ProcessNext();
    Time NextDue() const;

    Time time_ = 0;
    float screenWidth_ = 15360;
    float screenHeight_ = 11520;
    std::deque<float> randoms_;
    RandomSource random_{1};  // after the scripted values
    std::vector<RecordedEvent> events_;
    std::deque<Action> actions_;  // kept in due order, stable
    EventSink* sink_ = nullptr;
    Timer* timer_ = nullptr;
    FrameSchedule schedule_{kPerMs};
    long framesRun_ = 0;
    bool ended_ = false;
};

}  // namespace rallo
