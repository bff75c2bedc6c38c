// CQVANIM, the frame animation: shows one frame of a sprite sheet (a grid of equal frames)
// and doubles as an animated button. It never advances its frames itself: while running it
// sends its owner one CN_TICK per period of its tick timer, and the owner chooses the next
// frame with ANM_SETFRAME, usually through one of the drivers of AnimationDrivers.h.
//
// Owners configure it in this order: create, rows and columns (and interval), then the sheet.
// The frame size follows from the sheet and the grid, and the window takes that size.
//
// Messages (ControlProtocol.h): CM_GETENABLED, CM_SETENABLED, CM_GETBITMAP, CM_SETBITMAP
// (the frame sheet) and ANM_GETBACKGROUNDDC .. ANM_GETHOVER. Setting the sheet, the grid, the
// masked flag or the background recomputes the control, and a recompute always stops the
// animation. ANM_SETRUNNING does nothing until the control is ready (it has a sheet, and in
// masked mode a background of the frame's size). ANM_SETINTERVAL is used from the next start.
// Notifications: CN_PRESSED, CN_RELEASED (also for a release that had no press), CN_ENTER,
// CN_LEAVE, CN_CLICKED, CN_TICK.
//
// Masked mode: the sheet's frames are drawn through their masks over a copy of the bitmap
// selected into the background context, composed in memory before they reach the screen.
// Such a sheet is an 8-bit picture whose masks use palette index 0 for black and 255 for
// white, and whose pictures are index 0 where they are transparent.
#pragma once

#include <windows.h>

constexpr char kAnimationClass[] = "CQVANIM";

constexpr UINT_PTR kAnimationTickTimerId = 2;  // timer 1 is the hover poll of every control
constexpr UINT kDefaultAnimationIntervalMs = 75;

bool RegisterAnimationClass(HINSTANCE instance);
