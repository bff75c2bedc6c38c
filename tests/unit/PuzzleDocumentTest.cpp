// The puzzle model: the piece record's layout, the stacks of the seven surfaces inside the
// OrderBuffer, moving entries and pieces between surfaces with the notices their parents
// get, relabelling groups, clearing the game and the unsaved-changes rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/PuzzleDocument.h"
#include "tests/unit/BmpTestFiles.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using Notice = std::pair<int, SurfaceNotice>;

class PuzzleDocumentTest : public ::testing::Test {
protected:
    // Moves stack entries and keeps the notices the move asks for.
    bool Move(int from, int to, int32_t count) {
        BoardChanges changes;
        const bool moved = doc.MoveTopEntries(from, to, count, changes);
        for (const SurfaceNoticeEvent& n : changes.notices) notices.emplace_back(n.surface, n.notice);
        return moved;
    }
    // Clears the game; the notices and what else the windows are asked to do are kept.
    void Clear(bool redraw) {
        BoardChanges changes = doc.ClearGame(redraw);
        for (const SurfaceNoticeEvent& n : changes.notices) notices.emplace_back(n.surface, n.notice);
        changes.notices.clear();
        calls = boardtest::Describe(changes);
    }

    // A cut puzzle of `pieces` pieces whose surfaces hold `counts` pieces, the OrderBuffer
    // holding `order` (piece numbers in order when empty).
    void MakePuzzle(int32_t pieces, const std::vector<int32_t>& counts, std::vector<uint32_t> order = {}) {
        ASSERT_TRUE(doc.AllocateArrays(pieces, 16));
        doc.PutAllPiecesOnBoard();
        if (!order.empty()) doc.order = order;
        for (int s = 0; s < kSurfaceCount; ++s)
            doc.surfaces[static_cast<size_t>(s)].count = counts[static_cast<size_t>(s)];
        doc.RestackFromCounts();
        ASSERT_TRUE(doc.StacksAreConsistent());
    }
    std::vector<int32_t> Counts() const {
        std::vector<int32_t> counts;
        for (const Surface& s : doc.surfaces) counts.push_back(s.count);
        return counts;
    }
    std::vector<int32_t> Starts() const {
        std::vector<int32_t> starts;
        for (const Surface& s : doc.surfaces) starts.push_back(s.stackStart);
        return starts;
    }
    std::vector<uint32_t> StackOf(int surface) {
        const uint32_t* stack = doc.Stack(surface);
        return std::vector<uint32_t>(stack, stack + doc.surfaces[static_cast<size_t>(surface)].count);
    }

    PuzzleDocument doc;
    std::vector<Notice> notices;
    std::string calls;
};

// --- Piece record -------------------------------------------------------------------------

TEST(PieceTest, RecordIsSixteenBytesWithZeroPadding) {
    Piece piece;
    piece.group = 0x11223344;
    piece.notSelected = 0;
    piece.x = -2;
    piece.y = 0x01020304;
    uint8_t bytes[16];
    std::memcpy(bytes, &piece, sizeof bytes);
    const uint8_t expected[16] = {0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1};
    EXPECT_EQ(std::memcmp(bytes, expected, 16), 0) << "little-endian fields, padding bytes 5 to 7 zero";
    EXPECT_EQ(Piece{}.notSelected, 1) << "a new piece is ordinary, not marked";
}

// --- Arrays and stacks ----------------------------------------------------------------------

TEST_F(PuzzleDocumentTest, FreshTwoByTwoPuzzleHasAllPiecesOnTheBoard) {
    doc.rows = doc.cols = 2;
    ASSERT_TRUE(doc.AllocateArrays(4, 64));
    doc.PutAllPiecesOnBoard();
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 4}));
    EXPECT_EQ(Starts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(doc.order, (OrderBuffer{0, 1, 2, 3}));
    EXPECT_TRUE(doc.StacksAreConsistent());
    for (const Piece& p : doc.pieces) {
        uint8_t bytes[16];
        std::memcpy(bytes, &p, 16);
        EXPECT_EQ(bytes[5] | bytes[6] | bytes[7], 0) << "allocated records carry no stray padding";
    }
    EXPECT_EQ(doc.atlas.size(), 64u);
    for (const auto& scratch : doc.paintScratch) EXPECT_EQ(scratch.size(), 4u);
}

TEST_F(PuzzleDocumentTest, AllocatingNoPiecesFailsAndLeavesEveryArrayEmpty) {
    ASSERT_TRUE(doc.AllocateArrays(4, 64));
    EXPECT_FALSE(doc.AllocateArrays(0, 64));
    EXPECT_TRUE(doc.atlas.empty());
    EXPECT_TRUE(doc.pieces.empty());
    EXPECT_TRUE(doc.order.empty());
    for (const auto& scratch : doc.paintScratch) EXPECT_TRUE(scratch.empty());
    EXPECT_FALSE(doc.AllocateArrays(-3, 0));
}

TEST_F(PuzzleDocumentTest, ConsistencyCheckCatchesBrokenStacks) {
    MakePuzzle(4, {1, 0, 0, 0, 0, 0, 3});
    doc.surfaces[6].count = 2;
    EXPECT_FALSE(doc.StacksAreConsistent()) << "counts add up to 3 of 4";
    doc.surfaces[6].count = 3;
    doc.surfaces[3].stackStart = 0;
    EXPECT_FALSE(doc.StacksAreConsistent()) << "stack 3 starts before stack 0 ends";
    doc.RestackFromCounts();
    doc.order[2] = doc.order[1];
    EXPECT_FALSE(doc.StacksAreConsistent()) << "a piece twice";
    doc.order[2] = 9;
    EXPECT_FALSE(doc.StacksAreConsistent()) << "a piece number past the puzzle";
    doc.order = {3, 2, 1, 0};
    doc.surfaces[0].count = -1;
    doc.surfaces[6].count = 5;
    doc.RestackFromCounts();
    EXPECT_FALSE(doc.StacksAreConsistent()) << "a negative count";
}

TEST_F(PuzzleDocumentTest, MoveStackEntriesShiftsTheEntriesInBetween) {
    ASSERT_TRUE(doc.AllocateArrays(10, 0));
    doc.PutAllPiecesOnBoard();
    ASSERT_TRUE(doc.MoveStackEntries(2, 3, 6));
    EXPECT_EQ(doc.order, (OrderBuffer{0, 1, 5, 6, 7, 8, 2, 3, 4, 9})) << "moving up: 5..8 slide down";
    doc.PutAllPiecesOnBoard();
    ASSERT_TRUE(doc.MoveStackEntries(6, 2, 1));
    EXPECT_EQ(doc.order, (OrderBuffer{0, 6, 7, 1, 2, 3, 4, 5, 8, 9})) << "moving down: 1..5 slide up";
    ASSERT_TRUE(doc.MoveStackEntries(4, 1, 4));
    EXPECT_EQ(doc.order, (OrderBuffer{0, 6, 7, 1, 2, 3, 4, 5, 8, 9})) << "source = destination moves nothing";
    ASSERT_TRUE(doc.MoveStackEntries(9, 1, 0));
    EXPECT_EQ(doc.order, (OrderBuffer{9, 0, 6, 7, 1, 2, 3, 4, 5, 8})) << "the last entry to the top";
}

TEST_F(PuzzleDocumentTest, MoveStackEntriesRefusesRangesPastTheBuffer) {
    ASSERT_TRUE(doc.AllocateArrays(5, 0));
    doc.PutAllPiecesOnBoard();
    const OrderBuffer before = doc.order;
    EXPECT_FALSE(doc.MoveStackEntries(3, 3, 0));
    EXPECT_FALSE(doc.MoveStackEntries(0, 3, 3));
    EXPECT_FALSE(doc.MoveStackEntries(-1, 1, 0));
    EXPECT_FALSE(doc.MoveStackEntries(0, -1, 2));
    EXPECT_FALSE(doc.MoveStackEntries(0x7fffffff, 1, 0)) << "no overflow in the range check";
    EXPECT_EQ(doc.order, before);
}

// --- Moving pieces between surfaces -----------------------------------------------------

TEST_F(PuzzleDocumentTest, OnlyPieceOfBoxThreeGoesToTheBoard) {
    // Box 3 is surface 2; it holds piece 2, the board the other three.
    MakePuzzle(4, {0, 0, 1, 0, 0, 0, 3}, {2, 0, 1, 3});
    ASSERT_EQ(Starts(), (std::vector<int32_t>{0, 0, 0, 1, 1, 1, 1}));
    ASSERT_TRUE(Move(2, kBoardSurface, 1));
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 4}));
    EXPECT_EQ(Starts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0})) << "boxes 4 to 6 and the board moved back one";
    EXPECT_EQ(StackOf(kBoardSurface), (std::vector<uint32_t>{2, 0, 1, 3})) << "the piece lies on top";
    EXPECT_EQ(notices, (std::vector<Notice>{{2, SurfaceNotice::NowEmpty}})) << "the board was not empty";
}

TEST_F(PuzzleDocumentTest, MovingToAnEarlierSurfaceKeepsTheOrderOfTheMovedEntries) {
    MakePuzzle(6, {0, 1, 0, 0, 2, 0, 3}, {5, 0, 1, 2, 3, 4});
    ASSERT_TRUE(Move(kBoardSurface, 0, 2));
    EXPECT_EQ(StackOf(0), (std::vector<uint32_t>{2, 3}));
    EXPECT_EQ(StackOf(1), (std::vector<uint32_t>{5}));
    EXPECT_EQ(StackOf(4), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(StackOf(kBoardSurface), (std::vector<uint32_t>{4}));
    EXPECT_EQ(Starts(), (std::vector<int32_t>{0, 2, 3, 3, 3, 5, 5}));
    EXPECT_EQ(notices, (std::vector<Notice>{{0, SurfaceNotice::NowHoldsPieces}}));
}

TEST_F(PuzzleDocumentTest, EmptyingOneSurfaceIntoAnEmptyOneTellsBothParents) {
    MakePuzzle(3, {0, 0, 0, 0, 0, 0, 3});
    ASSERT_TRUE(Move(kBoardSurface, 5, 3));
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 3, 0}));
    EXPECT_EQ(notices,
              (std::vector<Notice>{{5, SurfaceNotice::NowHoldsPieces}, {kBoardSurface, SurfaceNotice::NowEmpty}}))
        << "the receiver first, then the emptied one";
    EXPECT_TRUE(doc.StacksAreConsistent());
}

TEST_F(PuzzleDocumentTest, RefusesMovesTheStacksCannotMake) {
    MakePuzzle(4, {1, 0, 0, 0, 0, 0, 3});
    const OrderBuffer order = doc.order;
    const auto starts = Starts();
    EXPECT_FALSE(Move(6, 6, 1)) << "same surface";
    EXPECT_FALSE(Move(0, 6, 2)) << "more than the box holds";
    EXPECT_FALSE(Move(6, 0, 0)) << "nothing";
    EXPECT_FALSE(Move(3, 6, 1)) << "from an empty box";
    EXPECT_FALSE(Move(7, 6, 1)) << "no surface 7";
    EXPECT_FALSE(Move(6, -1, 1)) << "no surface -1";
    EXPECT_EQ(doc.order, order);
    EXPECT_EQ(Starts(), starts);
    EXPECT_TRUE(notices.empty());
}

// Random play against a plain model of seven separate stacks: after every move the
// document's stacks must equal the model's, and the buffer must stay a permutation.
TEST_F(PuzzleDocumentTest, StacksMatchSevenSeparateStacksAfterRandomMoves) {
    for (int32_t pieces : {1, 2, 12, 40}) {
        MakePuzzle(pieces, {0, 0, 0, 0, 0, 0, pieces});
        std::vector<std::vector<uint32_t>> model(kSurfaceCount);
        model[kBoardSurface] = doc.order;
        std::mt19937 random(static_cast<uint32_t>(pieces));
        for (int step = 0; step < 3000; ++step) {
            const int from = static_cast<int>(random() % kSurfaceCount);
            auto& source = model[static_cast<size_t>(from)];
            if (source.empty()) continue;
            if (random() % 3 == 0) {
                // Bring a piece of the surface to its top, as a pick-up does.
                const auto index = static_cast<int32_t>(random() % source.size());
                const int32_t start = doc.surfaces[static_cast<size_t>(from)].stackStart;
                ASSERT_TRUE(doc.MoveStackEntries(start + index, 1, start));
                std::rotate(source.begin(), source.begin() + index, source.begin() + index + 1);
            } else {
                const int to = static_cast<int>(random() % kSurfaceCount);
                if (to == from) continue;
                const auto k = static_cast<int32_t>(1 + random() % source.size());
                auto& target = model[static_cast<size_t>(to)];
                const bool targetWasEmpty = target.empty();
                notices.clear();
                ASSERT_TRUE(Move(from, to, k));
                target.insert(target.begin(), source.begin(), source.begin() + k);
                source.erase(source.begin(), source.begin() + k);
                std::vector<Notice> expected;
                if (targetWasEmpty) expected.emplace_back(to, SurfaceNotice::NowHoldsPieces);
                if (source.empty()) expected.emplace_back(from, SurfaceNotice::NowEmpty);
                ASSERT_EQ(notices, expected) << "step " << step;
            }
            ASSERT_TRUE(doc.StacksAreConsistent()) << pieces << " pieces, step " << step;
            for (int s = 0; s < kSurfaceCount; ++s)
                ASSERT_EQ(StackOf(s), model[static_cast<size_t>(s)]) << "surface " << s;
        }
    }
}

// --- Groups -------------------------------------------------------------------------------

TEST_F(PuzzleDocumentTest, RelabellingChangesTheWholeGroupOnItsSurfaceOnly) {
    MakePuzzle(9, {0, 0, 0, 0, 0, 2, 7}, {7, 8, 0, 1, 2, 3, 4, 5, 6});
    // Pieces 3 and 4 form group 5, pieces 0 and 1 group 2; loose piece 6.
    doc.pieces[3].group = doc.pieces[4].group = 5;
    doc.pieces[0].group = doc.pieces[1].group = 2;
    doc.RelabelGroup(kBoardSurface, 4, 9);
    EXPECT_EQ(doc.pieces[3].group, 9u);
    EXPECT_EQ(doc.pieces[4].group, 9u);
    EXPECT_EQ(doc.pieces[0].group, 2u) << "another group keeps its label";
    doc.RelabelGroup(kBoardSurface, 6, 9);
    EXPECT_EQ(doc.pieces[6].group, 9u) << "a loose piece takes the label";
    EXPECT_EQ(doc.pieces[5].group, 0u) << "other loose pieces stay loose";

    // A piece of box 6 that (wrongly) carries label 2 is not on the board's stack.
    doc.pieces[7].group = 2;
    doc.RelabelGroup(kBoardSurface, 0, 3);
    EXPECT_EQ(doc.pieces[1].group, 3u);
    EXPECT_EQ(doc.pieces[7].group, 2u);
}

// --- Clearing and unsaved changes ------------------------------------------------------------

TEST_F(PuzzleDocumentTest, ClearingWithNoPuzzleSendsNoNotices) {
    Clear(false);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(calls, "stop-clock;magnifier;arrow;");
    EXPECT_TRUE(doc.order.empty());
    EXPECT_TRUE(doc.pieces.empty());
    EXPECT_TRUE(doc.atlas.empty());
}

TEST_F(PuzzleDocumentTest, ClearingAPuzzleEmptiesEverySurfaceAndClosesThePicture) {
    ScratchFolder folder("document_clear");
    ASSERT_TRUE(doc.picture.Open(folder.Write("p.bmp", BuildBmp(BmpDescription{})).c_str()));
    doc.rows = 3;
    doc.cols = 2;
    MakePuzzle(6, {0, 2, 0, 0, 1, 0, 3});
    doc.ClockArmed = 1;
    Clear(true);
    EXPECT_EQ(notices, (std::vector<Notice>{{1, SurfaceNotice::NowEmpty},
                                            {4, SurfaceNotice::NowEmpty},
                                            {kBoardSurface, SurfaceNotice::NowEmpty}}));
    EXPECT_EQ(calls, "repaint;clock-zero;stop-clock;magnifier;arrow;");
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Starts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(doc.order.empty());
    EXPECT_TRUE(doc.atlas.empty());
    EXPECT_TRUE(doc.paintScratch[2].empty());
    EXPECT_FALSE(doc.picture.IsOpen());
    EXPECT_EQ(doc.ClockArmed, 0);
    EXPECT_EQ(doc.rows, 3) << "the grid is kept for the next puzzle";
    EXPECT_EQ(doc.cols, 2);
    EXPECT_FALSE(doc.HasUnsavedChanges());
}

TEST_F(PuzzleDocumentTest, UnsavedChangesNeedAPuzzleThatChangedAndIsNotSolved) {
    struct Case {
        bool puzzle;
        uint8_t dirty, solved;
        bool expected;
    };
    const Case cases[] = {{true, 1, 0, true}, {true, 0, 0, false}, {true, 1, 1, false}, {false, 1, 0, false}};
    for (const Case& c : cases) {
        if (c.puzzle) {
            ASSERT_TRUE(doc.AllocateArrays(4, 16));
        } else {
            Clear(false);
        }
        doc.dirty = c.dirty;
        doc.solved = c.solved;
        EXPECT_EQ(doc.HasUnsavedChanges(), c.expected)
            << "puzzle " << c.puzzle << ", dirty " << int(c.dirty) << ", solved " << int(c.solved);
    }
}

}  // namespace
