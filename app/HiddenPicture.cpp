#include "app/HiddenPicture.h"

#include <memory>
#include <new>
#include <utility>

#include "app/AppGlobals.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/OwnedPopup.h"
#include "platform/WindowDrag.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kDialogStyle == 0x92400000, "style of the dialogs");

struct HiddenPictureState {
    std::unique_ptr<DibImage> image;
    HWND owner = nullptr;
    WindowDrag drag;
};

// What OpenHiddenPicture hands the window it creates.
struct HiddenPictureRequest {
    std::unique_ptr<DibImage>* image;  // taken by the window once its state exists
    HWND owner;
};

HiddenPictureState* StateOf(HWND window) { return WindowStateOf<HiddenPictureState>(window); }

LRESULT OnCreateHiddenPicture(HWND window, const CREATESTRUCTA* create) {
    const auto* request = static_cast<const HiddenPictureRequest*>(create->lpCreateParams);
    if (request == nullptr) return -1;
    HiddenPictureState* state = AttachWindowState<HiddenPictureState>(window);
    if (state == nullptr) return -1;
    state->image = std::move(*request->image);
    state->owner = request->owner;
    return 0;
}

void OnPaintHiddenPicture(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintFromBlock(dc, ps.rcPaint, StateOf(window)->image->GetDib());
    EndPaint(window, &ps);
}

void OnCloseHiddenPicture(HWND window) { CloseGivingOwnerBack(window, StateOf(window)->owner); }

void OnDestroyHiddenPicture(HWND window) {
    HWND owner = StateOf(window)->owner;
    if (owner != nullptr) EnableWindow(owner, TRUE);
}

LRESULT CALLBACK HiddenPictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateHiddenPicture(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintHiddenPicture(window); return 0;
        case WM_LBUTTONDOWN: StateOf(window)->drag.Start(window); return 0;
        case WM_MOUSEMOVE: StateOf(window)->drag.Follow(window); return 0;
        case WM_LBUTTONUP: StateOf(window)->drag.End(window); return 0;
        case WM_CAPTURECHANGED:
            StateOf(window)->drag.OnCaptureChanged(window, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CHAR: SendMessageA(window, WM_CLOSE, 0, 0); return 0;
        case WM_CLOSE: OnCloseHiddenPicture(window); return 0;
        case WM_DESTROY: OnDestroyHiddenPicture(window); return 0;
        case WM_NCDESTROY: FreeWindowState<HiddenPictureState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterHiddenPictureClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kHiddenPictureClass, HiddenPictureProc, kOwnDcStyle);
}

HWND OpenHiddenPicture(HWND owner) {
    std::unique_ptr<DibImage> image(new (std::nothrow) DibImage());
    if (image == nullptr || !image->LoadById(kHiddenPictureImageId)) return nullptr;
    const Point size = image->GetSize();
    RECT frame{0, 0, size.x, size.y};
    AdjustWindowRect(&frame, kDialogStyle, FALSE);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const auto x = static_cast<int32_t>((App.ScreenWidth - width) / 2.0);
    const auto y = static_cast<int32_t>((App.ScreenHeight - height) / 2.0);
    HiddenPictureRequest request{&image, owner};
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kHiddenPictureClass, "", kDialogStyle, x, y, width, height, owner, nullptr,
                                  App.Instance, &request);
    if (window == nullptr) {
        // No WM_DESTROY comes for a window that failed to be made: its owner is enabled here.
        if (owner != nullptr) EnableWindow(owner, TRUE);
        return nullptr;
    }
    return window;
}
