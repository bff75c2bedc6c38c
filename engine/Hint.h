// The hint: the tools panel's command that joins one fitting pair of pieces on the board for
// the player, a fifth of the piece count (truncated) of times per game.
#pragma once

#include <cstdint>

#include "engine/BoardChanges.h"
#include "engine/PuzzleDocument.h"

// Hints are allowed while fewer than a fifth of the piece count (truncated) were taken.
constexpr double kHintShare = 0.2;

// Whether a further hint is allowed after `hintsUsed` hints in a puzzle of `pieceCount`.
bool HintsAllowed(uint32_t hintsUsed, int32_t pieceCount);

struct HintResult {
    bool moreAllowed = true;  // false once this hint used up the last one
    BoardChanges changes;
};

// Joins one fitting pair of pieces on the board: the first piece from the top whose grid
// neighbour lies lower in the board's stack (and not in its group) stays, and the neighbour
// with its group moves against it, which may complete the puzzle. Counts the hint and says
// whether another is allowed. With nothing to do (solved, no puzzle, an empty board, no such
// pair) it counts nothing, changes nothing and allows more. Leaves `dirty` as it was.
HintResult TakeHint(PuzzleDocument& doc);
