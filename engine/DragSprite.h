// DragSprite: the arithmetic of dragging a piece across the screen. While a piece is
// dragged, nothing is repainted: the piece is a sprite drawn straight on the screen, with a
// save image holding the clean background under it and a compose image (twice a piece in
// each direction, in the screen's own pixel format) in which each step assembles the
// background and the piece before one blit shows them. This file decides which rectangles
// a step copies and writes the piece's pixels into the compose image; the window side does
// the blits.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"
#include "engine/ScreenPixelFormat.h"

// What one drag step on the same window copies.
struct DragStepPlan {
    // The old and the new piece rectangles overlap (or touch): the step works on their
    // union, whose screen copy lands in the compose image at (0, 0).
    bool overlap = false;
    Rect shown;        // the screen area the compose image is shown on at the end
    Point pieceAt;     // where the piece goes inside the compose image
    Point oldPieceAt;  // where the save image is pasted back inside the compose image (overlap only)
};

// The plan for a piece of pieceWidth x pieceHeight moving from `from` to `to`.
DragStepPlan PlanDragStep(Point from, Point to, int32_t pieceWidth, int32_t pieceHeight);

// The compose image: top-down rows of `stride` bytes, width x height pixels in `format`.
struct SpriteCanvas {
    uint8_t* bits = nullptr;
    int32_t stride = 0;
    int32_t width = 0;
    int32_t height = 0;
    ScreenPixelFormat format;
};

// Writes the inside pixels of `piece` into the canvas with the image's top-left at `at`,
// converted to the screen's format; a marked piece is hatched as the painter draws it.
// Pixels that would fall outside the canvas are left out.
void DrawPieceSprite(const PuzzleDocument& doc, uint32_t piece, const SpriteCanvas& canvas, Point at);
