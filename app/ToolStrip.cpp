#include "app/ToolStrip.h"

#include "app/AppGlobals.h"
#include "app/ToolsPanel.h"
#include "controls/ControlProtocol.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/WindowKind.h"

DibImage& ToolTile() {
    static DibImage tile;
    return tile;
}

namespace {

constexpr DWORD kToolStripStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

LRESULT OnCreateToolStrip(HWND window) {
    App.ToolStripWindow = window;
    ToolTile().LoadById(kToolTileImageId);
    return 0;
}

void OnPaintToolStrip(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintToolStripBands(dc, ps.rcPaint);
    EndPaint(window, &ps);
}

void OnDestroyToolStrip(HWND window) {
    if (App.ToolStripWindow == window) App.ToolStripWindow = nullptr;
}

LRESULT CALLBACK ToolStripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_CREATE: return OnCreateToolStrip(window);
        case WM_PAINT: OnPaintToolStrip(window); return 0;
        case WM_MOUSEMOVE: ShowToolsPanel(); return 0;
        case NotifyParentMessage:
            if (wParam == CN_ENTER) ShowToolsPanel();
            return 0;
        case WM_DESTROY: OnDestroyToolStrip(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void PaintToolStripBands(HDC dc, const RECT& rect) {
    const PackedDib* tile = ToolTile().GetDib();
    if (tile == nullptr) return;
    for (int32_t top = rect.top; top < rect.bottom; top += kToolTileHeight) {
        DrawBlock(dc, 0, top, kToolStripWidth, kToolTileHeight, tile, kToolStripSourceX, 0);
    }
}

bool RegisterToolStripClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kToolStripClass, ToolStripProc, kOwnDcStyle);
}

HWND CreateToolStrip(HWND playScreen) {
    return CreateWindowExA(0, kToolStripClass, "", kToolStripStyle, 0, kToolStripTop, kToolStripWidth,
                           App.ScreenHeight - kToolStripHeightMargin, playScreen, nullptr, App.Instance, nullptr);
}
