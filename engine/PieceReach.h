// PieceReach: a saved game keeps its pieces where they lay on the screen it was played on.
// The board is as large as that screen, so on a smaller screen it may end before some of
// them, and a piece whose cell lies wholly outside its surface can never be picked up again.
// After a load each such piece, with its group, is brought back by the least move that puts
// its cells inside the surface (a group wider or higher than the surface starts at its left or
// top edge). Pieces and groups that still show part of a cell stay where they were, and so
// does everything on a surface whose size is not known yet.
#pragma once

#include "engine/PuzzleDocument.h"

// True when some piece was moved.
bool BringPiecesWithinReach(PuzzleDocument& doc);
