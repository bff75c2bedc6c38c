// The surface window (CWNDPUZZLE): one of the seven places pieces lie on, the board on the
// play screen or the inside of a box. It shows its back buffer, and turns the mouse into
// the board rules: a press picks a piece up (or starts a rubber band), moves drag the piece
// as a sprite across any surface (or stretch the band), and the release drops it.
//
// The surface number is the control identifier minus 100; a window counts as a surface only
// when it is a child window and the stored handle of that surface is the window itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gfx/Geometry.h"
#include "puzzle/Cut.h"

constexpr char kPuzzleSurfaceClass[] = "CWNDPUZZLE";
constexpr DWORD kSurfaceStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr uint32_t kBoardTextureId = 114;
// The board's place on the play screen; its size is BoardAreaWidth x BoardAreaHeight.
constexpr int32_t kBoardLeft = 49;
constexpr int32_t kBoardTop = 78;

bool RegisterPuzzleSurfaceClass(HINSTANCE instance);

// Creates surface `surface` (0..6) as a child of `parent` with control identifier
// 100 + surface.
HWND CreatePuzzleSurface(HWND parent, int surface, const Rect& where);

// Creates the board on the play screen. Its first WM_SIZE cuts the open picture with the
// template values stored in App.Puzzle (templateRows, templateCols, templateId) at the
// stored scale and grid, dealing a new game.
HWND CreateBoard(HWND playScreen);

// The surface number of a window, or -1 when it is not one of the seven surfaces.
int SurfaceOfWindow(HWND window);

// Redraws `area` of a surface's back buffer and, with invalidate, marks it for painting.
void PaintSurface(int surface, const Rect& area, bool invalidate, bool skipTop);
// Every surface redrawn in full and invalidated.
void RepaintAllSurfaces();

// Plugs the window side into App.Puzzle's callbacks: notices to the surfaces' parents,
// painting, the clock, the cursor, hiding boxes, the join sound and the play screen's
// completion handler. The magnifier's entry is left as it is (the magnifier sets it).
void InstallBoardCallbacks();

// What a cut in the game needs: templates from the pack, the drag images, RandomUnit, the
// board area and the wait cursor.
CutEnvironment GameCutEnvironment();
