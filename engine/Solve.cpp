#include "engine/Solve.h"

#include <algorithm>

#include "engine/PieceAreas.h"
#include "engine/PuzzleStats.h"

bool SurfaceHoldsCompletePuzzle(const PuzzleDocument& doc, int surface) {
    if (!doc.StackReadable(surface)) return false;
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    const auto n = static_cast<uint32_t>(doc.PieceCount());
    if (n == 0 || s.count != doc.PieceCount()) return false;
    const uint32_t* stack = doc.order.data() + s.stackStart;
    return std::all_of(stack, stack + s.count, [&](uint32_t piece) { return doc.pieces[piece].group == n; });
}

BoardChanges SolvePuzzle(PuzzleDocument& doc) {
    BoardChanges changes;
    if (doc.solved != 0 || !HasPuzzle(doc)) return changes;
    const int32_t n = doc.PieceCount();
    for (Surface& surface : doc.surfaces) {
        surface.stackStart = 0;
        surface.count = 0;
    }
    doc.surfaces[kBoardSurface].count = n;

    const Surface& board = doc.surfaces[kBoardSurface];
    const int32_t offsetX = (board.clientWidth - doc.cellWidth * doc.cols) / 2 - doc.marginX;
    const int32_t offsetY = (board.clientHeight - doc.cellHeight * doc.rows) / 2 - doc.marginY;
    doc.solved = 1;
    for (int32_t number = 0; number < n; ++number) {
        Piece& piece = doc.pieces[static_cast<size_t>(number)];
        piece.x = (number % doc.cols) * doc.cellWidth + offsetX;
        piece.y = (number / doc.cols) * doc.cellHeight + offsetY;
        piece.group = static_cast<uint32_t>(n);
        piece.notSelected = 1;
    }

    for (int box = 0; box < kBoxCount; ++box) {
        changes.HideBox(box);
        changes.Notify(box, SurfaceNotice::NowEmpty);
        changes.Repaint(box, SurfaceRect(doc, box), false);
    }
    changes.Repaint(kBoardSurface, SurfaceRect(doc, kBoardSurface));
    changes.updateBoard = true;

    doc.ClockArmed = 0;
    changes.stopClock = true;
    return changes;
}
