// The surface window; see PuzzleSurface.h. The rules (what a press, a release and a join do
// to the pieces) live in DropRules and JoinRules; this file finds windows under the mouse,
// holds the capture, draws the dragged piece as a sprite and the rubber band, and shows the
// back buffers the rules keep up to date.
#include "board/PuzzleSurface.h"

#include <vfw.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/DragImages.h"
#include "board/GameClockTimer.h"
#include "board/SurfaceWindows.h"
#include "engine/DragSprite.h"
#include "engine/DropRules.h"
#include "engine/PieceAreas.h"
#include "engine/SurfacePainter.h"
#include "gfx/GdiHandles.h"
#include "platform/WindowKind.h"
#include "platform/WindowPoints.h"
#include "platform/WindowState.h"

namespace {

constexpr COLORREF kSelectionPenColour = RGB(0, 0, 0);
// Where a drop that lost the capture is made: a client point outside every surface.
constexpr Point kCaptureLostPoint{-1, -1};

// What a surface window owns besides its part of the document: the DrawDib handle it shows
// its back buffer with, the rubber band's pen, selected into the window's own device context
// for its whole life (the selection is undone before the pen is deleted), and whether its
// first WM_SIZE has come.
struct SurfaceWindowState {
    explicit SurfaceWindowState(int number) : surface(number) {}
    int surface;
    DrawDibHandle drawDib;
    GdiObject<HPEN> pen;
    std::optional<SelectedObject> penSelection;
    bool sized = false;
};

SurfaceWindowState* StateOf(HWND window) { return WindowStateOf<SurfaceWindowState>(window); }

Surface& SurfaceData(int surface) { return Board.Puzzle.surfaces[static_cast<size_t>(surface)]; }

HWND WindowOf(int surface) { return WindowOfSurface(surface); }

POINT ToScreen(HWND window, Point client) {
    POINT p{client.x, client.y};
    ClientToScreen(window, &p);
    return p;
}

Point ToClient(HWND window, POINT screen) {
    ScreenToClient(window, &screen);
    return Point{screen.x, screen.y};
}

void SetStandardCursor(LPCSTR which) { SetCursor(LoadCursorA(nullptr, which)); }

void Blit(HDC to, int32_t x, int32_t y, int32_t width, int32_t height, HDC from, int32_t fromX, int32_t fromY) {
    BitBlt(to, x, y, width, height, from, fromX, fromY, SRCCOPY);
}

// --- The dragged piece ----------------------------------------------------------------------

// Puts the clean background kept in the save image back on the view window's screen.
void RestoreUnderSprite(const PieceDragImages& images) {
    const DragSession& drag = Board.Drag;
    WindowDC view(WindowOf(drag.viewSurface));
    Blit(view.get(), drag.position.x, drag.position.y, images.spriteWidth, images.spriteHeight, images.save.GetDC(), 0,
         0);
}

// One step of the drag at `m` (client point of the window holding the capture): the sprite
// moves to where the mouse now is, on whichever surface lies under it.
void DragStep(HWND window, Point m) {
    const PieceDragImages* images = Board.DragImages.get();
    if (images == nullptr) return;
    DragSession& drag = Board.Drag;
    const POINT screen = ToScreen(window, m);
    const int under = SurfaceOfWindow(WindowFromPoint(screen));
    const int target = under >= 0 ? under : drag.viewSurface;
    HWND targetWindow = WindowOf(target);
    const Point position = ToClient(targetWindow, screen) - drag.grabOffset;
    const int32_t width = images->spriteWidth;
    const int32_t height = images->spriteHeight;
    HDC compose = images->compose.GetDC();
    HDC save = images->save.GetDC();

    Point pieceAt{0, 0};
    Rect shown{position.x, position.y, width, height};
    if (target == drag.viewSurface) {
        WindowDC view(targetWindow);
        const DragStepPlan plan = PlanDragStep(drag.position, position, width, height);
        if (plan.overlap) {
            Blit(compose, 0, 0, plan.shown.width, plan.shown.height, view.get(), plan.shown.x, plan.shown.y);
            Blit(compose, plan.oldPieceAt.x, plan.oldPieceAt.y, width, height, save, 0, 0);
        } else {
            Blit(view.get(), drag.position.x, drag.position.y, width, height, save, 0, 0);
            Blit(compose, 0, 0, width, height, view.get(), position.x, position.y);
        }
        pieceAt = plan.pieceAt;
        shown = plan.shown;
    } else {
        RestoreUnderSprite(*images);
        WindowDC arrival(targetWindow);
        Blit(compose, 0, 0, width, height, arrival.get(), position.x, position.y);
        drag.viewSurface = target;
    }
    Blit(save, 0, 0, width, height, compose, pieceAt.x, pieceAt.y);
    drag.position = position;
    GdiFlush();  // GDI is done with the section's bits before they are written directly
    DrawLiftedSprite(images->lifted, images->canvas, pieceAt);
    WindowDC view(targetWindow);
    Blit(view.get(), shown.x, shown.y, shown.width, shown.height, compose, 0, 0);
}

// The part of the back buffer under the picked-up piece and its shadow becomes the save image.
void SaveUnderPiece(int surface, const PieceDragImages& images) {
    const Surface& s = SurfaceData(surface);
    const Rect piece{Board.Drag.position.x, Board.Drag.position.y, images.spriteWidth, images.spriteHeight};
    const RectCombination inside = CombineRects(piece, SurfaceRect(Board.Puzzle, surface), kRectIntersection);
    if (!inside.overlap || inside.rect.width == 0 || inside.rect.height == 0 || s.backBuffer.empty()) return;
    const Rect& r = inside.rect;
    // DIB rows count from the bottom: the source's y is measured from the last row.
    SetDIBitsToDevice(images.save.GetDC(), r.x - piece.x, r.y - piece.y, static_cast<DWORD>(r.width),
                      static_cast<DWORD>(r.height), r.x, s.clientHeight - r.y - r.height, 0,
                      static_cast<UINT>(s.clientHeight), s.backBuffer.data(),
                      reinterpret_cast<const BITMAPINFO*>(&s.backBufferHeader), DIB_RGB_COLORS);
}

// --- The rubber band ------------------------------------------------------------------------

// Draws (or, drawn again, erases) the band with the window's own pen and R2_NOT.
void DrawSelectionRect(HWND window) {
    POINT points[kSelectionPointCount];
    for (int i = 0; i < kSelectionPointCount; ++i)
        points[i] = POINT{Board.Drag.SelectionRect[i].x, Board.Drag.SelectionRect[i].y};
    WindowDC dc(window);
    Polyline(dc.get(), points, kSelectionPointCount);
}

// --- The drop -------------------------------------------------------------------------------

// Ends the drag at `m`; outside forces a drop outside every surface (the capture was lost).
void DropAt(HWND window, Point m, bool outside) {
    DragSession& drag = Board.Drag;
    if (drag.DragState == kDragSelection) {
        DrawSelectionRect(window);
        ApplyBoardChanges(Drop(Board.Puzzle, drag, kNoSurface, m).changes);
        return;
    }
    if (drag.DragState != kDragPiece) return;
    const PieceDragImages* images = Board.DragImages.get();
    const POINT screen = ToScreen(window, m);
    HWND underWindow = outside ? nullptr : WindowFromPoint(screen);
    const int target = SurfaceOfWindow(underWindow);
    if (target < 0) {
        if (images != nullptr) RestoreUnderSprite(*images);
        ApplyBoardChanges(Drop(Board.Puzzle, drag, kNoSurface, drag.position).changes);
        return;
    }
    HWND view = WindowOf(drag.viewSurface);
    const Point sprite = drag.position;
    const DropResult dropped = Drop(Board.Puzzle, drag, target, ToClient(underWindow, screen) - drag.grabOffset);
    // A snapped piece may lie a few pixels from where its sprite was drawn, and the areas
    // the drop repaints do not cover the sprite's edge then; the back buffer is right there.
    if (images != nullptr && IsWindow(view)) {
        RECT r{sprite.x, sprite.y, sprite.x + images->spriteWidth, sprite.y + images->spriteHeight};
        InvalidateRect(view, &r, FALSE);
    }
    ApplyBoardChanges(dropped.changes);
}

// --- Message handlers -----------------------------------------------------------------------

LRESULT OnCreateSurface(HWND window) {
    const int surface = SurfaceFromControlId(GetDlgCtrlID(window));
    if (surface < 0) return -1;
    SurfaceWindowState* state = AttachWindowState<SurfaceWindowState>(window, surface);
    if (state == nullptr) return -1;
    if (Board.BoardTexture.GetDib() == nullptr) Board.BoardTexture.LoadById(kBoardTextureId);

    // The class owns its device context, so what is selected now stays for the window's life.
    WindowDC dc(window);
    SetROP2(dc.get(), R2_NOT);
    state->pen.reset(CreatePen(PS_DASHDOT, 0, kSelectionPenColour));
    state->penSelection.emplace(dc.get(), state->pen.get());

    SetWindowOfSurface(surface, window);
    Surface& s = SurfaceData(surface);
    Board.Drag.DragState = kDragIdle;
    s.backBuffer.clear();
    s.clientWidth = 0;
    s.clientHeight = 0;
    s.backBufferHeader = BitmapInfoHeader{};
    s.backBufferHeader.biSize = kDibHeaderSize;
    s.backBufferHeader.biPlanes = 1;
    s.backBufferHeader.biBitCount = 24;
    // A surface made while no puzzle is in play starts empty; one made into a game in
    // progress keeps the pieces the model gives it.
    if (Board.Puzzle.PieceCount() == 0) s.count = 0;
    return 0;
}

void OnSizeSurface(HWND window, int32_t width, int32_t height) {
    SurfaceWindowState* state = StateOf(window);
    const int surface = state->surface;
    Surface& s = SurfaceData(surface);
    if (!state->sized) {
        if (!AllocateBackBuffer(s, width, height)) return;
        state->sized = true;
        if (Board.CreatingBoard && surface == kBoardSurface) {
            const PuzzleDocument& doc = Board.Puzzle;
            ApplyBoardChanges(Cut(Board.Puzzle, GameCutEnvironment(), static_cast<int32_t>(doc.templateRows),
                                  static_cast<int32_t>(doc.templateCols), doc.templateId, true)
                                  .changes);
        }
        PaintSurface(surface, SurfaceRect(Board.Puzzle, surface), false, false);
        return;
    }
    BackBufferGrowth growth;
    if (!ResizeBackBuffer(s, width, height, &growth)) return;
    PaintSurface(surface, growth.rightStrip, true, false);
    PaintSurface(surface, growth.bottomStrip, true, false);
}

void OnPaintSurface(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const Surface& s = SurfaceData(StateOf(window)->surface);
    const int32_t width = ps.rcPaint.right - ps.rcPaint.left;
    const int32_t height = ps.rcPaint.bottom - ps.rcPaint.top;
    if (!s.backBuffer.empty() && width > 0 && height > 0) {
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(const_cast<BitmapInfoHeader*>(&s.backBufferHeader));
        DrawDibDraw(StateOf(window)->drawDib.get(), dc, ps.rcPaint.left, ps.rcPaint.top, width, height, header,
                    const_cast<uint8_t*>(s.backBuffer.data()), ps.rcPaint.left, ps.rcPaint.top, width, height, 0);
    }
    EndPaint(window, &ps);
}

void OnButtonDown(HWND window, Point m) {
    const int surface = StateOf(window)->surface;
    SetCapture(window);
    const PickUpResult picked = PickUp(Board.Puzzle, Board.Drag, surface, m);
    ApplyBoardChanges(picked.changes);
    if (!picked.hitPiece) return;
    if (PieceDragImages* images = Board.DragImages.get()) {
        // The sprite is made once here, so that a drag step only copies it in; a sprite that
        // cannot be made draws nothing rather than a stale piece.
        if (!RenderLiftedSprite(Board.Puzzle, Board.Drag.piece, images->canvas.format, images->lifted))
            std::fill(images->lifted.alpha.begin(), images->lifted.alpha.end(), uint8_t{0});
        SaveUnderPiece(surface, *images);
    }
    DragStep(window, m);
}

void OnMouseMoveSurface(HWND window, Point m) {
    if (GetCapture() != window) return;
    if (Board.Drag.DragState == kDragPiece) {
        DragStep(window, m);
    } else if (Board.Drag.DragState == kDragSelection) {
        DrawSelectionRect(window);
        StretchSelection(Board.Drag, m);
        DrawSelectionRect(window);
    }
}

void OnButtonUp(HWND window, Point m) {
    SetStandardCursor(IDC_WAIT);
    if (GetCapture() == window) DropAt(window, m, false);
    SetStandardCursor(IDC_ARROW);
    ReleaseCapture();
}

void OnCaptureChangedSurface(HWND window, HWND gaining) {
    if (Board.Drag.DragState != kDragIdle && gaining != window && Board.Drag.surface == StateOf(window)->surface)
        DropAt(window, kCaptureLostPoint, true);
}

LRESULT OnQueryNewPaletteSurface(HWND window) {
    WindowDC dc(window);
    DrawDibRealize(StateOf(window)->drawDib.get(), dc.get(), TRUE);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

void OnPaletteChangedSurface(HWND window, HWND changedBy) {
    if (changedBy != window) OnQueryNewPaletteSurface(window);
}

// A surface going ends the game (the play screen is closing). The other windows may be gone
// already, so the clearing's changes are not applied; only the clock's timer is stopped.
void OnDestroySurface(HWND window) {
    SurfaceWindowState* state = StateOf(window);
    Surface& s = SurfaceData(state->surface);
    if (Board.Puzzle.ClearGame(false).stopClock) StopClockTimer();
    Board.Puzzle.rows = 0;
    Board.Puzzle.cols = 0;
    std::vector<uint8_t>().swap(s.backBuffer);
    s.clientWidth = 0;
    s.clientHeight = 0;
    if (WindowOf(state->surface) == window) SetWindowOfSurface(state->surface, nullptr);
}

LRESULT DispatchSurfaceMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreateSurface(window);
        case WM_SIZE: OnSizeSurface(window, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_PAINT: OnPaintSurface(window); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(window, MousePointOf(lParam)); return 0;
        case WM_MOUSEMOVE: OnMouseMoveSurface(window, MousePointOf(lParam)); return 0;
        case WM_LBUTTONUP: OnButtonUp(window, MousePointOf(lParam)); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedSurface(window, reinterpret_cast<HWND>(lParam)); return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteSurface(window);
        case WM_PALETTECHANGED: OnPaletteChangedSurface(window, reinterpret_cast<HWND>(wParam)); return 0;
        case WM_DESTROY: OnDestroySurface(window); return 0;
        case WM_NCDESTROY: FreeWindowState<SurfaceWindowState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A drop or a cut records what it changed in growing lists. Should memory run out on the way,
// the drag ends, the capture goes and every surface is drawn again from the model, which the
// rules keep consistent at every step.
LRESULT CALLBACK PuzzleSurfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return DispatchSurfaceMessage(window, message, wParam, lParam);
    } catch (...) {
        Board.Drag.DragState = kDragIdle;
        if (GetCapture() == window) ReleaseCapture();
        RepaintAllSurfaces();
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

bool RegisterPuzzleSurfaceClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPuzzleSurfaceClass, PuzzleSurfaceProc, kOwnDcStyle);
}

HWND CreatePuzzleSurface(HWND parent, int surface, const Rect& where) {
    return CreateWindowExA(0, kPuzzleSurfaceClass, "", kSurfaceStyle, where.x, where.y, where.width, where.height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstSurfaceControlId + surface)),
                           App.Instance, nullptr);
}

HWND CreateBoard(HWND playScreen) {
    Board.CreatingBoard = 1;
    HWND board = CreatePuzzleSurface(playScreen, kBoardSurface,
                                     Rect{kBoardLeft, kBoardTop, App.BoardAreaWidth, App.BoardAreaHeight});
    Board.CreatingBoard = 0;
    return board;
}
