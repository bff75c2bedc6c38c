// BoardChanges: what an operation on the puzzle did that the windows must show or tell. The
// engine's operations (pick-up, drop, join, selection, hint, solve, cut, clearing) change the
// PuzzleDocument and return one of these; the board's window side applies it in one place:
// it repaints the listed areas of the back buffers, tells the surfaces' parents the notices,
// hides boxes, plays the join sound, runs the clock switches and reports completion. Nothing
// is called back from inside the engine, so a drop reads top to bottom as data.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Geometry.h"
#include "engine/Surface.h"

// An area of a surface's back buffer to redraw from the pieces. invalidate also shows it on
// screen; skipTop leaves out the piece on top of the stack (the one being dragged).
struct AreaToRepaint {
    int surface = 0;
    Rect area;
    bool invalidate = true;
    bool skipTop = false;
};

// A surface's stack emptied or received its first pieces: its parent is told.
struct SurfaceNoticeEvent {
    int surface = 0;
    SurfaceNotice notice = SurfaceNotice::NowEmpty;
};

struct BoardChanges {
    // In the order they happened; an area listed later is painted later.
    std::vector<AreaToRepaint> repaints;
    std::vector<SurfaceNoticeEvent> notices;
    uint32_t boxesToHide = 0;       // bit b: hide box window b (0..5)
    bool repaintAll = false;        // every surface redrawn in full and shown
    bool updateBoard = false;       // the board brought up to date on screen at once
    bool joinSound = false;         // two sides joined: the join (click) sound
    bool completed = false;         // the puzzle was just put together
    bool startClock = false;        // the game's first pick-up: start the clock's timer
    bool stopClock = false;         // the game is over or gone: kill the clock's timer
    bool clockAtZero = false;       // the clock shows 00:00:00
    bool magnifierChanged = false;  // the picture in play changed: the magnifier reloads it
    bool arrowCursor = false;       // the wait of a cut is over
    bool boxNamesChanged = false;   // the boxes show the document's box names as captions
    // A saved game came in: any running timer is killed and the clock shows the document's
    // ElapsedSeconds, armed for the next pick-up unless the game is solved.
    bool restoreClock = false;

    // Records `area` of `surface`; empty areas are left out.
    void Repaint(int surface, const Rect& area, bool invalidate = true, bool skipTop = false);
    // `a` and `b` shown again on one surface: once as their union when they overlap, else each
    // on its own.
    void RepaintPair(int surface, const Rect& a, const Rect& b);
    void Notify(int surface, SurfaceNotice notice);
    void HideBox(int box);
    // Adds everything `later` records after what this one holds.
    void Append(const BoardChanges& later);
};
