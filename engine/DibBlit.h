// Combining packed bitmaps in memory, without GDI: sprites and pieces are drawn into their
// surfaces with these. Only 8-bit (palette) and 24-bit (blue, green, red) images combine.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/PackedDib.h"

// The three raster operations DibBlit knows, with their Windows values.
constexpr uint32_t kRopSrcCopy = 0x00CC0020;    // destination = source
constexpr uint32_t kRopSrcAnd = 0x008800C6;     // destination = destination AND source
constexpr uint32_t kRopSrcInvert = 0x00660046;  // destination = destination XOR source

// Combines the width x height block of `src` at (xSrc, ySrc) into `dest` at (xDest, yDest),
// byte by byte with `rop`; coordinates count from the top-left of each image. The block is
// clipped to both images, and a clip on one side moves the other side's origin by the same
// amount, so every pixel that is copied lands where it would have without clipping.
//
// The destination's depth decides the pixel size: 8 bits one byte, any other depth three.
// Nothing happens for a null image, a source of another depth than the destination, an
// image with no rows or columns, an image whose biSizeImage is too small for its rows, a
// width or height below 1, or a raster operation other than the three above.
void DibBlit(PackedDib* dest,
             int32_t xDest,
             int32_t yDest,
             int32_t width,
             int32_t height,
             const PackedDib* src,
             int32_t xSrc,
             int32_t ySrc,
             uint32_t rop);

// Gives `dest` the bit depth and palette of `src` (biBitCount, biClrUsed and that many
// palette entries). A block made for 8 bits has no room for the pixels of a larger depth,
// so when the new depth needs more pixel bytes than biSizeImage says the block holds, the
// block is replaced by a larger one (header and palette carried over, pixels left as
// allocated, as a fresh image's are). biSizeImage then gives the pixel bytes of the new
// depth. False, `dest` unchanged, for a null image, a source palette of more than 256
// entries, a negative width or a failed allocation.
bool CopyDibFormat(const PackedDib* src, std::unique_ptr<PackedDib, PackedDibDeleter>& dest);
