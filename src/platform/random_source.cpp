#include "platform/random_source.h"

#include <ctime>

namespace rallo {

// The C clock rather than std::chrono's: the same nanoseconds, without the
// exception machinery a failing clock would bring into the page's code.
void RandomSource::Randomize() {
    std::timespec now{};
    std::timespec_get(&now, TIME_UTC);
    const auto ns = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u +
                    static_cast<std::uint64_t>(now.tv_nsec);
    generator_.seed(static_cast<std::mt19937::result_type>(ns ^ (ns >> 32)));
}

float RandomSource::Rnd() {
    // The top 24 bits: every value a float in [0, 1) can hold evenly.
    return static_cast<float>(generator_() >> 8) * 0x1p-24f;
}

}  // namespace rallo
