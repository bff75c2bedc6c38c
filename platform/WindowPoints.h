// The points and sizes window procedures read from their messages and windows.
#pragma once

#include <windows.h>

#include <windowsx.h>

#include "engine/Geometry.h"

// The cursor position a mouse message carries in lParam (signed: left of or above the window
// it is negative while the mouse is captured).
inline Point MousePointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The width and height of the window's client area.
inline Point ClientSizeOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return Point{r.right, r.bottom};
}
