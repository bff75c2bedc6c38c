// The atlas a cut builds: laid at their solved places the pieces rebuild the scaled picture
// with no gap and no overlap, straight outer edges (every piece of a 2 x 2 puzzle touches
// two of them) and the picture's own pixels, for every template family and several grids,
// from 8-bit and 24-bit pictures, with the extra column and row inside the picture and
// outside it; the atlas agrees pixel for pixel with a plain statement of the rules, also
// for templates of random labels and template grids other than 2 x 2.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/CutGeometry.h"
#include "tests/unit/CutTestSupport.h"

namespace {

using cuttest::CutBench;

struct GridCase {
    int32_t rows, cols;
    int32_t pictureWidth, pictureHeight;
    double scale;
};

// Scaled sizes: 101 x 95 (cells 50 x 47, so the extra column and row of the right and
// bottom pieces lie inside the picture), 135 x 135 (exact multiples: they lie outside it),
// 310 x 248 (44-pixel cells, where floating-point maps went wrong), 830 x 640 (18 x 14
// pieces of 46 x 45, an even number of rows, so the bottom row uses template row 1).
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
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));

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
        ASSERT_TRUE(
            bench.Open(cuttest::PictureOf(k.pictureWidth, k.pictureHeight, k.bitCount), k.scale, k.rows, k.cols));
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, k.R, k.C, 3001, false)));
        const auto W = static_cast<int32_t>(k.pictureWidth * k.scale);
        const auto H = static_cast<int32_t>(k.pictureHeight * k.scale);
        const std::vector<uint8_t> expected =
            cuttest::ReferenceAtlas(bench.doc, t, k.R, k.C, k.pictureWidth, k.pictureHeight, k.bitCount, W, H);
        ASSERT_EQ(bench.doc.atlas.size(), expected.size());
        size_t differing = 0, first = 0;
        for (size_t b = 0; b < expected.size(); ++b) {
            if (bench.doc.atlas[b] != expected[b] && differing++ == 0) first = b;
        }
        EXPECT_EQ(differing, 0u) << "seed " << seed << ": first difference at atlas byte " << first;
    }
}

INSTANTIATE_TEST_SUITE_P(Grids,
                         AtlasAgainstRulesTest,
                         ::testing::Values(ReferenceCase{2, 2, 2, 2, 60, 50, 1.0, 24},
                                           ReferenceCase{3, 5, 2, 2, 97, 88, 1.7, 8},
                                           ReferenceCase{1, 1, 2, 2, 45, 45, 1.0, 24},     // one piece, all edges
                                           ReferenceCase{4, 3, 1, 1, 70, 90, 1.3, 8},      // 1 x 1 template
                                           ReferenceCase{5, 4, 3, 2, 200, 150, 0.75, 24},  // 3 x 2 template
                                           ReferenceCase{2, 9, 2, 3, 300, 80, 1.0, 8}),
                         [](const auto& param) {
                             const ReferenceCase& k = param.param;
                             return std::to_string(k.rows) + "x" + std::to_string(k.cols) + "_template" +
                                    std::to_string(k.R) + "x" + std::to_string(k.C) + "_" + std::to_string(k.bitCount) +
                                    "bit";
                         });

}  // namespace
