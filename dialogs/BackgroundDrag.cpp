#include "dialogs/BackgroundDrag.h"

namespace {

// Move only: no size, no change of stacking order (the window's or its owner's), no
// WM_WINDOWPOSCHANGING round (0x605).
constexpr UINT kDragMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
static_assert(kDragMoveFlags == 0x605, "flags of a dragged window's move");

}  // namespace

void BeginBackgroundDrag(HWND window, BackgroundDrag& drag) {
    if (!GetCursorPos(&drag.lastCursor)) return;
    drag.dragging = true;
    SetCapture(window);
}

void ContinueBackgroundDrag(HWND window, BackgroundDrag& drag) {
    POINT cursor;
    if (!drag.dragging || !GetCursorPos(&cursor)) return;
    if (cursor.x == drag.lastCursor.x && cursor.y == drag.lastCursor.y) return;
    RECT at;
    if (GetWindowRect(window, &at)) {
        SetWindowPos(window, nullptr, at.left + cursor.x - drag.lastCursor.x, at.top + cursor.y - drag.lastCursor.y, 0,
                     0, kDragMoveFlags);
    }
    drag.lastCursor = cursor;
}

void EndBackgroundDrag(BackgroundDrag& drag) {
    if (!drag.dragging) return;
    drag.dragging = false;
    ReleaseCapture();
}

void OnBackgroundDragCaptureChanged(HWND window, BackgroundDrag& drag, LPARAM newOwner) {
    if (reinterpret_cast<HWND>(newOwner) != window) drag.dragging = false;
}
