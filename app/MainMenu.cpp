#include "app/MainMenu.h"

#include "app/AppGlobals.h"
#include "app/Sound.h"
#include "app/WindowClasses.h"
#include "gfx/DibDraw.h"

namespace {

constexpr char kClassName[] = "CWNDPRINC";
constexpr char kCaption[] = "Vexxla Puzzle";
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;

// The picture sits in the middle of the screen; every child is placed relative to its corner.
Point CentredOrigin(Point imageSize) {
    return Point{static_cast<int32_t>((App.ScreenWidth - imageSize.x) / 2.0),
                 static_cast<int32_t>((App.ScreenHeight - imageSize.y) / 2.0)};
}

LRESULT OnCreateMainMenu(HWND) {
    const Point size = App.MainMenuBackground ? App.MainMenuBackground->GetSize() : Point{0, 0};
    App.MainMenuOrigin = CentredOrigin(size);
    LocateMainMenuSounds();
    return 0;
}

void OnPaintMainMenu(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (App.MainMenuBackground) {
        const Point size = App.MainMenuBackground->GetSize();
        DrawBlock(dc, App.MainMenuOrigin.x, App.MainMenuOrigin.y, size.x, size.y, App.MainMenuBackground->GetDib(),
                  0, 0);
    }
    EndPaint(window, &ps);
}

// Closing the main menu (Alt+F4, the system) ends the program as its close button does.
void OnCloseMainMenu(HWND window) {
    if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
    DestroyWindow(window);
    PostQuitMessage(0);
}

void OnDestroyMainMenu(HWND window) {
    App.MainMenuBackground.reset();
    if (App.MainMenuWindow == window) App.MainMenuWindow = nullptr;
}

LRESULT CALLBACK MainMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreateMainMenu(window);
        case WM_PAINT: OnPaintMainMenu(window); return 0;
        case WM_CLOSE: OnCloseMainMenu(window); return 0;
        case WM_DESTROY: OnDestroyMainMenu(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainMenuClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kClassName, MainMenuProc, kOwnDcStyle, true);
}

HWND CreateMainMenu() {
    App.MainMenuBackground = std::make_unique<DibImage>();
    App.MainMenuBackground->LoadById(kMainMenuBackgroundId);
    App.MainMenuWindow = CreateWindowExA(0, kClassName, kCaption, kFullScreenStyle, 0, 0, 100, 100, nullptr, nullptr,
                                         App.Instance, nullptr);
    if (App.VideoWindow != nullptr) {
        DestroyWindow(App.VideoWindow);
        App.VideoWindow = nullptr;
    }
    return App.MainMenuWindow;
}
