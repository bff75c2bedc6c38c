#include "app/LanguageChangeWindow.h"

#include <array>

#include "app/AppGlobals.h"
#include "app/Language.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/OwnedPopup.h"
#include "platform/Sound.h"
#include "platform/WindowDrag.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kDialogStyle == 0x92400000, "style of the dialogs");
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kControlCreateSize = 50;

struct LanguageChangeState {
    DibImage background;
    std::array<DibImage, kLanguageCount> buttonImages;
    std::array<HWND, kLanguageCount> buttons{};
    HWND owner = nullptr;
    WindowDrag drag;
};

LanguageChangeState* StateOf(HWND window) { return WindowStateOf<LanguageChangeState>(window); }

LRESULT OnCreateLanguageChange(HWND window, const CREATESTRUCTA* create) {
    LanguageChangeState* state = AttachWindowState<LanguageChangeState>(window);
    if (state == nullptr) return -1;
    state->owner = create->hwndParent;
    state->background.LoadById(kLanguageChangeImageId);
    for (int32_t i = 0; i < static_cast<int32_t>(kLanguageCount); ++i) {
        const auto slot = static_cast<size_t>(i);
        state->buttonImages[slot].LoadById(kLanguageButtonImageBase + static_cast<uint32_t>(i));
        const Point at = LanguageChangeButtonPosition(i);
        HWND button = CreateWindowExA(0, kCommandButtonClass, "", kButtonStyle, at.x, at.y, kControlCreateSize,
                                      kControlCreateSize, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)),
                                      App.Instance, nullptr);
        if (button != nullptr)
            SendMessageA(button, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(state->buttonImages[slot].GetDib()));
        state->buttons[slot] = button;
    }
    return 0;
}

int32_t ButtonIndex(const LanguageChangeState& state, HWND control) {
    for (size_t i = 0; i < state.buttons.size(); ++i)
        if (state.buttons[i] == control) return static_cast<int32_t>(i);
    return -1;
}

void OnLanguageChangeCommand(HWND window, HWND control, UINT code) {
    const int32_t index = ButtonIndex(*StateOf(window), control);
    if (index < 0) return;
    if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    } else if (code == CN_CLICKED) {
        PlayClickSound();
        // ApplyLanguage gives the play screen's new-game button its new picture.
        App.LanguageIndex = static_cast<uint32_t>(index);
        ApplyLanguage();
        if (App.NewGameButton != nullptr) InvalidateRect(App.NewGameButton, nullptr, FALSE);
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
}

void OnPaintLanguageChange(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintFromBlock(dc, ps.rcPaint, StateOf(window)->background.GetDib());
    EndPaint(window, &ps);
}

void OnCloseLanguageChange(HWND window) { CloseGivingOwnerBack(window, StateOf(window)->owner); }

void OnDestroyLanguageChange(HWND window) {
    HWND owner = StateOf(window)->owner;
    if (owner != nullptr) EnableWindow(owner, TRUE);
}

// Escape closes the window without a change; the characters reach it from its buttons too.
LRESULT OnCharLanguageChange(HWND window, WPARAM character) {
    if (character != VK_ESCAPE) return 0;
    SendMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT CALLBACK LanguageChangeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateLanguageChange(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintLanguageChange(window); return 0;
        case WM_LBUTTONDOWN: StateOf(window)->drag.Start(window); return 0;
        case WM_MOUSEMOVE: StateOf(window)->drag.Follow(window); return 0;
        case WM_LBUTTONUP: StateOf(window)->drag.End(window); return 0;
        case WM_CAPTURECHANGED:
            StateOf(window)->drag.OnCaptureChanged(window, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CHAR: OnCharLanguageChange(window, wParam); return 0;
        case ChildCharMessage: return OnCharLanguageChange(window, wParam);
        case NotifyParentMessage:
            OnLanguageChangeCommand(window, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_CLOSE: OnCloseLanguageChange(window); return 0;
        case WM_DESTROY: OnDestroyLanguageChange(window); return 0;
        case WM_NCDESTROY: FreeWindowState<LanguageChangeState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

Point LanguageChangeButtonPosition(int32_t button) { return Point{6, 10 + 40 * button}; }

bool RegisterLanguageChangeClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kLanguageChangeClass, LanguageChangeProc, kOwnDcStyle);
}

HWND OpenLanguageChangeWindow(HWND owner) {
    DibImage probe;
    if (!probe.LoadById(kLanguageChangeImageId)) return nullptr;
    const Point size = probe.GetSize();
    RECT frame{0, 0, size.x, size.y};
    AdjustWindowRect(&frame, kDialogStyle, FALSE);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const auto x = static_cast<int32_t>((App.ScreenWidth - width) / 2.0);
    const auto y = static_cast<int32_t>((App.ScreenHeight - height) / 2.0);
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kLanguageChangeClass, "", kDialogStyle, x, y, width, height, owner, nullptr,
                                  App.Instance, nullptr);
    // No WM_DESTROY comes for a window that failed to be made: its owner is enabled here.
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}
