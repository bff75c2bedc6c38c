// DibBlit and CopyDibFormat on small hand-made images. Pixel (x, y) counts from the top-left;
// storage is bottom-up, so its byte lies at (height - y - 1) * rowBytes + x * pixelBytes.
// Row sizes are written out per image: 8 bits, 5 wide: 8 bytes; 24 bits, 5 wide: 16 bytes.
#include "engine/DibBlit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using DibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;

DibPtr MakeDib(int32_t width, int32_t height, uint16_t bitCount, int32_t rowBytes, uint8_t fill) {
    const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * height);
    DibPtr dib(AllocPackedDib(pixelBytes));
    dib->header.biSize = kDibHeaderSize;
    dib->header.biWidth = width;
    dib->header.biHeight = height;
    dib->header.biPlanes = 1;
    dib->header.biBitCount = bitCount;
    dib->header.biSizeImage = pixelBytes;
    std::memset(dib->palette, 0, sizeof dib->palette);
    std::memset(dib->Pixels(), fill, pixelBytes);
    return dib;
}

// An 8-bit image whose pixel (x, y) holds 10 * y + x + 1, so that every pixel says where it
// came from. Rows of `rowBytes`.
DibPtr MakeNumbered8(int32_t width, int32_t height, int32_t rowBytes) {
    DibPtr dib = MakeDib(width, height, 8, rowBytes, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            dib->Pixels()[(height - y - 1) * rowBytes + x] = static_cast<uint8_t>(10 * y + x + 1);
    return dib;
}

uint8_t At8(const PackedDib& dib, int32_t rowBytes, int32_t x, int32_t y) {
    return dib.Pixels()[(dib.header.biHeight - y - 1) * rowBytes + x];
}

// Every byte of the block, so that "nothing changed" is checked everywhere.
std::vector<uint8_t> PixelBytes(const PackedDib& dib) { return {dib.Pixels(), dib.Pixels() + dib.header.biSizeImage}; }

TEST(DibBlitCopy, EightBitBlockLandsAtTheDestination) {
    DibPtr dest = MakeDib(5, 4, 8, 8, 0xEE);
    DibPtr src = MakeNumbered8(3, 2, 4);
    DibBlit(dest.get(), 1, 2, 3, 2, src.get(), 0, 0, kRopSrcCopy);

    EXPECT_EQ(At8(*dest, 8, 1, 2), 1);
    EXPECT_EQ(At8(*dest, 8, 3, 2), 3);
    EXPECT_EQ(At8(*dest, 8, 1, 3), 11);
    EXPECT_EQ(At8(*dest, 8, 3, 3), 13);
    EXPECT_EQ(At8(*dest, 8, 0, 2), 0xEE);
    EXPECT_EQ(At8(*dest, 8, 4, 3), 0xEE);
    EXPECT_EQ(At8(*dest, 8, 1, 1), 0xEE);
    // Bottom-up storage: pixel (1, 3), the last row, is the second byte of the block.
    EXPECT_EQ(dest->Pixels()[1], 11);
    // Row padding is never written.
    EXPECT_EQ(dest->Pixels()[5], 0xEE);
    EXPECT_EQ(dest->Pixels()[13], 0xEE);
}

TEST(DibBlitCopy, TwentyFourBitRowsAndThreeBytesAPixel) {
    DibPtr dest = MakeDib(5, 2, 24, 16, 0x00);
    DibPtr src = MakeDib(2, 1, 24, 8, 0x00);
    const uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(src->Pixels(), bgr, sizeof bgr);

    DibBlit(dest.get(), 3, 0, 2, 1, src.get(), 0, 0, kRopSrcCopy);
    // Pixel (3, 0) is in storage row 1, which starts at byte 16; x 3 is 9 bytes further.
    const uint8_t expectedRow[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 0};
    EXPECT_EQ(std::memcmp(dest->Pixels() + 16, expectedRow, 16), 0);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dest->Pixels()[i], 0) << "byte " << i;
}

TEST(DibBlitCopy, OtherDepthsUseTwentyFourBitRows) {
    // A 32-bit image is laid out as 24-bit by DibBlit: 3 bytes a pixel, 2 wide: 8-byte rows.
    DibPtr dest = MakeDib(2, 2, 32, 8, 0x00);
    DibPtr src = MakeDib(1, 1, 32, 4, 0x7F);
    DibBlit(dest.get(), 1, 1, 1, 1, src.get(), 0, 0, kRopSrcCopy);
    const uint8_t expected[16] = {0, 0, 0, 0x7F, 0x7F, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(dest->Pixels(), expected, 16), 0);
}

TEST(DibBlitRasterOperations, AndAndXorEveryByte) {
    DibPtr src = MakeDib(1, 1, 24, 4, 0x0A);    // 1010
    DibPtr anded = MakeDib(1, 1, 24, 4, 0x0C);  // 1100
    DibPtr xored = MakeDib(1, 1, 24, 4, 0x0C);
    DibBlit(anded.get(), 0, 0, 1, 1, src.get(), 0, 0, kRopSrcAnd);
    DibBlit(xored.get(), 0, 0, 1, 1, src.get(), 0, 0, kRopSrcInvert);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(anded->Pixels()[i], 0x08) << "byte " << i;
        EXPECT_EQ(xored->Pixels()[i], 0x06) << "byte " << i;
    }
    EXPECT_EQ(anded->Pixels()[3], 0x0C);  // padding
}

TEST(DibBlitRasterOperations, UnknownOperationChangesNothing) {
    DibPtr dest = MakeDib(4, 4, 8, 4, 0x33);
    DibPtr src = MakeNumbered8(4, 4, 4);
    const std::vector<uint8_t> before = PixelBytes(*dest);
    for (const uint32_t rop : {0u, 0x00CC0021u, 0x00000042u /* BLACKNESS */, 0x00EE0086u /* SRCPAINT */}) {
        DibBlit(dest.get(), 0, 0, 4, 4, src.get(), 0, 0, rop);
        EXPECT_EQ(PixelBytes(*dest), before) << "rop " << rop;
    }
}

TEST(DibBlitClipping, DestinationPartlyOutsideMovesTheSourceAlong) {
    DibPtr dest = MakeDib(4, 4, 8, 4, 0xEE);
    DibPtr src = MakeNumbered8(4, 4, 4);
    // Destination (-1, -2) loses one column and two rows, so the source starts at (1, 2).
    DibBlit(dest.get(), -1, -2, 4, 4, src.get(), 0, 0, kRopSrcCopy);
    EXPECT_EQ(At8(*dest, 4, 0, 0), 22);
    EXPECT_EQ(At8(*dest, 4, 2, 0), 24);
    EXPECT_EQ(At8(*dest, 4, 0, 1), 32);
    EXPECT_EQ(At8(*dest, 4, 2, 1), 34);
    EXPECT_EQ(At8(*dest, 4, 3, 0), 0xEE);
    EXPECT_EQ(At8(*dest, 4, 0, 2), 0xEE);
}

TEST(DibBlitClipping, PartlyOutsideBothImagesKeepsPixelsInPlace) {
    DibPtr dest = MakeDib(5, 5, 8, 8, 0xEE);
    DibPtr src = MakeNumbered8(3, 3, 4);
    // Unclipped, destination (X, Y) would take source (X - 4, Y + 1). Inside both images
    // that leaves destination (4, 0) and (4, 1), from source (0, 1) and (0, 2).
    DibBlit(dest.get(), 3, -1, 4, 4, src.get(), -1, 0, kRopSrcCopy);
    EXPECT_EQ(At8(*dest, 8, 4, 0), 11);
    EXPECT_EQ(At8(*dest, 8, 4, 1), 21);
    int changed = 0;
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x) changed += At8(*dest, 8, x, y) != 0xEE;
    EXPECT_EQ(changed, 2);
}

TEST(DibBlitClipping, WhollyOutsideOrTouchingChangesNothing) {
    DibPtr dest = MakeDib(4, 4, 8, 4, 0xEE);
    DibPtr src = MakeNumbered8(4, 4, 4);
    const std::vector<uint8_t> before = PixelBytes(*dest);
    DibBlit(dest.get(), 10, 0, 4, 4, src.get(), 0, 0, kRopSrcCopy);  // past the destination
    DibBlit(dest.get(), 4, 0, 4, 4, src.get(), 0, 0, kRopSrcCopy);   // touching its right edge
    DibBlit(dest.get(), 0, 0, 4, 4, src.get(), 0, 9, kRopSrcCopy);   // below the source
    DibBlit(dest.get(), 0, 0, 2, 2, src.get(), -2, 0, kRopSrcCopy);  // left of the source
    DibBlit(dest.get(), 0, 0, 4, 4, src.get(), INT32_MAX, 0, kRopSrcCopy);
    DibBlit(dest.get(), INT32_MIN, 0, INT32_MAX, 4, src.get(), INT32_MAX, 0, kRopSrcCopy);
    EXPECT_EQ(PixelBytes(*dest), before);
}

TEST(DibBlitClipping, OverlappingCopyInsideOneImageRunsBackwards) {
    // Row 0 holds 1 2 3 4; moving its first three pixels one to the right from the last
    // column backwards reads every pixel before it is overwritten.
    DibPtr image = MakeNumbered8(4, 1, 4);
    DibBlit(image.get(), 1, 0, 3, 1, image.get(), 0, 0, kRopSrcCopy);
    const uint8_t expected[4] = {1, 1, 2, 3};
    EXPECT_EQ(std::memcmp(image->Pixels(), expected, 4), 0);
}

TEST(DibBlitRefusals, UnsafeCallsChangeNothing) {
    DibPtr dest = MakeDib(4, 4, 8, 4, 0xEE);
    DibPtr src8 = MakeNumbered8(4, 4, 4);
    DibPtr src24 = MakeDib(4, 4, 24, 12, 0x11);
    const std::vector<uint8_t> before = PixelBytes(*dest);

    DibBlit(nullptr, 0, 0, 4, 4, src8.get(), 0, 0, kRopSrcCopy);
    DibBlit(dest.get(), 0, 0, 4, 4, nullptr, 0, 0, kRopSrcCopy);
    DibBlit(dest.get(), 0, 0, 4, 4, src24.get(), 0, 0, kRopSrcCopy);  // another depth
    DibBlit(dest.get(), 0, 0, 0, 4, src8.get(), 0, 0, kRopSrcCopy);
    DibBlit(dest.get(), 0, 0, 4, -4, src8.get(), 0, 0, kRopSrcCopy);
    DibBlit(dest.get(), 2, 2, -2, -2, src8.get(), 2, 2, kRopSrcCopy);
    EXPECT_EQ(PixelBytes(*dest), before);

    // A 24-bit source whose block only has 8-bit room: its rows would run off the block.
    DibPtr dest24 = MakeDib(4, 4, 24, 12, 0x00);
    DibPtr narrow = MakeDib(4, 4, 8, 4, 0x55);
    narrow->header.biBitCount = 24;
    const std::vector<uint8_t> before24 = PixelBytes(*dest24);
    DibBlit(dest24.get(), 0, 0, 4, 4, narrow.get(), 0, 0, kRopSrcCopy);
    DibBlit(narrow.get(), 0, 0, 4, 4, dest24.get(), 0, 0, kRopSrcCopy);
    EXPECT_EQ(PixelBytes(*dest24), before24);

    // A top-down image (negative height) does not fit the bottom-up row rule.
    DibPtr topDown = MakeNumbered8(4, 4, 4);
    topDown->header.biHeight = -4;
    DibBlit(dest.get(), 0, 0, 4, 4, topDown.get(), 0, 0, kRopSrcCopy);
    EXPECT_EQ(PixelBytes(*dest), before);
}

TEST(CopyDibFormatTest, TakesDepthAndPaletteWithinTheSameBlock) {
    DibPtr src = MakeDib(1, 1, 8, 4, 0);
    src->header.biClrUsed = 2;
    src->palette[0] = {1, 2, 3, 0};
    src->palette[1] = {4, 5, 6, 0};
    DibPtr dest = MakeDib(5, 3, 8, 8, 0x44);
    const PackedDib* block = dest.get();

    ASSERT_TRUE(CopyDibFormat(src.get(), dest));
    EXPECT_EQ(dest.get(), block);
    EXPECT_EQ(dest->header.biBitCount, 8);
    EXPECT_EQ(dest->header.biClrUsed, 2u);
    EXPECT_EQ(dest->header.biSizeImage, 24u);
    EXPECT_EQ(dest->palette[1].rgbRed, 6);
    EXPECT_EQ(dest->palette[2].rgbBlue, 0);  // beyond biClrUsed: untouched
    EXPECT_EQ(dest->Pixels()[23], 0x44);
}

TEST(CopyDibFormatTest, ALargerDepthGetsABlockWithRoomForIt) {
    DibPtr src = MakeDib(1, 1, 24, 4, 0);
    DibPtr dest = MakeDib(5, 3, 8, 8, 0);
    dest->header.biClrUsed = 256;

    ASSERT_TRUE(CopyDibFormat(src.get(), dest));
    EXPECT_EQ(dest->header.biBitCount, 24);
    EXPECT_EQ(dest->header.biClrUsed, 0u);
    EXPECT_EQ(dest->header.biSizeImage, 48u);  // 5 pixels * 3 = 15, padded to 16, 3 rows
    EXPECT_EQ(dest->header.biWidth, 5);
    EXPECT_EQ(dest->header.biHeight, 3);
    EXPECT_EQ(dest->header.biSize, kDibHeaderSize);

    // The whole 24-bit picture now fits: filling it from a 24-bit source stays in bounds.
    DibPtr full = MakeDib(5, 3, 24, 16, 0x5A);
    DibBlit(dest.get(), 0, 0, 5, 3, full.get(), 0, 0, kRopSrcCopy);
    EXPECT_EQ(dest->Pixels()[0], 0x5A);
    EXPECT_EQ(dest->Pixels()[32 + 14], 0x5A);  // last pixel byte of the top row
}

TEST(CopyDibFormatTest, RefusalsLeaveTheDestinationAlone) {
    DibPtr dest = MakeDib(5, 3, 8, 8, 0);
    const PackedDib* block = dest.get();
    DibPtr tooManyColours = MakeDib(1, 1, 8, 4, 0);
    tooManyColours->header.biClrUsed = 257;

    EXPECT_FALSE(CopyDibFormat(tooManyColours.get(), dest));
    EXPECT_FALSE(CopyDibFormat(nullptr, dest));
    DibPtr none;
    EXPECT_FALSE(CopyDibFormat(tooManyColours.get(), none));
    EXPECT_EQ(dest.get(), block);
    EXPECT_EQ(dest->header.biClrUsed, 0u);
    EXPECT_EQ(dest->header.biSizeImage, 24u);

    // Its own format: nothing to do, nothing lost.
    ASSERT_TRUE(CopyDibFormat(dest.get(), dest));
    EXPECT_EQ(dest.get(), block);
    EXPECT_EQ(dest->header.biBitCount, 8);
}

}  // namespace
