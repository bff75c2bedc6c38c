// CutWarmup: the memory of the largest puzzle the board can hold, taken from the system and
// touched ahead of the first cut, on a thread of its own.
//
// The first cut of a run would otherwise write its atlas into fresh pages, and the faults
// that bring those pages in cost more than building the atlas (tens of megabytes on the
// largest screens). The game starts a warm-up at start-up, while the introductory clip and
// the main menu come up; the first cut takes the blocks over (waiting for the worker if it
// has not finished, so that the two never touch the blocks at once) and from then on the
// puzzle keeps them by the rule of KeptBuffer.h: a first game of a similar size is built in
// them, a much smaller one gives them back. Blocks never taken go back at exit.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>

#include "engine/CutWorkspace.h"
#include "engine/PuzzleDocument.h"

// Blocks prepared for a cut; empty ones where there are none.
struct WarmCutBlocks {
    PieceAtlas atlas;
    PictureRowBuffer pictureRows;
};

struct CutBlockSizes {
    uint64_t atlasBytes = 0;
    uint64_t pictureRowBytes = 0;
};

// The blocks of the largest puzzle of a board of this size: a 24-bit picture of the board's
// own shape and size at twice its fitting scale (the zoom's end), cut into the finest grid.
// Zero sizes for a board too small to cut.
CutBlockSizes LargestCutBlocks(int32_t boardWidth, int32_t boardHeight);

// Takes blocks of these sizes and writes every page of them once, so that the system has
// backed them by the time a cut writes them. A block the system cannot give stays empty.
WarmCutBlocks TouchCutBlocks(const CutBlockSizes& sizes) noexcept;

class CutWarmup {
public:
    CutWarmup() = default;
    CutWarmup(const CutWarmup&) = delete;
    CutWarmup& operator=(const CutWarmup&) = delete;
    // Waits for the worker; blocks never taken are given back.
    ~CutWarmup();

    // Runs `prepare` on a worker thread. False, with nothing started, when a warm-up was
    // started before or no thread could be made: the first cut then takes fresh memory as it
    // always could.
    bool Start(std::function<WarmCutBlocks()> prepare) noexcept;
    // The prepared blocks, once: waits for the worker when it is still at work. Empty blocks
    // when no warm-up was started or they were taken before.
    WarmCutBlocks Take() noexcept;

private:
    std::thread worker_;
    WarmCutBlocks blocks_;  // written by the worker, read only after it was joined
    bool started_ = false;
};

// Moves the blocks into the puzzle's arrays that have no memory yet (the first cut of a run);
// the others are given back.
void AdoptWarmCutBlocks(PuzzleDocument& doc, WarmCutBlocks blocks) noexcept;
