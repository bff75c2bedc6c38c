// Dealing; see CutDeal.h.
#include "engine/CutDeal.h"

#include <utility>

namespace {

// An index drawn from a unit value. The value is in [0, 1) by contract; the clamp only
// keeps a misbehaving source from indexing past the buffer.
size_t DrawIndex(const std::function<double()>& randomUnit, size_t count) {
    const double scaled = randomUnit() * static_cast<double>(count);
    if (!(scaled >= 0.0)) return 0;
    const auto index = scaled < static_cast<double>(count) ? static_cast<size_t>(scaled) : count - 1;
    return index;
}

}  // namespace

void DealPieces(PuzzleDocument& doc,
                int32_t boardWidth,
                int32_t boardHeight,
                const std::function<double()>& randomUnit) {
    // Every piece on the board in number order; the boxes are empty, so all seven stacks
    // start at the beginning of the OrderBuffer.
    doc.PutAllPiecesOnBoard();
    doc.dirty = 1;
    doc.solved = 0;
    doc.ClockArmed = 1;
    doc.ElapsedSeconds = 0;
    doc.hintsUsed = 0;

    const double freeHeight = static_cast<double>(static_cast<int64_t>(boardHeight) - doc.pieceHeight);
    const double freeWidth = static_cast<double>(static_cast<int64_t>(boardWidth) - doc.pieceWidth);
    for (Piece& piece : doc.pieces) {
        piece.group = 0;
        piece.notSelected = 1;
        // y before x: the order of the draws is part of what a game's layout depends on.
        piece.y = static_cast<int32_t>((randomUnit() + 1.0) * freeHeight * 0.5);
        piece.x = static_cast<int32_t>(randomUnit() * freeWidth);
    }

    const size_t n = doc.order.size();
    for (size_t swap = 0; swap < n; ++swap) {
        const size_t a = DrawIndex(randomUnit, n);
        const size_t b = DrawIndex(randomUnit, n);
        if (a != b) std::swap(doc.order[a], doc.order[b]);
    }
}
