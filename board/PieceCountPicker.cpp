// The piece-count picker; see PieceCountPicker.h.
#include "board/PieceCountPicker.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/SizePickers.h"
#include "controls/ControlProtocol.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/ShownPicture.h"
#include "platform/WindowKind.h"
#include "platform/WindowPoints.h"
#include "platform/WindowState.h"

namespace {

struct PieceCountPickerState {
    explicit PieceCountPickerState(const DibImage* dialogBackground) : background(dialogBackground) {}
    const DibImage* background;
    ShownPicture preview;
    bool tracking = false;
    Point pressPoint;  // from the preview's corner
};

PieceCountPickerState* StateOf(HWND window) { return WindowStateOf<PieceCountPickerState>(window); }

bool PictureLoaded() { return LoadedPictureSize(Board.Puzzle).x > 0; }

Point PreviewCorner() { return Point{Board.Scale.countOffsetX, Board.Scale.countOffsetY}; }

// The preview's place in the picker; an empty rectangle without a picture.
Rect PreviewRect(const PieceCountPickerState& state) {
    if (!PictureLoaded() || !state.preview.HasPicture()) return Rect{};
    const Point corner = PreviewCorner();
    const Point size = state.preview.Size();
    return Rect{corner.x, corner.y, size.x, size.y};
}

void Line(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const POINT points[2] = {{x1, y1}, {x2, y2}};
    Polyline(dc, points, 2);
}

// The cutting grid over the preview in inverted lines. A grid finer than the preview's pixels
// would invert some columns twice, which undoes the first line: each column or row of pixels
// is inverted once at most.
void DrawGrid(HDC dc, const Rect& preview) {
    const int64_t cols = Board.Puzzle.cols;
    const int64_t rows = Board.Puzzle.rows;
    int32_t last = -1;
    for (int64_t k = 1; k < cols; ++k) {
        const auto x = static_cast<int32_t>(k * preview.width / cols);
        if (x == last) continue;
        last = x;
        Line(dc, preview.x + x, preview.y, preview.x + x, preview.y + preview.height);
    }
    last = -1;
    for (int64_t k = 1; k < rows; ++k) {
        const auto y = static_cast<int32_t>(k * preview.height / rows);
        if (y == last) continue;
        last = y;
        Line(dc, preview.x, preview.y + y, preview.x + preview.width, preview.y + y);
    }
}

// What lies under the picker in the dialog, so that the margins look transparent.
void PaintDialogBackground(HDC dc, const RECT& area, const DibImage* background) {
    const PackedDib* dib = background != nullptr ? background->GetDib() : nullptr;
    if (dib == nullptr) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    DrawBlock(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dib, kPickerOrigin.x + area.left,
              kPickerOrigin.y + area.top);
}

// --- Message handlers -----------------------------------------------------------------------

LRESULT OnCreatePieceCountPicker(HWND window, const CREATESTRUCTA* create) {
    const auto* background = static_cast<const DibImage*>(create->lpCreateParams);
    if (AttachWindowState<PieceCountPickerState>(window, background) == nullptr) return -1;
    App.PieceCountPickerWindow = window;
    return 0;
}

void OnPaintPieceCountPicker(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PieceCountPickerState* state = StateOf(window);
    const int saved = SaveDC(dc);
    const Rect preview = PreviewRect(*state);
    if (preview.width > 0) {
        state->preview.RealizePalette(dc, false);
        state->preview.Draw(dc, preview.x, preview.y, preview.width, preview.height);
        SetROP2(dc, R2_NOT);
        DrawGrid(dc, preview);
        ExcludeClipRect(dc, preview.x, preview.y, preview.x + preview.width, preview.y + preview.height);
    }
    PaintDialogBackground(dc, ps.rcPaint, state->background);
    RestoreDC(dc, saved);
    EndPaint(window, &ps);
}

void OnButtonDownPieceCountPicker(HWND window, Point at) {
    PieceCountPickerState* state = StateOf(window);
    const Rect preview = PreviewRect(*state);
    if (preview.width == 0 || state->tracking) return;
    const Point inside = at - preview.Origin();
    if (inside.x < 0 || inside.y < 0 || inside.x > preview.width || inside.y > preview.height) return;
    state->tracking = true;
    state->pressPoint = inside;
    BeginPieceSizeDrag(Board.Scale);
    BeginPickerDrag(window);
}

void OnMouseMovePieceCountPicker(HWND window, Point at) {
    PieceCountPickerState* state = StateOf(window);
    if (!state->tracking) return;
    const Rect preview = PreviewRect(*state);
    const Point moved = at - preview.Origin() - state->pressPoint;
    if (!DragPieceSize(Board.Puzzle, Board.Scale, moved, preview.Size())) return;
    InvalidateRect(window, nullptr, FALSE);
    NotifyParent(window, kPickerChanged);
}

void StopTracking(HWND window) {
    PieceCountPickerState* state = StateOf(window);
    if (!state->tracking) return;
    state->tracking = false;
    EndPickerDrag(window);
}

void OnCaptureChangedPieceCountPicker(HWND window, HWND gaining) {
    if (gaining != window) StopTracking(window);
}

void OnDestroyPieceCountPicker(HWND window) {
    if (App.PieceCountPickerWindow == window) App.PieceCountPickerWindow = nullptr;
}

LRESULT OnPalettePieceCountPicker(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

LRESULT CALLBACK PieceCountPickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreatePieceCountPicker(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintPieceCountPicker(window); return 0;
        case WM_LBUTTONDOWN: OnButtonDownPieceCountPicker(window, MousePointOf(lParam)); return 0;
        case WM_MOUSEMOVE: OnMouseMovePieceCountPicker(window, MousePointOf(lParam)); return 0;
        case WM_LBUTTONUP: StopTracking(window); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedPieceCountPicker(window, reinterpret_cast<HWND>(lParam)); return 0;
        case WM_QUERYNEWPALETTE: return OnPalettePieceCountPicker(window);
        case WM_PALETTECHANGED: OnPalettePieceCountPicker(window); return 0;
        case WM_DESTROY: OnDestroyPieceCountPicker(window); return 0;
        case WM_NCDESTROY: FreeWindowState<PieceCountPickerState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPieceCountPickerClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPieceCountPickerClass, PieceCountPickerProc, kOwnDcStyle,
                              ClassBackground::None, LoadResourceCursor(instance, kPickerCursorId));
}

HWND CreatePieceCountPicker(HWND dialog, const DibImage* background) {
    return CreateWindowExA(0, kPieceCountPickerClass, "", kPickerStyle, kPickerOrigin.x, kPickerOrigin.y, kPickerArea.x,
                           kPickerArea.y, dialog, nullptr, App.Instance, const_cast<DibImage*>(background));
}

void ReloadPieceCountPickerPreview() {
    HWND window = App.PieceCountPickerWindow;
    PieceCountPickerState* state = window != nullptr ? StateOf(window) : nullptr;
    if (state == nullptr) return;
    state->preview.Replace(PictureLoaded() ? ReadScaledPicture(Board.Puzzle.picture, Board.Scale.countPreviewSize)
                                           : nullptr);
}
