// The warm-up of the first cut's memory: the sizes it prepares for a board, the hand-over of
// its blocks from the worker thread, and the first cut building in them, whatever its size.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "engine/Cut.h"
#include "engine/CutWarmup.h"
#include "tests/unit/CutTestSupport.h"

namespace {

// The board areas of a 1024 x 768 and a 1920 x 1080 screen: a picture of the board's shape at
// twice its fitting scale, 42 x 28 and 81 x 42 pieces of 73 x 73 pixels (cells of 45, margins
// of 14), and 24-bit rows of the board's width. Boards too small to cut have none.
TEST(CutWarmupSizes, TheLargestPuzzleOfTheBoard) {
    struct Case {
        int32_t width, height;
        bool ok;
        int32_t rows, cols, pieceWidth, pieceHeight;
        uint64_t pictureRowBytes;
    } const cases[] = {
        {947, 640, true, 28, 42, 73, 73, 2844ull * 640},
        {1843, 952, true, 42, 81, 73, 73, 5532ull * 952},
        {22, 640, false, 0, 0, 0, 0, 0},
        {947, 0, false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const LargestCut cut = LargestCutOfBoard(c.width, c.height);
        EXPECT_EQ(cut.ok, c.ok) << c.width << " x " << c.height;
        if (!c.ok) continue;
        EXPECT_EQ(cut.grid.rows, c.rows);
        EXPECT_EQ(cut.grid.cols, c.cols);
        EXPECT_EQ(cut.geometry.pieceWidth, c.pieceWidth);
        EXPECT_EQ(cut.geometry.pieceHeight, c.pieceHeight);
        EXPECT_EQ(cut.pictureRowBytes, c.pictureRowBytes);
    }
}

// Every array and work buffer of the largest puzzle's cut is there, the atlas and the picture
// rows at their full size; a board too small to cut gets nothing.
TEST(CutWarmupSizes, TouchedBlocksHoldTheLargestCut) {
    const LargestCut cut = LargestCutOfBoard(300, 200);
    ASSERT_TRUE(cut.ok);
    const WarmCutBlocks blocks = TouchCutBlocks(cut);
    const size_t pieces = static_cast<size_t>(cut.grid.rows * cut.grid.cols);
    EXPECT_EQ(blocks.atlas.size(), cut.geometry.atlasBytes);
    EXPECT_EQ(blocks.work.pictureRows.size(), cut.pictureRowBytes);
    EXPECT_EQ(blocks.work.pictureColumnOfX.size(), static_cast<size_t>(cut.geometry.scaledWidth));
    EXPECT_EQ(blocks.work.templateRowOfV.size(), static_cast<size_t>(cut.geometry.pieceHeight));
    EXPECT_EQ(blocks.pieces.size(), pieces);
    EXPECT_EQ(blocks.order.size(), pieces);
    for (const auto& scratch : blocks.paintScratch) EXPECT_EQ(scratch.size(), pieces);
    EXPECT_TRUE(TouchCutBlocks(LargestCutOfBoard(22, 640)).atlas.empty());
}

// Read from a file, the picture rows hold its bytes over and over; an empty or missing file
// leaves them touched by writes, at their full size all the same.
TEST(CutWarmupSizes, PictureRowsReadFromAFileRepeatIt) {
    const LargestCut cut = LargestCutOfBoard(300, 200);
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string pattern = (folder / "vexla_warmup_pattern.bin").string();
    const std::string empty = (folder / "vexla_warmup_empty.bin").string();
    std::vector<char> bytes(1000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    std::ofstream(pattern, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::ofstream(empty, std::ios::binary).flush();

    const WarmCutBlocks read = TouchCutBlocks(cut, nullptr, pattern.c_str());
    ASSERT_EQ(read.work.pictureRows.size(), cut.pictureRowBytes);
    size_t differing = 0;
    for (size_t i = 0; i < read.work.pictureRows.size(); ++i)
        differing += read.work.pictureRows[i] != static_cast<uint8_t>(bytes[i % bytes.size()]);
    EXPECT_EQ(differing, 0u);
    for (const std::string& unreadable : {empty, (folder / "vexla_warmup_missing.bin").string()})
        EXPECT_EQ(TouchCutBlocks(cut, nullptr, unreadable.c_str()).work.pictureRows.size(), cut.pictureRowBytes)
            << unreadable;
    std::filesystem::remove(pattern);
    std::filesystem::remove(empty);
}

// A warm-up started after such a Take is not told to stop before it began.
TEST(CutWarmup, TakeWithoutAWarmupGivesNoBlocks) {
    CutWarmup warmup;
    const WarmCutBlocks blocks = warmup.Take();
    EXPECT_TRUE(blocks.atlas.empty());
    EXPECT_TRUE(blocks.work.pictureRows.empty());
    ASSERT_TRUE(warmup.Start([](const std::atomic<bool>& stop) {
        WarmCutBlocks prepared;
        if (!stop.load()) prepared.pieces.resize(3);
        return prepared;
    }));
    warmup.WaitUntilDone();
    EXPECT_EQ(warmup.Take().pieces.size(), 3u);
}

// The worker is held until another thread lets it go; Take, asked meanwhile, returns the
// finished blocks, and only once. A second warm-up is refused.
TEST(CutWarmup, TakeWaitsForAnUnfinishedWarmupAndHandsItsBlocksOverOnce) {
    std::promise<void> go;
    std::shared_future<void> released = go.get_future().share();
    CutWarmup warmup;
    ASSERT_TRUE(warmup.Start([released](const std::atomic<bool>&) {
        released.wait();
        return TouchCutBlocks(LargestCutOfBoard(300, 200));
    }));
    EXPECT_FALSE(warmup.Start([](const std::atomic<bool>&) { return WarmCutBlocks{}; })) << "one warm-up a run";
    std::thread releaser([&go] { go.set_value(); });
    const WarmCutBlocks blocks = warmup.Take();
    releaser.join();
    EXPECT_EQ(blocks.atlas.size(), LargestCutOfBoard(300, 200).geometry.atlasBytes);
    EXPECT_TRUE(warmup.Take().atlas.empty()) << "handed over once";
}

// A cut that comes while the worker is still at work does not wait for all of it: the worker
// is told to stop, and what it has by then is handed over.
TEST(CutWarmup, TakeTellsAWarmupStillAtWorkToStop) {
    CutWarmup warmup;
    ASSERT_TRUE(warmup.Start([](const std::atomic<bool>& stop) {
        WarmCutBlocks blocks;
        blocks.pieces.resize(3);
        while (!stop.load()) std::this_thread::yield();
        return blocks;
    }));
    EXPECT_EQ(warmup.Take().pieces.size(), 3u);
}

// Waiting for the worker lets it finish in full: it is not told to stop.
TEST(CutWarmup, WaitUntilDoneLetsTheWorkerFinish) {
    CutWarmup warmup;
    bool toldToStop = true;
    ASSERT_TRUE(warmup.Start([&toldToStop](const std::atomic<bool>& stop) {
        toldToStop = stop.load();
        return TouchCutBlocks(LargestCutOfBoard(300, 200), &stop);
    }));
    warmup.WaitUntilDone();
    EXPECT_FALSE(toldToStop);
    EXPECT_EQ(warmup.Take().atlas.size(), LargestCutOfBoard(300, 200).geometry.atlasBytes);
}

// A warm-up that fails leaves no blocks, and one never taken ends with its owner.
TEST(CutWarmup, AFailedOrUntakenWarmupEndsQuietly) {
    CutWarmup failing;
    ASSERT_TRUE(failing.Start([](const std::atomic<bool>&) -> WarmCutBlocks { throw std::bad_alloc(); }));
    EXPECT_TRUE(failing.Take().atlas.empty());

    CutWarmup untaken;
    EXPECT_TRUE(untaken.Start(
        [](const std::atomic<bool>& stop) { return TouchCutBlocks(LargestCutOfBoard(300, 200), &stop); }));
}

// The small puzzle's own arrays (240 x 200 at 24 bits, 4 x 4) warmed in blocks of some
// multiple of their size, full of stale bytes: the first cut builds its atlas and picture rows
// in the warmed blocks whatever their size, and the same atlas as a cut in fresh memory; the
// heap arrays are used when no more than twice as large and given back otherwise.
TEST(CutWarmup, TheFirstCutBuildsInTheWarmedBlocksWhateverTheirSize) {
    cuttest::CutBench reference;
    reference.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
    ASSERT_TRUE(reference.Open(cuttest::PictureOf(240, 200, 24), 1.0, 4, 4));
    ASSERT_TRUE(reference.Take(Cut(reference.doc, reference.env, 2, 2, 3000, true)));
    const PieceAtlas& coldAtlas = reference.doc.atlas;
    const size_t rowBytes = reference.doc.cutWork.pictureRows.size();

    struct Case {
        size_t times;
        bool piecesKept;
    } const cases[] = {{1, true}, {2, true}, {4, false}};
    for (const Case& c : cases) {
        cuttest::CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(240, 200, 24), 1.0, 4, 4));
        WarmCutBlocks warm;
        warm.atlas.assign(c.times * coldAtlas.size(), 0xA5);
        warm.work.pictureRows.assign(c.times * rowBytes, 0xA5);
        warm.pieces.resize(c.times * 16);
        const uint8_t* warmAtlas = warm.atlas.data();
        const uint8_t* warmRows = warm.work.pictureRows.data();
        const Piece* warmPieces = warm.pieces.data();
        int taken = 0;
        bench.env.takeWarmBlocks = [&] {
            ++taken;
            return std::move(warm);
        };
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true))) << c.times;
        EXPECT_EQ(taken, 1);
        const PuzzleDocument& d = bench.doc;
        EXPECT_EQ(d.atlas.data(), warmAtlas) << c.times;
        EXPECT_EQ(d.atlas.capacity(), c.times * coldAtlas.size()) << c.times;
        EXPECT_EQ(d.cutWork.pictureRows.data(), warmRows) << c.times;
        EXPECT_TRUE(std::equal(d.atlas.begin(), d.atlas.end(), coldAtlas.begin(), coldAtlas.end())) << c.times;
        // A vector given back may be allocated again at the same address, so only sizes tell.
        EXPECT_EQ(d.pieces.capacity(), c.piecesKept ? c.times * 16 : 16u) << c.times;
        if (c.piecesKept) {
            EXPECT_EQ(d.pieces.data(), warmPieces);
        }
        const cuttest::SolvedPicture laid = cuttest::LaySolved(d, 240, 200, 240, 200, 24);
        EXPECT_TRUE(laid.Clean()) << c.times << ": " << laid.first;
    }
}

// The common first game after a real warm-up: the picture fitted to the board, a quarter of the
// largest atlas, 8- or 24-bit (rows of a third or all of the warmed rows' size). It is built in
// the warmed atlas and picture rows, and its atlas matches a cut in fresh memory.
TEST(CutWarmup, AFittedFirstGameBuildsInTheWarmedBlocks) {
    const LargestCut largest = LargestCutOfBoard(300, 200);
    ASSERT_TRUE(largest.ok);
    const int32_t rows = largest.grid.rows / 2;
    const int32_t cols = largest.grid.cols / 2;
    for (const uint16_t bitCount : {uint16_t{24}, uint16_t{8}}) {
        cuttest::CutBench cold;
        cold.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
        ASSERT_TRUE(cold.Open(cuttest::PictureOf(300, 200, bitCount), 1.0, rows, cols));
        ASSERT_TRUE(cold.Take(Cut(cold.doc, cold.env, 2, 2, 3000, true)));
        ASSERT_LT(cold.doc.atlas.size() * 2, largest.geometry.atlasBytes) << "most of the warmed atlas stands idle";

        cuttest::CutBench bench;
        bench.AddTemplate(3000, cuttest::MakeTemplate(cuttest::kRoundKnob));
        ASSERT_TRUE(bench.Open(cuttest::PictureOf(300, 200, bitCount), 1.0, rows, cols));
        WarmCutBlocks warm = TouchCutBlocks(largest);
        const uint8_t* warmAtlas = warm.atlas.data();
        const uint8_t* warmRows = warm.work.pictureRows.data();
        bench.env.takeWarmBlocks = [&] { return std::move(warm); };
        ASSERT_TRUE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true))) << bitCount;
        const PuzzleDocument& d = bench.doc;
        EXPECT_EQ(d.atlas.data(), warmAtlas) << bitCount;
        EXPECT_EQ(d.cutWork.pictureRows.data(), warmRows) << bitCount;
        const PieceAtlas& coldAtlas = cold.doc.atlas;
        EXPECT_TRUE(std::equal(d.atlas.begin(), d.atlas.end(), coldAtlas.begin(), coldAtlas.end())) << bitCount;
    }
}

// A cut refused before the puzzle in play is touched leaves the blocks with the warm-up.
TEST(CutWarmup, ARefusedCutLeavesTheBlocksUntaken) {
    cuttest::CutBench bench;
    ASSERT_TRUE(bench.Open(cuttest::PictureOf(120, 100, 24), 1.0, 2, 2));
    int taken = 0;
    bench.env.takeWarmBlocks = [&] {
        ++taken;
        return WarmCutBlocks{};
    };
    EXPECT_FALSE(bench.Take(Cut(bench.doc, bench.env, 2, 2, 3000, true))) << "no template 3000";
    EXPECT_EQ(taken, 0);
}

}  // namespace
