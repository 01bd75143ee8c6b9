#include "platform/qt/desktop_bell.h"

#include <canberra.h>

#include <cstdint>
#include <utility>

namespace rallo::qt {

namespace {

constexpr char kApplicationName[] = "Rallo2";
constexpr char kApplicationId[] = "org.rallo2.Rallo2";
constexpr char kBellEvent[] = "bell-window-system";
// Every ring plays under this one id: it is never cancelled, so sounds of
// the same id overlap rather than replace each other.
constexpr std::uint32_t kBellSoundId = 1;

// The context with the program's name and id, open; null where no sound
// server takes it.
ca_context* OpenContext() {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return nullptr;
    if (ca_context_change_props(context, CA_PROP_APPLICATION_NAME, kApplicationName,
                                CA_PROP_APPLICATION_ID, kApplicationId, nullptr) != CA_SUCCESS ||
        ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        return nullptr;
    }
    return context;
}

}  // namespace

DesktopBell::DesktopBell(std::function<void()> fallback)
    : fallback_(std::move(fallback)), opening_(std::async(std::launch::async, OpenContext)) {}

DesktopBell::~DesktopBell() {
    if (ca_context* context = Context()) ca_context_destroy(context);
}

// Opened once: a missing server costs one try, not one a beep (playing on
// a context that failed to open would try to open it again).
ca_context* DesktopBell::Context() {
    if (opening_.valid()) context_ = opening_.get();
    return context_;
}

void DesktopBell::Ring() {
    // Kept in the server after the first ring, so later rings send no samples.
    ca_context* context = Context();
    if (context != nullptr &&
        ca_context_play(context, kBellSoundId, CA_PROP_EVENT_ID, kBellEvent, CA_PROP_MEDIA_ROLE,
                        "event", CA_PROP_CANBERRA_CACHE_CONTROL, "permanent",
                        nullptr) == CA_SUCCESS) {
        return;
    }
    if (fallback_) fallback_();
}

}  // namespace rallo::qt
