// Small copies of pictures for drawing; see ScaledPicture.h.
#include "engine/ScaledPicture.h"

PackedDibPtr ReadScaledPicture(BmpFileReader& reader, Point size) {
    const size_t bytes = reader.ScaledImageBytes(size.x, size.y);
    if (size.y < 1 || bytes == 0 || bytes > UINT32_MAX) return nullptr;
    PackedDibPtr dib(AllocPackedDib(bytes));
    if (!dib) return nullptr;
    // A picture of more than 8 bits has no palette to copy: only its header comes over.
    reader.GetHeaderAndPalette(dib.get());
    BitmapInfoHeader& header = dib->header;
    if (header.biSize != kDibHeaderSize) return nullptr;
    header.biWidth = size.x;
    header.biHeight = size.y;
    header.biCompression = 0;
    header.biSizeImage = static_cast<uint32_t>(bytes);
    if (header.biBitCount > 8) header.biClrUsed = 0;
    header.biClrImportant = 0;
    if (!reader.ReadScaled(size.x, size.y, dib->Pixels(), bytes)) return nullptr;
    return dib;
}
