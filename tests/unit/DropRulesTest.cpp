// Pick-up, rubber band and drop: where a press lands, the clock's first start, dragging a
// group member (the group follows only an accepted drop), the rubber band marking loose
// pieces only, moving a selection within a surface (kept inside, x no lower than -marginX)
// and into a box (whose own selection is cleared first), and drops outside every surface.
#include <gtest/gtest.h>

#include <vector>

#include "engine/DropRules.h"
#include "engine/JoinRules.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using boardtest::Place;
using boardtest::Recorder;
using boardtest::StackOf;

class DropRulesTest : public ::testing::Test {
protected:
    // 3 x 4 pieces of 30 x 20 cells (margins 9 and 6, images 48 x 32) on a 400 x 300 board;
    // boxes are 120 x 120. Piece p lies at (10 + 60 * (p % 4), 10 + 50 * (p / 4)), apart.
    void SetUp() override {
        boardtest::MakePuzzle(doc, 3, 4, 30, 20);
        recorder.Attach(doc);
        for (uint32_t p = 0; p < 12; ++p) Place(doc, p, Home(p).x, Home(p).y);
    }
    static Point Home(uint32_t p) {
        return Point{10 + 60 * static_cast<int32_t>(p % 4), 10 + 50 * static_cast<int32_t>(p / 4)};
    }
    // A point inside the cell of piece p as it lies now.
    Point OnPiece(uint32_t p) const { return Point{doc.pieces[p].x + 20, doc.pieces[p].y + 15}; }

    PuzzleDocument doc;
    DragSession drag;
    Recorder recorder;
};

TEST_F(DropRulesTest, PressOnAPieceLiftsItAndStartsTheClockOnlyTheFirstTime) {
    const PickUpResult first = recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(7)));
    EXPECT_TRUE(first.hitPiece);
    EXPECT_TRUE(first.changes.startClock);
    EXPECT_EQ(doc.ClockArmed, 0);
    EXPECT_EQ(drag.DragState, kDragPiece);
    EXPECT_EQ(StackOf(doc, kBoardSurface)[0], 7u);
    EXPECT_EQ(drag.position, Home(7));
    EXPECT_EQ(drag.grabOffset, (Point{20, 15}));
    ASSERT_EQ(recorder.paints.size(), 1u);
    EXPECT_TRUE(recorder.paints[0].skipTop) << "the back buffer shows what lies under the piece";
    EXPECT_FALSE(recorder.paints[0].invalidate);
    EXPECT_EQ(recorder.paints[0].area, (Rect{Home(7).x, Home(7).y, 48, 32}));
    recorder.Take(Drop(doc, drag, kNoSurface, drag.position));

    EXPECT_FALSE(recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(3))).changes.startClock)
        << "the clock runs already";
}

TEST_F(DropRulesTest, PressOnEmptySpaceOrATransparentCornerStartsASelectionAndNoClock) {
    doc.ClockPaused = 1;
    const PickUpResult empty = recorder.Take(PickUp(doc, drag, kBoardSurface, Point{300, 250}));
    EXPECT_FALSE(empty.hitPiece);
    EXPECT_FALSE(empty.changes.startClock);
    EXPECT_EQ(doc.ClockArmed, 1) << "still waiting for the first piece";
    EXPECT_EQ(doc.ClockPaused, 1);
    EXPECT_EQ(drag.DragState, kDragSelection);
    for (const Point& corner : drag.SelectionRect) EXPECT_EQ(corner, (Point{300, 250}));
    recorder.Take(Drop(doc, drag, kBoardSurface, Point{}));
    // The top-left corner of an image is in the tab margin: transparent.
    EXPECT_FALSE(recorder.Take(PickUp(doc, drag, kBoardSurface, Home(0) + Point{2, 2})).hitPiece);
}

TEST_F(DropRulesTest, PieceUnderNeedsAPointStrictlyInsideAndAnInsidePixel) {
    // Piece 0's cell spans local columns 9..38 and rows 6..25; its tab 39..42 at rows 14..17.
    Place(doc, 0, 0, 0);
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Point{9, 6}), 0);
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Point{8, 6}), -1) << "left of the cell";
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Point{42, 15}), 0) << "on the tab";
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Point{42, 13}), -1) << "beside the tab";
    // Inside pixels on the image's first column and first row still do not catch the mouse.
    auto setInside = [&](uint32_t piece, int32_t u, int32_t v) {
        const_cast<uint8_t*>(AtlasPixel(doc, piece, u, v))[3] = 1;
    };
    setInside(2, 0, 10);
    setInside(2, 1, 10);
    setInside(2, 12, 0);
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Home(2) + Point{0, 10}), -1);
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Home(2) + Point{1, 10}), 2);
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Home(2) + Point{12, 0}), -1);
    // Two pieces on one spot: the higher in the stack wins.
    Place(doc, 1, 0, 0);
    doc.order = {3, 1, 0, 2, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(PieceUnder(doc, kBoardSurface, Point{20, 20}), 1) << "stack index 1: piece 1";
}

TEST_F(DropRulesTest, DraggingAGroupMemberMovesTheGroupOnlyOnAnAcceptedDrop) {
    // Group {0, 1}: 1 lies right of 0.
    Place(doc, 1, Home(0).x + 30, Home(0).y);
    doc.pieces[0].group = doc.pieces[1].group = 2;
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(1)));
    EXPECT_EQ(doc.pieces[0].x, Home(0).x) << "while dragging only the grabbed piece is drawn";
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kNoSurface, Point{200, 200})), DropOutcome::Returned);
    EXPECT_EQ(doc.pieces[1].x, Home(0).x + 30) << "a drop outside moves nothing";
    EXPECT_EQ(doc.pieces[0].x, Home(0).x);
    EXPECT_EQ(doc.dirty, 0);
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{Home(0).x, Home(0).y, 78, 32}, true))
        << "the group, on top again, is shown";

    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(1)));
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kBoardSurface, Point{250, 200})), DropOutcome::Placed);
    EXPECT_EQ(doc.pieces[1].x, 250);
    EXPECT_EQ(doc.pieces[0].x, 220);
    EXPECT_EQ(doc.pieces[0].y, 200);
    EXPECT_EQ(doc.dirty, 1);
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST_F(DropRulesTest, DropBesideANeighbourJoins) {
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(5)));
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kBoardSurface, Home(4) + Point{33, 4})), DropOutcome::Joined);
    EXPECT_EQ(doc.pieces[5].x, Home(4).x + 30);
    EXPECT_EQ(doc.pieces[5].y, Home(4).y);
    EXPECT_EQ(doc.pieces[5].group, 6u);
    EXPECT_EQ(recorder.sounds, 1);
}

TEST_F(DropRulesTest, RubberBandMarksOnlyLoosePiecesItTouches) {
    // A group {4, 5} and loose pieces 6, 8, 9 and 10 inside the band; 0 above it; 7 and 11
    // touch it with their images' left edges only, and 3, moved one pixel further right,
    // does not.
    Place(doc, 5, Home(4).x + 30, Home(4).y);
    Place(doc, 3, Home(7).x + 1, 150);
    doc.pieces[4].group = doc.pieces[5].group = 6;
    doc.pieces[0].notSelected = 0;                                           // an old mark outside the band goes
    recorder.Take(PickUp(doc, drag, kBoardSurface, Point{Home(7).x, 200}));  // empty space below 7
    StretchSelection(drag, Point{5, 55});
    EXPECT_EQ(drag.SelectionRect[0], (Point{5, 55}));
    EXPECT_EQ(drag.SelectionRect[2], (Point{Home(7).x, 200}));
    EXPECT_EQ(drag.SelectionRect[4], drag.SelectionRect[0]);
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kBoardSurface, Point{})), DropOutcome::Selected);
    for (uint32_t p = 0; p < 12; ++p) {
        const bool marked = p >= 6;
        EXPECT_EQ(doc.pieces[p].notSelected, marked ? 0 : 1) << "piece " << p;
    }
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{0, 0, 400, 300}, true));
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST_F(DropRulesTest, SelectionMovesTogetherAndStopsAtMinusMarginX) {
    for (uint32_t p : {1u, 2u, 6u}) doc.pieces[p].notSelected = 0;
    // Drag 2 (at x 130) 200 pixels to the left: 1 (x 70) and 6 (x 130) follow, but none
    // goes below x = -9.
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(2)));
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kBoardSurface, Point{130 - 200, 10 + 5})), DropOutcome::MovedSelection);
    EXPECT_EQ(doc.pieces[2].x, -9);
    EXPECT_EQ(doc.pieces[1].x, -9);
    EXPECT_EQ(doc.pieces[6].x, -9);
    EXPECT_EQ(doc.pieces[6].y, 65);
    EXPECT_EQ(doc.pieces[2].notSelected, 0) << "the selection stays marked";
    EXPECT_EQ(doc.pieces[3].x, Home(3).x) << "unmarked pieces stay";
    EXPECT_EQ(doc.dirty, 1);

    // Far to the right and down: the left edge of each image stops one cell from the right
    // edge (400 - 30) and the top one cell from the bottom (300 - 20).
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(6)));
    recorder.Take(Drop(doc, drag, kBoardSurface, Point{1000, 1000}));
    for (uint32_t p : {1u, 2u, 6u}) {
        EXPECT_EQ(doc.pieces[p].x, 370) << "piece " << p;
        EXPECT_EQ(doc.pieces[p].y, 280) << "piece " << p;
    }
    // Up: y stops at -marginY.
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(6)));
    recorder.Take(Drop(doc, drag, kBoardSurface, Point{370, -500}));
    EXPECT_EQ(doc.pieces[1].y, -6);
}

TEST_F(DropRulesTest, SelectionMovedIntoABoxClearsTheBoxSelectionFirst) {
    // Box 2 (surface 1) holds pieces 10 and 11, 11 marked.
    doc.order = {10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    doc.surfaces[1].count = 2;
    doc.surfaces[kBoardSurface].count = 10;
    doc.RestackFromCounts();
    Place(doc, 10, 5, 5);
    Place(doc, 11, 60, 60);
    doc.pieces[11].notSelected = 0;
    for (uint32_t p : {0u, 5u}) doc.pieces[p].notSelected = 0;
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(5)));
    EXPECT_EQ(recorder.Take(Drop(doc, drag, 1, Point{40, 20})), DropOutcome::MovedSelection);
    EXPECT_EQ(doc.pieces[11].notSelected, 1) << "the box's own selection was cleared";
    EXPECT_TRUE(recorder.Painted(1, Rect{60, 60, 48, 32}, true)) << "and drawn plain again";
    EXPECT_EQ(StackOf(doc, 1), (std::vector<uint32_t>{5, 0, 10, 11}));
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 8);
    EXPECT_EQ(doc.pieces[5].x, 40);
    EXPECT_EQ(doc.pieces[5].y, 20);
    // 0 keeps its offset from 5 (-60, -50) but stays inside the box.
    EXPECT_EQ(doc.pieces[0].x, -9);
    EXPECT_EQ(doc.pieces[0].y, -6);
    EXPECT_EQ(doc.pieces[5].notSelected, 0) << "the moved pieces stay marked";
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST_F(DropRulesTest, EmptyingTheBoardIntoABoxTellsBothParents) {
    PuzzleDocument two;
    boardtest::MakePuzzle(two, 2, 2, 30, 20);
    Recorder seen;
    seen.Attach(two);
    for (uint32_t p = 0; p < 4; ++p) {
        Place(two, p, 10 + 60 * static_cast<int32_t>(p), 10);
        two.pieces[p].notSelected = 0;
    }
    DragSession moving;
    seen.Take(PickUp(two, moving, kBoardSurface, Point{two.pieces[2].x + 20, 25}));
    EXPECT_EQ(seen.Take(Drop(two, moving, 5, Point{10, 10})), DropOutcome::MovedSelection);
    EXPECT_EQ(two.surfaces[5].count, 4);
    ASSERT_EQ(seen.notices.size(), 2u);
    EXPECT_EQ(seen.notices[0], std::make_pair(5, SurfaceNotice::NowHoldsPieces));
    EXPECT_EQ(seen.notices[1], std::make_pair(kBoardSurface, SurfaceNotice::NowEmpty));
}

TEST_F(DropRulesTest, GroupDroppedIntoABoxGoesWithItsGroupAndNotices) {
    Place(doc, 9, Home(8).x + 30, Home(8).y);
    doc.pieces[8].group = doc.pieces[9].group = 10;
    recorder.Take(PickUp(doc, drag, kBoardSurface, OnPiece(8)));
    EXPECT_EQ(recorder.Take(Drop(doc, drag, 3, Point{20, 30})), DropOutcome::Placed);
    EXPECT_EQ(StackOf(doc, 3), (std::vector<uint32_t>{8, 9}));
    EXPECT_EQ(doc.pieces[9].x, 50);
    EXPECT_EQ(doc.pieces[9].y, 30);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0], std::make_pair(3, SurfaceNotice::NowHoldsPieces));
    EXPECT_EQ(doc.dirty, 1);
}

TEST_F(DropRulesTest, ReleaseWithoutADragDoesNothing) {
    EXPECT_EQ(recorder.Take(Drop(doc, drag, kBoardSurface, Point{})), DropOutcome::Nothing);
    EXPECT_TRUE(recorder.paints.empty());
}

}  // namespace
