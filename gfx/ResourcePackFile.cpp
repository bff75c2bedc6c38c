#include "gfx/ResourcePackFile.h"

ResourcePack Pack;

void OpenResourcePack(const char* path) { Pack.Open(path); }

void CloseResourcePack() { Pack.Close(); }
