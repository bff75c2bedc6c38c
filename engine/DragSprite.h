// DragSprite: the arithmetic of dragging a piece across the screen. While a piece is
// dragged, nothing is repainted: the piece is a sprite drawn straight on the screen, with a
// save image holding the clean background under it and a compose image (twice a sprite in
// each direction, in the screen's own pixel format) in which each step assembles the
// background and the sprite before one blit shows them. This file decides which rectangles a
// step copies and makes the sprite; the window side does the blits.
//
// The sprite is the lifted piece and the soft shadow it casts: the piece, bevelled on all its
// edges (it is alone in the air) and hatched when marked, and around it its silhouette moved
// kShadowOffset pixels down and right, blurred over kShadowSoftness pixels, darkening whatever
// lies under it. The sprite is therefore kShadowReach pixels wider and taller than the piece's
// image; its top-left corner is the image's. It is made once when the piece is picked up, in
// the screen's format, so that a step only copies it in.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"
#include "engine/ScreenPixelFormat.h"

constexpr int32_t kShadowOffset = 4;
constexpr int32_t kShadowSoftness = 3;
constexpr int32_t kShadowReach = kShadowOffset + kShadowSoftness;
// The shadow's darkness where it is fully dark, of 256 (the rest of the light remains).
constexpr uint32_t kShadowStrength = 100;

// Size of the sprite of a piece image of pieceWidth x pieceHeight.
Point SpriteSize(int32_t pieceWidth, int32_t pieceHeight);

// What one drag step on the same window copies.
struct DragStepPlan {
    // The old and the new sprite rectangles overlap (or touch): the step works on their
    // union, whose screen copy lands in the compose image at (0, 0).
    bool overlap = false;
    Rect shown;        // the screen area the compose image is shown on at the end
    Point pieceAt;     // where the sprite goes inside the compose image
    Point oldPieceAt;  // where the save image is pasted back inside the compose image (overlap only)
};

// The plan for a sprite of width x height moving from `from` to `to`.
DragStepPlan PlanDragStep(Point from, Point to, int32_t width, int32_t height);

// The compose image: top-down rows of `stride` bytes, width x height pixels in `format`.
struct SpriteCanvas {
    uint8_t* bits = nullptr;
    int32_t stride = 0;
    int32_t width = 0;
    int32_t height = 0;
    ScreenPixelFormat format;
};

// A lifted piece ready to be drawn: per sprite pixel an alpha (255 = the piece, 1..254 = the
// shadow's darkness, 0 = nothing) and, for the piece, its colour in the screen's format.
struct LiftedSprite {
    int32_t width = 0;
    int32_t height = 0;
    ScreenPixelFormat format;
    std::vector<uint8_t> alpha;
    std::vector<uint32_t> colour;
    std::vector<uint16_t> work;  // the shadow's sums
    std::vector<int16_t> span;   // per row: the first and one past the last pixel drawn

    // Room for the sprite of a piece image of this size, so that making it at the pick-up
    // needs no memory. False when memory is short.
    bool Reserve(int32_t pieceWidth, int32_t pieceHeight);
};

// Makes the sprite of `piece` in `format`, in the room Reserve made. False when the sprite has
// no room for the piece or the piece cannot be read.
bool RenderLiftedSprite(PuzzleDocument& doc, uint32_t piece, const ScreenPixelFormat& format, LiftedSprite& sprite);

// Draws the sprite into the canvas with its top-left at `at`: the piece's pixels replace the
// canvas's, the shadow darkens them. Pixels that would fall outside the canvas are left out.
void DrawLiftedSprite(const LiftedSprite& sprite, const SpriteCanvas& canvas, Point at);
