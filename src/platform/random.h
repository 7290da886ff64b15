#pragma once

#include <cstdint>
#include <random>

namespace tw {

// The source of every random number in the game, so tests can make play deterministic.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..bound-1 (bound >= 1).
    virtual int below(int bound) = 0;
};

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed = std::random_device{}()) : seed_(seed), engine_(seed) {}
    // The seed the numbers started from: a recording of play keeps it, so its replay draws the same ones.
    std::uint32_t seed() const { return seed_; }
    int below(int bound) override {
        if (bound <= 1) return 0;
        // The Mersenne Twister's output is the same everywhere, but the standard library's distributions
        // are not: the mapping to 0..bound-1 is done here, by rejecting the uneven top of the range, so
        // that a seed gives the same game whatever library the program was built with.
        const std::uint32_t range = std::uint32_t(bound);
        const std::uint32_t limit = std::uint32_t(0xFFFFFFFFu - (0xFFFFFFFFu % range + 1u) % range);
        for (;;) {
            const std::uint32_t value = std::uint32_t(engine_());
            if (value <= limit) return int(value % range);
        }
    }

private:
    std::uint32_t seed_;
    std::mt19937 engine_;
};

} // namespace tw
