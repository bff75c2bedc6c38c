// The warm-up of the first cut's memory; see CutWarmup.h.
#include "engine/CutWarmup.h"

#include <exception>
#include <new>
#include <system_error>
#include <utility>

#include "engine/CutGeometry.h"
#include "engine/PackedDib.h"
#include "engine/ScaleRules.h"

namespace {

// One write a page brings the page in; the smallest page any system uses is 4 KB.
constexpr size_t kTouchStride = 4096;

int32_t FinestGridCount(double scaledSide) {
    const auto count = static_cast<int32_t>(scaledSide / kFinestCell);
    return count < kFewestCells ? kFewestCells : count;
}

template <typename Buffer>
void TakeAndTouch(Buffer& block, uint64_t bytes) noexcept {
    if (bytes == 0 || bytes > SIZE_MAX) return;
    try {
        block.resize(static_cast<size_t>(bytes));  // the large-block allocator leaves it untouched
    } catch (const std::exception&) {
        Buffer().swap(block);
        return;
    }
    auto* const bytesOfBlock = reinterpret_cast<volatile uint8_t*>(block.data());
    for (size_t at = 0; at < block.size(); at += kTouchStride) bytesOfBlock[at] = 0;
}

}  // namespace

CutBlockSizes LargestCutBlocks(int32_t boardWidth, int32_t boardHeight) {
    constexpr double kZoomEnd = 2.0;  // twice the fitting scale, which is 1 for this picture
    const int32_t cols = FinestGridCount(boardWidth * kZoomEnd);
    const int32_t rows = FinestGridCount(boardHeight * kZoomEnd);
    CutGeometry g;
    if (ComputeCutGeometry(boardWidth, boardHeight, kZoomEnd, rows, cols, &g) != GeometryCheck::Ok) return {};
    CutBlockSizes sizes;
    sizes.atlasBytes = g.atlasBytes;
    sizes.pictureRowBytes = static_cast<uint64_t>(DibRowBytes(boardWidth, 24)) * static_cast<uint64_t>(boardHeight);
    return sizes;
}

WarmCutBlocks TouchCutBlocks(const CutBlockSizes& sizes) noexcept {
    WarmCutBlocks blocks;
    TakeAndTouch(blocks.atlas, sizes.atlasBytes);
    TakeAndTouch(blocks.pictureRows, sizes.pictureRowBytes);
    return blocks;
}

CutWarmup::~CutWarmup() {
    if (worker_.joinable()) worker_.join();
}

bool CutWarmup::Start(std::function<WarmCutBlocks()> prepare) noexcept {
    if (started_ || !prepare) return false;
    try {
        worker_ = std::thread([this, prepare = std::move(prepare)]() noexcept {
            try {
                blocks_ = prepare();
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

WarmCutBlocks CutWarmup::Take() noexcept {
    if (worker_.joinable()) worker_.join();
    return std::exchange(blocks_, WarmCutBlocks{});
}

void AdoptWarmCutBlocks(PuzzleDocument& doc, WarmCutBlocks blocks) noexcept {
    if (doc.atlas.capacity() == 0) doc.atlas.swap(blocks.atlas);
    if (doc.cutWork.pictureRows.capacity() == 0) doc.cutWork.pictureRows.swap(blocks.pictureRows);
}
