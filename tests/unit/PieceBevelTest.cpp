// Pieces that read as pieces: the bevel's shading steps, a piece's bevel in the back buffer on
// its free edges and none where it is joined, the bevel of a group following its outline, and
// the finished puzzle painted as exactly the picture.
#include <gtest/gtest.h>

#include <vector>

#include "engine/PieceBevel.h"
#include "engine/Solve.h"
#include "engine/SurfacePainter.h"
#include "tests/unit/BoardTestSupport.h"
#include "tests/unit/CutTestSupport.h"

namespace {

using boardtest::BufferPixel;
using boardtest::Place;

TEST(ShadeChannelTest, LevelsBlendTowardsWhiteAndBlackInSteps) {
    struct Case {
        uint8_t value;
        int32_t level;
        int32_t low, high;  // the result's range
    };
    const Case cases[] = {
        {100, 0, 100, 100}, {0, 0, 0, 0},        {255, 0, 255, 255},  // level 0 keeps every value
        {100, 1, 110, 125}, {100, 3, 150, 175},                       // towards white
        {255, 3, 255, 255}, {0, 3, 100, 120},                         // white stays, black lightens
        {100, -1, 78, 90},  {100, -3, 40, 55},                        // towards black
        {0, -3, 0, 0},      {255, -3, 110, 125},                      // black stays, white darkens
        {100, 9, 150, 175}, {100, -9, 40, 55},                        // beyond the depth: the strongest
    };
    for (const Case& c : cases) {
        const int32_t shaded = ShadeChannel(c.value, c.level);
        EXPECT_GE(shaded, c.low) << int(c.value) << " at " << c.level;
        EXPECT_LE(shaded, c.high) << int(c.value) << " at " << c.level;
    }
    for (int32_t level = -kBevelDepth; level < kBevelDepth; ++level)
        EXPECT_LT(ShadeChannel(128, level), ShadeChannel(128, level + 1)) << "every level a step lighter";
}

// Two pieces of a 2 x 3 puzzle (cells 30 x 20 at margins 9 and 6; each image has a tab on its
// right half way down, but the last column's) side by side at their solved offsets.
class BoardBevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        boardtest::MakePuzzle(doc, 2, 3, 30, 20, 200, 150);
        Place(doc, 0, 40, 40);
        Place(doc, 1, 70, 40);
        for (uint32_t p = 2; p < 6; ++p) Place(doc, p, 150, 110);  // out of the way
        doc.order = {0, 1, 2, 3, 4, 5};
    }
    void Paint() { PaintSurfaceRegion(doc, kBoardSurface, Rect{0, 0, 200, 150}, false, boardtest::AsDib(texture)); }
    // Sum of blue, green and red of the back buffer at board (x, y), and of piece p's atlas
    // pixel there.
    int32_t Shown(int32_t x, int32_t y) const {
        const uint32_t c = BufferPixel(doc.surfaces[kBoardSurface], x, y);
        return static_cast<int32_t>((c & 0xFF) + ((c >> 8) & 0xFF) + (c >> 16));
    }
    int32_t Plain(uint32_t p, int32_t x, int32_t y) const {
        const uint8_t* a = AtlasPixel(doc, p, x - doc.pieces[p].x, y - doc.pieces[p].y);
        return a[0] + a[1] + a[2];
    }
    std::vector<uint8_t> texture = boardtest::MakeTexture();
    PuzzleDocument doc;
};

TEST_F(BoardBevelTest, FreeEdgesAreLitUpperLeftAndShadedLowerRightJoinedEdgesAreNot) {
    // Piece 0's cell covers board (49..78, 46..65), piece 1's (79..108, 46..65); the edge
    // between them is the column 78 | 79, and piece 0's tab covers (79..82, 54..57).
    Paint();
    EXPECT_GT(Shown(49, 50), Plain(0, 49, 50)) << "the left edge of piece 0 is lit";
    EXPECT_GT(Shown(60, 46), Plain(0, 60, 46)) << "its top edge is lit";
    EXPECT_LT(Shown(60, 65), Plain(0, 60, 65)) << "its bottom edge is shaded";
    EXPECT_EQ(Shown(60, 50), Plain(0, 60, 50)) << "its inside is the picture";
    EXPECT_LT(Shown(78, 50), Plain(0, 78, 50)) << "loose: its right edge against piece 1 is shaded";
    EXPECT_GT(Shown(79, 50), Plain(1, 79, 50)) << "loose: piece 1's left edge is lit";
    EXPECT_GT(Shown(79, 64), Plain(1, 79, 64)) << "lit down to the bottom corner";
    EXPECT_EQ(boardtest::FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "");

    doc.pieces[0].group = doc.pieces[1].group = 2;
    Paint();
    // Rows clear of the group's top and bottom edges, columns on both sides of the join.
    for (int32_t y = 50; y <= 61; ++y)
        for (int32_t x = 76; x <= 84; ++x) {
            const uint32_t p = x < 79 || (y >= 54 && y <= 57 && x <= 82) ? 0 : 1;
            EXPECT_EQ(Shown(x, y), Plain(p, x, y)) << "joined: no bevel at the shared edge, " << x << "," << y;
        }
    EXPECT_GT(Shown(79, 46), Plain(1, 79, 46)) << "the group's top edge stays lit across the join";
    EXPECT_LT(Shown(108, 50), Plain(1, 108, 50)) << "the group's right edge is shaded";
    EXPECT_EQ(boardtest::FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "");
}

TEST_F(BoardBevelTest, APieceOnTopOfAnotherIsBevelledAgainstItAndNotAgainstItself) {
    // Piece 1 dropped loose half over piece 0: its left edge lies on piece 0's picture.
    Place(doc, 1, 55, 45);
    doc.order = {1, 0, 2, 3, 4, 5};
    Paint();
    EXPECT_GT(Shown(64, 60), Plain(1, 64, 60)) << "piece 1's left edge is lit over piece 0";
    EXPECT_EQ(Shown(75, 60), Plain(1, 75, 60)) << "inside piece 1";
    EXPECT_EQ(boardtest::FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "");
}

// The finished puzzle shows the picture itself: every board pixel of the puzzle's rectangle is
// the picture's pixel through the scale, with no bevel anywhere.
TEST(SolvedBoardTest, TheFinishedPuzzleIsExactlyThePicture) {
    for (int family = 0; family < 3; ++family) {
        SCOPED_TRACE("template family " + std::to_string(family));
        cuttest::CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(family));
        constexpr int32_t kWidth = 150, kHeight = 120;
        constexpr double kScale = 1.5;
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(kWidth, kHeight, 24), kScale, 4, 5));
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
        PuzzleDocument& doc = bench.doc;
        for (int s = 0; s < kSurfaceCount; ++s)
            ASSERT_TRUE(AllocateBackBuffer(doc.surfaces[static_cast<size_t>(s)], s == kBoardSurface ? 300 : 60, 260));
        SolvePuzzle(doc);
        const std::vector<uint8_t> texture = boardtest::MakeTexture();
        PaintSurfaceRegion(doc, kBoardSurface, Rect{0, 0, 300, 260}, false, boardtest::AsDib(texture));
        const Surface& board = doc.surfaces[kBoardSurface];
        // Where the picture's board pixel (0, 0) lies.
        const int32_t left = (300 - doc.cellWidth * doc.cols) / 2;
        const int32_t top = (260 - doc.cellHeight * doc.rows) / 2;
        const auto W = static_cast<int32_t>(kWidth * kScale), H = static_cast<int32_t>(kHeight * kScale);
        int32_t wrong = 0;
        for (int32_t y = 0; y < std::min(H, doc.cellHeight * doc.rows + 1); ++y)
            for (int32_t x = 0; x < std::min(W, doc.cellWidth * doc.cols + 1); ++x) {
                if (x == doc.cellWidth * doc.cols && y == doc.cellHeight * doc.rows) continue;  // no piece's
                const uint32_t want =
                    cuttest::ExpectedColour(24, std::min(static_cast<int32_t>(x / kScale), kWidth - 1),
                                            std::min(static_cast<int32_t>(y / kScale), kHeight - 1));
                if (BufferPixel(board, left + x, top + y) != want && wrong++ == 0)
                    ADD_FAILURE() << "picture pixel " << x << "," << y << " shows " << std::hex
                                  << BufferPixel(board, left + x, top + y) << " instead of " << want;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(boardtest::FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "")
            << "the felt around the picture too";
    }
}

// The shapes the cut records for the painter are the atlas's inside flags, piece by piece,
// for grids with one row or column, odd and even counts, and templates of two sizes.
TEST(CutShapesTest, TheShapesTheCutRecordsAreTheAtlasInsideFlags) {
    struct Case {
        int32_t rows, cols, templateSide;
        double scale;
    };
    const Case cases[] = {{1, 3, 2, 1.5}, {3, 1, 2, 1.5}, {4, 5, 2, 1.2}, {5, 7, 3, 1.0}, {2, 2, 2, 0.7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.cols));
        cuttest::CutBench bench;
        bench.AddTemplate(3000, c.templateSide == 2 ? cuttest::MakeTemplate(1)
                                                    : cuttest::NoiseTemplate(5, c.templateSide, c.templateSide));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(160, 130, 8), c.scale, c.rows, c.cols));
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, c.templateSide, c.templateSide, 3000, false)));
        const PieceShapes recorded = bench.doc.shapes;
        ASSERT_TRUE(IndexPieceShapes(bench.doc));
        const PieceShapes& indexed = bench.doc.shapes;
        ASSERT_EQ(recorded.shapeOfPiece.size(), indexed.shapeOfPiece.size());
        for (uint32_t p = 0; p < recorded.shapeOfPiece.size(); ++p)
            for (int32_t v = 0; v < recorded.height; ++v)
                for (int32_t w = 0; w < recorded.wordsPerRow; ++w)
                    ASSERT_EQ(recorded.Row(p, v)[w], indexed.Row(p, v)[w]) << "piece " << p << ", row " << v;
    }
}

}  // namespace
