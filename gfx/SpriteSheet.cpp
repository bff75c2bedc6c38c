#include "gfx/SpriteSheet.h"

#include "engine/DibBlit.h"
#include "engine/Geometry.h"
#include "gfx/DibDraw.h"

namespace {

constexpr int32_t kMaskedBands = 2;
constexpr uint16_t kBlankBitCount = 8;

// An 8-bit picture of the given size with zeroed pixels, to receive a saved area.
std::unique_ptr<PackedDib, PackedDibDeleter> MakeBlankDib(int32_t width, int32_t height) {
    const size_t pixels = static_cast<size_t>(DibRowBytes(width, kBlankBitCount)) * static_cast<size_t>(height);
    std::unique_ptr<PackedDib, PackedDibDeleter> dib(AllocPackedDib(pixels));
    if (!dib) return dib;
    BitmapInfoHeader& h = dib->header;
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = kBlankBitCount;
    h.biSizeImage = static_cast<uint32_t>(pixels);
    return dib;
}

}  // namespace

void SpriteSheet::SetTargetDib(PackedDib* dib) {
    targetDib_ = dib;
    targetIsDc_ = false;
}

void SpriteSheet::SetTargetDc(HDC dc) {
    targetDc_ = dc;
    targetIsDc_ = true;
}

bool SpriteSheet::SetSheet(const PackedDib* dib, bool masked) {
    sheet_ = dib;
    sheetDc_ = nullptr;
    sheetIsDc_ = false;
    masked_ = masked;
    sheetWidth_ = dib != nullptr ? dib->header.biWidth : 0;
    sheetHeight_ = dib != nullptr ? dib->header.biHeight : 0;
    MeasureFrames();
    return true;
}

bool SpriteSheet::SetSheetDc(HDC dc, bool masked) {
    BITMAP bitmap{};
    HGDIOBJ selected = dc != nullptr ? GetCurrentObject(dc, OBJ_BITMAP) : nullptr;
    if (selected == nullptr || GetObjectA(selected, sizeof bitmap, &bitmap) == 0) return false;
    sheet_ = nullptr;
    sheetDc_ = dc;
    sheetIsDc_ = true;
    masked_ = masked;
    sheetWidth_ = bitmap.bmWidth;
    sheetHeight_ = bitmap.bmHeight;
    MeasureFrames();
    return true;
}

void SpriteSheet::SetColumns(int32_t columns) {
    if (columns < 1) return;
    columns_ = columns;
    MeasureFrames();
}

void SpriteSheet::SetRows(int32_t rows) {
    if (rows < 1) return;
    rows_ = rows;
    MeasureFrames();
}

void SpriteSheet::MeasureFrames() {
    if (sheet_ == nullptr && sheetDc_ == nullptr) return;
    frameWidth_ = sheetWidth_ / columns_;
    frameHeight_ = sheetHeight_ / ((masked_ ? kMaskedBands : 1) * rows_);
}

bool SpriteSheet::HasSheetAndTarget() const {
    if (targetIsDc_) return targetDc_ != nullptr && (sheetIsDc_ ? sheetDc_ != nullptr : sheet_ != nullptr);
    // A device context cannot be combined into memory: a PackedDib target needs a PackedDib sheet.
    return targetDib_ != nullptr && !sheetIsDc_ && sheet_ != nullptr;
}

void SpriteSheet::SaveBackground(int32_t x, int32_t y) {
    // The saved area has the target's kind; a target of the other kind gets a new one.
    if (!background_ || background_->IsDeviceMode() != targetIsDc_)
        background_ = std::make_unique<DibImage>(targetIsDc_);
    bgX_ = x;
    bgY_ = y;
    if (targetIsDc_) {
        if (!background_->Resize(frameWidth_, frameHeight_, false)) return;
        BitBlt(background_->GetDC(), 0, 0, frameWidth_, frameHeight_, targetDc_, x, y, SRCCOPY);
    } else {
        if (frameWidth_ < 1 || frameHeight_ < 1) return;
        auto saved = MakeBlankDib(frameWidth_, frameHeight_);
        if (!saved || !CopyDibFormat(targetDib_, saved)) return;
        DibBlit(saved.get(), 0, 0, frameWidth_, frameHeight_, targetDib_, x, y, kRopSrcCopy);
        background_->TakeDib(std::move(saved));
    }
    backgroundSaved_ = true;
}

void SpriteSheet::Invalidate(int32_t x, int32_t y, Point size, bool erase) const {
    // Without an owner there is nothing to invalidate (a null window would mean every window).
    if (ownerWindow_ != nullptr) InvalidateArea(ownerWindow_, Point{x, y}, size, erase);
}

void SpriteSheet::DrawMasked(int32_t index, int32_t x, int32_t y, bool invalidate, bool erase, bool saveBackground) {
    if (!HasSheetAndTarget()) return;
    if (saveBackground) SaveBackground(x, y);
    const Point picture = FrameOrigin(frameWidth_, frameHeight_, index, columns_, true);
    const Point mask{picture.x, picture.y + frameHeight_};
    if (targetIsDc_ && sheetIsDc_) {
        BitBlt(targetDc_, x, y, frameWidth_, frameHeight_, sheetDc_, mask.x, mask.y, SRCAND);
        BitBlt(targetDc_, x, y, frameWidth_, frameHeight_, sheetDc_, picture.x, picture.y, SRCINVERT);
    } else if (targetIsDc_) {
        // DrawDib knows no raster operations: the picture band simply covers the mask band.
        DrawBlock(targetDc_, x, y, frameWidth_, frameHeight_, sheet_, mask.x, mask.y);
        DrawBlock(targetDc_, x, y, frameWidth_, frameHeight_, sheet_, picture.x, picture.y);
    } else {
        DibBlit(targetDib_, x, y, frameWidth_, frameHeight_, sheet_, mask.x, mask.y, kRopSrcAnd);
        DibBlit(targetDib_, x, y, frameWidth_, frameHeight_, sheet_, picture.x, picture.y, kRopSrcInvert);
    }
    if (invalidate) Invalidate(x, y, FrameSize(), erase);
}

void SpriteSheet::Draw(int32_t index,
                       int32_t x,
                       int32_t y,
                       bool invalidate,
                       bool erase,
                       bool saveBackground,
                       DWORD rop) {
    if (!HasSheetAndTarget()) return;
    if (saveBackground) SaveBackground(x, y);
    const Point frame = FrameOrigin(frameWidth_, frameHeight_, index, columns_, masked_);
    if (targetIsDc_ && sheetIsDc_) {
        BitBlt(targetDc_, x, y, frameWidth_, frameHeight_, sheetDc_, frame.x, frame.y, rop);
    } else if (targetIsDc_) {
        DrawBlock(targetDc_, x, y, frameWidth_, frameHeight_, sheet_, frame.x, frame.y);
    } else {
        DibBlit(targetDib_, x, y, frameWidth_, frameHeight_, sheet_, frame.x, frame.y, rop);
    }
    if (invalidate) Invalidate(x, y, FrameSize(), erase);
}

void SpriteSheet::RestoreBackground(bool invalidate, bool erase) {
    if (!backgroundSaved_) return;
    backgroundSaved_ = false;
    if (!background_) return;
    const Point size = background_->GetSize();
    if (background_->IsDeviceMode()) {
        if (!targetIsDc_ || targetDc_ == nullptr) return;
        BitBlt(targetDc_, bgX_, bgY_, size.x, size.y, background_->GetDC(), 0, 0, SRCCOPY);
    } else {
        if (targetIsDc_ || targetDib_ == nullptr) return;
        DibBlit(targetDib_, bgX_, bgY_, size.x, size.y, background_->GetDib(), 0, 0, kRopSrcCopy);
    }
    if (invalidate) Invalidate(bgX_, bgY_, size, erase);
}
