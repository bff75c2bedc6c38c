#include "controls/AnimationControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "controls/ControlProtocol.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "gfx/SpriteSheet.h"
#include "platform/WindowKind.h"

namespace {

// The sprite draws into the window's own context, also outside WM_PAINT.
constexpr UINT kAnimationClassStyle = CS_OWNDC;
constexpr uint16_t kComposableBitCount = 8;

struct AnimationState {
    LONG_PTR userData = 0;  // the owner's; the drivers keep their state here
    uint8_t enabled = 1;
    uint8_t hover = 0;
    uint8_t pressed = 0;  // the left button went down here and the control holds the capture
    UINT interval = kDefaultAnimationIntervalMs;
    uint8_t running = 0;  // the tick timer runs
    int32_t frame = 0;
    uint8_t masked = 0;
    const PackedDib* sheet = nullptr;  // the owner's
    HDC background = nullptr;          // the owner's; masked mode draws over its bitmap
    uint8_t ready = 0;
    int32_t width = 0;  // the frame size, which is also the window size
    int32_t height = 0;
    int32_t backgroundWidth = 0;
    int32_t backgroundHeight = 0;
    SpriteSheet sprite;
    std::unique_ptr<DibImage> compose;  // made with the first background
    HDC ownDc = nullptr;                // the class's own context, the window's for its whole life
};

AnimationState* StateOf(HWND animation) { return ControlStateOf<AnimationState>(animation); }

// The mouse and the timers act only on an enabled control that is ready.
bool TakesMouse(const AnimationState& s) { return s.enabled && s.ready; }

bool FrameIsOnSheet(const AnimationState& s) {
    const int64_t frames = int64_t{s.sprite.GetRows()} * s.sprite.GetColumns();
    return s.frame >= 0 && s.frame < frames;
}

// --- Timers -----------------------------------------------------------------------------------

void StartTicking(HWND animation, AnimationState& s) {
    s.running = SetTimer(animation, kAnimationTickTimerId, s.interval, nullptr) != 0 ? 1 : 0;
}

void StopTicking(HWND animation, AnimationState& s) {
    if (!s.running) return;
    s.running = 0;
    KillTimer(animation, kAnimationTickTimerId);
}

// Ends a press without telling anyone (the capture goes back) and stops the hover polling.
void DropPressAndHover(HWND animation, AnimationState& s) {
    if (s.pressed) {
        s.pressed = 0;
        ReleaseCaptureIfHeld(animation);
    }
    StopHoverTimer(animation);
    s.hover = 0;
}

// --- Drawing ----------------------------------------------------------------------------------

void FillBlack(HDC dc, const RECT& r) {
    if (r.right > r.left && r.bottom > r.top) PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, BLACKNESS);
}

// The owner's background, mapped to the sheet's colours, into the compose buffer: a DIB
// section with the buffer's header and palette receives it, and the system picks the nearest
// palette entry for every pixel.
bool CopyBackground(const AnimationState& s, PackedDib& buffer) {
    void* bits = nullptr;
    GdiObject<HBITMAP> section(
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&buffer), DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC memory(nullptr);
    if (!section || bits == nullptr || memory.get() == nullptr) return false;
    SelectedObject selected(memory.get(), section.get());
    const bool copied = BitBlt(memory.get(), 0, 0, s.width, s.height, s.background, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    if (copied) std::memcpy(buffer.Pixels(), bits, buffer.header.biSizeImage);
    return copied;
}

// Masked mode: background, then the frame through its mask, in the compose buffer; then the
// buffer onto `dc`. False when nothing could be shown.
bool ShowComposedFrame(AnimationState& s, HDC dc) {
    PackedDib* buffer = s.compose ? s.compose->GetDib() : nullptr;
    if (buffer == nullptr || s.sheet->header.biBitCount != kComposableBitCount) return false;
    buffer->header.biClrUsed = s.sheet->header.biClrUsed;
    std::memcpy(buffer->palette, s.sheet->palette, sizeof buffer->palette);
    if (!CopyBackground(s, *buffer)) return false;
    s.sprite.DrawMasked(s.frame, 0, 0, false, false, false);
    DrawBlock(dc, 0, 0, s.width, s.height, buffer, 0, 0);
    return true;
}

// The current frame onto `dc` (the window's own context), black over the rest of `area`.
// A frame number outside the sheet's grid shows black rather than rows beyond the picture.
void ShowFrame(AnimationState& s, HDC dc, const RECT& area) {
    RECT shown{};
    if (s.ready && FrameIsOnSheet(s)) {
        bool drawn = true;
        if (s.masked) {
            drawn = ShowComposedFrame(s, dc);
        } else {
            s.sprite.Draw(s.frame, 0, 0, false, false, false, SRCCOPY);
        }
        if (drawn) shown = RECT{0, 0, s.width, s.height};
    }
    FillBlack(dc, RECT{std::max(area.left, shown.right), area.top, area.right, area.bottom});
    FillBlack(dc, RECT{area.left, std::max(area.top, shown.bottom), std::min(area.right, shown.right), area.bottom});
}

// --- Recompute --------------------------------------------------------------------------------

// What follows every change that can make the control ready or not: the hover look ends, the
// animation stops, and the window is painted again.
void SettleAfterChange(HWND animation, AnimationState& s) {
    s.hover = 0;
    StopTicking(animation, s);
    RepaintControl(animation);
}

void BecomeNotReady(HWND animation, AnimationState& s) {
    s.ready = 0;
    // A control that is not ready ignores the mouse and cannot be told to stop, so nothing
    // may stay behind that would need either: no capture, no polling, no tick timer.
    DropPressAndHover(animation, s);
    s.sprite.SetTargetDc(s.ownDc);
    SettleAfterChange(animation, s);
}

void Recompute(HWND animation, AnimationState& s) {
    const Point size = s.sprite.FrameSize();
    const bool hasFrames = s.sheet != nullptr && size.x >= 1 && size.y >= 1;
    PackedDib* buffer = s.compose ? s.compose->GetDib() : nullptr;
    const bool backgroundFits =
        s.background != nullptr && buffer != nullptr && s.backgroundWidth == size.x && s.backgroundHeight == size.y;
    if (!hasFrames || (s.masked && !backgroundFits)) {
        BecomeNotReady(animation, s);
        return;
    }
    s.ready = 1;
    if (s.masked) {
        s.sprite.SetTargetDib(buffer);
    } else {
        s.sprite.SetTargetDc(s.ownDc);
    }
    s.width = size.x;
    s.height = size.y;
    ResizeToFrame(animation, StripLayout{s.width, s.height});
    SettleAfterChange(animation, s);
}

// --- Mouse and timers -------------------------------------------------------------------------

void OnMouseMoveAnimation(HWND animation, AnimationState& s, LPARAM point) {
    if (!TakesMouse(s)) return;
    if (!s.pressed) {
        if (s.hover) return;
        s.hover = 1;
        StartHoverTimer(animation);
        NotifyParent(animation, CN_ENTER);
        return;
    }
    // While pressed the capture brings every move; the frame's rectangle, edges included, counts.
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    const uint8_t inside = x >= 0 && x <= s.width && y >= 0 && y <= s.height ? 1 : 0;
    if (inside == s.hover) return;
    s.hover = inside;
    NotifyParent(animation, inside ? CN_ENTER : CN_LEAVE);
}

void OnHoverPoll(HWND animation, AnimationState& s) {
    if (s.pressed || CursorIsOver(animation)) return;
    s.hover = 0;
    StopHoverTimer(animation);
    NotifyParent(animation, CN_LEAVE);
}

void OnTimerAnimation(HWND animation, AnimationState& s, WPARAM timer) {
    if (!TakesMouse(s)) return;
    if (timer == kHoverTimerId) {
        OnHoverPoll(animation, s);
    } else if (timer == kAnimationTickTimerId && s.running) {
        NotifyParent(animation, CN_TICK);
    }
}

void OnLeftButtonDownAnimation(HWND animation, AnimationState& s) {
    if (!TakesMouse(s)) return;
    StopHoverTimer(animation);
    s.pressed = 1;
    SetCapture(animation);
    NotifyParent(animation, CN_PRESSED);
}

void OnLeftButtonUpAnimation(HWND animation, AnimationState& s) {
    if (!TakesMouse(s)) return;
    const bool click = s.pressed && CursorIsOver(animation);
    // A press dragged onto the frame's very edge still counts as hovering although the window
    // under the cursor is another; polling again lets that hover end with its CN_LEAVE.
    if (click || s.hover) StartHoverTimer(animation);
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no press.
    s.pressed = 0;
    ReleaseCaptureIfHeld(animation);
    NotifyParent(animation, CN_RELEASED);
    if (click) NotifyParent(animation, CN_CLICKED);
}

void OnCaptureChangedAnimation(HWND animation, const AnimationState& s, LPARAM newOwner) {
    if (s.pressed) EndPressOnCaptureLoss(animation, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

LRESULT OnSetEnabledAnimation(HWND animation, AnimationState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    if (!flag) DropPressAndHover(animation, s);
    s.enabled = flag;
    return kControlMessageDone;
}

LRESULT OnSetSheet(HWND animation, AnimationState& s, LPARAM sheet) {
    s.sheet = reinterpret_cast<const PackedDib*>(sheet);
    s.sprite.SetSheet(s.sheet, s.masked != 0);
    Recompute(animation, s);
    return kControlMessageDone;
}

LRESULT OnSetBackgroundDc(HWND animation, AnimationState& s, LPARAM context) {
    const HDC dc = reinterpret_cast<HDC>(context);
    const HGDIOBJ selected = dc != nullptr ? GetCurrentObject(dc, OBJ_BITMAP) : nullptr;
    BITMAP bitmap{};
    if (selected == nullptr || GetObjectA(selected, sizeof bitmap, &bitmap) == 0) {
        s.background = nullptr;
        BecomeNotReady(animation, s);
        return 0;
    }
    s.background = dc;
    s.backgroundWidth = bitmap.bmWidth;
    s.backgroundHeight = bitmap.bmHeight;
    if (!s.compose) s.compose.reset(new (std::nothrow) DibImage());
    // A buffer that cannot be made leaves a masked control not ready.
    if (s.compose) s.compose->Resize(s.backgroundWidth, s.backgroundHeight, true);
    Recompute(animation, s);
    return kControlMessageDone;
}

LRESULT OnSetMasked(HWND animation, AnimationState& s, LPARAM masked) {
    s.masked = masked != 0 ? 1 : 0;
    if (s.sheet != nullptr) s.sprite.SetSheet(s.sheet, s.masked != 0);
    Recompute(animation, s);
    return kControlMessageDone;
}

LRESULT OnSetFrame(HWND animation, AnimationState& s, LPARAM frame) {
    s.frame = static_cast<int32_t>(frame);
    if (!s.ready) return kControlMessageDone;
    if (!s.masked) {
        RepaintControl(animation);
        return kControlMessageDone;
    }
    // A masked frame goes straight to the screen: it is composed over the background as the
    // owner's bitmap holds it now.
    RECT client{};
    GetClientRect(animation, &client);
    ShowFrame(s, s.ownDc, client);
    return kControlMessageDone;
}

LRESULT OnSetRows(HWND animation, AnimationState& s, LPARAM rows) {
    s.sprite.SetRows(static_cast<int32_t>(rows));
    Recompute(animation, s);
    return kControlMessageDone;
}

LRESULT OnSetColumns(HWND animation, AnimationState& s, LPARAM columns) {
    s.sprite.SetColumns(static_cast<int32_t>(columns));
    Recompute(animation, s);
    return kControlMessageDone;
}

// A running timer keeps its period; the new one applies from the next start.
LRESULT OnSetInterval(AnimationState& s, LPARAM interval) {
    s.interval = static_cast<UINT>(interval);
    return kControlMessageDone;
}

LRESULT OnSetRunning(HWND animation, AnimationState& s, LPARAM run) {
    const uint8_t flag = run != 0 ? 1 : 0;
    if (!s.ready || flag == s.running) return kControlMessageDone;
    if (flag) {
        StartTicking(animation, s);
    } else {
        StopTicking(animation, s);
    }
    return kControlMessageDone;
}

LRESULT OnSetUserData(AnimationState& s, LPARAM value) {
    s.userData = value;
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

LRESULT OnCreateAnimation(HWND animation) {
    if (CreateControlState<AnimationState>(animation) != 0) return -1;
    AnimationState* s = StateOf(animation);
    s->ownDc = GetDC(animation);
    s->sprite.SetOwner(animation);
    s->sprite.SetTargetDc(s->ownDc);
    return 0;
}

void OnPaintAnimation(HWND animation, AnimationState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(animation, &ps);
    ShowFrame(s, dc, ps.rcPaint);
    EndPaint(animation, &ps);
}

LRESULT OnUnknownAnimationMessage(HWND animation, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(animation, message, wParam, lParam);
}

LRESULT CALLBACK AnimationProc(HWND animation, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return OnCreateAnimation(animation);
    AnimationState* s = StateOf(animation);
    if (s == nullptr) return DefWindowProcA(animation, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<AnimationState>(animation); return 0;
        case WM_CLOSE: DestroyWindow(animation); return 0;
        case WM_PAINT: OnPaintAnimation(animation, *s); return 0;
        case WM_MOUSEMOVE: OnMouseMoveAnimation(animation, *s, lParam); return 0;
        case WM_TIMER: OnTimerAnimation(animation, *s, wParam); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownAnimation(animation, *s); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpAnimation(animation, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedAnimation(animation, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledAnimation(animation, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->sheet);
        case CM_SETBITMAP: return OnSetSheet(animation, *s, lParam);
        case ANM_GETBACKGROUNDDC: return reinterpret_cast<LRESULT>(s->background);
        case ANM_SETBACKGROUNDDC: return OnSetBackgroundDc(animation, *s, lParam);
        case ANM_GETMASKED: return s->masked;
        case ANM_SETMASKED: return OnSetMasked(animation, *s, lParam);
        case ANM_GETFRAME: return s->frame;
        case ANM_SETFRAME: return OnSetFrame(animation, *s, lParam);
        case ANM_GETFRAMEROWS: return s->sprite.GetRows();
        case ANM_SETFRAMEROWS: return OnSetRows(animation, *s, lParam);
        case ANM_GETFRAMECOLUMNS: return s->sprite.GetColumns();
        case ANM_SETFRAMECOLUMNS: return OnSetColumns(animation, *s, lParam);
        case ANM_GETINTERVAL: return s->interval;
        case ANM_SETINTERVAL: return OnSetInterval(*s, lParam);
        case ANM_GETRUNNING: return s->running;
        case ANM_SETRUNNING: return OnSetRunning(animation, *s, lParam);
        case ANM_GETUSERDATA: return s->userData;
        case ANM_SETUSERDATA: return OnSetUserData(*s, lParam);
        case ANM_GETHOVER: return s->hover;
        default: return OnUnknownAnimationMessage(animation, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterAnimationClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kAnimationClass, AnimationProc, kAnimationClassStyle);
}
