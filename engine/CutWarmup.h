// CutWarmup: the memory of the largest puzzle the board can hold, taken from the system and
// touched ahead of the first cut, on a thread of its own.
//
// The first cut of a run would otherwise write its atlas into fresh pages, and the faults
// that bring those pages in cost more than building the atlas (tens of megabytes on the
// largest screens; on Wine, where every 4 KB page faults on its own, a tenth of a second and
// more). The game starts a warm-up once the introductory clip or the main menu is up. The
// first cut takes the blocks over: a worker still at work is told to stop and the cut waits
// only for the stretch in hand, so that the two never touch the blocks at once, and the pages
// it did not reach come in as the cut writes them. From then on the puzzle keeps the blocks
// by the rule of KeptBuffer.h: the first game builds its atlas and picture rows in the warmed
// large blocks whatever its size (a much smaller one, such as the common picture fitted to the
// board, gives the pages of their idle tails back), and its heap arrays in the warmed ones when
// it is more than half the largest size. Blocks never taken go back at exit.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "engine/AtlasBuilder.h"
#include "engine/CutGeometry.h"
#include "engine/CutWorkspace.h"
#include "engine/PuzzleDocument.h"

// The puzzle's arrays and the cut's work buffers prepared for a cut; empty ones where there
// are none.
struct WarmCutBlocks {
    PieceAtlas atlas;
    std::vector<Piece> pieces;
    OrderBuffer order;
    std::array<std::vector<uint32_t>, 3> paintScratch;
    CutWorkspace work;
};

// The largest puzzle of a board: a 24-bit picture of the board's own shape and size at twice
// its fitting scale (the zoom's end), cut into the finest grid with a 2 x 2 template.
struct LargestCut {
    bool ok = false;  // false for a board too small to cut
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    uint64_t pictureRowBytes = 0;
    CutGeometry geometry;
    AtlasGrid grid;
};
LargestCut LargestCutOfBoard(int32_t boardWidth, int32_t boardHeight);

// Takes every array and work buffer a cut of this size asks for, as the cut sizes them, and
// writes every page of them once, so that the system has backed them by the time the cut
// writes them. Whatever the system cannot give stays empty. Once `stop` is set, the pages
// not yet written are left to the cut (checked every 2 MB). With `readFrom`, a file the game
// always has (its own program file), the picture rows are brought in by reading it into
// them, as the cut reads the picture, rather than by writes.
WarmCutBlocks TouchCutBlocks(const LargestCut& cut,
                             const std::atomic<bool>* stop = nullptr,
                             const char* readFrom = nullptr) noexcept;

class CutWarmup {
public:
    CutWarmup() = default;
    CutWarmup(const CutWarmup&) = delete;
    CutWarmup& operator=(const CutWarmup&) = delete;
    // Waits for the worker; blocks never taken are given back.
    ~CutWarmup();

    // What the worker does; it should return soon once `stop` is set.
    using Work = std::function<WarmCutBlocks(const std::atomic<bool>& stop)>;

    // Runs `prepare` on a worker thread. False, with nothing started, when a warm-up was
    // started before or no thread could be made: the first cut then takes fresh memory as it
    // always could.
    bool Start(Work prepare) noexcept;
    // Waits for the worker to finish its work in full, without taking the blocks: what a
    // warm-up that ended during start-up looks like to the first cut (benchmarks use it).
    void WaitUntilDone() noexcept;
    // The prepared blocks, once: a worker still at work is told to stop and waited for.
    // Empty blocks when no warm-up was started or they were taken before.
    WarmCutBlocks Take() noexcept;

private:
    std::thread worker_;
    std::atomic<bool> stop_{false};
    WarmCutBlocks blocks_;  // written by the worker, read only after it was joined
    bool started_ = false;
};

// A puzzle that holds no atlas (the first cut of a run, or after a game was cleared) takes
// every block over in place of its own; otherwise the blocks are given back.
void AdoptWarmCutBlocks(PuzzleDocument& doc, WarmCutBlocks blocks) noexcept;
