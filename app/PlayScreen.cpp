#include "app/PlayScreen.h"

#include <mmsystem.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/AppGlobals.h"
#include "app/CompletionSequence.h"
#include "app/Language.h"
#include "app/LanguageChangeWindow.h"
#include "app/MainMenu.h"
#include "app/OptionsBar.h"
#include "app/OptionsPanel.h"
#include "app/SharedImages.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "app/VideoWindow.h"
#include "board/BoardGlobals.h"
#include "board/BoxWindow.h"
#include "board/GameClockTimer.h"
#include "board/PictureMagnifier.h"
#include "board/PuzzleSurface.h"
#include "board/SizePickers.h"
#include "board/SurfaceWindows.h"
#include "controls/AnimationControl.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "dialogs/Congratulation.h"
#include "dialogs/FileMenu.h"
#include "dialogs/FileWindow.h"
#include "dialogs/HallOfHonour.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/MusicWindow.h"
#include "dialogs/NewPuzzleDialog.h"
#include "dialogs/StatisticsWindow.h"
#include "dialogs/TimerWindow.h"
#include "engine/CutFirstBoard.h"
#include "engine/Hint.h"
#include "engine/LanguageIds.h"
#include "engine/ScaleRules.h"
#include "engine/Solve.h"
#include "engine/SoundIds.h"
#include "gfx/DibImage.h"
#include "platform/BackgroundMusic.h"
#include "platform/Handles.h"
#include "platform/LanguageText.h"
#include "platform/RandomUnit.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
static_assert(kFullScreenStyle == 0x93400000, "style of the full-screen windows");
constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kControlCreateSize = 50;  // controls size themselves to their pictures

constexpr UINT kShowBoxFlags = SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;

constexpr size_t kPicturePathCapacity = 260;
constexpr UINT_PTR kRaiseOwnedTimerId = 1;
constexpr UINT kRaiseOwnedDelayMs = 10;    // the first look: right after the input that caused it
constexpr UINT kOwnedWatchPeriodMs = 100;  // then while a box or the magnifier is shown

// What the play screen owns: the images its controls show and the box windows' menu. It is
// freed on WM_NCDESTROY, after the controls and boxes that show them are gone.
struct PlayScreenState {
    DibImage logoImage;
    DibImage optionsOpenerImage;
    DibImage toolsOpenerImage;
    std::array<DibImage, kBoxWindowCount> boxButtonImages;
    PlayScreenLanguageParts languageParts;
    // Which of the boxes and the magnifier were shown when the player went back to the main
    // menu: coming back shows them again.
    std::array<bool, kBoxWindowCount> boxShownAtMenu{};
    bool magnifierShownAtMenu = false;
};

PlayScreenState* StateOf(HWND screen) { return WindowStateOf<PlayScreenState>(screen); }

// --- The pieces other windows provide ---------------------------------------------------------
// The dialogs are built by their own windows; the play screen only calls them.

// Opens a random shipped picture and sizes the game on it by the board-creation rule (the
// picture fitted inside a margin, the finest grid), recording the 2 x 2 grid of a random
// shape template.
void OpenRandomShippedPicture() {
    const FirstBoardChoice choice = ChooseFirstBoard(App.ModuleFolder, RandomUnit);
    Board.Puzzle.picture.Open(choice.picturePath.c_str());
    PrepareBoardCreation(Board.Puzzle, Board.Scale, BoardAreaInPlay(), kOpeningTemplateRows, kOpeningTemplateCols,
                         choice.templateId);
}

// Board creation: the magnifier first, so that it is there to show the picture when the board
// cuts the opening game on its first WM_SIZE with the template recorded.
void OpenOpeningGame(HWND screen) {
    OpenRandomShippedPicture();
    CreatePictureMagnifier(screen);
    CreateBoard(screen);
}

// --- Building ---------------------------------------------------------------------------------

HWND CreateControl(HWND screen, const char* className, Point at) {
    return CreateWindowExA(0, className, "", kControlStyle, at.x, at.y, kControlCreateSize, kControlCreateSize, screen,
                           nullptr, App.Instance, nullptr);
}

void SetControlImage(HWND control, const DibImage& image) {
    if (control != nullptr) SendMessageA(control, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image.GetDib()));
}

void CreateOwnControls(HWND screen, PlayScreenState& state) {
    state.logoImage.LoadById(kLogoImageId);
    App.LogoAnimation = CreateControl(screen, kAnimationClass, LogoPosition(App.ScreenWidth));
    if (App.LogoAnimation != nullptr) SendMessageA(App.LogoAnimation, ANM_SETFRAMEROWS, 0, kLogoFrameRows);
    SetControlImage(App.LogoAnimation, state.logoImage);

    App.MinimiseButton = CreateControl(screen, kCommandButtonClass, MinimiseButtonPosition(App.ScreenWidth));
    SetControlImage(App.MinimiseButton, Shared.MinimiseButtonImage);
    App.CloseButton = CreateControl(screen, kCommandButtonClass, CloseButtonPosition(App.ScreenWidth));
    SetControlImage(App.CloseButton, Shared.CloseButtonImage);

    state.optionsOpenerImage.LoadById(kOptionsOpenerImageId);
    App.OptionsOpener =
        CreateControl(screen, kAnimationClass, OptionsOpenerPosition(App.ScreenWidth, App.ScreenHeight));
    SetControlImage(App.OptionsOpener, state.optionsOpenerImage);
    state.toolsOpenerImage.LoadById(kToolsOpenerImageId);
    App.ToolsOpener = CreateControl(screen, kAnimationClass, ToolsOpenerPosition(App.ScreenHeight));
    SetControlImage(App.ToolsOpener, state.toolsOpenerImage);

    App.NewGameButton = CreateControl(screen, kCommandButtonClass, NewGameButtonPosition());
    App.SavedGamesButton = CreateControl(screen, kCommandButtonClass, SavedGamesButtonPosition());
}

void CreateBoxButtons(HWND screen, PlayScreenState& state) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box) {
        DibImage& image = state.boxButtonImages[static_cast<size_t>(box)];
        image.LoadById(kEmptyBoxButtonImageBase + static_cast<uint32_t>(box));
        App.BoxButtons[box] =
            CreateControl(screen, kCommandButtonClass, BoxButtonPosition(box, App.ScreenWidth, App.ScreenHeight));
        SetControlImage(App.BoxButtons[box], image);
    }
}

LRESULT OnCreatePlayScreen(HWND screen) {
    PlayScreenState* state = AttachWindowState<PlayScreenState>(screen);
    if (state == nullptr) return -1;
    App.PlayScreenWindow = screen;
    // The panels first: children made earlier lie above those made later, and the panels
    // slide out over the board, the boxes' buttons and their own bars.
    CreateToolsPanel(screen);
    CreateOptionsPanel(screen);
    CreateToolStrip(screen);
    CreateBoxWindows(screen, nullptr);
    OpenOpeningGame(screen);
    CreateTimerWindow(screen);
    CreateOwnControls(screen, *state);
    ApplyLanguage();
    CreateBoxButtons(screen, *state);
    CreateOptionsBar(screen);
    ShowMagnifier();
    return 0;
}

// --- Owned windows on top ---------------------------------------------------------------------
// Owned windows belong above their owner. Wine raises an owner that a click activates above
// the windows it owns, some time after the activation messages and the click itself (longer
// on a busy machine), and tells the owner nothing. So an activation, or a box shown, starts a
// watch: a timer whose first look comes right after the input (timers come after input) and
// then every kOwnedWatchPeriodMs while a box or the magnifier is shown; each look puts those
// that lie below the play screen back on top.

bool LiesAbove(HWND window, HWND screen) {
    for (HWND above = GetWindow(screen, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV))
        if (above == window) return true;
    return false;
}

bool RaiseIfBelow(HWND window, HWND screen) {
    constexpr UINT kRaiseFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (window == nullptr || !IsWindowVisible(window)) return false;
    if (!LiesAbove(window, screen)) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
    return true;
}

void CheckOwnedWindows(HWND screen) {
    bool shown = false;
    for (HWND box : App.BoxWindows) shown = RaiseIfBelow(box, screen) || shown;
    shown = RaiseIfBelow(App.MagnifierWindow, screen) || shown;
    if (shown)
        SetTimer(screen, kRaiseOwnedTimerId, kOwnedWatchPeriodMs, nullptr);
    else
        KillTimer(screen, kRaiseOwnedTimerId);
}

void WatchOwnedWindows(HWND screen) {
    if (screen != nullptr) SetTimer(screen, kRaiseOwnedTimerId, kRaiseOwnedDelayMs, nullptr);
}

// --- Commands ---------------------------------------------------------------------------------

int32_t BoxButtonIndex(HWND control) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box)
        if (App.BoxButtons[box] == control) return box;
    return -1;
}

int32_t BoxWindowIndex(HWND window) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box)
        if (App.BoxWindows[box] == window) return box;
    return -1;
}

// Box i emptied or filled: its button shows pack image 300 + i or 310 + i.
void OnBoxNotice(HWND screen, int32_t box, UINT code) {
    uint32_t base = 0;
    if (code == static_cast<UINT>(SurfaceNotice::NowEmpty))
        base = kEmptyBoxButtonImageBase;
    else if (code == static_cast<UINT>(SurfaceNotice::NowHoldsPieces))
        base = kFullBoxButtonImageBase;
    else
        return;
    DibImage& image = StateOf(screen)->boxButtonImages[static_cast<size_t>(box)];
    image.LoadById(base + static_cast<uint32_t>(box));
    HWND button = App.BoxButtons[box];
    if (button != nullptr) {
        SetControlImage(button, image);
        InvalidateRect(button, nullptr, FALSE);
    }
}

void ToggleBox(int32_t box) {
    HWND window = App.BoxWindows[box];
    if (window == nullptr) return;
    if (IsWindowVisible(window)) {
        SetWindowPos(window, nullptr, 0, 0, 0, 0, kHideBoxFlags);
    } else {
        SetWindowPos(window, nullptr, 0, 0, 0, 0, kShowBoxFlags);
        SetActiveWindow(window);
        WatchOwnedWindows(App.PlayScreenWindow);
    }
}

// The logo also offers the language: a click opens the language-change window.
void OnLogoNotice(HWND screen, HWND logo, UINT code) {
    switch (code) {
        case CN_CLICKED:
            PlayClickSound();
            OpenLanguageChangeWindow(screen);
            break;
        case CN_ENTER: SendMessageA(logo, ANM_SETRUNNING, 0, 1); break;
        case CN_LEAVE:
            SendMessageA(logo, ANM_SETRUNNING, 0, 0);
            SendMessageA(logo, ANM_SETFRAME, 0, kLogoRestFrame);
            break;
        case CN_TICK: {
            const LRESULT frame = SendMessageA(logo, ANM_GETFRAME, 0, 0);
            SendMessageA(logo, ANM_SETFRAME, 0, frame == kLogoRestFrame ? kLogoLitFrame : kLogoRestFrame);
            break;
        }
        default: break;
    }
}

// --- Saved games ------------------------------------------------------------------------------

void OnFileMenuChoice(FileMenuChoice choice) {
    switch (choice) {
        case FileMenuChoice::NewGame: NewGameFromPlay(); break;
        case FileMenuChoice::OpenGame: OpenSavedGameFromPlay(); break;
        case FileMenuChoice::SaveGame: SaveGameFromPlay(); break;
    }
}

// The menu opens with its first pill over the saved-games button.
void ShowFileMenu(HWND screen) {
    const Point at = SavedGamesButtonPosition();
    POINT corner{at.x, at.y};
    ClientToScreen(screen, &corner);
    OpenFileMenu(screen, Point{corner.x, corner.y}, OnFileMenuChoice);
}

// The loaded game's hints: the hint tool is lit while it still allows some.
void AfterGameLoaded(bool hintsAllowed) {
    if (hintsAllowed)
        EnableHintTool();
    else
        ShowHintToolSpent();
}

// The game in play ends at once; the new-puzzle dialog deals the next one, and cancelling it
// leaves the board empty.
void DealNewGame() {
    ApplyBoardChanges(Board.Puzzle.ClearGame(true));
    EnableHintTool();
    OpenNewPuzzleDialog();
}

void OpenFileWindowToLoad() { OpenFileBrowser(FileBrowserMode::Open, AfterGameLoaded); }

// What waits for the player's answer to "this game has been changed".
void (*ActionAfterQuestion)() = nullptr;

void OnLeaveGameAnswered(bool leave) {
    void (*action)() = std::exchange(ActionAfterQuestion, nullptr);
    if (leave && action != nullptr) action();
}

// Runs `action` at once, or once the player agreed to leave a game with unsaved changes.
void LeaveGameThen(void (*action)()) {
    if (!Board.Puzzle.HasUnsavedChanges()) {
        action();
        return;
    }
    ActionAfterQuestion = action;
    if (AskUser(kGameChangedStringBase, App.PlayScreenWindow, OnLeaveGameAnswered, 0) == nullptr)
        ActionAfterQuestion = nullptr;
}

LRESULT OnPlayScreenChar(WPARAM key) {
    if (key == kOpenGameKey) {
        OpenSavedGameFromPlay();
        return 1;
    }
    if (key == kSaveGameKey) {
        SaveGameFromPlay();
        return 1;
    }
    return 0;
}

void OnControlClicked(HWND screen, HWND control) {
    PlayClickSound();
    if (control == App.MinimiseButton) {
        SuspendPlay();
        CloseWindow(screen);
    } else if (control == App.CloseButton) {
        SendMessageA(screen, WM_CLOSE, 0, 0);
    } else if (control == App.NewGameButton) {
        DealNewGame();
    } else if (control == App.SavedGamesButton) {
        ShowFileMenu(screen);
    } else if (const int32_t box = BoxButtonIndex(control); box >= 0) {
        ToggleBox(box);
    }
}

// The board received pieces (the hover sound, as a control's CN_ENTER has), emptied (nothing)
// or was completed.
void OnBoardNotice(UINT code) {
    if (code == static_cast<UINT>(SurfaceNotice::NowHoldsPieces))
        PlaySwitchedEffect(kHoverSound);
    else if (code == static_cast<UINT>(SurfaceNotice::PuzzleCompleted))
        OnPuzzleCompleted();
}

void OnPlayScreenCommand(HWND screen, HWND control, UINT code) {
    if (control == nullptr) return;
    if (const int32_t box = BoxWindowIndex(control); box >= 0) {
        OnBoxNotice(screen, box, code);
    } else if (control == WindowOfSurface(kBoardSurface)) {
        OnBoardNotice(code);
    } else if (control == App.ToolsOpener) {
        if (code == CN_ENTER) ShowToolsPanel();
    } else if (control == App.OptionsOpener) {
        if (code == CN_ENTER) ShowOptionsPanel();
    } else if (control == App.LogoAnimation) {
        OnLogoNotice(screen, control, code);
    } else if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    } else if (code == CN_CLICKED) {
        OnControlClicked(screen, control);
    }
}

// --- Window procedure -------------------------------------------------------------------------

void OnTimerPlayScreen(HWND screen, WPARAM timer) {
    if (timer == kRaiseOwnedTimerId) CheckOwnedWindows(screen);
}

void OnActivatePlayScreen(HWND screen, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return;
    WatchOwnedWindows(screen);
    ResumePlay();
    if (HIWORD(wParam) != 0) {
        POINT cursor;
        if (GetCursorPos(&cursor)) SetCursorPos(cursor.x, cursor.y - kRestoreCursorLift);
    }
}

// A dialog that disables the play screen disables the boxes and the magnifier with it.
void OnEnablePlayScreen(WPARAM enabled) {
    const BOOL enable = enabled != 0 ? TRUE : FALSE;
    for (HWND box : App.BoxWindows)
        if (box != nullptr) EnableWindow(box, enable);
    if (App.MagnifierWindow != nullptr) EnableWindow(App.MagnifierWindow, enable);
}

void OnPaintPlayScreen(HWND screen) {
    // The class brush is black and the children cover the rest: nothing to draw.
    ValidateRect(screen, nullptr);
}

// The background music ended: it starts again, so it loops.
void OnMusicNotice(HWND screen, WPARAM flags, LPARAM device) {
    if (flags == MCI_NOTIFY_SUCCESSFUL && MusicDevice() != 0 && static_cast<MCIDEVICEID>(device) == MusicDevice())
        RestartMusic(screen);
}

// The images and the box menu stay until WM_NCDESTROY: the controls and boxes showing them are
// destroyed after this message.
void OnDestroyPlayScreen(HWND screen) {
    CloseMusic();
    if (App.PlayScreenWindow == screen) App.PlayScreenWindow = nullptr;
    App.NewGameButton = App.SavedGamesButton = nullptr;
    App.LogoAnimation = App.MinimiseButton = App.CloseButton = App.OptionsOpener = App.ToolsOpener = nullptr;
    for (HWND& button : App.BoxButtons) button = nullptr;
    PostQuitMessage(0);
}

LRESULT CALLBACK PlayScreenProc(HWND screen, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(screen) == nullptr) return DefWindowProcA(screen, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreatePlayScreen(screen);
        case WM_ACTIVATE: OnActivatePlayScreen(screen, wParam); return 0;
        case WM_ENABLE: OnEnablePlayScreen(wParam); return 0;
        case WM_TIMER: OnTimerPlayScreen(screen, wParam); return 0;
        case WM_PAINT: OnPaintPlayScreen(screen); return 0;
        case WM_CLOSE: DestroyWindow(screen); return 0;
        case MM_MCINOTIFY: OnMusicNotice(screen, wParam, lParam); return 0;
        case WM_CHAR:
        case ChildCharMessage: return OnPlayScreenChar(wParam);
        case NotifyParentMessage:
            OnPlayScreenCommand(screen, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_DESTROY: OnDestroyPlayScreen(screen); return 0;
        case WM_NCDESTROY: FreeWindowState<PlayScreenState>(screen); return 0;
        default: return DefWindowProcA(screen, message, wParam, lParam);
    }
}

// Going back to the main menu hides the boxes and the magnifier that are shown and remembers
// them; coming back shows them again.
void HideWindowsForMenu(PlayScreenState& state) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box) {
        HWND window = App.BoxWindows[box];
        const bool shown = window != nullptr && IsWindowVisible(window);
        state.boxShownAtMenu[static_cast<size_t>(box)] = shown;
        if (shown) SetWindowPos(window, nullptr, 0, 0, 0, 0, kHideBoxFlags);
    }
    state.magnifierShownAtMenu = App.MagnifierWindow != nullptr && IsWindowVisible(App.MagnifierWindow);
    HideMagnifier();
}

void ShowWindowsHiddenAtMenu(PlayScreenState& state) {
    bool any = false;
    for (int32_t box = 0; box < kBoxWindowCount; ++box) {
        const bool shown = std::exchange(state.boxShownAtMenu[static_cast<size_t>(box)], false);
        if (shown && App.BoxWindows[box] != nullptr) {
            SetWindowPos(App.BoxWindows[box], nullptr, 0, 0, 0, 0, kShowBoxFlags);
            any = true;
        }
    }
    if (std::exchange(state.magnifierShownAtMenu, false)) {
        ShowMagnifier();
        any = true;
    }
    if (any) WatchOwnedWindows(App.PlayScreenWindow);
}

}  // namespace

Point LogoPosition(int32_t screenWidth) { return Point{screenWidth / 2 - 83, 23}; }
Point MinimiseButtonPosition(int32_t screenWidth) { return Point{screenWidth - 60, 0}; }
Point CloseButtonPosition(int32_t screenWidth) { return Point{screenWidth - 32, 0}; }
Point OptionsOpenerPosition(int32_t screenWidth, int32_t screenHeight) {
    return Point{(screenWidth - 117) / 2, screenHeight - 50};
}
Point ToolsOpenerPosition(int32_t screenHeight) { return Point{17, (screenHeight - 117) / 2}; }
Point NewGameButtonPosition() { return Point{23, 23}; }
Point SavedGamesButtonPosition() { return Point{187, 23}; }
Point BoxButtonPosition(int32_t box, int32_t screenWidth, int32_t screenHeight) {
    return Point{screenWidth - 29, screenHeight / 2 - 192 + 64 * box};
}

bool RegisterPlayScreenClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kPlayScreenClass, PlayScreenProc, kOwnDcStyle, ClassBackground::Black);
}

HWND OpenPlayScreen() {
    if (HWND screen = App.PlayScreenWindow; screen != nullptr) {
        ShowWindow(screen, SW_SHOW);
        ShowWindowsHiddenAtMenu(*StateOf(screen));
        ResumePlay();
        return screen;
    }
    return CreateWindowExA(0, kPlayScreenClass, kPlayScreenCaption, kFullScreenStyle, 0, 0, 100, 100, nullptr, nullptr,
                           App.Instance, nullptr);
}

void SuspendPlay() {
    PauseMusic();
    PauseClock();
}

void ResumePlay() {
    ResumeClock();
    ResumeMusic(App.PlayScreenWindow);
}

void ApplyLanguageTo(PlayScreenLanguageParts& parts) {
    // The old menu is destroyed only once every box shows the new one.
    MenuHandle menu(LoadMenuA(App.Instance, MAKEINTRESOURCEA(kBoxMenuBase + App.LanguageIndex)));
    for (HWND box : App.BoxWindows)
        if (box != nullptr) SetMenu(box, menu.get());
    parts.boxMenu = std::move(menu);

    parts.newGameButtonImage.LoadById(kNewGameButtonImageBase + App.LanguageIndex);
    SetControlImage(App.NewGameButton, parts.newGameButtonImage);
    parts.savedGamesButtonImage.LoadById(kSavedGamesButtonImageBase + App.LanguageIndex);
    SetControlImage(App.SavedGamesButton, parts.savedGamesButtonImage);

    char caption[kPreviewCaptionCapacity];
    LoadLanguageString(kPreviewStringBase, caption, kPreviewCaptionCapacity);
    if (App.MagnifierWindow != nullptr) SetWindowTextA(App.MagnifierWindow, caption);
}

namespace {

PlayScreenState* PlayScreenStateInPlay() {
    return App.PlayScreenWindow != nullptr ? StateOf(App.PlayScreenWindow) : nullptr;
}

}  // namespace

void ApplyLanguageToPlayScreen() {
    if (PlayScreenState* state = PlayScreenStateInPlay()) ApplyLanguageTo(state->languageParts);
}

HMENU BoxMenuInPlay() {
    const PlayScreenState* state = PlayScreenStateInPlay();
    return state != nullptr ? state->languageParts.boxMenu.get() : nullptr;
}

const DibImage* BoxButtonImageInPlay(int32_t box) {
    const PlayScreenState* state = PlayScreenStateInPlay();
    if (state == nullptr || box < 0 || box >= kBoxWindowCount) return nullptr;
    return &state->boxButtonImages[static_cast<size_t>(box)];
}

void OnPuzzleCompleted() {
    EnableHintTool();
    char path[kPicturePathCapacity] = "";
    Board.Puzzle.picture.GetName(path, sizeof path);
    SuspendPlay();
    // A picture on the program's drive whose extension begins with "v" names its own clip:
    // the extension's three letters, in Video\.
    const size_t length = std::strlen(path);
    if (length >= 3 && path[0] == App.ModuleFolder[0] && path[length - 3] == 'v' && PlayVideo(path + length - 3))
        return;
    // Any other picture gets the congratulation window, and its end the wallpaper question.
    OpenCongratulation(App.PlayScreenWindow, AskWallpaperQuestion);
}

void ContinueAfterCompletionClip() { AskWallpaperQuestion(); }

bool TakeHintInPlay() {
    const HintResult hint = TakeHint(Board.Puzzle);
    ApplyBoardChanges(hint.changes);
    return hint.moreAllowed;
}

void ToggleMagnifierInPlay() {
    if (App.MagnifierWindow != nullptr && IsWindowVisible(App.MagnifierWindow)) {
        HideMagnifier();
    } else {
        ShowMagnifier();
        WatchOwnedWindows(App.PlayScreenWindow);
    }
}

void ReturnToMainMenu() {
    HWND screen = App.PlayScreenWindow;
    PlayScreenState* state = PlayScreenStateInPlay();
    if (state == nullptr) return;
    SuspendPlay();
    HideOptionsPanel();
    HideWindowsForMenu(*state);
    if (CreateMainMenu() == nullptr) {
        // No menu to go to: the game stays in front rather than leaving nothing on screen.
        ShowWindowsHiddenAtMenu(*state);
        ResumePlay();
        return;
    }
    KillTimer(screen, kRaiseOwnedTimerId);
    ShowWindow(screen, SW_HIDE);
}
void OpenSavedGameFromPlay() { LeaveGameThen(OpenFileWindowToLoad); }
void SaveGameFromPlay() { OpenFileBrowser(FileBrowserMode::Save, nullptr); }
void NewGameFromPlay() { LeaveGameThen(DealNewGame); }

void SolvePuzzleInPlay() { ApplyBoardChanges(SolvePuzzle(Board.Puzzle)); }
void OpenStatisticsFromPlay() { OpenStatistics(); }
void OpenMusicFromPlay() { OpenMusicWindow(); }
void OpenHallOfHonourFromPlay() { OpenHallOfHonour(); }
