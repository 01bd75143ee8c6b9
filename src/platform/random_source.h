// The game's random numbers: uniform single-precision values in [0, 1) from
// a generator that Randomize seeds from the clock.
#pragma once

#include <cstdint>
#include <random>

namespace rallo {

class RandomSource {
public:
    RandomSource() = default;
    explicit RandomSource(std::uint32_t seed) : generator_(seed) {}

    void Randomize();
    float Rnd();

private:
    std::mt19937 generator_;
};

}  // namespace rallo
