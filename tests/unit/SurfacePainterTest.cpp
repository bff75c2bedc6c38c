// Painting back buffers: pieces in stack order over the board texture, bevelled where their
// edges are free, the hatching of marked pieces, leaving the top piece out during a drag,
// clipping, regions of every size agreeing pixel for pixel, and resizing that keeps what both
// sizes share.
#include <gtest/gtest.h>

#include <vector>

#include "engine/SurfacePainter.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using boardtest::BufferPixel;
using boardtest::ExpectedPixel;
using boardtest::FirstWrongPixel;
using boardtest::Place;

class SurfacePainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        boardtest::MakePuzzle(doc, 3, 4, 30, 20, 200, 150);
        // Overlapping pieces, some beyond the edges.
        const Point spots[12] = {{0, 0},   {20, 10}, {-20, -10}, {150, 120}, {170, 130}, {40, 40},
                                 {60, 45}, {80, 50}, {100, 60},  {90, 30},   {-5, 100},  {180, -20}};
        for (uint32_t p = 0; p < 12; ++p) Place(doc, p, spots[p].x, spots[p].y);
        doc.order = {5, 6, 1, 0, 7, 8, 9, 2, 3, 4, 10, 11};
    }
    std::vector<uint8_t> texture = boardtest::MakeTexture();
    PuzzleDocument doc;
};

TEST_F(SurfacePainterTest, WholeSurfaceShowsTheTopmostInsidePixelOrTheTexture) {
    doc.pieces[7].notSelected = 0;
    doc.pieces[10].notSelected = 0;
    const Rect painted = PaintSurfaceRegion(doc, kBoardSurface, Rect{0, 0, 200, 150}, false, boardtest::AsDib(texture));
    EXPECT_EQ(painted, (Rect{0, 0, 200, 150}));
    EXPECT_EQ(FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "");
    // Spot checks against hand-computed values: piece 5 (top) at (40, 40), local (12, 9)
    // lies three pixels into its cell, beyond the bevel; the texture at (120, 0) is pixel 20
    // of stored row 0.
    EXPECT_EQ(BufferPixel(doc.surfaces[kBoardSurface], 52, 49),
              (uint32_t(9 * 7 + 11) << 16) | ((12 * 5 + 3) << 8) | (5 * 37 + 1));
    EXPECT_EQ(BufferPixel(doc.surfaces[kBoardSurface], 120, 0), (7u << 16) | (uint32_t(255 - 20) << 8) | 20u);
}

TEST_F(SurfacePainterTest, MarkedPiecesAreInvertedOnEvenRowsAtEveryThirdColumn) {
    Place(doc, 5, 100, 100);
    doc.order = {5, 0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11};
    doc.pieces[5].notSelected = 0;
    PaintSurfaceRegion(doc, kBoardSurface, Rect{0, 0, 200, 150}, false, boardtest::AsDib(texture));
    uint8_t plain[3];
    // Local (12, 10), beyond the bevel: even row, column divisible by 3 -> inverted; (13, 10)
    // and (12, 11) plain.
    boardtest::AtlasColour(5, 12, 10, plain);
    EXPECT_EQ(BufferPixel(doc.surfaces[kBoardSurface], 112, 110),
              (uint32_t(255 - plain[2]) << 16) | (uint32_t(255 - plain[1]) << 8) | uint32_t(255 - plain[0]));
    boardtest::AtlasColour(5, 13, 10, plain);
    EXPECT_EQ(BufferPixel(doc.surfaces[kBoardSurface], 113, 110),
              (uint32_t(plain[2]) << 16) | (uint32_t(plain[1]) << 8) | plain[0]);
    boardtest::AtlasColour(5, 12, 11, plain);
    EXPECT_EQ(BufferPixel(doc.surfaces[kBoardSurface], 112, 111),
              (uint32_t(plain[2]) << 16) | (uint32_t(plain[1]) << 8) | plain[0]);
    EXPECT_EQ(boardtest::FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "")
        << "hatched and bevelled pixels everywhere else";
}

TEST_F(SurfacePainterTest, SkipTopLeavesTheDraggedPieceOutOfItsArea) {
    PaintSurfaceRegion(doc, kBoardSurface, Rect{0, 0, 200, 150}, false, boardtest::AsDib(texture));
    const Rect top = PieceRect(doc, 5);
    PaintSurfaceRegion(doc, kBoardSurface, top, true, boardtest::AsDib(texture));
    const Surface& board = doc.surfaces[kBoardSurface];
    for (int32_t y = 0; y < 150; ++y)
        for (int32_t x = 0; x < 200; ++x) {
            const bool inTop = x >= top.x && x < top.x + top.width && y >= top.y && y < top.y + top.height;
            ASSERT_EQ(BufferPixel(board, x, y),
                      ExpectedPixel(doc, kBoardSurface, x, y, boardtest::AsDib(texture), inTop))
                << x << "," << y;
        }
}

TEST_F(SurfacePainterTest, RegionsOfEverySizeAgreeAndStayInsideTheirClip) {
    // Paint the whole surface in odd pieces of every size, some reaching past the edges;
    // the result must equal one whole paint, and nothing outside a region may change.
    Surface& board = doc.surfaces[kBoardSurface];
    std::fill(board.backBuffer.begin(), board.backBuffer.end(), 0xEE);
    const Rect region{33, 17, 101, 77};  // larger than a piece, over several bands
    EXPECT_EQ(PaintSurfaceRegion(doc, kBoardSurface, region, false, boardtest::AsDib(texture)), region);
    for (int32_t y = 0; y < 150; ++y)
        for (int32_t x = 0; x < 200; ++x) {
            const bool inside = x >= 33 && x < 134 && y >= 17 && y < 94;
            ASSERT_EQ(BufferPixel(board, x, y),
                      inside ? ExpectedPixel(doc, kBoardSurface, x, y, boardtest::AsDib(texture)) : 0xEEEEEEu)
                << x << "," << y;
        }
    for (int32_t y = -7; y < 150; y += 13)
        for (int32_t x = -11; x < 200; x += 17)
            PaintSurfaceRegion(doc, kBoardSurface, Rect{x, y, 17, 13}, false, boardtest::AsDib(texture));
    EXPECT_EQ(FirstWrongPixel(doc, kBoardSurface, boardtest::AsDib(texture)), "");
    EXPECT_EQ(PaintSurfaceRegion(doc, kBoardSurface, Rect{195, 145, 50, 50}, false, nullptr), (Rect{195, 145, 5, 5}));
    EXPECT_EQ(PaintSurfaceRegion(doc, kBoardSurface, Rect{200, 0, 10, 10}, false, nullptr).width, 0);
    EXPECT_EQ(PaintSurfaceRegion(doc, kBoardSurface, Rect{-30, 0, 30, 10}, false, nullptr).width, 0);
}

TEST_F(SurfacePainterTest, NoPuzzleShowsTheTextureAndNoTextureShowsBlack) {
    PuzzleDocument empty;
    ASSERT_TRUE(AllocateBackBuffer(empty.surfaces[kBoardSurface], 60, 60));
    PaintSurfaceRegion(empty, kBoardSurface, Rect{0, 0, 60, 60}, false, boardtest::AsDib(texture));
    EXPECT_EQ(FirstWrongPixel(empty, kBoardSurface, boardtest::AsDib(texture)), "");
    EXPECT_EQ(BufferPixel(empty.surfaces[kBoardSurface], 52, 1), BufferPixel(empty.surfaces[kBoardSurface], 2, 1))
        << "the texture repeats every 50 pixels";
    PaintSurfaceRegion(empty, kBoardSurface, Rect{0, 0, 60, 60}, false, nullptr);
    EXPECT_EQ(BufferPixel(empty.surfaces[kBoardSurface], 30, 30), 0u);
}

TEST_F(SurfacePainterTest, ResizingKeepsTheSharedPartAndReportsTheNewStrips) {
    Surface& box = doc.surfaces[2];
    ASSERT_TRUE(AllocateBackBuffer(box, 30, 20));
    EXPECT_EQ(box.backBufferHeader.biSize, 40u);
    EXPECT_EQ(box.backBufferHeader.biBitCount, 24);
    EXPECT_EQ(box.backBufferHeader.biPlanes, 1);
    EXPECT_EQ(box.backBuffer.size(), 92u * 20u) << "rows of 90 bytes padded to 92";
    PaintSurfaceRegion(doc, 2, Rect{0, 0, 30, 20}, false, boardtest::AsDib(texture));
    const uint32_t corner = BufferPixel(box, 0, 0);
    const uint32_t far = BufferPixel(box, 29, 19);

    BackBufferGrowth growth;
    ASSERT_TRUE(ResizeBackBuffer(box, 41, 25, &growth));
    EXPECT_EQ(box.clientWidth, 41);
    EXPECT_EQ(box.backBufferHeader.biWidth, 41);
    EXPECT_EQ(BufferPixel(box, 0, 0), corner) << "the top rows are kept, not the bottom ones";
    EXPECT_EQ(BufferPixel(box, 29, 19), far);
    EXPECT_EQ(growth.rightStrip, (Rect{30, 0, 11, 20}));
    EXPECT_EQ(growth.bottomStrip, (Rect{0, 20, 41, 5}));

    ASSERT_TRUE(ResizeBackBuffer(box, 10, 30, &growth));
    EXPECT_EQ(BufferPixel(box, 0, 0), corner);
    EXPECT_EQ(growth.rightStrip.width, 0);
    EXPECT_EQ(growth.bottomStrip, (Rect{0, 25, 10, 5}));

    EXPECT_FALSE(ResizeBackBuffer(box, 1, 30, &growth)) << "sizes under 2 are ignored";
    EXPECT_FALSE(ResizeBackBuffer(box, 30, 0, &growth));
    EXPECT_EQ(box.clientWidth, 10);
    EXPECT_FALSE(AllocateBackBuffer(box, -1, 5));
}

}  // namespace
