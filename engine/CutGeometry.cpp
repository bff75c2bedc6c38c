// Sizes and coordinate maps of a cut; see CutGeometry.h.
#include "engine/CutGeometry.h"

#include <algorithm>
#include <cmath>

#include "engine/CutTemplate.h"

GeometryCheck ComputeCutGeometry(int32_t pictureWidth,
                                 int32_t pictureHeight,
                                 double scale,
                                 int32_t rows,
                                 int32_t cols,
                                 CutGeometry* out) {
    const double width = static_cast<double>(pictureWidth) * scale;
    const double height = static_cast<double>(pictureHeight) * scale;
    // Written as "not at least" so that a scale that is not a number fails here too.
    if (!(width >= kMinScaledSide) || !(height >= kMinScaledSide)) return GeometryCheck::TooSmall;
    if (width >= kMaxScaledSide || height >= kMaxScaledSide || rows < 1 || cols < 1) return GeometryCheck::Unusable;

    CutGeometry g;
    g.scaledWidth = static_cast<int32_t>(width);
    g.scaledHeight = static_cast<int32_t>(height);
    g.cellWidth = g.scaledWidth / cols;
    g.cellHeight = g.scaledHeight / rows;
    if (g.cellWidth < 1 || g.cellHeight < 1) return GeometryCheck::Unusable;
    g.marginX = static_cast<int32_t>(g.cellWidth * kTabMarginShare);
    g.marginY = static_cast<int32_t>(g.cellHeight * kTabMarginShare);
    g.pieceWidth = g.cellWidth + 2 * g.marginX;
    g.pieceHeight = g.cellHeight + 2 * g.marginY;
    // A piece is at most 1.66 cells wide, so the atlas is at most 1.66 W wide: inside 32 bits.
    g.atlasWidth = g.pieceWidth * cols;
    g.atlasHeight = g.pieceHeight * rows;
    g.atlasBytes = 4ull * static_cast<uint64_t>(g.atlasWidth) * static_cast<uint64_t>(g.atlasHeight);
    *out = g;
    return GeometryCheck::Ok;
}

void BuildPictureMap(int32_t length, double scale, int32_t pictureExtent, int32_t* out) {
    for (int32_t x = 0; x < length; ++x) out[x] = std::min(static_cast<int32_t>(x / scale), pictureExtent - 1);
}

void BuildTemplateMap(int32_t length, int32_t margin, int32_t cell, int32_t* out) {
    // (u - margin) x 200 / cell + 66, rounded down, in integers. In floating point the sum
    // lands a hair below a whole number for some cell sizes (for a 44-pixel cell,
    // -11 x (200 / 44) + 66 is 15.999999999999993 and truncates to 15), so a piece and its
    // neighbour read template columns one apart and leave a one-pixel gap or overlap.
    for (int32_t u = 0; u < length; ++u) {
        const int64_t scaled = static_cast<int64_t>(u - margin) * kTemplateBodySide;
        const int64_t below = scaled >= 0 ? scaled / cell : -((-scaled + cell - 1) / cell);
        out[u] = static_cast<int32_t>(std::clamp<int64_t>(below + kTemplateTabReach, 0, kTemplateLastCoordinate));
    }
}

int32_t CellOffsetOf(const int32_t* templateMap, int32_t length) {
    int32_t u = 0;
    while (u < length && templateMap[u] < kTemplateTabReach) ++u;
    return u;
}
