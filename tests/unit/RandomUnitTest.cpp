// RandomUnit's generator and attempt loop, driven by a clock the test controls. The
// expected values are worked out by hand. The mixes are exact binary fractions (generator
// values over 32768, times 2.5) and compare exactly; stretched results pass through 0.4,
// which binary cannot hold exactly, so they compare to within kStretchTolerance.
#include "engine/RandomUnitCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kStretchTolerance = 1e-12;

RandomClockReading Midnight() { return {0, 0}; }

TEST(RandomLcg, FirstValuesFromSeedOne) {
    // seed1 = 1 * 214013 + 2531011 = 2745024, and 2745024 >> 16 = 41; the rest likewise,
    // each seed taken modulo 2^32.
    RandomLcg generator;
    EXPECT_EQ(generator.Next(), 41);
    EXPECT_EQ(generator.Seed(), 2745024u);
    EXPECT_EQ(generator.Next(), 18467);
    EXPECT_EQ(generator.Seed(), 3357800067u);
    EXPECT_EQ(generator.Next(), 6334);
    EXPECT_EQ(generator.Next(), 26500);
    EXPECT_EQ(generator.Next(), 19169);
}

TEST(RandomUnitAttempts, FirstCallsAtAFixedTime) {
    double state = 0.0;
    RandomLcg generator;
    // Attempt 1: (41/32768) * 2.5 = 0.0031280517578125, below the window.
    // Attempt 2: (18467/32768 + 0.0031280517578125) * 2.5 = 1.41674041748046875; its
    // fraction 0.41674041748046875 is in the window, stretched: (f - 0.4) * 2.
    EXPECT_NEAR(NextRandomUnit(state, generator, Midnight), 0.0334808349609375, kStretchTolerance);
    EXPECT_EQ(state, 0.41674041748046875);
    EXPECT_EQ(generator.Seed(), 3357800067u);  // two attempts, two generator values

    // The generator goes on where it stopped: (6334/32768 + 0.41674041748046875) * 2.5 =
    // 1.525096893310546875, fraction 0.525096893310546875.
    EXPECT_NEAR(NextRandomUnit(state, generator, Midnight), 0.25019378662109375, kStretchTolerance);
    EXPECT_EQ(state, 0.525096893310546875);
}

TEST(RandomUnitAttempts, MillisecondsAndSecondsBothFeedTheMix) {
    double state = 0.0;
    RandomLcg generator;
    // (41/32768 + 500/1000 + 30/60) * 2.5 = 2.5031280517578125: in the window at once.
    EXPECT_NEAR(NextRandomUnit(state, generator,
                               [] {
                                   return RandomClockReading{500, 30};
                               }),
                0.206256103515625, kStretchTolerance);

    state = 0.0;
    generator = RandomLcg();
    // Without the seconds: 1.2531280517578125 misses; then
    // (18467/32768 + 0.5 + 1.2531280517578125) * 2.5 = 5.79174041748046875 hits.
    EXPECT_NEAR(NextRandomUnit(state, generator,
                               [] {
                                   return RandomClockReading{500, 0};
                               }),
                0.7834808349609375, kStretchTolerance);
    EXPECT_EQ(state, 0.79174041748046875);
}

TEST(RandomUnitAttempts, ReadsTheClockOncePerAttemptAndStopsAtTen) {
    double state = 0.0;
    RandomLcg generator;
    int totalTenAttemptCalls = 0;
    for (int call = 0; call < 20000; ++call) {
        int reads = 0;
        const double value = NextRandomUnit(state, generator, [&] {
            ++reads;
            return RandomClockReading{(call * 7 + reads * 131) % 1000, (call / 3) % 60};
        });
        ASSERT_GE(reads, 1);
        ASSERT_LE(reads, 10);
        if (reads == 10) {
            // The tenth fraction is returned as it is, window or not.
            ++totalTenAttemptCalls;
            ASSERT_EQ(value, state);
        } else {
            // An earlier stop: the fraction was in the window and is stretched.
            ASSERT_GE(state, 0.4);
            ASSERT_LE(state, 0.8999);
            ASSERT_DOUBLE_EQ(value, (state - 0.4) * 2);
        }
    }
    // About one call in 2^9 misses the window nine times; the ten-attempt path must be run.
    EXPECT_GT(totalTenAttemptCalls, 0);
}

TEST(RandomUnitRange, NeverOutsideZeroToOneOverManyCalls) {
    double state = 0.0;
    RandomLcg generator;
    double lowest = 1.0, highest = 0.0;
    for (int call = 0; call < 200000; ++call) {
        const RandomClockReading now{call % 1000, (call / 1000) % 60};
        const double value = NextRandomUnit(state, generator, [now] { return now; });
        ASSERT_GE(value, 0.0) << "call " << call;
        ASSERT_LT(value, 1.0) << "call " << call;
        ASSERT_GE(state, 0.0);
        ASSERT_LT(state, 1.0);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    // The values spread over the range rather than sticking in one place.
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
}

TEST(RandomUnitRange, LatestTimesOfTheClock) {
    double state = 0.999999;
    RandomLcg generator;
    for (int call = 0; call < 5000; ++call) {
        const double value = NextRandomUnit(state, generator, [] { return RandomClockReading{999, 59}; });
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
    }
}

TEST(RandomUnitRange, AStateFarAboveOneIsFoldedBack) {
    // Taken as written, (41/32768 + 30000) * 2.5 = 75000.0031280517578125 less
    // (75000 mod 65536 = 9464) would be 65536.003...; folded, it is 0.0031280517578125,
    // below the window. Then (18467/32768 + 75000.0031280517578125) * 2.5 =
    // 187501.41674041748046875, fraction 0.41674041748046875, in the window.
    double state = 30000.0;
    RandomLcg generator;
    EXPECT_NEAR(NextRandomUnit(state, generator, Midnight), 0.0334808349609375, kStretchTolerance);
    EXPECT_EQ(state, 0.41674041748046875);
}

TEST(RandomUnitRange, ANegativeStateIsFoldedBack) {
    // (41/32768 - 1) * 2.5 = -2.4968719482421875; as written its fraction would be
    // -0.4968719482421875. Folded: -2.4968719482421875 + 3 = 0.5031280517578125, in the
    // window, stretched to 0.206256103515625.
    double state = -1.0;
    RandomLcg generator;
    EXPECT_NEAR(NextRandomUnit(state, generator, Midnight), 0.206256103515625, kStretchTolerance);
    EXPECT_EQ(state, 0.5031280517578125);
}

TEST(RandomUnitRange, CraftedStatesNeverEscape) {
    const double states[] = {7.0,
                             65536.0,
                             1e12,
                             -1e-300,
                             -123456.789,
                             std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (const double start : states) {
        double state = start;
        RandomLcg generator;
        for (int call = 0; call < 50; ++call) {
            const double value = NextRandomUnit(state, generator, [call] {
                return RandomClockReading{call * 19 % 1000, call % 60};
            });
            ASSERT_GE(value, 0.0) << "start " << start << ", call " << call;
            ASSERT_LT(value, 1.0) << "start " << start << ", call " << call;
            ASSERT_GE(state, 0.0);
            ASSERT_LT(state, 1.0);
        }
    }
}

}  // namespace
