#include "engine/Hint.h"

#include "engine/JoinRules.h"
#include "engine/PieceAreas.h"
#include "engine/PuzzleStats.h"

namespace {

// Where the neighbour goes to fit against the piece that stays.
Point PlaceBeside(const PuzzleDocument& doc, const Piece& staying, NeighbourSide side) {
    switch (side) {
        case NeighbourSide::Above: return Point{staying.x, staying.y - doc.cellHeight};
        case NeighbourSide::Right: return Point{staying.x + doc.cellWidth, staying.y};
        case NeighbourSide::Below: return Point{staying.x, staying.y + doc.cellHeight};
        case NeighbourSide::Left: break;
    }
    return Point{staying.x - doc.cellWidth, staying.y};
}

}  // namespace

bool HintsAllowed(uint32_t hintsUsed, int32_t pieceCount) {
    return hintsUsed < static_cast<uint32_t>(static_cast<double>(pieceCount) * kHintShare);
}

HintResult TakeHint(PuzzleDocument& doc) {
    HintResult result;
    if (doc.solved != 0 || !HasPuzzle(doc) || !doc.StackReadable(kBoardSurface)) return result;
    const Surface& board = doc.surfaces[kBoardSurface];
    const uint32_t* stack = doc.Stack(kBoardSurface);
    for (int32_t i = 0; i < board.count; ++i) {
        const uint32_t staying = stack[i];
        const uint32_t group = doc.pieces[staying].group;
        for (int32_t j = i + 1; j < board.count; ++j) {
            const uint32_t moving = stack[j];
            if (group != 0 && doc.pieces[moving].group == group) continue;
            // The side is where the moving piece belongs relative to the one that stays.
            NeighbourSide side;
            if (!NeighbourSideOf(doc, staying, moving, &side)) continue;
            Piece& q = doc.pieces[moving];
            if (q.notSelected == 0) {
                q.notSelected = 1;
                result.changes.Repaint(kBoardSurface, PieceRect(doc, moving));
            }
            const Point target = PlaceBeside(doc, doc.pieces[staying], side);
            BringToTop(doc, kBoardSurface, j);
            JoinPieces(doc, kBoardSurface, kBoardSurface, moving, target, result.changes);
            ++doc.hintsUsed;
            result.moreAllowed = HintsAllowed(doc.hintsUsed, doc.PieceCount());
            return result;
        }
    }
    return result;
}
