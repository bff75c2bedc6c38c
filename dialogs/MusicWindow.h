// The volume window (CWNDMUSICA): two bitmap sliders bound to the system mixer, one for the
// master (speakers) volume and one for the wave output, with OK, Cancel and help. The sliders
// take effect at once; Cancel puts back the volumes the window found when it opened. A slider
// whose mixer control cannot be read is disabled rather than shown at a made-up value.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kMusicWindowClass[] = "CWNDMUSICA";

// Pack images of the window.
constexpr uint32_t kMusicBackgroundId = 214;
constexpr uint32_t kMusicOkButtonId = 218;
constexpr uint32_t kMusicCancelButtonId = 219;
constexpr uint32_t kMasterThumbId = 217;
constexpr uint32_t kWaveThumbId = 225;
constexpr uint32_t kMusicHelpButtonId = 229;

// The sliders run from 0 at the bottom of their groove to kMusicSliderMax at the top; the
// thumb shows frame value / 5.
constexpr int32_t kMusicSliderMax = 99;
constexpr int32_t kMusicThumbFrameDivisor = 5;

// Control identifiers of the children.
enum MusicChild : int32_t {
    kMusicOkId = 100,
    kMusicCancelId = 101,
    kMasterSliderId = 102,
    kWaveSliderId = 103,
    kMusicHelpId = 104,
};

// The value a slider shows for a volume read from the mixer: the percent, at most 99.
int32_t SliderValueForVolume(uint32_t percent);

bool RegisterMusicWindowClass(HINSTANCE instance);
// Opens the window centred on the screen, owned by the play screen, which it disables while
// it is open. Null (and the play screen left enabled) when it cannot be made.
HWND OpenMusicWindow();
