// The game's platform on a web page: every Window becomes an in-page window
// drawn by the page's script, every Timer a frame schedule woken by a page
// timer. The page queues what the player does; the game takes it in
// DoEvents, which the pacing delay calls between its sleeps, and which the
// page calls (through Pump) whenever the game is idle.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/frame_schedule.h"
#include "platform/platform.h"
#include "platform/random_source.h"
#include "platform/web/page_reader.h"

namespace rallo::web {

class WebPlatform : public Platform, private Observer {
public:
    // Tells the page the game's keys, before any window exists.
    WebPlatform();

    void Attach(Window& window, EventSink& sink) override;
    void Beep() override;
    void Randomize() override;
    float Rnd() override;
    std::uint32_t timeGetTime() override;
    void Sleep(std::int32_t milliseconds) override;
    void DoEvents() override;
    void MsgBox(std::string_view text, MsgIcon icon) override;
    float ScreenWidth() override;
    float ScreenHeight() override;
    NumberFormat Numbers() override;
    [[noreturn]] void End() override;

private:
    enum class Kind { Window, Control, Menu, Timer };
    struct Entry {
        Kind kind;
        Observable* object;
        Window* window;  // the window it belongs to
        EventSink* sink;
    };

    int Register(Kind kind, Observable& object, Window& window, EventSink& sink);
    void AddControl(int windowId, Control& control, Window& window, EventSink& sink);
    void AddMenu(int windowId, int parentId, MenuItem& item, Window& window, EventSink& sink);
    void Changed(Observable& source) override;
    void Show(int id);
    void ShowMenuTree(const MenuItem& item);
    void Dispatch(int kind, const int* fields);
    FrameSchedule* ScheduleOf(int timerId);
    void RunClock(int id);
    void TimerWentOff(int id);

    std::vector<Entry> entries_;  // an object's id is its index
    std::unordered_map<const Observable*, int> ids_;
    struct Clock {
        int timerId;
        FrameSchedule schedule;  // in microseconds
    };
    std::vector<Clock> clocks_;
    PageReader reader_{ids_};
    RandomSource random_;
    bool writing_ = false;  // the page itself is writing to a control
};

}  // namespace rallo::web
