// The piece-count picker (CWNDIMAGECANT): a child of the new-puzzle dialog showing the picture
// fitted into 240 x 188 with the cutting grid drawn over it in inverted lines. Dragging inside
// the picture towards the bottom right makes the pieces larger (up to 150 pixels, so fewer),
// towards the top left smaller (down to 45, so more); every change of the grid is reported to
// the parent (kPickerChanged). Around the picture it shows the dialog's own background, so
// its margins look transparent.
#pragma once

#include <windows.h>

class DibImage;

constexpr char kPieceCountPickerClass[] = "CWNDIMAGECANT";

bool RegisterPieceCountPickerClass(HINSTANCE instance);

// Creates the hidden picker at (31, 102) of `dialog`, 240 x 188, into
// App.PieceCountPickerWindow. `background` is the dialog's background bitmap, which must
// outlive the picker (null: black margins).
HWND CreatePieceCountPicker(HWND dialog, const DibImage* background);
// Builds the picker's preview of the picture in play (none without one).
void ReloadPieceCountPickerPreview();
