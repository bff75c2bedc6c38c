// JoinRules: how a placed piece snaps to a neighbour and joins its group.
//
// When a piece P (with its group, if it has one) is placed at (x, y) on a surface, the
// surface's stack is searched from the top for the first of P's four grid neighbours that
// lies where it would fit next to P, within 6 pixels on both axes. P and its group snap to
// that neighbour and the two sides become one group. A group's label is always its largest
// piece number + 1, so joining two sets keeps the larger label; a set carrying the label N
// is the whole puzzle. At most one join happens per placement, and only P's own neighbours
// are looked at, never those of the rest of its group.
#pragma once

#include <cstdint>

#include "engine/BoardChanges.h"
#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"

// How far a piece may lie from its exact place beside a neighbour and still snap (inclusive).
constexpr int32_t kSnapDistance = 6;

// Where a neighbour Q lies relative to P in the picture, in the order they are tested.
enum class NeighbourSide { Above, Right, Below, Left };

struct JoinCandidate {
    int32_t stackIndex = -1;  // Q's index in the destination's stack
    uint32_t piece = 0;       // Q
    NeighbourSide side = NeighbourSide::Above;
    Point snapped;  // where P goes to fit against Q
};

// The first piece of `surface`'s stack, from the top, that is a grid neighbour of `piece`,
// not in its group, and lies within kSnapDistance of where it would fit if `piece` were at
// `position`. False when there is none.
bool FindJoinNeighbour(const PuzzleDocument& doc, int surface, uint32_t piece, Point position, JoinCandidate* found);

// Which grid neighbour of `piece` is `other`, if any; tested above, right, below, left.
bool NeighbourSideOf(const PuzzleDocument& doc, uint32_t piece, uint32_t other, NeighbourSide* side);

// Brings the piece at `stackIndex` of the surface to the top. If it is ordinary and in a
// group, the rest of the group follows right under it; if it is marked by the selection,
// every other marked piece of the surface follows instead. Both keep their former relative
// order. Returns how many entries now lead the stack as the piece's company (the piece
// included), or 0 for an invalid surface or index. The caller repaints what it needs to.
int32_t BringToTop(PuzzleDocument& doc, int surface, int32_t stackIndex);

enum class JoinOutcome {
    Placed,     // the piece (and its group) moved, no join
    Joined,     // it snapped to a neighbour and the two sides are one group now
    Completed,  // that join, or the move, finished the puzzle: it is solved
    Refused,    // invalid surfaces or piece, or the piece is not on top of the source
};

// Places `piece`, which lies on top of `source`'s stack with the rest of its group right
// under it, at `position` on `destination`, snapping and joining by the rule above. The
// moved entries go to the top of the destination's stack (notices for its parent and the
// source's when one becomes non-empty or empty). When the destination then holds every
// piece and all carry the label N, the puzzle is solved (SolvePuzzle's changes) and
// `completed` is recorded. Otherwise the vacated and covered areas are to be repainted and a
// join asks for the join sound. Does not mark the game as changed; the caller decides.
JoinOutcome JoinPieces(PuzzleDocument& doc,
                       int destination,
                       int source,
                       uint32_t piece,
                       Point position,
                       BoardChanges& changes);
