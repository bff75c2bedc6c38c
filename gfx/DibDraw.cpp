#include "gfx/DibDraw.h"

#include <vfw.h>

#include "gfx/GdiHandles.h"

namespace {

void Draw(HDC dc,
          int32_t xDest,
          int32_t yDest,
          int32_t width,
          int32_t height,
          const PackedDib* dib,
          int32_t xSrc,
          int32_t ySrc,
          bool background) {
    DrawDibHandle hdd;
    if (hdd.get() == nullptr) return;
    DrawDibRealize(hdd.get(), dc, background ? TRUE : FALSE);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(const_cast<BitmapInfoHeader*>(&dib->header));
    DrawDibDraw(hdd.get(), dc, xDest, yDest, width, height, header, const_cast<uint8_t*>(dib->Pixels()), xSrc, ySrc,
                width, height, 0);
}

}  // namespace

void DrawBlock(HDC dc,
               int32_t xDest,
               int32_t yDest,
               int32_t width,
               int32_t height,
               const PackedDib* dib,
               int32_t xSrc,
               int32_t ySrc) {
    if (width == 0 || height == 0 || dib == nullptr) return;
    Draw(dc, xDest, yDest, width, height, dib, xSrc, ySrc, true);
}

void PaintFromBlock(HDC dc, const RECT& rect, const PackedDib* dib) {
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (dib == nullptr) {
        BitBlt(dc, rect.left, rect.top, width, height, nullptr, 0, 0, BLACKNESS);
        return;
    }
    if (width <= 0 || height <= 0) return;
    Draw(dc, rect.left, rect.top, width, height, dib, rect.left, rect.top, false);
}

bool InvalidateArea(HWND window, Point origin, Point size, bool erase) {
    RECT r{origin.x, origin.y, origin.x + size.x, origin.y + size.y};
    return InvalidateRect(window, &r, erase ? TRUE : FALSE) != 0;
}
