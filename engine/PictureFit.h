// Fitting a picture into an area without changing its proportions. The wallpaper fills the
// screen in the limiting direction; the printed page shows the picture centred, filling four
// fifths of the page in the limiting direction.
//
// Sizes are compared and scaled in 64-bit integers rather than floating point, so that a side
// that should fill the area exactly (800 x 600 on a 1024 x 768 screen) never comes out one
// pixel short through rounding, and no size a header can hold overflows.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"

// The printed picture fills this share of the page in its limiting direction.
constexpr int32_t kPrintedShareNumerator = 4;
constexpr int32_t kPrintedShareDenominator = 5;

// The largest size with the proportions of `picture` that fits into `area`: the limiting side
// fills the area exactly, the other is scaled and truncated. A picture stored top-down
// (negative height) is measured by its real height. A side never shrinks below 1 pixel. (0, 0)
// when the picture or the area has no pixels.
Point FitKeepingProportions(Point picture, Point area);

// Where a picture goes on a printed page of `page` pixels: fitted into four fifths of the
// page's width and height, and centred on the page. A zero rectangle when the picture or the
// page has no pixels.
Rect PlaceOnPrintedPage(Point picture, Point page);
