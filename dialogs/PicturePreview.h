// The full-screen preview (CWNDPREVIEW): the picture chosen for the next puzzle as large as the
// screen allows, centred on black, until the player double-clicks or presses a key. Its owner (the
// new-puzzle dialog) is disabled meanwhile and brought to the front again afterwards.
//
// The picture is read from its file resampled to the size shown, so a large photo is never
// held whole in memory.
#pragma once

#include <windows.h>

#include "engine/Geometry.h"

constexpr char kPicturePreviewClass[] = "CWNDPREVIEW";
constexpr DWORD kPicturePreviewStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;

bool RegisterPicturePreviewClass(HINSTANCE instance);

// The picture's size on the screen: fitted to the screen keeping its proportions, the limiting
// side filling it exactly.
Point PreviewPictureSize(Point picture, Point screen);
// Where a picture of `shown` pixels stands to be centred on the screen (halves truncated).
Point PreviewPictureOrigin(Point shown, Point screen);

// Shows the .bmp at `picturePath` over the whole screen, owned by `owner` (may be null). Does
// nothing and returns null when the picture cannot be read; returns null with the owner usable
// again when the window could not be made.
HWND OpenPicturePreview(const char* picturePath, HWND owner);
