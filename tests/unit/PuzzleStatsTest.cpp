// Percentage and score, the hint rule and its allowance, the solve command and the clock's
// rules: 0/33/66/100 percent on a 2 x 2 puzzle, the 10 x 10 score and its halving at 7
// seconds, the hint joining the lower piece to the higher, and HH:MM:SS.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/GameClock.h"
#include "engine/JoinRules.h"
#include "engine/PuzzleStats.h"
#include "engine/Solve.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using boardtest::Place;
using boardtest::Recorder;

struct Stats {
    uint32_t total = 0, percentage = 0, score = 0;
};

Stats StatsOf(const PuzzleDocument& doc) {
    Stats s;
    PuzzleStats(doc, &s.total, &s.percentage, &s.score);
    return s;
}

TEST(PuzzleStatsTest, TwoByTwoGoesZeroThirtyThreeSixtySixHundred) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 2, 2, 30, 20);
    EXPECT_EQ(StatsOf(doc).total, 4u);
    EXPECT_EQ(StatsOf(doc).percentage, 0u);
    doc.pieces[0].group = doc.pieces[1].group = 2;
    EXPECT_EQ(StatsOf(doc).percentage, 33u);
    doc.pieces[2].group = 2;  // 2 is not the largest of {0, 1, 2}: relabel as the rules do
    for (uint32_t p : {0u, 1u, 2u}) doc.pieces[p].group = 3;
    EXPECT_EQ(StatsOf(doc).percentage, 66u);
    for (uint32_t p = 0; p < 4; ++p) doc.pieces[p].group = 4;
    EXPECT_EQ(StatsOf(doc).percentage, 100u);
}

TEST(PuzzleStatsTest, TenByTenScoreHalvesAtSevenSecondsAndFallsWithHints) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 10, 10, 10, 10);
    for (Piece& piece : doc.pieces) piece.group = 100;
    for (uint32_t seconds : {0u, 6u}) {
        doc.ElapsedSeconds = seconds;
        EXPECT_EQ(StatsOf(doc).score, 10000000u) << seconds << " s";
    }
    doc.ElapsedSeconds = 7;
    EXPECT_EQ(StatsOf(doc).score, 5000000u);
    doc.ElapsedSeconds = 14;
    EXPECT_EQ(StatsOf(doc).score, 3333333u) << "three started periods, truncated";
    doc.ElapsedSeconds = 0;
    doc.hintsUsed = 3;
    EXPECT_EQ(StatsOf(doc).score, 97u * 100u * 100u * 10u);
}

TEST(PuzzleStatsTest, NoPuzzleGivesZerosAndHugeScoresStopAtTheRecordsLimit) {
    PuzzleDocument empty;
    const Stats none = StatsOf(empty);
    EXPECT_EQ(none.total, 0u);
    EXPECT_EQ(none.percentage, 0u);
    EXPECT_EQ(none.score, 0u);

    // 60 x 60 = 3600 pieces, complete at once: 3600 x 100 x 3600 x 10 does not fit.
    PuzzleDocument big;
    boardtest::MakePuzzle(big, 60, 60, 2, 2);
    for (Piece& piece : big.pieces) piece.group = 3600;
    EXPECT_EQ(StatsOf(big).score, kLargestScore);
    // More hints than pieces (a damaged file) give 0, not a wrapped number.
    big.hintsUsed = 4000;
    EXPECT_EQ(StatsOf(big).score, 0u);
}

TEST(PuzzleStatsTest, HintsAllowedWhileBelowAFifthOfThePieces) {
    EXPECT_TRUE(HintsAllowed(3, 20));
    EXPECT_FALSE(HintsAllowed(4, 20));
    EXPECT_FALSE(HintsAllowed(1, 4)) << "truncation(0.8) is 0";
    EXPECT_FALSE(HintsAllowed(0, 4));
}

class HintTest : public ::testing::Test {
protected:
    void Make(int32_t rows, int32_t cols) {
        boardtest::MakePuzzle(doc, rows, cols, 30, 20);
        recorder.Attach(doc);
        // Far apart, in a line: no two fit.
        for (uint32_t p = 0; p < doc.pieces.size(); ++p)
            Place(doc, p, 5 + static_cast<int32_t>(p % 8) * 45, 5 + static_cast<int32_t>(p / 8) * 40);
    }
    PuzzleDocument doc;
    Recorder recorder;
};

TEST_F(HintTest, TwentyPiecesAllowFourHintsTheFourthReturnsFalse) {
    Make(4, 5);
    std::vector<bool> results;
    for (int i = 0; i < 4; ++i) results.push_back(recorder.Take(TakeHint(doc)));
    EXPECT_EQ(results, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(doc.hintsUsed, 4u);
    EXPECT_EQ(StatsOf(doc).percentage, 4u * 100u / 19u);
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");
}

TEST_F(HintTest, FourPiecesRunOutAtTheFirstHint) {
    Make(2, 2);
    EXPECT_FALSE(recorder.Take(TakeHint(doc)));
    EXPECT_EQ(doc.hintsUsed, 1u);
}

TEST_F(HintTest, TheLowerPieceMovesAgainstTheHigherOne) {
    Make(2, 2);
    doc.order = {3, 2, 0, 1};  // 3 on top; its first neighbour below it in the stack is 2
    doc.pieces[2].notSelected = 0;
    doc.dirty = 0;
    const Point three{doc.pieces[3].x, doc.pieces[3].y};
    recorder.Take(TakeHint(doc));
    EXPECT_EQ(doc.pieces[3].x, three.x) << "the higher piece stays";
    EXPECT_EQ(doc.pieces[2].x, three.x - 30);
    EXPECT_EQ(doc.pieces[2].y, three.y);
    EXPECT_EQ(doc.pieces[2].group, 4u);
    EXPECT_EQ(doc.pieces[2].notSelected, 1) << "a marked piece is made ordinary first";
    EXPECT_EQ(doc.dirty, 0) << "a hint leaves dirty as it was";
    EXPECT_EQ(recorder.sounds, 1);
}

TEST_F(HintTest, NothingToDoCountsNoHint) {
    Make(2, 2);
    // Board empty: everything in box 1.
    doc.surfaces[0].count = 4;
    doc.surfaces[kBoardSurface].count = 0;
    doc.RestackFromCounts();
    EXPECT_TRUE(recorder.Take(TakeHint(doc)));
    EXPECT_EQ(doc.hintsUsed, 0u);

    // A single piece on the board has nobody to pair with.
    doc.surfaces[0].count = 3;
    doc.surfaces[kBoardSurface].count = 1;
    doc.RestackFromCounts();
    EXPECT_TRUE(recorder.Take(TakeHint(doc)));
    EXPECT_EQ(doc.hintsUsed, 0u);

    // Solved, or no puzzle at all.
    doc.solved = 1;
    EXPECT_TRUE(recorder.Take(TakeHint(doc)));
    PuzzleDocument none;
    EXPECT_TRUE(recorder.Take(TakeHint(none)));
    EXPECT_EQ(doc.hintsUsed, 0u);
}

TEST_F(HintTest, GroupsOnTheBoardAreJoinedWholeAndHintsCanFinishThePuzzle) {
    Make(3, 3);
    int hints = 0;
    while (doc.solved == 0 && hints < 20) {
        recorder.Take(TakeHint(doc));
        ++hints;
        ASSERT_EQ(boardtest::BrokenInvariant(doc), "") << "after hint " << hints;
    }
    EXPECT_EQ(hints, 8) << "each hint is one join: N - 1 of them";
    EXPECT_EQ(doc.solved, 1);
    EXPECT_EQ(recorder.completions, 1);
    EXPECT_EQ(StatsOf(doc).percentage, 100u);
}

TEST(SolveTest, PutsThePictureWholeAndCentredAndStopsTheClock) {
    PuzzleDocument doc;
    boardtest::MakePuzzle(doc, 3, 4, 30, 20, 401, 301);
    Recorder recorder;
    recorder.Attach(doc);
    // Some pieces in boxes 2 and 5, one marked, one small group.
    doc.surfaces[1].count = 2;
    doc.surfaces[4].count = 3;
    doc.surfaces[kBoardSurface].count = 7;
    doc.RestackFromCounts();
    doc.pieces[3].notSelected = 0;
    doc.ClockArmed = 1;
    doc.dirty = 1;
    recorder.Take(SolvePuzzle(doc));
    EXPECT_EQ(doc.solved, 1);
    EXPECT_EQ(doc.ClockArmed, 0);
    EXPECT_EQ(recorder.clockStops, 1);
    for (int s = 0; s < kBoxCount; ++s) {
        EXPECT_EQ(doc.surfaces[static_cast<size_t>(s)].count, 0);
        EXPECT_EQ(doc.surfaces[static_cast<size_t>(s)].stackStart, 0);
    }
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 12);
    EXPECT_EQ(recorder.hidden.size(), 6u);
    EXPECT_EQ(recorder.notices.size(), 6u);
    // ox = (401 - 120) / 2 - 9 = 131, oy = (301 - 60) / 2 - 6 = 114.
    for (uint32_t p = 0; p < 12; ++p) {
        EXPECT_EQ(doc.pieces[p].x, 131 + static_cast<int32_t>(p % 4) * 30) << p;
        EXPECT_EQ(doc.pieces[p].y, 114 + static_cast<int32_t>(p / 4) * 20) << p;
        EXPECT_EQ(doc.pieces[p].group, 12u);
        EXPECT_EQ(doc.pieces[p].notSelected, 1);
    }
    EXPECT_TRUE(recorder.Painted(kBoardSurface, Rect{0, 0, 401, 301}, true));
    EXPECT_TRUE(recorder.Painted(4, Rect{0, 0, 120, 120}, false));
    EXPECT_EQ(recorder.updates, 1);
    EXPECT_EQ(StatsOf(doc).percentage, 100u);
    EXPECT_EQ(boardtest::BrokenInvariant(doc), "");

    // A second solve, and a solve with no puzzle, do nothing.
    recorder.Clear();
    recorder.Take(SolvePuzzle(doc));
    PuzzleDocument none;
    recorder.Take(SolvePuzzle(none));
    EXPECT_TRUE(recorder.paints.empty());
    EXPECT_EQ(recorder.clockStops, 0);
}

// ---- The clock ---------------------------------------------------------------------------

std::string Text(uint32_t h, uint32_t m, uint32_t s) {
    AppString text("old");
    EXPECT_TRUE(ComposeElapsedText(text, h, m, s));
    return text.Text();
}

TEST(GameClockTest, TextIsHoursMinutesSecondsWithLeadingZeros) {
    EXPECT_EQ(Text(0, 0, 0), "00:00:00");
    EXPECT_EQ(Text(1, 2, 5), "01:02:05");
    EXPECT_EQ(Text(10, 59, 9), "10:59:09");
    EXPECT_EQ(Text(100, 0, 0), "100:00:00") << "hours are not limited to two digits";
}

TEST(GameClockTest, TicksRollOverMinutesAndHoursAndStopWhilePaused) {
    PuzzleDocument doc;
    ClockReading reading;
    doc.ElapsedSeconds = 59;
    ASSERT_TRUE(TickClock(doc, &reading));
    EXPECT_EQ(Text(reading.hours, reading.minutes, reading.seconds), "00:01:00");
    doc.ElapsedSeconds = 3599;
    ASSERT_TRUE(TickClock(doc, &reading));
    EXPECT_EQ(Text(reading.hours, reading.minutes, reading.seconds), "01:00:00");
    const ClockReading hundred = SplitElapsed(360000);
    EXPECT_EQ(Text(hundred.hours, hundred.minutes, hundred.seconds), "100:00:00");

    PauseClock(doc);
    EXPECT_FALSE(TickClock(doc, &reading));
    EXPECT_EQ(doc.ElapsedSeconds, 3600u) << "paused ticks count nothing";
    ResumeClock(doc);
    EXPECT_TRUE(TickClock(doc, &reading));
    EXPECT_EQ(doc.ElapsedSeconds, 3601u);
}

TEST(GameClockTest, StartsOnceOnPickUpAndStopsForGood) {
    PuzzleDocument doc;
    doc.ClockArmed = 1;
    doc.ClockPaused = 1;
    EXPECT_TRUE(StartClockOnPickUp(doc));
    EXPECT_EQ(doc.ClockArmed, 0);
    EXPECT_EQ(doc.ClockPaused, 0) << "starting also clears the pause";
    doc.ClockTimerId = 77;
    EXPECT_FALSE(StartClockOnPickUp(doc)) << "only the first pick-up starts it";

    EXPECT_EQ(StopClock(doc), 77u);
    EXPECT_EQ(doc.ClockTimerId, 0u);
    EXPECT_EQ(StopClock(doc), 0u) << "nothing left to kill";
    EXPECT_FALSE(StartClockOnPickUp(doc)) << "a finished game's clock is not armed";
}

TEST(GameClockTest, RestoringAStoredGameArmsUnlessSolved) {
    PuzzleDocument doc;
    doc.ClockTimerId = 5;
    doc.ClockPaused = 1;
    EXPECT_EQ(RestoreClock(doc, 3725, false), 5u);
    EXPECT_EQ(doc.ElapsedSeconds, 3725u);
    EXPECT_EQ(doc.ClockArmed, 1);
    EXPECT_EQ(doc.ClockPaused, 0);
    EXPECT_EQ(doc.ClockTimerId, 0u);
    EXPECT_EQ(RestoreClock(doc, 10, true), 0u);
    EXPECT_EQ(doc.ClockArmed, 0);
}

}  // namespace
