// Making the picture in play the desktop wallpaper: the picture fitted to the screen is written
// as "Vexla.bmp" in the Windows directory (engine/WallpaperBmp.h), then the desktop is told to
// show it untiled, for this session and the next ones.
//
// The desktop is touched only once the new file is complete and in place, so a write that
// fails (a full disk, the file held open by a viewer) leaves the file, the registry and the
// desktop exactly as they were, and says so.
#pragma once

#include <windows.h>

#include <string>

#include "engine/BmpFileReader.h"
#include "engine/Geometry.h"

// "<Windows directory>\Vexla.bmp"; empty when the Windows directory cannot be named.
std::string WallpaperFilePath();

// Writes `picture` fitted to `screen` as the wallpaper file and makes it the desktop's
// wallpaper, not tiled. An earlier read-only copy of the file is replaced (and stays read-only
// when the write fails). False when the file could not be written (nothing else was touched),
// or when the desktop refused the new file (the previous wallpaper and tiling are put back).
bool SetPictureAsWallpaper(BmpFileReader& picture, Point screen) noexcept;
