// DibBlit and CopyDibFormat: direct work on the pixel memory of packed bitmaps. Rows are
// stored bottom-up, so row y of an image of height H is storage row H - y - 1.
#include "engine/DibBlit.h"

#include <cstdlib>
#include <cstring>

#include "engine/Geometry.h"

namespace {

struct BlitImage {
    int32_t width;
    int32_t height;
    int64_t rowBytes;
};

// Rows as DibBlit lays them out: one byte per pixel at 8 bits, three at any other depth,
// each row padded to a multiple of 4 bytes.
int64_t BlitRowBytes(int32_t width, int32_t pixelBytes) {
    return pixelBytes == 1 ? ((int64_t{width} + 3) / 4) * 4 : (((int64_t{width} + 1) * 3) / 4) * 4;
}

// False for an image DibBlit must not touch: no rows or columns, rows stored top-down, or
// fewer pixel bytes in the block than its rows need.
bool DescribeForBlit(const PackedDib& dib, int32_t pixelBytes, BlitImage& image) {
    image.width = dib.header.biWidth;
    image.height = dib.header.biHeight;
    if (image.width < 1 || image.height < 1) return false;
    image.rowBytes = BlitRowBytes(image.width, pixelBytes);
    return image.rowBytes * image.height <= int64_t{dib.header.biSizeImage};
}

uint8_t* PixelAt(PackedDib& dib, const BlitImage& image, int32_t x, int32_t y, int32_t pixelBytes) {
    return dib.Pixels() + (image.height - y - 1) * image.rowBytes + int64_t{x} * pixelBytes;
}

const uint8_t* PixelAt(const PackedDib& dib, const BlitImage& image, int32_t x, int32_t y, int32_t pixelBytes) {
    return dib.Pixels() + (image.height - y - 1) * image.rowBytes + int64_t{x} * pixelBytes;
}

struct BlockCopy {
    Point destOrigin;
    Point srcOrigin;
    Point size;
};

// From the last row and column backwards; `combine` gets the destination and source byte.
template <typename Combine>
void CombineBlock(PackedDib& dest,
                  const BlitImage& destImage,
                  const PackedDib& src,
                  const BlitImage& srcImage,
                  const BlockCopy& block,
                  int32_t pixelBytes,
                  Combine combine) {
    const int64_t rowSpan = int64_t{block.size.x} * pixelBytes;
    for (int32_t row = block.size.y - 1; row >= 0; --row) {
        uint8_t* to = PixelAt(dest, destImage, block.destOrigin.x, block.destOrigin.y + row, pixelBytes);
        const uint8_t* from = PixelAt(src, srcImage, block.srcOrigin.x, block.srcOrigin.y + row, pixelBytes);
        for (int64_t i = rowSpan - 1; i >= 0; --i) to[i] = combine(to[i], from[i]);
    }
}

}  // namespace

void DibBlit(PackedDib* dest,
             int32_t xDest,
             int32_t yDest,
             int32_t width,
             int32_t height,
             const PackedDib* src,
             int32_t xSrc,
             int32_t ySrc,
             uint32_t rop) {
    if (dest == nullptr || src == nullptr || width < 1 || height < 1) return;
    if (rop != kRopSrcCopy && rop != kRopSrcAnd && rop != kRopSrcInvert) return;
    // Reading a source of another depth with the destination's pixel size would run past
    // its rows.
    if (src->header.biBitCount != dest->header.biBitCount) return;
    const int32_t pixelBytes = dest->header.biBitCount == 8 ? 1 : 3;
    BlitImage destImage{}, srcImage{};
    if (!DescribeForBlit(*dest, pixelBytes, destImage) || !DescribeForBlit(*src, pixelBytes, srcImage)) return;

    const RectCombination destClip =
        CombineRects({xDest, yDest, width, height}, {0, 0, destImage.width, destImage.height}, kRectIntersection);
    if (!destClip.overlap) return;

    // The source origin moves as far as the clip moved the destination's. A source origin
    // pushed past the 32-bit range lies outside every image.
    const int64_t movedSrcX = int64_t{xSrc} + (destClip.rect.x - xDest);
    const int64_t movedSrcY = int64_t{ySrc} + (destClip.rect.y - yDest);
    if (movedSrcX > INT32_MAX || movedSrcY > INT32_MAX) return;
    const Rect wanted{static_cast<int32_t>(movedSrcX), static_cast<int32_t>(movedSrcY), destClip.rect.width,
                      destClip.rect.height};
    const RectCombination srcClip = CombineRects(wanted, {0, 0, srcImage.width, srcImage.height}, kRectIntersection);
    if (!srcClip.overlap) return;

    // And the other way round: where the source was cut at its left or top, the destination
    // starts that much later, so no pixel is shifted.
    const BlockCopy block{destClip.rect.Origin() + (srcClip.rect.Origin() - wanted.Origin()), srcClip.rect.Origin(),
                          srcClip.rect.Size()};
    if (rop == kRopSrcCopy) {
        CombineBlock(*dest, destImage, *src, srcImage, block, pixelBytes, [](uint8_t, uint8_t s) { return s; });
    } else if (rop == kRopSrcAnd) {
        CombineBlock(*dest, destImage, *src, srcImage, block, pixelBytes,
                     [](uint8_t d, uint8_t s) { return static_cast<uint8_t>(d & s); });
    } else {
        CombineBlock(*dest, destImage, *src, srcImage, block, pixelBytes,
                     [](uint8_t d, uint8_t s) { return static_cast<uint8_t>(d ^ s); });
    }
}

bool CopyDibFormat(const PackedDib* src, std::unique_ptr<PackedDib, PackedDibDeleter>& dest) {
    if (src == nullptr || dest == nullptr) return false;
    const uint32_t colours = src->header.biClrUsed;
    if (colours > kDibPaletteRoom) return false;
    const int32_t width = dest->header.biWidth;
    if (width < 0) return false;
    const int64_t rows = std::llabs(int64_t{dest->header.biHeight});
    // DibRowBytes' rule, kept in 64 bits: a wide image of a large depth passes 32 bits.
    const int64_t rowBytes = ((int64_t{width} * src->header.biBitCount + 31) / 32) * 4;
    const int64_t pixelBytes = rowBytes * rows;
    if (pixelBytes > int64_t{UINT32_MAX}) return false;

    PackedDib* target = dest.get();
    if (pixelBytes > int64_t{dest->header.biSizeImage}) {
        target = AllocPackedDib(static_cast<size_t>(pixelBytes));
        if (target == nullptr) return false;
        std::memcpy(target, dest.get(), kDibPixelOffset);
    }
    // `src` may be the old block itself, so it is read before that block goes.
    target->header.biBitCount = src->header.biBitCount;
    target->header.biClrUsed = colours;
    target->header.biSizeImage = static_cast<uint32_t>(pixelBytes);
    std::memmove(target->palette, src->palette, colours * sizeof(RgbQuad));
    if (target != dest.get()) dest.reset(target);
    return true;
}
