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
    explicit SeededRandom(std::uint32_t seed = std::random_device{}()) : engine_(seed) {}
    int below(int bound) override {
        if (bound <= 1) return 0;
        return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
    }

private:
    std::mt19937 engine_;
};

} // namespace tw
