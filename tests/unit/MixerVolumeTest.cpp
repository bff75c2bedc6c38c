// The volume arithmetic of the mixer layer: raw fader values to percent and back, the step
// rule, and the refusals.
#include <gtest/gtest.h>

#include "engine/MixerVolume.h"

namespace {

constexpr uint32_t kVolumeControlType = 0x50030001;  // MIXERCONTROL_CONTROLTYPE_VOLUME
constexpr uint32_t kMuteControlType = 0x20010002;    // MIXERCONTROL_CONTROLTYPE_MUTE

TEST(MixerVolume, OnlyFadersAreVolumeControls) {
    EXPECT_TRUE(IsFaderControl(kVolumeControlType));
    EXPECT_TRUE(IsFaderControl(0x50000000));
    EXPECT_FALSE(IsFaderControl(kMuteControlType));
    EXPECT_FALSE(IsFaderControl(0x40000000));
    EXPECT_FALSE(IsFaderControl(0xD0000000)) << "the whole top nibble counts, not one bit of it";
}

TEST(MixerVolume, PercentOfARawValue) {
    const FaderRange range{0, 65535, 192};
    EXPECT_EQ(FaderPercent(range, 0), 0u);
    EXPECT_EQ(FaderPercent(range, 65535), 100u);
    EXPECT_EQ(FaderPercent(range, 32767), 49u) << "truncated, not rounded";
    EXPECT_EQ(FaderPercent(range, 32768), 50u);

    const FaderRange offset{100, 300, 0};
    EXPECT_EQ(FaderPercent(offset, 100), 0u);
    EXPECT_EQ(FaderPercent(offset, 150), 25u) << "measured from the minimum";
    EXPECT_EQ(FaderPercent(offset, 50), 0u) << "below the minimum reads as the minimum";
    EXPECT_EQ(FaderPercent(offset, 1000), 100u) << "above the maximum reads as the maximum";

    const FaderRange huge{0, 0xFFFFFFFFu, 0};
    EXPECT_EQ(FaderPercent(huge, 0xFFFFFFFFu), 100u) << "100 x value must not wrap in 32 bits";
    EXPECT_EQ(FaderPercent(huge, 0x80000000u), 50u);
}

TEST(MixerVolume, AFaderWithoutARangeReadsFiftyAndRefusesWrites) {
    for (const FaderRange range : {FaderRange{7, 7, 10}, FaderRange{9, 3, 10}}) {
        EXPECT_EQ(FaderPercent(range, 7), 50u);
        uint32_t value = 1234;
        EXPECT_FALSE(FaderValueForPercent(range, 0, value));
        EXPECT_FALSE(FaderValueForPercent(range, 50, value));
        EXPECT_EQ(value, 1234u) << "a refused write leaves the value alone";
    }
}

TEST(MixerVolume, PercentOutsideZeroToHundredIsRefused) {
    const FaderRange range{0, 65535, 33};
    uint32_t value = 77;
    EXPECT_FALSE(FaderValueForPercent(range, 101, value));
    EXPECT_FALSE(FaderValueForPercent(range, -1, value));
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(FaderValueForPercent(range, 0, value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(FaderValueForPercent(range, 100, value));
    EXPECT_EQ(value, 65535u / 32 * 32);
}

TEST(MixerVolume, ValuesAreLoweredToAMultipleOfStepsMinusOne) {
    uint32_t value = 0;
    // 65535 x 0.5 = 32767.5, truncated to 32767, lowered to a multiple of 32.
    ASSERT_TRUE(FaderValueForPercent(FaderRange{0, 65535, 33}, 50, value));
    EXPECT_EQ(value, 32736u);
    // Wine's speaker volume: 192 steps, multiples of 191.
    ASSERT_TRUE(FaderValueForPercent(FaderRange{0, 65535, 192}, 50, value));
    EXPECT_EQ(value, 32661u);
    ASSERT_TRUE(FaderValueForPercent(FaderRange{0, 65535, 192}, 75, value));
    EXPECT_EQ(value, 49151u / 191 * 191);
    // The minimum is added before lowering: 1000 + 100 x 0.3 = 1030 -> 1029 (multiple of 3).
    ASSERT_TRUE(FaderValueForPercent(FaderRange{1000, 1100, 4}, 30, value));
    EXPECT_EQ(value, 1029u);
}

TEST(MixerVolume, NoStepSizeWritesTheValueAsComputed) {
    uint32_t value = 0;
    ASSERT_TRUE(FaderValueForPercent(FaderRange{0, 65535, 0}, 50, value));
    EXPECT_EQ(value, 32767u) << "0 steps is taken as 1: no step to lower to";
    ASSERT_TRUE(FaderValueForPercent(FaderRange{0, 65535, 1}, 33, value));
    EXPECT_EQ(value, 21626u);
}

TEST(MixerVolume, LoweringNeverGoesBelowTheMinimum) {
    uint32_t value = 0;
    // 0 % is the minimum, 1000, which lowered to a multiple of 64 would be 960.
    ASSERT_TRUE(FaderValueForPercent(FaderRange{1000, 5000, 65}, 0, value));
    EXPECT_EQ(value, 1000u);
}

TEST(MixerVolume, SetThenReadGivesThePercentBackOrOneBelow) {
    const FaderRange range{0, 65535, 33};
    for (int32_t percent = 0; percent <= 100; ++percent) {
        uint32_t value = 0;
        ASSERT_TRUE(FaderValueForPercent(range, percent, value));
        const uint32_t back = FaderPercent(range, value);
        EXPECT_LE(back, static_cast<uint32_t>(percent));
        EXPECT_GE(back + 1, static_cast<uint32_t>(percent)) << "a step of 32 is less than 1 %";
    }
}

}  // namespace
