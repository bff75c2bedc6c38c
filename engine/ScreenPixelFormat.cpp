// Screen pixel formats; see ScreenPixelFormat.h.
#include "engine/ScreenPixelFormat.h"

#include <initializer_list>

namespace {

constexpr uint32_t kChannelLevels = 256;
constexpr uint32_t kLargest16BitMask = 0xFFFF;
constexpr uint32_t kWidestChannel = 0xFF;

uint32_t ZeroBitsBelow(uint32_t mask) {
    uint32_t shift = 0;
    while (shift < 32 && (mask & (1u << shift)) == 0) ++shift;
    return shift;
}

// A non-empty run of consecutive bits, at most 8 of them, below bit 16.
bool IsUsable16BitMask(uint32_t mask) {
    if (mask == 0 || mask > kLargest16BitMask) return false;
    const uint32_t run = mask >> ZeroBitsBelow(mask);
    return (run & (run + 1)) == 0 && run <= kWidestChannel;
}

}  // namespace

ChannelPacking PackingOfMask(uint32_t mask) {
    ChannelPacking packing;
    packing.shift = ZeroBitsBelow(mask);
    if (packing.shift < 32) packing.divisor = kChannelLevels / ((mask >> packing.shift) + 1);
    return packing;
}

bool DescribeScreenFormat(int32_t bitCount,
                          uint32_t compression,
                          uint32_t redMask,
                          uint32_t greenMask,
                          uint32_t blueMask,
                          ScreenPixelFormat* out) {
    ScreenPixelFormat format;
    format.bitCount = bitCount;
    switch (bitCount) {
        case 16:
            if (compression == kCompressionRgb) {
                redMask = kRed555, greenMask = kGreen555, blueMask = kBlue555;
            } else if (compression != kCompressionBitFields) {
                return false;
            }
            if (!IsUsable16BitMask(redMask) || !IsUsable16BitMask(greenMask) || !IsUsable16BitMask(blueMask))
                return false;
            if ((redMask & greenMask) != 0 || (redMask & blueMask) != 0 || (greenMask & blueMask) != 0) return false;
            format.red = PackingOfMask(redMask);
            format.green = PackingOfMask(greenMask);
            format.blue = PackingOfMask(blueMask);
            break;
        case 24:
            if (compression != kCompressionRgb) return false;
            redMask = kRed888, greenMask = kGreen888, blueMask = kBlue888;
            break;
        case 32:
            if (compression == kCompressionRgb) {
                redMask = kRed888, greenMask = kGreen888, blueMask = kBlue888;
            } else if (compression != kCompressionBitFields || redMask != kRed888 || greenMask != kGreen888 ||
                       blueMask != kBlue888) {
                return false;
            }
            break;
        default: return false;
    }
    format.redMask = redMask;
    format.greenMask = greenMask;
    format.blueMask = blueMask;
    *out = format;
    return true;
}

uint16_t PackPixel16(const ScreenPixelFormat& format, uint8_t blue, uint8_t green, uint8_t red) {
    const uint32_t pixel = ((red / format.red.divisor) << format.red.shift) +
                           ((green / format.green.divisor) << format.green.shift) +
                           ((blue / format.blue.divisor) << format.blue.shift);
    return static_cast<uint16_t>(pixel);
}

void StoreScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint8_t blue, uint8_t green, uint8_t red) {
    switch (format.bitCount) {
        case 16: {
            const uint16_t pixel = PackPixel16(format, blue, green, red);
            at[0] = static_cast<uint8_t>(pixel);
            at[1] = static_cast<uint8_t>(pixel >> 8);
            break;
        }
        case 24: at[0] = blue, at[1] = green, at[2] = red; break;
        case 32: at[0] = blue, at[1] = green, at[2] = red, at[3] = 0; break;
        default: break;
    }
}

uint32_t LoadScreenPixel(const ScreenPixelFormat& format, const uint8_t* at) {
    uint32_t pixel = 0;
    for (int32_t i = 0; i < format.BytesPerPixel(); ++i) pixel |= static_cast<uint32_t>(at[i]) << (8 * i);
    return pixel;
}

void PutScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint32_t pixel) {
    for (int32_t i = 0; i < format.BytesPerPixel(); ++i) at[i] = static_cast<uint8_t>(pixel >> (8 * i));
}

void DarkenScreenPixel(const ScreenPixelFormat& format, uint8_t* at, uint32_t keep) {
    if (format.bitCount == 16) {
        // Each channel scaled inside its own mask, so that no channel spills into the next.
        const uint32_t pixel = LoadScreenPixel(format, at);
        uint32_t darker = 0;
        for (uint32_t mask : {format.redMask, format.greenMask, format.blueMask})
            darker |= (((pixel & mask) * keep) >> 8) & mask;
        PutScreenPixel(format, at, darker);
        return;
    }
    for (int i = 0; i < 3; ++i) at[i] = static_cast<uint8_t>((at[i] * keep) >> 8);
}
