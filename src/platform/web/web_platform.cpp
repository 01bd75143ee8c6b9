#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "platform/keys.h"
#include "platform/web/page_bridge.h"

namespace rallo::web {

namespace {

constexpr FrameSchedule::Time kUsPerMs = 1000;

double Px(float twips) {
    return twips / kTwipsPerPixel;
}

// The page's clock, the one its timers keep.
FrameSchedule::Time NowUs() {
    return static_cast<FrameSchedule::Time>(emscripten_get_now() * kUsPerMs);
}

}  // namespace

WebPlatform::WebPlatform() {
    for (const keys::GameKey& key : keys::kGameKeys)
        page_game_key(key.name, key.code);
}

int WebPlatform::Register(Kind kind, Observable& object, Window& window, EventSink& sink) {
    const int id = static_cast<int>(entries_.size());
    entries_.push_back({kind, &object, &window, &sink});
    ids_[&object] = id;
    object.SetObserver(this);
    switch (kind) {
        case Kind::Window:
            page_name(id, window.name.c_str());
            break;
        case Kind::Control:
            page_name(id, static_cast<const Control&>(object).name.c_str());
            break;
        case Kind::Menu:
            page_name(id, static_cast<const MenuItem&>(object).name.c_str());
            break;
        case Kind::Timer:
            page_name(id, static_cast<const Timer&>(object).name.c_str());
            break;
    }
    return id;
}

void WebPlatform::Attach(Window& window, EventSink& sink) {
    const int windowId = Register(Kind::Window, window, window, sink);
    page_window(windowId, window.Caption.get().c_str(), Px(window.clientWidth),
                Px(window.clientHeight), window.BackColor, window.menuBar.empty() ? 0 : 1,
                window.role == WindowRole::Dialog ? 1 : 0);
    for (Control* control : window.controls)
        AddControl(windowId, *control, window, sink);
    for (MenuItem* item : window.menuBar)
        AddMenu(windowId, -1, *item, window, sink);
    for (Timer* timer : window.timers) {
        const int id = Register(Kind::Timer, *timer, window, sink);
        clocks_.push_back({id, FrameSchedule(kUsPerMs)});
        Show(id);
    }
    reader_.Attach(window, windowId);
    Show(windowId);
}

void WebPlatform::AddControl(int windowId, Control& control, Window& window, EventSink& sink) {
    const int id = Register(Kind::Control, control, window, sink);
    switch (control.kind) {
        case ControlKind::Shape: {
            const auto& shape = static_cast<const Shape&>(control);
            page_shape(id, windowId, shape.shape == ShapeKind::Circle ? 1 : 0, shape.FillColor);
            break;
        }
        case ControlKind::Label: {
            const LabelStyle& style = static_cast<const Label&>(control).style;
            page_label(id, windowId, style.systemColors, style.BackColor, style.ForeColor,
                       style.alignment == Alignment::Center, style.border, style.fontName.c_str(),
                       style.fontSize, style.fontBold);
            break;
        }
        case ControlKind::Button:
            page_button(id, windowId);
            break;
        case ControlKind::TextBox:
            page_text_box(id, windowId);
            break;
    }
    Show(id);
}

void WebPlatform::AddMenu(int windowId, int parentId, MenuItem& item, Window& window,
                          EventSink& sink) {
    const int id = Register(Kind::Menu, item, window, sink);
    page_menu(id, windowId, parentId, item.children.empty() ? 0 : 1);
    for (MenuItem* child : item.children)
        AddMenu(windowId, id, *child, window, sink);
    Show(id);
}

void WebPlatform::Changed(Observable& source) {
    const auto found = ids_.find(&source);
    if (found != ids_.end() && !writing_) Show(found->second);
}

// Sends the object's current state to the page.
void WebPlatform::Show(int id) {
    const Entry& entry = entries_[static_cast<std::size_t>(id)];
    switch (entry.kind) {
        case Kind::Window: {
            const Window& window = *entry.window;
            page_window_update(id, window.Caption.get().c_str(), Px(window.Left), Px(window.Top),
                               Px(window.Width), Px(window.Height), window.Visible);
            break;
        }
        case Kind::Control: {
            const auto& control = static_cast<const Control&>(*entry.object);
            std::string text;
            if (control.kind == ControlKind::Label) {
                text = static_cast<const Label&>(control).Caption;
            } else if (control.kind == ControlKind::Button) {
                text = static_cast<const Button&>(control).Caption;
            } else if (control.kind == ControlKind::TextBox) {
                text = static_cast<const TextBox&>(control).Text;
            }
            page_control_update(id, Px(control.Left), Px(control.Top), Px(control.Width),
                                Px(control.Height), control.Visible, text.c_str());
            reader_.Shown(*entry.window, control);
            break;
        }
        case Kind::Menu:
            // Whether an item can be chosen depends on every menu above it.
            ShowMenuTree(static_cast<const MenuItem&>(*entry.object));
            break;
        case Kind::Timer:
            RunClock(id);
            break;
    }
}

void WebPlatform::ShowMenuTree(const MenuItem& item) {
    const int id = ids_.at(&item);
    page_menu_update(id, item.Caption.get().c_str(), item.Checked, item.Reachable());
    page_accessible_name(id, ReaderName(item).c_str());
    for (const MenuItem* child : item.children)
        ShowMenuTree(*child);
}

// The news is taken whenever the game's handlers have run: before the
// events (the game was busy) and after each.
void WebPlatform::DoEvents() {
    int fields[2] = {0, 0};
    reader_.TakeNews(timeGetTime());
    for (int kind; (kind = page_take_event(fields)) != 0;) {
        Dispatch(kind, fields);
        reader_.TakeNews(timeGetTime());
    }
}

void WebPlatform::Dispatch(int kind, const int* fields) {
    const auto id = static_cast<std::size_t>(fields[0]);
    if (id >= entries_.size()) return;
    const Entry& entry = entries_[id];
    switch (static_cast<PageEvent>(kind)) {
        case PageEvent::KeyDown:
            entry.sink->KeyDown(*entry.window, fields[1]);
            break;
        case PageEvent::KeyUp:
            entry.sink->KeyUp(*entry.window, fields[1]);
            break;
        case PageEvent::Button:
            entry.sink->Click(static_cast<Button&>(*entry.object));
            break;
        case PageEvent::Menu:
            entry.sink->Click(static_cast<MenuItem&>(*entry.object));
            Show(fields[0]);  // the page never sets a check mark itself
            break;
        case PageEvent::Text: {
            char* text = page_take_text();
            writing_ = true;
            static_cast<TextBox&>(*entry.object).Text = std::string(text);
            writing_ = false;
            std::free(text);
            break;
        }
        case PageEvent::Tick:
            TimerWentOff(fields[0]);
            break;
        case PageEvent::Close:
            entry.sink->Close(*entry.window);
            break;
        case PageEvent::Wake:
            reader_.Woken();
            break;
        case PageEvent::None:
            break;
    }
}

FrameSchedule* WebPlatform::ScheduleOf(int timerId) {
    for (Clock& clock : clocks_) {
        if (clock.timerId == timerId) return &clock.schedule;
    }
    return nullptr;
}

// A stop drops a tick that has fallen due but not yet run.
void WebPlatform::RunClock(int id) {
    const Entry& entry = entries_[static_cast<std::size_t>(id)];
    FrameSchedule& schedule = *ScheduleOf(id);
    if (!schedule.Follow(static_cast<const Timer&>(*entry.object).Interval != 0, NowUs())) return;
    if (schedule.running()) {
        page_arm_timer(id, schedule.MsToNextTick(NowUs()));
    } else {
        page_stop_timer(id);
    }
}

// The page's timer went off. It is armed again before the tick runs, so a
// frame that waits and handles events meanwhile sees (and drops) the ticks
// due then.
void WebPlatform::TimerWentOff(int id) {
    FrameSchedule* schedule = ScheduleOf(id);
    if (schedule == nullptr || !schedule->running()) return;
    const bool due = schedule->Take(NowUs());
    page_arm_timer(id, schedule->MsToNextTick(NowUs()));
    const Entry& entry = entries_[static_cast<std::size_t>(id)];
    if (due) entry.sink->Tick(static_cast<Timer&>(*entry.object));
}

void WebPlatform::Beep() {
    page_beep();
}

void WebPlatform::Randomize() {
    random_.Randomize();
}

float WebPlatform::Rnd() {
    return random_.Rnd();
}

std::uint32_t WebPlatform::timeGetTime() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

// The page cannot block: the game's stack is parked and the page goes on
// painting and taking input until the time is up.
void WebPlatform::Sleep(std::int32_t milliseconds) {
    emscripten_sleep(milliseconds > 0 ? static_cast<unsigned>(milliseconds) : 0);
}

void WebPlatform::MsgBox(std::string_view text, MsgIcon icon) {
    reader_.Message(text, timeGetTime());
    page_message_box(kAppTitle, std::string(text).c_str(), icon == MsgIcon::Critical ? 1 : 0);
}

float WebPlatform::ScreenWidth() {
    return static_cast<float>(page_viewport_width()) * kTwipsPerPixel;
}

float WebPlatform::ScreenHeight() {
    return static_cast<float>(page_viewport_height()) * kTwipsPerPixel;
}

// The browser's own language decides, as the desktop's does.
NumberFormat WebPlatform::Numbers() {
    return LanguageNumberFormat(page_decimal_separator(), page_group_separator());
}

void WebPlatform::End() {
    page_end();
    std::abort();  // not reached: the page never resumes an ended game
}

}  // namespace rallo::web
