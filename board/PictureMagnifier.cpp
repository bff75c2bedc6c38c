// The picture magnifier; see PictureMagnifier.h.
#include "board/PictureMagnifier.h"

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/GdiHandles.h"
#include "gfx/ShownPicture.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

// Showing and hiding leave the activation, the stacking order and the owner alone.
constexpr UINT kHideFlags =
    SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
constexpr UINT kShowFlags =
    SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

struct MagnifierState {
    ShownPicture picture;
    bool wanted = false;  // the player has it shown
};

MagnifierState* StateOf(HWND window) { return WindowStateOf<MagnifierState>(window); }

// The window's outer size for a client area of `client`.
Point OuterSize(HWND window, Point client) {
    RECT r{0, 0, client.x, client.y};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return Point{r.right - r.left, r.bottom - r.top};
}

void Hide(HWND window, MagnifierState& state) {
    state.wanted = false;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, kHideFlags);
}

void ShowIfWanted(HWND window, const MagnifierState& state) {
    if (state.wanted && state.picture.HasPicture()) SetWindowPos(window, nullptr, 0, 0, 0, 0, kShowFlags);
}

void Reload(HWND window, MagnifierState& state) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, kHideFlags);
    state.picture.Replace(nullptr);
    PuzzleDocument& doc = Board.Puzzle;
    const Point picture = LoadedPictureSize(doc);
    Point client = kMagnifierArea;
    if (picture.x > 0) {
        client = FittedPictureSize(picture, kMagnifierArea);
        state.picture.Replace(ReadScaledPicture(doc.picture, client));
    }
    const Point outer = OuterSize(window, client);
    SetWindowPos(window, nullptr, 0, 0, outer.x, outer.y, kResizeFlags);
    InvalidateRect(window, nullptr, TRUE);
    ShowIfWanted(window, state);
}

// --- Message handlers -----------------------------------------------------------------------

LRESULT OnCreateMagnifier(HWND window) { return AttachWindowState<MagnifierState>(window) != nullptr ? 0 : -1; }

void OnPaintMagnifier(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    MagnifierState* state = StateOf(window);
    const Point size = state->picture.Size();
    state->picture.Draw(dc, 0, 0, size.x, size.y);
    EndPaint(window, &ps);
}

LRESULT OnQueryNewPaletteMagnifier(HWND window) {
    WindowDC dc(window);
    StateOf(window)->picture.RealizePalette(dc.get(), false);
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

void OnPaletteChangedMagnifier(HWND window, HWND changedBy) {
    if (changedBy == window) return;
    WindowDC dc(window);
    StateOf(window)->picture.RealizePalette(dc.get(), true);
    InvalidateRect(window, nullptr, FALSE);
}

void OnDestroyMagnifier(HWND window) {
    if (App.MagnifierWindow == window) App.MagnifierWindow = nullptr;
}

LRESULT CALLBACK MagnifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateMagnifier(window);
        case WM_PAINT: OnPaintMagnifier(window); return 0;
        case WM_CLOSE: Hide(window, *StateOf(window)); return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteMagnifier(window);
        case WM_PALETTECHANGED: OnPaletteChangedMagnifier(window, reinterpret_cast<HWND>(wParam)); return 0;
        case WM_DESTROY: OnDestroyMagnifier(window); return 0;
        case WM_NCDESTROY: FreeWindowState<MagnifierState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

MagnifierState* MagnifierInPlay() { return App.MagnifierWindow != nullptr ? StateOf(App.MagnifierWindow) : nullptr; }

}  // namespace

bool RegisterPictureMagnifierClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPictureMagnifierClass, MagnifierProc, kOwnDcStyle, ClassBackground::Black);
}

Point MagnifierPosition(int32_t screenWidth, int32_t screenHeight) { return Point{screenWidth / 4, screenHeight / 2}; }

HWND CreatePictureMagnifier(HWND owner) {
    RECT r{0, 0, kMagnifierArea.x, kMagnifierArea.y};
    AdjustWindowRectEx(&r, kMagnifierStyle, FALSE, kMagnifierExStyle);
    const Point at = MagnifierPosition(App.ScreenWidth, App.ScreenHeight);
    App.MagnifierWindow = CreateWindowExA(kMagnifierExStyle, kPictureMagnifierClass, "", kMagnifierStyle, at.x, at.y,
                                          r.right - r.left, r.bottom - r.top, owner, nullptr, App.Instance, nullptr);
    return App.MagnifierWindow;
}

void UpdateMagnifier() {
    if (MagnifierState* state = MagnifierInPlay()) Reload(App.MagnifierWindow, *state);
}

void ShowMagnifier() {
    MagnifierState* state = MagnifierInPlay();
    if (state == nullptr) return;
    state->wanted = true;
    ShowIfWanted(App.MagnifierWindow, *state);
}

void HideMagnifier() {
    if (MagnifierState* state = MagnifierInPlay()) Hide(App.MagnifierWindow, *state);
}
