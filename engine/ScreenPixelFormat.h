// ScreenPixelFormat: the screen's pixel layout as the drag writes it into its compose image
// (a DIB section in the screen's own format), read by the cutter from a screen-compatible
// bitmap. Three layouts are drawn in: 16 bits with colour masks, 24 bits blue-green-red and
// 32 bits blue-green-red-zero. The Windows side only reads the format; the rules for which
// formats are usable and how a colour becomes a 16-bit pixel live here, portable and tested
// natively.
#pragma once

#include <cstdint>

// BITMAPINFOHEADER compression values that describe uncompressed pixels.
constexpr uint32_t kCompressionRgb = 0;        // BI_RGB
constexpr uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS

// The default masks of BI_RGB pixels: 5-5-5 for 16 bits, 8-8-8 for 32 bits.
constexpr uint32_t kRed555 = 0x7C00, kGreen555 = 0x03E0, kBlue555 = 0x001F;
constexpr uint32_t kRed888 = 0xFF0000, kGreen888 = 0x00FF00, kBlue888 = 0x0000FF;

// How an 8-bit channel value c goes into a 16-bit pixel: (c / divisor) << shift.
struct ChannelPacking {
    uint32_t shift = 0;    // zero bits below the mask
    uint32_t divisor = 1;  // 256 / (the mask's largest value + 1)
};

// shift and divisor of a mask; the mask must be one of those DescribeScreenFormat accepts.
ChannelPacking PackingOfMask(uint32_t mask);

struct ScreenPixelFormat {
    int32_t bitCount = 0;  // 16, 24 or 32
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    ChannelPacking red, green, blue;  // 16 bits only

    int32_t BytesPerPixel() const { return bitCount / 8; }
};

// The format of bitCount, compression and masks as GetDIBits reports them, or false when
// the drag cannot draw in it. Accepted:
//  - 16 bits with bit fields whose three masks are non-empty runs of at most 8 bits that
//    do not overlap and fit in 16 bits (a mask wider than 8 bits would make the divisor 0,
//    an empty one a shift of 32), or 16 bits BI_RGB, whose masks are 5-5-5;
//  - 24 bits BI_RGB;
//  - 32 bits with the masks red 0xFF0000, green 0xFF00, blue 0xFF, or BI_RGB (the same
//    layout): the drag writes blue, green, red and a zero byte.
bool DescribeScreenFormat(int32_t bitCount,
                          uint32_t compression,
                          uint32_t redMask,
                          uint32_t greenMask,
                          uint32_t blueMask,
                          ScreenPixelFormat* out);

// A colour as a 16-bit pixel of the format.
uint16_t PackPixel16(const ScreenPixelFormat& format, uint8_t blue, uint8_t green, uint8_t red);

// Writes the colour at `at` in the format: 2, 3 or 4 bytes, little-endian.
void StoreScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint8_t blue, uint8_t green, uint8_t red);

// The pixel at `at` in the format as one value (2, 3 or 4 bytes, little-endian), and back.
uint32_t LoadScreenPixel(const ScreenPixelFormat& format, const uint8_t* at);
void PutScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint32_t pixel);
// The pixel at `at` darkened: each channel keeps keep / 256 of its value.
void DarkenScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint32_t keep);
