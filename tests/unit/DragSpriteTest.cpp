// The drag's sprite: which rectangles a step copies (overlapping, touching and apart), and
// the piece written into the compose image in the three screen formats, hatched when marked
// and clipped to the image.
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

class DrawPieceSpriteTest : public ::testing::Test {
protected:
    void SetUp() override { boardtest::MakePuzzle(doc, 2, 3, 30, 20); }

    // A canvas of `format`, filled with 0xAB bytes so that untouched pixels show.
    SpriteCanvas Canvas(int32_t bitCount, uint32_t red, uint32_t green, uint32_t blue) {
        ScreenPixelFormat format;
        EXPECT_TRUE(DescribeScreenFormat(bitCount, bitCount == 24 ? kCompressionRgb : kCompressionBitFields, red, green,
                                         blue, &format));
        const int32_t width = 2 * doc.pieceWidth, height = 2 * doc.pieceHeight;
        const int32_t stride = DibRowBytes(width, bitCount);
        bits.assign(static_cast<size_t>(stride) * height, 0xAB);
        return SpriteCanvas{bits.data(), stride, width, height, format};
    }
    const uint8_t* At(const SpriteCanvas& c, int32_t x, int32_t y) const {
        return bits.data() + static_cast<size_t>(y) * c.stride + static_cast<size_t>(x) * c.format.BytesPerPixel();
    }

    PuzzleDocument doc;
    std::vector<uint8_t> bits;
};

TEST_F(DrawPieceSpriteTest, InsidePixelsInTheScreenFormatOthersUntouched) {
    uint8_t colour[3];
    // Piece 4's cell starts at local (9, 6); its image goes to (5, 7) of the canvas.
    boardtest::AtlasColour(4, 10, 7, colour);
    {
        const SpriteCanvas c = Canvas(32, kRed888, kGreen888, kBlue888);
        DrawPieceSprite(doc, 4, c, Point{5, 7});
        const uint8_t* p = At(c, 15, 14);
        EXPECT_EQ(p[0], colour[0]);
        EXPECT_EQ(p[1], colour[1]);
        EXPECT_EQ(p[2], colour[2]);
        EXPECT_EQ(p[3], 0) << "the fourth byte is 0";
        EXPECT_EQ(At(c, 6, 8)[0], 0xAB) << "the transparent margin is not written";
    }
    {
        const SpriteCanvas c = Canvas(24, 0, 0, 0);
        DrawPieceSprite(doc, 4, c, Point{5, 7});
        const uint8_t* p = At(c, 15, 14);
        EXPECT_EQ(p[0], colour[0]);
        EXPECT_EQ(p[2], colour[2]);
        uint8_t next[3];
        boardtest::AtlasColour(4, 11, 7, next);
        EXPECT_EQ(p[3], next[0]) << "three bytes a pixel: the next pixel starts right after";
    }
    {
        const SpriteCanvas c = Canvas(16, 0xF800, 0x07E0, 0x001F);
        DrawPieceSprite(doc, 4, c, Point{5, 7});
        const uint16_t expected =
            static_cast<uint16_t>(((colour[2] / 8) << 11) + ((colour[1] / 4) << 5) + (colour[0] / 8));
        const uint8_t* p = At(c, 15, 14);
        EXPECT_EQ(p[0] | (p[1] << 8), expected) << "5-6-5 masks";
    }
}

TEST_F(DrawPieceSpriteTest, MarkedPiecesAreHatchedAndTheImageIsClipped) {
    doc.pieces[1].notSelected = 0;
    const SpriteCanvas c = Canvas(32, kRed888, kGreen888, kBlue888);
    // Placed so that its left and top parts fall off the canvas.
    DrawPieceSprite(doc, 1, c, Point{-10, -8});
    uint8_t colour[3];
    // Local (12, 8): even row, column divisible by 3: inverted, at canvas (2, 0).
    boardtest::AtlasColour(1, 12, 8, colour);
    EXPECT_EQ(At(c, 2, 0)[0], 255 - colour[0]);
    EXPECT_EQ(At(c, 2, 0)[2], 255 - colour[2]);
    // Local (13, 8) plain.
    boardtest::AtlasColour(1, 13, 8, colour);
    EXPECT_EQ(At(c, 3, 0)[1], colour[1]);
    // Far right and bottom: a piece drawn at the canvas's last column writes one column.
    bits.assign(bits.size(), 0xAB);
    DrawPieceSprite(doc, 1, c, Point{c.width - 10, c.height - 7});
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
