#include "gfx/DibImage.h"

#include <vector>

#include "app/AppGlobals.h"
#include "gfx/GdiHandles.h"
#include "gfx/ResourcePackFile.h"

DibImage::DibImage(bool deviceMode) : deviceMode_(deviceMode) {
    ScreenDC screen;
    dc_ = CreateCompatibleDC(screen.get());
}

DibImage::~DibImage() {
    if (deviceMode_ && dc_ != nullptr) {
        if (savedBitmap_ != nullptr) {
            HGDIOBJ out = SelectObject(dc_, savedBitmap_);
            if (ownsBitmap_ && out != nullptr) DeleteObject(out);
        }
        if (savedPalette_ != nullptr) {
            HPALETTE out = SelectPalette(dc_, savedPalette_, TRUE);
            if (out != nullptr) DeleteObject(out);
        }
    }
    dib_.reset();
    if (dc_ != nullptr) DeleteDC(dc_);
}

void DibImage::RequireMode(bool device) const {
    if (deviceMode_ != device) DebugBreak();
}

bool DibImage::LoadById(uint32_t id) {
    if (!deviceMode_) return LoadFromPack(Pack, id);
    HANDLE loaded = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                               LR_SHARED | LR_CREATEDIBSECTION);
    // Shared resource bitmaps belong to the system: attached, never deleted.
    return loaded != nullptr && AttachBitmap(static_cast<HBITMAP>(loaded), false);
}

bool DibImage::LoadFromPack(ResourcePack& pack, uint32_t id) {
    RequireMode(false);
    auto dib = pack.Read(id);
    if (!dib) return false;
    dib_ = std::move(dib);
    return true;
}

bool DibImage::LoadFromFile(const char* path) {
    RequireMode(true);
    if (path == nullptr) return false;
    HANDLE loaded = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return loaded != nullptr && AttachBitmap(static_cast<HBITMAP>(loaded), true);
}

bool DibImage::SelectOwnBitmap(HBITMAP bitmap, bool owns) {
    HGDIOBJ out = SelectObject(dc_, bitmap);
    if (out == nullptr || out == HGDI_ERROR) return false;
    if (savedBitmap_ == nullptr) {
        savedBitmap_ = static_cast<HBITMAP>(out);
    } else if (ownsBitmap_) {
        DeleteObject(out);
    }
    ownsBitmap_ = owns;
    return true;
}

bool DibImage::AttachBitmap(HBITMAP bitmap, bool owns) {
    RequireMode(true);
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) {
        if (owns && bitmap != nullptr) DeleteObject(bitmap);
        return false;
    }
    if (!SelectOwnBitmap(bitmap, owns)) {
        if (owns) DeleteObject(bitmap);
        return false;
    }
    width_ = allocWidth_ = info.bmWidth;
    height_ = allocHeight_ = info.bmHeight;
    int bits = info.bmBitsPixel * info.bmPlanes;
    if (bits == 4 || bits == 8) BuildPaletteFor(bitmap, bits);
    return true;
}

// Palette bitmaps bring their colour table as a logical palette, so that they draw in their
// own colours should the display ever run with a palette.
void DibImage::BuildPaletteFor(HBITMAP bitmap, int bitsPerPixel) {
    const int entries = bitsPerPixel == 4 ? 16 : 256;
    std::vector<uint8_t> infoBlock(sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(infoBlock.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width_;
    info->bmiHeader.biHeight = height_;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    GetDIBits(dc_, bitmap, 0, static_cast<UINT>(height_), nullptr, info, DIB_RGB_COLORS);

    std::vector<uint8_t> paletteBlock(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY), 0);
    auto* logical = reinterpret_cast<LOGPALETTE*>(paletteBlock.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(entries);
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& q = info->bmiColors[i];
        logical->palPalEntry[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    HPALETTE palette = CreatePalette(logical);
    if (palette == nullptr) return;
    HPALETTE out = SelectPalette(dc_, palette, TRUE);
    ::RealizePalette(dc_);
    if (savedPalette_ == nullptr) {
        savedPalette_ = out;
    } else if (out != nullptr) {
        DeleteObject(out);
    }
}

bool DibImage::Resize(int32_t width, int32_t height, bool exact) {
    if (width <= 0 || height <= 0) return false;
    if (!deviceMode_) {
        dib_.reset();
        const int32_t row = DibRowBytes(width, 8);
        const uint64_t pixels = static_cast<uint64_t>(row) * static_cast<uint64_t>(height);
        if (pixels > 0xFFFFFFFFull - kDibPixelOffset) return false;
        std::unique_ptr<PackedDib, PackedDibDeleter> dib(AllocPackedDib(static_cast<size_t>(pixels)));
        if (!dib) return false;
        BitmapInfoHeader& h = dib->header;
        h.biSize = kDibHeaderSize;
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        h.biBitCount = 8;
        h.biSizeImage = static_cast<uint32_t>(pixels);
        dib_ = std::move(dib);
        width_ = allocWidth_ = width;
        height_ = allocHeight_ = height;
        return true;
    }

    if (!exact && savedBitmap_ != nullptr && width <= allocWidth_ && height <= allocHeight_) {
        width_ = width;
        height_ = height;
        return true;
    }
    const int32_t newWidth = exact || savedBitmap_ == nullptr ? width : std::max(width, allocWidth_);
    const int32_t newHeight = exact || savedBitmap_ == nullptr ? height : std::max(height, allocHeight_);
    HBITMAP bitmap;
    {
        ScreenDC screen;
        bitmap = CreateCompatibleBitmap(screen.get(), newWidth, newHeight);
    }
    if (bitmap == nullptr) return false;
    if (!SelectOwnBitmap(bitmap, true)) {
        DeleteObject(bitmap);
        return false;
    }
    allocWidth_ = newWidth;
    allocHeight_ = newHeight;
    width_ = width;
    height_ = height;
    return true;
}

Point DibImage::GetSize() const {
    if (!deviceMode_ && dib_) return Point{dib_->header.biWidth, dib_->header.biHeight};
    return Point{width_, height_};
}

HDC DibImage::GetDC() const {
    RequireMode(true);
    return dc_;
}

HPALETTE DibImage::GetPalette() const {
    RequireMode(true);
    return static_cast<HPALETTE>(GetCurrentObject(dc_, OBJ_PAL));
}

HBITMAP DibImage::GetBitmap() const {
    RequireMode(true);
    return static_cast<HBITMAP>(GetCurrentObject(dc_, OBJ_BITMAP));
}

void DibImage::RealizePalette() const {
    RequireMode(true);
    ::RealizePalette(dc_);
}

PackedDib* DibImage::GetDib() const {
    RequireMode(false);
    return dib_.get();
}

void DibImage::TakeDib(std::unique_ptr<PackedDib, PackedDibDeleter> dib) {
    RequireMode(false);
    dib_ = std::move(dib);
}
