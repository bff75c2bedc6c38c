// Percentage, score, hint and solve; see PuzzleStats.h.
#include "puzzle/PuzzleStats.h"

#include "puzzle/JoinRules.h"
#include "puzzle/SurfacePainter.h"

namespace {

void PaintWhole(const PuzzleDocument& doc, int surface, bool invalidate) {
    const Rect whole = SurfaceRect(doc, surface);
    if (doc.callbacks.paintRegion && whole.width > 0 && whole.height > 0)
        doc.callbacks.paintRegion(surface, whole, invalidate, false);
}

bool HasPuzzle(const PuzzleDocument& doc) {
    return !doc.atlas.empty() && doc.PieceCount() > 0 && doc.pieces.size() == doc.order.size() && doc.cols > 0;
}

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

void PuzzleStats(const PuzzleDocument& doc, uint32_t* total, uint32_t* percentage, uint32_t* score) {
    *total = 0;
    *percentage = 0;
    *score = 0;
    if (!HasPuzzle(doc))
        return;
    const auto n = static_cast<uint32_t>(doc.PieceCount());
    uint32_t clusters = 0;
    for (uint32_t piece = 0; piece < n; ++piece) {
        const uint32_t group = doc.pieces[piece].group;
        if (group == 0 || group == piece + 1)
            ++clusters;
    }
    *total = n;
    if (n < 2)
        return;
    // A damaged record set can count more clusters than pieces; it then shows no progress.
    const double joins = clusters <= n ? static_cast<double>(n - clusters) : 0.0;
    *percentage = static_cast<uint32_t>(joins * 100.0 / static_cast<double>(n - 1));
    const double periods = static_cast<double>(doc.ElapsedSeconds / kScorePeriodSeconds) + 1.0;
    const double value = (static_cast<double>(n) - static_cast<double>(doc.hintsUsed)) * *percentage *
                         static_cast<double>(n) * 10.0 / periods;
    if (value <= 0.0)
        *score = 0;
    else if (value >= static_cast<double>(kLargestScore))
        *score = kLargestScore;
    else
        *score = static_cast<uint32_t>(value);
}

bool HintsAllowed(uint32_t hintsUsed, int32_t pieceCount) {
    return hintsUsed < static_cast<uint32_t>(static_cast<double>(pieceCount) * kHintShare);
}

bool TakeHint(PuzzleDocument& doc) {
    if (doc.solved != 0 || !HasPuzzle(doc))
        return true;
    const Surface& board = doc.surfaces[kBoardSurface];
    if (board.count <= 0 || board.stackStart < 0 ||
        static_cast<int64_t>(board.stackStart) + board.count > doc.PieceCount())
        return true;
    const uint32_t* stack = doc.Stack(kBoardSurface);
    for (int32_t i = 0; i < board.count; ++i) {
        const uint32_t staying = stack[i];
        const uint32_t group = doc.pieces[staying].group;
        for (int32_t j = i + 1; j < board.count; ++j) {
            const uint32_t moving = stack[j];
            if (group != 0 && doc.pieces[moving].group == group)
                continue;
            // The side is where the moving piece belongs relative to the one that stays.
            NeighbourSide side;
            if (!NeighbourSideOf(doc, staying, moving, &side))
                continue;
            Piece& q = doc.pieces[moving];
            if (q.notSelected == 0) {
                q.notSelected = 1;
                if (doc.callbacks.paintRegion)
                    doc.callbacks.paintRegion(kBoardSurface, PieceRect(doc, moving), true, false);
            }
            const Point target = PlaceBeside(doc, doc.pieces[staying], side);
            BringToTop(doc, kBoardSurface, j, false);
            JoinPieces(doc, kBoardSurface, kBoardSurface, moving, target);
            ++doc.hintsUsed;
            return HintsAllowed(doc.hintsUsed, doc.PieceCount());
        }
    }
    return true;
}

void SolvePuzzle(PuzzleDocument& doc) {
    if (doc.solved != 0 || !HasPuzzle(doc))
        return;
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
        if (doc.callbacks.hideBox)
            doc.callbacks.hideBox(box);
        if (doc.callbacks.notifySurface)
            doc.callbacks.notifySurface(box, SurfaceNotice::NowEmpty);
        PaintWhole(doc, box, false);
    }
    PaintWhole(doc, kBoardSurface, true);
    if (doc.callbacks.updateSurface)
        doc.callbacks.updateSurface(kBoardSurface);

    doc.ClockArmed = 0;
    if (doc.callbacks.stopClock)
        doc.callbacks.stopClock();
}
