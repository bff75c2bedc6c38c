// The portable heart of RandomUnit(): a pseudo-random double in [0, 1) mixed from the C
// library's classic linear congruential generator and the wall clock. The Win32 side reads
// the system time through the callback and keeps the state between calls; tests supply
// their own clock and state.
#pragma once

#include <cstdint>
#include <functional>

// The classic C-library generator: seed starts at 1 and is never reseeded.
class RandomLcg {
public:
    RandomLcg() = default;
    explicit RandomLcg(uint32_t seed) : seed_(seed) {}
    // The next value, 0 to 32767.
    int32_t Next() {
        seed_ = seed_ * kMultiplier + kIncrement;  // modulo 2^32 by unsigned wrap-around
        return static_cast<int32_t>((seed_ >> 16) & 0x7FFF);
    }
    uint32_t Seed() const { return seed_; }

private:
    static constexpr uint32_t kMultiplier = 214013;
    static constexpr uint32_t kIncrement = 2531011;
    uint32_t seed_ = 1;
};

// The two fields of the system time that feed the mix.
struct RandomClockReading {
    int32_t milliseconds;  // 0..999
    int32_t seconds;       // 0..59
};

// Up to ten attempts, each reading the clock and stirring `randomState` (kept between calls;
// 0.0 before the first), until the fraction lands in the window [0.4, 0.8999]; that fraction
// is then stretched over [0, 1). If no attempt lands there, the tenth fraction is returned
// as it is. The result is always in [0, 1), whatever the state held before.
double NextRandomUnit(double& randomState, RandomLcg& generator, const std::function<RandomClockReading()>& readClock);
