// Pieces of a game saved on a larger screen: those whose cells lie wholly beyond their surface
// are brought back inside with their groups, by the least move; those that still show part of
// a cell, and surfaces of unknown size, are left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/PieceReach.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

// 3 x 4 cells of 20 x 20 pixels with 6-pixel margins on a 400 x 300 board; boxes 120 x 120.
constexpr int32_t kCell = 20;
constexpr int32_t kMargin = 6;
constexpr int32_t kBoardW = 400;
constexpr int32_t kBoardH = 300;

struct Placement {
    uint32_t piece;
    int32_t x, y;
};

struct ReachCase {
    std::string what;
    std::vector<uint32_t> group;  // put into one group at their solved offsets (empty: all loose)
    std::vector<Placement> before;
    std::vector<Placement> after;
};

void MakeGroup(PuzzleDocument& doc, const std::vector<uint32_t>& members) {
    uint32_t label = 0;
    for (uint32_t m : members) label = std::max(label, m + 1);
    for (uint32_t m : members) doc.pieces[m].group = label;
}

TEST(PieceReach, PiecesBeyondTheBoardComeBackWithTheirGroups) {
    const int32_t right = kBoardW - kCell - kMargin;   // x of a cell ending at the right edge
    const int32_t bottom = kBoardH - kCell - kMargin;  // y of a cell ending at the bottom edge
    const std::vector<ReachCase> cases = {
        {"a piece far right comes to the right edge", {}, {{5, 1800, 40}}, {{5, right, 40}}},
        {"a piece far below comes to the bottom edge", {}, {{5, 50, 900}}, {{5, 50, bottom}}},
        {"a piece far up and left comes to the corner", {}, {{5, -500, -400}}, {{5, -kMargin, -kMargin}}},
        {"a piece showing one column of its cell stays",
         {},
         {{5, kBoardW - kMargin - 1, 40}},
         {{5, kBoardW - kMargin - 1, 40}}},
        {"a piece wholly inside stays", {}, {{5, 100, 100}}, {{5, 100, 100}}},
        {"a group beyond the board keeps its shape",
         {0, 1},
         {{0, 1000, 700}, {1, 1000 + kCell, 700}},
         {{0, right - kCell, bottom}, {1, right, bottom}}},
        {"a group with one cell on the board stays",
         {0, 1},
         {{0, kBoardW - kCell - kMargin + 5, 50}, {1, kBoardW + 5 - kMargin, 50}},
         {{0, kBoardW - kCell - kMargin + 5, 50}, {1, kBoardW + 5 - kMargin, 50}}},
    };
    for (const ReachCase& c : cases) {
        SCOPED_TRACE(c.what);
        PuzzleDocument doc;
        boardtest::MakePuzzle(doc, 3, 4, kCell, kCell, kBoardW, kBoardH);
        ASSERT_EQ(doc.marginX, kMargin);
        for (uint32_t p = 0; p < 12; ++p) doc.pieces[p] = Piece{0, 1, {0, 0, 0}, 10 + 25 * static_cast<int32_t>(p), 10};
        if (!c.group.empty()) MakeGroup(doc, c.group);
        for (const Placement& p : c.before) {
            doc.pieces[p.piece].x = p.x;
            doc.pieces[p.piece].y = p.y;
        }
        const bool moved = BringPiecesWithinReach(doc);
        bool expectMoved = false;
        for (size_t i = 0; i < c.after.size(); ++i) {
            const Piece& piece = doc.pieces[c.after[i].piece];
            EXPECT_EQ(piece.x, c.after[i].x) << "piece " << c.after[i].piece;
            EXPECT_EQ(piece.y, c.after[i].y) << "piece " << c.after[i].piece;
            expectMoved = expectMoved || c.after[i].x != c.before[i].x || c.after[i].y != c.before[i].y;
        }
        EXPECT_EQ(moved, expectMoved);
        // The other pieces were all in reach and stay where they were.
        for (uint32_t p = 0; p < 12; ++p) {
            const bool placed =
                std::any_of(c.before.begin(), c.before.end(), [p](const Placement& q) { return q.piece == p; });
            if (!placed) {
                EXPECT_EQ(doc.pieces[p].x, 10 + 25 * static_cast<int32_t>(p)) << "piece " << p;
            }
        }
        EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
    }
}

TEST(PieceReach, AGroupWiderThanTheBoxStartsAtItsLeftEdge) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 3, 8, kCell, kCell, kBoardW, kBoardH, 120);
    BoardChanges ignored;
    ASSERT_TRUE(doc.MoveTopEntries(kBoardSurface, 0, 8, ignored));  // pieces 0..7 into box 0
    std::vector<uint32_t> row;
    for (uint32_t p = 0; p < 8; ++p) {
        row.push_back(p);
        doc.pieces[p].x = 500 + static_cast<int32_t>(p) * kCell;  // 160 pixels of cells, all beyond
        doc.pieces[p].y = 30;
    }
    MakeGroup(doc, row);
    EXPECT_TRUE(BringPiecesWithinReach(doc));
    for (uint32_t p = 0; p < 8; ++p) {
        EXPECT_EQ(doc.pieces[p].x, -kMargin + static_cast<int32_t>(p) * kCell) << "piece " << p;
        EXPECT_EQ(doc.pieces[p].y, 30) << "piece " << p;
    }
}

TEST(PieceReach, ASurfaceOfUnknownSizeIsLeftAlone) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 2, 2, kCell, kCell);
    doc.surfaces[kBoardSurface].clientWidth = 0;
    doc.surfaces[kBoardSurface].clientHeight = 0;
    doc.pieces[0].x = 5000;
    EXPECT_FALSE(BringPiecesWithinReach(doc));
    EXPECT_EQ(doc.pieces[0].x, 5000);
}

}  // namespace
