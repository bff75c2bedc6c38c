// Moving a pop-up by dragging its background: the left button goes down on the window, the
// window follows the pointer until the button comes up or another window takes the mouse.
// The pop-ups that can be dragged keep one of these in their state and pass it the messages.
#pragma once

#include <windows.h>

class WindowDrag {
public:
    // WM_LBUTTONDOWN: starts a drag (if none is running) and captures the mouse.
    void Start(HWND window);
    // WM_MOUSEMOVE: during a drag, moves the window by what the pointer moved since last time.
    void Follow(HWND window);
    // WM_LBUTTONUP: ends the drag and gives the mouse back.
    void End(HWND window);
    // WM_CAPTURECHANGED: another window took the mouse, so the drag is over.
    void OnCaptureChanged(HWND window, HWND newOwner);
    bool IsDragging() const { return dragging_; }

private:
    bool dragging_ = false;
    POINT last_{0, 0};
};
