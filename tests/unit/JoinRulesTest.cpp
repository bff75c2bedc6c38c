// Snapping and joining: the 6-pixel reach on both axes and all four sides, neighbours
// across a row break, the first fitting neighbour in stack order, group labels whatever the
// order of the joins, groups snapping as a whole, marked neighbours, moves between surfaces
// with their notices, completion inside a box, and what is repainted and heard.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "engine/JoinRules.h"
#include "engine/PuzzleStats.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using boardtest::Place;
using boardtest::Recorder;
using boardtest::StackOf;

class JoinRulesTest : public ::testing::Test {
protected:
    // 3 rows x 4 columns, cells 30 x 20: pieces 0..11, piece 5 has 1 above, 6 right, 9
    // below and 4 left.
    void SetUp() override {
        boardtest::MakePuzzle(doc, 3, 4, 30, 20);
        recorder.Attach(doc);
        for (uint32_t p = 0; p < 12; ++p) Place(doc, p, 300, 250);  // out of the way
    }
    // Puts `piece` on top of the board's stack.
    void Lift(uint32_t piece) {
        uint32_t* stack = doc.Stack(kBoardSurface);
        const auto count = doc.surfaces[kBoardSurface].count;
        const auto at = std::find(stack, stack + count, piece) - stack;
        doc.MoveStackEntries(doc.surfaces[kBoardSurface].stackStart + static_cast<int32_t>(at), 1,
                             doc.surfaces[kBoardSurface].stackStart);
    }
    JoinOutcome DropOnBoard(uint32_t piece, int32_t x, int32_t y) {
        Lift(piece);
        return recorder.JoinPieces(doc, kBoardSurface, kBoardSurface, piece, Point{x, y});
    }

    PuzzleDocument doc;
    Recorder recorder;
};

TEST_F(JoinRulesTest, LeftNeighbourSixPixelsTooHighJoinsSevenDoesNot) {
    Place(doc, 4, 100, 100);
    Place(doc, 5, 300, 250);
    // Piece 5 belongs at (130, 100); its left neighbour lies 7 pixels too high for a drop there.
    Place(doc, 4, 100, 93);
    EXPECT_EQ(DropOnBoard(5, 130, 100), JoinOutcome::Placed);
    EXPECT_EQ(doc.pieces[5].group, 0u);
    EXPECT_EQ(doc.pieces[5].x, 130);
    EXPECT_EQ(doc.pieces[5].y, 100);
    EXPECT_EQ(recorder.sounds, 0);

    Place(doc, 4, 100, 94);
    EXPECT_EQ(DropOnBoard(5, 130, 100), JoinOutcome::Joined);
    EXPECT_EQ(doc.pieces[5].x, 130) << "snapped beside the neighbour";
    EXPECT_EQ(doc.pieces[5].y, 94);
    EXPECT_EQ(doc.pieces[4].group, 6u);
    EXPECT_EQ(doc.pieces[5].group, 6u);
    EXPECT_EQ(recorder.sounds, 1);
}

// Each side, each axis, both directions: an offset of 6 snaps and 7 does not.
TEST_F(JoinRulesTest, ReachIsSixPixelsOnBothAxesForAllFourSides) {
    struct Side {
        uint32_t neighbour;
        int32_t cellsX, cellsY;  // where the neighbour belongs relative to piece 5
    };
    const Side sides[] = {{1, 0, -1}, {6, 1, 0}, {9, 0, 1}, {4, -1, 0}};
    const std::array<std::pair<int32_t, int32_t>, 4> directions = {{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    for (const Side& side : sides) {
        for (const auto& direction : directions) {
            for (int32_t distance : {6, 7}) {
                SetUp();
                const int32_t qx = 100 + side.cellsX * 30 + direction.first * distance;
                const int32_t qy = 100 + side.cellsY * 20 + direction.second * distance;
                Place(doc, side.neighbour, qx, qy);
                const JoinOutcome outcome = DropOnBoard(5, 100, 100);
                SCOPED_TRACE("neighbour " + std::to_string(side.neighbour) + " off by (" +
                             std::to_string(direction.first * distance) + ", " +
                             std::to_string(direction.second * distance) + ")");
                if (distance == 6) {
                    EXPECT_EQ(outcome, JoinOutcome::Joined);
                    EXPECT_EQ(doc.pieces[5].x, qx - side.cellsX * 30);
                    EXPECT_EQ(doc.pieces[5].y, qy - side.cellsY * 20);
                    EXPECT_EQ(doc.pieces[5].group, std::max(side.neighbour, 5u) + 1);
                } else {
                    EXPECT_EQ(outcome, JoinOutcome::Placed);
                    EXPECT_EQ(doc.pieces[5].group, 0u);
                }
            }
        }
    }
}

TEST_F(JoinRulesTest, PiecesAcrossARowBreakAreNoNeighbours) {
    // Piece 3 ends row 0 and piece 4 starts row 1: side by side they must not join.
    Place(doc, 3, 100, 100);
    EXPECT_EQ(DropOnBoard(4, 130, 100), JoinOutcome::Placed) << "3 is not 4's left neighbour";
    Place(doc, 4, 100, 100);
    EXPECT_EQ(DropOnBoard(3, 70, 100), JoinOutcome::Placed) << "4 is not 3's right neighbour";
    NeighbourSide side;
    EXPECT_FALSE(NeighbourSideOf(doc, 0, 11, &side));
    EXPECT_TRUE(NeighbourSideOf(doc, 11, 7, &side));
    EXPECT_EQ(side, NeighbourSide::Above);
}

TEST_F(JoinRulesTest, FirstFittingNeighbourInTheStackWinsAndTheOtherJoinsLater) {
    // Both the left (4) and the upper (1) neighbour of 5 fit, 1 off by 3 pixels so that the
    // two places differ; 1 lies higher in the stack.
    Place(doc, 4, 100, 100);
    Place(doc, 1, 133, 80);
    Lift(4);
    Lift(1);
    EXPECT_EQ(DropOnBoard(5, 130, 100), JoinOutcome::Joined);
    EXPECT_EQ(doc.pieces[5].x, 133) << "snapped under 1, the higher one";
    EXPECT_EQ(doc.pieces[5].group, 6u);
    EXPECT_EQ(doc.pieces[1].group, 6u);
    EXPECT_EQ(doc.pieces[4].group, 0u) << "one join per drop";

    // Dropping the group near 4 again joins 4 on a later drop.
    EXPECT_EQ(DropOnBoard(5, 131, 100), JoinOutcome::Joined);
    EXPECT_EQ(doc.pieces[4].group, 6u);
    EXPECT_EQ(doc.pieces[5].x, 130);
    EXPECT_EQ(doc.pieces[1].x, 130) << "the group moved with 5";
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST(JoinLabelTest, GroupOfThreeFourAndEightIsLabelledNineInAnyJoinOrder) {
    // On a 5-column grid 3, 4 and 8 make a corner: 4 right of 3, 8 below it. Whatever piece
    // lies first and in whatever order the others are dropped next to it, the group ends
    // with label 9.
    std::vector<uint32_t> members = {3, 4, 8};
    auto home = [](uint32_t p) {
        return Point{10 + static_cast<int32_t>(p % 5) * 30, 10 + static_cast<int32_t>(p / 5) * 20};
    };
    do {
        SCOPED_TRACE("order " + std::to_string(members[0]) + "," + std::to_string(members[1]) + "," +
                     std::to_string(members[2]));
        PuzzleDocument doc;
        boardtest::MakePuzzle(doc, 2, 5, 30, 20);
        boardtest::Recorder recorder;
        recorder.Attach(doc);
        for (uint32_t p = 0; p < 10; ++p) Place(doc, p, 300, 250);
        const uint32_t anchor = members[0];
        Place(doc, anchor, home(anchor).x, home(anchor).y);
        auto joined = [&](uint32_t p) {
            return doc.pieces[p].group != 0 && doc.pieces[p].group == doc.pieces[anchor].group;
        };
        // Drop the others in turn, a few pixels off their places beside the anchor, until
        // all three are one group (a piece dropped with no neighbour in place yet waits for
        // another turn).
        for (int turn = 0; turn < 12 && !(joined(members[1]) && joined(members[2])); ++turn) {
            const uint32_t piece = members[1 + turn % 2];
            if (joined(piece)) continue;
            uint32_t* stack = doc.Stack(kBoardSurface);
            BringToTop(doc, kBoardSurface, static_cast<int32_t>(std::find(stack, stack + 10, piece) - stack));
            recorder.JoinPieces(doc, kBoardSurface, kBoardSurface, piece, home(piece) + Point{2, -3});
        }
        for (uint32_t piece : members) EXPECT_EQ(doc.pieces[piece].group, 9u) << "piece " << piece;
        EXPECT_EQ(doc.pieces[anchor].x, home(anchor).x) << "the first piece never moved";
        EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
    } while (std::next_permutation(members.begin(), members.end()));
}

TEST_F(JoinRulesTest, JoiningTwoGroupsKeepsTheLargerLabelEitherWay) {
    // Group {0, 1} (label 2) lies at (50, 50) and group {4, 5} (label 6) at (200, 150); 4
    // belongs under 0. Dropping either group onto the other gives label 6, the other group
    // stays put and every solved offset holds.
    for (bool moveSmaller : {true, false}) {
        SCOPED_TRACE(moveSmaller ? "group 2 dropped on group 6" : "group 6 dropped on group 2");
        SetUp();
        Place(doc, 0, 50, 50);
        Place(doc, 1, 80, 50);
        doc.pieces[0].group = doc.pieces[1].group = 2;
        Place(doc, 4, 200, 150);
        Place(doc, 5, 230, 150);
        doc.pieces[4].group = doc.pieces[5].group = 6;
        const uint32_t grabbed = moveSmaller ? 0 : 4;
        const uint32_t* stack = doc.Stack(kBoardSurface);
        BringToTop(doc, kBoardSurface, static_cast<int32_t>(std::find(stack, stack + 12, grabbed) - stack));
        const Point target = moveSmaller ? Point{201, 129} : Point{52, 69};
        EXPECT_EQ(recorder.JoinPieces(doc, kBoardSurface, kBoardSurface, grabbed, target), JoinOutcome::Joined);
        for (uint32_t p : {0u, 1u, 4u, 5u}) EXPECT_EQ(doc.pieces[p].group, 6u) << "piece " << p;
        const uint32_t staying = moveSmaller ? 4 : 0;
        const Point stayed = moveSmaller ? Point{200, 150} : Point{50, 50};
        EXPECT_EQ(doc.pieces[staying].x, stayed.x);
        EXPECT_EQ(doc.pieces[staying].y, stayed.y);
        EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
    }
}

TEST_F(JoinRulesTest, GroupMovesAsAWholeOnlyThroughItsGrabbedPiecesNeighbours) {
    // Group {5, 6} dropped so that 6's right neighbour 7 would fit, but 5's does not:
    // only 5's neighbours count.
    Place(doc, 5, 10, 10);
    Place(doc, 6, 40, 10);
    doc.pieces[5].group = doc.pieces[6].group = 7;
    Place(doc, 7, 160, 100);
    const uint32_t* stack = doc.Stack(kBoardSurface);
    BringToTop(doc, kBoardSurface, static_cast<int32_t>(std::find(stack, stack + 12, 5u) - stack));
    EXPECT_EQ(recorder.JoinPieces(doc, kBoardSurface, kBoardSurface, 5, Point{100, 100}), JoinOutcome::Placed);
    EXPECT_EQ(doc.pieces[6].x, 130) << "the group moved by the same offset";
    EXPECT_EQ(doc.pieces[6].y, 100);
    EXPECT_EQ(doc.pieces[7].group, 0u);
}

TEST_F(JoinRulesTest, MarkedNeighbourBecomesOrdinaryAndIsRepainted) {
    Place(doc, 4, 100, 100);
    doc.pieces[4].notSelected = 0;
    EXPECT_EQ(DropOnBoard(5, 131, 98), JoinOutcome::Joined);
    EXPECT_EQ(doc.pieces[4].notSelected, 1);
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{100, 100, doc.pieceWidth, doc.pieceHeight}, true));
}

TEST_F(JoinRulesTest, RepaintsUnionOnOneSurfaceAndBothAreasAcrossSurfaces) {
    Place(doc, 0, 20, 20);
    EXPECT_EQ(DropOnBoard(0, 25, 22), JoinOutcome::Placed);
    const Rect bothAreas{20, 20, doc.pieceWidth + 5, doc.pieceHeight + 2};
    EXPECT_TRUE(recorder.Painted(kBoardSurface, bothAreas, true)) << "overlapping areas: one union";

    recorder.paints.clear();
    EXPECT_EQ(DropOnBoard(0, 200, 200), JoinOutcome::Placed);
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{25, 22, doc.pieceWidth, doc.pieceHeight}, true));
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{200, 200, doc.pieceWidth, doc.pieceHeight}, true));

    recorder.paints.clear();
    Lift(0);
    EXPECT_EQ(recorder.JoinPieces(doc, 2, kBoardSurface, 0, Point{5, 6}), JoinOutcome::Placed);
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{200, 200, doc.pieceWidth, doc.pieceHeight}, true));
    EXPECT_TRUE(recorder.Painted(2, Rect{5, 6, doc.pieceWidth, doc.pieceHeight}, true));
}

TEST_F(JoinRulesTest, MovingBetweenSurfacesShiftsEntriesAndNotifiesBothParents) {
    // A group of two goes from the board into empty box 3 (surface 2), then back.
    Place(doc, 5, 10, 10);
    Place(doc, 6, 40, 10);
    doc.pieces[5].group = doc.pieces[6].group = 7;
    const uint32_t* stack = doc.Stack(kBoardSurface);
    BringToTop(doc, kBoardSurface, static_cast<int32_t>(std::find(stack, stack + 12, 6u) - stack));
    EXPECT_EQ(recorder.JoinPieces(doc, 2, kBoardSurface, 6, Point{50, 40}), JoinOutcome::Placed);
    EXPECT_EQ(StackOf(doc, 2), (std::vector<uint32_t>{6, 5}));
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 10);
    EXPECT_EQ(doc.pieces[5].x, 20);
    EXPECT_EQ(doc.pieces[5].y, 40);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0], std::make_pair(2, SurfaceNotice::NowHoldsPieces));
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");

    recorder.notices.clear();
    EXPECT_EQ(recorder.JoinPieces(doc, kBoardSurface, 2, 5, Point{0, 0}), JoinOutcome::Placed);
    EXPECT_EQ(doc.surfaces[2].count, 0);
    EXPECT_EQ(StackOf(doc, kBoardSurface)[0], 5u);
    EXPECT_EQ(StackOf(doc, kBoardSurface)[1], 6u);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0], std::make_pair(2, SurfaceNotice::NowEmpty));
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST_F(JoinRulesTest, CompletingThePuzzleInsideABoxPutsEveryPieceOnTheBoardSolved) {
    PuzzleDocument small;
    boardtest::MakePuzzle(small, 2, 2, 30, 20, 400, 300, 200);
    Recorder seen;
    seen.Attach(small);
    // Pieces 0, 1, 2 as group 3 in box 1 (surface 0); piece 3 goes in next to 2.
    small.order = {0, 1, 2, 3};
    small.surfaces[0].count = 3;
    small.surfaces[kBoardSurface].count = 1;
    small.RestackFromCounts();
    Place(small, 0, 10, 10);
    Place(small, 1, 40, 10);
    Place(small, 2, 10, 30);
    for (uint32_t p : {0u, 1u, 2u}) small.pieces[p].group = 3;
    Place(small, 3, 100, 100);
    EXPECT_EQ(seen.JoinPieces(small, 0, kBoardSurface, 3, Point{42, 33}), JoinOutcome::Completed);
    EXPECT_EQ(seen.completions, 1);
    EXPECT_EQ(seen.sounds, 0) << "completion plays no join sound";
    EXPECT_EQ(small.solved, 1);
    EXPECT_EQ(small.surfaces[0].count, 0);
    EXPECT_EQ(small.surfaces[kBoardSurface].count, 4);
    EXPECT_EQ(seen.hidden, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // Centred on the 400 x 300 board: (400 - 60) / 2 - 9 and (300 - 40) / 2 - 6.
    EXPECT_EQ(small.pieces[0].x, 161);
    EXPECT_EQ(small.pieces[0].y, 124);
    EXPECT_EQ(small.pieces[3].x, 191);
    EXPECT_EQ(small.pieces[3].y, 144);
    EXPECT_EQ(boardtest::BrokenInvariant(small), "");
}

TEST_F(JoinRulesTest, MovingTheWholePuzzleFromABoxToTheBoardCompletesIt) {
    PuzzleDocument small;
    boardtest::MakePuzzle(small, 2, 2, 30, 20);
    Recorder seen;
    seen.Attach(small);
    small.surfaces[4].count = 4;
    small.surfaces[kBoardSurface].count = 0;
    small.RestackFromCounts();
    for (uint32_t p = 0; p < 4; ++p) {
        Place(small, p, 10 + static_cast<int32_t>(p % 2) * 30, 10 + static_cast<int32_t>(p / 2) * 20);
        small.pieces[p].group = 4;
    }
    // A group of all pieces is the whole puzzle; moving it anywhere completes the game.
    EXPECT_EQ(seen.JoinPieces(small, kBoardSurface, 4, 0, Point{50, 50}), JoinOutcome::Completed);
    EXPECT_EQ(seen.completions, 1);
    EXPECT_EQ(small.solved, 1);
}

TEST_F(JoinRulesTest, SolvedPuzzleNoLongerJoins) {
    Place(doc, 4, 100, 100);
    doc.solved = 1;
    EXPECT_EQ(DropOnBoard(5, 130, 100), JoinOutcome::Placed);
    EXPECT_EQ(doc.pieces[5].group, 0u);
    EXPECT_EQ(recorder.completions, 0);
}

TEST_F(JoinRulesTest, BringToTopGathersTheGroupOrTheMarkedPiecesInTheirOrder) {
    // Stack 0..11 top first. Group {2, 7, 9}; marked {1, 10, 11}.
    for (uint32_t p : {2u, 7u, 9u}) doc.pieces[p].group = 10;
    for (uint32_t p : {1u, 10u, 11u}) doc.pieces[p].notSelected = 0;
    EXPECT_EQ(BringToTop(doc, kBoardSurface, 7), 3);
    EXPECT_EQ(StackOf(doc, kBoardSurface), (std::vector<uint32_t>{7, 2, 9, 0, 1, 3, 4, 5, 6, 8, 10, 11}));

    EXPECT_EQ(BringToTop(doc, kBoardSurface, 11), 3);
    EXPECT_EQ(StackOf(doc, kBoardSurface), (std::vector<uint32_t>{11, 1, 10, 7, 2, 9, 0, 3, 4, 5, 6, 8}));
    EXPECT_EQ(BringToTop(doc, kBoardSurface, 12), 0) << "index past the stack";
    EXPECT_EQ(BringToTop(doc, 7, 0), 0) << "no such surface";
}

}  // namespace
