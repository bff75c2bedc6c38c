// Surface: one of the seven places pieces lie on, the six side boxes (0 to 5) and the board
// (6). Each is a window on the Windows side; the model keeps what drawing and the piece
// stacks need to know about it: its stack, its client size and its back buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/PackedDib.h"

constexpr int kSurfaceCount = 7;
constexpr int kBoxCount = 6;
constexpr int kBoardSurface = 6;
// A surface's control identifier is 100 + its number.
constexpr int kFirstSurfaceControlId = 100;

// Surface numbers run from 0 (box 1) to 6 (the board).
constexpr bool IsSurface(int surface) { return surface >= 0 && surface < kSurfaceCount; }

// The codes a surface reports to its parent with NotifyParent when its stack changes.
enum class SurfaceNotice : int {
    NowEmpty = 1,
    NowHoldsPieces = 2,
    // From the board only: the puzzle was just put together.
    PuzzleCompleted = 3,
};

// The surface number of a control identifier, or -1 when the identifier is not a surface's.
// The Windows side must still check that the window is the one stored for that surface.
constexpr int SurfaceFromControlId(int controlId) {
    return controlId >= kFirstSurfaceControlId && controlId < kFirstSurfaceControlId + kSurfaceCount
               ? controlId - kFirstSurfaceControlId
               : -1;
}

struct Surface {
    int32_t count = 0;       // pieces on the surface
    int32_t stackStart = 0;  // index in the OrderBuffer of its topmost piece
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    // 24-bit bottom-up picture of the whole client area and the header that describes it;
    // owned by the surface window, freed when it is destroyed.
    std::vector<uint8_t> backBuffer;
    BitmapInfoHeader backBufferHeader{};
};
