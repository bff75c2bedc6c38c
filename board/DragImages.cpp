// The drag's save and compose images; see DragImages.h.
#include "board/DragImages.h"

#include <new>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "gfx/GdiHandles.h"

namespace {

// A BITMAPINFO with room for the three colour masks GetDIBits writes after the header.
// GetDIBits writes a whole colour table behind the header for a palette bitmap, so the
// query has room for 256 entries although only the three masks are read.
struct FormatQuery {
    BITMAPINFOHEADER header;
    DWORD masks[256];
};

}  // namespace

bool ReadScreenPixelFormat(HDC dc, HBITMAP bitmap, ScreenPixelFormat* format) {
    FormatQuery query{};
    query.header.biSize = sizeof(BITMAPINFOHEADER);
    // The first call fills in the header, the second the masks.
    auto* info = reinterpret_cast<BITMAPINFO*>(&query);
    if (GetDIBits(dc, bitmap, 0, 1, nullptr, info, DIB_RGB_COLORS) == 0) return false;
    if (GetDIBits(dc, bitmap, 0, 1, nullptr, info, DIB_RGB_COLORS) == 0) return false;
    return DescribeScreenFormat(query.header.biBitCount, query.header.biCompression, query.masks[0], query.masks[1],
                                query.masks[2], format);
}

std::shared_ptr<PieceDragImages> MakeDragImages(int32_t pieceWidth, int32_t pieceHeight) {
    if (pieceWidth < 1 || pieceHeight < 1) return nullptr;
    std::shared_ptr<PieceDragImages> images;
    try {
        images = std::make_shared<PieceDragImages>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    const Point sprite = SpriteSize(pieceWidth, pieceHeight);
    if (!images->lifted.Reserve(pieceWidth, pieceHeight)) return nullptr;
    if (!images->save.Resize(sprite.x, sprite.y, true)) return nullptr;
    ScreenPixelFormat format;
    if (!ReadScreenPixelFormat(images->save.GetDC(), images->save.GetBitmap(), &format)) return nullptr;

    const int32_t width = 2 * sprite.x;
    const int32_t height = 2 * sprite.y;
    FormatQuery layout{};
    layout.header.biSize = sizeof(BITMAPINFOHEADER);
    layout.header.biWidth = width;
    layout.header.biHeight = -height;  // top-down: row 0 is the top
    layout.header.biPlanes = 1;
    layout.header.biBitCount = static_cast<WORD>(format.bitCount);
    layout.header.biCompression = format.bitCount == 24 ? BI_RGB : BI_BITFIELDS;
    layout.masks[0] = format.redMask;
    layout.masks[1] = format.greenMask;
    layout.masks[2] = format.blueMask;
    void* bits = nullptr;
    ScreenDC screen;
    HBITMAP section =
        CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&layout), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr || !images->compose.AttachBitmap(section, true)) return nullptr;
    images->canvas.bits = static_cast<uint8_t*>(bits);
    images->canvas.stride = DibRowBytes(width, format.bitCount);
    images->canvas.width = width;
    images->canvas.height = height;
    images->canvas.format = format;
    images->spriteWidth = sprite.x;
    images->spriteHeight = sprite.y;
    return images;
}

std::function<void()> PrepareDragImages(int32_t pieceWidth, int32_t pieceHeight) {
    const std::shared_ptr<PieceDragImages> made = MakeDragImages(pieceWidth, pieceHeight);
    if (!made) return {};
    return [made] { Board.DragImages = made; };
}
