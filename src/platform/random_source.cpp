#include "platform/random_source.h"

#include <chrono>

namespace rallo {

void RandomSource::Randomize() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    generator_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

float RandomSource::Rnd() {
    // The top 24 bits: every value a float in [0, 1) can hold evenly.
    return static_cast<float>(generator_() >> 8) * 0x1p-24f;
}

}  // namespace rallo
