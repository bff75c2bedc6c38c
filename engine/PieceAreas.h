// Where pieces lie: the rectangles the rules, the painter and the mouse agree on.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"

// The image rectangle of a piece on its surface.
Rect PieceRect(const PuzzleDocument& doc, uint32_t piece);
// The whole client area of a surface.
Rect SurfaceRect(const PuzzleDocument& doc, int surface);
// The rectangle bounding the images of the first `count` (at least 1) pieces of `stack`.
Rect AreaOfTop(const PuzzleDocument& doc, const uint32_t* stack, int32_t count);
// `area` grown by `margin` pixels on every side.
Rect Grown(const Rect& area, int32_t margin);
