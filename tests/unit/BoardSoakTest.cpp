// Random play on several small grids, a few thousand steps in all (the long soak on the
// largest grid is tests/soak).
#include <string>

#include "tests/unit/BoardSoak.h"

namespace {

using boardsoak::BoardSoak;
using boardsoak::Grid;

TEST(BoardSoakTest, RandomPlayKeepsTheModelWholeOnSeveralGrids) {
    const Grid grids[] = {
        {2, 2, 40, 30, 1}, {3, 5, 24, 18, 2}, {6, 4, 20, 16, 3}, {10, 10, 12, 9, 4}, {7, 9, 14, 11, 5},
    };
    for (const Grid& grid : grids) {
        SCOPED_TRACE(std::to_string(grid.rows) + " x " + std::to_string(grid.cols));
        BoardSoak soak(grid);
        soak.Play(900);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
