// PuzzleStats: how far the game has come and what it is worth.
//
// Progress counts clusters (a loose piece or a whole group): a group's label is its largest
// member + 1, so exactly one member of each group carries its own number + 1, and counting
// the pieces whose label is 0 or their number + 1 counts the clusters. Each join removes one.
#pragma once

#include <cstdint>

#include "engine/PuzzleDocument.h"

// The score is divided by the number of started periods of this many seconds.
constexpr uint32_t kScorePeriodSeconds = 7;
// Scores are kept as signed 32-bit numbers (the records file's field); larger ones stop here.
constexpr uint32_t kLargestScore = 0x7FFFFFFF;

// Total pieces, percentage put together (truncated) and score; all 0 with no puzzle.
void PuzzleStats(const PuzzleDocument& doc, uint32_t* total, uint32_t* percentage, uint32_t* score);

// A cut puzzle whose arrays agree with each other.
bool HasPuzzle(const PuzzleDocument& doc);
