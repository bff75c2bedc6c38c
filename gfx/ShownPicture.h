// ShownPicture: a small picture that a window keeps and draws with its own DrawDib handle: the
// magnifier's copy of the picture in play and the size pickers' previews.
//
// DrawDib keeps buffers made for the last picture it drew and, in Wine, starts afresh only
// when the header's address or a size changes: a new picture of the same size but another bit
// depth would be copied into buffers made for the old one. So every new picture gets a new
// DrawDib handle, and pictures are always kept bottom-up, the only order DrawDib draws.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PackedDib.h"
#include "engine/ScaledPicture.h"
#include "gfx/GdiHandles.h"

class ShownPicture {
public:
    ShownPicture() = default;
    ShownPicture(const ShownPicture&) = delete;
    ShownPicture& operator=(const ShownPicture&) = delete;

    // Takes `dib` (null: no picture) in place of the one shown so far, with a DrawDib handle
    // of its own. A top-down block is refused and leaves no picture.
    void Replace(PackedDibPtr dib);
    bool HasPicture() const { return dib_ != nullptr; }
    const PackedDib* Dib() const { return dib_.get(); }
    // Width and height of the picture; 0 x 0 without one.
    Point Size() const;

    // Draws the whole picture stretched to width x height at (x, y); nothing without one.
    void Draw(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height);
    // Realises DrawDib's palette in `dc` (it matters only on palette displays).
    void RealizePalette(HDC dc, bool background);

private:
    PackedDibPtr dib_;
    DrawDibHandle drawDib_;
};
