// Dragging a pop-up by its background: a press on the window itself (not on a child) takes the
// capture, each move that changes the cursor position moves the window by as much, and the
// release, or the capture passing to another window, ends it. The dialogs keep one of these in
// their state and hand it their mouse messages.
#pragma once

#include <windows.h>

struct BackgroundDrag {
    bool dragging = false;
    POINT lastCursor{0, 0};  // screen coordinates
};

void BeginBackgroundDrag(HWND window, BackgroundDrag& drag);
void ContinueBackgroundDrag(HWND window, BackgroundDrag& drag);
void EndBackgroundDrag(BackgroundDrag& drag);
// WM_CAPTURECHANGED: `newOwner` is the window that took the capture.
void OnBackgroundDragCaptureChanged(HWND window, BackgroundDrag& drag, LPARAM newOwner);
