// Drawing packed DIBs onto device contexts with Video for Windows' DrawDib, and the one
// window-geometry helper that needs a window. A DrawDib handle is opened and closed around
// every single draw, so no draw depends on the state another one left behind.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PackedDib.h"

// Draws part of `dib` one to one; source coordinates are measured from its top-left.
void DrawBlock(HDC dc,
               int32_t xDest,
               int32_t yDest,
               int32_t width,
               int32_t height,
               const PackedDib* dib,
               int32_t xSrc,
               int32_t ySrc);

// Repaints `rect` of a window from a back buffer the size of its client area (the same
// rectangle of the image, at the same place). Black without an image.
void PaintFromBlock(HDC dc, const RECT& rect, const PackedDib* dib);

// InvalidateRect of the rectangle from `origin` to `origin` + `size`.
bool InvalidateArea(HWND window, Point origin, Point size, bool erase);
