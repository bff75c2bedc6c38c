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
    EXPECT_EQ(value, 65535u) << "the maximum is a value of the fader even off its steps";
}

struct StepCase {
    FaderRange range;
    int32_t percent;
    uint32_t value;
    const char* why;
};

TEST(MixerVolume, ValuesLandOnTheSmallestStepThatReadsAsThePercent) {
    const StepCase cases[] = {
        {{0, 65535, 33}, 50, 32768, "32767.5 rounds up to 32768, itself a multiple of 32"},
        {{0, 65535, 192}, 50, 32852, "Wine's speakers: 32768 up to 172 x 191"},
        {{0, 65535, 192}, 99, 64940, "340 x 191; the step below, 64749, would read 98"},
        {{0, 65535, 0}, 50, 32768, "0 steps: every value is a step"},
        {{0, 65535, 1}, 33, 21627, "1 step: 21626.55 rounded up"},
        {{1000, 5000, 65}, 0, 1000, "0 % is the minimum, though 1000 is no multiple of 64"},
        {{1000, 5000, 65}, 1, 1024, "steps of 1.6 %: 1088 reads 2, so the step below"},
        {{1000, 1100, 4}, 30, 1029, "too coarse for 30 %: 1032 reads 32, so the step below"},
    };
    for (const StepCase& c : cases) {
        uint32_t value = 0;
        ASSERT_TRUE(FaderValueForPercent(c.range, c.percent, value)) << c.why;
        EXPECT_EQ(value, c.value) << c.why;
    }
}

TEST(MixerVolume, AWrittenPercentReadsBackTheSame) {
    const FaderRange ranges[] = {{0, 65535, 192}, {0, 65535, 33},      {0, 65535, 0},
                                 {100, 300, 0},   {0, 0xFFFFFFFFu, 0}, {0, 255, 0}};
    for (const FaderRange& range : ranges) {
        for (int32_t percent = 0; percent <= 100; ++percent) {
            uint32_t value = 0;
            ASSERT_TRUE(FaderValueForPercent(range, percent, value));
            EXPECT_EQ(FaderPercent(range, value), static_cast<uint32_t>(percent))
                << percent << " % on " << range.minimum << ".." << range.maximum << " in " << range.steps << " steps";
        }
    }
}

}  // namespace
