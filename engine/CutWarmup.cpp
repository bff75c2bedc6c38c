// The warm-up of the first cut's memory; see CutWarmup.h.
#include "engine/CutWarmup.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <new>
#include <utility>

#include "engine/BinaryFile.h"
#include "engine/PackedDib.h"
#include "engine/ScaleRules.h"

namespace {

// The smallest page any system uses.
constexpr size_t kTouchStride = 4096;
// How much is touched between two looks at the stop flag: a huge page.
constexpr size_t kStopCheckBytes = size_t{2} << 20;

int32_t FinestGridCount(double scaledSide) {
    const auto count = static_cast<int32_t>(scaledSide / kFinestCell);
    return count < kFewestCells ? kFewestCells : count;
}

// Reads the file into block[0, size), from its start again whenever it runs out, looking at
// the stop flag every 2 MB. Returns how far it got: less than size once `stop` is set or the
// file gives nothing (empty, or no longer readable).
size_t ReadOverAndOver(BinaryFile& file, uint8_t* block, size_t size, const std::atomic<bool>* stop) {
    size_t at = 0;
    bool rewound = false;  // back at the file's start with nothing read since
    while (at < size) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) break;
        const size_t got = file.Read(block + at, std::min(size - at, kStopCheckBytes - at % kStopCheckBytes));
        if (got > 0) {
            at += got;
            rewound = false;
        } else if (rewound || !file.Seek(0)) {
            break;
        } else {
            rewound = true;
        }
    }
    return at;
}

// The large blocks come untouched from the system: one write a page brings each page in.
// With `readFrom`, the block is first filled by reading that file into it, as the cut reads
// a picture into the picture rows: under Wine a page's first read from a file costs some
// microseconds even when the page is backed, later ones almost nothing, so rows read into
// pages only written so far would come slower in the first cut than in later ones. What the
// file cannot fill is touched by writes.
template <typename Buffer>
void TakeAndTouch(Buffer& block, uint64_t bytes, const std::atomic<bool>* stop, const char* readFrom = nullptr) {
    if (bytes > SIZE_MAX) throw std::bad_alloc();
    block.resize(static_cast<size_t>(bytes));
    size_t read = 0;
    BinaryFile file;
    if (readFrom != nullptr && file.OpenRead(readFrom))
        read = ReadOverAndOver(file, reinterpret_cast<uint8_t*>(block.data()), block.size(), stop);
    auto* const bytesOfBlock = reinterpret_cast<volatile uint8_t*>(block.data());
    for (size_t stretch = read; stretch < block.size(); stretch += kStopCheckBytes) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
        const size_t end = std::min(block.size(), stretch + kStopCheckBytes);
        for (size_t at = stretch; at < end; at += kTouchStride) bytesOfBlock[at] = 0;
    }
}

}  // namespace

LargestCut LargestCutOfBoard(int32_t boardWidth, int32_t boardHeight) {
    constexpr double kZoomEnd = 2.0;  // twice the fitting scale, which is 1 for this picture
    constexpr int32_t kTemplateGrid = 2;
    LargestCut cut;
    cut.pictureWidth = boardWidth;
    cut.pictureHeight = boardHeight;
    cut.grid = AtlasGrid{FinestGridCount(boardHeight * kZoomEnd), FinestGridCount(boardWidth * kZoomEnd), kTemplateGrid,
                         kTemplateGrid};
    cut.ok = ComputeCutGeometry(boardWidth, boardHeight, kZoomEnd, cut.grid.rows, cut.grid.cols, &cut.geometry) ==
             GeometryCheck::Ok;
    if (cut.ok)
        cut.pictureRowBytes = static_cast<uint64_t>(DibRowBytes(boardWidth, 24)) * static_cast<uint64_t>(boardHeight);
    return cut;
}

WarmCutBlocks TouchCutBlocks(const LargestCut& cut, const std::atomic<bool>* stop, const char* readFrom) noexcept {
    WarmCutBlocks blocks;
    if (!cut.ok) return blocks;
    const CutGeometry& g = cut.geometry;
    const auto pieceCount = static_cast<size_t>(cut.grid.rows) * static_cast<size_t>(cut.grid.cols);
    try {
        // Vectors on the heap are value-initialised by resize, which writes every page.
        CutWorkspace& work = blocks.work;
        work.pictureColumnOfX.resize(static_cast<size_t>(g.scaledWidth));
        work.pictureRowOfY.resize(static_cast<size_t>(g.scaledHeight));
        work.templateColumnOfU.resize(static_cast<size_t>(g.pieceWidth));
        work.templateRowOfV.resize(static_cast<size_t>(g.pieceHeight));
        TakeAndTouch(work.pictureRows, cut.pictureRowBytes, stop, readFrom);
        TakeAndTouch(blocks.atlas, g.atlasBytes, stop);
        blocks.pieces.resize(pieceCount);
        blocks.order.resize(pieceCount);
        for (auto& scratch : blocks.paintScratch) scratch.resize(pieceCount);
        if (!work.builder.Allocate(g, cut.grid, cut.pictureWidth)) throw std::bad_alloc();
    } catch (const std::exception&) {
        return WarmCutBlocks{};  // memory is short: nothing is held for a cut that may never come
    }
    return blocks;
}

CutWarmup::~CutWarmup() {
    stop_.store(true, std::memory_order_relaxed);
    if (worker_.joinable()) worker_.join();
}

bool CutWarmup::Start(Work prepare) noexcept {
    if (started_ || !prepare) return false;
    // A Take before any warm-up (a cut before start-up began one) set the flag; no worker
    // reads it now.
    stop_.store(false, std::memory_order_relaxed);
    try {
        worker_ = std::thread([this, prepare = std::move(prepare)]() noexcept {
            try {
                blocks_ = prepare(stop_);
            } catch (...) {
                // A warm-up that fails leaves the first cut to take fresh memory.
            }
        });
    } catch (const std::exception&) {
        return false;  // no thread (or no memory for the function): nothing was started
    }
    started_ = true;
    return true;
}

void CutWarmup::WaitUntilDone() noexcept {
    if (worker_.joinable()) worker_.join();
}

WarmCutBlocks CutWarmup::Take() noexcept {
    stop_.store(true, std::memory_order_relaxed);
    if (worker_.joinable()) worker_.join();
    return std::exchange(blocks_, WarmCutBlocks{});
}

void AdoptWarmCutBlocks(PuzzleDocument& doc, WarmCutBlocks blocks) noexcept {
    if (doc.atlas.capacity() != 0) return;
    doc.atlas.swap(blocks.atlas);
    doc.pieces.swap(blocks.pieces);
    doc.order.swap(blocks.order);
    for (size_t k = 0; k < doc.paintScratch.size(); ++k) doc.paintScratch[k].swap(blocks.paintScratch[k]);
    std::swap(doc.cutWork, blocks.work);
}
