// What the six custom controls have in common: the configuration messages every control
// answers, the notification codes it reports to its parent, the state block kept in the
// window's user-data slot, and the pieces of mouse tracking and strip painting that each
// control assembles into its own handlers.
//
// A control is configured with SendMessageA(control, number, 0, argument) for numbers from
// WM_USER + 300 to WM_USER + 400; a number a control does not know returns 1 and changes
// nothing. A control reports to its parent with NotifyParent: message WM_USER + 300, the code
// in wParam, the control's own handle in lParam, sent synchronously.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/PackedDib.h"
#include "platform/WindowState.h"

// --- Configuration messages -------------------------------------------------------------------
constexpr UINT kFirstControlMessage = WM_USER + 300;  // 1324
constexpr UINT kLastControlMessage = WM_USER + 400;   // 1424

// Common to all six classes.
constexpr UINT CM_GETENABLED = WM_USER + 300;  // 1324
constexpr UINT CM_SETENABLED = WM_USER + 301;  // 1325
constexpr UINT CM_GETBITMAP = WM_USER + 302;   // 1326
constexpr UINT CM_SETBITMAP = WM_USER + 303;   // 1327

// The button and the check box read the disabled-frame flag at the same numbers.
constexpr UINT CM_GETDISABLEDFRAME = WM_USER + 310;  // 1334
constexpr UINT CM_SETDISABLEDFRAME = WM_USER + 311;  // 1335

// What a "set" message returns when it accepts, and what any number of the range returns in
// a class that does not know it.
constexpr LRESULT kControlMessageDone = 1;

constexpr bool IsControlMessage(UINT message) {
    return message >= kFirstControlMessage && message <= kLastControlMessage;
}

// --- Notifications ----------------------------------------------------------------------------
// Arrives at the parent; the same number as CM_GETENABLED, but parents are never controls.
constexpr UINT NotifyParentMessage = WM_USER + 300;  // 1324

constexpr UINT CN_PRESSED = 0;
constexpr UINT CN_RELEASED = 1;
constexpr UINT CN_ENTER = 2;
constexpr UINT CN_LEAVE = 3;
constexpr UINT CN_CLICKED = 4;
constexpr UINT CN_CHANGED = 4;
constexpr UINT CN_UNCHECKED = 5;
constexpr UINT CN_TICK = 5;

// Sends `code` to the control's parent and returns when the parent has handled it. The parent
// may disable, reconfigure or even destroy the control meanwhile: callers must not use a state
// block fetched before the call once it returns.
void NotifyParent(HWND control, UINT code);

// --- State block ------------------------------------------------------------------------------
// Each control keeps one plain block of its own type, the per-window state of every window kind
// (platform/WindowState.h), made on WM_CREATE and freed on WM_DESTROY. Until WM_CREATE has run
// (and after WM_DESTROY) there is none, and the window procedures leave such messages to
// DefWindowProcA.
template <typename State>
State* ControlStateOf(HWND control) {
    return WindowStateOf<State>(control);
}

// The WM_CREATE answer: 0, or -1 (the window is not made) when the block cannot be allocated.
template <typename State>
LRESULT CreateControlState(HWND control) {
    return AttachWindowState<State>(control) != nullptr ? 0 : -1;
}

template <typename State>
void DestroyControlState(HWND control) {
    FreeWindowState<State>(control);
}

// --- Mouse tracking ---------------------------------------------------------------------------
// The system sends no leave message to these windows: a hovered control polls the cursor
// with timer 1 and leaves its hover look when the window under the cursor is another.
constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverPollMs = 120;

void StartHoverTimer(HWND control);
void StopHoverTimer(HWND control);

// Whether the window under the cursor is the control.
bool CursorIsOver(HWND control);
// Whether the window under a WM_MOUSEMOVE point (client coordinates, signed 16-bit x in the
// low word and y in the high word of lParam) is the control.
bool ClientPointIsOver(HWND control, LPARAM point);

// Gives the capture back only while the control holds it. A window that has just taken the
// capture from a pressed control (its parent opening a message window, for instance) keeps it.
void ReleaseCaptureIfHeld(HWND control);

// The lParam of the release a control sends itself when it loses the capture during a press.
constexpr LPARAM kForcedReleasePoint = -1;

// WM_CAPTURECHANGED while pressed: when another window took the capture, the press ends as a
// left-button release would end it.
void EndPressOnCaptureLoss(HWND control, LPARAM newCaptureOwner);

// --- Image strips -----------------------------------------------------------------------------
// Frames of equal height stacked vertically in one bitmap, frame 0 at the top.
struct StripLayout {
    int32_t width = 0;
    int32_t frameHeight = 0;
};

// biWidth and biHeight / frameCount (truncated; rows past the last whole frame are never
// shown). Sizes that make no picture come out as 0.
StripLayout MeasureStrip(const PackedDib* strip, int32_t frameCount);

// Gives the control the size of one frame, keeping its place and stacking order.
void ResizeToFrame(HWND control, StripLayout layout);

// The whole client area will be painted again; controls paint every pixel, so nothing is erased.
void RepaintControl(HWND control);

// WM_PAINT of a strip control: BeginPaint, the update rectangle from `frame` of the strip
// (source at the same x and at the same y plus the frame's top), EndPaint. Without a strip,
// and wherever the window reaches beyond one frame, it paints black.
void PaintStripFrame(HWND control, const PackedDib* strip, StripLayout layout, int32_t frame);

// WM_PAINT of a control that has nothing to show yet: black.
void PaintBlack(HWND control);

// --- Animation (CQVANIM) ----------------------------------------------------------------------
// The numbers after CM_SETBITMAP mean something else in every class; these are the animation's.
constexpr UINT ANM_GETBACKGROUNDDC = WM_USER + 310;  // 1334
constexpr UINT ANM_SETBACKGROUNDDC = WM_USER + 311;  // 1335
constexpr UINT ANM_GETMASKED = WM_USER + 312;        // 1336
constexpr UINT ANM_SETMASKED = WM_USER + 313;        // 1337
constexpr UINT ANM_GETFRAME = WM_USER + 314;         // 1338
constexpr UINT ANM_SETFRAME = WM_USER + 315;         // 1339
constexpr UINT ANM_GETFRAMEROWS = WM_USER + 316;     // 1340
constexpr UINT ANM_SETFRAMEROWS = WM_USER + 317;     // 1341
constexpr UINT ANM_GETFRAMECOLUMNS = WM_USER + 318;  // 1342
constexpr UINT ANM_SETFRAMECOLUMNS = WM_USER + 319;  // 1343
constexpr UINT ANM_GETINTERVAL = WM_USER + 320;      // 1344
constexpr UINT ANM_SETINTERVAL = WM_USER + 321;      // 1345
constexpr UINT ANM_GETRUNNING = WM_USER + 322;       // 1346
constexpr UINT ANM_SETRUNNING = WM_USER + 323;       // 1347
constexpr UINT ANM_GETUSERDATA = WM_USER + 324;      // 1348
constexpr UINT ANM_SETUSERDATA = WM_USER + 325;      // 1349
constexpr UINT ANM_GETHOVER = WM_USER + 326;         // 1350
