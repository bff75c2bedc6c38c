// Pick-up, rubber band and drop; see DropRules.h.
#include "engine/DropRules.h"

#include <algorithm>
#include <utility>

#include "engine/GameClock.h"
#include "engine/JoinRules.h"
#include "engine/PieceAreas.h"
#include "engine/SurfacePainter.h"

namespace {

bool HasStack(const PuzzleDocument& doc, int surface) {
    return doc.StackReadable(surface) && doc.surfaces[static_cast<size_t>(surface)].count > 0;
}

// Moves the first `count` pieces of the source's stack by `offset`, each kept inside the
// target surface.
void ShiftTop(PuzzleDocument& doc, int source, int target, int32_t count, Point offset) {
    const uint32_t* stack = doc.Stack(source);
    for (int32_t i = 0; i < count; ++i) {
        Piece& piece = doc.pieces[stack[i]];
        const Point kept = KeepInside(doc, target, Point{piece.x + offset.x, piece.y + offset.y});
        piece.x = kept.x;
        piece.y = kept.y;
    }
}

// Every marked piece of the surface becomes ordinary, and its image is drawn plain again.
void UnmarkAll(PuzzleDocument& doc, int surface, BoardChanges& changes) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    const uint32_t* stack = doc.Stack(surface);
    for (int32_t i = 0; i < s.count; ++i) {
        Piece& piece = doc.pieces[stack[i]];
        if (piece.notSelected != 0) continue;
        piece.notSelected = 1;
        changes.Repaint(surface, PieceRect(doc, stack[i]));
    }
}

DropOutcome FromJoin(JoinOutcome outcome) {
    switch (outcome) {
        case JoinOutcome::Joined: return DropOutcome::Joined;
        case JoinOutcome::Completed: return DropOutcome::Completed;
        case JoinOutcome::Placed: return DropOutcome::Placed;
        case JoinOutcome::Refused: break;
    }
    return DropOutcome::Returned;
}

DropOutcome DropPiece(PuzzleDocument& doc, const DragSession& drag, int target, Point position, BoardChanges& changes) {
    const int source = drag.surface;
    if (!HasStack(doc, source)) return DropOutcome::Returned;
    const int32_t company = BringToTop(doc, source, 0);
    const uint32_t* stack = doc.Stack(source);
    const uint32_t top = stack[0];
    const Piece& piece = doc.pieces[top];

    if (!IsSurface(target)) {
        // The piece's company came up with it: the back buffer shows them all on top again.
        changes.Repaint(source, AreaOfTop(doc, stack, company));
        return DropOutcome::Returned;
    }
    doc.dirty = 1;
    if (piece.notSelected != 0) return FromJoin(JoinPieces(doc, target, source, top, position, changes));

    // A marked piece brings the whole selection along (BringToTop put it right under it).
    const Point offset{position.x - piece.x, position.y - piece.y};
    const Rect oldArea = AreaOfTop(doc, stack, company);
    if (target == source) {
        ShiftTop(doc, source, source, company, offset);
        changes.RepaintPair(source, oldArea, AreaOfTop(doc, stack, company));
        return DropOutcome::MovedSelection;
    }
    // The arriving selection replaces any selection the target had.
    UnmarkAll(doc, target, changes);
    ShiftTop(doc, source, target, company, offset);
    const Rect newArea = AreaOfTop(doc, stack, company);
    doc.MoveTopEntries(source, target, company, changes);
    changes.Repaint(source, oldArea);
    changes.Repaint(target, newArea);
    return DropOutcome::MovedSelection;
}

}  // namespace

PickUpResult PickUp(PuzzleDocument& doc, DragSession& drag, int surface, Point point) {
    PickUpResult result;
    drag.surface = surface;
    drag.viewSurface = surface;
    drag.anchor = point;
    const int32_t index = PieceUnder(doc, surface, point);
    if (index < 0) {
        std::fill(std::begin(drag.SelectionRect), std::end(drag.SelectionRect), point);
        drag.DragState = kDragSelection;
        return result;
    }
    result.hitPiece = true;
    result.changes.startClock = StartClockOnPickUp(doc);
    Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    doc.MoveStackEntries(s.stackStart + index, 1, s.stackStart);
    drag.piece = doc.Stack(surface)[0];
    const Piece& piece = doc.pieces[drag.piece];
    drag.position = Point{piece.x, piece.y};
    result.changes.Repaint(surface, PieceRect(doc, drag.piece), false, true);
    drag.grabOffset = point - drag.position;
    drag.DragState = kDragPiece;
    return result;
}

void StretchSelection(DragSession& drag, Point point) {
    const Point low{std::min(drag.anchor.x, point.x), std::min(drag.anchor.y, point.y)};
    const Point high{std::max(drag.anchor.x, point.x), std::max(drag.anchor.y, point.y)};
    drag.SelectionRect[0] = low;
    drag.SelectionRect[1] = Point{high.x, low.y};
    drag.SelectionRect[2] = high;
    drag.SelectionRect[3] = Point{low.x, high.y};
    drag.SelectionRect[4] = low;
}

Rect SelectionBounds(const DragSession& drag) {
    const Point first = drag.SelectionRect[0];
    const Point size = drag.SelectionRect[2] - first;
    return Rect{first.x, first.y, size.x, size.y};
}

BoardChanges MarkSelection(PuzzleDocument& doc, int surface, const Rect& selection) {
    BoardChanges changes;
    if (!IsSurface(surface)) return changes;
    if (HasStack(doc, surface)) {
        const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
        const uint32_t* stack = doc.Stack(surface);
        for (int32_t i = 0; i < s.count; ++i) {
            Piece& piece = doc.pieces[stack[i]];
            const bool touched = CombineRects(PieceRect(doc, stack[i]), selection, 0).overlap;
            piece.notSelected = piece.group == 0 && touched ? 0 : 1;
        }
    }
    changes.Repaint(surface, SurfaceRect(doc, surface));
    return changes;
}

Point KeepInside(const PuzzleDocument& doc, int surface, Point position) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    Point kept = position;
    if (kept.x < -doc.marginX) kept.x = -doc.marginX;
    if (static_cast<int64_t>(kept.x) + doc.cellWidth > s.clientWidth) kept.x = s.clientWidth - doc.cellWidth;
    if (kept.y < -doc.marginY) kept.y = -doc.marginY;
    if (static_cast<int64_t>(kept.y) + doc.cellHeight > s.clientHeight) kept.y = s.clientHeight - doc.cellHeight;
    return kept;
}

DropResult Drop(PuzzleDocument& doc, DragSession& drag, int target, Point position) {
    DropResult result;
    const int32_t state = std::exchange(drag.DragState, kDragIdle);
    if (state == kDragSelection) {
        result.changes = MarkSelection(doc, drag.surface, SelectionBounds(drag));
        result.outcome = DropOutcome::Selected;
    } else if (state == kDragPiece) {
        result.outcome = DropPiece(doc, drag, target, position, result.changes);
    }
    return result;
}
