// Pixel-row helpers of the .bmp reader: the size of a stored row, copying pixels through a
// column map in a row's own format (1, 4, 8, 16, 24 or 32 bits per pixel), and widening a
// row to one of the two formats the cutter understands (one palette index per byte, or
// blue-green-red). Kept apart from the reader so that the bit fiddling can be tested and
// measured without files.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes in one stored row, padded to a multiple of 4 bytes. 64-bit so that no width and
// depth a header can hold overflows it.
constexpr int64_t BmpRowBytes(int64_t width, int32_t bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// True for the depths the reader accepts: 1, 4, 8, 16, 24 and 32 bits per pixel.
bool IsSupportedBitCount(int32_t bitCount);

// Writes destination pixel x = source pixel columnMap[x] for x in 0 .. width - 1, both rows
// in the format of `bitCount`. Pixels narrower than a byte are packed from the high bits
// down, so for 4 bits pixel i is the high nibble of byte i / 2 when i is even and the low
// nibble when it is odd. The destination row's padding bytes are zeroed.
void CopyMappedPixels(const uint8_t* source,
                      uint8_t* destination,
                      const int32_t* columnMap,
                      int32_t width,
                      int32_t bitCount);

// The depth a row of `bitCount` bits becomes when widened: 8 for paletted pictures, 24 for
// the others.
int32_t WidenedBitCount(int32_t bitCount);

// Widens one row of `width` pixels: 1- and 4-bit indices become one byte each, 8-bit and
// 24-bit rows are copied, 16-bit pixels (5 bits each of red, green, blue) and 32-bit pixels
// become blue, green, red. The destination holds BmpRowBytes(width, WidenedBitCount(bitCount))
// bytes; its padding is zeroed.
void WidenRow(const uint8_t* source, uint8_t* destination, int32_t width, int32_t bitCount);
