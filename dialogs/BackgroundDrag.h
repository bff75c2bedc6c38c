// Moving a dialog by dragging its background: the left button pressed on the background
// takes the capture, every move that changes the cursor position moves the window by the
// cursor's displacement, and the button's release (or the capture passing to another window)
// ends the drag. Positions are read with GetCursorPos, in screen coordinates, so the window
// moving under the cursor does not disturb the sum.
#pragma once

#include <windows.h>

struct BackgroundDrag {
    bool dragging = false;
    POINT lastCursor{0, 0};
};

// The window keeps its size, its stacking order and its owner's place.
constexpr UINT kDragMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;  // 0x605

void StartBackgroundDrag(HWND window, BackgroundDrag& drag);
void FollowBackgroundDrag(HWND window, BackgroundDrag& drag);
void EndBackgroundDrag(BackgroundDrag& drag);
// WM_CAPTURECHANGED: the drag ends when another window took the capture.
void OnDragCaptureChanged(HWND window, BackgroundDrag& drag, HWND newCaptureOwner);
