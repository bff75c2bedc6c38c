#include "dialogs/TimerWindow.h"

#include "app/AppGlobals.h"
#include "board/GameClockTimer.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kTimerWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

struct TimerWindowState {
    DibImage background;
    GdiObject<HFONT> font;
};

TimerWindowState* StateOf(HWND window) { return WindowStateOf<TimerWindowState>(window); }

LRESULT OnCreateTimerWindow(HWND window) {
    TimerWindowState* state = AttachWindowState<TimerWindowState>(window);
    if (state == nullptr) return -1;
    state->background.LoadById(kTimerBackgroundId);
    state->font.reset(CreateFontA(kTimerFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  "Comic Sans MS"));
    // The class owns its device context, so these colours stay for every later paint; with
    // the default opaque mode the digits stand on a black box.
    WindowDC dc(window);
    SetTextColor(dc.get(), kTimerTextColour);
    SetBkColor(dc.get(), kTimerBoxColour);
    return 0;
}

void OnPaintTimerWindow(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const TimerWindowState* state = StateOf(window);
    if (const PackedDib* background = state->background.GetDib()) {
        DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                  ps.rcPaint.bottom - ps.rcPaint.top, background, ps.rcPaint.left, ps.rcPaint.top);
    }
    SelectedObject font(dc, state->font.get());
    RECT text = kTimerTextRect;
    DrawTextA(dc, ElapsedText(), -1, &text, DT_RIGHT | DT_VCENTER);
    EndPaint(window, &ps);
}

void OnDestroyTimerWindow(HWND window) {
    if (App.TimerWindow == window) App.TimerWindow = nullptr;
}

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateTimerWindow(window);
        case WM_PAINT: OnPaintTimerWindow(window); return 0;
        case WM_DESTROY: OnDestroyTimerWindow(window); return 0;
        case WM_NCDESTROY: FreeWindowState<TimerWindowState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int32_t TimerWindowLeft(int32_t screenWidth) { return screenWidth * 3 / 4 - kTimerWindowCentreOffset; }

bool RegisterTimerWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kTimerWindowClass, TimerWindowProc, kOwnDcStyle);
}

HWND CreateTimerWindow(HWND playScreen) {
    App.TimerWindow =
        CreateWindowExA(0, kTimerWindowClass, "", kTimerWindowStyle, TimerWindowLeft(App.ScreenWidth), kTimerWindowTop,
                        kTimerWindowWidth, kTimerWindowHeight, playScreen, nullptr, App.Instance, nullptr);
    return App.TimerWindow;
}
