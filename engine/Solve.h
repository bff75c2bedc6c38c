// Completion and the solve command: a puzzle is complete when one surface holds all N pieces
// and every one carries the label N (one group of everything); the solve command puts it in
// that state for the player.
#pragma once

#include "engine/BoardChanges.h"
#include "engine/PuzzleDocument.h"

// Whether the surface holds all N pieces and every one carries the label N.
bool SurfaceHoldsCompletePuzzle(const PuzzleDocument& doc, int surface);

// Puts every piece on the board in its solved place, the picture whole and centred, as one
// group, and marks the puzzle solved; the boxes are emptied. What the windows then do: hide
// the boxes (their parents told they emptied), repaint every surface, show the board at once
// and stop the clock for good. Nothing happens (no changes) when the puzzle is solved
// already or there is none.
BoardChanges SolvePuzzle(PuzzleDocument& doc);
