// The about window (CWNDABOUTPRODUC): the screen in black with the about picture, 640 x 480,
// in the middle; any click or Escape closes it. Its owner (the main menu) is disabled while
// it is shown.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kAboutWindowClass[] = "CWNDABOUTPRODUC";
constexpr uint32_t kAboutPictureId = 410;
constexpr POINT kAboutPictureSize{640, 480};
constexpr DWORD kAboutWindowStyle = WS_POPUP | WS_VISIBLE | WS_MAXIMIZE | WS_CLIPCHILDREN | WS_DLGFRAME;  // 0x93400000

bool RegisterAboutWindowClass(HINSTANCE instance);

// Opens the about page over the screen, owned by `owner` (may be null); null when it could not
// be made, and the owner is usable again.
HWND OpenAboutWindow(HWND owner);

// Where the picture's top-left corner stands on a screen of that size (halves truncated).
POINT AboutPictureOrigin(int32_t screenWidth, int32_t screenHeight);
