// The one puzzle in play and what its seven surfaces share: the drag in progress, the images
// a dragged piece is drawn with (made by each cut for its piece size) and the board texture
// (pack 114, loaded by the first surface created). CreatingBoard is set while the board
// window is being made, so that its first WM_SIZE cuts the puzzle. Scale holds what the scale
// rules keep beside the puzzle's scale, rows and cols for the two size pickers. CutMemory is
// the warm-up started at start-up whose blocks the first cut takes over (CutWarmup.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "board/DragImages.h"
#include "engine/CutWarmup.h"
#include "engine/DropRules.h"
#include "engine/PuzzleDocument.h"
#include "engine/ScaleRules.h"
#include "gfx/DibImage.h"

struct BoardGlobals {
    PuzzleDocument Puzzle;
    ScaleFields Scale;
    HWND SurfaceWindows[kSurfaceCount] = {};  // the window showing each surface
    DragSession Drag;
    std::shared_ptr<PieceDragImages> DragImages;
    DibImage BoardTexture;
    uint8_t CreatingBoard = 0;
    CutWarmup CutMemory;
};

extern BoardGlobals Board;
