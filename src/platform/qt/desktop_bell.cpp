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

}  // namespace

DesktopBell::DesktopBell(std::function<void()> fallback) : fallback_(std::move(fallback)) {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return;
    // Opened here once, so that a missing server costs one try, not one a beep.
    if (ca_context_change_props(context, CA_PROP_APPLICATION_NAME, kApplicationName,
                                CA_PROP_APPLICATION_ID, kApplicationId, nullptr) != CA_SUCCESS ||
        ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        return;
    }
    context_ = context;
}

DesktopBell::~DesktopBell() {
    if (context_ != nullptr) ca_context_destroy(context_);
}

void DesktopBell::Ring() {
    // Kept in the server after the first ring, so later rings send no samples.
    if (context_ != nullptr &&
        ca_context_play(context_, kBellSoundId, CA_PROP_EVENT_ID, kBellEvent, CA_PROP_MEDIA_ROLE,
                        "event", CA_PROP_CANBERRA_CACHE_CONTROL, "permanent",
                        nullptr) == CA_SUCCESS) {
        return;
    }
    if (fallback_) fallback_();
}

}  // namespace rallo::qt
