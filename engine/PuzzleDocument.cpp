// The puzzle model's operations on its stacks; see PuzzleDocument.h.
#include "engine/PuzzleDocument.h"

#include <algorithm>
#include <new>

namespace {

template <typename T, typename Allocator>
void Release(std::vector<T, Allocator>& array) {
    std::vector<T, Allocator>().swap(array);
}

}  // namespace

void PuzzleDocument::ReleaseArrays() {
    Release(atlas);
    Release(pieces);
    Release(order);
    for (auto& scratch : paintScratch) Release(scratch);
    shapes.Release();
    cutWork.Release();
}

bool PuzzleDocument::AllocateArrays(int32_t pieceCount, size_t atlasBytes) {
    ReleaseArrays();
    if (pieceCount < 1) return false;
    const auto n = static_cast<size_t>(pieceCount);
    try {
        atlas.assign(atlasBytes, 0);
        pieces.assign(n, Piece{});
        order.assign(n, 0);
        for (auto& scratch : paintScratch) scratch.assign(n, 0);
    } catch (const std::bad_alloc&) {
        ReleaseArrays();
        return false;
    }
    return true;
}

void PuzzleDocument::PutAllPiecesOnBoard() {
    for (size_t n = 0; n < order.size(); ++n) order[n] = static_cast<uint32_t>(n);
    for (auto& surface : surfaces) surface.count = 0;
    surfaces[kBoardSurface].count = PieceCount();
    RestackFromCounts();
}

void PuzzleDocument::RestackFromCounts() {
    int32_t start = 0;
    for (auto& surface : surfaces) {
        surface.stackStart = start;
        start += surface.count;
    }
}

bool PuzzleDocument::StacksAreConsistent() const {
    int64_t start = 0;
    for (const auto& surface : surfaces) {
        if (surface.count < 0 || surface.stackStart != start) return false;
        start += surface.count;
    }
    if (start != PieceCount()) return false;
    std::vector<bool> seen(order.size(), false);
    for (uint32_t piece : order) {
        if (piece >= seen.size() || seen[piece]) return false;
        seen[piece] = true;
    }
    return true;
}

bool PuzzleDocument::MoveStackEntries(int32_t source, int32_t count, int32_t destination) {
    const int64_t size = PieceCount();
    if (source < 0 || destination < 0 || count < 0) return false;
    if (source + static_cast<int64_t>(count) > size || destination + static_cast<int64_t>(count) > size) return false;
    // Moving a block past its neighbours is a rotation of the span they cover together,
    // which needs no copy of the moved entries.
    auto entries = order.begin();
    if (source > destination) {
        std::rotate(entries + destination, entries + source, entries + source + count);
    } else if (source < destination) {
        std::rotate(entries + source, entries + source + count, entries + destination + count);
    }
    return true;
}

bool PuzzleDocument::MoveTopEntries(int from, int to, int32_t count, BoardChanges& changes) {
    if (!IsSurface(from) || !IsSurface(to) || from == to) return false;
    Surface& source = surfaces[static_cast<size_t>(from)];
    Surface& target = surfaces[static_cast<size_t>(to)];
    if (count < 1 || count > source.count) return false;
    // The entries become the first of the target's stack. A target before the source keeps
    // its start and every stack from its successor to the source begins count later; a
    // target behind the source begins count earlier, as does every stack in between.
    if (to < from) {
        if (!MoveStackEntries(source.stackStart, count, target.stackStart)) return false;
        for (int s = to + 1; s <= from; ++s) surfaces[static_cast<size_t>(s)].stackStart += count;
    } else {
        if (!MoveStackEntries(source.stackStart, count, target.stackStart - count)) return false;
        for (int s = from + 1; s <= to; ++s) surfaces[static_cast<size_t>(s)].stackStart -= count;
    }
    const bool targetWasEmpty = target.count == 0;
    target.count += count;
    source.count -= count;
    if (targetWasEmpty) changes.Notify(to, SurfaceNotice::NowHoldsPieces);
    if (source.count == 0) changes.Notify(from, SurfaceNotice::NowEmpty);
    return true;
}

void PuzzleDocument::RelabelGroup(int surface, uint32_t piece, uint32_t newLabel) {
    if (!IsSurface(surface) || piece >= pieces.size()) return;
    const uint32_t oldLabel = pieces[piece].group;
    if (oldLabel == 0) {
        pieces[piece].group = newLabel;
        return;
    }
    const Surface& where = surfaces[static_cast<size_t>(surface)];
    if (where.stackStart < 0 || static_cast<int64_t>(where.stackStart) + where.count > PieceCount()) return;
    const uint32_t* stack = Stack(surface);
    // The bounds checks cost nothing next to the loop and keep a damaged stack (say, from a
    // puzzle file that was not checked) from writing outside the piece array.
    for (int32_t i = 0; i < where.count; ++i) {
        if (stack[i] < pieces.size() && pieces[stack[i]].group == oldLabel) pieces[stack[i]].group = newLabel;
    }
}

BoardChanges PuzzleDocument::ClearGame(bool redraw) {
    BoardChanges changes;
    ReleaseArrays();
    atlasWidth = 0;
    atlasHeightMinusOne = 0;
    for (int s = 0; s < kSurfaceCount; ++s) {
        Surface& surface = surfaces[static_cast<size_t>(s)];
        surface.stackStart = 0;
        if (surface.count == 0) continue;
        surface.count = 0;
        changes.Notify(s, SurfaceNotice::NowEmpty);
    }
    changes.repaintAll = redraw;
    changes.clockAtZero = redraw;
    picture.Close();
    ClockArmed = 0;
    changes.stopClock = true;
    changes.magnifierChanged = true;
    changes.arrowCursor = true;
    return changes;
}

bool PuzzleDocument::StackReadable(int surface) const {
    if (!IsSurface(surface)) return false;
    const Surface& s = surfaces[static_cast<size_t>(surface)];
    return s.count >= 0 && s.stackStart >= 0 &&
           static_cast<int64_t>(s.stackStart) + s.count <= static_cast<int64_t>(order.size()) &&
           pieces.size() == order.size();
}
