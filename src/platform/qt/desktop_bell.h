// The desktop's own bell: the sound theme's "bell-window-system" event,
// played through libcanberra as an event sound, so the desktop's
// event-sound volume and mute apply. Where no sound server takes it, the
// toolkit's bell rings instead, silent as it may be.
#pragma once

#include <functional>
#include <future>

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
    bool Connected() { return Context() != nullptr; }

private:
    ca_context* Context();

    std::function<void()> fallback_;
    // Connecting to the sound server takes milliseconds the first paint
    // need not wait for; the first ring, seconds later, takes the result.
    std::future<ca_context*> opening_;
    ca_context* context_ = nullptr;
};

}  // namespace rallo::qt
