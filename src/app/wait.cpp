// The pacing delay: sleeps in slices and handles window events between them.
#include "app/play_window.h"

namespace rallo {

namespace {
constexpr std::int32_t kLongestSlice = 100;
constexpr std::int32_t kSlicesPerWait = 10;
}  // namespace

void frmRallo::Wait(std::int32_t inMilliseconds) {
    const std::uint32_t start = platform_.timeGetTime();
    std::int32_t slice = inMilliseconds / kSlicesPerWait;
    if (slice > kLongestSlice) slice = kLongestSlice;
    // The counter wraps at 2^32 and crosses the signed limit at 2^31: work
    // modulo 2^32 and read the distance to the deadline as a signed number.
    const std::uint32_t deadline = start + static_cast<std::uint32_t>(inMilliseconds);
    const auto remainingTime = [&] {
        return static_cast<std::int32_t>(deadline - platform_.timeGetTime());
    };
    platform_.DoEvents();
    std::int32_t remaining = remainingTime();
    while (remaining > slice) {
        platform_.Sleep(slice);
        platform_.DoEvents();
        remaining = remainingTime();
    }
    if (remaining > 0) platform_.Sleep(remaining);
}

}  // namespace rallo
