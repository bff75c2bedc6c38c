// The program's resource pack, vexla.rf beside the executable: open from start-up to the end
// of the message loop. DibImage::LoadById reads its bitmaps from here.
#pragma once

#include "engine/ResourcePack.h"

extern ResourcePack Pack;

// Opens the pack at `path` for the rest of the run, and closes it.
void OpenResourcePack(const char* path);
void CloseResourcePack();
