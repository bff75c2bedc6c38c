// The options panel (CWNDOPCIONES): a 103-pixel-high panel that slides up over the bottom of
// the play screen when the pointer touches the options bar, with four animated buttons: the
// picture magnifier on or off, help, back to the main menu, and leave the game. It hides as
// soon as the pointer has left it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/AppGlobals.h"
#include "engine/Geometry.h"

constexpr char kOptionsPanelClass[] = "CWNDOPCIONES";
constexpr int32_t kOptionsPanelHeight = 103;
constexpr UINT_PTR kOptionsPanelLeaveTimerId = 1;
constexpr UINT kOptionsPanelLeaveCheckMs = 100;

enum OptionsButton : int32_t {
    kMagnifierButton = 0,
    kHelpButton = 1,
    kMainMenuButton = 2,
    kLeaveButton = 3,
    kOptionsButtonCount = 4,
};
static_assert(kOptionsButtonCount == kOptionsButtonSlots, "App.OptionsButtons holds the four buttons");

// Control identifiers of the four buttons inside the panel.
constexpr int32_t kFirstOptionsButtonId = 300;

// Where button `button` sits in the panel on a screen `screenWidth` pixels wide: 27 pixels
// down, a third of the width less 81 apart.
Point OptionsButtonPosition(int32_t button, int32_t screenWidth);
// Whether a point in the panel's client coordinates still counts as inside it (its edges
// included).
bool PointKeepsOptionsPanel(POINT point, int32_t screenWidth);

bool RegisterOptionsPanelClass(HINSTANCE instance);
// Created hidden; the play screen makes it before the bar.
HWND CreateOptionsPanel(HWND playScreen);

// One step of the slide: the panel's texture drawn with its top row at `top` (0 to 103) on a
// panel `width` pixels wide.
void DrawOptionsSlideStep(HDC dc, int32_t top, int32_t width);

// Slides the panel up and shows its buttons; nothing while it is shown.
void ShowOptionsPanel();
// Hides the panel and its buttons at once, without a slide.
void HideOptionsPanel();
