// What the new-puzzle dialog's two size pickers share, and the scale rules as the dialog
// calls them. The zoom picker (ZoomPicker.h) shows the picture at its scale on a miniature
// board; the piece-count picker (PieceCountPicker.h) shows it with the cutting grid over it.
// Both report every change to their parent with NotifyParent code 0 and their own window;
// the dialog then reads the new values back from the rules.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

// The pickers' cursor, and the one shown while the mouse button is held in them.
constexpr int kPickerCursorId = 562;
constexpr int kPickerHeldCursorId = 563;
// Top-left of the area the pickers share in the dialog (kPickerArea in size).
constexpr Point kPickerOrigin{31, 102};
// Created hidden: the dialog shows each on its own page.
constexpr DWORD kPickerStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// The notice a picker sends after every change it made.
constexpr UINT kPickerChanged = 0;

// The board area of the screen in play.
Point BoardAreaInPlay();

// The rules on the puzzle in play, each followed by a repaint of the pickers that exist.
// ChoosePictureInPickers also builds both previews of the picture now open in the puzzle's
// reader (or drops them when none is open).
void ChoosePictureInPickers();
void FitPictureInPickers();
void ActualSizeInPickers();
void SetZoomInPickers(int32_t percent);
void SetPieceCountInPickers(int32_t position);
void InvalidatePickers();

// A drag in a picker: the mouse is captured and the held cursor shows (as the class cursor
// too, so that it stays while the pointer crosses the picker); at the end the capture goes
// and the pickers' own cursor comes back.
void BeginPickerDrag(HWND picker);
void EndPickerDrag(HWND picker);
