// The painters of the pack: one function per bitmap id, grouped by the screen that shows
// them. Each group registers its painters here; the generator looks them up by id and
// checks what they return against the manifest.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "assets/Bitmap.h"
#include "assets/Manifest.h"

using Painter = std::function<Bitmap(const ManifestEntry&)>;
using PainterTable = std::map<uint32_t, Painter>;

void RegisterMainMenuArt(PainterTable& table);
void RegisterPlayScreenArt(PainterTable& table);
void RegisterToolArt(PainterTable& table);
void RegisterTemplateArt(PainterTable& table);
void RegisterDialogArt(PainterTable& table);
void RegisterFileMenuArt(PainterTable& table);
void RegisterFileWindowArt(PainterTable& table);
void RegisterOptionsArt(PainterTable& table);
void RegisterMusicArt(PainterTable& table);
void RegisterNewPuzzleArt(PainterTable& table);
void RegisterNewPuzzlePagesArt(PainterTable& table);

// The main menu background, shared with the painters of the main menu's children so that
// each child can be drawn over the exact patch of background it covers.
const Bitmap& MainMenuBackground();
// A copy of the rectangle (x, y, w, h) of a 24-bit bitmap (pixels outside are black).
Bitmap CropBitmap(const Bitmap& src, int x, int y, int w, int h);
