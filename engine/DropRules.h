// DropRules: what the mouse does to pieces, apart from the windows. A press on a piece picks
// it up (and starts the clock on the first pick-up of a game); a press on empty space starts
// a rubber-band selection. The release drops: a selection marks the loose pieces it touches;
// a piece dropped on a surface is placed and may join a neighbour (JoinRules), and a marked
// piece brings every marked piece of its surface along; a piece dropped anywhere else goes
// back where it was. The window side finds the surfaces under the mouse, takes the capture
// and draws the piece while it moves; it calls these at the press and at the release.
#pragma once

#include <cstdint>

#include "engine/BoardChanges.h"
#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"

// DragState values.
constexpr int32_t kDragIdle = 0;
constexpr int32_t kDragPiece = 1;
constexpr int32_t kDragSelection = 2;
constexpr int32_t kSelectionPointCount = 5;
// A release outside every surface.
constexpr int kNoSurface = -1;

// The drag in progress, kept from the press to the release.
struct DragSession {
    int32_t DragState = kDragIdle;
    int surface = kNoSurface;      // where the press happened
    int viewSurface = kNoSurface;  // the surface on whose screen area the piece is drawn now
    uint32_t piece = 0;            // the grabbed piece
    Point anchor;                  // the press point
    Point grabOffset;              // press point minus the piece's top-left
    Point position;                // top-left of the drawn piece, in the view surface's client pixels
    // The rubber band as a closed polyline: top-left, top-right, bottom-right, bottom-left,
    // top-left again.
    Point SelectionRect[kSelectionPointCount];
};

struct PickUpResult {
    bool hitPiece = false;  // a piece was picked up (else a selection started)
    // The back buffer under the piece without it (not shown: the sprite covers it), and the
    // clock's start on the game's first pick-up.
    BoardChanges changes;
};

// The press at `point` on `surface`. On a piece: the piece goes to the top of the stack, the
// back buffer under it is to be repainted without it, and the drag begins at the piece's
// position. On empty space: the rubber band starts as a point.
PickUpResult PickUp(PuzzleDocument& doc, DragSession& drag, int surface, Point point);

// The rubber band from the anchor to `point`, corners ordered.
void StretchSelection(DragSession& drag, Point point);
// The band as a rectangle: its first point and the third minus the first.
Rect SelectionBounds(const DragSession& drag);

// Marks the loose pieces of the surface whose images touch or overlap `selection` and
// unmarks every other piece of it; the whole surface is to be repainted.
BoardChanges MarkSelection(PuzzleDocument& doc, int surface, const Rect& selection);

// Where a piece at `position` may lie on the surface: the cell stays inside on the left and
// top (the tab margin may leave it), and the piece's left or top edge no further than one
// cell from the right or bottom edge.
Point KeepInside(const PuzzleDocument& doc, int surface, Point position);

enum class DropOutcome {
    Nothing,         // no drag was in progress
    Selected,        // the rubber band marked pieces
    Returned,        // dropped outside every surface: nothing moved
    MovedSelection,  // the marked pieces moved together
    Placed,          // the piece (with its group) moved without joining
    Joined,
    Completed,  // the drop finished the puzzle
};

struct DropResult {
    DropOutcome outcome = DropOutcome::Nothing;
    BoardChanges changes;
};

// The release. For a piece, `target` is the surface under the release point (kNoSurface
// when there is none) and `position` the piece's top-left there, in that surface's client
// pixels. Ends the drag before anything else, so that what the changes set off (a
// completion that opens a window and takes the mouse) never finds a drag in progress.
DropResult Drop(PuzzleDocument& doc, DragSession& drag, int target, Point position);
