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

#include "engine/Geometry.h"

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
// template values stored in Board.Puzzle (templateRows, templateCols, templateId) at the
// stored scale and grid, dealing a new game.
HWND CreateBoard(HWND playScreen);
