#include "app/VideoWindow.h"

#include <mmsystem.h>

#include "app/AppGlobals.h"
#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "engine/AppString.h"
#include "platform/ClipPlayer.h"
#include "platform/FileExists.h"
#include "platform/Handles.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kVideoStyle = WS_POPUP | WS_VISIBLE | WS_MAXIMIZE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kVideoStyle == 0x93400000, "style of the full-screen windows");
constexpr UINT kNoClassStyle = 0;

// What PlayVideo hands the window it creates.
struct VideoRequest {
    const char* path;
    bool isIntro;
};

// The clip in play. Closing is set once WM_CLOSE has run, so that the clip's own notice,
// arriving after a click has already ended it, does not end it twice.
struct VideoWindowState {
    AppString VideoPath;
    bool VideoIsIntro = false;
    MciDevice VideoDevice;
    bool closing = false;
};

VideoWindowState* StateOf(HWND window) { return WindowStateOf<VideoWindowState>(window); }

// Opens the clip and starts it in the middle of the screen at its own size.
bool StartClip(HWND window, VideoWindowState& state) {
    state.VideoDevice = OpenClip(state.VideoPath.Text());
    const MCIDEVICEID device = state.VideoDevice.get();
    if (device == 0) return false;
    ClipSize size;
    const bool started =
        QueryClipSize(device, size) &&
        PlaceClip(device, (App.ScreenWidth - size.width) / 2, (App.ScreenHeight - size.height) / 2, size) &&
        ShowClipIn(device, window, true) && PlayClip(device, window);
    if (!started) state.VideoDevice.reset();
    return started;
}

LRESULT OnCreateVideoWindow(HWND window, const CREATESTRUCTA* create) {
    const auto* request = static_cast<const VideoRequest*>(create->lpCreateParams);
    if (request == nullptr) return -1;
    VideoWindowState* state = AttachWindowState<VideoWindowState>(window);
    if (state == nullptr) return -1;
    state->VideoIsIntro = request->isIntro;
    if (!state->VideoPath.Assign(request->path) || !StartClip(window, *state)) return -1;
    return 0;
}

void OnCloseVideoWindow(HWND window) {
    VideoWindowState* state = StateOf(window);
    if (state->closing) return;
    state->closing = true;
    state->VideoDevice.reset();
    EnableWindow(window, FALSE);
    if (state->VideoIsIntro) {
        // The main menu's creation destroys this window. Should it fail, the program ends
        // instead of running on with no window at all.
        if (CreateMainMenu() == nullptr && App.PlayScreenWindow == nullptr) PostQuitMessage(0);
        CloseVideoWindow();
    } else {
        CloseVideoWindow();
        ContinueAfterCompletionClip();
    }
}

void OnQueryNewPaletteVideoWindow(HWND window) {
    const MCIDEVICEID device = StateOf(window)->VideoDevice.get();
    if (device != 0) RealizeClipPalette(device);
}

void OnDestroyVideoWindow(HWND window) {
    if (App.VideoWindow == window) App.VideoWindow = nullptr;
}

LRESULT CALLBACK VideoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateVideoWindow(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_LBUTTONDOWN:
        case WM_KEYUP:
        case MM_MCINOTIFY: SendMessageA(window, WM_CLOSE, 0, 0); return 0;
        case WM_QUERYNEWPALETTE: OnQueryNewPaletteVideoWindow(window); return TRUE;
        case WM_CLOSE: OnCloseVideoWindow(window); return 0;
        case WM_DESTROY: OnDestroyVideoWindow(window); return 0;
        case WM_NCDESTROY: FreeWindowState<VideoWindowState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

AppString ClipPath(const char* name) {
    if (name == nullptr) return ProgramPath(kIntroClipFile);
    AppString path = ProgramPath(kVideoFolder);
    path.Append(name);
    path.Append(".avi");
    return path;
}

}  // namespace

bool RegisterVideoWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kVideoWindowClass, VideoWindowProc, kNoClassStyle, ClassBackground::Black);
}

bool PlayVideo(const char* name) {
    const AppString path = ClipPath(name);
    if (!FileExists(path.Text())) return false;
    VideoRequest request{path.Text(), name == nullptr};
    HWND owner = name == nullptr ? nullptr : App.PlayScreenWindow;
    App.VideoWindow =
        CreateWindowExA(0, kVideoWindowClass, "", kVideoStyle, 0, 0, 0, 0, owner, nullptr, App.Instance, &request);
    return App.VideoWindow != nullptr;
}

void CloseVideoWindow() {
    if (App.VideoWindow == nullptr) return;
    HWND window = App.VideoWindow;
    App.VideoWindow = nullptr;
    DestroyWindow(window);
}
