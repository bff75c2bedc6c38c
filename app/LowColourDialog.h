// The one message the program shows on its own: the display has too few colours. It is a
// modeless dialog from template 564 of the executable whose closing ends the program.
#pragma once

#include <windows.h>

constexpr int kLowColourDialogTemplate = 564;
constexpr int kLowColourTextControl = 1000;
constexpr int kLowColourStringBase = 160;
constexpr int kMinimumBitsPerPixel = 16;

// Loads string `stringId` (up to 300 characters) and shows it in the low-colour dialog.
// Returns the dialog, or null when it could not be made.
HWND ShowLowColourMessage(UINT stringId);
