// DocumentCallbacks: what the puzzle model needs done on the Windows side. The model only
// changes data; telling a box's parent that it emptied or filled, repainting, the clock and
// the magnifier live in window code, which plugs its functions in here. Unset entries do
// nothing, so the model runs on its own in tests and tools.
#pragma once

#include <functional>

#include "gfx/Geometry.h"
#include "puzzle/Surface.h"

struct DocumentCallbacks {
    // NotifyParent from the surface's window to its parent with the notice as the code and
    // the surface window as lParam.
    std::function<void(int surface, SurfaceNotice notice)> notifySurface;
    // Repaint all seven surfaces in full.
    std::function<void()> repaintAllSurfaces;
    // Show 00:00:00 on the clock.
    std::function<void()> showClockAtZero;
    // Kill the clock timer if it runs and forget its identifier.
    std::function<void()> stopClock;
    // Re-read the magnifier's picture (or show none).
    std::function<void()> updateMagnifier;
    std::function<void()> showArrowCursor;

    // Redraws `area` of the surface's back buffer from the pieces and the board texture and,
    // with invalidate, marks it for repainting on screen; skipTop leaves the topmost piece
    // out (it is the one being dragged).
    std::function<void(int surface, const Rect& area, bool invalidate, bool skipTop)> paintRegion;
    // Brings the surface's window up to date on screen at once (UpdateWindow).
    std::function<void(int surface)> updateSurface;
    // Hides the box window that holds the surface.
    std::function<void(int surface)> hideBox;
    // The join sound, played only while sound effects are on.
    std::function<void()> playJoinSound;
    // The play screen's completion handler: the player has just put the puzzle together.
    std::function<void()> puzzleCompleted;
};
