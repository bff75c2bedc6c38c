#include "dialogs/FileMenu.h"

#include <array>

#include "app/AppGlobals.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kFileMenuStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kButtonCreateSize = 50;  // the buttons size themselves to their pictures

struct FileMenuState {
    FileMenuHandler handler = nullptr;
    DibImage background;
    std::array<DibImage, kFileMenuChoiceCount> buttonImages;
    std::array<HWND, kFileMenuChoiceCount> buttons{};
    bool closing = false;
};

HWND OpenMenu = nullptr;

FileMenuState* StateOf(HWND menu) { return WindowStateOf<FileMenuState>(menu); }

LRESULT OnCreateFileMenu(HWND menu, const CREATESTRUCTA& create) {
    FileMenuState* state = AttachWindowState<FileMenuState>(menu);
    if (state == nullptr) return -1;
    state->handler = reinterpret_cast<FileMenuHandler>(create.lpCreateParams);
    state->background.LoadById(kFileMenuBackgroundId);
    for (int32_t i = 0; i < kFileMenuChoiceCount; ++i) {
        const Point at = kFileMenuButtonPositions[i];
        HWND button = CreateWindowExA(0, kCommandButtonClass, "", kButtonStyle, at.x, at.y, kButtonCreateSize,
                                      kButtonCreateSize, menu, nullptr, App.Instance, nullptr);
        if (button == nullptr) return -1;
        DibImage& image = state->buttonImages[static_cast<size_t>(i)];
        image.LoadById(FileMenuImageId(static_cast<FileMenuChoice>(i), App.LanguageIndex));
        SendMessageA(button, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image.GetDib()));
        state->buttons[static_cast<size_t>(i)] = button;
    }
    OpenMenu = menu;
    return 0;
}

// The menu goes first, then the owner hears the choice: a choice may open another window.
void Choose(HWND menu, FileMenuState& state, FileMenuChoice choice) {
    const FileMenuHandler handler = state.handler;
    state.closing = true;
    DestroyWindow(menu);
    if (handler != nullptr) handler(choice);
}

void OnFileMenuCommand(HWND menu, HWND control, UINT code) {
    FileMenuState* state = StateOf(menu);
    for (int32_t i = 0; i < kFileMenuChoiceCount; ++i) {
        if (control != state->buttons[static_cast<size_t>(i)]) continue;
        if (code == CN_ENTER) PlaySwitchedEffect(kHoverSound);
        if (code == CN_CLICKED) {
            PlayClickSound();
            Choose(menu, *state, static_cast<FileMenuChoice>(i));
        }
        return;
    }
}

void OnPaintFileMenu(HWND menu) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(menu, &ps);
    PaintFromBlock(dc, ps.rcPaint, StateOf(menu)->background.GetDib());
    EndPaint(menu, &ps);
}

// Losing the activation closes the menu, unless it is closing already.
void OnActivateFileMenu(HWND menu, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE || StateOf(menu)->closing) return;
    StateOf(menu)->closing = true;
    PostMessageA(menu, WM_CLOSE, 0, 0);
}

LRESULT OnFileMenuChar(HWND menu, WPARAM key) {
    constexpr WPARAM kEscapeKey = 27;
    if (key != kEscapeKey) return 0;
    StateOf(menu)->closing = true;
    PostMessageA(menu, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT CALLBACK FileMenuProc(HWND menu, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(menu) == nullptr) return DefWindowProcA(menu, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateFileMenu(menu, *reinterpret_cast<CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintFileMenu(menu); return 0;
        case WM_ACTIVATE: OnActivateFileMenu(menu, wParam); return 0;
        case WM_CHAR:
        case ChildCharMessage: return OnFileMenuChar(menu, wParam);
        case NotifyParentMessage:
            OnFileMenuCommand(menu, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_CLOSE: DestroyWindow(menu); return 0;
        case WM_DESTROY:
            if (OpenMenu == menu) OpenMenu = nullptr;
            return 0;
        case WM_NCDESTROY: FreeWindowState<FileMenuState>(menu); return 0;
        default: return DefWindowProcA(menu, message, wParam, lParam);
    }
}

}  // namespace

uint32_t FileMenuImageId(FileMenuChoice choice, uint32_t language) {
    switch (choice) {
        case FileMenuChoice::NewGame: return kNewGameButtonImageBase + language;
        case FileMenuChoice::OpenGame:
        case FileMenuChoice::SaveGame: {
            const uint32_t base =
                choice == FileMenuChoice::OpenGame ? kOpenGameButtonImageBase : kSaveGameButtonImageBase;
            return base + (language == kLanguagePortuguese ? kLanguageSpanish : language);
        }
    }
    return kNewGameButtonImageBase + language;
}

bool RegisterFileMenuClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kFileMenuClass, FileMenuProc, kOwnDcStyle, ClassBackground::Black);
}

HWND OpenFileMenu(HWND owner, Point firstButton, FileMenuHandler handler) {
    if (OpenMenu != nullptr) DestroyWindow(OpenMenu);
    DibImage probe;
    probe.LoadById(kFileMenuBackgroundId);
    const Point size = probe.GetDib() != nullptr ? probe.GetSize() : Point{168, 140};
    const Point at{firstButton.x - kFileMenuButtonPositions[0].x, firstButton.y - kFileMenuButtonPositions[0].y};
    HWND menu = CreateWindowExA(0, kFileMenuClass, "", kFileMenuStyle, at.x, at.y, size.x, size.y, owner, nullptr,
                                App.Instance, reinterpret_cast<void*>(handler));
    if (menu == nullptr) return nullptr;
    ShowWindow(menu, SW_SHOW);
    SetActiveWindow(menu);
    return menu;
}

HWND FileMenuInPlay() { return OpenMenu; }

HWND FileMenuButton(HWND menu, FileMenuChoice choice) {
    const FileMenuState* state = menu != nullptr ? StateOf(menu) : nullptr;
    const auto index = static_cast<size_t>(choice);
    return state != nullptr && index < state->buttons.size() ? state->buttons[index] : nullptr;
}
