// The desktop's own bell: the sound theme's "bell-window-system" event,
// played through libcanberra as an event sound, so the desktop's
// event-sound volume and mute apply. Where no sound server takes it, the
// toolkit's bell rings instead, silent as it may be.
#pragma once

#include <functional>

struct ca_context;

namespace rallo::qt {

class DesktopBell {
public:
    // `fallback` rings when the desktop cannot play the sound.
    explicit DesktopBell(std::function<void()> fallback);
    ~DesktopBell();
    DesktopBell(const DesktopBell&) = delete;
    DesktopBell& operator=(const DesktopBell&) = delete;

    // One sound per call: a second ring while the first still plays is a
    // second sound, not a restart.
    void Ring();

    // Whether the sound server took the context; false means every ring
    // goes to the fallback.
    bool Connected() const { return context_ != nullptr; }

private:
    ca_context* context_ = nullptr;
    std::function<void()> fallback_;
};

}  // namespace rallo::qt
