#include "controls/ControlProtocol.h"

#include <windowsx.h>

#include <algorithm>

#include "gfx/DibDraw.h"

namespace {

// Resize without moving, reordering or activating anything (0x216).
constexpr UINT kResizeOnlyFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

void FillBlack(HDC dc, const RECT& rect) {
    if (rect.right > rect.left && rect.bottom > rect.top) PaintFromBlock(dc, rect, nullptr);
}

}  // namespace

void NotifyParent(HWND control, UINT code) {
    // A control destroyed by an earlier notice of the same handler has no parent left to tell.
    HWND parent = GetParent(control);
    if (parent != nullptr) SendMessageA(parent, NotifyParentMessage, code, reinterpret_cast<LPARAM>(control));
}

void StartHoverTimer(HWND control) { SetTimer(control, kHoverTimerId, kHoverPollMs, nullptr); }

void StopHoverTimer(HWND control) { KillTimer(control, kHoverTimerId); }

bool CursorIsOver(HWND control) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    return WindowFromPoint(cursor) == control;
}

bool ClientPointIsOver(HWND control, LPARAM point) {
    POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(control, &p);
    return WindowFromPoint(p) == control;
}

void ReleaseCaptureIfHeld(HWND control) {
    if (GetCapture() == control) ReleaseCapture();
}

void EndPressOnCaptureLoss(HWND control, LPARAM newCaptureOwner) {
    if (reinterpret_cast<HWND>(newCaptureOwner) == control) return;
    SendMessageA(control, WM_LBUTTONUP, 0, kForcedReleasePoint);
}

StripLayout MeasureStrip(const PackedDib* strip, int32_t frameCount) {
    StripLayout layout;
    if (strip == nullptr || frameCount < 1) return layout;
    layout.width = std::max<int32_t>(strip->header.biWidth, 0);
    layout.frameHeight = std::max<int32_t>(strip->header.biHeight / frameCount, 0);
    return layout;
}

void ResizeToFrame(HWND control, StripLayout layout) {
    SetWindowPos(control, nullptr, 0, 0, layout.width, layout.frameHeight, kResizeOnlyFlags);
}

void RepaintControl(HWND control) { InvalidateRect(control, nullptr, FALSE); }

void PaintStripFrame(HWND control, const PackedDib* strip, StripLayout layout, int32_t frame) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control, &ps);
    const RECT& update = ps.rcPaint;
    if (strip == nullptr) {
        FillBlack(dc, update);
        EndPaint(control, &ps);
        return;
    }
    // Only the part of the update rectangle inside one frame comes from the strip: a window
    // stretched beyond the frame (by its owner) must not read past the picture.
    RECT shown{};
    const RECT frameRect{0, 0, layout.width, layout.frameHeight};
    if (IntersectRect(&shown, &update, &frameRect)) {
        DrawBlock(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, strip, shown.left,
                  shown.top + frame * layout.frameHeight);
    }
    FillBlack(dc, RECT{std::max(update.left, frameRect.right), update.top, update.right, update.bottom});
    FillBlack(dc, RECT{update.left, std::max(update.top, frameRect.bottom), std::min(update.right, frameRect.right),
                       update.bottom});
    EndPaint(control, &ps);
}

void PaintBlack(HWND control) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control, &ps);
    FillBlack(dc, ps.rcPaint);
    EndPaint(control, &ps);
}
