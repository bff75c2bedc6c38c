#include "platform/WindowDrag.h"

namespace {
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
}

void WindowDrag::Start(HWND window) {
    if (dragging_) return;
    if (!GetCursorPos(&last_)) return;
    dragging_ = true;
    SetCapture(window);
}

void WindowDrag::Follow(HWND window) {
    if (!dragging_) return;
    POINT now;
    if (!GetCursorPos(&now) || (now.x == last_.x && now.y == last_.y)) return;
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    SetWindowPos(window, nullptr, rect.left + now.x - last_.x, rect.top + now.y - last_.y, 0, 0, kMoveFlags);
    last_ = now;
}

void WindowDrag::End(HWND window) {
    if (!dragging_) return;
    dragging_ = false;
    if (GetCapture() == window) ReleaseCapture();
}

void WindowDrag::OnCaptureChanged(HWND window, HWND newOwner) {
    if (newOwner != window) dragging_ = false;
}
