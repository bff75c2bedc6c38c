// PackedDib: one block holding a device-independent bitmap as Windows lays it out in
// memory (40-byte header, room for 256 palette entries, pixel rows bottom-up). The pixels
// always start at byte 1064 whatever the palette size, so code can find them without
// looking at the header. This header is portable: it mirrors the Windows structures with
// fixed layouts instead of including <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// Byte-for-byte BITMAPINFOHEADER.
struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

// Byte-for-byte RGBQUAD: blue, green, red, reserved.
struct RgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
#pragma pack(pop)

static_assert(sizeof(BitmapInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(RgbQuad) == 4, "RGBQUAD is 4 bytes");

constexpr uint32_t kDibHeaderSize = 40;
constexpr uint32_t kDibPaletteRoom = 256;
constexpr uint32_t kDibPixelOffset = kDibHeaderSize + 4 * kDibPaletteRoom;  // 1064

struct PackedDib {
    BitmapInfoHeader header;
    RgbQuad palette[kDibPaletteRoom];
    // The pixel bytes follow here, biSizeImage of them.

    uint8_t* Pixels() { return reinterpret_cast<uint8_t*>(this) + kDibPixelOffset; }
    const uint8_t* Pixels() const { return reinterpret_cast<const uint8_t*>(this) + kDibPixelOffset; }
};

static_assert(offsetof(PackedDib, palette) == kDibHeaderSize, "palette right after the header");
static_assert(sizeof(PackedDib) == kDibPixelOffset, "pixels start at byte 1064");

// Bytes in one stored row: rows are padded to a multiple of 4 bytes.
constexpr int32_t DibRowBytes(int32_t width, int32_t bitCount) {
    return static_cast<int32_t>(((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4);
}

// Allocates a block of kDibPixelOffset + pixelBytes bytes, fixed global memory on Windows
// (so it can be handed to any API that expects a packed DIB) and the C heap elsewhere.
// The header is zeroed; palette and pixels are left as allocated. Null on failure.
PackedDib* AllocPackedDib(size_t pixelBytes);
void FreePackedDib(PackedDib* dib);

// Owning pointer for a PackedDib.
struct PackedDibDeleter {
    void operator()(PackedDib* dib) const { FreePackedDib(dib); }
};
