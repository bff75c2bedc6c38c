// The atlas a cut builds: laid at their solved places the pieces rebuild the scaled picture
// with no gap and no overlap, straight outer edges and the picture's own pixels, for every
// template family and several grids, from 8-bit and 24-bit pictures; the atlas agrees pixel
// for pixel with a plain statement of the rules, also for templates of random labels and
// template grids other than 2 x 2.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "puzzle/CutGeometry.h"
#include "tests/unit/CutTestSupport.h"

namespace {

using cuttest::CutBench;

struct GridCase {
    int32_t rows, cols;
    int32_t pictureWidth, pictureHeight;
    double scale;
};

// Scaled sizes: 101 x 95 (cells 50 x 47, the picture one column and row wider than the
// cells), 135 x 135 (exact multiples), 310 x 248 (44-pixel cells, where floating-point maps
// went wrong), 830 x 640 (18 x 14 pieces of 46 x 45).
const GridCase kGrids[] = {
    {2, 2, 101, 95, 1.0},
    {3, 3, 150, 150, 0.9},
    {5, 7, 200, 160, 1.55},
    {14, 18, 415, 320, 2.0},
};

class SolvedPictureTest : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(SolvedPictureTest, PiecesRebuildThePictureExactlyOnce) {
    const auto [gridIndex, family, bits] = GetParam();
    const GridCase& grid = kGrids[gridIndex];
    const auto bitCount = static_cast<uint16_t>(bits);
    CutBench bench;
    bench.AddTemplate(3000, cuttest::MakeTemplate(family));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(grid.pictureWidth, grid.pictureHeight, bitCount), grid.scale, grid.rows,
                           grid.cols));
    ASSERT_TRUE(Cut(bench.doc, bench.env, 2, 2, 3000, false));

    const auto W = static_cast<int32_t>(grid.pictureWidth * grid.scale);
    const auto H = static_cast<int32_t>(grid.pictureHeight * grid.scale);
    const cuttest::SolvedPicture laid =
        cuttest::LaySolved(bench.doc, W, H, grid.pictureWidth, grid.pictureHeight, bitCount);
    EXPECT_TRUE(laid.Clean()) << "gaps " << laid.gaps << ", overlaps " << laid.overlaps << ", outside " << laid.outside
                              << ", wrong colours " << laid.wrongColour << ", dirty transparent "
                              << laid.dirtyTransparent << "; first: " << laid.first;
}

INSTANTIATE_TEST_SUITE_P(GridsFamiliesDepths,
                         SolvedPictureTest,
                         ::testing::Combine(::testing::Range(0, 4),
                                            ::testing::Range(0, static_cast<int>(cuttest::kFamilyCount)),
                                            ::testing::Values(8, 24)),
                         [](const auto& param) {
                             const GridCase& g = kGrids[std::get<0>(param.param)];
                             return std::to_string(g.rows) + "x" + std::to_string(g.cols) + "_" +
                                    cuttest::FamilyName(std::get<1>(param.param)) + "_" +
                                    std::to_string(std::get<2>(param.param)) + "bit";
                         });

// A 2 x 2 puzzle: every piece touches two outer edges. Along each outer edge the piece's
// border line is opaque exactly over its cell (plus the extra column or row on the right
// and at the bottom, here inside the 121 x 101 picture) and nothing lies beyond it. The
// one pixel where the extra column meets the extra row belongs to no cell and is left out.
TEST(SolvedPicture, TwoByTwoPiecesHaveStraightOuterEdges) {
    CutBench bench;
    bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(121, 101, 24), 1.0, 2, 2));
    ASSERT_TRUE(Cut(bench.doc, bench.env, 2, 2, 3000, false));
    const PuzzleDocument& d = bench.doc;
    ASSERT_EQ(d.cellWidth, 60);
    ASSERT_EQ(d.marginX, 19);  // 60 x 0.33 = 19.8
    ASSERT_EQ(d.cellHeight, 50);
    ASSERT_EQ(d.marginY, 16);  // 16.5
    const int32_t mx = d.marginX, my = d.marginY, cw = d.cellWidth, ch = d.cellHeight;
    auto inside = [&](int r, int c, int u, int v) { return (cuttest::AtlasAt(d, r, c, u, v) >> 24) == 1; };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const int lastU = c == 1 ? mx + cw : mx + cw - 1;  // with the extra column
            const int lastV = r == 1 ? my + ch : my + ch - 1;
            const int edgeV = r == 0 ? my : my + ch;           // the border line, top or bottom
            const int beyondV = r == 0 ? my - 1 : my + ch + 1;
            const int edgeU = c == 0 ? mx : mx + cw;
            const int beyondU = c == 0 ? mx - 1 : mx + cw + 1;
            auto farCorner = [&](int u, int v) { return u == mx + cw && v == my + ch; };
            for (int u = 0; u < d.pieceWidth; ++u) {
                if (!farCorner(u, edgeV)) {
                    EXPECT_EQ(inside(r, c, u, edgeV), u >= mx && u <= lastU) << r << c << " u " << u;
                }
                EXPECT_FALSE(inside(r, c, u, beyondV)) << r << c << " u " << u;
            }
            for (int v = 0; v < d.pieceHeight; ++v) {
                if (!farCorner(edgeU, v)) {
                    EXPECT_EQ(inside(r, c, edgeU, v), v >= my && v <= lastV) << r << c << " v " << v;
                }
                EXPECT_FALSE(inside(r, c, beyondU, v)) << r << c << " v " << v;
            }
        }
}

// The extra column of the last piece column shows the picture's remaining pixels when the
// picture is wider than the cells, and stays transparent when the width is an exact
// multiple of the column count.
TEST(SolvedPicture, ExtraColumnShowsThePictureOnlyWhereThereIsOne) {
    for (const int32_t width : {120, 121}) {
        CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kStraight));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(width, 100, 24), 1.0, 2, 2));
        ASSERT_TRUE(Cut(bench.doc, bench.env, 2, 2, 3000, false));
        const PuzzleDocument& d = bench.doc;
        const int32_t u = d.cellWidth + d.marginX;  // board column 120
        const int32_t v = d.marginY + 10;           // board row 10
        const uint32_t pixel = cuttest::AtlasAt(d, 0, 1, u, v);
        if (width == 120)
            EXPECT_EQ(pixel, 0u);
        else
            EXPECT_EQ(pixel, cuttest::Colour24(120, 10) | 1u << 24);
    }
}

// ---- Against the plain rules -----------------------------------------------------------

struct ReferenceCase {
    int32_t rows, cols, R, C;
    int32_t pictureWidth, pictureHeight;
    double scale;
    uint16_t bitCount;
};

class AtlasAgainstRulesTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(AtlasAgainstRulesTest, RandomLabelsGiveTheAtlasOfThePlainRules) {
    const ReferenceCase k = GetParam();
    for (uint32_t seed : {1u, 77u}) {
        CutBench bench;
        const cuttest::TemplateLabelsMap t = cuttest::NoiseTemplate(seed, k.R, k.C);
        bench.AddTemplate(3001, t);
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(k.pictureWidth, k.pictureHeight, k.bitCount), k.scale, k.rows,
                               k.cols));
        ASSERT_TRUE(Cut(bench.doc, bench.env, k.R, k.C, 3001, false));
        const auto W = static_cast<int32_t>(k.pictureWidth * k.scale);
        const auto H = static_cast<int32_t>(k.pictureHeight * k.scale);
        const std::vector<uint8_t> expected = cuttest::ReferenceAtlas(bench.doc, t, k.R, k.C, k.pictureWidth,
                                                                      k.pictureHeight, k.bitCount, W, H);
        ASSERT_EQ(bench.doc.atlas.size(), expected.size());
        size_t differing = 0, first = 0;
        for (size_t b = 0; b < expected.size(); ++b) {
            if (bench.doc.atlas[b] != expected[b] && differing++ == 0)
                first = b;
        }
        EXPECT_EQ(differing, 0u) << "seed " << seed << ": first difference at atlas byte " << first;
    }
}

INSTANTIATE_TEST_SUITE_P(Grids,
                         AtlasAgainstRulesTest,
                         ::testing::Values(ReferenceCase{2, 2, 2, 2, 60, 50, 1.0, 24},
                                           ReferenceCase{3, 5, 2, 2, 97, 88, 1.7, 8},
                                           ReferenceCase{1, 1, 2, 2, 45, 45, 1.0, 24},   // one piece, all edges
                                           ReferenceCase{4, 3, 1, 1, 70, 90, 1.3, 8},    // 1 x 1 template
                                           ReferenceCase{5, 4, 3, 2, 200, 150, 0.75, 24},  // 3 x 2 template
                                           ReferenceCase{2, 9, 2, 3, 300, 80, 1.0, 8}),
                         [](const auto& param) {
                             const ReferenceCase& k = param.param;
                             return std::to_string(k.rows) + "x" + std::to_string(k.cols) + "_template" +
                                    std::to_string(k.R) + "x" + std::to_string(k.C) + "_" +
                                    std::to_string(k.bitCount) + "bit";
                         });

}  // namespace
