// AVI clips played through the MCI digital-video device into a window of the game: the
// full-screen video window and the congratulation window both open, place, show and play
// their clips with these steps and learn of the clip's end through MM_MCINOTIFY.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "platform/Handles.h"

// A clip's size in pixels as the device reports it.
struct ClipSize {
    LONG width = 0;
    LONG height = 0;
};

// Opens the clip file (the device is chosen from its extension). An empty device when the
// file cannot be opened.
MciDevice OpenClip(const char* path);
// The clip's own size; false when the device cannot tell.
bool QueryClipSize(MCIDEVICEID device, ClipSize& size);
// Shows the clip 1:1 with its top-left corner at (x, y) of the window it plays in.
bool PlaceClip(MCIDEVICEID device, LONG x, LONG y, ClipSize size);
// Makes `window` the one the clip is drawn in; with `stretch` the device may scale it.
bool ShowClipIn(MCIDEVICEID device, HWND window, bool stretch);
// Starts playing; MM_MCINOTIFY reaches `notifyWindow` when the clip ends, fails or is stopped.
bool PlayClip(MCIDEVICEID device, HWND notifyWindow);
// Asks the device to realise its palette in the foreground (WM_QUERYNEWPALETTE).
void RealizeClipPalette(MCIDEVICEID device);
