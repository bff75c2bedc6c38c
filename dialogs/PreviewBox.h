// The new-puzzle dialog's picture boxes. A preview box (CWNDPREVFS, 117 x 127) shows one
// picture of a category reduced to fit 113 x 123; the custom box (CWNDPREVCUSTOM, 235 x 127)
// shows the player's own picture the same way in 235 x 127. Both look transparent: around the
// picture they show the dialog's background at their own place. The chosen picture, and a box
// held down by the mouse, carry a red frame.
//
// A box only shows; what a click means is the dialog's business. It reports to its parent with
// NotifyParent: kPreviewBoxClicked when the mouse button, pressed on a box that shows a
// picture, is released inside it, and kPreviewBoxDoubleClicked on a double click on a picture.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

class DibImage;

constexpr char kPreviewBoxClass[] = "CWNDPREVFS";
constexpr char kCustomPreviewBoxClass[] = "CWNDPREVCUSTOM";

constexpr Point kPreviewBoxSize{117, 127};
constexpr Point kCustomPreviewBoxSize{235, 127};

constexpr UINT kPreviewBoxClicked = 4;        // the same number as CN_CLICKED
constexpr UINT kPreviewBoxDoubleClicked = 6;  // a code of the boxes' own

bool RegisterPreviewBoxClass(HINSTANCE instance);
bool RegisterCustomPreviewBoxClass(HINSTANCE instance);

// A box of `className` (one of the two above) at `at` of `dialog`, with its size, control
// identifier `id` and window `style`. `background` is the dialog's background bitmap, which
// must outlive the box. Null when the box cannot be made.
HWND CreatePreviewBox(HWND dialog,
                      const char* className,
                      int32_t id,
                      Point at,
                      DWORD style,
                      const DibImage* background);

// Shows the .bmp at `path` reduced to fit the box (keeping its proportions, never below 1 x 1),
// read resampled so that a large picture is never held whole. A null or empty path, or a
// picture the reader refuses, leaves the box empty. Answers whether a picture shows.
bool ShowPictureInBox(HWND box, const char* path);
bool BoxShowsPicture(HWND box);

// Whether the box carries the red frame of the chosen picture.
void SetBoxChosen(HWND box, bool chosen);
