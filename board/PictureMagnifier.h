// The picture magnifier (CWNDPREVLUPA): a small tool window of the play screen that shows the
// whole picture in play, fitted into 240 x 180, so that the player can see what the pieces
// make. It reloads the picture whenever the picture in play changes (after every cut and
// every clearing); closing it only hides it.
//
// The player decides whether it is shown. A reload hides it while the window is resized and
// shows it again when the player had it shown and there is a picture; with no picture (the
// board cleared) it stays out of sight until the next one arrives.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

constexpr char kPictureMagnifierClass[] = "CWNDPREVLUPA";
constexpr DWORD kMagnifierStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMagnifierExStyle = WS_EX_TOOLWINDOW;

bool RegisterPictureMagnifierClass(HINSTANCE instance);

// Where the magnifier's window stands: (ScreenWidth / 4, ScreenHeight / 2).
Point MagnifierPosition(int32_t screenWidth, int32_t screenHeight);

// Creates the hidden, untitled magnifier owned by `owner` (the play screen) into
// App.MagnifierWindow, with a client area of 240 x 180 and no picture yet.
HWND CreatePictureMagnifier(HWND owner);

// Reads the picture in play anew and sizes the window to it (see above).
void UpdateMagnifier();
// The player's show and hide, without activating the magnifier.
void ShowMagnifier();
void HideMagnifier();
