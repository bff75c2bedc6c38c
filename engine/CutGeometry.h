// CutGeometry: the sizes of a cut and the four coordinate maps that tie a piece's pixels to
// the picture and to the shape template.
//
// A cut scales the picture to W x H board pixels, splits that into rows x cols cells and
// gives every piece image a margin of a third of a cell on each side for the tabs. The maps
// are worked out once per row and column, so that building the atlas needs table look-ups
// only.
#pragma once

#include <cstddef>
#include <cstdint>

// The cut refuses a scaled picture narrower or lower than this.
constexpr int32_t kMinScaledSide = 45;
// Share of a cell kept on each side of it for the tabs.
constexpr double kTabMarginShare = 0.33;
// Largest scaled side accepted. Far beyond any screen; it keeps every size of the cut, the
// atlas width included, well inside 32 bits.
constexpr int32_t kMaxScaledSide = 1 << 24;

struct CutGeometry {
    int32_t scaledWidth = 0;  // W: picture width x scale, truncated
    int32_t scaledHeight = 0;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int32_t marginX = 0;
    int32_t marginY = 0;
    int32_t pieceWidth = 0;  // cellWidth + 2 * marginX
    int32_t pieceHeight = 0;
    int32_t atlasWidth = 0;  // pieceWidth * cols
    int32_t atlasHeight = 0;
    uint64_t atlasBytes = 0;  // 4 bytes a pixel
};

enum class GeometryCheck {
    Ok,
    TooSmall,  // a scaled side under kMinScaledSide
    Unusable,  // a grid below 1 x 1, cells under a pixel, or sizes beyond kMaxScaledSide
};

// Sizes of a cut of a picture of pictureWidth x pictureHeight pixels (the height without
// its sign) at `scale` into rows x cols pieces.
GeometryCheck ComputeCutGeometry(int32_t pictureWidth,
                                 int32_t pictureHeight,
                                 double scale,
                                 int32_t rows,
                                 int32_t cols,
                                 CutGeometry* out);

// Picture column (or row) of each of `length` board columns (or rows):
// min(truncation of x / scale, pictureExtent - 1).
void BuildPictureMap(int32_t length, double scale, int32_t pictureExtent, int32_t* out);

// Template column (or row) of each of `length` piece columns (or rows): the body of the
// cell, from `margin` on, spans the 200 template pixels of the body square, which starts 66
// pixels into the template; the result is kept within 0 .. 331.
void BuildTemplateMap(int32_t length, int32_t margin, int32_t cell, int32_t* out);

// The first piece column whose template column reaches the body square: where the cell
// starts inside the piece image (it equals the margin). `length` when none does.
int32_t CellOffsetOf(const int32_t* templateMap, int32_t length);
