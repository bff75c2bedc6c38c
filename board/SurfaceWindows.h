// The window side of the puzzle in play: which window shows each of the seven surfaces, and
// ApplyBoardChanges, the one place where what an engine operation did reaches the screen,
// the parents of the surfaces, the clock and the speakers.
#pragma once

#include <windows.h>

#include "engine/BoardChanges.h"
#include "engine/Cut.h"
#include "engine/Geometry.h"

// The window of a surface (null while it has none), and its registration by the surface
// window itself.
HWND WindowOfSurface(int surface);
void SetWindowOfSurface(int surface, HWND window);

// The surface number of a window, or -1 when it is not one of the seven surfaces: it must be
// a child window whose control identifier is 100 + surface and the stored window of that
// surface.
int SurfaceOfWindow(HWND window);

// Redraws `area` of a surface's back buffer from the pieces and the board texture and, with
// invalidate, marks it for painting on screen.
void PaintSurface(int surface, const Rect& area, bool invalidate, bool skipTop);
// Every surface redrawn in full and invalidated.
void RepaintAllSurfaces();

// Carries out what an operation did, in this order: the back buffers are repainted (and
// shown), the surfaces' parents get their notices, boxes are hidden, the board is brought up
// to date, the clock is started or stopped or shows zero, the magnifier reloads, the arrow
// cursor comes back, the clock takes a loaded game's time, the boxes show their names and the
// join sound plays; completion is reported last, to the board's parent (the play screen),
// because its handler may open windows.
void ApplyBoardChanges(const BoardChanges& changes);

// What a cut in the game needs: templates from the pack, the drag images, RandomUnit, the
// board area, the wait cursor and the blocks the start-up warm-up prepared.
CutEnvironment GameCutEnvironment();
// Starts preparing the memory of the largest puzzle the board area can hold on a worker
// thread, for the first cut to take over (CutWarmup.h). `readFrom` is a file the game always
// has (its own program file), read into the picture rows' memory as the cut will read a
// picture into it; empty, that memory is only touched.
void StartCutWarmup(const char* readFrom);
