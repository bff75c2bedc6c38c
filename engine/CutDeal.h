// Dealing a freshly cut puzzle: every piece goes loose onto the board at a random place, in
// a random stacking order, and the game's play status starts afresh.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/PuzzleDocument.h"

// Needs the document's arrays allocated for its pieces and pieceWidth and pieceHeight set.
// Random numbers are drawn in this order: for each piece from 0 up, one for y and then one
// for x; then two for each of the N swaps of the stacking order. y lies in the lower half
// of the board, x anywhere across it (both can be negative on a board smaller than a piece).
void DealPieces(PuzzleDocument& doc,
                int32_t boardWidth,
                int32_t boardHeight,
                const std::function<double()>& randomUnit);
