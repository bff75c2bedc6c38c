// RandomUnit's attempt loop. Each attempt feeds the previous mix back in, multiplied by 2.5,
// so within one call the mix grows about 2.5 times per attempt; it is folded back below 1
// when the call ends.
#include "engine/RandomUnitCore.h"

#include <cmath>

namespace {

constexpr int kAttempts = 10;
constexpr double kWindowLow = 0.4;
constexpr double kWindowHigh = 0.8999;
constexpr double kStretch = 2.0;
constexpr double kGain = 2.5;
constexpr double kGeneratorRange = 32768.0;
constexpr double kIntegerPartModulus = 65536.0;

// The mix minus its integer part taken modulo 65536. Below 65536 that is the fraction of a
// non-negative mix. A mix of 65536 or more (only reachable from a state of about 7 or more
// at the start of a call), a negative mix or a non-finite one would leave a value outside
// [0, 1), so those are folded to their fraction, non-finite ones to 0.
double FractionOf(double mix) {
    double fraction = mix - std::fmod(std::trunc(mix), kIntegerPartModulus);
    if (fraction >= 0.0 && fraction < 1.0) return fraction;
    if (!std::isfinite(mix)) return 0.0;
    fraction = mix - std::floor(mix);
    // A tiny negative mix rounds to exactly 1 here.
    return fraction < 1.0 ? fraction : 0.0;
}

}  // namespace

double NextRandomUnit(double& randomState, RandomLcg& generator, const std::function<RandomClockReading()>& readClock) {
    double fraction = 0.0;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const RandomClockReading now = readClock();
        const double mix =
            (generator.Next() / kGeneratorRange + now.milliseconds / 1000.0 + now.seconds / 60.0 + randomState) * kGain;
        randomState = mix;
        fraction = FractionOf(mix);
        if (attempt < kAttempts && fraction >= kWindowLow && fraction <= kWindowHigh) {
            randomState = fraction;
            return (fraction - kWindowLow) * kStretch;
        }
    }
    randomState = fraction;
    return fraction;
}
