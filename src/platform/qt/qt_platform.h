// The game's platform on a real desktop: every Window becomes a Qt window,
// every Timer a frame clock; the services use the desktop's own.
#pragma once

#include <QMargins>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/title_bars.h"

namespace rallo::qt {

class DesktopBell;
class FrameClock;
class KeyFilter;
class WindowView;

// The views observe the game's windows without owning them and never touch
// them when destroyed, so the program may go first.
class QtPlatform : public Platform {
public:
    // Needs the QApplication to exist.
    QtPlatform();
    ~QtPlatform() override;

    // The view of an attached window, for tests and for placing message boxes.
    WindowView* ViewOf(const Window& window) const;
    FrameClock* ClockOf(const Timer& timer) const;
    // Who draws the windows' title bars; tests hand them to the game.
    TitleBars& titleBars() { return titleBars_; }

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
    std::unique_ptr<KeyFilter> keys_;
    std::unique_ptr<DesktopBell> bell_;
    std::vector<std::unique_ptr<WindowView>> views_;
    std::vector<std::unique_ptr<FrameClock>> clocks_;
    QMargins frame_;  // the window manager's frame, once one has been seen
    TitleBars titleBars_;
    std::mt19937 generator_;
};

}  // namespace rallo::qt
