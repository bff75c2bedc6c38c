#include "dialogs/AboutWindow.h"

#include "app/AppGlobals.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

struct AboutState {
    explicit AboutState(HWND ownerWindow) : owner(ownerWindow) {}

    HWND owner;
    DibImage picture;
    POINT origin{0, 0};
};

AboutState* StateOf(HWND window) { return WindowStateOf<AboutState>(window); }

LRESULT OnCreateAbout(HWND window, const CREATESTRUCTA* create) {
    AboutState* state = AttachWindowState<AboutState>(window, create->hwndParent);
    if (state == nullptr) return -1;
    if (!state->picture.LoadById(kAboutPictureId)) {
        FreeWindowState<AboutState>(window);
        return -1;
    }
    const Point size = state->picture.GetSize();
    state->origin = AboutPictureOrigin(App.ScreenWidth, App.ScreenHeight);
    state->origin.x += (kAboutPictureSize.x - size.x) / 2;  // a picture of another size stays centred
    state->origin.y += (kAboutPictureSize.y - size.y) / 2;
    return 0;
}

// The black around the picture is the class's brush, erased by BeginPaint.
void OnPaintAbout(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const AboutState* state = StateOf(window);
    const Point size = state->picture.GetSize();
    DrawBlock(dc, state->origin.x, state->origin.y, size.x, size.y, state->picture.GetDib(), 0, 0);
    EndPaint(window, &ps);
}

void OnCloseAbout(HWND window) {
    const HWND owner = StateOf(window)->owner;
    if (owner != nullptr) SetForegroundWindow(owner);
    DestroyWindow(window);
}

void OnDestroyAbout(HWND window) {
    const HWND owner = StateOf(window)->owner;
    if (owner != nullptr) EnableWindow(owner, TRUE);
}

void OnKeyUpAbout(HWND window, WPARAM key) {
    if (key == VK_ESCAPE) PostMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK AboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateAbout(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintAbout(window); return 0;
        case WM_LBUTTONUP: PostMessageA(window, WM_CLOSE, 0, 0); return 0;
        case WM_KEYUP: OnKeyUpAbout(window, wParam); return 0;
        case WM_CLOSE: OnCloseAbout(window); return 0;
        case WM_DESTROY: OnDestroyAbout(window); return 0;
        case WM_NCDESTROY: FreeWindowState<AboutState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

POINT AboutPictureOrigin(int32_t screenWidth, int32_t screenHeight) {
    return POINT{(screenWidth - kAboutPictureSize.x) / 2, (screenHeight - kAboutPictureSize.y) / 2};
}

bool RegisterAboutWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kAboutWindowClass, AboutWindowProc, kOwnDcStyle, ClassBackground::Black);
}

HWND OpenAboutWindow(HWND owner) {
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kAboutWindowClass, "", kAboutWindowStyle, 0, 0, 100, 100, owner, nullptr,
                                  App.Instance, nullptr);
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}
