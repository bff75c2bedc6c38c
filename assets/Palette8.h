// Helpers for the few 8-bit bitmaps that are pictures (not label maps): a gradient palette
// and a mapping of tones onto it.
#pragma once

#include <vector>

#include "assets/ArtKit.h"
#include "assets/Bitmap.h"

namespace art {

// A palette of `n` entries running through the given colour stops evenly.
std::vector<RgbQuad> GradientPalette(const std::vector<Rgb>& stops, int n);
// An 8-bit bitmap whose pixel (x, y) is the palette entry nearest tone(x, y) in [0, 1].
Bitmap ToneBitmap(int width, int height, const std::vector<RgbQuad>& palette, double (*tone)(int, int));

}  // namespace art
