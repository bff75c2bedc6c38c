#include "controls/CommandButton.h"

#include <cstdint>

#include "controls/ControlProtocol.h"
#include "platform/WindowKind.h"

namespace {

enum ButtonLook : int32_t {
    kLookNormal = 0,
    kLookHover = 1,
    kLookPressed = 2,
};

// The frame shown while disabled, whichever the layout: the disabled picture of a 4-frame
// strip, the normal picture of a 3-frame strip.
constexpr int32_t kDisabledFrame = 0;
constexpr int32_t kLookFrames = 3;  // normal, hover, pressed
constexpr UINT kControlClassStyle = 0;

struct ButtonState {
    int32_t hasDisabledFrame = 0;  // the strip starts with a disabled frame
    uint8_t enabled = 1;
    const PackedDib* strip = nullptr;  // owned by the caller
    StripLayout layout;
    int32_t look = kLookNormal;
    uint8_t pressed = 0;  // the button went down here and holds the capture
};

ButtonState* StateOf(HWND button) { return ControlStateOf<ButtonState>(button); }

int32_t ShownFrame(const ButtonState& s) { return s.enabled ? s.look + s.hasDisabledFrame : kDisabledFrame; }

// The mouse handlers act only on an enabled button that has its strip.
bool TakesMouse(const ButtonState& s) { return s.enabled && s.strip != nullptr; }

void SetLook(HWND button, ButtonState& s, int32_t look) {
    s.look = look;
    RepaintControl(button);
}

// Ends a press or a hover without telling anyone: the capture goes back or the polling stops,
// and the button looks normal.
void DropPress(HWND button, ButtonState& s) {
    if (s.pressed) {
        s.pressed = 0;
        ReleaseCaptureIfHeld(button);
    } else if (s.look == kLookHover) {
        StopHoverTimer(button);
    }
    s.look = kLookNormal;
}

void ApplyStripLayout(HWND button, ButtonState& s) {
    s.layout = MeasureStrip(s.strip, kLookFrames + s.hasDisabledFrame);
    ResizeToFrame(button, s.layout);
    RepaintControl(button);
}

// --- Mouse ------------------------------------------------------------------------------------

void OnMouseMoveButton(HWND button, ButtonState& s, LPARAM point) {
    if (!TakesMouse(s)) return;
    if (!s.pressed) {
        if (s.look != kLookNormal) return;
        SetLook(button, s, kLookHover);
        StartHoverTimer(button);
        NotifyParent(button, CN_ENTER);
        return;
    }
    // While pressed the capture brings every move; a button dragged off shows its hover frame.
    if (ClientPointIsOver(button, point)) {
        if (s.look != kLookHover) return;
        SetLook(button, s, kLookPressed);
        NotifyParent(button, CN_ENTER);
    } else {
        if (s.look != kLookPressed) return;
        SetLook(button, s, kLookHover);
        NotifyParent(button, CN_LEAVE);
    }
}

void OnTimerButton(HWND button, ButtonState& s) {
    if (!s.enabled || s.pressed) return;
    if (CursorIsOver(button)) return;
    StopHoverTimer(button);
    SetLook(button, s, kLookNormal);
    NotifyParent(button, CN_LEAVE);
}

void OnLeftButtonDownButton(HWND button, ButtonState& s) {
    if (!TakesMouse(s)) return;
    s.pressed = 1;
    s.look = kLookPressed;
    SetCapture(button);
    RepaintControl(button);
    StopHoverTimer(button);
    NotifyParent(button, CN_PRESSED);
}

void OnLeftButtonUpButton(HWND button, ButtonState& s) {
    if (!TakesMouse(s) || !s.pressed) return;
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no press.
    s.pressed = 0;
    const bool click = CursorIsOver(button);
    if (click) {
        s.look = kLookHover;
        StartHoverTimer(button);
    } else {
        s.look = kLookNormal;
    }
    ReleaseCaptureIfHeld(button);
    RepaintControl(button);
    NotifyParent(button, CN_RELEASED);
    if (click) NotifyParent(button, CN_CLICKED);
}

void OnCaptureChangedButton(HWND button, const ButtonState& s, LPARAM newOwner) {
    if (s.pressed) EndPressOnCaptureLoss(button, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

LRESULT OnSetEnabledButton(HWND button, ButtonState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    if (!flag) DropPress(button, s);
    s.enabled = flag;
    s.look = kLookNormal;
    RepaintControl(button);
    return kControlMessageDone;
}

LRESULT OnSetBitmapButton(HWND button, ButtonState& s, LPARAM bitmap) {
    s.strip = reinterpret_cast<const PackedDib*>(bitmap);
    if (s.strip != nullptr) {
        ApplyStripLayout(button, s);
        return kControlMessageDone;
    }
    // No strip: the button keeps its size and turns black and inert. It ignores the mouse from
    // now on, so a press it holds could never end; it ends here, silently.
    DropPress(button, s);
    s.layout = StripLayout{};
    RepaintControl(button);
    return kControlMessageDone;
}

LRESULT OnSetDisabledFrameButton(HWND button, ButtonState& s, LPARAM hasDisabledFrame) {
    s.hasDisabledFrame = hasDisabledFrame != 0 ? 1 : 0;
    if (s.strip != nullptr) ApplyStripLayout(button, s);
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

void OnPaintButton(HWND button, const ButtonState& s) { PaintStripFrame(button, s.strip, s.layout, ShownFrame(s)); }

LRESULT OnUnknownButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(button, message, wParam, lParam);
}

LRESULT CALLBACK CommandButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return CreateControlState<ButtonState>(button);
    ButtonState* s = StateOf(button);
    if (s == nullptr) return DefWindowProcA(button, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<ButtonState>(button); return 0;
        case WM_CLOSE: DestroyWindow(button); return 0;
        case WM_PAINT: OnPaintButton(button, *s); return 0;
        case WM_MOUSEMOVE: OnMouseMoveButton(button, *s, lParam); return 0;
        case WM_TIMER: OnTimerButton(button, *s); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownButton(button, *s); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpButton(button, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedButton(button, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledButton(button, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->strip);
        case CM_SETBITMAP: return OnSetBitmapButton(button, *s, lParam);
        case CM_GETDISABLEDFRAME: return s->hasDisabledFrame;
        case CM_SETDISABLEDFRAME: return OnSetDisabledFrameButton(button, *s, lParam);
        default: return OnUnknownButtonMessage(button, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterCommandButtonClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kCommandButtonClass, CommandButtonProc, kControlClassStyle);
}
