// PuzzleStats: how far the game has come and what it is worth, and the two commands of the
// tools panel that play for the player: a hint joins one fitting pair on the board, and the
// solve command puts every piece in its place.
//
// Progress counts clusters (a loose piece or a whole group): a group's label is its largest
// member + 1, so exactly one member of each group carries its own number + 1, and counting
// the pieces whose label is 0 or their number + 1 counts the clusters. Each join removes one.
#pragma once

#include <cstdint>

#include "puzzle/PuzzleDocument.h"

// Hints are allowed while fewer than a fifth of the piece count (truncated) were taken.
constexpr double kHintShare = 0.2;
// The score is divided by the number of started periods of this many seconds.
constexpr uint32_t kScorePeriodSeconds = 7;
// Scores are kept as signed 32-bit numbers (the records file's field); larger ones stop here.
constexpr uint32_t kLargestScore = 0x7FFFFFFF;

// Total pieces, percentage put together (truncated) and score; all 0 with no puzzle.
void PuzzleStats(const PuzzleDocument& doc, uint32_t* total, uint32_t* percentage, uint32_t* score);

// Whether a further hint is allowed after `hintsUsed` hints in a puzzle of `pieceCount`.
bool HintsAllowed(uint32_t hintsUsed, int32_t pieceCount);

// Joins one fitting pair of pieces on the board: the first piece from the top whose grid
// neighbour lies lower in the board's stack (and not in its group) stays, and the neighbour
// with its group moves against it, which may complete the puzzle. Counts the hint and
// returns whether another is allowed. With nothing to do (solved, no puzzle, an empty board,
// no such pair) it counts nothing and returns true. Leaves `dirty` as it was.
bool TakeHint(PuzzleDocument& doc);

// Puts every piece on the board in its solved place, the picture whole and centred, as one
// group; hides and empties the boxes, repaints, and stops the clock for good. Does nothing
// when the puzzle is solved already or there is none.
void SolvePuzzle(PuzzleDocument& doc);
