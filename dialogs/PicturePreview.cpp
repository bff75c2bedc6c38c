// The full-screen preview; see PicturePreview.h.
#include "dialogs/PicturePreview.h"

#include <utility>

#include "app/AppGlobals.h"
#include "engine/BmpFileReader.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/GdiHandles.h"
#include "gfx/ShownPicture.h"
#include "platform/OwnedPopup.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

struct PreviewState {
    explicit PreviewState(HWND ownerWindow) : owner(ownerWindow) {}
    HWND owner;
    ShownPicture picture;
};

PreviewState* StateOf(HWND window) { return WindowStateOf<PreviewState>(window); }

Point ScreenSize() { return Point{App.ScreenWidth, App.ScreenHeight}; }

// --- Message handlers -----------------------------------------------------------------------

// The picture, already read, comes as the creation parameter and becomes the window's.
LRESULT OnCreatePreview(HWND window, const CREATESTRUCTA* create) {
    PreviewState* state = AttachWindowState<PreviewState>(window, create->hwndParent);
    if (state == nullptr) return -1;
    state->picture.Replace(std::move(*static_cast<PackedDibPtr*>(create->lpCreateParams)));
    return 0;
}

void OnPaintPreview(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PreviewState* state = StateOf(window);
    const Point size = state->picture.Size();
    const Point at = PreviewPictureOrigin(size, ScreenSize());
    state->picture.Draw(dc, at.x, at.y, size.x, size.y);
    EndPaint(window, &ps);
}

void OnClosePreview(HWND window) { CloseGivingOwnerBack(window, StateOf(window)->owner); }

void OnDestroyPreview(HWND window) {
    PreviewState* state = StateOf(window);
    state->picture.Replace(nullptr);
    if (state->owner != nullptr) EnableWindow(state->owner, TRUE);
}

LRESULT OnQueryNewPalettePreview(HWND window) {
    WindowDC dc(window);
    StateOf(window)->picture.RealizePalette(dc.get(), false);
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

void OnPaletteChangedPreview(HWND window, HWND changedBy) {
    if (changedBy == window) return;
    WindowDC dc(window);
    StateOf(window)->picture.RealizePalette(dc.get(), true);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK PicturePreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreatePreview(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintPreview(window); return 0;
        // A double click or any key closes it. A single click does nothing, so the button going
        // up at the end of the double click that opened the preview cannot close it at once.
        case WM_LBUTTONDBLCLK:
        case WM_CHAR: PostMessageA(window, WM_CLOSE, 0, 0); return 0;
        case WM_CLOSE: OnClosePreview(window); return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPalettePreview(window);
        case WM_PALETTECHANGED: OnPaletteChangedPreview(window, reinterpret_cast<HWND>(wParam)); return 0;
        case WM_DESTROY: OnDestroyPreview(window); return 0;
        case WM_NCDESTROY: FreeWindowState<PreviewState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPicturePreviewClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPicturePreviewClass, PicturePreviewProc, kDoubleClickStyle,
                              ClassBackground::Black);
}

Point PreviewPictureSize(Point picture, Point screen) { return FittedPictureSize(picture, screen); }

Point PreviewPictureOrigin(Point shown, Point screen) {
    return Point{(screen.x - shown.x) / 2, (screen.y - shown.y) / 2};
}

HWND OpenPicturePreview(const char* picturePath, HWND owner) {
    BmpFileReader reader;
    if (picturePath == nullptr || !reader.Open(picturePath)) return nullptr;
    const PictureSize stored = reader.GetSize();
    const Point picture{stored.width, stored.height < 0 ? -stored.height : stored.height};
    PackedDibPtr shown = ReadScaledPicture(reader, PreviewPictureSize(picture, ScreenSize()));
    if (shown == nullptr) return nullptr;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kPicturePreviewClass, "", kPicturePreviewStyle, 0, 0, 100, 100, owner, nullptr,
                                  App.Instance, &shown);
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}
