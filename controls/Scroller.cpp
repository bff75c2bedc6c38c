#include "controls/Scroller.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "controls/ControlProtocol.h"
#include "gfx/DibDraw.h"
#include "platform/WindowKind.h"

namespace {

// The protocol registers the scroller with a device context of its own.
constexpr UINT kControlClassStyle = CS_OWNDC;
constexpr int32_t kLookFrames = 3;  // normal, hover, pressed in every zone's block
constexpr int32_t kNormalFrame = 0;
constexpr int32_t kHoverFrame = 1;
constexpr int32_t kPressedFrame = 2;
constexpr int32_t kDisabledFrame = 0;
constexpr int32_t kZoneCount = 3;

// Which timer runs; the numbers are also the timers' identifiers.
enum TimerPhase : int32_t {
    kNoTimer = 0,
    kHoverPolling = 1,  // timer 1
    kRepeatDelay = 2,   // timer 2: the arrow waits before it repeats
    kRepeating = 3,     // timer 3: repeat ticks
};
constexpr UINT kResumeRepeatMs = 120;  // an arrow dragged back over resumes quickly

struct ScrollerState {
    int32_t min = 0;
    int32_t max = 100;
    int32_t value = 50;
    int32_t step = 5;
    uint8_t enabled = 1;
    int32_t pressedZone = kNoZone;
    int32_t lastY = 0;  // last cursor y on the screen during a middle drag
    int32_t hotZone = kNoZone;
    const PackedDib* strip = nullptr;  // owned by the caller
    int32_t zoneHeights[kZoneCount] = {0, 0, 0};
    int32_t dragThreshold = 5;
    int32_t timerPhase = kNoTimer;
    uint8_t blink = 0;  // alternates on every repeat tick; the value moves when it clears
    UINT repeatDelay = kDefaultRepeatDelayMs;
    UINT repeatInterval = kDefaultRepeatIntervalMs;
    int32_t hasDisabledFrame = 0;
    StripLayout layout;
    uint8_t ready = 0;  // the strip's frame height equals the sum of the zone heights
};

ScrollerState* StateOf(HWND scroller) { return ControlStateOf<ScrollerState>(scroller); }

bool TakesMouse(const ScrollerState& s) { return s.enabled && s.ready; }

void Notify(HWND scroller, ScrollerZoneEvent event, int32_t zone) {
    NotifyParent(scroller, ScrollerZoneCode(event, zone));
}

// --- Zones ------------------------------------------------------------------------------------

int32_t ZoneHeight(const ScrollerState& s, int32_t zone) { return s.zoneHeights[zone - 1]; }

// The sum of the heights of the zones above `zone`.
int32_t ZoneTop(const ScrollerState& s, int32_t zone) {
    int32_t top = 0;
    for (int32_t z = kTopZone; z < zone; ++z) top += ZoneHeight(s, z);
    return top;
}

int32_t ZoneAt(const ScrollerState& s, int32_t y) {
    if (y < ZoneTop(s, kMiddleZone)) return kTopZone;
    if (y < ZoneTop(s, kBottomZone)) return kMiddleZone;
    return kBottomZone;
}

void RepaintZone(HWND scroller, const ScrollerState& s, int32_t zone) {
    if (zone == kNoZone) return;
    const int32_t top = ZoneTop(s, zone);
    const RECT band{0, top, s.layout.width, top + ZoneHeight(s, zone)};
    InvalidateRect(scroller, &band, FALSE);
}

int32_t CursorZone(HWND scroller, const ScrollerState& s) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(scroller, &cursor);
    return ZoneAt(s, cursor.y);
}

// --- Timers -----------------------------------------------------------------------------------

void StartPhase(HWND scroller, ScrollerState& s, int32_t phase, UINT ms) {
    s.timerPhase = phase;
    SetTimer(scroller, static_cast<UINT_PTR>(phase), ms, nullptr);
}

// Every timer of the scroller stops; a repeat left ticking would step an arrow nobody holds.
void StopTimers(HWND scroller, ScrollerState& s) {
    for (UINT_PTR id : {kHoverPolling, kRepeatDelay, kRepeating}) KillTimer(scroller, id);
    s.timerPhase = kNoTimer;
}

void StopRepeat(HWND scroller, ScrollerState& s) {
    KillTimer(scroller, kRepeatDelay);
    KillTimer(scroller, kRepeating);
    s.timerPhase = kNoTimer;
}

// Ends a press, a hover and any repeat without telling anyone.
void DropEverything(HWND scroller, ScrollerState& s) {
    StopTimers(scroller, s);
    s.hotZone = kNoZone;
    if (s.pressedZone != kNoZone) {
        s.pressedZone = kNoZone;
        ReleaseCaptureIfHeld(scroller);
    }
}

// --- Value ------------------------------------------------------------------------------------

int32_t Clamp(int64_t v, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(v, low), high));
}

// One step of an arrow: the top one raises the value, the bottom one lowers it.
void StepArrow(ScrollerState& s, int32_t zone) {
    if (zone == kTopZone) s.value = Clamp(int64_t{s.value} + s.step, s.min, s.max);
    if (zone == kBottomZone) s.value = Clamp(int64_t{s.value} - s.step, s.min, s.max);
}

// A step wider than the range shrinks to 1, or to 0 when the range is narrower than 2.
void FitStep(ScrollerState& s, bool refuseNegative) {
    const int64_t range = int64_t{s.max} - s.min;
    if (s.step > range || (refuseNegative && s.step < 0))
        s.step = static_cast<int32_t>(std::min<int64_t>(1, range / 2));
}

// --- Layout and painting ----------------------------------------------------------------------

void Recompute(HWND scroller, ScrollerState& s) {
    s.layout = MeasureStrip(s.strip, kLookFrames + s.hasDisabledFrame);
    if (s.strip != nullptr) ResizeToFrame(scroller, s.layout);
    int64_t sum = 0;
    bool zonesSet = true;
    for (int32_t h : s.zoneHeights) {
        sum += h;
        zonesSet = zonesSet && h >= 1;
    }
    s.ready = s.strip != nullptr && zonesSet && s.layout.width >= 1 && s.layout.frameHeight == sum ? 1 : 0;
    // A scroller that is not ready ignores the mouse: nothing may stay behind that needs it.
    if (!s.ready) DropEverything(scroller, s);
    RepaintControl(scroller);
}

int32_t FrameOfZone(const ScrollerState& s, int32_t zone) {
    if (!s.enabled) return kDisabledFrame;
    if (zone != s.hotZone) return s.hasDisabledFrame + kNormalFrame;
    // Repeating, the held arrow blinks between its pressed and its normal picture.
    if (s.timerPhase == kRepeating && s.blink) return s.hasDisabledFrame + kNormalFrame;
    const bool pressed = s.pressedZone != kNoZone || s.timerPhase == kRepeating;
    return s.hasDisabledFrame + (pressed ? kPressedFrame : kHoverFrame);
}

void FillBlack(HDC dc, const RECT& r) {
    if (r.right > r.left && r.bottom > r.top) PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, BLACKNESS);
}

void OnPaintScroller(HWND scroller, const ScrollerState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(scroller, &ps);
    const RECT& update = ps.rcPaint;
    if (!s.ready) {
        FillBlack(dc, update);
        EndPaint(scroller, &ps);
        return;
    }
    const int32_t blocks = kLookFrames + s.hasDisabledFrame;
    for (int32_t zone = kTopZone; zone <= kBottomZone; ++zone) {
        const int32_t top = ZoneTop(s, zone);
        const int32_t height = ZoneHeight(s, zone);
        const RECT band{0, top, s.layout.width, top + height};
        RECT shown{};
        if (!IntersectRect(&shown, &update, &band)) continue;
        DrawBlock(dc, 0, top, s.layout.width, height, s.strip, 0, FrameOfZone(s, zone) * height + blocks * top);
    }
    // An owner may stretch the window: beyond the zones there is nothing to show.
    const int32_t bottom = ZoneTop(s, kBottomZone + 1);
    FillBlack(dc, RECT{std::max<LONG>(update.left, s.layout.width), update.top, update.right, update.bottom});
    FillBlack(dc, RECT{update.left, std::max<LONG>(update.top, bottom), update.right, update.bottom});
    EndPaint(scroller, &ps);
}

// --- Mouse ------------------------------------------------------------------------------------

// Not pressed: the hot zone follows the cursor.
void TrackHover(HWND scroller, ScrollerState& s, int32_t y) {
    const int32_t zone = ZoneAt(s, y);
    const int32_t old = s.hotZone;
    if (zone == old) return;
    RepaintZone(scroller, s, zone);
    if (old != kNoZone) {
        RepaintZone(scroller, s, old);
    } else {
        StartPhase(scroller, s, kHoverPolling, kHoverPollMs);
    }
    s.hotZone = zone;
    if (old == kNoZone) {
        NotifyParent(scroller, CN_ENTER);
    } else {
        Notify(scroller, ScrollerZoneEvent::Left, old);
    }
    Notify(scroller, ScrollerZoneEvent::Entered, zone);
}

// An arrow held: leaving its band pauses the repeat, coming back resumes it.
void TrackHeldArrow(HWND scroller, ScrollerState& s, LPARAM point) {
    const int32_t zone = s.pressedZone;
    const int32_t x = GET_X_LPARAM(point);
    const int32_t y = GET_Y_LPARAM(point);
    const int32_t top = ZoneTop(s, zone);
    const bool inside = x >= 0 && x < s.layout.width && y >= top && y < top + ZoneHeight(s, zone);
    if (inside && s.hotZone == kNoZone) {
        s.hotZone = zone;
        StartPhase(scroller, s, kRepeatDelay, kResumeRepeatMs);
        RepaintZone(scroller, s, zone);
        Notify(scroller, ScrollerZoneEvent::Entered, zone);
        NotifyParent(scroller, CN_ENTER);
    } else if (!inside && s.hotZone == zone) {
        s.hotZone = kNoZone;
        StopRepeat(scroller, s);
        RepaintZone(scroller, s, zone);
        Notify(scroller, ScrollerZoneEvent::Left, zone);
        NotifyParent(scroller, CN_LEAVE);
    }
}

// The middle zone held: one step for every movement past the threshold, and the cursor wraps
// from the top row of the screen to the bottom and back.
void TrackMiddleDrag(HWND scroller, ScrollerState& s) {
    RECT screen{};
    GetClientRect(GetDesktopWindow(), &screen);
    const int32_t screenHeight = screen.bottom - screen.top;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int32_t distance = std::abs(cursor.y - s.lastY);
    if (cursor.y <= 0) {
        cursor.y = screenHeight - 2;
        SetCursorPos(cursor.x, cursor.y);
        s.lastY = cursor.y + distance;
    } else if (cursor.y >= screenHeight - 1) {
        cursor.y = 1;
        SetCursorPos(cursor.x, cursor.y);
        s.lastY = cursor.y - distance;
    }
    // Slow movements add up until they pass the threshold; each one that does is one step.
    if (distance <= s.dragThreshold) return;
    const int32_t old = s.value;
    if (cursor.y > s.lastY) s.value = Clamp(int64_t{s.value} - s.step, s.min, s.max);
    if (cursor.y < s.lastY) s.value = Clamp(int64_t{s.value} + s.step, s.min, s.max);
    s.lastY = cursor.y;
    if (s.value != old) NotifyParent(scroller, CN_CHANGED);
}

void OnMouseMoveScroller(HWND scroller, ScrollerState& s, LPARAM point) {
    if (!TakesMouse(s)) return;
    if (s.pressedZone == kNoZone) {
        TrackHover(scroller, s, GET_Y_LPARAM(point));
    } else if (s.pressedZone == kMiddleZone) {
        TrackMiddleDrag(scroller, s);
    } else {
        TrackHeldArrow(scroller, s, point);
    }
}

void OnLeftButtonDownScroller(HWND scroller, ScrollerState& s, LPARAM point) {
    if (!TakesMouse(s)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    s.lastY = cursor.y;
    const int32_t zone = ZoneAt(s, GET_Y_LPARAM(point));
    RepaintZone(scroller, s, s.hotZone);
    s.hotZone = s.pressedZone = zone;
    RepaintZone(scroller, s, zone);
    SetCapture(scroller);
    if (s.timerPhase == kHoverPolling) KillTimer(scroller, kHoverPolling);
    if (zone == kMiddleZone) {
        s.timerPhase = kNoTimer;
    } else {
        StartPhase(scroller, s, kRepeatDelay, s.repeatDelay);
    }
    NotifyParent(scroller, CN_PRESSED);
    Notify(scroller, ScrollerZoneEvent::Pressed, zone);
}

// Every notice of a release is decided before the first goes out, and nothing of the state is
// touched after it: the owner may reconfigure or destroy the scroller in its handler.
void OnLeftButtonUpScroller(HWND scroller, ScrollerState& s) {
    if (!TakesMouse(s) || s.pressedZone == kNoZone) return;
    const int32_t phase = s.timerPhase;
    const int32_t pressed = s.pressedZone;
    const int32_t hotBefore = s.hotZone;
    const int32_t valueBefore = s.value;
    StopRepeat(scroller, s);
    RepaintZone(scroller, s, pressed);
    const bool over = CursorIsOver(scroller);
    int32_t released = pressed;
    if (over) {
        released = CursorZone(scroller, s);
        s.hotZone = released;
        RepaintZone(scroller, s, released);
        StartPhase(scroller, s, kHoverPolling, kHoverPollMs);
        // Released before the delay ran out: the click steps once.
        if (phase == kRepeatDelay && released == pressed) StepArrow(s, pressed);
    } else {
        s.hotZone = kNoZone;
    }
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no press.
    s.pressedZone = kNoZone;
    ReleaseCaptureIfHeld(scroller);

    const bool changed = s.value != valueBefore;
    // Released off the scroller while a zone was still hot (always so for the middle zone):
    // that zone and the scroller are left. Released over another zone than the hot one: that
    // zone is entered, so every enter keeps its leave.
    const bool leaveAfter = !over && hotBefore != kNoZone;
    const bool enterAfter = over && hotBefore != released;
    if (changed) NotifyParent(scroller, CN_CHANGED);
    Notify(scroller, ScrollerZoneEvent::Released, released);
    NotifyParent(scroller, CN_RELEASED);
    if (leaveAfter) {
        Notify(scroller, ScrollerZoneEvent::Left, hotBefore);
        NotifyParent(scroller, CN_LEAVE);
    }
    if (enterAfter) {
        if (hotBefore == kNoZone) {
            NotifyParent(scroller, CN_ENTER);
        } else {
            Notify(scroller, ScrollerZoneEvent::Left, hotBefore);
        }
        Notify(scroller, ScrollerZoneEvent::Entered, released);
    }
}

void OnHoverPoll(HWND scroller, ScrollerState& s) {
    if (s.pressedZone != kNoZone || CursorIsOver(scroller)) return;
    const int32_t old = s.hotZone;
    RepaintZone(scroller, s, old);
    s.hotZone = kNoZone;
    s.timerPhase = kNoTimer;
    KillTimer(scroller, kHoverPolling);
    if (old != kNoZone) Notify(scroller, ScrollerZoneEvent::Left, old);
    NotifyParent(scroller, CN_LEAVE);
}

// The held arrow starts blinking: its normal picture until the tick that steps.
void OnRepeatDelayOver(HWND scroller, ScrollerState& s) {
    if (s.pressedZone == kNoZone) return;
    KillTimer(scroller, kRepeatDelay);
    s.blink = 1;
    StartPhase(scroller, s, kRepeating, s.repeatInterval);
    RepaintZone(scroller, s, s.pressedZone);
}

void OnRepeatTick(HWND scroller, ScrollerState& s) {
    if (s.pressedZone == kNoZone) return;
    const int32_t old = s.value;
    if (s.blink) {
        s.blink = 0;
        StepArrow(s, s.pressedZone);
    } else {
        s.blink = 1;
    }
    RepaintZone(scroller, s, s.pressedZone);
    if (s.value != old) NotifyParent(scroller, CN_CHANGED);
}

// Only the timer of the current phase counts.
void OnTimerScroller(HWND scroller, ScrollerState& s, WPARAM timer) {
    if (!TakesMouse(s) || timer != static_cast<WPARAM>(s.timerPhase)) return;
    switch (s.timerPhase) {
        case kHoverPolling: OnHoverPoll(scroller, s); break;
        case kRepeatDelay: OnRepeatDelayOver(scroller, s); break;
        case kRepeating: OnRepeatTick(scroller, s); break;
        default: break;
    }
}

void OnCaptureChangedScroller(HWND scroller, const ScrollerState& s, LPARAM newOwner) {
    if (s.pressedZone != kNoZone) EndPressOnCaptureLoss(scroller, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

LRESULT OnSetEnabledScroller(HWND scroller, ScrollerState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    s.enabled = flag;
    if (!flag) DropEverything(scroller, s);
    RepaintControl(scroller);
    return kControlMessageDone;
}

LRESULT OnSetStrip(HWND scroller, ScrollerState& s, LPARAM strip) {
    s.strip = reinterpret_cast<const PackedDib*>(strip);
    Recompute(scroller, s);
    return kControlMessageDone;
}

LRESULT OnSetZoneHeight(HWND scroller, ScrollerState& s, int32_t zone, LPARAM height) {
    const int32_t wanted = static_cast<int32_t>(height);
    if (wanted < 1) return kControlMessageDone;
    s.zoneHeights[zone - 1] = wanted;
    Recompute(scroller, s);
    return kControlMessageDone;
}

LRESULT OnSetDisabledFrameScroller(HWND scroller, ScrollerState& s, LPARAM hasDisabledFrame) {
    s.hasDisabledFrame = hasDisabledFrame != 0 ? 1 : 0;
    if (s.strip != nullptr) Recompute(scroller, s);
    return kControlMessageDone;
}

LRESULT OnSetMaxScroller(ScrollerState& s, LPARAM v) {
    s.max = static_cast<int32_t>(v);
    if (s.min > s.max) s.min = s.value = s.max;
    FitStep(s, false);
    if (s.value > s.max) s.value = s.max;
    return kControlMessageDone;
}

LRESULT OnSetMinScroller(ScrollerState& s, LPARAM v) {
    s.min = static_cast<int32_t>(v);
    if (s.max < s.min) s.max = s.value = s.min;
    FitStep(s, false);
    if (s.value < s.min) s.value = s.min;
    return kControlMessageDone;
}

// On the step grid and inside the range; a step of 0 leaves the value as given.
LRESULT OnSetValueScroller(ScrollerState& s, LPARAM v) {
    const int32_t wanted = static_cast<int32_t>(v);
    const int32_t onGrid = s.step > 0 ? wanted / s.step * s.step : wanted;
    s.value = Clamp(onGrid, s.min, s.max);
    return kControlMessageDone;
}

// A negative step would turn the arrows round: it is treated as one wider than the range.
LRESULT OnSetStepScroller(ScrollerState& s, LPARAM v) {
    s.step = static_cast<int32_t>(v);
    FitStep(s, true);
    return kControlMessageDone;
}

LRESULT StoreAtLeastOne(int32_t& field, LPARAM v) {
    const int32_t wanted = static_cast<int32_t>(v);
    if (wanted >= 1) field = wanted;
    return kControlMessageDone;
}

LRESULT StoreMilliseconds(UINT& field, LPARAM ms) {
    field = static_cast<UINT>(ms);
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

LRESULT OnUnknownScrollerMessage(HWND scroller, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(scroller, message, wParam, lParam);
}

LRESULT CALLBACK ScrollerProc(HWND scroller, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return CreateControlState<ScrollerState>(scroller);
    ScrollerState* s = StateOf(scroller);
    if (s == nullptr) return DefWindowProcA(scroller, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<ScrollerState>(scroller); return 0;
        case WM_CLOSE: DestroyWindow(scroller); return 0;
        case WM_PAINT: OnPaintScroller(scroller, *s); return 0;
        case WM_MOUSEMOVE: OnMouseMoveScroller(scroller, *s, lParam); return 0;
        case WM_TIMER: OnTimerScroller(scroller, *s, wParam); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownScroller(scroller, *s, lParam); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpScroller(scroller, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedScroller(scroller, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledScroller(scroller, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->strip);
        case CM_SETBITMAP: return OnSetStrip(scroller, *s, lParam);
        case SCR_GETTOPHEIGHT: return s->zoneHeights[0];
        case SCR_SETTOPHEIGHT: return OnSetZoneHeight(scroller, *s, kTopZone, lParam);
        case SCR_GETMIDDLEHEIGHT: return s->zoneHeights[1];
        case SCR_SETMIDDLEHEIGHT: return OnSetZoneHeight(scroller, *s, kMiddleZone, lParam);
        case SCR_GETBOTTOMHEIGHT: return s->zoneHeights[2];
        case SCR_SETBOTTOMHEIGHT: return OnSetZoneHeight(scroller, *s, kBottomZone, lParam);
        case SCR_GETMAX: return s->max;
        case SCR_SETMAX: return OnSetMaxScroller(*s, lParam);
        case SCR_GETMIN: return s->min;
        case SCR_SETMIN: return OnSetMinScroller(*s, lParam);
        case SCR_GETVALUE: return s->value;
        case SCR_SETVALUE: return OnSetValueScroller(*s, lParam);
        case SCR_GETSTEP: return s->step;
        case SCR_SETSTEP: return OnSetStepScroller(*s, lParam);
        case SCR_GETDRAGTHRESHOLD: return s->dragThreshold;
        case SCR_SETDRAGTHRESHOLD: return StoreAtLeastOne(s->dragThreshold, lParam);
        case SCR_GETDISABLEDFRAME: return s->hasDisabledFrame;
        case SCR_SETDISABLEDFRAME: return OnSetDisabledFrameScroller(scroller, *s, lParam);
        case SCR_GETREPEATDELAY: return s->repeatDelay;
        case SCR_SETREPEATDELAY: return StoreMilliseconds(s->repeatDelay, lParam);
        case SCR_GETREPEATINTERVAL: return s->repeatInterval;
        case SCR_SETREPEATINTERVAL: return StoreMilliseconds(s->repeatInterval, lParam);
        default: return OnUnknownScrollerMessage(scroller, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterScrollerClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kScrollerClass, ScrollerProc, kControlClassStyle);
}
