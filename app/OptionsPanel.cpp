#include "app/OptionsPanel.h"

#include "app/AppGlobals.h"
#include "app/OptionsBar.h"
#include "app/PlayScreen.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/ControlProtocol.h"
#include "engine/SoundIds.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/Help.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kOptionsPanelStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kOptionsPanelStyle == 0x46000000, "style of the options panel");
constexpr DWORD kButtonStyle = WS_CHILD | WS_CLIPSIBLINGS;  // shown with the panel
constexpr int32_t kButtonCreateSize = 50;                   // the control sizes itself to its sheet
constexpr int32_t kButtonTop = 27;
constexpr int32_t kButtonSpacingMargin = 81;

constexpr UINT kShowFlags =
    SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
constexpr UINT kHideFlags =
    SWP_HIDEWINDOW | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
static_assert(kShowFlags == 0x257 && kHideFlags == 0x297, "the panel shows and hides without moving");

// How each button is drawn and animated.
struct OptionsButtonLayout {
    uint32_t imageId;
    int32_t rows;
    int32_t columns;
    UINT intervalMs;  // 0: the control's default
};

constexpr OptionsButtonLayout kButtonLayouts[kOptionsButtonCount] = {
    {207, 2, 5, 0},    // magnifier: ten-frame
    {208, 1, 3, 200},  // help: blink
    {205, 2, 5, 0},    // main menu: wrap-around
    {204, 1, 3, 200},  // leave: blink
};

// The main menu button's wrap-around loop sounds when it shows this frame.
constexpr int32_t kMainMenuSoundFrame = 1;

struct OptionsPanelState {
    DibImage images[kOptionsButtonCount];
};

OptionsPanelState* StateOf(HWND panel) { return WindowStateOf<OptionsPanelState>(panel); }

int32_t ButtonOf(HWND control) { return GetDlgCtrlID(control) - kFirstOptionsButtonId; }

void ShowButtons(UINT flags) {
    for (HWND button : App.OptionsButtons)
        if (button != nullptr) SetWindowPos(button, nullptr, 0, 0, 0, 0, flags);
}

HWND CreateButton(HWND panel, OptionsPanelState& state, int32_t button) {
    const OptionsButtonLayout& layout = kButtonLayouts[button];
    const Point at = OptionsButtonPosition(button, App.ScreenWidth);
    HWND control = CreateWindowExA(
        0, kAnimationClass, "", kButtonStyle, at.x, at.y, kButtonCreateSize, kButtonCreateSize, panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstOptionsButtonId + button)), App.Instance, nullptr);
    if (control == nullptr) return nullptr;
    state.images[button].LoadById(layout.imageId);
    SendMessageA(control, ANM_SETFRAMEROWS, 0, layout.rows);
    SendMessageA(control, ANM_SETFRAMECOLUMNS, 0, layout.columns);
    if (layout.intervalMs != 0) SendMessageA(control, ANM_SETINTERVAL, 0, layout.intervalMs);
    SendMessageA(control, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(state.images[button].GetDib()));
    return control;
}

LRESULT OnCreateOptionsPanel(HWND panel) {
    OptionsPanelState* state = AttachWindowState<OptionsPanelState>(panel);
    if (state == nullptr) return -1;
    App.OptionsPanelWindow = panel;
    App.OptionsPanelShown = 0;
    for (int32_t button = 0; button < kOptionsButtonCount; ++button)
        App.OptionsButtons[button] = CreateButton(panel, *state, button);
    return 0;
}

void OnPaintOptionsPanel(HWND panel) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    PaintFromOptionsStrip(dc, ps.rcPaint, 0);
    EndPaint(panel, &ps);
}

void OnTimerOptionsPanel(HWND panel, WPARAM timer) {
    if (timer != kOptionsPanelLeaveTimerId) return;
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    ScreenToClient(panel, &cursor);
    if (!PointKeepsOptionsPanel(cursor, App.ScreenWidth)) HideOptionsPanel();
}

// The leaving sound plays to its end whatever the sound switch says, so that it is heard
// before the play screen closes. Closing the play screen destroys this panel and its buttons
// too: nothing of theirs may be touched afterwards.
void LeaveGame() {
    PlayEffectSync(SoundSlot(kSpokenGoodbyeBase));
    if (App.PlayScreenWindow != nullptr) SendMessageA(App.PlayScreenWindow, WM_CLOSE, 0, 0);
}

void OnButtonClicked(HWND panel, int32_t button) {
    switch (button) {
        case kMagnifierButton: ToggleMagnifierInPlay(); break;
        case kHelpButton: OpenHelp(panel); break;
        case kMainMenuButton: ReturnToMainMenu(); break;
        case kLeaveButton: LeaveGame(); break;
        default: break;
    }
}

// Every other notice goes to the button's driver; the driver says when its sound is due.
void OnButtonAnimation(HWND control, int32_t button, UINT code) {
    switch (button) {
        case kMagnifierButton:
            if (TenFrameStep(control, code)) PlaySwitchedEffect(kNewPuzzleSound);
            break;
        case kHelpButton:
            if (ButtonHoverStep(control, code)) PlaySwitchedEffect(kAnimatedHoverSound);
            break;
        case kMainMenuButton:
            if (AnimHoverStep(control, code) == kMainMenuSoundFrame) PlaySwitchedEffect(kAboutSound);
            break;
        case kLeaveButton:
            if (ButtonHoverStep(control, code)) PlaySwitchedEffect(kSpokenExitHoverBase);
            break;
        default: break;
    }
}

void OnOptionsPanelCommand(HWND panel, HWND control, UINT code) {
    const int32_t button = ButtonOf(control);
    if (button < 0 || button >= kOptionsButtonCount || App.OptionsButtons[button] != control) return;
    if (code == CN_CLICKED)
        OnButtonClicked(panel, button);
    else
        OnButtonAnimation(control, button, code);
}

void OnDestroyOptionsPanel(HWND panel) {
    KillTimer(panel, kOptionsPanelLeaveTimerId);
    if (App.OptionsPanelWindow != panel) return;
    App.OptionsPanelWindow = nullptr;
    App.OptionsPanelShown = 0;
    for (HWND& button : App.OptionsButtons) button = nullptr;
}

LRESULT CALLBACK OptionsPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(panel) == nullptr) return DefWindowProcA(panel, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateOptionsPanel(panel);
        case WM_PAINT: OnPaintOptionsPanel(panel); return 0;
        case WM_TIMER: OnTimerOptionsPanel(panel, wParam); return 0;
        case WM_QUERYNEWPALETTE: InvalidateRect(panel, nullptr, FALSE); return TRUE;
        case NotifyParentMessage:
            OnOptionsPanelCommand(panel, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_DESTROY: OnDestroyOptionsPanel(panel); return 0;
        // The button images stay until here: the buttons showing them are destroyed first.
        case WM_NCDESTROY: FreeWindowState<OptionsPanelState>(panel); return 0;
        default: return DefWindowProcA(panel, message, wParam, lParam);
    }
}

}  // namespace

Point OptionsButtonPosition(int32_t button, int32_t screenWidth) {
    const int32_t spacing = (screenWidth - kButtonSpacingMargin) / 3;
    return Point{button * spacing, kButtonTop};
}

bool PointKeepsOptionsPanel(POINT point, int32_t screenWidth) {
    return point.x >= 0 && point.x <= screenWidth && point.y >= 0 && point.y <= kOptionsPanelHeight;
}

void DrawOptionsSlideStep(HDC dc, int32_t top, int32_t width) {
    if (top >= kOptionsPanelHeight) return;
    const RECT rows{0, top, width, kOptionsPanelHeight};
    PaintFromOptionsStrip(dc, rows, -top);
}

bool RegisterOptionsPanelClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kOptionsPanelClass, OptionsPanelProc, kOwnDcStyle);
}

HWND CreateOptionsPanel(HWND playScreen) {
    return CreateWindowExA(0, kOptionsPanelClass, "", kOptionsPanelStyle, 0, App.ScreenHeight - kOptionsPanelHeight,
                           App.ScreenWidth, kOptionsPanelHeight, playScreen, nullptr, App.Instance, nullptr);
}

void ShowOptionsPanel() {
    HWND panel = App.OptionsPanelWindow;
    if (panel == nullptr || App.OptionsPanelShown) return;
    App.OptionsPanelShown = 1;
    SetWindowPos(panel, nullptr, 0, 0, 0, 0, kShowFlags);
    // The slide: the texture rises from the bottom edge one row per step, each step one copy
    // of the pre-tiled strip, with no pause between steps.
    {
        WindowDC dc(panel);
        for (int32_t top = kOptionsPanelHeight; top >= 0; --top) DrawOptionsSlideStep(dc.get(), top, App.ScreenWidth);
    }
    ShowButtons(kShowFlags);
    ValidateRect(panel, nullptr);  // the slide has drawn it all
    SetTimer(panel, kOptionsPanelLeaveTimerId, kOptionsPanelLeaveCheckMs, nullptr);
}

void HideOptionsPanel() {
    HWND panel = App.OptionsPanelWindow;
    if (panel == nullptr) return;
    KillTimer(panel, kOptionsPanelLeaveTimerId);
    App.OptionsPanelShown = 0;
    ShowButtons(kHideFlags);
    SetWindowPos(panel, nullptr, 0, 0, 0, 0, kHideFlags);
}
