// Piece: the 16-byte record of one puzzle piece. The puzzle files store the piece array
// byte for byte, so the layout is fixed and checked here; the three padding bytes are
// always zero so that saved files do not carry stray memory.
#pragma once

#include <cstddef>
#include <cstdint>

struct Piece {
    uint32_t group = 0;       // 0 = loose, else the label of its group (largest member + 1)
    uint8_t notSelected = 1;  // 0 = marked by the selection rectangle; only loose pieces
    uint8_t padding[3] = {0, 0, 0};
    int32_t x = 0;  // top-left of the piece image, client pixels of its surface
    int32_t y = 0;
};

static_assert(sizeof(Piece) == 16, "a piece record is 16 bytes");
static_assert(offsetof(Piece, group) == 0, "group at byte 0");
static_assert(offsetof(Piece, notSelected) == 4, "notSelected at byte 4");
static_assert(offsetof(Piece, x) == 8, "x at byte 8");
static_assert(offsetof(Piece, y) == 12, "y at byte 12");
