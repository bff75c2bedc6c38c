// ArtIcons: the executable's icons and cursors, drawn with the pack's palette. The folder
// tree of the file window shows icons 141 to 152 as 16 x 16 images (image i is icon 141 + i);
// the size pickers of the new-puzzle dialog use cursor 562 and, while a button is held, 563.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/IconFile.h"

struct IconDesign {
    uint32_t id;
    const char* shows;
};

// Icons 141 to 152 and what each shows, in id order.
const std::vector<IconDesign>& IconDesigns();
// Cursors 562 and 563.
const std::vector<IconDesign>& CursorDesigns();

// Icon `id` drawn at size x size (16 and 32 are the sizes the game ships).
IconImage DrawIcon(uint32_t id, int size);
// Cursor `id`, 32 x 32 with its hot spot.
IconImage DrawCursor(uint32_t id);
