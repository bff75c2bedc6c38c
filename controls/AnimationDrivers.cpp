#include "controls/AnimationDrivers.h"

#include "controls/ControlProtocol.h"

namespace {

// Blink frames.
constexpr int32_t kBlinkRestFrame = 0;
constexpr int32_t kBlinkLitFrame = 1;
constexpr int32_t kBlinkHeldFrame = 2;

// Four-phase frames.
constexpr int32_t kPhaseCount = 4;  // frames 0 to 3 loop
constexpr int32_t kPhaseHeldFrame = 4;

// Ten-frame frames.
constexpr int32_t kFirstLoopFrame = 5;  // 0 to 4 open the button
constexpr int32_t kLastFrame = 9;

// Wrap-around frames.
constexpr int32_t kWrapFrameCount = 10;

// The user data of the blink and four-phase drivers: whether the button is held down; of the
// wrap-around driver: whether the pointer has left.
constexpr LONG_PTR kFlagClear = 0;
constexpr LONG_PTR kFlagSet = 1;

LRESULT Ask(HWND control, UINT message) { return SendMessageA(control, message, 0, 0); }

int32_t FrameOf(HWND control) { return static_cast<int32_t>(Ask(control, ANM_GETFRAME)); }

void ShowFrame(HWND control, int32_t frame) { SendMessageA(control, ANM_SETFRAME, 0, frame); }

void SetRunning(HWND control, bool run) { SendMessageA(control, ANM_SETRUNNING, 0, run ? 1 : 0); }

LONG_PTR UserDataOf(HWND control) { return static_cast<LONG_PTR>(Ask(control, ANM_GETUSERDATA)); }

void SetUserData(HWND control, LONG_PTR value) { SendMessageA(control, ANM_SETUSERDATA, 0, value); }

bool PointerIsOver(HWND control) { return Ask(control, ANM_GETHOVER) != 0; }

// (frame + 1) mod count, kept in 0 .. count - 1 whatever frame the owner set before.
int32_t NextInLoop(int32_t frame, int32_t count) {
    const int32_t next = (frame + 1) % count;
    return next < 0 ? next + count : next;
}

// --- Ten-frame --------------------------------------------------------------------------------

// The timer is asked to run on every crossing. While the button animates it already runs and
// the request changes nothing; it matters when a recompute of the control (a new sheet or
// grid) stopped the animation halfway, which would otherwise leave the button frozen there.
void TenFrameEnter(HWND control) {
    const LONG_PTR state = UserDataOf(control);
    if (state == kTenFrameIdle) {
        SetUserData(control, kTenFrameOpening);
    } else if (state == kTenFrameClosing) {
        SetUserData(control, FrameOf(control) >= kFirstLoopFrame ? kTenFrameLooping : kTenFrameOpening);
    }
    SetRunning(control, true);
}

void TenFrameLeave(HWND control) {
    SetUserData(control, kTenFrameClosing);
    SetRunning(control, true);
}

// True when the tick showed the last frame.
bool TenFrameTick(HWND control) {
    const int32_t frame = FrameOf(control);
    int32_t next = frame;
    switch (UserDataOf(control)) {
        case kTenFrameOpening:
            next = frame + 1;
            if (next >= kFirstLoopFrame) SetUserData(control, kTenFrameLooping);
            break;
        case kTenFrameLooping: next = frame >= kLastFrame ? kFirstLoopFrame : frame + 1; break;
        case kTenFrameClosing:
            next = frame - 1;
            if (next <= 0) {
                // Closed (at once when the tick finds it at frame 0 already).
                next = 0;
                SetRunning(control, false);
                SetUserData(control, kTenFrameIdle);
            }
            break;
        default: return false;  // idle: a stray tick changes nothing
    }
    ShowFrame(control, next);
    return next == kLastFrame;
}

// --- Swing ------------------------------------------------------------------------------------

// True when the tick left one of the two ends of the swing.
bool SwingTick(HWND control) {
    const int32_t frame = FrameOf(control);
    if (frame <= 0 && !PointerIsOver(control)) {
        SetUserData(control, kSwingForward);
        SetRunning(control, false);
        return false;
    }
    if (UserDataOf(control) == kSwingBackward) {
        const int32_t next = frame - 1;
        if (next <= 0) {
            // Back at the start (a re-entry at frame 0 turns round here too, never below 0).
            SetUserData(control, kSwingForward);
            ShowFrame(control, 0);
            return false;
        }
        ShowFrame(control, next);
        return next == kLastFrame - 1;
    }
    const int32_t next = frame + 1;
    if (next >= kLastFrame) {
        SetUserData(control, kSwingBackward);
        ShowFrame(control, kLastFrame);
        return false;
    }
    ShowFrame(control, next);
    return next == 1;
}

}  // namespace

bool SwingHoverStep(HWND control, UINT code) {
    switch (code) {
        case CN_ENTER: SetRunning(control, true); return false;
        case CN_LEAVE: SetUserData(control, kSwingBackward); return false;
        case CN_TICK: return SwingTick(control);
        default: return false;
    }
}

bool ButtonHoverStep(HWND control, UINT code) {
    switch (code) {
        case CN_ENTER:
            if (UserDataOf(control) == kFlagClear) {
                SetRunning(control, true);
                return true;
            }
            ShowFrame(control, kBlinkHeldFrame);  // dragged back over while held
            return false;
        case CN_LEAVE:
            SetRunning(control, false);
            ShowFrame(control, kBlinkRestFrame);
            return false;
        case CN_PRESSED:
            SetRunning(control, false);
            ShowFrame(control, kBlinkHeldFrame);
            SetUserData(control, kFlagSet);
            return false;
        case CN_RELEASED:
            ShowFrame(control, kBlinkRestFrame);
            SetUserData(control, kFlagClear);
            if (PointerIsOver(control)) SetRunning(control, true);
            return false;
        case CN_TICK:
            ShowFrame(control, FrameOf(control) == kBlinkLitFrame ? kBlinkRestFrame : kBlinkLitFrame);
            return false;
        default: return false;
    }
}

void FourPhaseStep(HWND control, UINT code) {
    switch (code) {
        case CN_ENTER:
            if (UserDataOf(control) == kFlagClear) SetRunning(control, true);
            break;
        case CN_LEAVE:
            if (UserDataOf(control) == kFlagClear) SetRunning(control, false);
            break;
        case CN_PRESSED:
            SetUserData(control, kFlagSet);
            SetRunning(control, false);
            ShowFrame(control, kPhaseHeldFrame);
            break;
        case CN_RELEASED:
            SetUserData(control, kFlagClear);
            ShowFrame(control, 0);
            if (PointerIsOver(control)) SetRunning(control, true);
            break;
        case CN_TICK: ShowFrame(control, NextInLoop(FrameOf(control), kPhaseCount)); break;
        default: break;
    }
}

bool TenFrameStep(HWND control, UINT code) {
    switch (code) {
        case CN_ENTER: TenFrameEnter(control); return false;
        case CN_LEAVE: TenFrameLeave(control); return false;
        case CN_TICK: return TenFrameTick(control);
        default: return false;
    }
}

int32_t AnimHoverStep(HWND control, UINT code) {
    switch (code) {
        case CN_ENTER:
            SetRunning(control, true);
            SetUserData(control, kFlagClear);
            return kNoTickFrame;
        case CN_LEAVE: SetUserData(control, kFlagSet); return kNoTickFrame;
        case CN_TICK: {
            const int32_t frame = NextInLoop(FrameOf(control), kWrapFrameCount);
            ShowFrame(control, frame);
            if (frame == 0 && UserDataOf(control) == kFlagSet) SetRunning(control, false);
            return frame;
        }
        default: return kNoTickFrame;
    }
}
