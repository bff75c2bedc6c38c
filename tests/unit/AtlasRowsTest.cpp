// The atlas builder's row operations give the same pixels with every set of instructions the
// processor has: an atlas row for pieces of several widths at every alignment of its start,
// the inside bits of a piece row, picture rows widened from 8 and 24 bits, and stretches that
// enlarge and shrink.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/AtlasRows.h"

namespace {

const RowVectors kVectorSets[] = {RowVectors::Avx2, RowVectors::Sse2, RowVectors::Plain};

// Random pixels with kRowPadding entries of room on each side; `Row()` is the first real one.
struct PaddedRow {
    std::vector<uint32_t> entries;
    PaddedRow(size_t count, std::mt19937& random) : entries(count + 2 * kRowPadding) {
        for (uint32_t& e : entries) e = random();
    }
    const uint32_t* Row() const { return entries.data() + kRowPadding; }
};

TEST(AtlasRowsTest, AMaskedRowIsTheSameWithEveryInstructionSet) {
    std::mt19937 random(7);
    struct Case {
        int32_t pieceWidth, cellWidth, cols, templateCols;
    };
    const Case cases[] = {{73, 45, 9, 2}, {8, 5, 7, 2}, {13, 8, 6, 3}, {4, 3, 5, 2}, {3, 2, 4, 2}, {30, 18, 1, 2}};
    for (const Case& c : cases) {
        const PaddedRow scaled(static_cast<size_t>((c.cols - 1) * c.cellWidth + c.pieceWidth), random);
        PaddedRow masks(static_cast<size_t>((c.templateCols + 2) * c.pieceWidth), random);
        for (uint32_t& m : masks.entries) m = (m & 1) != 0 ? 0xFFFFFFFFu : 0;
        MaskedAtlasRow row;
        row.scaled = scaled.Row();
        row.masks = masks.Row();
        row.pieceWidth = c.pieceWidth;
        row.cellWidth = c.cellWidth;
        row.cols = c.cols;
        row.templateCols = c.templateCols;
        const auto length = static_cast<size_t>(c.cols * c.pieceWidth);
        std::vector<uint32_t> plain(length + 8);
        StoreMaskedRow(plain.data(), row, RowVectors::Plain);
        // The plain row is the rule itself: piece c's columns from its own place in the scaled
        // row, through the mask of the first, the last or its template column.
        for (int32_t k = 0; k < c.cols; ++k) {
            const int32_t which = k == 0 ? c.templateCols : k == c.cols - 1 ? c.templateCols + 1 : k % c.templateCols;
            EXPECT_EQ(plain[static_cast<size_t>(k * c.pieceWidth + 1)],
                      row.scaled[k * c.cellWidth + 1] & row.masks[which * c.pieceWidth + 1]);
        }
        for (RowVectors vectors : kVectorSets) {
            if (!RowVectorsAvailable(vectors)) continue;
            // Every start alignment a row can have (rows start on 4-byte boundaries).
            for (size_t shift = 0; shift < 8; ++shift) {
                std::vector<uint32_t> out(length + 16, 0x5A5A5A5Au);
                StoreMaskedRow(out.data() + shift, row, vectors);
                FinishAtlasRows();
                EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + static_cast<ptrdiff_t>(length),
                                       out.begin() + static_cast<ptrdiff_t>(shift)))
                    << "piece width " << c.pieceWidth << ", set " << static_cast<int>(vectors) << ", shift " << shift;
                EXPECT_EQ(out[shift + length], 0x5A5A5A5Au) << "nothing written past the row";
                if (shift > 0) {
                    EXPECT_EQ(out[shift - 1], 0x5A5A5A5Au) << "nothing written before it";
                }
            }
        }
    }
}

TEST(AtlasRowsTest, InsideBitsAreTheSameWithEveryInstructionSet) {
    std::mt19937 random(5);
    for (int32_t width : {73, 8, 13, 130}) {
        PaddedRow scaled(static_cast<size_t>(width), random), masks(static_cast<size_t>(width), random);
        for (uint32_t& p : scaled.entries) p = (p & 0x00FFFFFFu) | ((p & 2) != 0 ? 0x01000000u : 0);
        for (uint32_t& m : masks.entries) m = (m & 1) != 0 ? 0xFFFFFFFFu : 0;
        // The bits are set into words that already hold others: a pattern beyond the row.
        const auto words = static_cast<size_t>(width / 64 + 2);
        std::vector<uint64_t> plain(words, 0);
        plain[words - 1] = 0x8000000000000001u;
        const std::vector<uint64_t> before = plain;
        RecordInsideBits(scaled.Row(), masks.Row(), width, plain.data(), RowVectors::Plain);
        const int32_t u = width - 1;
        const bool inside = (scaled.Row()[u] & masks.Row()[u]) != 0 && (scaled.Row()[u] >> 24) != 0;
        EXPECT_EQ((plain[static_cast<size_t>(u / 64)] >> (u % 64)) & 1, inside ? 1u : 0u);
        EXPECT_EQ(plain[words - 1] & before[words - 1], before[words - 1]) << "other bits are kept";
        for (RowVectors vectors : kVectorSets) {
            if (!RowVectorsAvailable(vectors)) continue;
            std::vector<uint64_t> out = before;
            RecordInsideBits(scaled.Row(), masks.Row(), width, out.data(), vectors);
            EXPECT_EQ(out, plain) << "width " << width << ", set " << static_cast<int>(vectors);
        }
    }
}

TEST(AtlasRowsTest, WideningAndStretchingAreTheSameWithEveryInstructionSet) {
    std::mt19937 random(11);
    const int32_t width = 37;
    std::vector<uint8_t> source(3 * width);
    for (uint8_t& b : source) b = static_cast<uint8_t>(random());
    std::vector<uint32_t> palette(256);
    for (uint32_t& p : palette) p = random() | 0x01000000u;
    for (int32_t bitCount : {8, 24}) {
        std::vector<uint32_t> plain(width + kRowPadding);
        WidenPictureRow(source.data(), bitCount, width, palette.data(), plain.data(), RowVectors::Plain);
        EXPECT_EQ(plain[2],
                  bitCount == 8 ? palette[source[2]] : (source[6] | source[7] << 8 | source[8] << 16 | 0x01000000u));
        for (RowVectors vectors : kVectorSets) {
            if (!RowVectorsAvailable(vectors)) continue;
            std::vector<uint32_t> out(width + kRowPadding);
            WidenPictureRow(source.data(), bitCount, width, palette.data(), out.data(), vectors);
            EXPECT_EQ(out, plain) << bitCount << " bits, set " << static_cast<int>(vectors);
        }
    }
    // Enlarged 2.5 times (blocks within eight columns) and shrunk to 0.6 (blocks reaching
    // further, which are gathered).
    const PaddedRow picture(static_cast<size_t>(width), random);
    for (double scale : {2.5, 0.6}) {
        const auto length = static_cast<int32_t>(width * scale);
        std::vector<int32_t> columns(static_cast<size_t>(length));
        for (int32_t x = 0; x < length; ++x)
            columns[static_cast<size_t>(x)] = std::min(width - 1, static_cast<int32_t>(x / scale));
        RowStretch stretch;
        ASSERT_TRUE(stretch.Reserve(length));
        stretch.Prepare(columns.data(), length);
        for (RowVectors vectors : kVectorSets) {
            if (!RowVectorsAvailable(vectors)) continue;
            std::vector<uint32_t> out(static_cast<size_t>(length));
            stretch.Apply(picture.Row(), out.data(), vectors);
            for (int32_t x = 0; x < length; ++x)
                ASSERT_EQ(out[static_cast<size_t>(x)], picture.Row()[columns[static_cast<size_t>(x)]])
                    << "scale " << scale << ", set " << static_cast<int>(vectors) << ", column " << x;
        }
    }
}

}  // namespace
