// AtlasBuilder: the heart of the cut. It fills the PieceAtlas: for every piece (r, c) and
// every pixel (u, v) of its image it reads the label of the template pixel the maps point
// at, decides from the label and from where the piece lies whether the pixel is part of the
// piece, and if so copies the picture's pixel through the maps (palette colours for 8-bit
// pictures) and sets the inside flag.
//
// The decision, with L0 the piece's own label and the neighbour labels of CutTemplate.h,
// tested in this order:
//   own label    inside, except beyond the outer edge: above marginY on the top row, left
//                of marginX in the first column, below cellHeight + marginY on the bottom
//                row, right of cellWidth + marginX in the last column;
//   up label     inside only on the top row, from marginY down;
//   right label  inside only in the last column, up to cellWidth + marginX;
//   down label   inside only on the bottom row, up to cellHeight + marginY;
//   left label   inside only in the first column, from marginX on;
//   other        outside.
// So inside the puzzle a piece keeps its body and its own tabs and loses its neighbours';
// on the outer border the neighbours' tabs are filled in and its own cut off, which makes
// the edge straight. Pixels outside the scaled picture are outside the piece.
//
// The work is arranged so that the inner loop is a plain masked copy. The builder walks the
// board rows from the top; each picture row a board row shows is widened to atlas pixels and
// stretched to the board's scale once, into a scaled row padded with transparent pixels where
// pieces reach past the picture, and every atlas row that shows that board row (a board row
// lies in one or two piece rows) is made from it. The masks - pieceWidth entries, all ones
// where the pixel belongs to the piece - depend only on the template piece, the piece row v
// and whether the piece lies in the first or last row or column; those of the inner rows are
// built once per cut, those of the top and bottom rows per atlas row. Every atlas row is then
// the scaled row ANDed with its masks, written to the atlas in one streaming pass
// (AtlasRows.h).
//
// On the way the builder records the shapes of the pieces for the painter (PieceShapes.h):
// the inside bits of the first piece of every shape, read from the atlas row while it is
// still in the cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/AtlasRows.h"
#include "engine/CutGeometry.h"
#include "engine/CutTemplate.h"
#include "engine/PackedDib.h"
#include "engine/PieceShapes.h"

// The picture as read for the cut: bottom-up rows, one palette index a pixel (8 bits) or
// blue, green, red (24 bits).
struct AtlasPicture {
    const uint8_t* rows = nullptr;
    int32_t bitCount = 8;
    int32_t width = 0;
    int32_t height = 0;  // rows in the buffer
    size_t rowBytes = 0;
    const RgbQuad* palette = nullptr;  // 256 entries; 8 bits only
};

struct AtlasGrid {
    int32_t rows = 0;
    int32_t cols = 0;
    int32_t templateRows = 0;
    int32_t templateCols = 0;
};

// The four coordinate maps and the cell's offset inside a piece image.
struct AtlasMaps {
    const int32_t* pictureColumnOfX = nullptr;   // scaledWidth entries
    const int32_t* pictureRowOfY = nullptr;      // scaledHeight entries
    const int32_t* templateColumnOfU = nullptr;  // pieceWidth entries
    const int32_t* templateRowOfV = nullptr;     // pieceHeight entries
    int32_t offX = 0;
    int32_t offY = 0;
};

// The builder's work rows, allocated by the cutter together with its other buffers.
class AtlasWorkspace {
public:
    // Bytes Allocate will ask for, for a picture `pictureWidth` pixels wide.
    static uint64_t BytesFor(const CutGeometry& g, const AtlasGrid& grid, int32_t pictureWidth);
    // False when memory is short; the workspace is then empty. Rows a previous cut left
    // are used again when they are large enough and would not be mostly wasted.
    bool Allocate(const CutGeometry& g, const AtlasGrid& grid, int32_t pictureWidth);
    void Release();

private:
    friend bool PrepareShapes(const CutGeometry&, const AtlasGrid&, AtlasWorkspace&, PieceShapes&);
    friend void BuildPieceAtlas(const CutGeometry&,
                                const AtlasGrid&,
                                const AtlasPicture&,
                                const AtlasMaps&,
                                const ShapeTemplateView&,
                                AtlasWorkspace&,
                                uint8_t*,
                                PieceShapes*);
    // Every row below has kRowPadding entries of room on each side.
    int32_t span_ = 0;                    // entries of one scaled row, transparent padding included
    std::vector<uint32_t> widened_;       // the picture row in use as atlas pixels
    std::vector<uint32_t> scaled_;        // the same at the board's scale
    int32_t scaledRowOf_ = -1;            // the picture row they show, -1 for none
    RowStretch stretch_;                  // how the scaled row reads the widened one
    std::vector<uint32_t> innerMasks_;    // per template row and piece row v: templateCols + 2 masks
    std::vector<uint32_t> borderMasks_;   // the same for one atlas row of the top or bottom piece row
    std::vector<uint32_t> firstOfShape_;  // the piece whose atlas rows give each shape its bits
};

// Sizes `shapes` for a cut of this geometry and grid: every piece is given its shape and the
// bits are zeroed, to be filled by BuildPieceAtlas. False when memory is short.
bool PrepareShapes(const CutGeometry& geometry, const AtlasGrid& grid, AtlasWorkspace& workspace, PieceShapes& shapes);

// Fills atlas (geometry.atlasBytes bytes, bottom-up rows) from the picture. The maps must
// come from the same geometry, the template view must be attached for the grid's template
// size and the workspace allocated for the geometry and grid. With `shapes` (prepared by
// PrepareShapes for the same cut), the bits of the pieces' shapes are recorded there.
void BuildPieceAtlas(const CutGeometry& geometry,
                     const AtlasGrid& grid,
                     const AtlasPicture& picture,
                     const AtlasMaps& maps,
                     const ShapeTemplateView& shape,
                     AtlasWorkspace& workspace,
                     uint8_t* atlas,
                     PieceShapes* shapes = nullptr);
