// Effect sounds under Wine: locating WAVE resources into their slots (the main menu's set,
// the tools panel's, the spoken ones of a language) and what really reaches the sound
// device: played sounds write samples to the runner's sink, switched-off ones write none,
// and the synchronous variant returns only once its samples are written.
#include <gtest/gtest.h>

#include <cstring>

#include "SoundTestSupport.h"
#include "app/AppGlobals.h"
#include "engine/SoundIds.h"
#include "platform/Help.h"
#include "platform/Sound.h"

namespace {

using wintest::MakeToneWave;
using wintest::ResourceModule;
using wintest::SoundSink;

constexpr DWORD kSamplesArriveMs = 10000;  // generous: only a failure waits this long
constexpr DWORD kSilenceWatchMs = 1500;    // how long a sound that must not play is watched for

// A module with a distinct tone for every sound the program locates, English spoken sounds
// only (as the game ships them): 1011, 1021, ... 1091.
std::map<uint32_t, std::vector<uint8_t>> AllEnglishSounds() {
    std::map<uint32_t, std::vector<uint8_t>> waves;
    uint32_t ms = 20;
    for (uint32_t id = kSolveToolSound; id <= kAnimatedHoverSound; ++id) waves[id] = MakeToneWave(ms++);
    waves[kHallOfHonourSound] = MakeToneWave(ms++);
    for (uint32_t base : kSpokenBases) waves[base + kLanguageEnglish] = MakeToneWave(ms++);
    return waves;
}

class SoundEffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {App.Instance, App.LanguageIndex, App.SoundEffectsOn, App.SoundsLoaded};
        ForgetLocatedSounds();
        App.SoundsLoaded = 0;
        App.LanguageIndex = kLanguageEnglish;
    }
    void TearDown() override {
        ForgetLocatedSounds();
        App.Instance = saved_.instance;
        App.LanguageIndex = saved_.language;
        App.SoundEffectsOn = saved_.effectsOn;
        App.SoundsLoaded = saved_.loaded;
    }
    struct Saved {
        HINSTANCE instance;
        uint32_t language;
        uint8_t effectsOn;
        uint8_t loaded;
    } saved_{};
};

TEST_F(SoundEffectTest, LocateSoundFindsTheModulesWaveResources) {
    const auto tone = MakeToneWave(30);
    ResourceModule module(wintest::ThisProgramPath(), {{kClickSound, tone}});
    ASSERT_NE(module.get(), nullptr);

    const auto* found = static_cast<const uint8_t*>(LocateSoundIn(module.get(), kClickSound));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(std::memcmp(found, tone.data(), tone.size()), 0) << "the resource's own bytes";
    EXPECT_EQ(LocateSoundIn(module.get(), kHoverSound), nullptr) << "a missing resource gives null";

    App.Instance = module.get();
    EXPECT_EQ(LocateSound(kClickSound), found) << "LocateSound looks in the program's module";
    App.Instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(LocateSound(kClickSound), nullptr) << "the test program itself has no WAVE resources";
}

TEST_F(SoundEffectTest, TheMainMenuLocatesItsSoundsOnlyOnceAndOnlyWithTheSwitchOn) {
    ResourceModule module(wintest::ThisProgramPath(), AllEnglishSounds());
    ASSERT_NE(module.get(), nullptr);
    App.Instance = module.get();

    App.SoundEffectsOn = 0;
    LocateMainMenuSounds();
    EXPECT_EQ(App.SoundsLoaded, 0) << "switched off: nothing located, nothing recorded";
    EXPECT_FALSE(AnySoundLocated());

    App.SoundEffectsOn = 1;
    LocateMainMenuSounds();
    EXPECT_EQ(App.SoundsLoaded, 1);
    for (uint32_t entry : kMainMenuSoundOrder) {
        const uint32_t id = SoundResourceId(entry, kLanguageEnglish);
        EXPECT_EQ(SoundSlot(id), LocateSoundIn(module.get(), id)) << id;
        EXPECT_NE(SoundSlot(id), nullptr) << id;
    }
    for (uint32_t id : {kSolveToolSound, kHintsGoneSound, kMusicToolSound, kStatsToolSound})
        EXPECT_EQ(SoundSlot(id), nullptr) << id << " is the tools panel's";

    ForgetLocatedSounds();
    LocateMainMenuSounds();
    EXPECT_EQ(SoundSlot(kClickSound), nullptr) << "a later main menu does not locate again";

    LocateToolsPanelSounds();
    for (uint32_t id : kToolsPanelSoundOrder) EXPECT_EQ(SoundSlot(id), LocateSoundIn(module.get(), id)) << id;
}

TEST_F(SoundEffectTest, SpokenSoundsFollowTheLanguageAndStaySilentWithoutARecording) {
    ResourceModule module(wintest::ThisProgramPath(), AllEnglishSounds());
    ASSERT_NE(module.get(), nullptr);
    App.Instance = module.get();

    LocateSpokenSounds();
    for (uint32_t base : kSpokenBases) {
        EXPECT_EQ(SoundSlot(base), LocateSoundIn(module.get(), base + kLanguageEnglish)) << base;
        EXPECT_NE(SoundSlot(base), nullptr);
        EXPECT_EQ(SoundSlot(base + kLanguageGerman), SoundSlot(base)) << "one slot for every language";
    }
    App.LanguageIndex = kLanguageFrench;
    LocateSpokenSounds();
    for (uint32_t base : kSpokenBases) EXPECT_EQ(SoundSlot(base), nullptr) << "no French recording of " << base;
}

class SoundDeviceTest : public SoundEffectTest {
protected:
    void SetUp() override {
        SoundEffectTest::SetUp();
        ASSERT_TRUE(sink_.Available()) << "run through scripts/wine-run.sh, which captures the sound device";
        ASSERT_GT(mixerGetNumDevs(), 0u) << "the runner's sound device is missing";
        ASSERT_TRUE(sink_.Empty()) << sink_.Path();
    }
    SoundSink sink_;
};

TEST_F(SoundDeviceTest, APlayedEffectWritesSamples) {
    wintest::StopSoundOnExit stop;
    const auto tone = MakeToneWave(150);
    EXPECT_TRUE(PlayEffect(tone.data()));
    EXPECT_GT(sink_.WaitForSamples(kSamplesArriveMs), 0);
}

TEST_F(SoundDeviceTest, SwitchedSoundsWriteNothingWhileTheSwitchIsOff) {
    wintest::StopSoundOnExit stop;
    const auto tone = MakeToneWave(300);
    ResourceModule module(wintest::ThisProgramPath(), {{kClickSound, tone}, {kHoverSound, tone}});
    ASSERT_NE(module.get(), nullptr);
    App.Instance = module.get();
    LocateIntoSlot(kClickSound);
    LocateIntoSlot(kHoverSound);
    ASSERT_NE(SoundSlot(kClickSound), nullptr);

    App.SoundEffectsOn = 0;
    PlayClickSound();
    EXPECT_FALSE(PlaySwitchedEffect(kHoverSound));
    Sleep(kSilenceWatchMs);
    EXPECT_EQ(sink_.Size(), 0) << "no samples with the switch off";

    // The same calls with the switch on do reach the device.
    App.SoundEffectsOn = 1;
    PlayClickSound();
    EXPECT_GT(sink_.WaitForSamples(kSamplesArriveMs), 0);
}

TEST_F(SoundDeviceTest, TheSynchronousVariantReturnsAfterItsSamplesAreWritten) {
    wintest::StopSoundOnExit stop;
    const auto tone = MakeToneWave(400);
    ASSERT_TRUE(PlayEffectSync(tone.data()));
    const int64_t atReturn = sink_.Size();
    EXPECT_GE(atReturn, wintest::ToneDataBytes(tone)) << "every sample is out when the call returns";
    Sleep(300);
    EXPECT_EQ(sink_.Size(), atReturn) << "nothing of it was still to come";
}

TEST_F(SoundDeviceTest, TheHelpSoundPlaysWhateverTheSwitchSays) {
    wintest::StopSoundOnExit stop;
    const auto tone = MakeToneWave(200);
    ResourceModule module(wintest::ThisProgramPath(), {{kSpokenHelpBase + kLanguageEnglish, tone}});
    ASSERT_NE(module.get(), nullptr);
    App.Instance = module.get();
    App.SoundEffectsOn = 0;
    LocateSpokenSounds();  // as ApplyLanguage does, whatever the switch says
    OpenHelp(nullptr);     // there is no help page beside the test program: only the sound
    EXPECT_GT(sink_.WaitForSamples(kSamplesArriveMs), 0);
}

}  // namespace
