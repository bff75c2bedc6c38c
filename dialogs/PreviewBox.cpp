// The new-puzzle dialog's picture boxes; see PreviewBox.h.
//
// A box keeps the picture it shows already reduced (read resampled from the file, so a large
// photo is never held whole) in a ShownPicture, which gives every picture a DrawDib handle of
// its own and keeps it bottom-up. Around the picture the box paints the dialog's background
// at its own place, so it looks as if the dialog showed through.
#include "dialogs/PreviewBox.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "app/AppGlobals.h"
#include "controls/ControlProtocol.h"
#include "engine/BmpFileReader.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "gfx/ShownPicture.h"
#include "platform/WindowKind.h"
#include "platform/WindowPoints.h"
#include "platform/WindowState.h"

namespace {

// The largest picture a box shows: a preview box keeps a 2-pixel margin for the frame on each
// side; the custom box uses its whole area.
constexpr Point kPreviewPictureArea{113, 123};
constexpr Point kCustomPictureArea = kCustomPreviewBoxSize;

// The frame of the chosen or pressed picture: a solid red line 2 pixels wide around it.
constexpr int kFrameWidth = 2;
constexpr COLORREF kFrameColour = RGB(255, 0, 0);

struct BoxState {
    BoxState(const DibImage* dialogBackground, Point boxPictureArea, HPEN framePen)
        : background(dialogBackground), pictureArea(boxPictureArea), pen(framePen) {}
    const DibImage* background;
    Point pictureArea;
    GdiObject<HPEN> pen;
    ShownPicture picture;
    bool pressed = false;  // the left button went down on the picture and has not come up
    bool chosen = false;
};

BoxState* StateOf(HWND box) { return WindowStateOf<BoxState>(box); }

// The box's size for its class; 0 x 0 for any other class.
Point BoxSizeOf(const char* className) {
    if (className == nullptr) return Point{};
    if (lstrcmpiA(className, kPreviewBoxClass) == 0) return kPreviewBoxSize;
    if (lstrcmpiA(className, kCustomPreviewBoxClass) == 0) return kCustomPreviewBoxSize;
    return Point{};
}

// The state of `box` when it is one of the two box kinds, else null.
BoxState* BoxStateOf(HWND box) {
    char className[32] = {};
    if (box == nullptr || GetClassNameA(box, className, sizeof className) == 0) return nullptr;
    return BoxSizeOf(className).x > 0 ? StateOf(box) : nullptr;
}

Point PictureAreaOf(HWND box) {
    char className[32] = {};
    GetClassNameA(box, className, sizeof className);
    return lstrcmpiA(className, kCustomPreviewBoxClass) == 0 ? kCustomPictureArea : kPreviewPictureArea;
}

// Where the picture stands in the box: centred, the halves truncated.
Rect PictureRect(HWND box, const BoxState& state) {
    if (!state.picture.HasPicture()) return Rect{};
    const Point size = state.picture.Size();
    const Point client = ClientSizeOf(box);
    return Rect{(client.x - size.x) / 2, (client.y - size.y) / 2, size.x, size.y};
}

// The box's top-left corner in its dialog's client area.
Point PlaceInDialog(HWND box) {
    POINT corner{0, 0};
    MapWindowPoints(box, GetParent(box), &corner, 1);
    return Point{corner.x, corner.y};
}

// Fills `area` of the box with what the dialog's background shows there; black where the
// background does not reach (or there is none).
void PaintDialogBackground(HDC dc, HWND box, const RECT& area, const DibImage* background) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const PackedDib* dib = background != nullptr ? background->GetDib() : nullptr;
    if (dib == nullptr) return;
    const Point place = PlaceInDialog(box);
    const int32_t dibHeight = dib->header.biHeight < 0 ? -dib->header.biHeight : dib->header.biHeight;
    // The part of `area` that the background covers, in the box's coordinates.
    const int32_t left = std::max<int32_t>(area.left, -place.x);
    const int32_t top = std::max<int32_t>(area.top, -place.y);
    const int32_t right = std::min<int32_t>(area.right, dib->header.biWidth - place.x);
    const int32_t bottom = std::min<int32_t>(area.bottom, dibHeight - place.y);
    if (right <= left || bottom <= top) return;
    DrawBlock(dc, left, top, right - left, bottom - top, dib, place.x + left, place.y + top);
}

void DrawFrame(HDC dc, HPEN pen, const Rect& picture) {
    // The pen is centred on this outline, one pixel out from the picture, so its two pixels
    // lie in the ring just outside the picture.
    const int32_t left = picture.x - 1, top = picture.y - 1;
    const int32_t right = picture.x + picture.width + 1, bottom = picture.y + picture.height + 1;
    const POINT outline[5] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    SelectedObject selected(dc, pen);
    Polyline(dc, outline, 5);
}

void Repaint(HWND box) { InvalidateRect(box, nullptr, FALSE); }

// --- Message handlers -----------------------------------------------------------------------

LRESULT OnCreateBox(HWND box, const CREATESTRUCTA* create) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, kFrameWidth, kFrameColour));
    if (!pen) return -1;
    const auto* background = static_cast<const DibImage*>(create->lpCreateParams);
    BoxState* state = AttachWindowState<BoxState>(box, background, PictureAreaOf(box), pen.get());
    if (state == nullptr) return -1;
    pen.release();
    return 0;
}

void OnPaintBox(HWND box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(box, &ps);
    BoxState* state = StateOf(box);
    const int saved = SaveDC(dc);
    const Rect picture = PictureRect(box, *state);
    if (picture.width > 0) {
        const bool framed = state->pressed || state->chosen;
        // The frame goes first and the picture over it, so that however the pen is laid out
        // it never covers the picture's edge; the background then trims it to its ring.
        if (framed) DrawFrame(dc, state->pen.get(), picture);
        state->picture.Draw(dc, picture.x, picture.y, picture.width, picture.height);
        const int32_t grown = framed ? kFrameWidth : 0;
        ExcludeClipRect(dc, picture.x - grown, picture.y - grown, picture.x + picture.width + grown,
                        picture.y + picture.height + grown);
    }
    PaintDialogBackground(dc, box, ps.rcPaint, state->background);
    RestoreDC(dc, saved);
    EndPaint(box, &ps);
}

void OnButtonDownBox(HWND box) {
    BoxState* state = StateOf(box);
    if (!state->picture.HasPicture() || state->pressed) return;
    state->pressed = true;
    SetCapture(box);
    Repaint(box);
}

void OnButtonUpBox(HWND box, Point at) {
    BoxState* state = StateOf(box);
    if (!state->pressed) return;
    // Cleared before the capture goes, so that WM_CAPTURECHANGED finds nothing left to undo.
    state->pressed = false;
    ReleaseCapture();
    Repaint(box);
    const Point size = ClientSizeOf(box);
    if (at.x >= 0 && at.x < size.x && at.y >= 0 && at.y < size.y) NotifyParent(box, kPreviewBoxClicked);
}

// Another window took the mouse (a pop-up, a switch of application): the press is over.
void OnCaptureChangedBox(HWND box, HWND gaining) {
    BoxState* state = StateOf(box);
    if (gaining == box || !state->pressed) return;
    state->pressed = false;
    Repaint(box);
}

void OnDoubleClickBox(HWND box) {
    if (StateOf(box)->picture.HasPicture()) NotifyParent(box, kPreviewBoxDoubleClicked);
}

LRESULT CALLBACK PreviewBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(box) == nullptr) return DefWindowProcA(box, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateBox(box, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintBox(box); return 0;
        case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
        case WM_LBUTTONDOWN: OnButtonDownBox(box); return 0;
        case WM_LBUTTONUP: OnButtonUpBox(box, MousePointOf(lParam)); return 0;
        case WM_LBUTTONDBLCLK: OnDoubleClickBox(box); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedBox(box, reinterpret_cast<HWND>(lParam)); return 0;
        case WM_NCDESTROY: FreeWindowState<BoxState>(box); return 0;
        default: return DefWindowProcA(box, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPreviewBoxClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPreviewBoxClass, PreviewBoxProc, kDoubleClickStyle);
}

bool RegisterCustomPreviewBoxClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kCustomPreviewBoxClass, PreviewBoxProc, kDoubleClickStyle);
}

HWND CreatePreviewBox(HWND dialog,
                      const char* className,
                      int32_t id,
                      Point at,
                      DWORD style,
                      const DibImage* background) {
    const Point size = BoxSizeOf(className);
    if (size.x == 0) return nullptr;
    return CreateWindowExA(0, className, "", style, at.x, at.y, size.x, size.y, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.Instance,
                           const_cast<DibImage*>(background));
}

bool ShowPictureInBox(HWND box, const char* path) {
    BoxState* state = BoxStateOf(box);
    if (state == nullptr) return false;
    state->picture.Replace(nullptr);
    BmpFileReader reader;
    if (path != nullptr && *path != '\0' && std::strlen(path) <= BmpFileReader::kMaxPathChars && reader.Open(path)) {
        const PictureSize stored = reader.GetSize();
        const Point picture{stored.width, stored.height};
        state->picture.Replace(ReadScaledPicture(reader, FittedPictureSize(picture, state->pictureArea)));
    }
    // A box that lost its picture while held down is held no more.
    if (!state->picture.HasPicture() && state->pressed) ReleaseCapture();
    Repaint(box);
    return state->picture.HasPicture();
}

bool BoxShowsPicture(HWND box) {
    const BoxState* state = BoxStateOf(box);
    return state != nullptr && state->picture.HasPicture();
}

void SetBoxChosen(HWND box, bool chosen) {
    BoxState* state = BoxStateOf(box);
    if (state == nullptr || state->chosen == chosen) return;
    state->chosen = chosen;
    Repaint(box);
}
