// Snapping and joining; see JoinRules.h.
#include "engine/JoinRules.h"

#include <algorithm>
#include <cstdlib>

#include "engine/PieceAreas.h"
#include "engine/PieceBevel.h"
#include "engine/Solve.h"

namespace {

// Moves the stack entries that satisfy `belongs` (after the first) up under the first, both
// parts keeping their order. Returns the size of the leading part, the first included.
template <typename Predicate>
int32_t GatherUnderTop(uint32_t* stack, int32_t count, Predicate belongs) {
    uint32_t* end = std::stable_partition(stack + 1, stack + count, belongs);
    return static_cast<int32_t>(end - stack);
}

// Brings `piece` to the top of `surface` with the rest of its group right under it, without
// repainting, and returns the size of the group (1 for a loose piece); 0 when the piece is
// not on the surface.
int32_t GroupToTop(PuzzleDocument& doc, int surface, uint32_t piece) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    uint32_t* stack = doc.Stack(surface);
    const auto found = std::find(stack, stack + s.count, piece);
    if (found == stack + s.count) return 0;
    doc.MoveStackEntries(s.stackStart + static_cast<int32_t>(found - stack), 1, s.stackStart);
    const uint32_t group = doc.pieces[piece].group;
    if (group == 0) return 1;
    return GatherUnderTop(stack, s.count, [&](uint32_t other) { return doc.pieces[other].group == group; });
}

}  // namespace

bool NeighbourSideOf(const PuzzleDocument& doc, uint32_t piece, uint32_t other, NeighbourSide* side) {
    const auto cols = static_cast<uint32_t>(doc.cols);
    if (cols == 0) return false;
    const uint32_t column = piece % cols;
    if (piece >= cols && other == piece - cols) {
        *side = NeighbourSide::Above;
    } else if (column != cols - 1 && other == piece + 1) {
        *side = NeighbourSide::Right;
    } else if (other == piece + cols) {
        *side = NeighbourSide::Below;
    } else if (column != 0 && other == piece - 1) {
        *side = NeighbourSide::Left;
    } else {
        return false;
    }
    return true;
}

bool FindJoinNeighbour(const PuzzleDocument& doc, int surface, uint32_t piece, Point position, JoinCandidate* found) {
    if (!doc.StackReadable(surface) || piece >= doc.pieces.size()) return false;
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    const uint32_t* stack = doc.order.data() + s.stackStart;
    const uint32_t group = doc.pieces[piece].group;
    for (int32_t i = 0; i < s.count; ++i) {
        const uint32_t other = stack[i];
        if (other == piece || (group != 0 && doc.pieces[other].group == group)) continue;
        NeighbourSide side;
        if (!NeighbourSideOf(doc, piece, other, &side)) continue;
        // Where the neighbour's image would lie beside the piece, in cells.
        int64_t dx = 0, dy = 0;
        switch (side) {
            case NeighbourSide::Above: dy = -1; break;
            case NeighbourSide::Right: dx = 1; break;
            case NeighbourSide::Below: dy = 1; break;
            case NeighbourSide::Left: dx = -1; break;
        }
        const int64_t cellX = dx * doc.cellWidth;
        const int64_t cellY = dy * doc.cellHeight;
        const Piece& q = doc.pieces[other];
        if (std::llabs(q.x - (position.x + cellX)) > kSnapDistance ||
            std::llabs(q.y - (position.y + cellY)) > kSnapDistance)
            continue;
        found->stackIndex = i;
        found->piece = other;
        found->side = side;
        found->snapped = Point{static_cast<int32_t>(q.x - cellX), static_cast<int32_t>(q.y - cellY)};
        return true;
    }
    return false;
}

int32_t BringToTop(PuzzleDocument& doc, int surface, int32_t stackIndex) {
    if (!doc.StackReadable(surface)) return 0;
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    if (stackIndex < 0 || stackIndex >= s.count) return 0;
    doc.MoveStackEntries(s.stackStart + stackIndex, 1, s.stackStart);
    uint32_t* stack = doc.Stack(surface);
    const Piece& top = doc.pieces[stack[0]];
    int32_t company = 1;
    if (top.notSelected == 0) {
        company = GatherUnderTop(stack, s.count, [&](uint32_t other) { return doc.pieces[other].notSelected == 0; });
    } else if (top.group != 0) {
        const uint32_t group = top.group;
        company = GatherUnderTop(stack, s.count, [&](uint32_t other) { return doc.pieces[other].group == group; });
    }
    return company;
}

JoinOutcome JoinPieces(PuzzleDocument& doc,
                       int destination,
                       int source,
                       uint32_t piece,
                       Point position,
                       BoardChanges& changes) {
    if (!doc.StackReadable(destination) || !doc.StackReadable(source) || piece >= doc.pieces.size())
        return JoinOutcome::Refused;
    // The piece's group leads the source's stack; callers have put it there already, and
    // gathering it again costs nothing then but keeps a scattered group from being split.
    const int32_t moved = GroupToTop(doc, source, piece);
    if (moved == 0) return JoinOutcome::Refused;
    const uint32_t* sourceStack = doc.Stack(source);
    const Rect oldArea = AreaOfTop(doc, sourceStack, moved);

    Piece& p = doc.pieces[piece];
    const uint32_t group = p.group;
    JoinCandidate neighbour;
    const bool join = doc.solved == 0 && FindJoinNeighbour(doc, destination, piece, position, &neighbour);
    const Point target = join ? neighbour.snapped : position;
    const Point offset{target.x - p.x, target.y - p.y};

    // The label of the joined set: the larger of the two sides' labels, a loose piece
    // counting as its own number + 1.
    uint32_t label = group;
    bool relabelOwnSide = false;
    bool relabelNeighbourSide = false;
    if (join) {
        Piece& q = doc.pieces[neighbour.piece];
        if (q.notSelected == 0) {
            q.notSelected = 1;
            changes.Repaint(destination, PieceRect(doc, neighbour.piece));
        }
        const uint32_t neighbourLabel = q.group != 0 ? q.group : neighbour.piece + 1;
        if (group == 0) {
            label = std::max(neighbourLabel, piece + 1);
            relabelOwnSide = true;
            relabelNeighbourSide = q.group != label;
        } else if (neighbourLabel < group) {
            relabelNeighbourSide = true;
        } else {
            label = neighbourLabel;
            relabelOwnSide = true;
            relabelNeighbourSide = q.group == 0;
        }
    }

    uint32_t* top = doc.Stack(source);
    for (int32_t i = 0; i < moved; ++i) {
        Piece& member = doc.pieces[top[i]];
        member.x += offset.x;
        member.y += offset.y;
        if (relabelOwnSide) {
            member.group = label;
            member.notSelected = 1;  // only loose pieces carry a mark
        }
    }
    if (relabelNeighbourSide) doc.RelabelGroup(destination, neighbour.piece, label);
    // After a join the edges where the two sides meet lose their bevel, on the pieces that
    // stayed too: up to kBevelDepth pixels beyond the moved pieces' images.
    Rect newArea = AreaOfTop(doc, top, moved);
    if (join) newArea = Grown(newArea, kBevelDepth);

    if (destination != source) doc.MoveTopEntries(source, destination, moved, changes);

    if (doc.solved == 0 && SurfaceHoldsCompletePuzzle(doc, destination)) {
        changes.Append(SolvePuzzle(doc));
        changes.completed = true;
        return JoinOutcome::Completed;
    }

    if (destination == source) {
        changes.RepaintPair(source, oldArea, newArea);
    } else {
        changes.Repaint(source, oldArea);
        changes.Repaint(destination, newArea);
    }
    changes.joinSound = join;
    return join ? JoinOutcome::Joined : JoinOutcome::Placed;
}
