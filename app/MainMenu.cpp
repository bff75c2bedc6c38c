#include "app/MainMenu.h"

#include "app/AppGlobals.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr char kClassName[] = "CWNDPRINC";
constexpr char kCaption[] = "Vexxla Puzzle";
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;

// What the main menu owns while it exists.
struct MainMenuState {
    DibImage background;
};

MainMenuState* StateOf(HWND window) { return WindowStateOf<MainMenuState>(window); }

// The picture sits in the middle of the screen; every child is placed relative to its corner.
POINT CentredOrigin(Point imageSize) {
    return POINT{static_cast<LONG>((App.ScreenWidth - imageSize.x) / 2.0),
                 static_cast<LONG>((App.ScreenHeight - imageSize.y) / 2.0)};
}

LRESULT OnCreateMainMenu(HWND window) {
    MainMenuState* state = AttachWindowState<MainMenuState>(window);
    if (state == nullptr) return -1;
    App.MainMenuWindow = window;
    state->background.LoadById(kMainMenuBackgroundId);
    App.MainMenuOrigin = CentredOrigin(state->background.GetSize());
    LocateMainMenuSounds();
    return 0;
}

void OnPaintMainMenu(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const DibImage& background = StateOf(window)->background;
    const Point size = background.GetSize();
    DrawBlock(dc, App.MainMenuOrigin.x, App.MainMenuOrigin.y, size.x, size.y, background.GetDib(), 0, 0);
    EndPaint(window, &ps);
}

// Closing the main menu (Alt+F4, the system) ends the program as its close button does.
void OnCloseMainMenu(HWND window) {
    if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
    DestroyWindow(window);
    PostQuitMessage(0);
}

void OnDestroyMainMenu(HWND window) {
    if (App.MainMenuWindow == window) App.MainMenuWindow = nullptr;
}

LRESULT CALLBACK MainMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateMainMenu(window);
        case WM_PAINT: OnPaintMainMenu(window); return 0;
        case WM_CLOSE: OnCloseMainMenu(window); return 0;
        case WM_DESTROY: OnDestroyMainMenu(window); return 0;
        case WM_NCDESTROY: FreeWindowState<MainMenuState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainMenuClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kClassName, MainMenuProc, kOwnDcStyle, ClassBackground::Black);
}

HWND CreateMainMenu() {
    App.MainMenuWindow = CreateWindowExA(0, kClassName, kCaption, kFullScreenStyle, 0, 0, 100, 100, nullptr, nullptr,
                                         App.Instance, nullptr);
    if (App.VideoWindow != nullptr) {
        DestroyWindow(App.VideoWindow);
        App.VideoWindow = nullptr;
    }
    return App.MainMenuWindow;
}
