// The cut as the game calls it: dealing (the draws in their order, the stacks, the play
// status), cutting for a loaded file, the size limits, pictures of every depth and
// orientation, the callbacks, Cut-and-show, the failures that leave the puzzle in play
// untouched and the allocation failures that end the game.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/AtlasBuilder.h"
#include "engine/Cut.h"
#include "engine/CutGeometry.h"
#include "tests/unit/CutTestSupport.h"

namespace {

using cuttest::CutBench;
using cuttest::ScriptedRandom;

// A bench serving the round-knob template as 3000, with a 24-bit 120 x 100 picture at scale
// 1.0 cut 2 x 2: cells 60 x 50, margins 19 and 16, pieces 98 x 82.
void OpenSmallPuzzle(CutBench& bench, uint16_t bitCount = 24) {
    bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(120, 100, bitCount), 1.0, 2, 2));
}

// Everything of the puzzle in play that a failed cut must leave alone.
struct Snapshot {
    explicit Snapshot(const PuzzleDocument& d)
        : atlas(d.atlas.begin(), d.atlas.end()),
          pieces(reinterpret_cast<const uint8_t*>(d.pieces.data()),
                 reinterpret_cast<const uint8_t*>(d.pieces.data() + d.pieces.size())),
          order(d.order),
          geometry{d.cellWidth,  d.cellHeight,  d.marginX,    d.marginY,
                   d.pieceWidth, d.pieceHeight, d.atlasWidth, d.atlasHeightMinusOne},
          status{d.dirty, d.solved, d.ClockArmed},
          elapsed(d.ElapsedSeconds),
          hints(d.hintsUsed),
          pictureOpen(d.picture.IsOpen()) {
        for (const Surface& s : d.surfaces) stacks.emplace_back(s.count, s.stackStart);
    }
    bool operator==(const Snapshot& o) const {
        return atlas == o.atlas && pieces == o.pieces && order == o.order && geometry == o.geometry &&
               status == o.status && elapsed == o.elapsed && hints == o.hints && pictureOpen == o.pictureOpen &&
               stacks == o.stacks;
    }
    std::vector<uint8_t> atlas, pieces;
    std::vector<uint32_t> order;
    std::vector<int32_t> geometry;
    std::vector<uint8_t> status;
    uint32_t elapsed, hints;
    bool pictureOpen;
    std::vector<std::pair<int32_t, int32_t>> stacks;
};

// ---- Dealing ---------------------------------------------------------------------------

TEST(CutDeal, PlacesEveryPieceFromItsTwoDrawsThenShufflesWithTwoDrawsASwap) {
    CutBench bench;
    OpenSmallPuzzle(bench);
    // Leftovers of an earlier game that a new one resets.
    bench.doc.hintsUsed = 3;
    bench.doc.ElapsedSeconds = 99;
    bench.doc.solved = 1;
    // Per piece: y, x. Then per swap: a, b.
    ScriptedRandom random({0.5, 0.25, 0.0, 0.999, 0.1, 0.1, 0.9, 0.5,  // pieces 0..3
                           0.0, 0.75, 0.5, 0.5, 0.3, 0.6, 0.99, 0.26});
    bench.env.randomUnit = [&random] { return random(); };
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    const PuzzleDocument& d = bench.doc;
    ASSERT_EQ(d.pieceWidth, 98);
    ASSERT_EQ(d.pieceHeight, 82);
    EXPECT_EQ(random.Draws(), 16u) << "two draws a piece, two a swap";

    // Room: 947 - 98 = 849 across, 640 - 82 = 558 down; y = (unit + 1) x 558 x 0.5.
    const int32_t expectedX[4] = {212, 848, 84, 424};   // 0.25, 0.999, 0.1, 0.5 of 849
    const int32_t expectedY[4] = {418, 279, 306, 530};  // 418.5, 279, 306.9, 530.1
    for (size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(d.pieces[n].x, expectedX[n]) << n;
        EXPECT_EQ(d.pieces[n].y, expectedY[n]) << n;
        EXPECT_EQ(d.pieces[n].group, 0u);
        EXPECT_EQ(d.pieces[n].notSelected, 1);
    }
    // Swaps (0, 3), (2, 2) skipped, (1, 2), (3, 1): 0 1 2 3 -> 3 1 2 0 -> 3 2 1 0 -> 3 0 1 2.
    EXPECT_EQ(d.order, (OrderBuffer{3, 0, 1, 2}));
    for (int s = 0; s < kBoxCount; ++s) {
        EXPECT_EQ(d.surfaces[s].count, 0);
        EXPECT_EQ(d.surfaces[s].stackStart, 0) << "every stack starts at the buffer's start";
    }
    EXPECT_EQ(d.surfaces[kBoardSurface].count, 4);
    EXPECT_EQ(d.surfaces[kBoardSurface].stackStart, 0);
    EXPECT_TRUE(d.StacksAreConsistent());
    EXPECT_EQ(d.dirty, 1);
    EXPECT_EQ(d.solved, 0);
    EXPECT_EQ(d.ClockArmed, 1);
    EXPECT_EQ(d.ElapsedSeconds, 0u);
    EXPECT_EQ(d.hintsUsed, 0u);
    EXPECT_EQ(bench.calls, "wait;clock-zero;stop-clock;magnifier;arrow;");
}

TEST(CutDeal, PiecesLieOnTheBoardsLowerHalfAndLayoutsFollowTheRandomNumbers) {
    std::vector<OrderBuffer> orders;
    std::vector<std::vector<int32_t>> places;
    for (const double start : {0.13, 0.13, 0.71}) {
        CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kSquareTab));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(300, 200, 8), 1.0, 4, 6));
        double state = start;  // a simple deterministic sequence, different per start
        bench.env.randomUnit = [&state] {
            state = state * 9.7 + 0.31;
            state -= static_cast<int64_t>(state);
            return state;
        };
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
        std::vector<int32_t> xy;
        for (const Piece& p : bench.doc.pieces) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, 947 - bench.doc.pieceWidth);
            EXPECT_GE(p.y, (640 - bench.doc.pieceHeight) / 2);
            EXPECT_LT(p.y, 640 - bench.doc.pieceHeight);
            xy.push_back(p.x);
            xy.push_back(p.y);
        }
        EXPECT_TRUE(bench.doc.StacksAreConsistent());
        orders.push_back(bench.doc.order);
        places.push_back(xy);
    }
    EXPECT_EQ(places[0], places[1]);
    EXPECT_EQ(orders[0], orders[1]);
    EXPECT_NE(places[0], places[2]);
    EXPECT_NE(orders[0], orders[2]);
}

TEST(CutDeal, ABoardSmallerThanAPieceGivesNegativePlaces) {
    CutBench bench;
    OpenSmallPuzzle(bench);
    bench.env.boardWidth = 50;   // 48 short of the 98-pixel piece
    bench.env.boardHeight = 42;  // 40 short of 82
    bench.env.randomUnit = [] { return 0.5; };
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    EXPECT_EQ(bench.doc.pieces[0].x, -24);  // 0.5 x -48
    EXPECT_EQ(bench.doc.pieces[0].y, -30);  // 1.5 x -40 x 0.5
}

// ---- Cutting for a loaded file ---------------------------------------------------------

TEST(CutForLoading, LeavesStacksCountsAndStatusToTheLoaderAndGivesFreshPieces) {
    CutBench bench;
    OpenSmallPuzzle(bench);
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    ASSERT_TRUE(bench.Move(kBoardSurface, 2, 1));
    bench.doc.dirty = 0;
    bench.doc.hintsUsed = 2;
    bench.doc.pieces[1].x = 777;
    std::vector<std::pair<int32_t, int32_t>> stacks;
    for (const Surface& s : bench.doc.surfaces) stacks.emplace_back(s.count, s.stackStart);
    bench.calls.clear();

    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));
    std::vector<std::pair<int32_t, int32_t>> after;
    for (const Surface& s : bench.doc.surfaces) after.emplace_back(s.count, s.stackStart);
    EXPECT_EQ(after, stacks);
    EXPECT_EQ(bench.doc.dirty, 0);
    EXPECT_EQ(bench.doc.hintsUsed, 2u);
    ASSERT_EQ(bench.doc.pieces.size(), 4u);
    for (const Piece& p : bench.doc.pieces) {
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.group, 0u);
    }
    EXPECT_EQ(bench.calls, "wait;stop-clock;magnifier;arrow;") << "no clock reset without dealing";
}

TEST(CutForLoading, TwoCutsOfOneFileGiveIdenticalAtlases) {
    CutBench bench;
    OpenSmallPuzzle(bench);
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));
    const PieceAtlas first = bench.doc.atlas;
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));
    EXPECT_EQ(bench.doc.atlas, first);

    // A template stored top-down gives the same pieces as one stored bottom-up.
    CutBench other;
    other.topDownTemplates = true;
    OpenSmallPuzzle(other);
    ASSERT_TRUE(other.Take(Cut(other.doc, other.env, 2, 2, 3000, false)));
    EXPECT_EQ(other.doc.atlas, first);
}

// ---- Sizes -----------------------------------------------------------------------------

TEST(CutSizes, AScaledPictureOf45x45CutsAnd44x45Fails) {
    struct Case {
        int32_t width, height;
        double scale;
        bool cuts;
    };
    const Case cases[] = {
        {45, 45, 1.0, true},  {44, 45, 1.0, false},   {45, 44, 1.0, false},
        {90, 90, 0.5, true},  {90, 90, 0.499, false},  // 44.91 x 44.91
        {89, 90, 0.5, false},                          // 44.5 x 45
    };
    for (const Case& k : cases) {
        CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(k.width, k.height, 8), k.scale, 2, 2));
        EXPECT_EQ(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)), k.cuts)
            << k.width << " x " << k.height << " at " << k.scale;
        EXPECT_EQ(bench.doc.atlas.empty(), !k.cuts);
        if (k.cuts) {
            EXPECT_EQ(bench.doc.cellWidth, 22);
            const cuttest::SolvedPicture laid = cuttest::LaySolved(bench.doc, 45, 45, k.width, k.height, 8);
            EXPECT_TRUE(laid.Clean()) << laid.first;
        } else {
            EXPECT_EQ(bench.calls, "wait;arrow;") << "a refused size changes nothing but the cursor";
        }
    }
}

// ---- Pictures of every depth and orientation -------------------------------------------

TEST(CutPictures, FourBitAndThirtyTwoBitPicturesCutInTheirOwnColours) {
    for (const uint16_t bitCount : {4, 32, 1}) {
        CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kMushroom));
        BmpDescription d = cuttest::PictureOf(150, 130, bitCount);
        if (bitCount == 1) d.colorsUsed = 2;  // the reader wants it for 1-bit pictures
        ASSERT_TRUE(bench.Open(d, 1.2, 3, 4));
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false))) << bitCount;
        const cuttest::SolvedPicture laid = cuttest::LaySolved(bench.doc, 180, 156, 150, 130, bitCount);
        EXPECT_TRUE(laid.Clean()) << bitCount << " bits: " << laid.first;
    }
}

TEST(CutPictures, APictureStoredTopDownCutsTheRightWayUp) {
    PieceAtlas atlases[2];
    for (int topDown = 0; topDown < 2; ++topDown) {
        CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kWavyEdge));
        BmpDescription d = cuttest::PictureOf(140, 110, 24);
        if (topDown) d.height = -d.height;
        ASSERT_TRUE(bench.Open(d, 1.0, 2, 3));
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, false)));
        atlases[topDown] = bench.doc.atlas;
    }
    EXPECT_EQ(atlases[0], atlases[1]);
}

// ---- Cut-and-show ----------------------------------------------------------------------

TEST(CutAndShow, CutsTwoByTwoWithDealingAndRepaintsWhateverTheResult) {
    CutBench bench;
    bench.AddTemplate(3004, cuttest::MakeTemplate(cuttest::kDeepReach));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(120, 100, 8), 1.0, 2, 2));
    bench.doc.templateRows = 7;
    EXPECT_TRUE(bench.Take(CutAndShow(bench.doc, bench.env, 3004)));
    EXPECT_EQ(bench.doc.templateRows, 2u);
    EXPECT_EQ(bench.doc.templateCols, 2u);
    EXPECT_EQ(bench.doc.templateId, 3004u);
    EXPECT_EQ(bench.loads, (std::vector<uint32_t>{3004}));
    EXPECT_EQ(bench.doc.surfaces[kBoardSurface].count, 4);
    EXPECT_EQ(bench.calls, "wait;repaint;clock-zero;stop-clock;magnifier;arrow;");

    bench.calls.clear();
    bench.doc.picture.Close();
    EXPECT_FALSE(bench.Take(CutAndShow(bench.doc, bench.env, 3001)));
    EXPECT_EQ(bench.calls, "wait;repaint;arrow;");
}

// ---- Failures that leave the puzzle in play ------------------------------------------------

class CutRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        OpenSmallPuzzle(bench);
        bench.env.randomUnit = [] { return 0.42; };
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
        ASSERT_TRUE(bench.Move(kBoardSurface, 4, 1));
        bench.doc.dirty = 0;
        bench.calls.clear();
    }
    // Cuts with `id` and expects a failure that changed nothing but the template values.
    void ExpectRefusedUnchanged(int32_t R, int32_t C, uint32_t id) {
        bench.calls.clear();
        const Snapshot before(bench.doc);
        EXPECT_FALSE(bench.Take(Cut(bench.doc, bench.env, R, C, id, true)));
        EXPECT_TRUE(Snapshot(bench.doc) == before) << "the puzzle in play changed";
        EXPECT_EQ(bench.doc.templateId, id);
        EXPECT_EQ(bench.calls, "wait;arrow;") << "no clearing, no redraw, no clock; the wait is over";
    }
    CutBench bench;
};

TEST_F(CutRefusal, NoPictureRecordsOnlyTheTemplateId) {
    bench.doc.picture.Close();
    ExpectRefusedUnchanged(3, 3, 3002);
    EXPECT_EQ(bench.doc.templateRows, 2u) << "rows and columns wait for an open picture";
}

TEST_F(CutRefusal, MissingTemplate) {
    ExpectRefusedUnchanged(2, 2, 3005);
    EXPECT_EQ(bench.loads.back(), 3005u);
}

TEST_F(CutRefusal, TemplatesOfTheWrongSizeDepthOrGrid) {
    cuttest::TemplateLabelsMap narrow = cuttest::MakeTemplate(cuttest::kRoundKnob);
    narrow.width = 531;  // rows of 531 labels read from the 532-wide map: only the size matters
    narrow.topDown.resize(531u * 532u);
    bench.AddTemplate(3001, narrow);
    cuttest::TemplateLabelsMap low = cuttest::MakeTemplate(cuttest::kRoundKnob);
    low.height = 531;
    low.topDown.resize(532u * 531u);
    bench.AddTemplate(3002, low);
    ExpectRefusedUnchanged(2, 2, 3001);
    ExpectRefusedUnchanged(2, 2, 3002);
    // A 2 x 2 template is not a 3 x 2 one, and a grid of no template pieces is none.
    ExpectRefusedUnchanged(3, 2, 3000);
    ExpectRefusedUnchanged(0, 2, 3000);
    ExpectRefusedUnchanged(2, -1, 3000);
    EXPECT_EQ(bench.doc.templateCols, static_cast<uint32_t>(-1)) << "recorded as asked, as the picture is open";
}

TEST_F(CutRefusal, TemplateThatIsNotAnUncompressed8BitMap) {
    bench.env.loadTemplate = [](uint32_t id) {
        auto dib = cuttest::TemplateDib(cuttest::MakeTemplate(cuttest::kRoundKnob));
        if (id == 3001) dib->header.biBitCount = 4;
        if (id == 3002) dib->header.biCompression = 1;
        if (id == 3003) dib->header.biSizeImage -= 1;  // a block one byte short of the rows
        return dib;
    };
    ExpectRefusedUnchanged(2, 2, 3001);
    ExpectRefusedUnchanged(2, 2, 3002);
    ExpectRefusedUnchanged(2, 2, 3003);
}

TEST_F(CutRefusal, AGridFinerThanThePicture) {
    bench.doc.cols = 121;  // cells under one pixel wide
    ExpectRefusedUnchanged(2, 2, 3000);
    bench.doc.cols = 2;
    bench.doc.rows = 0;
    ExpectRefusedUnchanged(2, 2, 3000);
}

TEST_F(CutRefusal, AScreenTheDragCannotDrawIn) {
    int installed = 0;
    std::vector<std::pair<int32_t, int32_t>> asked;
    bench.env.prepareDragImages = [&](int32_t w, int32_t h) -> DragImagesInstaller {
        asked.emplace_back(w, h);
        return {};
    };
    ExpectRefusedUnchanged(2, 2, 3000);
    EXPECT_EQ(asked, (std::vector<std::pair<int32_t, int32_t>>{{98, 82}}));

    bench.env.prepareDragImages = [&](int32_t, int32_t) -> DragImagesInstaller { return [&] { ++installed; }; };
    bench.calls.clear();
    EXPECT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    EXPECT_EQ(installed, 1) << "drag images are installed with a successful cut";
}

TEST_F(CutRefusal, APictureThatCanNoLongerBeRead) {
    char path[300];
    ASSERT_GT(bench.doc.picture.GetName(path, sizeof path), 0u);
    // The file is cut short behind the open reader's back.
    BinaryFile shorter;
    ASSERT_TRUE(shorter.CreateWrite(path));
    const std::vector<uint8_t> head = BuildBmp(cuttest::PictureOf(120, 100, 24));
    ASSERT_TRUE(shorter.WriteAll(head.data(), 2000));
    shorter.Close();
    ExpectRefusedUnchanged(2, 2, 3000);
}

// ---- Allocation failures end the game ------------------------------------------------------

// The order of the buffers and their sizes for the small puzzle: header and palette, the
// maps (120 and 100 board columns and rows, 98 and 82 piece columns and rows), the picture
// (rows of 360 bytes), the atlas (196 x 164 pixels), 4 pieces of 16 bytes, the order and
// three painter arrays, then the builder's rows.
TEST(CutAllocation, BuffersComeInTheirOrderAndSizes) {
    CutBench bench;
    OpenSmallPuzzle(bench);
    std::vector<std::pair<CutBuffer, uint64_t>> asked;
    bench.env.allocationGate = [&](CutBuffer b, uint64_t bytes) {
        asked.emplace_back(b, bytes);
        return true;
    };
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    const std::vector<std::pair<CutBuffer, uint64_t>> expected = {
        {CutBuffer::PictureHeader, 1064}, {CutBuffer::PictureColumnMap, 480},
        {CutBuffer::PictureRowMap, 400},  {CutBuffer::TemplateColumnMap, 392},
        {CutBuffer::TemplateRowMap, 328}, {CutBuffer::PictureRows, 36000},
        {CutBuffer::Atlas, 128576},       {CutBuffer::Pieces, 64},
        {CutBuffer::Order, 16},           {CutBuffer::PainterScratch, 16},
        {CutBuffer::PainterScratch, 16},  {CutBuffer::PainterScratch, 16},
    };
    ASSERT_EQ(asked.size(), expected.size() + 2);
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(asked[k].first, expected[k].first) << k;
        EXPECT_EQ(asked[k].second, expected[k].second) << k;
    }
    EXPECT_EQ(asked[expected.size()].first, CutBuffer::BuilderRows);
    EXPECT_GT(asked[expected.size()].second, 0u);
    EXPECT_EQ(asked.back().first, CutBuffer::PieceShapes);
    EXPECT_EQ(asked.back().second, 16u) << "a shape number for each of the 4 pieces";
}

TEST(CutAllocation, AnyFailedAllocationClearsTheGameWithRedraw) {
    for (int failing = 0; failing < 14; ++failing) {
        CutBench bench;
        OpenSmallPuzzle(bench);
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
        ASSERT_TRUE(bench.Move(kBoardSurface, 3, 1));  // box 4 holds a piece
        bench.calls.clear();
        int count = 0;
        bench.env.allocationGate = [&](CutBuffer, uint64_t) { return count++ != failing; };
        EXPECT_FALSE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true))) << failing;
        const PuzzleDocument& d = bench.doc;
        EXPECT_TRUE(d.atlas.empty() && d.pieces.empty() && d.order.empty()) << failing;
        for (const auto& scratch : d.paintScratch) EXPECT_TRUE(scratch.empty());
        EXPECT_TRUE(d.shapes.shapeOfPiece.empty() && d.cutWork.pictureRows.empty()) << "nothing is kept";
        for (const Surface& s : d.surfaces) EXPECT_EQ(s.count, 0);
        EXPECT_FALSE(d.picture.IsOpen()) << "clearing the game closes the picture";
        EXPECT_EQ(bench.calls, "wait;notify3=1;notify6=1;repaint;clock-zero;stop-clock;magnifier;arrow;") << failing;
    }
}

// ---- Memory kept from one game to the next -------------------------------------------------

// A new game of the same size is built in the memory of the last one; a game that would leave
// most of it idle keeps the large blocks (their idle tails go back to the system) but gets heap
// arrays of its own size; clearing the game gives everything back.
TEST(CutMemory, IsKeptForAGameOfASimilarSizeAndOnlyTheLargeBlocksForAMuchSmallerOne) {
    CutBench bench;
    bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(240, 200, 24), 1.0, 4, 4));
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    const PuzzleDocument& d = bench.doc;
    const uint8_t* atlas = d.atlas.data();
    const uint8_t* rows = d.cutWork.pictureRows.data();
    const Piece* pieces = d.pieces.data();

    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    EXPECT_EQ(d.atlas.data(), atlas) << "the same size: the same atlas";
    EXPECT_EQ(d.cutWork.pictureRows.data(), rows);
    EXPECT_EQ(d.pieces.data(), pieces);

    // A picture of a quarter the area at a quarter of the pieces: the old arrays would stand
    // three quarters idle.
    const size_t atlasBytes = d.atlas.size();
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(120, 100, 24), 1.0, 2, 2));
    ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true)));
    EXPECT_EQ(d.atlas.data(), atlas) << "the large block is kept";
    EXPECT_EQ(d.atlas.capacity(), atlasBytes);
    EXPECT_EQ(d.cutWork.pictureRows.data(), rows);
    EXPECT_EQ(d.pieces.capacity(), d.pieces.size()) << "heap memory of its own size";
    const cuttest::SolvedPicture laid = cuttest::LaySolved(d, 120, 100, 120, 100, 24);
    EXPECT_TRUE(laid.Clean()) << laid.first;

    bench.doc.ClearGame(false);
    EXPECT_EQ(d.atlas.capacity(), 0u);
    EXPECT_EQ(d.cutWork.pictureRows.capacity(), 0u);
    EXPECT_EQ(d.shapes.bits.capacity(), 0u);
}

}  // namespace
