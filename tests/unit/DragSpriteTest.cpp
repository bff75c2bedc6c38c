// The drag's sprite: which rectangles a step copies (overlapping, touching and apart), and
// the lifted piece written into the compose image in the three screen formats: bevelled all
// round, hatched when marked, its shadow darkening below and right, clipped to the image.
#include <gtest/gtest.h>

#include <vector>

#include "engine/DragSprite.h"
#include "engine/DropRules.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

TEST(DragStepPlanTest, OverlappingMovesWorkOnTheUnionAndDistantOnesOnTheNewRectangle) {
    const DragStepPlan small = PlanDragStep(Point{100, 50}, Point{103, 48}, 40, 30);
    EXPECT_TRUE(small.overlap);
    EXPECT_EQ(small.shown, (Rect{100, 48, 43, 32}));
    EXPECT_EQ(small.pieceAt, (Point{3, 0}));
    EXPECT_EQ(small.oldPieceAt, (Point{0, 2}));

    // Exactly one piece apart the rectangles touch: still one union, twice a piece wide,
    // which the compose image (two pieces each way) holds.
    const DragStepPlan touching = PlanDragStep(Point{100, 50}, Point{60, 80}, 40, 30);
    EXPECT_TRUE(touching.overlap);
    EXPECT_EQ(touching.shown, (Rect{60, 50, 80, 60}));
    EXPECT_EQ(touching.pieceAt, (Point{0, 30}));
    EXPECT_EQ(touching.oldPieceAt, (Point{40, 0}));

    const DragStepPlan apart = PlanDragStep(Point{100, 50}, Point{141, 50}, 40, 30);
    EXPECT_FALSE(apart.overlap);
    EXPECT_EQ(apart.shown, (Rect{141, 50, 40, 30}));
    EXPECT_EQ(apart.pieceAt, (Point{0, 0}));
}

// The lifted piece's sprite: puzzle of 2 x 3 cells of 30 x 20 (margins 9 and 6, images
// 48 x 32), so the sprite is 55 x 39.
class LiftedSpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        boardtest::MakePuzzle(doc, 2, 3, 30, 20);
        ASSERT_TRUE(sprite.Reserve(doc.pieceWidth, doc.pieceHeight));
    }

    // A canvas of `format`, filled with 0xAB bytes so that untouched pixels show.
    SpriteCanvas Canvas(int32_t bitCount, uint32_t red, uint32_t green, uint32_t blue) {
        ScreenPixelFormat format;
        EXPECT_TRUE(DescribeScreenFormat(bitCount, bitCount == 24 ? kCompressionRgb : kCompressionBitFields, red, green,
                                         blue, &format));
        const int32_t width = 2 * sprite.width, height = 2 * sprite.height;
        const int32_t stride = DibRowBytes(width, bitCount);
        bits.assign(static_cast<size_t>(stride) * height, 0xAB);
        return SpriteCanvas{bits.data(), stride, width, height, format};
    }
    // Renders piece `piece` for the canvas and draws it at `at`.
    void Lift(uint32_t piece, const SpriteCanvas& canvas, Point at) {
        ASSERT_TRUE(RenderLiftedSprite(doc, piece, canvas.format, sprite));
        DrawLiftedSprite(sprite, canvas, at);
    }
    const uint8_t* At(const SpriteCanvas& c, int32_t x, int32_t y) const {
        return bits.data() + static_cast<size_t>(y) * c.stride + static_cast<size_t>(x) * c.format.BytesPerPixel();
    }
    uint32_t Sum(const uint8_t* p) const { return p[0] + p[1] + p[2]; }

    PuzzleDocument doc;
    LiftedSprite sprite;
    std::vector<uint8_t> bits;
};

TEST_F(LiftedSpriteTest, IsThePieceAndItsShadowDownAndRight) {
    EXPECT_EQ(SpriteSize(48, 32), (Point{48 + kShadowReach, 32 + kShadowReach}));
    EXPECT_EQ(sprite.width, 48 + kShadowReach);
}

TEST_F(LiftedSpriteTest, InsidePixelsInTheScreenFormatOthersUntouched) {
    uint8_t colour[3];
    // Piece 4's cell starts at local (9, 6); local (13, 10) lies deeper than the bevel.
    // The image goes to (5, 7) of the canvas.
    boardtest::AtlasColour(4, 13, 10, colour);
    {
        const SpriteCanvas c = Canvas(32, kRed888, kGreen888, kBlue888);
        Lift(4, c, Point{5, 7});
        const uint8_t* p = At(c, 18, 17);
        EXPECT_EQ(p[0], colour[0]);
        EXPECT_EQ(p[1], colour[1]);
        EXPECT_EQ(p[2], colour[2]);
        EXPECT_EQ(p[3], 0) << "the fourth byte is 0";
        EXPECT_EQ(At(c, 6, 8)[0], 0xAB) << "the transparent margin above and left is not written";
    }
    {
        const SpriteCanvas c = Canvas(24, 0, 0, 0);
        Lift(4, c, Point{5, 7});
        const uint8_t* p = At(c, 18, 17);
        EXPECT_EQ(p[0], colour[0]);
        EXPECT_EQ(p[2], colour[2]);
        uint8_t next[3];
        boardtest::AtlasColour(4, 14, 10, next);
        EXPECT_EQ(p[3], next[0]) << "three bytes a pixel: the next pixel starts right after";
    }
    {
        const SpriteCanvas c = Canvas(16, 0xF800, 0x07E0, 0x001F);
        Lift(4, c, Point{5, 7});
        const uint16_t expected =
            static_cast<uint16_t>(((colour[2] / 8) << 11) + ((colour[1] / 4) << 5) + (colour[0] / 8));
        const uint8_t* p = At(c, 18, 17);
        EXPECT_EQ(p[0] | (p[1] << 8), expected) << "5-6-5 masks";
    }
}

TEST_F(LiftedSpriteTest, EveryEdgeOfALiftedPieceIsBevelledEvenWhereItIsJoined) {
    // Pieces 3 and 4 are joined; lifted, 4 stands alone in the air and shows its left edge.
    doc.pieces[3].group = doc.pieces[4].group = 5;
    boardtest::Place(doc, 3, 0, 0);
    boardtest::Place(doc, 4, 30, 0);
    const SpriteCanvas c = Canvas(32, kRed888, kGreen888, kBlue888);
    Lift(4, c, Point{0, 0});
    uint8_t colour[3];
    boardtest::AtlasColour(4, 9, 15, colour);  // the cell's first column, halfway down
    EXPECT_GT(Sum(At(c, 9, 15)), static_cast<uint32_t>(colour[0] + colour[1] + colour[2])) << "lit on the left";
    boardtest::AtlasColour(4, 38, 10, colour);  // its last column, above the tab
    EXPECT_LT(Sum(At(c, 38, 10)), static_cast<uint32_t>(colour[0] + colour[1] + colour[2])) << "shaded on the right";
}

TEST_F(LiftedSpriteTest, TheShadowDarkensBelowAndRightOnlyAndFades) {
    for (int32_t bitCount : {16, 32}) {
        SCOPED_TRACE(bitCount);
        const SpriteCanvas c =
            bitCount == 16 ? Canvas(16, 0xF800, 0x07E0, 0x001F) : Canvas(32, kRed888, kGreen888, kBlue888);
        const uint32_t background = LoadScreenPixel(c.format, At(c, 0, 0));
        Lift(5, c, Point{0, 0});  // the last column: no tab on the right
        // The cell spans local columns 9..38 and rows 6..25. Just right of it and just below,
        // the shadow; above and left of it, nothing.
        auto darker = [&](int32_t x, int32_t y) { return LoadScreenPixel(c.format, At(c, x, y)) != background; };
        EXPECT_TRUE(darker(40, 16)) << "right of the piece";
        EXPECT_TRUE(darker(20, 28)) << "below the piece";
        EXPECT_FALSE(darker(20, 3)) << "above the piece";
        EXPECT_FALSE(darker(5, 16)) << "left of the piece";
        EXPECT_FALSE(darker(38 + kShadowReach + 1, 16)) << "beyond the shadow's reach";
        if (bitCount == 32) {
            EXPECT_LT(Sum(At(c, 40, 16)), Sum(At(c, 44, 16))) << "the shadow fades away from the piece";
            EXPECT_LT(Sum(At(c, 44, 16)), 3u * 0xAB);
        }
    }
}

TEST_F(LiftedSpriteTest, MarkedPiecesAreHatchedAndTheSpriteIsClipped) {
    doc.pieces[1].notSelected = 0;
    const SpriteCanvas c = Canvas(32, kRed888, kGreen888, kBlue888);
    // Placed so that its left and top parts fall off the canvas.
    Lift(1, c, Point{-10, -8});
    uint8_t colour[3];
    // Local (15, 12): even row, column divisible by 3, deep inside: inverted, at canvas (5, 4).
    boardtest::AtlasColour(1, 15, 12, colour);
    EXPECT_EQ(At(c, 5, 4)[0], 255 - colour[0]);
    EXPECT_EQ(At(c, 5, 4)[2], 255 - colour[2]);
    // Local (16, 12) plain.
    boardtest::AtlasColour(1, 16, 12, colour);
    EXPECT_EQ(At(c, 6, 4)[1], colour[1]);
    // Far right and bottom: only the sprite's top-left part lands on the canvas.
    bits.assign(bits.size(), 0xAB);
    DrawLiftedSprite(sprite, c, Point{c.width - 10, c.height - 7});
    EXPECT_NE(At(c, c.width - 1, c.height - 1)[0], 0xAB) << "local (9, 6) is the cell's first pixel";
}

TEST(DropOrderTest, TheDragHasEndedWhenTheDropReportsCompletion) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 2, 2, 30, 20);
    DragSession drag;
    for (uint32_t p = 0; p < 3; ++p) {
        doc.pieces[p].group = 3;
        boardtest::Place(doc, p, 10 + 30 * static_cast<int32_t>(p % 2), 10 + 20 * static_cast<int32_t>(p / 2));
    }
    boardtest::Place(doc, 3, 200, 200);
    doc.order = {3, 0, 1, 2};
    PickUp(doc, drag, kBoardSurface, Point{200 + 20, 200 + 15});
    const DropResult dropped = Drop(doc, drag, kBoardSurface, Point{41, 29});
    EXPECT_EQ(dropped.outcome, DropOutcome::Completed);
    EXPECT_TRUE(dropped.changes.completed);
    EXPECT_EQ(drag.DragState, kDragIdle) << "a completion handler that takes the capture must find no drag to drop";
}

}  // namespace
