#include "engine/PieceAreas.h"

Rect PieceRect(const PuzzleDocument& doc, uint32_t piece) {
    const Piece& p = doc.pieces[piece];
    return Rect{p.x, p.y, doc.pieceWidth, doc.pieceHeight};
}

Rect SurfaceRect(const PuzzleDocument& doc, int surface) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    return Rect{0, 0, s.clientWidth, s.clientHeight};
}

Rect AreaOfTop(const PuzzleDocument& doc, const uint32_t* stack, int32_t count) {
    Rect area = PieceRect(doc, stack[0]);
    for (int32_t i = 1; i < count; ++i) area = CombineRects(area, PieceRect(doc, stack[i]), kRectUnion).rect;
    return area;
}

Rect Grown(const Rect& area, int32_t margin) {
    return Rect{area.x - margin, area.y - margin, area.width + 2 * margin, area.height + 2 * margin};
}
