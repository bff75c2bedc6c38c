#include "app/OptionsBar.h"

#include "app/AppGlobals.h"
#include "app/OptionsPanel.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kOptionsBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kOptionsBarStyle == 0x56000000, "style of the options bar");

// The bar keeps no state of its own beyond the shared tile; the block only marks that
// WM_CREATE has run.
struct OptionsBarState {};

OptionsBarState* StateOf(HWND bar) { return WindowStateOf<OptionsBarState>(bar); }

LRESULT OnCreateOptionsBar(HWND bar) {
    if (AttachWindowState<OptionsBarState>(bar) == nullptr) return -1;
    App.OptionsBarWindow = bar;
    OptionsTile().LoadById(kOptionsTileImageId);
    BuildOptionsTileStrip(App.ScreenWidth);
    return 0;
}

void OnPaintOptionsBar(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    PaintFromOptionsStrip(dc, ps.rcPaint, 0);
    EndPaint(bar, &ps);
}

void OnDestroyOptionsBar(HWND bar) {
    if (App.OptionsBarWindow == bar) App.OptionsBarWindow = nullptr;
}

LRESULT CALLBACK OptionsBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(bar) == nullptr) return DefWindowProcA(bar, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateOptionsBar(bar);
        case WM_PAINT: OnPaintOptionsBar(bar); return 0;
        case WM_MOUSEMOVE: ShowOptionsPanel(); return 0;
        case WM_QUERYNEWPALETTE: InvalidateRect(bar, nullptr, FALSE); return TRUE;
        case WM_DESTROY: OnDestroyOptionsBar(bar); return 0;
        case WM_NCDESTROY: FreeWindowState<OptionsBarState>(bar); return 0;
        default: return DefWindowProcA(bar, message, wParam, lParam);
    }
}

}  // namespace

DibImage& OptionsTile() {
    static DibImage tile;
    return tile;
}

DibImage& OptionsTileStrip() {
    static DibImage strip(true);
    return strip;
}

bool BuildOptionsTileStrip(int32_t width) {
    const PackedDib* tile = OptionsTile().GetDib();
    DibImage& strip = OptionsTileStrip();
    if (tile == nullptr || width <= 0 || !strip.Resize(width, kOptionsTileSize, true)) return false;
    for (int32_t x = 0; x < width; x += kOptionsTileSize)
        DrawBlock(strip.GetDC(), x, 0, kOptionsTileSize, kOptionsTileSize, tile, 0, 0);
    return true;
}

void PaintFromOptionsStrip(HDC dc, const RECT& rect, int32_t sourceTop) {
    const DibImage& strip = OptionsTileStrip();
    const Point size = strip.GetSize();
    if (size.x <= 1) return;  // not built: an unsized device image is 1 x 1
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, strip.GetDC(), rect.left,
           rect.top + sourceTop, SRCCOPY);
}

bool RegisterOptionsBarClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kOptionsBarClass, OptionsBarProc, kOwnDcStyle);
}

HWND CreateOptionsBar(HWND playScreen) {
    return CreateWindowExA(0, kOptionsBarClass, "", kOptionsBarStyle, 0, App.ScreenHeight - kOptionsBarHeight,
                           App.ScreenWidth, kOptionsBarHeight, playScreen, nullptr, App.Instance, nullptr);
}
