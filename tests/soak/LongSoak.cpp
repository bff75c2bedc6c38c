// The long soak: at least 100,000 random steps on the largest grid the game deals (42 rows of
// 81 pieces, a 1920 x 1080 screen's puzzle), with every invariant of the model checked after
// each step and the back buffers compared with a full repaint of every surface after every
// VEXLA_SOAK_REPAINT_EVERY steps (default 1; a missed repaint stays wrong until its area is
// painted again, so a larger value still finds it, later). Prints the steps per second.
// VEXLA_SOAK_STEPS sets the number of steps (default 100000).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/unit/BoardSoak.h"

namespace {

int Setting(const char* name, int fallback) {
    const char* text = std::getenv(name);
    const long value = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return value > 0 && value < 100000000 ? static_cast<int>(value) : fallback;
}

TEST(LongSoak, RandomPlayOnTheLargestGridKeepsTheModelWhole) {
    // Small cells keep the painting cheap; the grid and so the stacks, groups and joins are
    // those of the largest puzzle.
    boardsoak::Grid grid{42, 81, 12, 9, 20};
    grid.boardWidth = 1200;
    grid.boardHeight = 560;
    grid.boxSize = 200;
    const int steps = Setting("VEXLA_SOAK_STEPS", 100000);
    const int repaintEvery = Setting("VEXLA_SOAK_REPAINT_EVERY", 1);
    boardsoak::BoardSoak soak(grid, repaintEvery);
    const auto start = std::chrono::steady_clock::now();
    soak.Play(steps);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "long soak: %d steps on %d x %d (back buffers compared every %d) in %.1f s, %.0f steps/s, %d joins, "
        "%d games finished\n",
        steps, grid.rows, grid.cols, repaintEvery, seconds, steps / seconds, soak.Joins(), soak.Games());
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
