// The zoom picker; see ZoomPicker.h.
#include "board/ZoomPicker.h"

#include <windowsx.h>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/PuzzleSurface.h"
#include "board/SizePickers.h"
#include "controls/ControlProtocol.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/DibDraw.h"
#include "gfx/GdiHandles.h"
#include "gfx/ShownPicture.h"
#include "platform/WindowKind.h"
#include "platform/WindowPoints.h"
#include "platform/WindowState.h"

namespace {

constexpr int32_t kFeltTile = 50;  // the board texture's side

struct ZoomPickerState {
    ShownPicture preview;
    bool tracking = false;
    Point pressPoint;
};

ZoomPickerState* StateOf(HWND window) { return WindowStateOf<ZoomPickerState>(window); }

bool PictureLoaded() { return LoadedPictureSize(Board.Puzzle).x > 0; }

// The preview at the picture's scale, centred; an empty rectangle without a picture.
Rect DrawnPicture(HWND window, const ZoomPickerState& state) {
    if (!PictureLoaded() || !state.preview.HasPicture()) return Rect{};
    const Point drawn = state.preview.Size() * Board.Puzzle.scale;
    const Point client = ClientSizeOf(window);
    return Rect{(client.x - drawn.x) / 2, (client.y - drawn.y) / 2, drawn.x, drawn.y};
}

// The board's felt in tiles at multiples of 50, as on the board itself.
void PaintFelt(HDC dc, const RECT& area) {
    const PackedDib* felt = Board.BoardTexture.GetDib();
    if (felt == nullptr) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    const int32_t firstX = area.left - ((area.left % kFeltTile) + kFeltTile) % kFeltTile;
    const int32_t firstY = area.top - ((area.top % kFeltTile) + kFeltTile) % kFeltTile;
    for (int32_t y = firstY; y < area.bottom; y += kFeltTile)
        for (int32_t x = firstX; x < area.right; x += kFeltTile) DrawBlock(dc, x, y, kFeltTile, kFeltTile, felt, 0, 0);
}

// --- Message handlers -----------------------------------------------------------------------

LRESULT OnCreateZoomPicker(HWND window) {
    if (AttachWindowState<ZoomPickerState>(window) == nullptr) return -1;
    if (Board.BoardTexture.GetDib() == nullptr) Board.BoardTexture.LoadById(kBoardTextureId);
    // The class owns its device context: shrinking with COLORONCOLOR drops rows and columns
    // cleanly instead of merging their colours.
    WindowDC dc(window);
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    App.ZoomPickerWindow = window;
    return 0;
}

void OnPaintZoomPicker(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    ZoomPickerState* state = StateOf(window);
    const int saved = SaveDC(dc);
    state->preview.RealizePalette(dc, false);
    const Rect picture = DrawnPicture(window, *state);
    if (picture.width > 0 && picture.height > 0) {
        state->preview.Draw(dc, picture.x, picture.y, picture.width, picture.height);
        ExcludeClipRect(dc, picture.x, picture.y, picture.x + picture.width, picture.y + picture.height);
    }
    PaintFelt(dc, ps.rcPaint);
    RestoreDC(dc, saved);
    EndPaint(window, &ps);
}

void OnButtonDownZoomPicker(HWND window, Point at) {
    ZoomPickerState* state = StateOf(window);
    if (!PictureLoaded() || state->tracking) return;
    state->tracking = true;
    state->pressPoint = at;
    BeginZoomDrag(Board.Puzzle, Board.Scale);
    BeginPickerDrag(window);
}

void OnMouseMoveZoomPicker(HWND window, Point at) {
    if (!StateOf(window)->tracking) return;
    if (!DragZoom(Board.Puzzle, Board.Scale, at - StateOf(window)->pressPoint, ClientSizeOf(window))) return;
    InvalidatePickers();
    NotifyParent(window, kPickerChanged);
}

void StopTracking(HWND window) {
    ZoomPickerState* state = StateOf(window);
    if (!state->tracking) return;
    state->tracking = false;
    EndPickerDrag(window);
}

void OnCaptureChangedZoomPicker(HWND window, HWND gaining) {
    if (gaining != window) StopTracking(window);
}

void OnDestroyZoomPicker(HWND window) {
    if (App.ZoomPickerWindow == window) App.ZoomPickerWindow = nullptr;
}

LRESULT OnPaletteZoomPicker(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

LRESULT CALLBACK ZoomPickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateZoomPicker(window);
        case WM_PAINT: OnPaintZoomPicker(window); return 0;
        case WM_LBUTTONDOWN: OnButtonDownZoomPicker(window, MousePointOf(lParam)); return 0;
        case WM_MOUSEMOVE: OnMouseMoveZoomPicker(window, MousePointOf(lParam)); return 0;
        case WM_LBUTTONUP: StopTracking(window); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedZoomPicker(window, reinterpret_cast<HWND>(lParam)); return 0;
        case WM_QUERYNEWPALETTE: return OnPaletteZoomPicker(window);
        case WM_PALETTECHANGED: OnPaletteZoomPicker(window); return 0;
        case WM_DESTROY: OnDestroyZoomPicker(window); return 0;
        case WM_NCDESTROY: FreeWindowState<ZoomPickerState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterZoomPickerClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kZoomPickerClass, ZoomPickerProc, kOwnDcStyle, ClassBackground::None,
                              LoadResourceCursor(instance, kPickerCursorId));
}

Rect ZoomPickerRect(Point boardArea) {
    ScaleFields mini;
    FitBoardMiniature(mini, boardArea);
    return Rect{kPickerOrigin.x + (kPickerArea.x - mini.boardMiniWidth) / 2,
                kPickerOrigin.y + (kPickerArea.y - mini.boardMiniHeight) / 2, mini.boardMiniWidth,
                mini.boardMiniHeight};
}

HWND CreateZoomPicker(HWND dialog) {
    FitBoardMiniature(Board.Scale, BoardAreaInPlay());
    const Rect r = ZoomPickerRect(BoardAreaInPlay());
    return CreateWindowExA(0, kZoomPickerClass, "", kPickerStyle, r.x, r.y, r.width, r.height, dialog, nullptr,
                           App.Instance, nullptr);
}

void ReloadZoomPickerPreview() {
    HWND window = App.ZoomPickerWindow;
    ZoomPickerState* state = window != nullptr ? StateOf(window) : nullptr;
    if (state == nullptr) return;
    state->preview.Replace(PictureLoaded() ? ReadScaledPicture(Board.Puzzle.picture, Board.Scale.zoomPreviewSize)
                                           : nullptr);
}
