// The shape template as the cutter reads it: an 8-bit bitmap whose pixel values are labels.
// For a grid of R x C template pieces it is C * 200 + 132 pixels wide and R * 200 + 132
// high. Template piece (i, j) owns the 200 x 200 body square at (66 + 200 j, 66 + 200 i),
// counted from the top-left, plus its tabs, and carries label i * C + j + 1. With
// K = R * C + 1 the regions of the 66-pixel border that belong to no template piece are
// labelled: K + j above column j, K + C + i right of row i, K + R + C + j below column j and
// K + R + 2C + i left of row i.
#pragma once

#include <cstdint>

#include "engine/PackedDib.h"

constexpr int32_t kTemplateBodySide = 200;
// How far a tab may reach past its body square, and the border around the grid.
constexpr int32_t kTemplateTabReach = 66;
// Largest template coordinate a piece reads inside its own 332-pixel window.
constexpr int32_t kTemplateLastCoordinate = kTemplateBodySide + 2 * kTemplateTabReach - 1;  // 331
// Template grids beyond this are refused; the game uses 2 x 2.
constexpr int32_t kMaxTemplateGrid = 64;

// The label of a template piece and those of its four neighbours, the border regions
// standing in for neighbours beyond the grid.
struct TemplateLabels {
    uint32_t own = 0;
    uint32_t up = 0;
    uint32_t right = 0;
    uint32_t down = 0;
    uint32_t left = 0;
};

TemplateLabels LabelsOfTemplatePiece(int32_t i, int32_t j, int32_t templateRows, int32_t templateCols);

// Read access to a template bitmap, rows counted from the top whatever the storage order.
class ShapeTemplateView {
public:
    // Accepts `dib` only when it is an uncompressed 8-bit bitmap of exactly the size of an
    // R x C template whose pixel block holds all its rows, so that no read can leave it.
    bool Attach(const PackedDib* dib, int32_t templateRows, int32_t templateCols);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Labels of template row y (0 = top), Width() of them.
    const uint8_t* RowFromTop(int32_t y) const {
        return bits_ + static_cast<intptr_t>(bottomUp_ ? height_ - 1 - y : y) * stride_;
    }

private:
    const uint8_t* bits_ = nullptr;
    intptr_t stride_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool bottomUp_ = true;
};
