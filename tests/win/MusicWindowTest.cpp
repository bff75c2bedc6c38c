// The volume window against Wine's real mixer (the runner's captured sound device gives one):
// where its children sit, the sliders showing the volumes they are bound to (or disabled when
// a control cannot be read), a moved slider setting the volume, OK keeping it and Cancel
// putting back what the window found, changes reported by the mixer moving the slider unless
// the player holds it, and the owner disabled while the window is open.
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "app/AppGlobals.h"
#include "app/WindowClasses.h"
#include "controls/ControlProtocol.h"
#include "controls/Slider.h"
#include "dialogs/MusicWindow.h"
#include "gfx/ResourcePackFile.h"
#include "platform/Mixer.h"

namespace {

using ctltest::PumpFor;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

// The volume of a line in percent, read through a mixer of the test's own; false when the
// line has no readable volume control.
bool ReadVolume(DWORD componentType, uint32_t& percent) {
    const HMIXER windowMixer = App.MixerHandle;
    App.MixerHandle = nullptr;
    bool ok = MixerOpen(nullptr);
    DWORD line = 0, control = 0;
    ok = ok && GetLineId(componentType, line) && GetControlId(line, MIXERCONTROL_CONTROLTYPE_VOLUME, control) &&
         GetVolumePercent(control, percent);
    MixerClose();
    App.MixerHandle = windowMixer;
    return ok;
}

bool WriteVolume(DWORD componentType, int32_t percent) {
    const HMIXER windowMixer = App.MixerHandle;
    App.MixerHandle = nullptr;
    bool ok = MixerOpen(nullptr);
    DWORD line = 0, control = 0;
    ok = ok && GetLineId(componentType, line) && GetControlId(line, MIXERCONTROL_CONTROLTYPE_VOLUME, control) &&
         SetVolumePercent(control, percent);
    MixerClose();
    App.MixerHandle = windowMixer;
    return ok;
}

constexpr DWORD kSpeakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
constexpr DWORD kWaveOut = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;

TEST(MusicWindowValues, AVolumeShowsAsItsPercentUpTo99) {
    EXPECT_EQ(SliderValueForVolume(0), 0);
    EXPECT_EQ(SliderValueForVolume(42), 42);
    EXPECT_EQ(SliderValueForVolume(99), 99);
    EXPECT_EQ(SliderValueForVolume(100), 99) << "a full volume shows at the top of the slider";
}

class MusicWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_GT(mixerGetNumDevs(), 0u) << "run through scripts/wine-run.sh, which gives Wine a sound device";
        App.SoundEffectsOn = 0;
        ASSERT_TRUE(ReadVolume(kSpeakers, foundMaster_));
        owner_ = CreateWindowExA(0, "STATIC", "play", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                 App.Instance, nullptr);
        App.PlayScreenWindow = owner_;
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        DestroyWindow(owner_);
        App.PlayScreenWindow = nullptr;
        WriteVolume(kSpeakers, static_cast<int32_t>(foundMaster_));
    }

    HWND Open() {
        window_ = OpenMusicWindow();
        PumpFor(100);
        return window_;
    }
    HWND Child(MusicChild id) const { return GetDlgItem(window_, id); }
    void Notify(HWND control, UINT code) {
        SendMessageA(window_, NotifyParentMessage, code, reinterpret_cast<LPARAM>(control));
    }
    // The player moves a slider to `value`.
    void Slide(MusicChild id, int32_t value) {
        HWND slider = Child(id);
        Notify(slider, CN_PRESSED);
        SendMessageA(slider, SLD_SETVALUE, 0, value);
        Notify(slider, CN_CHANGED);
        Notify(slider, CN_RELEASED);
    }
    LRESULT SliderValue(MusicChild id) const { return SendMessageA(Child(id), SLD_GETVALUE, 0, 0); }

    uint32_t foundMaster_ = 0;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(MusicWindowTest, OpensCentredOverItsDisabledOwnerWithItsChildrenInPlace) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner_)) << "the play screen waits while the window is open";
    EXPECT_EQ(GetWindow(window_, GW_OWNER), owner_);
    RECT r{};
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.left, (App.ScreenWidth - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (App.ScreenHeight - (r.bottom - r.top)) / 2);
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 360) << "sized to its background";
    EXPECT_EQ(client.bottom, 286);

    const struct {
        MusicChild id;
        POINT at;
    } placed[] = {{kMusicOkId, {126, 234}}, {kMusicCancelId, {253, 234}}, {kMusicHelpId, {17, 211}}};
    for (const auto& p : placed) {
        RECT c{};
        GetWindowRect(Child(p.id), &c);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&c), 2);
        EXPECT_EQ(c.left, p.at.x) << p.id;
        EXPECT_EQ(c.top, p.at.y) << p.id;
    }
    EXPECT_EQ(SendMessageA(Child(kMasterSliderId), SLD_GETMAX, 0, 0), 99);
    EXPECT_EQ(SendMessageA(Child(kMasterSliderId), SLD_GETSTART, 0, 0), MAKELPARAM(123, 215));
    EXPECT_EQ(SendMessageA(Child(kWaveSliderId), SLD_GETEND, 0, 0), MAKELPARAM(220, 68));

    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "enabled again when the window goes";
    EXPECT_EQ(App.MixerHandle, nullptr) << "the mixer is closed with the window";
}

TEST_F(MusicWindowTest, SlidersShowTheMixerVolumesOrAreDisabledWhenTheyCannotBeRead) {
    struct Case {
        int32_t volume;
        LRESULT value;
        LRESULT frame;
    };
    for (const Case c : {Case{100, 99, 19}, Case{37, 37, 7}}) {
        ASSERT_TRUE(WriteVolume(kSpeakers, c.volume));
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(SliderValue(kMasterSliderId), c.value) << c.volume;
        EXPECT_EQ(SendMessageA(Child(kMasterSliderId), SLD_GETTHUMBFRAME, 0, 0), c.frame) << c.volume;
        EXPECT_NE(SendMessageA(Child(kMasterSliderId), CM_GETENABLED, 0, 0), 0);
        DestroyWindow(window_);
    }
    uint32_t wave = 0;
    const bool waveReadable = ReadVolume(kWaveOut, wave);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(SendMessageA(Child(kWaveSliderId), CM_GETENABLED, 0, 0) != 0, waveReadable);
    EXPECT_EQ(SliderValue(kWaveSliderId), waveReadable ? SliderValueForVolume(wave) : 0)
        << "an unreadable volume is not shown at a made-up value";
}

TEST_F(MusicWindowTest, OkKeepsTheVolumeSetAndReopeningShowsIt) {
    ASSERT_TRUE(WriteVolume(kSpeakers, 80));
    ASSERT_NE(Open(), nullptr);
    Slide(kMasterSliderId, 99);
    EXPECT_EQ(SendMessageA(Child(kMasterSliderId), SLD_GETTHUMBFRAME, 0, 0), 19);
    uint32_t percent = 0;
    ASSERT_TRUE(ReadVolume(kSpeakers, percent));
    EXPECT_EQ(percent, 99u) << "the slider takes effect at once, and 99 reads back as 99";
    Notify(Child(kMusicOkId), CN_CLICKED);
    EXPECT_FALSE(IsWindow(window_));
    ASSERT_TRUE(ReadVolume(kSpeakers, percent));
    EXPECT_EQ(percent, 99u);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(SliderValue(kMasterSliderId), 99);
}

TEST_F(MusicWindowTest, CancelPutsBackTheVolumeFoundAtOpening) {
    ASSERT_TRUE(WriteVolume(kSpeakers, 64));
    ASSERT_NE(Open(), nullptr);
    Slide(kMasterSliderId, 20);
    uint32_t percent = 0;
    ASSERT_TRUE(ReadVolume(kSpeakers, percent));
    EXPECT_EQ(percent, 20u);
    Notify(Child(kMusicCancelId), CN_CLICKED);
    EXPECT_FALSE(IsWindow(window_));
    ASSERT_TRUE(ReadVolume(kSpeakers, percent));
    EXPECT_EQ(percent, 64u);
}

TEST_F(MusicWindowTest, AVolumeChangedElsewhereMovesTheSliderUnlessItIsHeld) {
    ASSERT_TRUE(WriteVolume(kSpeakers, 30));
    ASSERT_NE(Open(), nullptr);
    const auto change = [this] {
        SendMessageA(window_, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<WPARAM>(App.MixerHandle),
                     static_cast<LPARAM>(App.MasterVolumeControl));
    };
    ASSERT_TRUE(WriteVolume(kSpeakers, 55));
    change();
    EXPECT_EQ(SliderValue(kMasterSliderId), 55);
    EXPECT_EQ(SendMessageA(Child(kMasterSliderId), SLD_GETTHUMBFRAME, 0, 0), 11);

    Notify(Child(kMasterSliderId), CN_PRESSED);
    ASSERT_TRUE(WriteVolume(kSpeakers, 10));
    change();
    EXPECT_EQ(SliderValue(kMasterSliderId), 55) << "the player's hold wins";
    Notify(Child(kMasterSliderId), CN_RELEASED);
}

TEST_F(MusicWindowTest, DraggingTheBackgroundMovesTheWindow) {
    ASSERT_NE(Open(), nullptr);
    RECT before{};
    GetWindowRect(window_, &before);
    ctltest::MoveCursorTo(ctltest::ScreenPointOf(window_, 300, 150));  // bare background
    ctltest::PressLeft();
    ctltest::MoveCursorBy(-40, 25);
    ctltest::ReleaseLeft();
    RECT after{};
    ASSERT_TRUE(ctltest::PumpUntil(
        [&] { return GetWindowRect(window_, &after) && (after.left != before.left || after.top != before.top); },
        ctltest::kWaitMs));
    EXPECT_EQ(after.left - before.left, -40);
    EXPECT_EQ(after.top - before.top, 25);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "moved, not resized";
    EXPECT_EQ(GetCapture(), nullptr) << "the release ends the drag";
}

}  // namespace
