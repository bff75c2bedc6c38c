// The congratulation window (CWNDFELIZ): a small movable pop-up that plays "Video\Feliz.avi"
// inside itself when a puzzle is completed, then shows its festive picture and a blinking close
// button. The close button, a double click or Escape end it at any time, the clip with it, and
// the completion sequence goes on with its next step once the window is gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

constexpr char kCongratulationClass[] = "CWNDFELIZ";
constexpr char kCongratulationClip[] = "Video\\Feliz.avi";
constexpr uint32_t kCongratulationBackgroundId = 327;
constexpr uint32_t kCongratulationCloseImageId = 328;

// What runs once the congratulation is over: after its window has gone and its owner is enabled
// again, or at once when the window could not be made (the clip missing or refused).
using CongratulationNext = void (*)();

bool RegisterCongratulationClass(HINSTANCE instance);

// Opens the window over `owner` (disabled while it is open) and starts the clip; `next` runs
// exactly once when it is over. Null when the window could not be made: the owner is enabled
// again and `next` has already run.
HWND OpenCongratulation(HWND owner, CongratulationNext next);
// The open window, or null.
HWND CongratulationWindow();
// Whether the clip has ended and the window shows its picture and close button.
bool CongratulationShowsPicture();

// The clip's full path: the program folder + "Video\Feliz.avi".
std::string CongratulationClipPath();
