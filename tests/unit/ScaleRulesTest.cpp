// The scale rules on real picture files: choosing a picture, board creation, the zoom and
// piece-count sliders, the fit and actual-size commands and the two pickers' drags, from an
// ordinary 4:3 photograph to pictures a pixel thin, with expectations worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "engine/ScaleRules.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

constexpr Point kBoardArea{947, 640};  // the board area of a 1024 x 768 screen

// A 1-bit picture: a pixel an eighth of a byte keeps the long thin ones small on disk.
BmpDescription Picture(int32_t width, int32_t height) {
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bitCount = 1;
    d.colorsUsed = 2;
    d.pixel = [](int32_t x, int32_t y) { return static_cast<uint32_t>((x + y) & 1); };
    return d;
}

class ScaleRulesTest : public ::testing::Test {
protected:
    // Opens a width x height picture in the document; the rules see it as the picture in play.
    void Open(int32_t width, int32_t height) {
        const std::string path = folder.Write("picture.bmp", BuildBmp(Picture(width, height)));
        ASSERT_TRUE(doc.picture.Open(path.c_str())) << width << " x " << height;
    }
    void Choose(int32_t width, int32_t height) {
        Open(width, height);
        ASSERT_TRUE(ChoosePictureScale(doc, fields, kBoardArea));
    }

    ScratchFolder folder{"scale_rules"};
    PuzzleDocument doc;
    ScaleFields fields;
};

TEST(ScaleRulesFit, PicturesFitTheirBoxByTheSideThatReachesItFirstAndKeepAPixel) {
    struct Case {
        Point picture, box, fitted;
    };
    const Case cases[] = {
        {{640, 480}, {240, 180}, {240, 180}},
        {{1000, 750}, {240, 180}, {240, 180}},  // 0.24 as a double would make 239.99...
        {{947, 640}, {240, 188}, {240, 162}},   // the board's miniature: 640 x 240 / 947 = 162.2
        {{480, 640}, {240, 180}, {135, 180}},
        {{1, 1}, {240, 180}, {180, 180}},
        {{65536, 1}, {240, 180}, {240, 1}},  // 0.0037 pixels high still shows a row
        {{1, 65536}, {240, 188}, {1, 188}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FittedPictureSize(c.picture, c.box), c.fitted) << c.picture.x << " x " << c.picture.y;
    }
    EXPECT_DOUBLE_EQ(FitFactor({640, 480}, {947, 640}), 640.0 / 480);
    EXPECT_DOUBLE_EQ(FitFactor({1000, 200}, {947, 640}), 947.0 / 1000);
    EXPECT_EQ(FitFactor({0, 480}, {947, 640}), 0.0);
}

// A photograph of 640 x 480 chosen on the 947 x 640 board area of a 1024 x 768 screen.
TEST_F(ScaleRulesTest, AChosenPhotographFitsTheBoardWithTheFinestGrid) {
    Choose(640, 480);
    EXPECT_DOUBLE_EQ(doc.fitScale, 4.0 / 3);  // 480 x 947 / 640 = 710.25 > 640: the height fits
    EXPECT_DOUBLE_EQ(doc.scale, 4.0 / 3);
    EXPECT_DOUBLE_EQ(doc.minScale, 0.28125);  // 135 / 480
    EXPECT_EQ(ZoomPercentage(doc), 44);       // (1.333 - 0.281) x 100 / (2.667 - 0.281) = 44.1
    EXPECT_EQ(doc.cols, 18);                  // 853.3 / 45 = 18.96
    EXPECT_EQ(doc.rows, 14);                  // 640 / 45 = 14.2
    EXPECT_EQ(fields.minCols, 5);
    EXPECT_EQ(fields.minRows, 4);
    EXPECT_EQ(fields.countRange, 23);
    EXPECT_EQ(PieceCountPosition(doc, fields), 23);
    EXPECT_EQ(fields.shownPieceSize, 45);
    EXPECT_DOUBLE_EQ(fields.boardMiniScale, 240.0 / 947);
    EXPECT_EQ(fields.boardMiniWidth, 240);
    EXPECT_EQ(fields.boardMiniHeight, 162);
    EXPECT_EQ(fields.zoomPreviewSize, (Point{162, 121}));  // 640 and 480 x 240 / 947
    EXPECT_EQ(fields.countPreviewSize, (Point{240, 180}));
    EXPECT_EQ(fields.countOffsetX, 0);
    EXPECT_EQ(fields.countOffsetY, 4);
}

struct ChoiceCase {
    int32_t width, height;
    double scale;
    int32_t cols, rows, minCols, minRows, zoom;
};

TEST_F(ScaleRulesTest, ChoosingPicturesOfEveryShape) {
    const ChoiceCase cases[] = {
        {1024, 768, 640.0 / 768, 18, 14, 5, 4, 44},
        // Fits at 0.4735, below minScale 0.9, but twice the fit exceeds it: a zoom range whose
        // fit lies below its start reads 0 %.
        {2000, 150, 947.0 / 2000, 21, 2, 6, 2, 0},
        // Twice the fit (0.3788) stays below minScale (1.35): one scale, minScale, 0 %.
        {5000, 100, 1.35, 150, 3, 45, 2, 0},
        {100, 5000, 1.35, 3, 150, 2, 45, 0},
        // Exactly on the edge: fit 0.5, minScale 1.0, a range of width 0.
        {1894, 135, 1.0, 42, 3, 12, 2, 0},
        {1, 1, 640.0, 14, 14, 4, 4, 44},  // (640 - 135) x 100 / (1280 - 135) = 44.1
        {65536, 1, 135.0, 196608, 3, 58982, 2, 0},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        Choose(c.width, c.height);
        EXPECT_DOUBLE_EQ(doc.scale, c.scale);
        EXPECT_EQ(doc.cols, c.cols);
        EXPECT_EQ(doc.rows, c.rows);
        EXPECT_EQ(fields.minCols, c.minCols);
        EXPECT_EQ(fields.minRows, c.minRows);
        EXPECT_EQ(fields.countRange, c.cols - c.minCols + c.rows - c.minRows);
        EXPECT_EQ(ZoomPercentage(doc), c.zoom);
        EXPECT_GE(fields.zoomPreviewSize.x, 1);
        EXPECT_GE(fields.zoomPreviewSize.y, 1);
        EXPECT_GE(fields.countPreviewSize.x, 1);
        EXPECT_GE(fields.countPreviewSize.y, 1);
        EXPECT_LE(fields.countPreviewSize.x, kPickerArea.x);
        EXPECT_LE(fields.countPreviewSize.y, kPickerArea.y);
    }
}

TEST_F(ScaleRulesTest, APictureWithoutZoomRangeKeepsItsOneScale) {
    Choose(5000, 100);
    ASSERT_FALSE(HasZoomRange(doc));
    for (int32_t percent : {0, 50, 100}) {
        ASSERT_TRUE(SetZoomPercentage(doc, fields, percent));
        EXPECT_DOUBLE_EQ(doc.scale, 1.35) << percent;
        EXPECT_EQ(ZoomPercentage(doc), 0) << percent;
    }
    ASSERT_TRUE(ActualPictureSize(doc, fields));
    EXPECT_DOUBLE_EQ(doc.scale, 1.35) << "not twice the fit, 0.38, which is too thin to cut";
    ASSERT_TRUE(FitPictureScale(doc, fields));
    EXPECT_DOUBLE_EQ(doc.scale, 1.35);
    BeginZoomDrag(doc, fields);
    EXPECT_FALSE(DragZoom(doc, fields, {500, 500}, {240, 162}));
    EXPECT_FALSE(DragZoom(doc, fields, {-500, -500}, {240, 162}));
    EXPECT_DOUBLE_EQ(doc.scale, 1.35);
}

TEST_F(ScaleRulesTest, TheZoomRunsFromMinScaleToTwiceTheFitAndReadsBackWhatWasSet) {
    for (const Point picture : {Point{640, 480}, Point{1024, 768}, Point{2000, 150}, Point{1, 1}, Point{333, 1000}}) {
        SCOPED_TRACE(std::to_string(picture.x) + " x " + std::to_string(picture.y));
        Choose(picture.x, picture.y);
        ASSERT_TRUE(SetZoomPercentage(doc, fields, 0));
        EXPECT_DOUBLE_EQ(doc.scale, doc.minScale);
        ASSERT_TRUE(SetZoomPercentage(doc, fields, 100));
        EXPECT_DOUBLE_EQ(doc.scale, 2 * doc.fitScale);
        ASSERT_TRUE(SetZoomPercentage(doc, fields, 250));
        EXPECT_DOUBLE_EQ(doc.scale, 2 * doc.fitScale) << "beyond 100 % is 100 %";
        ASSERT_TRUE(SetZoomPercentage(doc, fields, -20));
        EXPECT_DOUBLE_EQ(doc.scale, doc.minScale);
        for (int32_t percent = 0; percent <= 100; ++percent) {
            SetZoomPercentage(doc, fields, percent);
            ASSERT_EQ(ZoomPercentage(doc), percent);
            ASSERT_EQ(fields.shownPieceSize, 45);
            ASSERT_EQ(PieceCountPosition(doc, fields), fields.countRange) << "a new scale takes the finest grid";
        }
    }
    Choose(640, 480);
    SetZoomPercentage(doc, fields, 50);
    EXPECT_NEAR(doc.scale, 0.28125 + (8.0 / 3 - 0.28125) / 2, 1e-12);
}

TEST_F(ScaleRulesTest, ActualSizeIsOneUnlessTheZoomRangeSaysOtherwise) {
    struct Case {
        int32_t width, height;
        double scale;
    };
    const Case cases[] = {
        {640, 480, 1.0},
        {133, 100, 1.35},                // a smaller side of 100: minScale
        {4000, 3000, 2 * 640.0 / 3000},  // twice the fit, 0.43, is the largest
    };
    for (const Case& c : cases) {
        Choose(c.width, c.height);
        SetZoomPercentage(doc, fields, 0);
        ASSERT_TRUE(ActualPictureSize(doc, fields));
        EXPECT_DOUBLE_EQ(doc.scale, c.scale) << c.width << " x " << c.height;
        ASSERT_TRUE(FitPictureScale(doc, fields));
        EXPECT_DOUBLE_EQ(doc.scale, doc.fitScale);
    }
}

TEST_F(ScaleRulesTest, TheCountSliderStepsFromTheCoarsestToTheFinestGrid) {
    Choose(640, 480);
    struct Step {
        int32_t position, cols, rows, shownSize;
    };
    const Step steps[] = {
        {0, 5, 4, 165},    // (853.3 / 5 + 640 / 4) / 2 = 165.3
        {10, 10, 8, 82},   // 5 + 10 x 13 / 23 = 10.65, 4 + 10 x 10 / 23 = 8.35; (85.3 + 80) / 2
        {23, 18, 14, 46},  // (47.4 + 45.7) / 2 = 46.6
        {-4, 5, 4, 165},   // outside the slider: its ends
        {99, 18, 14, 46},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(SetPieceCountPosition(doc, fields, s.position));
        EXPECT_EQ(doc.cols, s.cols) << s.position;
        EXPECT_EQ(doc.rows, s.rows) << s.position;
        EXPECT_EQ(fields.shownPieceSize, s.shownSize) << s.position;
    }
    SetPieceCountPosition(doc, fields, 10);
    EXPECT_EQ(PieceCountPosition(doc, fields), 9) << "rows and cols each step a fraction: 10 + 8 - 9";
    EXPECT_EQ(PieceCountRange(doc, fields), 23);
}

// Whatever the picture, the slider's ends are the coarsest and the finest grid, and the grid
// grows with the position.
TEST_F(ScaleRulesTest, TheCountSliderReachesBothEndsOnEveryPicture) {
    for (int32_t width = 1; width <= 4000; width += 137) {
        for (int32_t height : {1, 40, 100, 135, 480, 2286, 3000}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            Choose(width, height);
            const int32_t finestCols = doc.cols, finestRows = doc.rows;
            const int32_t range = PieceCountRange(doc, fields);
            ASSERT_GE(range, 0);
            int32_t lastCount = 0;
            for (int32_t k = 0; k <= range; ++k) {
                SetPieceCountPosition(doc, fields, k);
                ASSERT_GE(doc.cols, fields.minCols);
                ASSERT_GE(doc.rows, fields.minRows);
                ASSERT_GE(doc.cols + doc.rows, lastCount);
                lastCount = doc.cols + doc.rows;
            }
            EXPECT_EQ(doc.cols, finestCols);
            EXPECT_EQ(doc.rows, finestRows);
            SetPieceCountPosition(doc, fields, 0);
            EXPECT_EQ(doc.cols, fields.minCols);
            EXPECT_EQ(doc.rows, fields.minRows);
        }
    }
}

TEST_F(ScaleRulesTest, DraggingTheZoomPickerAlongItsDiagonal) {
    Choose(640, 480);
    const Point picker{240, 162};
    BeginZoomDrag(doc, fields);
    EXPECT_FALSE(DragZoom(doc, fields, {0, 0}, picker)) << "no move, no change";
    // 10 pixels right: 10 x 240 / (289.55 x 200) = 0.04144 more.
    ASSERT_TRUE(DragZoom(doc, fields, {10, 0}, picker));
    EXPECT_NEAR(doc.scale, 4.0 / 3 + 0.0414434, 1e-6);
    // Measured from the press, not from the last move.
    ASSERT_TRUE(DragZoom(doc, fields, {0, -10}, picker));
    EXPECT_NEAR(doc.scale, 4.0 / 3 - 0.0279743, 1e-6);  // 10 x 162 / (289.55 x 200)
    ASSERT_TRUE(DragZoom(doc, fields, {2000, 2000}, picker));
    EXPECT_DOUBLE_EQ(doc.scale, 8.0 / 3);
    ASSERT_TRUE(DragZoom(doc, fields, {-2000, -2000}, picker));
    EXPECT_DOUBLE_EQ(doc.scale, 0.28125);
    EXPECT_EQ(doc.cols, 4);  // 180 x 135 at minScale
    EXPECT_EQ(doc.rows, 3);
    EXPECT_FALSE(DragZoom(doc, fields, {-3000, 0}, picker)) << "already at the smallest";
    EXPECT_FALSE(DragZoom(doc, fields, {10, 10}, {0, 0})) << "a picker without area";
}

TEST_F(ScaleRulesTest, DraggingTheCountPickerSizesPiecesFrom45To150Pixels) {
    Choose(640, 480);
    const Point preview = fields.countPreviewSize;  // 240 x 180, diagonal 300
    BeginPieceSizeDrag(fields);
    EXPECT_FALSE(DragPieceSize(doc, fields, {-1000, -1000}, preview)) << "45 pixels: the grid it already has";
    ASSERT_TRUE(DragPieceSize(doc, fields, {0, 30}, preview));  // 30 x 240 x 0.5 / 300 = 12 more
    EXPECT_EQ(fields.shownPieceSize, 57);
    EXPECT_EQ(doc.cols, 14);  // 853.3 / 57
    EXPECT_EQ(doc.rows, 11);  // 640 / 57
    EXPECT_FALSE(DragPieceSize(doc, fields, {1, 30}, preview)) << "57.3 pixels, the same grid";
    ASSERT_TRUE(DragPieceSize(doc, fields, {1000, 1000}, preview));
    EXPECT_EQ(fields.shownPieceSize, 150);
    EXPECT_EQ(doc.cols, 5);
    EXPECT_EQ(doc.rows, 4);
    EXPECT_EQ(PieceCountPosition(doc, fields), 0);
    ASSERT_TRUE(DragPieceSize(doc, fields, {-1000, -1000}, preview));
    EXPECT_EQ(fields.shownPieceSize, 45);
    EXPECT_EQ(PieceCountPosition(doc, fields), fields.countRange);
}

TEST_F(ScaleRulesTest, BoardCreationFitsThePictureInsideAMargin) {
    struct Case {
        int32_t width, height;
        double scale;
        int32_t cols, rows;
    };
    // The board area less 15 pixels on each side: 917 x 610.
    const Case cases[] = {
        {640, 480, 610.0 / 480, 18, 13},   // limited by the height: 813.3 x 610
        {1000, 200, 917.0 / 1000, 20, 4},  // limited by the width: 917 x 183.4
        // Fitted it would be 6.1 pixels wide, too thin to cut: the one scale, 135 wide.
        {10, 1000, 13.5, 3, 300},
    };
    for (const Case& c : cases) {
        Open(c.width, c.height);
        ASSERT_TRUE(PrepareBoardCreation(doc, fields, kBoardArea, 2, 2, 3004));
        EXPECT_DOUBLE_EQ(doc.scale, c.scale) << c.width << " x " << c.height;
        EXPECT_EQ(doc.cols, c.cols) << c.width << " x " << c.height;
        EXPECT_EQ(doc.rows, c.rows) << c.width << " x " << c.height;
        EXPECT_EQ(fields.shownPieceSize, 45);
        EXPECT_EQ(doc.templateId, 3004u);
        EXPECT_EQ(doc.templateRows, 2u);
        EXPECT_EQ(doc.templateCols, 2u);
    }
    Open(640, 480);
    PrepareBoardCreation(doc, fields, kBoardArea, 2, 2, 3000);
    EXPECT_DOUBLE_EQ(doc.fitScale, 610.0 / 480) << "the fit inside the margin is the zoom's fit";
    EXPECT_DOUBLE_EQ(doc.minScale, 0.28125);
}

TEST_F(ScaleRulesTest, WithoutAPictureGettersAnswerOneAndSettersChangeNothing) {
    doc.rows = 7;
    doc.cols = 9;
    doc.scale = 0.5;
    EXPECT_FALSE(ChoosePictureScale(doc, fields, kBoardArea));
    EXPECT_FALSE(PrepareBoardCreation(doc, fields, kBoardArea, 2, 2, 3001));
    EXPECT_EQ(doc.templateId, 3001u) << "the template values are recorded all the same";
    EXPECT_FALSE(FitPictureScale(doc, fields));
    EXPECT_FALSE(ActualPictureSize(doc, fields));
    EXPECT_FALSE(SetZoomPercentage(doc, fields, 30));
    EXPECT_FALSE(SetPieceCountPosition(doc, fields, 3));
    BeginZoomDrag(doc, fields);
    EXPECT_FALSE(DragZoom(doc, fields, {50, 50}, {240, 162}));
    BeginPieceSizeDrag(fields);
    EXPECT_FALSE(DragPieceSize(doc, fields, {50, 50}, {240, 180}));
    EXPECT_EQ(ZoomPercentage(doc), 1);
    EXPECT_EQ(PieceCountPosition(doc, fields), 1);
    EXPECT_EQ(PieceCountRange(doc, fields), 1);
    EXPECT_EQ(doc.rows, 7);
    EXPECT_EQ(doc.cols, 9);
    EXPECT_EQ(doc.scale, 0.5);
}

}  // namespace
