// Renaming a side box: the name the player typed becomes the box's caption and is kept with
// the game, so a saved game brings it back.
#pragma once

#include <string_view>

#include "engine/BoardChanges.h"
#include "engine/PuzzleDocument.h"

// Gives box `box` (0..5) the name `typed`, cut to 23 characters. A name with nothing in it
// keeps the old one: a box without a caption could not be told from the others. A new name
// marks the game as changed and asks the boxes to show their names; nothing changes for a box
// out of range, an empty name or the name the box already has.
BoardChanges RenameBox(PuzzleDocument& doc, int box, std::string_view typed);
