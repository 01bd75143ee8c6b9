// The one way the game reaches the outside world, and the one way the outside
// world reaches the game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/number_format.h"

namespace rallo {

inline constexpr const char* kAppTitle = "Rallo2";
inline constexpr float kTwipsPerPixel = 15.0f;

enum class MsgIcon { Information, Critical };

// Toolkit events, turned into calls of the game's handlers. The game
// implements this; platforms call it.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void KeyDown(Window& window, int keyCode) = 0;
    virtual void KeyUp(Window& window, int keyCode) = 0;
    virtual void Click(Button& button) = 0;
    virtual void Click(MenuItem& item) = 0;
    // One tick of a window's timer; returns whether a frame ran (a tick that
    // falls due while a frame is running is dropped).
    virtual bool Tick(Timer& timer) = 0;
    // The window was closed from its title bar.
    virtual void Close(Window& window) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A window has been created: give it its view and run its timers. Events
    // of the window go to the sink.
    virtual void Attach(Window& window, EventSink& sink) = 0;

    virtual void Beep() = 0;
    virtual void Randomize() = 0;  // seed the generator from the clock
    virtual float Rnd() = 0;       // uniform in [0, 1), single precision
    virtual std::uint32_t timeGetTime() = 0;
    virtual void Sleep(std::int32_t milliseconds) = 0;
    virtual void DoEvents() = 0;  // run every pending window event, then return
    // A modal box titled kAppTitle with one OK button; returns when it is closed.
    virtual void MsgBox(std::string_view text, MsgIcon icon) = 0;
    virtual float ScreenWidth() = 0;  // twips
    virtual float ScreenHeight() = 0;
    virtual NumberFormat Numbers() = 0;
    // Ends the program at once; no further handler runs. Does not return.
    virtual void End() = 0;
};

}  // namespace rallo
