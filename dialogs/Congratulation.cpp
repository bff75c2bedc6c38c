#include "dialogs/Congratulation.h"

#include <mmsystem.h>

#include "app/AppGlobals.h"
#include "controls/AnimationControl.h"
#include "controls/ControlProtocol.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/Handles.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

// The close button waits hidden until the clip has ended.
constexpr DWORD kHiddenChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr POINT kCloseButtonAt{148, 150};
constexpr int32_t kChildCreateSize = 50;
constexpr LPARAM kCloseButtonColumns = 3;
constexpr LPARAM kCloseButtonIntervalMs = 300;
constexpr int32_t kCloseRestFrame = 0;
constexpr int32_t kCloseLitFrame = 1;
constexpr int32_t kCloseHeldFrame = 2;

constexpr UINT kHideOwnedFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER;
constexpr UINT kShowButtonFlags =
    SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
static_assert(kHideOwnedFlags == 0x297 && kShowButtonFlags == 0x257, "flags of the hidden and shown windows");

struct CongratulationStart {
    HWND owner;
    CongratulationNext next;
};

struct FelizState {
    explicit FelizState(const CongratulationStart& start) : owner(start.owner), next(start.next) {}

    HWND owner;
    CongratulationNext next;
    DibImage background;
    DibImage closeImage;
    HWND closeButton = nullptr;
    MciDevice clip;
    bool showPicture = false;
    // Set once the window is fully made: only such a window hands on to the next step when it
    // goes; for one that failed, OpenCongratulation does.
    bool made = false;
    BackgroundDrag drag;
};

HWND g_feliz = nullptr;

FelizState* StateOf(HWND feliz) { return WindowStateOf<FelizState>(feliz); }

LRESULT Send(HWND control, UINT message, LPARAM argument) {
    return control != nullptr ? SendMessageA(control, message, 0, argument) : 0;
}

void CreateCloseButton(HWND feliz, FelizState& state) {
    state.closeImage.LoadById(kCongratulationCloseImageId);
    state.closeButton = CreateWindowExA(0, kAnimationClass, "", kHiddenChildStyle, kCloseButtonAt.x, kCloseButtonAt.y,
                                        kChildCreateSize, kChildCreateSize, feliz, nullptr, App.Instance, nullptr);
    Send(state.closeButton, ANM_SETFRAMECOLUMNS, kCloseButtonColumns);
    Send(state.closeButton, CM_SETBITMAP, reinterpret_cast<LPARAM>(state.closeImage.GetDib()));
    Send(state.closeButton, ANM_SETINTERVAL, kCloseButtonIntervalMs);
}

// Opens the clip and starts it inside the window, at its top-left corner and its own size.
bool StartClip(HWND feliz, FelizState& state) {
    const std::string path = CongratulationClipPath();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path.c_str();
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return false;
    state.clip.reset(open.wDeviceID);
    MCI_ANIM_WINDOW_PARMSA window{};
    window.hWnd = feliz;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(feliz);
    if (mciSendCommandA(state.clip.get(), MCI_WINDOW, MCI_ANIM_WINDOW_HWND | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&window)) != 0 ||
        mciSendCommandA(state.clip.get(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) {
        state.clip.reset();
        return false;
    }
    return true;
}

// The magnifier and the boxes stay hidden until the player opens them again.
void HideOwnedWindows() {
    if (App.MagnifierWindow != nullptr) SetWindowPos(App.MagnifierWindow, nullptr, 0, 0, 0, 0, kHideOwnedFlags);
    for (HWND box : App.BoxWindows)
        if (box != nullptr) SetWindowPos(box, nullptr, 0, 0, 0, 0, kHideOwnedFlags);
}

LRESULT OnCreateFeliz(HWND feliz, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* start = static_cast<const CongratulationStart*>(create->lpCreateParams);
    FelizState* state = AttachWindowState<FelizState>(feliz, *start);
    if (state == nullptr) return -1;
    state->background.LoadById(kCongratulationBackgroundId);
    CreateCloseButton(feliz, *state);
    PlayEffect(nullptr);  // the clip brings its own sound
    if (!StartClip(feliz, *state)) {
        // Wine sends no WM_DESTROY to a window whose creation failed: the state goes here.
        FreeWindowState<FelizState>(feliz);
        return -1;
    }
    HideOwnedWindows();
    state->made = true;
    g_feliz = feliz;
    return 0;
}

// The clip ended, failed or was stopped: the picture and the blinking close button appear.
// Only the notice of this window's own clip counts, and only the first.
void OnClipNotice(HWND feliz, LPARAM device) {
    FelizState& state = *StateOf(feliz);
    if (state.showPicture || state.clip.get() == 0 || static_cast<MCIDEVICEID>(device) != state.clip.get()) return;
    state.showPicture = true;
    if (state.closeButton != nullptr) SetWindowPos(state.closeButton, nullptr, 0, 0, 0, 0, kShowButtonFlags);
    Send(state.closeButton, ANM_SETRUNNING, 1);
    InvalidateRect(feliz, nullptr, FALSE);
}

void OnPaintFeliz(HWND feliz) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(feliz, &ps);
    const FelizState& state = *StateOf(feliz);
    // While the clip plays, the clip draws the window.
    if (const PackedDib* picture = state.background.GetDib(); state.showPicture && picture != nullptr) {
        DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                  ps.rcPaint.bottom - ps.rcPaint.top, picture, ps.rcPaint.left, ps.rcPaint.top);
    }
    EndPaint(feliz, &ps);
}

void OnCloseButtonNotice(HWND feliz, HWND button, UINT code) {
    switch (code) {
        case CN_PRESSED:
            Send(button, ANM_SETRUNNING, 0);
            Send(button, ANM_SETFRAME, kCloseHeldFrame);
            break;
        case CN_RELEASED:
            Send(button, ANM_SETRUNNING, 1);
            Send(button, ANM_SETFRAME, kCloseRestFrame);
            break;
        case CN_TICK: {
            const int32_t frame = Send(button, ANM_GETFRAME, 0) == kCloseLitFrame ? kCloseRestFrame : kCloseLitFrame;
            Send(button, ANM_SETFRAME, frame);
            if (frame == kCloseLitFrame) PlaySwitchedEffect(kLogoSound);
            break;
        }
        case CN_CLICKED:
            PlayClickSound();
            SendMessageA(feliz, WM_CLOSE, 0, 0);
            break;
        default: break;
    }
}

void OnFelizCommand(HWND feliz, HWND control, UINT code) {
    if (control != nullptr && control == StateOf(feliz)->closeButton) OnCloseButtonNotice(feliz, control, code);
}

void OnCloseFeliz(HWND feliz) {
    FelizState& state = *StateOf(feliz);
    state.clip.reset();
    if (state.owner != nullptr) SetForegroundWindow(state.owner);
    DestroyWindow(feliz);
}

// The owner comes back and the sequence goes on, once: the window is gone from the screen's
// point of view (it is being destroyed) and no later clip notice reaches it.
void OnDestroyFeliz(HWND feliz) {
    FelizState& state = *StateOf(feliz);
    state.clip.reset();
    if (g_feliz == feliz) g_feliz = nullptr;
    if (!state.made) return;
    state.made = false;
    if (state.owner != nullptr) EnableWindow(state.owner, TRUE);
    if (state.next != nullptr) state.next();
}

void OnPaletteMessage(HWND feliz, UINT message, WPARAM wParam) {
    if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == feliz) return;
    InvalidateRect(feliz, nullptr, FALSE);
}

LRESULT CALLBACK FelizProc(HWND feliz, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(feliz) == nullptr) return DefWindowProcA(feliz, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateFeliz(feliz, lParam);
        case WM_PAINT: OnPaintFeliz(feliz); return 0;
        case MM_MCINOTIFY: OnClipNotice(feliz, lParam); return 0;
        case NotifyParentMessage:
            OnFelizCommand(feliz, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_LBUTTONDBLCLK: SendMessageA(feliz, WM_CLOSE, 0, 0); return 0;
        case WM_KEYUP:
            if (wParam == VK_ESCAPE) SendMessageA(feliz, WM_CLOSE, 0, 0);
            return 0;
        case WM_LBUTTONDOWN: StartBackgroundDrag(feliz, StateOf(feliz)->drag); return 0;
        case WM_MOUSEMOVE: FollowBackgroundDrag(feliz, StateOf(feliz)->drag); return 0;
        case WM_LBUTTONUP: EndBackgroundDrag(StateOf(feliz)->drag); return 0;
        case WM_CAPTURECHANGED:
            OnDragCaptureChanged(feliz, StateOf(feliz)->drag, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED: OnPaletteMessage(feliz, message, wParam); return 0;
        case WM_CLOSE: OnCloseFeliz(feliz); return 0;
        case WM_DESTROY: OnDestroyFeliz(feliz); return 0;
        case WM_NCDESTROY: FreeWindowState<FelizState>(feliz); return 0;
        default: return DefWindowProcA(feliz, message, wParam, lParam);
    }
}

}  // namespace

std::string CongratulationClipPath() { return std::string(App.ModuleFolder) + kCongratulationClip; }

bool RegisterCongratulationClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kCongratulationClass, FelizProc, kOwnDcDoubleClickStyle);
}

HWND CongratulationWindow() { return g_feliz; }

bool CongratulationShowsPicture() {
    const FelizState* state = g_feliz != nullptr ? StateOf(g_feliz) : nullptr;
    return state != nullptr && state->showPicture;
}

HWND OpenCongratulation(HWND owner, CongratulationNext next) {
    DibImage background;
    background.LoadById(kCongratulationBackgroundId);
    const Point size = background.GetSize();
    const RECT frame = CentredDialogRect(size.x, size.y, App.ScreenWidth, App.ScreenHeight);
    if (owner != nullptr) EnableWindow(owner, FALSE);
    CongratulationStart start{owner, next};
    HWND feliz =
        CreateWindowExA(0, kCongratulationClass, "", kDialogStyle, frame.left, frame.top, frame.right - frame.left,
                        frame.bottom - frame.top, owner, nullptr, App.Instance, &start);
    // It takes the keyboard (Escape ends it) even when it opens in the middle of a drop.
    if (feliz != nullptr) SetForegroundWindow(feliz);
    if (feliz == nullptr) {
        // No clip (missing or refused): the sequence goes straight on, with the owner usable.
        if (owner != nullptr) EnableWindow(owner, TRUE);
        if (next != nullptr) next();
    }
    return feliz;
}
