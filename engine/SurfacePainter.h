// SurfacePainter: what a surface shows, computed without the window system. Each surface
// keeps a 24-bit picture of its whole client area (the back buffer); the painter redraws a
// rectangle of it from the pieces on the surface, top of the stack first, each piece with the
// bevel of its free edges (PieceBevel.h), and the board texture wherever no piece covers the
// pixel. The window only copies the back buffer to the screen. Hit-testing (`PieceUnder`) and the atlas look-ups live
// here too, so that the painting, the mouse and the tests agree on which pixels belong to a piece.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PackedDib.h"
#include "engine/PieceAreas.h"
#include "engine/PuzzleDocument.h"

// Marked pieces are drawn with inverted colours on every even local row at every third
// local column.
constexpr int32_t kHatchColumnStep = 3;

// The atlas pixel (blue, green, red, inside flag) at local (u, v) of a piece's image; the
// caller keeps u and v inside pieceWidth x pieceHeight.
const uint8_t* AtlasPixel(const PuzzleDocument& doc, uint32_t piece, int32_t u, int32_t v);

// Stack index of the topmost piece of the surface with an inside pixel at `point`, or -1.
// The point must lie strictly inside the piece's image rectangle, so its outermost rows and
// columns (and the transparent corners) never catch the mouse.
int32_t PieceUnder(const PuzzleDocument& doc, int surface, Point point);

// Gives the surface a back buffer of width x height (24 bits, bottom-up, rows padded to 4
// bytes) and the matching header, and records the size. False, with the surface unchanged,
// when a size is negative or memory is short.
bool AllocateBackBuffer(Surface& surface, int32_t width, int32_t height);

// What a later WM_SIZE leaves to repaint: the strips the old buffer did not cover.
struct BackBufferGrowth {
    Rect rightStrip;   // from the old width to the new one, over the height both share
    Rect bottomStrip;  // below the old height, over the whole new width
};

// Resizes an existing back buffer, keeping the part both sizes share (the top rows and the
// left columns). Sizes under 2 in either direction are ignored, as is a size memory cannot
// be found for; both return false with the surface unchanged.
bool ResizeBackBuffer(Surface& surface, int32_t width, int32_t height, BackBufferGrowth* growth);

// Redraws `area` of the surface's back buffer. The area is clipped to the client area first;
// it is painted in bands of rows, each looking only at the pieces that reach it, and every
// pixel is written once whatever lies below it. skipTop leaves out the piece on top of the
// stack (the one being dragged).
// `texture` is the 8-bit board texture, repeated from the surface's origin; without one the
// background is black. Returns the clipped area (width or height 0 when nothing was painted).
Rect PaintSurfaceRegion(PuzzleDocument& doc, int surface, const Rect& area, bool skipTop, const PackedDib* texture);
