// The drag's rectangles and sprite drawing; see DragSprite.h.
#include "engine/DragSprite.h"

#include <algorithm>

#include "engine/SurfacePainter.h"

namespace {

constexpr int32_t kInsideFlag = 3;
constexpr int32_t kBytesPerAtlasPixel = 4;

}  // namespace

DragStepPlan PlanDragStep(Point from, Point to, int32_t pieceWidth, int32_t pieceHeight) {
    const Rect before{from.x, from.y, pieceWidth, pieceHeight};
    const Rect after{to.x, to.y, pieceWidth, pieceHeight};
    const RectCombination both = CombineRects(before, after, kRectUnion);
    DragStepPlan plan;
    plan.overlap = both.overlap;
    if (both.overlap) {
        plan.shown = both.rect;
        plan.pieceAt = to - both.rect.Origin();
        plan.oldPieceAt = from - both.rect.Origin();
    } else {
        plan.shown = after;
    }
    return plan;
}

void DrawPieceSprite(const PuzzleDocument& doc, uint32_t piece, const SpriteCanvas& canvas, Point at) {
    if (canvas.bits == nullptr || piece >= doc.pieces.size()) return;
    const int32_t bytes = canvas.format.BytesPerPixel();
    const bool marked = doc.pieces[piece].notSelected == 0;
    const int32_t firstU = std::max(0, -at.x);
    const int32_t lastU = std::min(doc.pieceWidth, canvas.width - at.x);
    const int32_t firstV = std::max(0, -at.y);
    const int32_t lastV = std::min(doc.pieceHeight, canvas.height - at.y);
    for (int32_t v = firstV; v < lastV; ++v) {
        const uint8_t* source = AtlasPixel(doc, piece, 0, v);
        uint8_t* row = canvas.bits + static_cast<size_t>(at.y + v) * static_cast<size_t>(canvas.stride);
        const bool hatchedRow = marked && v % 2 == 0;
        for (int32_t u = firstU; u < lastU; ++u) {
            const uint8_t* pixel = source + static_cast<size_t>(u) * kBytesPerAtlasPixel;
            if (pixel[kInsideFlag] == 0) continue;
            uint8_t* out = row + static_cast<size_t>(at.x + u) * static_cast<size_t>(bytes);
            if (hatchedRow && u % kHatchColumnStep == 0) {
                StoreScreenPixel(canvas.format, out, static_cast<uint8_t>(255 - pixel[0]),
                                 static_cast<uint8_t>(255 - pixel[1]), static_cast<uint8_t>(255 - pixel[2]));
            } else {
                StoreScreenPixel(canvas.format, out, pixel[0], pixel[1], pixel[2]);
            }
        }
    }
}
