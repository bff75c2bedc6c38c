// Pictures a window keeps and draws; see ShownPicture.h.
#include "gfx/ShownPicture.h"

#include <vfw.h>

#include <utility>

void ShownPicture::Replace(PackedDibPtr dib) {
    if (dib != nullptr && dib->header.biHeight < 1) dib.reset();
    dib_ = std::move(dib);
    // A fresh DrawDib handle for every picture: DrawDib must not reuse buffers made for the last.
    drawDib_ = DrawDibHandle();
}

Point ShownPicture::Size() const {
    if (dib_ == nullptr) return Point{};
    return Point{dib_->header.biWidth, dib_->header.biHeight};
}

void ShownPicture::Draw(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (dib_ == nullptr || drawDib_.get() == nullptr || width < 1 || height < 1) return;
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(&dib_->header);
    DrawDibDraw(drawDib_.get(), dc, x, y, width, height, header, dib_->Pixels(), 0, 0, dib_->header.biWidth,
                dib_->header.biHeight, 0);
}

void ShownPicture::RealizePalette(HDC dc, bool background) {
    if (drawDib_.get() != nullptr) DrawDibRealize(drawDib_.get(), dc, background ? TRUE : FALSE);
}
