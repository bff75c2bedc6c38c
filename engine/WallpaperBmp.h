// The wallpaper file: the picture in play resampled to fill the screen in its limiting
// direction, written as a .bmp file in the picture's own pixel format:
//
//   0   14 bytes            file header: "BM", the file size, two reserved zeros, and where
//                           the pixels start (54 + 4 x palette entries)
//   14  40 bytes            the picture's info header with the fitted width, the fitted
//                           height (positive: rows bottom-up) and the new image size; the
//                           other fields as the picture has them
//   54  4 x entries         the picture's palette (none for 24- and 32-bit pictures)
//   ..  image size          the resampled rows, bottom-up, each padded to 4 bytes
//
// The file is written beside its target under a temporary name and moved over the target only
// once it is complete, so the desktop never meets half a picture and a failed write leaves
// the previous wallpaper file as it was.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/BmpFileReader.h"
#include "engine/Geometry.h"

// The file's name in the Windows directory.
constexpr char kWallpaperFileName[] = "Vexla.bmp";

// The whole .bmp file for the picture open in `picture`, fitted to a screen of `screen`
// pixels (FitKeepingProportions). False, `out` untouched, when nothing is open, the screen has
// no pixels, the file would pass 4 GB, memory runs out, or the picture cannot be read.
bool BuildWallpaperBmp(BmpFileReader& picture, Point screen, std::vector<uint8_t>* out) noexcept;

// Writes that file to "<path>.tmp", flushes it and moves it over `path` in one step. False
// when any step failed: `path` is then exactly as it was and the temporary file is gone.
bool WriteWallpaperBmp(const char* path, BmpFileReader& picture, Point screen) noexcept;
