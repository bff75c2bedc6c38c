#include "dialogs/BackgroundDrag.h"

static_assert(kDragMoveFlags == 0x605, "SetWindowPos flags of a dragged dialog");

void StartBackgroundDrag(HWND window, BackgroundDrag& drag) {
    if (drag.dragging) return;
    drag.dragging = true;
    GetCursorPos(&drag.lastCursor);
    SetCapture(window);
}

void FollowBackgroundDrag(HWND window, BackgroundDrag& drag) {
    if (!drag.dragging) return;
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    if (cursor.x == drag.lastCursor.x && cursor.y == drag.lastCursor.y) return;
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, frame.left + cursor.x - drag.lastCursor.x, frame.top + cursor.y - drag.lastCursor.y,
                 0, 0, kDragMoveFlags);
    drag.lastCursor = cursor;
}

void EndBackgroundDrag(BackgroundDrag& drag) {
    if (!drag.dragging) return;
    drag.dragging = false;
    ReleaseCapture();
}

void OnDragCaptureChanged(HWND window, BackgroundDrag& drag, HWND newCaptureOwner) {
    if (drag.dragging && newCaptureOwner != window) drag.dragging = false;
}
