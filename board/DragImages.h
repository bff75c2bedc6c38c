// DragImages: the two pictures a dragged piece is drawn with, made by each cut for its piece
// size, and the lifted piece's sprite (the piece and its shadow, DragSprite.h), remade at each
// pick-up in room kept here. The save image (a screen-compatible bitmap of one sprite) keeps
// the clean background under the sprite; the compose image (a DIB section of two sprites each
// way, in the screen's own pixel format, top-down) is where each drag step assembles
// background and sprite before one blit shows them. The screen's format is read from the save image: 16 bits with
// colour masks, 24 bits or 32 bits; on any other screen the drag cannot draw and the cut fails.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/DragSprite.h"
#include "engine/ScreenPixelFormat.h"
#include "gfx/DibImage.h"

struct PieceDragImages {
    DibImage save{true};
    DibImage compose{true};
    SpriteCanvas canvas;  // the compose image's bits, size and format
    LiftedSprite lifted;  // the piece being dragged and its shadow
    int32_t spriteWidth = 0;
    int32_t spriteHeight = 0;
};

// The screen's pixel format as GetDIBits reports it for `bitmap` (asked twice, the second
// time with the header the first call filled in, after which the masks are valid too).
bool ReadScreenPixelFormat(HDC dc, HBITMAP bitmap, ScreenPixelFormat* format);

// Makes the drag images for pieces of pieceWidth x pieceHeight, or null when the screen's
// format is not one the drag can draw in or GDI refuses a bitmap.
std::shared_ptr<PieceDragImages> MakeDragImages(int32_t pieceWidth, int32_t pieceHeight);

// The cutter's hook: prepares the images and returns the function that puts them in place
// of the old ones (in Board.DragImages), or an empty function when they cannot be made.
std::function<void()> PrepareDragImages(int32_t pieceWidth, int32_t pieceHeight);
