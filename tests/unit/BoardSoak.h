// Random play on one grid: pick-ups and drops (on the same surface, on another, outside,
// often right beside a neighbour so that pieces join), rubber bands and selection moves, and
// hints, the game ended by the solve command. After every step the model must hold together:
// the OrderBuffer is a permutation and the counts add up, every group's label is its largest
// member + 1 and its members keep their solved offsets on one surface, only loose pieces are
// marked, the boxes' parents were told exactly when a box emptied or filled, and the back
// buffers show what a full repaint would. Used by the unit tests' short walk and by the long
// soak (tests/soak).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "engine/DropRules.h"
#include "engine/JoinRules.h"
#include "engine/PuzzleStats.h"
#include "engine/Solve.h"
#include "tests/unit/BoardTestSupport.h"

namespace boardsoak {

using boardtest::Recorder;

struct Grid {
    int32_t rows, cols, cellWidth, cellHeight;
    uint32_t seed;
    // The board's client area and the boxes' side; the default suits the small grids.
    int32_t boardWidth = 240;
    int32_t boardHeight = 180;
    int32_t boxSize = 80;
};

class BoardSoak {
public:
    // repaintEvery: the back buffers are compared with a full repaint after every so many
    // steps (1 = after each).
    explicit BoardSoak(const Grid& grid, int repaintEvery = 3)
        : random_(grid.seed),
          boardWidth_(grid.boardWidth),
          boardHeight_(grid.boardHeight),
          repaintEvery_(repaintEvery) {
        boardtest::MakePuzzle(doc_, grid.rows, grid.cols, grid.cellWidth, grid.cellHeight, boardWidth_, boardHeight_,
                              grid.boxSize);
        recorder_.Attach(doc_, boardtest::AsDib(texture_));
        Deal();
    }

    // A new game: every piece loose on the board, anywhere, shuffled.
    void Deal() {
        doc_.PutAllPiecesOnBoard();
        doc_.solved = 0;
        doc_.hintsUsed = 0;
        doc_.ClockArmed = 1;
        recorder_.completions = 0;
        clockStarts_ = 0;
        for (Piece& piece : doc_.pieces) {
            piece.group = 0;
            piece.notSelected = 1;
            piece.x = Uniform(-doc_.marginX, boardWidth_ - doc_.pieceWidth);
            piece.y = Uniform(-doc_.marginY, boardHeight_ - doc_.pieceHeight);
        }
        std::shuffle(doc_.order.begin(), doc_.order.end(), random_);
        for (int s = 0; s < kSurfaceCount; ++s)
            PaintSurfaceRegion(doc_, s, SurfaceRect(doc_, s), false, boardtest::AsDib(texture_));
        for (int s = 0; s < kBoxCount; ++s) holdsPieces_[static_cast<size_t>(s)] = false;
    }

    void Play(int steps) {
        for (step_ = 0; step_ < steps; ++step_) {
            const int choice = Uniform(0, 99);
            if (choice < 76)
                DragPiece();
            else if (choice < 96)
                RubberBand();
            else
                Hint();
            steps_ += last_ + "; ";
            Check();
            if (::testing::Test::HasFatalFailure()) return;
            // A finished game is played on for a while (its group can still be moved), then
            // dealt again.
            if (doc_.solved != 0 && Uniform(0, 19) == 0) {
                EXPECT_EQ(recorder_.completions, 1) << "the completion handler runs once a game";
                EXPECT_LE(clockStarts_, 1) << "the clock starts once a game";
                ++games_;
                Deal();
            }
        }
        // A game the player finished stays solved (its pieces may have been moved on since);
        // any other ends with the solve command, which gathers everything on the board.
        if (doc_.solved != 0) {
            EXPECT_EQ(recorder_.completions, 1);
        } else {
            last_ = "final solve";
            steps_ += last_;
            recorder_.Take(SolvePuzzle(doc_));
            Check();
            EXPECT_EQ(doc_.surfaces[kBoardSurface].count, doc_.PieceCount());
            EXPECT_EQ(recorder_.completions, 0);
        }
        uint32_t total = 0, percentage = 0, score = 0;
        PuzzleStats(doc_, &total, &percentage, &score);
        EXPECT_EQ(percentage, 100u);
        EXPECT_LE(clockStarts_, 1);
        EXPECT_GT(joins_, 0) << "the walk must exercise joining";
    }

    int Joins() const { return joins_; }
    int Games() const { return games_; }

private:
    // Loose pieces and whole groups: one fewer after every join.
    int32_t Clusters() const {
        int32_t clusters = 0;
        for (uint32_t p = 0; p < doc_.pieces.size(); ++p)
            clusters += doc_.pieces[p].group == 0 || doc_.pieces[p].group == p + 1 ? 1 : 0;
        return clusters;
    }

    int32_t Uniform(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random_); }

    int SurfaceWithPieces() {
        std::vector<int> candidates;
        for (int s = 0; s < kSurfaceCount; ++s)
            if (doc_.surfaces[static_cast<size_t>(s)].count > 0) candidates.push_back(s);
        return candidates[static_cast<size_t>(Uniform(0, static_cast<int32_t>(candidates.size()) - 1))];
    }

    Point RandomPointOn(int surface) {
        const Surface& s = doc_.surfaces[static_cast<size_t>(surface)];
        return Point{Uniform(0, s.clientWidth - 1), Uniform(0, s.clientHeight - 1)};
    }

    // Somewhere beside one of the piece's neighbours on the target, a few pixels off, so
    // that about half of these drops are within reach.
    bool BesideANeighbour(uint32_t piece, int target, Point* position) {
        const Surface& t = doc_.surfaces[static_cast<size_t>(target)];
        const uint32_t* stack = doc_.Stack(target);
        std::vector<uint32_t> neighbours;
        for (int32_t i = 0; i < t.count; ++i) {
            NeighbourSide side;
            if (NeighbourSideOf(doc_, piece, stack[i], &side)) neighbours.push_back(stack[i]);
        }
        if (neighbours.empty()) return false;
        const uint32_t q = neighbours[static_cast<size_t>(Uniform(0, static_cast<int32_t>(neighbours.size()) - 1))];
        const auto cols = static_cast<int32_t>(doc_.cols);
        const int32_t dx = (static_cast<int32_t>(q) % cols - static_cast<int32_t>(piece) % cols) * doc_.cellWidth;
        const int32_t dy = (static_cast<int32_t>(q) / cols - static_cast<int32_t>(piece) / cols) * doc_.cellHeight;
        *position = Point{doc_.pieces[q].x - dx + Uniform(-8, 8), doc_.pieces[q].y - dy + Uniform(-8, 8)};
        return true;
    }

    void DragPiece() {
        const int source = SurfaceWithPieces();
        const Surface& s = doc_.surfaces[static_cast<size_t>(source)];
        const uint32_t aimed = doc_.Stack(source)[Uniform(0, s.count - 1)];
        // The middle of the aimed piece's cell; whatever lies on top there is picked up.
        const Point press{doc_.pieces[aimed].x + doc_.marginX + doc_.cellWidth / 2,
                          doc_.pieces[aimed].y + doc_.marginY + doc_.cellHeight / 2};
        const PickUpResult picked = recorder_.Take(PickUp(doc_, drag_, source, press));
        clockStarts_ += picked.changes.startClock ? 1 : 0;
        if (!picked.hitPiece) {
            last_ = "press on empty space at the middle of a cell out of the surface";
            recorder_.Take(Drop(doc_, drag_, source, Point{}));
            return;
        }
        const int where = Uniform(0, 99);
        const int target = where < 55 ? source : where < 88 ? Uniform(0, kSurfaceCount - 1) : kNoSurface;
        Point position = drag_.position;
        if (target != kNoSurface && (Uniform(0, 1) == 0 || !BesideANeighbour(drag_.piece, target, &position)))
            position = RandomPointOn(target) - Point{doc_.pieceWidth / 2, doc_.pieceHeight / 2};
        last_ = "drag of piece " + std::to_string(drag_.piece) + " from " + std::to_string(source) + " to " +
                std::to_string(target);
        const int32_t before = Clusters();
        const DropOutcome outcome = recorder_.Take(Drop(doc_, drag_, target, position));
        joins_ += outcome == DropOutcome::Joined || outcome == DropOutcome::Completed ? 1 : 0;
        if (outcome == DropOutcome::Joined) {
            EXPECT_EQ(Clusters(), before - 1) << last_;
        } else if (outcome == DropOutcome::Completed) {
            EXPECT_EQ(Clusters(), 1) << last_;
        } else {
            EXPECT_EQ(Clusters(), before) << last_;
        }
        if (target == kNoSurface) {
            EXPECT_EQ(outcome, DropOutcome::Returned);
        }
    }

    void RubberBand() {
        const int surface = Uniform(0, kSurfaceCount - 1);
        const PickUpResult picked = recorder_.Take(PickUp(doc_, drag_, surface, RandomPointOn(surface)));
        clockStarts_ += picked.changes.startClock ? 1 : 0;
        if (picked.hitPiece) {
            last_ = "press on a piece meant for a band, dropped outside";
            recorder_.Take(Drop(doc_, drag_, kNoSurface, drag_.position));
            return;
        }
        StretchSelection(drag_, RandomPointOn(surface));
        last_ = "rubber band on " + std::to_string(surface);
        recorder_.Take(Drop(doc_, drag_, surface, Point{}));
    }

    void Hint() {
        last_ = "hint";
        const uint32_t before = doc_.hintsUsed;
        const int32_t clustersBefore = Clusters();
        const bool solved = doc_.solved != 0;
        recorder_.Take(TakeHint(doc_));
        if (doc_.hintsUsed > before) ++joins_;
        EXPECT_EQ(Clusters(), clustersBefore - static_cast<int32_t>(doc_.hintsUsed - before)) << "a hint is one join";
        if (solved) {
            EXPECT_EQ(doc_.hintsUsed, before);
        }
    }

    void Check() {
        SCOPED_TRACE("step " + std::to_string(step_) + ", the last steps: " + steps_);
        ASSERT_EQ(drag_.DragState, kDragIdle);
        ASSERT_EQ(boardtest::BrokenInvariant(doc_), "");
        for (const auto& notice : recorder_.notices)
            if (notice.first < kBoxCount)
                holdsPieces_[static_cast<size_t>(notice.first)] = notice.second == SurfaceNotice::NowHoldsPieces;
        recorder_.notices.clear();
        for (int s = 0; s < kBoxCount; ++s)
            ASSERT_EQ(holdsPieces_[static_cast<size_t>(s)], doc_.surfaces[static_cast<size_t>(s)].count > 0)
                << "box " << s << "'s parent was told otherwise";
        // Repainting seven surfaces is most of the walk's cost under the sanitizers: every
        // third step suffices there, since a missed repaint stays wrong until its area is
        // repainted.
        if (step_ % repaintEvery_ != 0) return;
        steps_.clear();
        for (int s = 0; s < kSurfaceCount; ++s) {
            Surface& surface = doc_.surfaces[static_cast<size_t>(s)];
            const std::vector<uint8_t> shown = surface.backBuffer;
            PaintSurfaceRegion(doc_, s, SurfaceRect(doc_, s), false, boardtest::AsDib(texture_));
            ASSERT_TRUE(shown == surface.backBuffer) << "surface " << s << " was not repainted where it changed";
        }
    }

    std::mt19937 random_;
    int32_t boardWidth_;
    int32_t boardHeight_;
    int repaintEvery_;
    std::vector<uint8_t> texture_ = boardtest::MakeTexture();
    PuzzleDocument doc_;
    DragSession drag_;
    Recorder recorder_;
    std::array<bool, kBoxCount> holdsPieces_{};
    int step_ = 0;
    std::string last_;   // what the current step does
    std::string steps_;  // the steps since the back buffers were last compared
    int joins_ = 0;
    int clockStarts_ = 0;
    int games_ = 0;
};

}  // namespace boardsoak
