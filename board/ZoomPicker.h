// The zoom picker (CWNDIMAGETAM): a child of the new-puzzle dialog showing a miniature of the
// board (its felt in 50-pixel tiles) with the picture on it at the picture's scale, centred.
// Dragging in it towards the bottom right enlarges the picture, towards the top left shrinks
// it, within the zoom range; every change of the scale resets the grid and is reported to the
// parent (kPickerChanged).
#pragma once

#include <windows.h>

#include "engine/Geometry.h"

constexpr char kZoomPickerClass[] = "CWNDIMAGETAM";

bool RegisterZoomPickerClass(HINSTANCE instance);

// Where the picker stands in its dialog for the board's miniature: centred in the pickers'
// area, boardMiniWidth x boardMiniHeight.
Rect ZoomPickerRect(Point boardArea);
// Creates the hidden picker in `dialog` into App.ZoomPickerWindow.
HWND CreateZoomPicker(HWND dialog);
// Builds the picker's preview of the picture in play (none without one).
void ReloadZoomPickerPreview();
