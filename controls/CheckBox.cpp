#include "controls/CheckBox.h"

#include <cstdint>

#include "controls/ControlProtocol.h"
#include "platform/WindowKind.h"

namespace {

// The looks are also the frames of a strip without a disabled picture.
enum CheckLook : int32_t {
    kLookUnchecked = 0,
    kLookUncheckedHover = 1,
    kLookChecked = 2,
    kLookCheckedHover = 3,
};

constexpr int32_t kDisabledFrame = 0;
constexpr int32_t kLookFrames = 4;
constexpr UINT kControlClassStyle = 0;

struct CheckState {
    int32_t hasDisabledFrame = 0;  // the strip starts with a disabled frame
    uint8_t enabled = 1;
    const PackedDib* strip = nullptr;  // owned by the caller
    StripLayout layout;
    int32_t look = kLookUnchecked;
    int32_t pressed = 0;  // the left button went down here and the box holds the capture
    uint8_t checked = 0;
    uint8_t radio = 0;  // a click may check the box but never uncheck it
};

CheckState* StateOf(HWND box) { return ControlStateOf<CheckState>(box); }

int32_t ShownFrame(const CheckState& s) { return s.enabled ? s.look + s.hasDisabledFrame : kDisabledFrame; }

// The mouse handlers act only on an enabled box that has its strip.
bool TakesMouse(const CheckState& s) { return s.enabled && s.strip != nullptr; }

bool IsHoverLook(int32_t look) { return look == kLookUncheckedHover || look == kLookCheckedHover; }

// --- Looks ------------------------------------------------------------------------------------
// Each rule reports whether it changed the look; an unchanged look is not repainted unless the
// caller forces it.

bool ChangeLook(HWND box, CheckState& s, int32_t look, bool force) {
    if (s.look == look && !force) return false;
    s.look = look;
    RepaintControl(box);
    return true;
}

// The checked picture when the state differs from `preview`: preview false shows the real
// state, preview true the state a click would produce.
bool ApplyPlainLook(HWND box, CheckState& s, bool preview, bool force) {
    const bool showChecked = (s.checked != 0) != preview;
    return ChangeLook(box, s, showChecked ? kLookChecked : kLookUnchecked, force);
}

bool ApplyHoverLook(HWND box, CheckState& s, bool force) {
    return ChangeLook(box, s, s.checked ? kLookCheckedHover : kLookUncheckedHover, force);
}

// Ends a press or a hover without telling anyone: the capture goes back or the polling stops.
void DropPressAndHover(HWND box, CheckState& s) {
    if (s.pressed) {
        s.pressed = 0;
        ReleaseCaptureIfHeld(box);
    } else if (IsHoverLook(s.look)) {
        StopHoverTimer(box);
    }
}

void ApplyStripLayout(HWND box, CheckState& s) {
    s.layout = MeasureStrip(s.strip, kLookFrames + s.hasDisabledFrame);
    ResizeToFrame(box, s.layout);
    RepaintControl(box);
}

// --- Mouse ------------------------------------------------------------------------------------

void OnMouseMoveCheck(HWND box, CheckState& s, LPARAM point) {
    if (!TakesMouse(s)) return;
    if (!s.pressed) {
        const bool entered = ApplyHoverLook(box, s, false);
        StartHoverTimer(box);
        if (entered) NotifyParent(box, CN_ENTER);
        return;
    }
    // Pressed: the would-be state over the box, the real state off it, never a hover picture.
    const bool inside = ClientPointIsOver(box, point);
    if (ApplyPlainLook(box, s, inside, false)) NotifyParent(box, inside ? CN_ENTER : CN_LEAVE);
}

void OnTimerCheck(HWND box, CheckState& s) {
    if (!s.enabled || s.pressed) return;
    if (CursorIsOver(box)) return;
    StopHoverTimer(box);
    ApplyPlainLook(box, s, false, false);
    NotifyParent(box, CN_LEAVE);
}

void OnLeftButtonDownCheck(HWND box, CheckState& s) {
    if (!TakesMouse(s)) return;
    s.pressed = 1;
    SetCapture(box);
    ApplyPlainLook(box, s, true, false);
    StopHoverTimer(box);
    NotifyParent(box, CN_PRESSED);
}

void OnLeftButtonUpCheck(HWND box, CheckState& s) {
    if (!TakesMouse(s) || !s.pressed) return;
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no press.
    s.pressed = 0;
    bool changed = false;
    if (CursorIsOver(box)) {
        StartHoverTimer(box);
        if (!s.checked) {
            s.checked = 1;
            changed = true;
        } else if (!s.radio) {
            s.checked = 0;
            changed = true;
        }
        ApplyHoverLook(box, s, true);
    } else {
        ApplyPlainLook(box, s, false, true);
    }
    ReleaseCaptureIfHeld(box);
    NotifyParent(box, CN_RELEASED);
    if (changed) NotifyParent(box, CN_CLICKED);
}

void OnCaptureChangedCheck(HWND box, const CheckState& s, LPARAM newOwner) {
    if (s.pressed) EndPressOnCaptureLoss(box, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

LRESULT OnSetEnabledCheck(HWND box, CheckState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    s.enabled = flag;
    if (flag) {
        ApplyPlainLook(box, s, false, true);
        return kControlMessageDone;
    }
    DropPressAndHover(box, s);
    ChangeLook(box, s, kLookUnchecked, true);
    return kControlMessageDone;
}

LRESULT OnSetBitmapCheck(HWND box, CheckState& s, LPARAM bitmap) {
    s.strip = reinterpret_cast<const PackedDib*>(bitmap);
    if (s.strip != nullptr) {
        ApplyStripLayout(box, s);
        return kControlMessageDone;
    }
    // No strip: the box keeps its size and turns black and inert. It ignores the mouse from
    // now on, so a press or a hover it holds could never end; they end here, silently.
    DropPressAndHover(box, s);
    s.layout = StripLayout{};
    ApplyPlainLook(box, s, false, true);
    return kControlMessageDone;
}

LRESULT OnSetDisabledFrameCheck(HWND box, CheckState& s, LPARAM hasDisabledFrame) {
    s.hasDisabledFrame = hasDisabledFrame != 0 ? 1 : 0;
    if (s.strip != nullptr) ApplyStripLayout(box, s);
    return kControlMessageDone;
}

// The owner's word: no CN_CLICKED. A box under the cursor keeps a hover picture (of its new
// state), so the next move over it is not taken for a second entry. A held press ends.
LRESULT OnSetCheck(HWND box, CheckState& s, LPARAM check) {
    const uint8_t flag = check != 0 ? 1 : 0;
    if (flag == s.checked) return kControlMessageDone;
    const bool hovered = !s.pressed && IsHoverLook(s.look);
    s.checked = flag;
    if (s.pressed) {
        s.pressed = 0;
        ReleaseCaptureIfHeld(box);
    }
    if (hovered) {
        ApplyHoverLook(box, s, true);
    } else {
        ApplyPlainLook(box, s, false, true);
    }
    if (!flag && s.radio && s.enabled) NotifyParent(box, CN_UNCHECKED);
    return kControlMessageDone;
}

LRESULT OnSetRadio(CheckState& s, LPARAM radio) {
    s.radio = radio != 0 ? 1 : 0;
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

void OnPaintCheck(HWND box, const CheckState& s) { PaintStripFrame(box, s.strip, s.layout, ShownFrame(s)); }

LRESULT OnUnknownCheckMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(box, message, wParam, lParam);
}

LRESULT CALLBACK CheckBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return CreateControlState<CheckState>(box);
    CheckState* s = StateOf(box);
    if (s == nullptr) return DefWindowProcA(box, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<CheckState>(box); return 0;
        case WM_CLOSE: DestroyWindow(box); return 0;
        case WM_PAINT: OnPaintCheck(box, *s); return 0;
        case WM_MOUSEMOVE: OnMouseMoveCheck(box, *s, lParam); return 0;
        case WM_TIMER: OnTimerCheck(box, *s); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownCheck(box, *s); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpCheck(box, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedCheck(box, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledCheck(box, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->strip);
        case CM_SETBITMAP: return OnSetBitmapCheck(box, *s, lParam);
        case CM_GETDISABLEDFRAME: return s->hasDisabledFrame;
        case CM_SETDISABLEDFRAME: return OnSetDisabledFrameCheck(box, *s, lParam);
        case CHK_GETCHECK: return s->checked;
        case CHK_SETCHECK: return OnSetCheck(box, *s, lParam);
        case CHK_GETRADIO: return s->radio;
        case CHK_SETRADIO: return OnSetRadio(*s, lParam);
        default: return OnUnknownCheckMessage(box, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterCheckBoxClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kCheckBoxClass, CheckBoxProc, kControlClassStyle);
}
