// The cutter's parts with hand-worked values: the sizes of a cut, the four coordinate maps,
// the template labels and the checked template view, the screen pixel formats the drag can
// draw in, and the first board's picture and template.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/CutFirstBoard.h"
#include "engine/CutGeometry.h"
#include "engine/CutTemplate.h"
#include "engine/ScreenPixelFormat.h"
#include "tests/unit/CutTestSupport.h"

namespace {

// ---- Sizes -----------------------------------------------------------------------------

// The largest puzzle of a 1024 x 768 screen: a picture shaped like the 947 x 640 board at
// twice the fitting scale, 1894 x 1280, in 42 x 28 cells of 45 (1894 / 42 = 45.1,
// 1280 / 28 = 45.7); margins 14 (45 x 0.33 = 14.85); pieces 73; atlas 3066 x 2044.
TEST(CutGeometry, LargestPuzzleOfA1024By768Screen) {
    CutGeometry g;
    ASSERT_EQ(ComputeCutGeometry(947, 640, 2.0, 28, 42, &g), GeometryCheck::Ok);
    EXPECT_EQ(g.scaledWidth, 1894);
    EXPECT_EQ(g.scaledHeight, 1280);
    EXPECT_EQ(g.cellWidth, 45);
    EXPECT_EQ(g.cellHeight, 45);
    EXPECT_EQ(g.marginX, 14);
    EXPECT_EQ(g.marginY, 14);
    EXPECT_EQ(g.pieceWidth, 73);
    EXPECT_EQ(g.pieceHeight, 73);
    EXPECT_EQ(g.atlasWidth, 3066);
    EXPECT_EQ(g.atlasHeight, 2044);
    EXPECT_EQ(g.atlasBytes, 25067616u);
}

TEST(CutGeometry, RefusesSmallPicturesUnusableGridsAndAbsurdScales) {
    CutGeometry g;
    EXPECT_EQ(ComputeCutGeometry(45, 45, 1.0, 2, 2, &g), GeometryCheck::Ok);
    EXPECT_EQ(ComputeCutGeometry(44, 45, 1.0, 2, 2, &g), GeometryCheck::TooSmall);
    EXPECT_EQ(ComputeCutGeometry(45, 44, 1.0, 2, 2, &g), GeometryCheck::TooSmall);
    EXPECT_EQ(ComputeCutGeometry(100, 100, 0.449, 2, 2, &g), GeometryCheck::TooSmall);
    EXPECT_EQ(ComputeCutGeometry(100, 100, std::nan(""), 2, 2, &g), GeometryCheck::TooSmall);
    EXPECT_EQ(ComputeCutGeometry(100, 100, -1.0, 2, 2, &g), GeometryCheck::TooSmall);
    EXPECT_EQ(ComputeCutGeometry(100, 100, 1e9, 2, 2, &g), GeometryCheck::Unusable);
    EXPECT_EQ(ComputeCutGeometry(100, 100, std::numeric_limits<double>::infinity(), 2, 2, &g), GeometryCheck::Unusable);
    EXPECT_EQ(ComputeCutGeometry(100, 100, 1.0, 0, 2, &g), GeometryCheck::Unusable);
    EXPECT_EQ(ComputeCutGeometry(100, 100, 1.0, 2, -3, &g), GeometryCheck::Unusable);
    EXPECT_EQ(ComputeCutGeometry(100, 100, 1.0, 2, 101, &g), GeometryCheck::Unusable) << "cells under a pixel";
    EXPECT_EQ(ComputeCutGeometry(100, 100, 1.0, 100, 100, &g), GeometryCheck::Ok) << "one-pixel cells";
}

// ---- Maps ------------------------------------------------------------------------------

TEST(CutMaps, PictureMapDividesByTheScaleAndStopsAtTheLastPixel) {
    std::vector<int32_t> map(6);
    // x / 1.5: 0, 0.67, 1.33, 2, 2.67, 3.33 -> 0, 0, 1, 2, 2, 3; the last kept at 2.
    BuildPictureMap(6, 1.5, 3, map.data());
    EXPECT_EQ(map, (std::vector<int32_t>{0, 0, 1, 2, 2, 2}));
    // Enlarging by 0.3 reads columns 0, 3, 6, 10 (9.99.. would truncate to 9 if the map
    // multiplied by 1 / 0.3 instead of dividing: 3 x 3.333.. = 9.999..).
    std::vector<int32_t> reduce(4);
    BuildPictureMap(4, 0.3, 100, reduce.data());
    EXPECT_EQ(reduce[1], 3);
    EXPECT_EQ(reduce[2], 6);
    EXPECT_EQ(reduce[3], 10);
}

TEST(CutMaps, TemplateMapSpansTheBodyFrom66To266) {
    // Cell 45, margin 14: u = 14 is template column 66, u = 59 column 266; u = 13 is
    // -200/45 = -4.44 below, so 61; u = 0 is -62.2 below, so 3; u = 72 is 257.8 on, so 323.
    std::vector<int32_t> map(73);
    BuildTemplateMap(73, 14, 45, map.data());
    EXPECT_EQ(map[14], 66);
    EXPECT_EQ(map[59], 266);
    EXPECT_EQ(map[13], 61);
    EXPECT_EQ(map[0], 3);
    EXPECT_EQ(map[72], 323);
    for (size_t u = 1; u < map.size(); ++u) EXPECT_GE(map[u], map[u - 1]);
}

// A 44-pixel cell: u = 3 lies 11 pixels before the body, 11 x 200 / 44 = 50 exactly, so
// column 16. Floating point made it 15.999999999999993 and truncated that to 15.
TEST(CutMaps, TemplateMapIsExactWhereFloatingPointFallsShort) {
    std::vector<int32_t> map(72);
    BuildTemplateMap(72, 14, 44, map.data());
    EXPECT_EQ(map[3], 16);
    EXPECT_EQ(map[14 + 22], 166);  // half a cell on: 100 + 66
}

TEST(CutMaps, TemplateMapStaysWithinTheTemplateWindow) {
    std::vector<int32_t> map(4);
    BuildTemplateMap(4, 0, 1, map.data());  // 66, 266, then 466 and 666 kept at 331
    EXPECT_EQ(map, (std::vector<int32_t>{66, 266, 331, 331}));
    BuildTemplateMap(4, 3, 1, map.data());  // -534, -334, -134: 0; then 66
    EXPECT_EQ(map, (std::vector<int32_t>{0, 0, 0, 66}));
}

TEST(CutMaps, TheCellStartsAtTheMarginForEveryCellSize) {
    for (int32_t cell = 1; cell <= 400; ++cell) {
        const auto margin = static_cast<int32_t>(cell * 0.33);
        std::vector<int32_t> map(static_cast<size_t>(cell + 2 * margin));
        BuildTemplateMap(cell + 2 * margin, margin, cell, map.data());
        ASSERT_EQ(CellOffsetOf(map.data(), cell + 2 * margin), margin) << cell;
    }
}

// ---- Labels and the template view ------------------------------------------------------

TEST(CutTemplate, LabelsOfTheFourPiecesOfATwoByTwoTemplate) {
    // K = 5: above 5, 6; right 7, 8; below 9, 10; left 11, 12.
    struct Expected {
        int i, j;
        uint32_t own, up, right, down, left;
    };
    const Expected cases[] = {
        {0, 0, 1, 5, 2, 3, 11},
        {0, 1, 2, 6, 7, 4, 1},
        {1, 0, 3, 1, 4, 9, 12},
        {1, 1, 4, 2, 8, 10, 3},
    };
    for (const Expected& e : cases) {
        const TemplateLabels l = LabelsOfTemplatePiece(e.i, e.j, 2, 2);
        EXPECT_EQ(l.own, e.own);
        EXPECT_EQ(l.up, e.up);
        EXPECT_EQ(l.right, e.right);
        EXPECT_EQ(l.down, e.down);
        EXPECT_EQ(l.left, e.left);
    }
    // A 1 x 3 template, piece (0, 1): K = 4; above 5, right 1 + 2 = 3, below 4 + 1 + 3 + 1 = 9.
    const TemplateLabels l = LabelsOfTemplatePiece(0, 1, 1, 3);
    EXPECT_EQ(l.own, 2u);
    EXPECT_EQ(l.up, 5u);
    EXPECT_EQ(l.right, 3u);
    EXPECT_EQ(l.down, 9u);
    EXPECT_EQ(l.left, 1u);
}

TEST(CutTemplate, ViewReadsRowsFromTheTopInEitherStorageOrder) {
    cuttest::TemplateLabelsMap t = cuttest::MakeTemplate(cuttest::kSquareTab);
    t.topDown[0] = 200;                   // top-left
    t.topDown[532u * 531u + 531u] = 201;  // bottom-right
    for (const bool topDown : {false, true}) {
        auto dib = cuttest::TemplateDib(t, topDown);
        ShapeTemplateView view;
        ASSERT_TRUE(view.Attach(dib.get(), 2, 2));
        EXPECT_EQ(view.Width(), 532);
        EXPECT_EQ(view.Height(), 532);
        EXPECT_EQ(view.RowFromTop(0)[0], 200);
        EXPECT_EQ(view.RowFromTop(531)[531], 201);
        EXPECT_EQ(view.RowFromTop(166)[166], 1);
    }
}

TEST(CutTemplate, ViewRefusesWhatIsNotATemplateOfTheGrid) {
    ShapeTemplateView view;
    EXPECT_FALSE(view.Attach(nullptr, 2, 2));
    auto dib = cuttest::TemplateDib(cuttest::MakeTemplate(cuttest::kStraight, 1, 3));  // 732 x 332
    EXPECT_TRUE(view.Attach(dib.get(), 1, 3));
    EXPECT_FALSE(view.Attach(dib.get(), 3, 1));
    EXPECT_FALSE(view.Attach(dib.get(), 2, 3));
    EXPECT_FALSE(view.Attach(dib.get(), 0, 3));
    EXPECT_FALSE(view.Attach(dib.get(), 1, kMaxTemplateGrid + 1));
    EXPECT_EQ(view.Width(), 0) << "a refused view reads nothing";
}

// ---- Screen formats --------------------------------------------------------------------

TEST(ScreenFormat, SixteenBitMasksGiveShiftsAndDivisors) {
    ScreenPixelFormat f;
    ASSERT_TRUE(DescribeScreenFormat(16, kCompressionBitFields, 0xF800, 0x07E0, 0x001F, &f));
    EXPECT_EQ(f.red.shift, 11u);
    EXPECT_EQ(f.red.divisor, 8u);
    EXPECT_EQ(f.green.shift, 5u);
    EXPECT_EQ(f.green.divisor, 4u);
    EXPECT_EQ(f.blue.shift, 0u);
    EXPECT_EQ(f.blue.divisor, 8u);
    EXPECT_EQ(PackPixel16(f, 255, 255, 255), 0xFFFF);
    EXPECT_EQ(PackPixel16(f, 0, 0, 255), 0xF800);
    EXPECT_EQ(PackPixel16(f, 0, 255, 0), 0x07E0);
    // blue 100 / 8 = 12, green 129 / 4 = 32, red 7 / 8 = 0.
    EXPECT_EQ(PackPixel16(f, 100, 129, 7), (32 << 5) + 12);

    // BI_RGB 16 bits is 5-5-5.
    ASSERT_TRUE(DescribeScreenFormat(16, kCompressionRgb, 0, 0, 0, &f));
    EXPECT_EQ(f.redMask, kRed555);
    EXPECT_EQ(f.green.shift, 5u);
    EXPECT_EQ(f.green.divisor, 8u);
    EXPECT_EQ(PackPixel16(f, 0, 0, 255), 0x7C00);
    uint8_t bytes[2];
    StoreScreenPixel(f, bytes, 255, 0, 0);
    EXPECT_EQ(bytes[0], 0x1F);
    EXPECT_EQ(bytes[1], 0x00);
}

TEST(ScreenFormat, TwentyFourAndThirtyTwoBitsAreBlueGreenRed) {
    ScreenPixelFormat f;
    uint8_t bytes[4] = {9, 9, 9, 9};
    ASSERT_TRUE(DescribeScreenFormat(24, kCompressionRgb, 0, 0, 0, &f));
    StoreScreenPixel(f, bytes, 1, 2, 3);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{1, 2, 3, 9}));
    ASSERT_TRUE(DescribeScreenFormat(32, kCompressionBitFields, kRed888, kGreen888, kBlue888, &f));
    StoreScreenPixel(f, bytes, 4, 5, 6);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{4, 5, 6, 0}));
    EXPECT_TRUE(DescribeScreenFormat(32, kCompressionRgb, 0, 0, 0, &f));
    EXPECT_EQ(f.BytesPerPixel(), 4);
}

TEST(ScreenFormat, RefusesFormatsTheDragCannotDrawIn) {
    ScreenPixelFormat f;
    EXPECT_FALSE(DescribeScreenFormat(8, kCompressionRgb, 0, 0, 0, &f));
    EXPECT_FALSE(DescribeScreenFormat(15, kCompressionRgb, 0, 0, 0, &f));
    EXPECT_FALSE(DescribeScreenFormat(24, kCompressionBitFields, kRed888, kGreen888, kBlue888, &f));
    EXPECT_FALSE(DescribeScreenFormat(16, 1, 0xF800, 0x07E0, 0x001F, &f)) << "compressed";
    EXPECT_FALSE(DescribeScreenFormat(16, kCompressionBitFields, 0, 0x07E0, 0x001F, &f)) << "an empty mask";
    EXPECT_FALSE(DescribeScreenFormat(16, kCompressionBitFields, 0xFF80, 0x0070, 0x000F, &f)) << "9 bits of red";
    EXPECT_FALSE(DescribeScreenFormat(16, kCompressionBitFields, 0xF000, 0x0A00, 0x001F, &f)) << "a gap in green";
    EXPECT_FALSE(DescribeScreenFormat(16, kCompressionBitFields, 0xF800, 0x0FE0, 0x001F, &f)) << "overlapping";
    EXPECT_FALSE(DescribeScreenFormat(16, kCompressionBitFields, 0x1F0000, 0x07E0, 0x001F, &f)) << "past 16 bits";
    EXPECT_FALSE(DescribeScreenFormat(32, kCompressionBitFields, kBlue888, kGreen888, kRed888, &f))
        << "red and blue swapped";
}

// ---- The first board -------------------------------------------------------------------

TEST(CutFirstBoard, PictureDigitFirstThenTemplate) {
    struct Case {
        double pictureUnit, templateUnit;
        char digit;
        uint32_t id;
    };
    // 0.5 x 6 + 48 = 51 '3'; 0.5 x -6 = -3 -> 3003. 0.999 -> '5' and 3005.
    const Case cases[] = {{0.0, 0.0, '0', 3000},
                          {0.5, 0.5, '3', 3003},
                          {0.999, 0.999, '5', 3005},
                          {0.17, 0.84, '1', 3005},
                          {0.84, 0.17, '5', 3001}};
    for (const Case& k : cases) {
        cuttest::ScriptedRandom random({k.pictureUnit, k.templateUnit});
        const FirstBoardChoice choice = ChooseFirstBoard("C:\\Game\\", [&random] { return random(); });
        EXPECT_EQ(choice.picturePath, std::string("C:\\Game\\Image\\foto") + k.digit + ".bmp");
        EXPECT_EQ(choice.templateId, k.id);
        EXPECT_EQ(random.Draws(), 2u);
    }
}

}  // namespace
