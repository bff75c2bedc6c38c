// The atlas builder; see AtlasBuilder.h for the rules and the arrangement.
#include "engine/AtlasBuilder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "engine/AtlasRows.h"
#include "engine/KeptBuffer.h"

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
// Whether a template label belongs to the piece depends on which of the piece's labels it is
// (its own, or a neighbour's filled in at the puzzle's edge) and on the stretch of the row it
// lies in: left of the cell, the cell, right of it. So the row is three stretches, each a
// lookup from label to answer, without a branch a pixel.
void BuildMask(uint32_t* mask,
               const uint8_t* labels,  // template row, from the piece's template column on
               const int32_t* templateColumnOfU,
               const TemplateLabels& own,
               const RowRule& rule,
               bool firstColumn,
               bool lastColumn,
               const CutGeometry& g) {
    enum Kind : uint8_t { kOther, kOwn, kUp, kRight, kDown, kLeft, kKinds };
    // Set in reverse so that a label that is two of them counts as the first (own before up,
    // up before right ...); labels beyond a byte are in no template.
    uint8_t kindOf[256] = {};
    const std::pair<uint32_t, Kind> kinds[] = {
        {own.left, kLeft}, {own.down, kDown}, {own.right, kRight}, {own.up, kUp}, {own.own, kOwn}};
    for (const auto& [label, kind] : kinds)
        if (label < 256) kindOf[label] = kind;

    struct Stretch {
        int32_t end;
        bool inside[kKinds];
    };
    const bool ownKept = !rule.ownCut;
    const int32_t rightEdge = g.cellWidth + g.marginX;
    const Stretch stretches[] = {
        {std::min(g.marginX, g.pieceWidth),
         {false, ownKept && !firstColumn, rule.upInside, lastColumn, rule.downInside, false}},
        {std::min(rightEdge + 1, g.pieceWidth),
         {false, ownKept, rule.upInside, lastColumn, rule.downInside, firstColumn}},
        {g.pieceWidth, {false, ownKept && !lastColumn, rule.upInside, false, rule.downInside, firstColumn}},
    };
    int32_t u = 0;
    for (const Stretch& stretch : stretches) {
        uint32_t answer[kKinds];
        for (int k = 0; k < kKinds; ++k) answer[k] = stretch.inside[k] ? kInside : 0;
        for (; u < stretch.end; ++u) mask[u] = answer[kindOf[labels[templateColumnOfU[u]]]];
    }
}

// The scaled row of board row y in `scaled`, whose entry k shows board column k - offX; the
// entries outside the picture keep the transparent pixels they were allocated with.
void BuildScaledRow(uint32_t* widened,
                    uint32_t* scaled,
                    const RowStretch& stretch,
                    int32_t pictureRow,
                    const AtlasPicture& picture,
                    const AtlasMaps& maps,
                    const uint32_t* palette) {
    const uint8_t* source = picture.rows + static_cast<size_t>(picture.height - 1 - pictureRow) * picture.rowBytes;
    WidenPictureRow(source, picture.bitCount, picture.width, palette, widened);
    stretch.Apply(widened, scaled + maps.offX);
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

// The bits of row v of every shape whose first piece lies in piece row r: the pixels the
// atlas row gives the piece (inside where the masked pixel carries the inside flag).
void RecordShapes(PieceShapes& shapes,
                  const std::vector<uint32_t>& firstOfShape,
                  int32_t r,
                  int32_t v,
                  const MaskedAtlasRow& row) {
    const auto firstPiece = static_cast<uint32_t>(r * row.cols);
    for (size_t s = 0; s < firstOfShape.size(); ++s) {
        const uint32_t piece = firstOfShape[s];
        if (piece < firstPiece || piece >= firstPiece + static_cast<uint32_t>(row.cols)) continue;
        const auto c = static_cast<int32_t>(piece - firstPiece);
        const int32_t which = c == 0              ? row.templateCols
                              : c == row.cols - 1 ? row.templateCols + 1
                                                  : c % row.templateCols;
        const uint32_t* scaled = row.scaled + static_cast<ptrdiff_t>(c) * row.cellWidth;
        const uint32_t* mask = row.masks + static_cast<ptrdiff_t>(which) * row.pieceWidth;
        RecordInsideBits(scaled, mask, row.pieceWidth, shapes.ShapeRow(static_cast<uint32_t>(s), v));
    }
}

}  // namespace

uint64_t AtlasWorkspace::BytesFor(const CutGeometry& g, const AtlasGrid& grid, int32_t pictureWidth) {
    const uint64_t pad = 2 * kRowPadding;
    const uint64_t span = static_cast<uint64_t>(grid.cols - 1) * g.cellWidth + g.pieceWidth;
    const uint64_t maskRow = static_cast<uint64_t>(grid.templateCols + 2) * g.pieceWidth;
    const uint64_t stretch = static_cast<uint64_t>(g.scaledWidth) / 8 * 9;
    return 4 * (static_cast<uint64_t>(pictureWidth) + pad + span + pad + stretch +
                maskRow * grid.templateRows * g.pieceHeight + pad + maskRow + pad);
}

bool AtlasWorkspace::Allocate(const CutGeometry& g, const AtlasGrid& grid, int32_t pictureWidth) {
    // Every pixel a piece row can show: from offX left of the picture to the right edge of
    // the last piece.
    span_ = (grid.cols - 1) * g.cellWidth + g.pieceWidth;
    const size_t pad = 2 * kRowPadding;
    const size_t maskRow = static_cast<size_t>(grid.templateCols + 2) * static_cast<size_t>(g.pieceWidth);
    try {
        // The scaled row's entries outside the picture must read as transparent: zeroed.
        FitKeptBuffer(scaled_, static_cast<size_t>(span_) + pad);
        FitKeptBuffer(widened_, static_cast<size_t>(pictureWidth) + pad);
        FitKeptBuffer(innerMasks_,
                      maskRow * static_cast<size_t>(grid.templateRows) * static_cast<size_t>(g.pieceHeight) + pad);
        FitKeptBuffer(borderMasks_, maskRow + pad);
        if (!stretch_.Reserve(g.scaledWidth)) throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
        Release();
        return false;
    }
    return true;
}

void AtlasWorkspace::Release() { *this = AtlasWorkspace{}; }

bool PrepareShapes(const CutGeometry& g, const AtlasGrid& grid, AtlasWorkspace& work, PieceShapes& shapes) {
    // A piece's shape depends on its template piece and on whether it lies in the first or
    // last row or column: 16 classes a template piece.
    constexpr uint32_t kNone = 0xFFFFFFFFu;
    const auto classCount = static_cast<size_t>(grid.templateRows) * static_cast<size_t>(grid.templateCols) * 16;
    const auto pieceCount = static_cast<size_t>(grid.rows) * static_cast<size_t>(grid.cols);
    try {
        std::vector<uint32_t> shapeOfClass(classCount, kNone);
        FitKeptBuffer(shapes.shapeOfPiece, pieceCount);
        work.firstOfShape_.clear();
        for (int32_t r = 0; r < grid.rows; ++r) {
            const int32_t rowClass = (r == 0 ? 1 : 0) | (r == grid.rows - 1 ? 2 : 0);
            for (int32_t c = 0; c < grid.cols; ++c) {
                const int32_t columnClass = (c == 0 ? 1 : 0) | (c == grid.cols - 1 ? 2 : 0);
                const size_t key = ((static_cast<size_t>(r % grid.templateRows) * grid.templateCols +
                                     static_cast<size_t>(c % grid.templateCols)) *
                                        4 +
                                    static_cast<size_t>(rowClass)) *
                                       4 +
                                   static_cast<size_t>(columnClass);
                const auto piece = static_cast<uint32_t>(r * grid.cols + c);
                if (shapeOfClass[key] == kNone) {
                    shapeOfClass[key] = static_cast<uint32_t>(work.firstOfShape_.size());
                    work.firstOfShape_.push_back(piece);
                }
                shapes.shapeOfPiece[piece] = shapeOfClass[key];
            }
        }
        shapes.width = g.pieceWidth;
        shapes.height = g.pieceHeight;
        shapes.wordsPerRow = ShapeWordsPerRow(g.pieceWidth);
        FitKeptBuffer(shapes.bits, work.firstOfShape_.size() * static_cast<size_t>(shapes.height) *
                                       static_cast<size_t>(shapes.wordsPerRow));
    } catch (const std::bad_alloc&) {
        shapes.Release();
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
                     uint8_t* atlas,
                     PieceShapes* shapes) {
    uint32_t palette[256] = {};
    if (picture.bitCount == 8 && picture.palette != nullptr) {
        for (int k = 0; k < 256; ++k)
            palette[k] = AtlasPixel(picture.palette[k].rgbBlue, picture.palette[k].rgbGreen, picture.palette[k].rgbRed);
    }
    const auto atlasRowBytes = 4 * static_cast<size_t>(g.atlasWidth);
    const int32_t C = grid.templateCols;
    const size_t maskRow = static_cast<size_t>(C + 2) * static_cast<size_t>(g.pieceWidth);
    auto labelsOf = [&](int32_t i, int32_t v) {
        return shape.RowFromTop(kTemplateBodySide * i + maps.templateRowOfV[v]);
    };

    // The masks of the inner piece rows, for which only the template row and v matter.
    uint32_t* const innerMasks = work.innerMasks_.data() + kRowPadding;
    uint32_t* const borderMasks = work.borderMasks_.data() + kRowPadding;
    const RowRule inner{false, false, false};
    for (int32_t i = 0; i < grid.templateRows; ++i)
        for (int32_t v = 0; v < g.pieceHeight; ++v) {
            uint32_t* masks = innerMasks + (static_cast<size_t>(i) * g.pieceHeight + v) * maskRow;
            BuildRowMasks(masks, labelsOf(i, v), maps.templateColumnOfU, i, inner, grid, g);
        }
    uint32_t* const widened = work.widened_.data() + kRowPadding;
    uint32_t* const scaled = work.scaled_.data() + kRowPadding;
    work.stretch_.Prepare(maps.pictureColumnOfX, std::min(g.scaledWidth, work.span_ - maps.offX));
    work.scaledRowOf_ = -1;

    MaskedAtlasRow row;
    row.scaled = scaled;
    row.pieceWidth = g.pieceWidth;
    row.cellWidth = g.cellWidth;
    row.cols = grid.cols;
    row.templateCols = C;

    // Board row y lies in atlas row v = y - (r * cellHeight - offY) of the piece rows r whose
    // images reach it: one or two of them.
    const int32_t firstY = -maps.offY;
    const int32_t endY = (grid.rows - 1) * g.cellHeight - maps.offY + g.pieceHeight;
    for (int32_t y = firstY; y < endY; ++y) {
        const int32_t fromTop = y + maps.offY;
        const int32_t lastR = std::min(grid.rows - 1, fromTop / g.cellHeight);
        int32_t firstR = fromTop - g.pieceHeight + 1 <= 0 ? 0 : (fromTop - g.pieceHeight) / g.cellHeight + 1;
        const bool inPicture = y >= 0 && y < g.scaledHeight;
        // The scaled row depends only on the picture row it shows: an enlarged picture shows
        // each of its rows on several board rows, which share the work.
        if (inPicture && maps.pictureRowOfY[y] != work.scaledRowOf_) {
            work.scaledRowOf_ = maps.pictureRowOfY[y];
            BuildScaledRow(widened, scaled, work.stretch_, work.scaledRowOf_, picture, maps, palette);
        }
        for (int32_t r = firstR; r <= lastR; ++r) {
            const int32_t v = fromTop - r * g.cellHeight;
            auto* out = reinterpret_cast<uint32_t*>(
                atlas + static_cast<size_t>(g.atlasHeight - 1 - (r * g.pieceHeight + v)) * atlasRowBytes);
            if (!inPicture) {
                std::memset(out, 0, atlasRowBytes);
                continue;
            }
            const int32_t i = r % grid.templateRows;
            if (r == 0 || r == grid.rows - 1) {
                BuildRowMasks(borderMasks, labelsOf(i, v), maps.templateColumnOfU, i, RuleForRow(r, v, grid.rows, g),
                              grid, g);
                row.masks = borderMasks;
            } else {
                row.masks = innerMasks + (static_cast<size_t>(i) * g.pieceHeight + v) * maskRow;
            }
            StoreMaskedRow(out, row);
            if (shapes != nullptr) RecordShapes(*shapes, work.firstOfShape_, r, v, row);
        }
    }
    FinishAtlasRows();
}
