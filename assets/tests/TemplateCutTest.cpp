// The six shipped shape templates through the real cutter: laid at their solved places the
// pieces rebuild the picture with no gap and no overlap, for even and odd grids (an even
// number of rows makes the bottom pieces read the template's bottom corners).
#include <gtest/gtest.h>

#include <tuple>

#include "assets/ShapeTemplates.h"
#include "engine/Cut.h"
#include "tests/unit/CutTestSupport.h"

namespace {

cuttest::TemplateLabelsMap Shipped(int family) {
    cuttest::TemplateLabelsMap t;
    t.width = t.height = kTemplateSide;
    t.topDown = MakeShapeTemplate(family);
    return t;
}

struct Grid {
    int32_t rows, cols, pictureWidth, pictureHeight;
    double scale;
};

// 18 x 14 pieces of 46 x 45 with the extra row and column inside the picture, a 4 x 4 and a
// 3 x 5 grid with exact multiples, and the largest board of a 1024 x 768 screen.
const Grid kGrids[] = {
    {14, 18, 415, 320, 2.0},
    {4, 4, 200, 200, 1.0},
    {3, 5, 250, 150, 1.0},
    {28, 42, 947, 640, 2.0},
};

class ShippedTemplateCut : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ShippedTemplateCut, PiecesRebuildThePictureExactlyOnce) {
    const auto [gridIndex, family] = GetParam();
    const Grid& g = kGrids[gridIndex];
    cuttest::CutBench bench;
    bench.AddTemplate(3000, Shipped(family));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(g.pictureWidth, g.pictureHeight, 24), g.scale, g.rows, g.cols));
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));
    const auto W = static_cast<int32_t>(g.pictureWidth * g.scale);
    const auto H = static_cast<int32_t>(g.pictureHeight * g.scale);
    const cuttest::SolvedPicture laid = cuttest::LaySolved(bench.doc, W, H, g.pictureWidth, g.pictureHeight, 24);
    EXPECT_TRUE(laid.Clean()) << TemplateFamilyName(family) << ": gaps " << laid.gaps << ", overlaps " << laid.overlaps
                              << ", outside " << laid.outside << "; first: " << laid.first;
}

INSTANTIATE_TEST_SUITE_P(GridsAndFamilies,
                         ShippedTemplateCut,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Range(0, kTemplateFamilies)));

}  // namespace
