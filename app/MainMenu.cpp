#include "app/MainMenu.h"

#include <shellapi.h>

#include "app/AppGlobals.h"
#include "app/HiddenPicture.h"
#include "app/LanguagePanel.h"
#include "app/PlayScreen.h"
#include "app/SharedImages.h"
#include "app/VideoWindow.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/CheckBox.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/FileExists.h"
#include "platform/Help.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
static_assert(kFullScreenStyle == 0x93400000, "style of the full-screen windows");
constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kControlCreateSize = 50;  // controls size themselves to their pictures

// Frame grids and paces of the animated children.
constexpr int32_t kDecorationColumns = 2;
constexpr int32_t kButtonAnimationColumns = 3;
constexpr int32_t kLogoColumns = 2;
constexpr UINT kMenuAnimationIntervalMs = 200;
constexpr UINT kLogoIntervalMs = 260;
constexpr int32_t kRestFrame = 0;
constexpr int32_t kLitFrame = 1;

constexpr char kCharEnter = 13;
constexpr char kCharEscape = 27;

// What the main menu owns while it exists: the pictures its children show (freed after the
// children on WM_NCDESTROY) and the children's handles, by which the command handler tells
// who spoke.
struct MainMenuState {
    DibImage background;
    DibImage soundSwitchImage;
    DibImage playButtonImage;
    DibImage decorationImage;
    DibImage helpImage;
    DibImage exitImage;
    DibImage logoImage;
    DibImage languageButtonImage;
    HWND soundSwitch = nullptr;
    HWND minimiseButton = nullptr;
    HWND closeButton = nullptr;
    HWND playButton = nullptr;
    HWND decoration = nullptr;
    HWND helpButton = nullptr;
    HWND exitAnimation = nullptr;
    HWND logo = nullptr;
    HWND languageButton = nullptr;
    HWND languagePanel = nullptr;
};

MainMenuState* StateOf(HWND window) { return WindowStateOf<MainMenuState>(window); }

// The picture sits in the middle of the screen; every child is placed relative to its corner.
POINT CentredOrigin(Point imageSize) {
    return POINT{static_cast<LONG>((App.ScreenWidth - imageSize.x) / 2.0),
                 static_cast<LONG>((App.ScreenHeight - imageSize.y) / 2.0)};
}

// --- Building ---------------------------------------------------------------------------------

HWND CreateChild(HWND menu, const char* className, Point offset) {
    return CreateWindowExA(0, className, "", kControlStyle, App.MainMenuOrigin.x + offset.x,
                           App.MainMenuOrigin.y + offset.y, kControlCreateSize, kControlCreateSize, menu, nullptr,
                           App.Instance, nullptr);
}

void Send(HWND control, UINT message, LPARAM value) {
    if (control != nullptr) SendMessageA(control, message, 0, value);
}

void GiveImage(HWND control, const DibImage& image) {
    Send(control, CM_SETBITMAP, reinterpret_cast<LPARAM>(image.GetDib()));
}

HWND CreateAnimation(HWND menu, Point offset, int32_t columns, UINT intervalMs, DibImage& image, uint32_t imageId) {
    image.LoadById(imageId);
    HWND animation = CreateChild(menu, kAnimationClass, offset);
    Send(animation, ANM_SETFRAMECOLUMNS, columns);
    Send(animation, ANM_SETINTERVAL, static_cast<LPARAM>(intervalMs));
    GiveImage(animation, image);
    return animation;
}

// The switch shows the sound setting as it stands: unchecked while the sounds are on, checked
// while they are off, so that a menu made again after the player turned them off says so.
void CreateSoundSwitch(HWND menu, MainMenuState& state) {
    state.soundSwitchImage.LoadById(kSoundSwitchImageId);
    state.soundSwitch = CreateChild(menu, kCheckBoxClass, kSoundSwitchOffset);
    Send(state.soundSwitch, CM_SETDISABLEDFRAME, 1);
    Send(state.soundSwitch, CM_SETENABLED, mixerGetNumDevs() > 0 ? 1 : 0);
    GiveImage(state.soundSwitch, state.soundSwitchImage);
    Send(state.soundSwitch, CHK_SETCHECK, App.SoundEffectsOn != 0 ? 0 : 1);
}

void CreateMenuChildren(HWND menu, MainMenuState& state) {
    CreateSoundSwitch(menu, state);
    state.minimiseButton = CreateChild(menu, kCommandButtonClass, kMenuMinimiseOffset);
    GiveImage(state.minimiseButton, Shared.MinimiseButtonImage);
    state.closeButton = CreateChild(menu, kCommandButtonClass, kMenuCloseOffset);
    GiveImage(state.closeButton, Shared.CloseButtonImage);
    state.playButtonImage.LoadById(kPlayButtonImageBase + App.LanguageIndex);
    state.playButton = CreateChild(menu, kCommandButtonClass, kPlayButtonOffset);
    GiveImage(state.playButton, state.playButtonImage);
    state.decoration = CreateAnimation(menu, kDecorationOffset, kDecorationColumns, kMenuAnimationIntervalMs,
                                       state.decorationImage, kDecorationImageId);
    state.helpButton = CreateAnimation(menu, kMenuHelpOffset, kButtonAnimationColumns, kMenuAnimationIntervalMs,
                                       state.helpImage, kMenuHelpImageId);
    state.exitAnimation = CreateAnimation(menu, kMenuExitOffset, kButtonAnimationColumns, kMenuAnimationIntervalMs,
                                          state.exitImage, kMenuExitImageId);
    state.logo =
        CreateAnimation(menu, kMenuLogoOffset, kLogoColumns, kLogoIntervalMs, state.logoImage, kMenuLogoImageId);
    state.languageButtonImage.LoadById(kLanguageButtonImageId);
    state.languageButton = CreateChild(menu, kCommandButtonClass, kLanguageButtonOffset);
    GiveImage(state.languageButton, state.languageButtonImage);
    const Point panelAt{App.MainMenuOrigin.x + kLanguagePanelOffset.x, App.MainMenuOrigin.y + kLanguagePanelOffset.y};
    state.languagePanel = CreateLanguagePanel(menu, panelAt);
}

LRESULT OnCreateMainMenu(HWND menu) {
    MainMenuState* state = AttachWindowState<MainMenuState>(menu);
    if (state == nullptr) return -1;
    App.MainMenuWindow = menu;
    state->background.LoadById(kMainMenuBackgroundId);
    App.MainMenuOrigin = CentredOrigin(state->background.GetSize());
    CreateMenuChildren(menu, *state);
    LocateMainMenuSounds();
    return 0;
}

// --- Commands ---------------------------------------------------------------------------------

// The close button's end: the play screen, if any, and the menu go, and the loop ends.
void EndProgram(HWND menu) {
    if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
    DestroyWindow(menu);
    PostQuitMessage(0);
}

void GoToPlayScreen(HWND menu) {
    PlaySwitchedEffect(kSpokenPlayBase);
    if (OpenPlayScreen() != nullptr) DestroyWindow(menu);
}

void ToggleSounds() {
    PlayClickSound();
    App.SoundEffectsOn = App.SoundEffectsOn != 0 ? 0 : 1;
}

void ShowLanguagePanel(const MainMenuState& state) {
    if (state.languagePanel == nullptr) return;
    const bool shown = IsWindowVisible(state.languagePanel) != FALSE;
    ShowWindow(state.languagePanel, shown ? SW_HIDE : SW_SHOW);
}

// Blinks between frames 0 and 1 while the pointer is over it, at rest on frame 0 otherwise.
// The frame a tick shows, or -1 for other codes.
int32_t BlinkWhileHovered(HWND animation, UINT code) {
    switch (code) {
        case CN_ENTER: Send(animation, ANM_SETRUNNING, 1); return -1;
        case CN_LEAVE:
            Send(animation, ANM_SETRUNNING, 0);
            Send(animation, ANM_SETFRAME, kRestFrame);
            return -1;
        case CN_TICK: {
            const int32_t next = SendMessageA(animation, ANM_GETFRAME, 0, 0) == kRestFrame ? kLitFrame : kRestFrame;
            Send(animation, ANM_SETFRAME, next);
            return next;
        }
        default: return -1;
    }
}

void OnLogoNotice(HWND menu, HWND logo, UINT code) {
    if (code == CN_CLICKED) {
        // The about window is opened from here once it exists.
        if (App.SecretKeys == kSecretAllKeys) OpenHiddenPicture(menu);
        return;
    }
    if (BlinkWhileHovered(logo, code) == kLitFrame) PlaySwitchedEffect(kLogoSound);
}

void OnExitNotice(HWND menu, HWND exitAnimation, UINT code) {
    if (code == CN_CLICKED) {
        // The goodbye plays to its end, whatever the sound switch says, before the program goes.
        PlayEffectSync(SoundSlot(kSpokenGoodbyeBase));
        EndProgram(menu);
    } else if (ButtonHoverStep(exitAnimation, code)) {
        PlaySwitchedEffect(kSpokenExitHoverBase);
    }
}

void OnHelpNotice(HWND menu, HWND helpButton, UINT code) {
    if (code == CN_CLICKED)
        OpenHelp(menu);
    else if (ButtonHoverStep(helpButton, code))
        PlaySwitchedEffect(kAnimatedHoverSound);
}

void OnButtonClicked(HWND menu, MainMenuState& state, HWND control) {
    if (control == state.soundSwitch) {
        ToggleSounds();
        return;
    }
    PlayClickSound();
    if (control == state.minimiseButton)
        CloseWindow(menu);
    else if (control == state.closeButton)
        EndProgram(menu);
    else if (control == state.playButton)
        GoToPlayScreen(menu);
    else if (control == state.languageButton)
        ShowLanguagePanel(state);
}

void OnMainMenuCommand(HWND menu, HWND control, UINT code) {
    MainMenuState& state = *StateOf(menu);
    if (control == nullptr) return;
    if (control == state.logo) {
        OnLogoNotice(menu, control, code);
    } else if (control == state.decoration) {
        if (code == CN_CLICKED)
            RunAboutProgram();
        else
            BlinkWhileHovered(control, code);
    } else if (control == state.helpButton) {
        OnHelpNotice(menu, control, code);
    } else if (control == state.exitAnimation) {
        OnExitNotice(menu, control, code);
    } else if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    } else if (code == CN_CLICKED) {
        OnButtonClicked(menu, state, control);
    }
}

// --- Keys -------------------------------------------------------------------------------------

void OnKeyDownMainMenu(WPARAM virtualKey) { App.SecretKeys = NextSecretKeys(App.SecretKeys, virtualKey); }

// Enter plays. Escape puts the language panel away; with no panel out it goes back to a game
// in progress, and with none it leaves the program as the close button does.
void OnCharMainMenu(HWND menu, WPARAM character) {
    MainMenuState& state = *StateOf(menu);
    if (character == kCharEnter) {
        GoToPlayScreen(menu);
    } else if (character == kCharEscape) {
        if (state.languagePanel != nullptr && IsWindowVisible(state.languagePanel))
            HideMainMenuPanels();
        else if (App.PlayScreenWindow != nullptr)
            GoToPlayScreen(menu);
        else
            EndProgram(menu);
    }
}

// --- Window procedure -------------------------------------------------------------------------

void OnPaintMainMenu(HWND menu) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(menu, &ps);
    const DibImage& background = StateOf(menu)->background;
    const Point size = background.GetSize();
    DrawBlock(dc, App.MainMenuOrigin.x, App.MainMenuOrigin.y, size.x, size.y, background.GetDib(), 0, 0);
    EndPaint(menu, &ps);
}

// A click on the picture beside the panel puts the panel away.
void OnLeftButtonDownMainMenu() { HideMainMenuPanels(); }

// Closing the main menu (Alt+F4, the system) ends the program as its close button does.
void OnCloseMainMenu(HWND menu) { EndProgram(menu); }

void OnDestroyMainMenu(HWND menu) {
    if (App.MainMenuWindow == menu) App.MainMenuWindow = nullptr;
}

LRESULT CALLBACK MainMenuProc(HWND menu, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(menu) == nullptr) return DefWindowProcA(menu, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateMainMenu(menu);
        case WM_PAINT: OnPaintMainMenu(menu); return 0;
        case WM_KEYDOWN: OnKeyDownMainMenu(wParam); return 0;
        case WM_CHAR: OnCharMainMenu(menu, wParam); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownMainMenu(); return 0;
        case NotifyParentMessage:
            OnMainMenuCommand(menu, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_CLOSE: OnCloseMainMenu(menu); return 0;
        case WM_DESTROY: OnDestroyMainMenu(menu); return 0;
        case WM_NCDESTROY: FreeWindowState<MainMenuState>(menu); return 0;
        default: return DefWindowProcA(menu, message, wParam, lParam);
    }
}

MainMenuState* MenuStateInUse() { return App.MainMenuWindow != nullptr ? StateOf(App.MainMenuWindow) : nullptr; }

}  // namespace

uint32_t NextSecretKeys(uint32_t keys, WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT: return keys | kSecretShiftBit;
        case VK_CONTROL: return keys | kSecretControlBit;
        case 'Q': return keys | kSecretQBit;
        default: return 0;
    }
}

bool RegisterMainMenuClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kMainMenuClass, MainMenuProc, kOwnDcStyle, ClassBackground::Black);
}

HWND CreateMainMenu() {
    HWND menu = CreateWindowExA(0, kMainMenuClass, kMainMenuCaption, kFullScreenStyle, 0, 0, 100, 100, nullptr, nullptr,
                                App.Instance, nullptr);
    App.MainMenuWindow = menu;
    CloseVideoWindow();
    return menu;
}

void RunAboutProgram() {
    const AppString path = ProgramPath(kAboutProgramFile);
    if (!FileExists(path.Text())) return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = App.MainMenuWindow;
    info.lpVerb = "open";
    info.lpFile = path.Text();
    // Shown as a program normally starts: a hidden start would leave the player nothing to see.
    info.nShow = SW_SHOWNORMAL;
    // The program runs on by itself; its process handle is not kept.
    if (ShellExecuteExA(&info) && info.hProcess != nullptr) CloseHandle(info.hProcess);
}

void ShowMainMenuInLanguage() {
    MainMenuState* state = MenuStateInUse();
    if (state == nullptr) return;
    state->playButtonImage.LoadById(kPlayButtonImageBase + App.LanguageIndex);
    GiveImage(state->playButton, state->playButtonImage);
    if (state->playButton != nullptr) InvalidateRect(state->playButton, nullptr, FALSE);
}

void HideMainMenuPanels() {
    MainMenuState* state = MenuStateInUse();
    if (state != nullptr && state->languagePanel != nullptr) ShowWindow(state->languagePanel, SW_HIDE);
}
