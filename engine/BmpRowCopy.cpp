// Row copying and widening for the .bmp reader; see BmpRowCopy.h.
#include "engine/BmpRowCopy.h"

#include <cstring>

namespace {

// A pixel of 1, 2 or 4 bits at index `index` of a packed row, first pixel in the high bits.
uint8_t PackedPixel(const uint8_t* row, int64_t index, int32_t bitCount) {
    const int32_t perByte = 8 / bitCount;
    const int32_t shift = (perByte - 1 - static_cast<int32_t>(index % perByte)) * bitCount;
    const uint8_t mask = static_cast<uint8_t>((1u << bitCount) - 1u);
    return static_cast<uint8_t>((row[index / perByte] >> shift) & mask);
}

// Ors a pixel into a zeroed packed row.
void PutPackedPixel(uint8_t* row, int64_t index, int32_t bitCount, uint8_t value) {
    const int32_t perByte = 8 / bitCount;
    const int32_t shift = (perByte - 1 - static_cast<int32_t>(index % perByte)) * bitCount;
    row[index / perByte] = static_cast<uint8_t>(row[index / perByte] | (value << shift));
}

// Five bits of a 16-bit pixel scaled to eight, so that 31 becomes 255.
uint8_t FiveToEight(uint32_t five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); }

}  // namespace

bool IsSupportedBitCount(int32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: return true;
        default: return false;
    }
}

void CopyMappedPixels(const uint8_t* source,
                      uint8_t* destination,
                      const int32_t* columnMap,
                      int32_t width,
                      int32_t bitCount) {
    const auto rowBytes = static_cast<size_t>(BmpRowBytes(width, bitCount));
    if (bitCount < 8) {
        std::memset(destination, 0, rowBytes);
        for (int32_t x = 0; x < width; ++x)
            PutPackedPixel(destination, x, bitCount, PackedPixel(source, columnMap[x], bitCount));
        return;
    }
    const size_t pixelBytes = static_cast<size_t>(bitCount / 8);
    for (int32_t x = 0; x < width; ++x)
        std::memcpy(destination + x * pixelBytes, source + static_cast<size_t>(columnMap[x]) * pixelBytes, pixelBytes);
    const size_t used = static_cast<size_t>(width) * pixelBytes;
    std::memset(destination + used, 0, rowBytes - used);
}

int32_t WidenedBitCount(int32_t bitCount) { return bitCount <= 8 ? 8 : 24; }

void WidenRow(const uint8_t* source, uint8_t* destination, int32_t width, int32_t bitCount) {
    const auto rowBytes = static_cast<size_t>(BmpRowBytes(width, WidenedBitCount(bitCount)));
    std::memset(destination, 0, rowBytes);
    uint8_t* out = destination;
    switch (bitCount) {
        case 1:
        case 4:
            for (int32_t x = 0; x < width; ++x) *out++ = PackedPixel(source, x, bitCount);
            break;
        case 8: std::memcpy(destination, source, static_cast<size_t>(width)); break;
        case 16:
            for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
                const uint32_t pixel = source[2 * x] | (source[2 * x + 1] << 8);
                *out++ = FiveToEight(pixel & 31u);
                *out++ = FiveToEight((pixel >> 5) & 31u);
                *out++ = FiveToEight((pixel >> 10) & 31u);
            }
            break;
        case 24: std::memcpy(destination, source, static_cast<size_t>(width) * 3); break;
        case 32:
            for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
                std::memcpy(out, source + 4 * x, 3);
                out += 3;
            }
            break;
        default: break;  // refused when the picture was opened
    }
}
