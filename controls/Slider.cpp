#include "controls/Slider.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "controls/ControlProtocol.h"
#include "engine/DibBlit.h"
#include "engine/Geometry.h"
#include "gfx/DibDraw.h"
#include "gfx/SpriteSheet.h"
#include "platform/WindowKind.h"
#include "platform/WindowPoints.h"

namespace {

constexpr UINT kControlClassStyle = 0;
// Move and size without reordering (0x204).
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOOWNERZORDER;
constexpr int kUnreadySize = 50;
constexpr uint16_t kBufferStartBitCount = 8;

using DibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;

struct SliderState {
    uint8_t ready = 0;  // background, thumb sheet and a non-empty track; geometry computed
    int32_t min = 0;
    int32_t max = 100;
    int32_t value = 50;
    int32_t step = 5;
    uint8_t hover = 0;                      // the cursor is over the thumb
    const PackedDib* background = nullptr;  // the parent's whole picture, owned by the owner
    const PackedDib* thumbSheet = nullptr;  // masked frames, owned by the owner
    int32_t width = 0;                      // the window, in the parent
    int32_t height = 0;
    int32_t left = 0;
    int32_t top = 0;
    Point start;        // track start in the parent: the value min sits here
    Point vector;       // track end minus start: the value max sits at start + vector
    Point trackOrigin;  // the start in the control's own coordinates
    uint8_t enabled = 1;
    int32_t thumbFrame = 0;
    Point thumbPosition;  // top-left of the thumb, control coordinates
    Point halfThumb;
    uint8_t dragging = 0;
    double lengthSquared = 0;
    SpriteSheet thumb;  // draws into the back buffer
    DibPtr backBuffer;  // background plus thumb: the control's picture
    Point dragOffset;   // thumb centre minus cursor minus track origin, taken at the press
};

SliderState* StateOf(HWND slider) { return ControlStateOf<SliderState>(slider); }

LRESULT Pack(Point p) { return static_cast<LONG>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y))); }

Point CursorInClient(HWND slider) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(slider, &cursor);
    return Point{cursor.x, cursor.y};
}

// The thumb's rectangle, both ends included.
bool InThumb(const SliderState& s, Point p) {
    const Point size = s.thumb.FrameSize();
    return p.x >= s.thumbPosition.x && p.x <= s.thumbPosition.x + size.x && p.y >= s.thumbPosition.y &&
           p.y <= s.thumbPosition.y + size.y;
}

bool FrameIsOnSheet(const SliderState& s) {
    return s.thumbFrame >= 0 && s.thumbFrame < int64_t{s.thumb.GetRows()} * s.thumb.GetColumns();
}

// Where the thumb's top-left sits for `value`: its centre on the track, in proportion.
Point ThumbPositionFor(const SliderState& s, int32_t value) {
    const int64_t range = int64_t{s.max} - s.min;
    const Point along = range == 0
                            ? s.vector / 2.0
                            : s.vector * (static_cast<double>(int64_t{value} - s.min) / static_cast<double>(range));
    return s.trackOrigin + along - s.halfThumb;
}

int32_t Clamp(int64_t v, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(v, low), high));
}

// --- Drawing ----------------------------------------------------------------------------------

void DrawThumb(SliderState& s, bool invalidate) {
    if (FrameIsOnSheet(s))
        s.thumb.DrawMasked(s.thumbFrame, s.thumbPosition.x, s.thumbPosition.y, invalidate, false, true);
}

// The back buffer again from the background, the thumb at the place of the value.
void Redraw(HWND slider, SliderState& s) {
    if (!s.ready) return;
    DibBlit(s.backBuffer.get(), 0, 0, s.width, s.height, s.background, s.left, s.top, kRopSrcCopy);
    s.thumbPosition = ThumbPositionFor(s, s.value);
    s.thumb.ForgetBackground();
    DrawThumb(s, false);
    RepaintControl(slider);
}

// A picture of the window's size in the background's depth and palette, dark where the
// window reaches past the background. Null when memory is short.
DibPtr MakeBackBuffer(const PackedDib* background, int32_t width, int32_t height) {
    const size_t bytes = static_cast<size_t>(DibRowBytes(width, kBufferStartBitCount)) * static_cast<size_t>(height);
    DibPtr buffer(AllocPackedDib(bytes));
    if (!buffer) return buffer;
    BitmapInfoHeader& h = buffer->header;
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = kBufferStartBitCount;
    h.biSizeImage = static_cast<uint32_t>(bytes);
    if (!CopyDibFormat(background, buffer)) return DibPtr();
    std::memset(buffer->Pixels(), 0, buffer->header.biSizeImage);
    return buffer;
}

// --- Geometry ---------------------------------------------------------------------------------

void BecomeNotReady(HWND slider, SliderState& s) {
    s.ready = 0;
    // A slider that is not ready ignores the mouse: a drag it holds could never end, and a
    // hover could never be polled away. Both end here, silently.
    if (s.dragging) {
        s.dragging = 0;
        ReleaseCaptureIfHeld(slider);
    }
    if (s.hover) {
        StopHoverTimer(slider);
        s.hover = 0;
    }
    s.thumb.ForgetBackground();
    SetWindowPos(slider, nullptr, s.start.x, s.start.y, kUnreadySize, kUnreadySize, kPlaceFlags);
    RepaintControl(slider);
}

// After every change of background, sheet, grid, start or end.
void Recompute(HWND slider, SliderState& s) {
    const Point frame = s.thumb.FrameSize();
    if (s.background == nullptr || s.thumbSheet == nullptr || s.vector == Point{} || frame.x < 1 || frame.y < 1) {
        BecomeNotReady(slider, s);
        return;
    }
    s.halfThumb = frame / 2.0;
    s.left = s.start.x + std::min(s.vector.x, 0) - s.halfThumb.x;
    s.top = s.start.y + std::min(s.vector.y, 0) - s.halfThumb.y;
    s.width = std::abs(s.vector.x) + frame.x;
    s.height = std::abs(s.vector.y) + frame.y;
    DibPtr buffer = MakeBackBuffer(s.background, s.width, s.height);
    if (!buffer) {
        BecomeNotReady(slider, s);
        return;
    }
    s.backBuffer = std::move(buffer);
    s.thumb.SetTargetDib(s.backBuffer.get());
    s.trackOrigin = s.start - Point{s.left, s.top};
    s.ready = 1;
    SetWindowPos(slider, nullptr, s.left, s.top, s.width, s.height, kPlaceFlags);
    Redraw(slider, s);
}

void SetTrack(HWND slider, SliderState& s, Point start, Point end) {
    s.start = start;
    s.vector = end - start;
    s.lengthSquared = static_cast<double>(Dot(s.vector, s.vector));
    Recompute(slider, s);
}

// --- Mouse ------------------------------------------------------------------------------------

// The value whose place on the track lies nearest to the would-be thumb centre `q` (relative
// to the track start), on the step grid. A step of 0 leaves values on whole numbers.
int32_t ValueAt(const SliderState& s, Point q) {
    const double t = static_cast<double>(Dot(q, s.vector)) / s.lengthSquared;
    if (t > 1) return s.max;
    if (t < 0) return s.min;
    const double x = s.min + (static_cast<double>(s.max) - s.min) * t;
    const double step = s.step > 0 ? s.step : 1;
    return Clamp(static_cast<int64_t>(std::floor(x / step + 0.5) * step), s.min, s.max);
}

void DragTo(HWND slider, SliderState& s, Point p) {
    const int32_t value = ValueAt(s, p + s.dragOffset);
    if (value == s.value) return;
    s.value = value;
    s.thumbPosition = ThumbPositionFor(s, value);
    NotifyParent(slider, CN_CHANGED);
}

void OnMouseMoveSlider(HWND slider, SliderState& s, LPARAM point) {
    if (s.dragging) {
        DragTo(slider, s, MousePointOf(point));
        return;
    }
    if (!s.enabled || !s.ready || s.hover || !InThumb(s, MousePointOf(point))) return;
    s.hover = 1;
    StartHoverTimer(slider);
    NotifyParent(slider, CN_ENTER);
}

void OnTimerSlider(HWND slider, SliderState& s) {
    if (s.dragging || !s.hover) return;
    if (CursorIsOver(slider) && InThumb(s, CursorInClient(slider))) return;
    s.hover = 0;
    StopHoverTimer(slider);
    NotifyParent(slider, CN_LEAVE);
}

void OnLeftButtonDownSlider(HWND slider, SliderState& s) {
    if (!s.enabled || !s.ready) return;
    const Point cursor = CursorInClient(slider);
    if (!InThumb(s, cursor)) return;
    s.dragging = 1;
    s.dragOffset = s.thumbPosition + s.halfThumb - cursor - s.trackOrigin;
    SetCapture(slider);
    StopHoverTimer(slider);
    NotifyParent(slider, CN_PRESSED);
}

void OnLeftButtonUpSlider(HWND slider, SliderState& s) {
    if (!s.dragging || !s.enabled || !s.ready) return;
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no drag.
    s.dragging = 0;
    const bool hovered = s.hover != 0;
    s.hover = InThumb(s, CursorInClient(slider)) ? 1 : 0;
    if (s.hover) StartHoverTimer(slider);
    const bool leave = hovered && !s.hover;
    ReleaseCaptureIfHeld(slider);
    NotifyParent(slider, CN_RELEASED);
    if (leave) NotifyParent(slider, CN_LEAVE);
}

void OnCaptureChangedSlider(HWND slider, const SliderState& s, LPARAM newOwner) {
    if (s.dragging) EndPressOnCaptureLoss(slider, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

LRESULT OnSetEnabledSlider(HWND slider, SliderState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    s.enabled = flag;
    if (flag) return kControlMessageDone;
    if (s.dragging) {
        s.dragging = 0;
        ReleaseCaptureIfHeld(slider);
    } else if (s.hover) {
        StopHoverTimer(slider);
    }
    s.hover = 0;
    RepaintControl(slider);
    return kControlMessageDone;
}

LRESULT OnSetThumbSheet(HWND slider, SliderState& s, LPARAM sheet) {
    s.thumbSheet = reinterpret_cast<const PackedDib*>(sheet);
    s.thumb.SetSheet(s.thumbSheet, true);
    Recompute(slider, s);
    return kControlMessageDone;
}

LRESULT OnSetBackgroundSlider(HWND slider, SliderState& s, LPARAM background) {
    s.background = reinterpret_cast<const PackedDib*>(background);
    Recompute(slider, s);
    return s.background != nullptr ? kControlMessageDone : 0;
}

LRESULT OnSetThumbFrame(SliderState& s, LPARAM frame) {
    s.thumbFrame = static_cast<int32_t>(frame);
    if (!s.ready) return kControlMessageDone;
    s.thumb.RestoreBackground(true, false);
    DrawThumb(s, true);
    return kControlMessageDone;
}

LRESULT OnSetGrid(HWND slider, SliderState& s, LPARAM count, void (SpriteSheet::*set)(int32_t)) {
    (s.thumb.*set)(static_cast<int32_t>(count));
    s.thumbFrame = 0;
    Recompute(slider, s);
    return kControlMessageDone;
}

// A step wider than the range becomes half the range.
void FitStep(SliderState& s) {
    const int64_t range = int64_t{s.max} - s.min;
    if (s.step > range) s.step = static_cast<int32_t>(range / 2);
}

LRESULT OnSetMax(HWND slider, SliderState& s, LPARAM v) {
    s.max = static_cast<int32_t>(v);
    if (s.min > s.max) s.min = s.value = s.max;
    FitStep(s);
    if (s.value > s.max) s.value = s.max;
    Redraw(slider, s);
    return kControlMessageDone;
}

LRESULT OnSetMin(HWND slider, SliderState& s, LPARAM v) {
    s.min = static_cast<int32_t>(v);
    if (s.max < s.min) s.max = s.value = s.min;
    FitStep(s);
    if (s.value < s.min) s.value = s.min;
    Redraw(slider, s);
    return kControlMessageDone;
}

LRESULT OnSetValueSlider(HWND slider, SliderState& s, LPARAM v) {
    if (s.dragging) return kControlMessageDone;
    const int32_t wanted = static_cast<int32_t>(v);
    const int32_t onGrid = s.step > 0 ? wanted / s.step * s.step : wanted;
    s.value = Clamp(onGrid, s.min, s.max);
    Redraw(slider, s);
    return kControlMessageDone;
}

LRESULT OnSetStepSlider(SliderState& s, LPARAM v) {
    s.step = static_cast<int32_t>(v);
    const int64_t range = int64_t{s.max} - s.min;
    if (s.step > range || s.step < 1) s.step = static_cast<int32_t>(range / 2);
    return kControlMessageDone;
}

LRESULT OnSetStart(HWND slider, SliderState& s, LPARAM packed) {
    SetTrack(slider, s, MousePointOf(packed), s.start + s.vector);
    return kControlMessageDone;
}

LRESULT OnSetEnd(HWND slider, SliderState& s, LPARAM packed) {
    SetTrack(slider, s, s.start, MousePointOf(packed));
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

LRESULT OnCreateSlider(HWND slider) {
    if (CreateControlState<SliderState>(slider) != 0) return -1;
    StateOf(slider)->thumb.SetOwner(slider);
    return 0;
}

void OnPaintSlider(HWND slider, const SliderState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(slider, &ps);
    PaintFromBlock(dc, ps.rcPaint, s.ready ? s.backBuffer.get() : nullptr);
    EndPaint(slider, &ps);
}

LRESULT OnQueryNewPaletteSlider(HWND slider, const SliderState& s) {
    if (s.ready) RepaintControl(slider);
    return s.ready;
}

LRESULT OnUnknownSliderMessage(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(slider, message, wParam, lParam);
}

LRESULT CALLBACK SliderProc(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return OnCreateSlider(slider);
    SliderState* s = StateOf(slider);
    if (s == nullptr) return DefWindowProcA(slider, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<SliderState>(slider); return 0;
        case WM_CLOSE: DestroyWindow(slider); return 0;
        case WM_PAINT: OnPaintSlider(slider, *s); return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteSlider(slider, *s);
        case WM_MOUSEMOVE: OnMouseMoveSlider(slider, *s, lParam); return 0;
        case WM_TIMER: OnTimerSlider(slider, *s); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownSlider(slider, *s); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpSlider(slider, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedSlider(slider, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledSlider(slider, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->thumbSheet);
        case CM_SETBITMAP: return OnSetThumbSheet(slider, *s, lParam);
        case SLD_GETBACKGROUND: return reinterpret_cast<LRESULT>(s->background);
        case SLD_SETBACKGROUND: return OnSetBackgroundSlider(slider, *s, lParam);
        case SLD_GETTHUMBFRAME: return s->thumbFrame;
        case SLD_SETTHUMBFRAME: return OnSetThumbFrame(*s, lParam);
        case SLD_GETFRAMEROWS: return s->thumb.GetRows();
        case SLD_SETFRAMEROWS: return OnSetGrid(slider, *s, lParam, &SpriteSheet::SetRows);
        case SLD_GETFRAMECOLUMNS: return s->thumb.GetColumns();
        case SLD_SETFRAMECOLUMNS: return OnSetGrid(slider, *s, lParam, &SpriteSheet::SetColumns);
        case SLD_GETMAX: return s->max;
        case SLD_SETMAX: return OnSetMax(slider, *s, lParam);
        case SLD_GETMIN: return s->min;
        case SLD_SETMIN: return OnSetMin(slider, *s, lParam);
        case SLD_GETVALUE: return s->value;
        case SLD_SETVALUE: return OnSetValueSlider(slider, *s, lParam);
        case SLD_GETSTEP: return s->step;
        case SLD_SETSTEP: return OnSetStepSlider(*s, lParam);
        case SLD_GETSTART: return Pack(s->start);
        case SLD_SETSTART: return OnSetStart(slider, *s, lParam);
        case SLD_GETEND: return Pack(s->start + s->vector);
        case SLD_SETEND: return OnSetEnd(slider, *s, lParam);
        default: return OnUnknownSliderMessage(slider, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterSliderClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kSliderClass, SliderProc, kControlClassStyle);
}
