// The atlas builder; see AtlasBuilder.h for the rules and the arrangement.
#include "engine/AtlasBuilder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/AtlasRows.h"

namespace {

constexpr uint32_t kInside = 0xFFFFFFFFu;
constexpr uint8_t kInsideFlag = 1;

// An atlas pixel as it lies in memory: blue, green, red, inside flag.
inline uint32_t AtlasPixel(uint8_t blue, uint8_t green, uint8_t red) {
    const uint8_t bytes[4] = {blue, green, red, kInsideFlag};
    uint32_t pixel;
    std::memcpy(&pixel, bytes, sizeof pixel);
    return pixel;
}

// What the position of a piece row in the puzzle allows, for one atlas row.
struct RowRule {
    bool ownCut;    // the own label is cut off here (beyond the top or bottom edge)
    bool upInside;  // the up label is filled in here
    bool downInside;
};

RowRule RuleForRow(int32_t r, int32_t v, int32_t rows, const CutGeometry& g) {
    const bool top = r == 0;
    const bool bottom = r == rows - 1;
    RowRule rule;
    rule.ownCut = (top && v < g.marginY) || (bottom && v > g.cellHeight + g.marginY);
    rule.upInside = top && v >= g.marginY;
    rule.downInside = bottom && v <= g.cellHeight + g.marginY;
    return rule;
}

// The mask of one piece row: kInside where the pixel belongs to the piece, 0 elsewhere.
void BuildMask(uint32_t* mask,
               const uint8_t* labels,  // template row, from the piece's template column on
               const int32_t* templateColumnOfU,
               const TemplateLabels& own,
               const RowRule& rule,
               bool firstColumn,
               bool lastColumn,
               const CutGeometry& g) {
    const int32_t rightEdge = g.cellWidth + g.marginX;
    for (int32_t u = 0; u < g.pieceWidth; ++u) {
        const uint32_t label = labels[templateColumnOfU[u]];
        bool inside;
        if (label == own.own) {
            inside = !(rule.ownCut || (firstColumn && u < g.marginX) || (lastColumn && u > rightEdge));
        } else if (label == own.up) {
            inside = rule.upInside;
        } else if (label == own.right) {
            inside = lastColumn && u <= rightEdge;
        } else if (label == own.down) {
            inside = rule.downInside;
        } else if (label == own.left) {
            inside = firstColumn && u >= g.marginX;
        } else {
            inside = false;
        }
        mask[u] = inside ? kInside : 0;
    }
}

// Scaled picture row y into `out`, whose entry k shows board column k - offX; entries
// outside the picture stay as they were allocated, transparent.
void BuildScaledRow(uint32_t* out,
                    int32_t y,
                    const CutGeometry& g,
                    const AtlasPicture& picture,
                    const AtlasMaps& maps,
                    const uint32_t* palette,
                    int32_t span) {
    const int32_t pictureRow = maps.pictureRowOfY[y];
    const uint8_t* source = picture.rows + static_cast<size_t>(picture.height - 1 - pictureRow) * picture.rowBytes;
    const int32_t end = std::min(g.scaledWidth, span - maps.offX);
    uint32_t* target = out + maps.offX;
    const int32_t* column = maps.pictureColumnOfX;
    if (picture.bitCount == 8) {
        for (int32_t x = 0; x < end; ++x) target[x] = palette[source[column[x]]];
    } else {
        for (int32_t x = 0; x < end; ++x) {
            const uint8_t* p = source + 3 * static_cast<size_t>(column[x]);
            target[x] = AtlasPixel(p[0], p[1], p[2]);
        }
    }
}

// The masks of one piece row v of template row i: entry j < C for the inner columns of
// template column j, entry C for the first column and C + 1 for the last (when the puzzle
// has a single column, entry C is that column, first and last at once).
void BuildRowMasks(uint32_t* masks,
                   const uint8_t* labels,
                   const int32_t* templateColumnOfU,
                   int32_t i,
                   const RowRule& rule,
                   const AtlasGrid& grid,
                   const CutGeometry& g) {
    const int32_t C = grid.templateCols;
    const auto width = static_cast<size_t>(g.pieceWidth);
    for (int32_t j = 0; j < C; ++j) {
        BuildMask(masks + static_cast<size_t>(j) * width, labels + kTemplateBodySide * j, templateColumnOfU,
                  LabelsOfTemplatePiece(i, j, grid.templateRows, C), rule, false, false, g);
    }
    BuildMask(masks + static_cast<size_t>(C) * width, labels, templateColumnOfU,
              LabelsOfTemplatePiece(i, 0, grid.templateRows, C), rule, true, grid.cols == 1, g);
    const int32_t lastJ = (grid.cols - 1) % C;
    BuildMask(masks + static_cast<size_t>(C + 1) * width, labels + kTemplateBodySide * lastJ, templateColumnOfU,
              LabelsOfTemplatePiece(i, lastJ, grid.templateRows, C), rule, false, true, g);
}

}  // namespace

uint64_t AtlasWorkspace::BytesFor(const CutGeometry& g, const AtlasGrid& grid) {
    const uint64_t span = static_cast<uint64_t>(grid.cols - 1) * g.cellWidth + g.pieceWidth;
    const uint64_t maskRow = static_cast<uint64_t>(grid.templateCols + 2) * g.pieceWidth;
    return 4 * (span + maskRow * grid.templateRows * g.pieceHeight + maskRow + static_cast<uint64_t>(g.atlasWidth));
}

bool AtlasWorkspace::Allocate(const CutGeometry& g, const AtlasGrid& grid) {
    // Every pixel a piece row can show: from offX left of the picture to the right edge of
    // the last piece.
    span_ = (grid.cols - 1) * g.cellWidth + g.pieceWidth;
    const size_t maskRow = static_cast<size_t>(grid.templateCols + 2) * static_cast<size_t>(g.pieceWidth);
    try {
        scaled_.assign(static_cast<size_t>(span_), 0);
        innerMasks_.assign(maskRow * static_cast<size_t>(grid.templateRows) * static_cast<size_t>(g.pieceHeight), 0);
        borderMasks_.assign(maskRow, 0);
        row_.assign(static_cast<size_t>(g.atlasWidth), 0);
    } catch (const std::bad_alloc&) {
        *this = AtlasWorkspace{};
        return false;
    }
    return true;
}

void BuildPieceAtlas(const CutGeometry& g,
                     const AtlasGrid& grid,
                     const AtlasPicture& picture,
                     const AtlasMaps& maps,
                     const ShapeTemplateView& shape,
                     AtlasWorkspace& work,
                     uint8_t* atlas) {
    uint32_t palette[256] = {};
    if (picture.bitCount == 8 && picture.palette != nullptr) {
        for (int k = 0; k < 256; ++k)
            palette[k] = AtlasPixel(picture.palette[k].rgbBlue, picture.palette[k].rgbGreen, picture.palette[k].rgbRed);
    }
    const auto atlasRowBytes = 4 * static_cast<size_t>(g.atlasWidth);
    const auto pieceWidth = static_cast<size_t>(g.pieceWidth);
    const int32_t C = grid.templateCols;
    const size_t maskRow = static_cast<size_t>(C + 2) * pieceWidth;
    auto labelsOf = [&](int32_t i, int32_t v) {
        return shape.RowFromTop(kTemplateBodySide * i + maps.templateRowOfV[v]);
    };

    // The masks of the inner piece rows, for which only the template row and v matter.
    const RowRule inner{false, false, false};
    for (int32_t i = 0; i < grid.templateRows; ++i)
        for (int32_t v = 0; v < g.pieceHeight; ++v) {
            uint32_t* masks = work.innerMasks_.data() + (static_cast<size_t>(i) * g.pieceHeight + v) * maskRow;
            BuildRowMasks(masks, labelsOf(i, v), maps.templateColumnOfU, i, inner, grid, g);
        }
    uint32_t* const scaled = work.scaled_.data();
    work.scaledRowOf_ = -1;

    for (int32_t r = 0; r < grid.rows; ++r) {
        const int32_t i = r % grid.templateRows;
        const bool borderRow = r == 0 || r == grid.rows - 1;
        for (int32_t v = 0; v < g.pieceHeight; ++v) {
            uint8_t* out = atlas + static_cast<size_t>(g.atlasHeight - 1 - (r * g.pieceHeight + v)) * atlasRowBytes;
            const int32_t y = r * g.cellHeight - maps.offY + v;
            if (y < 0 || y >= g.scaledHeight) {
                std::memset(out, 0, atlasRowBytes);
                continue;
            }
            // The scaled row depends only on the picture row it shows: when the picture is
            // enlarged, neighbouring board rows show the same one and share the work.
            const int32_t pictureRow = maps.pictureRowOfY[y];
            if (pictureRow != work.scaledRowOf_) {
                BuildScaledRow(scaled, y, g, picture, maps, palette, work.span_);
                work.scaledRowOf_ = pictureRow;
            }

            const uint32_t* masks;
            if (borderRow) {
                BuildRowMasks(work.borderMasks_.data(), labelsOf(i, v), maps.templateColumnOfU, i,
                              RuleForRow(r, v, grid.rows, g), grid, g);
                masks = work.borderMasks_.data();
            } else {
                masks = work.innerMasks_.data() + (static_cast<size_t>(i) * g.pieceHeight + v) * maskRow;
            }
            uint32_t* row = work.row_.data();
            for (int32_t c = 0; c < grid.cols; ++c) {
                const int32_t which = c == 0 ? C : c == grid.cols - 1 ? C + 1 : c % C;
                MaskRow(row + static_cast<size_t>(c) * pieceWidth, scaled + static_cast<size_t>(c) * g.cellWidth,
                        masks + static_cast<size_t>(which) * pieceWidth, g.pieceWidth);
            }
            StoreAtlasRow(out, row, atlasRowBytes);
        }
    }
    FinishAtlasRows();
}
