#include "engine/PieceReach.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// The cells of a loose piece or of a group, on one surface.
struct PieceSet {
    std::vector<uint32_t> members;
};

bool CellShows(const PuzzleDocument& doc, const Piece& piece, int32_t width, int32_t height) {
    const int32_t left = piece.x + doc.marginX, top = piece.y + doc.marginY;
    return left < width && left + doc.cellWidth > 0 && top < height && top + doc.cellHeight > 0;
}

// The move along one axis that brings [low, high) inside [0, size): none when it is inside,
// else the least one, and a span longer than the surface starts at 0.
int32_t MoveInside(int32_t low, int32_t high, int32_t size) {
    const int32_t target = std::clamp(low, 0, std::max(0, size - (high - low)));
    return target - low;
}

bool BringSetWithinReach(PuzzleDocument& doc, const PieceSet& set, int32_t width, int32_t height) {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (uint32_t member : set.members) {
        const Piece& piece = doc.pieces[member];
        if (CellShows(doc, piece, width, height)) return false;
        left = std::min(left, piece.x + doc.marginX);
        top = std::min(top, piece.y + doc.marginY);
        right = std::max(right, piece.x + doc.marginX + doc.cellWidth);
        bottom = std::max(bottom, piece.y + doc.marginY + doc.cellHeight);
    }
    const int32_t dx = MoveInside(left, right, width), dy = MoveInside(top, bottom, height);
    for (uint32_t member : set.members) {
        doc.pieces[member].x += dx;
        doc.pieces[member].y += dy;
    }
    return dx != 0 || dy != 0;
}

}  // namespace

bool BringPiecesWithinReach(PuzzleDocument& doc) {
    bool moved = false;
    for (int surface = 0; surface < kSurfaceCount; ++surface) {
        const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
        if (s.clientWidth <= 0 || s.clientHeight <= 0 || s.count == 0 || !doc.StackReadable(surface)) continue;
        std::vector<PieceSet> sets;
        std::map<uint32_t, size_t> setOfGroup;
        const uint32_t* stack = doc.Stack(surface);
        for (int32_t i = 0; i < s.count; ++i) {
            const uint32_t piece = stack[i];
            const uint32_t group = doc.pieces[piece].group;
            if (group == 0) {
                sets.push_back(PieceSet{{piece}});
                continue;
            }
            const auto [found, added] = setOfGroup.emplace(group, sets.size());
            if (added) sets.emplace_back();
            sets[found->second].members.push_back(piece);
        }
        for (const PieceSet& set : sets) moved = BringSetWithinReach(doc, set, s.clientWidth, s.clientHeight) || moved;
    }
    return moved;
}
