// A screen reader's questions answered while the game sleeps. Its calls
// reach this thread as events posted by Qt's D-Bus thread to the objects
// that serve the accessibility bus; a plain sleep would leave them waiting
// until the next processing of events, and the reader silent.
#pragma once

#include <chrono>

namespace rallo::qt {

// Sleeps for `span`, delivering in the meantime only the reader's calls:
// no input, timer or paint is handled, so the game's pacing is untouched.
// Without an accessibility bus it is a plain sleep.
void SleepAnsweringReader(std::chrono::milliseconds span);

}  // namespace rallo::qt
