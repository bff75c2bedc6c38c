// Bitmap: one finished picture of the pack, as the generator hands it to the pack writer.
// Pixels are stored top-down and tightly packed: three bytes (blue, green, red) per pixel
// for 24 bits, one palette index per pixel for 8 bits.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/PackedDib.h"

struct Bitmap {
    int width = 0;
    int height = 0;
    int bits = 24;                 // 8 or 24
    std::vector<uint8_t> pixels;   // height rows of width * bits / 8 bytes
    std::vector<RgbQuad> palette;  // 8 bits only

    int Stride() const { return width * bits / 8; }
    uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(Stride()); }
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(Stride()); }
};
