// The box windows; see BoxWindow.h.
#include "board/BoxWindow.h"

#include "app/AppGlobals.h"
#include "board/PuzzleSurface.h"
#include "controls/ControlProtocol.h"
#include "engine/Surface.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr UINT kFitSurfaceFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOOWNERZORDER;

struct BoxState {
    int32_t box = 0;
    HWND surface = nullptr;
};

BoxState* StateOf(HWND window) { return WindowStateOf<BoxState>(window); }

LRESULT OnCreateBox(HWND window, const CREATESTRUCTA* create) {
    BoxState* state = AttachWindowState<BoxState>(window);
    if (state == nullptr) return -1;
    state->box = static_cast<int32_t>(reinterpret_cast<INT_PTR>(create->lpCreateParams));
    RECT client;
    GetClientRect(window, &client);
    state->surface = CreatePuzzleSurface(window, state->box, Rect{0, 0, client.right, client.bottom});
    return 0;
}

// The surface emptied or filled: the box passes the notice on to its owner, the play screen,
// whose box button shows whether the box holds pieces.
void OnSurfaceNotice(HWND window, UINT code) {
    if (code == static_cast<UINT>(SurfaceNotice::NowEmpty) || code == static_cast<UINT>(SurfaceNotice::NowHoldsPieces))
        NotifyParent(window, code);
}

void OnSizeBox(HWND window, int32_t width, int32_t height) {
    BoxState* state = StateOf(window);
    if (state->surface != nullptr) SetWindowPos(state->surface, nullptr, 0, 0, width, height, kFitSurfaceFlags);
}

// Renaming a box asks for the name in the message window, which the program does not have
// yet: the command does nothing until it exists.
void OnBoxCommand(HWND, UINT) {}

LRESULT OnQueryNewPaletteBox(HWND window) {
    BoxState* state = StateOf(window);
    return state->surface != nullptr ? SendMessageA(state->surface, WM_QUERYNEWPALETTE, 0, 0) : 0;
}

// The six boxes share one menu, which the play screen owns: detached here, the system does not
// destroy it with the box.
void OnDestroyBox(HWND window) {
    SetMenu(window, nullptr);
    BoxState* state = StateOf(window);
    if (state->box >= 0 && state->box < kBoxWindowCount && App.BoxWindows[state->box] == window)
        App.BoxWindows[state->box] = nullptr;
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateBox(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case NotifyParentMessage: OnSurfaceNotice(window, static_cast<UINT>(wParam)); return 0;
        case WM_SIZE: OnSizeBox(window, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_CLOSE: SetWindowPos(window, nullptr, 0, 0, 0, 0, kHideBoxFlags); return 0;
        case WM_COMMAND: OnBoxCommand(window, LOWORD(wParam)); return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteBox(window);
        case WM_DESTROY: OnDestroyBox(window); return 0;
        case WM_NCDESTROY: FreeWindowState<BoxState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterBoxClass(HINSTANCE instance) { return RegisterWindowKind(instance, kBoxClass, BoxProc, kOwnDcStyle); }

void BoxCaption(int32_t box, char (&caption)[8]) {
    constexpr char kTemplate[] = "Box n";
    constexpr int32_t kDigitAt = 4;
    static_assert(sizeof kTemplate <= sizeof caption, "room for the caption");
    for (size_t i = 0; i < sizeof kTemplate; ++i) caption[i] = kTemplate[i];
    caption[kDigitAt] = static_cast<char>('1' + box);
}

void CreateBoxWindows(HWND playScreen, HMENU menu) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box) {
        char caption[8];
        BoxCaption(box, caption);
        App.BoxWindows[box] = CreateWindowExA(kBoxExStyle, kBoxClass, caption, kBoxStyle, kBoxLeft + kBoxStep * box,
                                              kBoxTop + kBoxStep * box, kBoxOuterSize, kBoxOuterSize, playScreen, menu,
                                              App.Instance, reinterpret_cast<void*>(static_cast<INT_PTR>(box)));
    }
}
