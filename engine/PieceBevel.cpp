// The bevel of pieces; see PieceBevel.h.
#include "engine/PieceBevel.h"

#include <array>

#include "engine/PuzzleDocument.h"

namespace {

// How far each level blends towards white (light) or black (dark), in 256ths. The dark side
// is a little stronger: shade reads as depth, while light that strong washes pale pictures
// out.
constexpr int32_t kLightShare[kBevelDepth + 1] = {0, 36, 72, 112};
constexpr int32_t kDarkShare[kBevelDepth + 1] = {0, 44, 88, 136};

using Tables = std::array<std::array<uint8_t, 256>, kBevelLevels>;

Tables MakeTables() {
    Tables tables{};
    for (int32_t level = -kBevelDepth; level <= kBevelDepth; ++level) {
        auto& table = tables[static_cast<size_t>(level + kBevelDepth)];
        for (int32_t value = 0; value < 256; ++value) {
            int32_t shaded = value;
            if (level > 0) shaded = value + ((255 - value) * kLightShare[level] + 128) / 256;
            if (level < 0) shaded = value - (value * kDarkShare[-level] + 128) / 256;
            table[static_cast<size_t>(value)] = static_cast<uint8_t>(shaded);
        }
    }
    return tables;
}

const Tables& ShadeTables() {
    static const Tables tables = MakeTables();
    return tables;
}

}  // namespace

uint8_t ShadeChannel(uint8_t value, int32_t level) { return ShadeTable(level)[value]; }

const uint8_t* ShadeTable(int32_t level) {
    if (level < -kBevelDepth) level = -kBevelDepth;
    if (level > kBevelDepth) level = kBevelDepth;
    return ShadeTables()[static_cast<size_t>(level + kBevelDepth)].data();
}

PieceOutline::PieceOutline(const PuzzleDocument& doc, uint32_t piece, bool asLoose) {
    const PieceShapes& shapes = doc.shapes;
    if (piece >= shapes.shapeOfPiece.size() || doc.cols < 1) return;
    height_ = shapes.height;
    words_ = shapes.wordsPerRow;
    bevelled_ = doc.solved == 0;
    members_[memberCount_++] = Member{shapes.Row(piece, 0), 0, 0};
    const uint32_t group = piece < doc.pieces.size() ? doc.pieces[piece].group : 0;
    if (!bevelled_ || asLoose || group == 0) return;
    const auto cols = static_cast<int32_t>(doc.cols);
    const auto count = static_cast<int64_t>(shapes.shapeOfPiece.size());
    const int32_t row = static_cast<int32_t>(piece) / cols;
    const int32_t column = static_cast<int32_t>(piece) % cols;
    for (int32_t dr = -1; dr <= 1; ++dr)
        for (int32_t dc = -1; dc <= 1; ++dc) {
            if ((dr == 0 && dc == 0) || column + dc < 0 || column + dc >= cols) continue;
            const int64_t neighbour = static_cast<int64_t>(row + dr) * cols + column + dc;
            if (row + dr < 0 || neighbour >= count || neighbour >= static_cast<int64_t>(doc.pieces.size())) continue;
            if (doc.pieces[static_cast<size_t>(neighbour)].group != group) continue;
            members_[memberCount_++] =
                Member{shapes.Row(static_cast<uint32_t>(neighbour), 0), dc * doc.cellWidth, dr * doc.cellHeight};
        }
}
