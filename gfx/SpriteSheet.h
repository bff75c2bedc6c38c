// SpriteSheet: draws one frame out of a picture that holds many equal frames in a grid (the
// states of a button, the positions of a knob, the phases of an animation), optionally
// through a mask and optionally saving what lay under it so that it can be put back. Frames
// go either onto a device context or into a PackedDib in memory.
//
// In a masked sheet every frame row is a pair of bands: the picture above its mask. The mask
// is black where the frame is opaque and white where it is transparent; the picture band is
// black where the frame is transparent, so AND with the mask and then XOR with the picture
// leaves the target unchanged under the transparent parts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "engine/PackedDib.h"
#include "gfx/DibImage.h"

class SpriteSheet {
public:
    SpriteSheet() = default;
    SpriteSheet(const SpriteSheet&) = delete;
    SpriteSheet& operator=(const SpriteSheet&) = delete;

    // The window whose client area is invalidated after a draw.
    void SetOwner(HWND window) { ownerWindow_ = window; }
    void SetTargetDib(PackedDib* dib);
    void SetTargetDc(HDC dc);

    // Takes the sheet (not owned) and computes the frame size from it. Always true.
    bool SetSheet(const PackedDib* dib, bool masked);
    // A sheet selected into a device context; the frame size comes from its bitmap. False,
    // sheet unchanged, when the context holds no bitmap.
    bool SetSheetDc(HDC dc, bool masked);
    // Fewer than one column or row is refused: the count and the frame size stay.
    void SetColumns(int32_t columns);
    void SetRows(int32_t rows);
    int32_t GetColumns() const { return columns_; }
    int32_t GetRows() const { return rows_; }
    Point FrameSize() const { return Point{frameWidth_, frameHeight_}; }

    // A second image that lives and dies with the sheet.
    void SetExtraImage(std::unique_ptr<DibImage> image) { extraImage_ = std::move(image); }
    DibImage* GetExtraImage() const { return extraImage_.get(); }

    // Frame `index` through its mask at (x, y) of the target. The sheet is read as masked
    // whatever SetSheet was told.
    void DrawMasked(int32_t index, int32_t x, int32_t y, bool invalidate, bool erase, bool saveBackground);
    // Frame `index` with one raster operation. A PackedDib sheet drawn onto a device context
    // is copied as it is (the operation does not apply there); onto a PackedDib only
    // SRCCOPY, SRCAND and SRCINVERT combine.
    void Draw(int32_t index, int32_t x, int32_t y, bool invalidate, bool erase, bool saveBackground, DWORD rop);
    // Puts back the area saved by the last draw that saved one; nothing when none waits.
    void RestoreBackground(bool invalidate, bool erase);
    // Drops the saved area without putting it back: the target was redrawn from scratch, and
    // what lay under the last frame is no longer there to restore.
    void ForgetBackground() { backgroundSaved_ = false; }

private:
    bool HasSheetAndTarget() const;
    void SaveBackground(int32_t x, int32_t y);
    void Invalidate(int32_t x, int32_t y, Point size, bool erase) const;
    // Frame size from the sheet's size and the row and column counts.
    void MeasureFrames();

    HWND ownerWindow_ = nullptr;
    HDC targetDc_ = nullptr;
    PackedDib* targetDib_ = nullptr;
    const PackedDib* sheet_ = nullptr;
    HDC sheetDc_ = nullptr;
    std::unique_ptr<DibImage> extraImage_;
    std::unique_ptr<DibImage> background_;
    int32_t bgX_ = 0;
    int32_t bgY_ = 0;
    int32_t rows_ = 1;
    int32_t columns_ = 1;
    bool backgroundSaved_ = false;
    bool masked_ = false;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    int32_t sheetWidth_ = 0;
    int32_t sheetHeight_ = 0;
    bool sheetIsDc_ = false;
    bool targetIsDc_ = false;
};
