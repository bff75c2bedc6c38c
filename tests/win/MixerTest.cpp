// The mixer layer against Wine's real mixer (the runner's captured sound device gives one):
// finding the speakers' volume control, reading and writing it in percent with the step
// rule, and the refusals.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "engine/MixerVolume.h"
#include "platform/Mixer.h"

namespace {

constexpr DWORD kSpeakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;  // 4
constexpr DWORD kVolume = MIXERCONTROL_CONTROLTYPE_VOLUME;         // 0x50030001
static_assert(kSpeakers == 4 && kVolume == 0x50030001, "the music window's line and control types");

// The control's description and raw value, read past the layer under test.
struct RawFader {
    FaderRange range;
    DWORD value = 0;
};

RawFader ReadRaw(DWORD controlId) {
    RawFader raw;
    MIXERCONTROLA control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwControlID = controlId;
    query.cControls = 1;
    query.cbmxctrl = sizeof control;
    query.pamxctrl = &control;
    auto mixer = reinterpret_cast<HMIXEROBJ>(App.MixerHandle);
    EXPECT_EQ(mixerGetLineControlsA(mixer, &query, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYID),
              MMSYSERR_NOERROR);
    raw.range = FaderRange{control.Bounds.dwMinimum, control.Bounds.dwMaximum, control.Metrics.cSteps};
    MIXERCONTROLDETAILS_UNSIGNED value{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    EXPECT_EQ(mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE),
              MMSYSERR_NOERROR);
    raw.value = value.dwValue;
    return raw;
}

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(mixerGetNumDevs(), 0u) << "run through scripts/wine-run.sh, which gives Wine a sound device";
    }
    void TearDown() override {
        if (App.MixerHandle != nullptr) MixerClose();
    }
    // Opens the mixer and finds the speakers' volume control.
    void OpenSpeakerVolume(HWND window) {
        ASSERT_TRUE(MixerOpen(window));
        ASSERT_NE(App.MixerHandle, nullptr);
        DWORD line = 0;
        ASSERT_TRUE(GetLineId(kSpeakers, line));
        ASSERT_TRUE(GetControlId(line, kVolume, volume_));
    }
    DWORD volume_ = 0;
};

TEST_F(MixerTest, ReadsAndWritesTheSpeakerVolumeInSteps) {
    OpenSpeakerVolume(nullptr);
    const RawFader before = ReadRaw(volume_);
    ASSERT_TRUE(HasFaderRange(before.range));

    uint32_t percent = 999;
    ASSERT_TRUE(GetVolumePercent(volume_, percent));
    EXPECT_EQ(percent, FaderPercent(before.range, before.value));

    for (int32_t wanted : {30, 100, 0, 50}) {
        ASSERT_TRUE(SetVolumePercent(volume_, wanted)) << wanted;
        uint32_t expected = 0;
        ASSERT_TRUE(FaderValueForPercent(before.range, wanted, expected));
        EXPECT_EQ(ReadRaw(volume_).value, expected) << wanted << " % lands on the step below";
        ASSERT_TRUE(GetVolumePercent(volume_, percent));
        EXPECT_EQ(percent, FaderPercent(before.range, expected));
    }

    const DWORD kept = ReadRaw(volume_).value;
    EXPECT_FALSE(SetVolumePercent(volume_, 101));
    EXPECT_FALSE(SetVolumePercent(volume_, -1));
    EXPECT_EQ(ReadRaw(volume_).value, kept) << "refused writes change nothing";

    // Leave the device as it was.
    MIXERCONTROLDETAILS_UNSIGNED value{before.value};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = volume_;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(App.MixerHandle), &details,
                           MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

TEST_F(MixerTest, ARawValueIsPutBackExactly) {
    OpenSpeakerVolume(nullptr);
    const RawFader before = ReadRaw(volume_);
    const uint32_t offStep = before.range.minimum + (before.range.maximum - before.range.minimum) / 3 + 1;
    ASSERT_TRUE(SetVolumeValue(volume_, offStep));
    uint32_t value = 0;
    ASSERT_TRUE(GetVolumeValue(volume_, value));
    EXPECT_EQ(value, offStep) << "written as given, not lowered to a step";
    EXPECT_EQ(ReadRaw(volume_).value, offStep);
    EXPECT_FALSE(SetVolumeValue(volume_, before.range.maximum + 1)) << "beyond the fader's bounds";
    EXPECT_EQ(ReadRaw(volume_).value, offStep);
    ASSERT_TRUE(SetVolumeValue(volume_, before.value));
}

TEST_F(MixerTest, ControlsThatAreNoFadersAreRefused) {
    OpenSpeakerVolume(nullptr);
    DWORD line = 0;
    ASSERT_TRUE(GetLineId(kSpeakers, line));
    DWORD mute = 0;
    if (!GetControlId(line, MIXERCONTROL_CONTROLTYPE_MUTE, mute)) GTEST_SKIP() << "this mixer has no mute control";
    uint32_t percent = 77;
    EXPECT_FALSE(GetVolumePercent(mute, percent));
    EXPECT_EQ(percent, 77u);
    EXPECT_FALSE(SetVolumePercent(mute, 50));
}

TEST_F(MixerTest, NothingWorksWithoutAnOpenMixerOrForUnknownIds) {
    DWORD line = 0;
    uint32_t percent = 5;
    EXPECT_FALSE(MixerClose()) << "nothing to close";
    EXPECT_FALSE(GetLineId(kSpeakers, line));
    OpenSpeakerVolume(nullptr);
    EXPECT_FALSE(GetControlId(0xDEAD, kVolume, line));
    EXPECT_FALSE(GetVolumePercent(0xDEAD, percent));
    EXPECT_EQ(percent, 5u);
    EXPECT_FALSE(SetVolumePercent(0xDEAD, 50));
    EXPECT_FALSE(GetLineId(0xFFFF, line)) << "no such component type";

    ASSERT_TRUE(MixerClose());
    EXPECT_EQ(App.MixerHandle, nullptr);
    EXPECT_FALSE(GetVolumePercent(volume_, percent)) << "a closed mixer reads nothing";
}

TEST_F(MixerTest, OpensWithANotificationWindowAndOpensAgain) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    OpenSpeakerVolume(window);  // change notices go to the window
    ASSERT_TRUE(MixerOpen(nullptr)) << "a second open replaces the first";
    uint32_t percent = 0;
    EXPECT_TRUE(GetVolumePercent(volume_, percent));
    EXPECT_TRUE(MixerClose());
    EXPECT_FALSE(MixerClose()) << "one mixer was open, and it is closed";
    DestroyWindow(window);
}

}  // namespace
