// Where the game's small dialogs stand: a pop-up with a thin dialog frame whose client area is
// exactly its background bitmap, centred on the screen.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;  // 0x92400000
constexpr DWORD kDialogButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kDialogControlSize = 50;  // controls size themselves to their image

// The outer rectangle of a dialog whose client area is `width` x `height`, centred on a
// screen of `screenWidth` x `screenHeight` (halves truncated toward zero).
RECT CentredDialogRect(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);

// Gives `dialog` that rectangle on the program's screen, keeping its stacking order.
void FitDialogToBackground(HWND dialog, int32_t width, int32_t height);

// A CQVCOMMAND child at `at`, showing `image` (a PackedDib that must outlive it); null when it
// cannot be made.
HWND CreateDialogButton(HWND dialog, POINT at, const void* image);
