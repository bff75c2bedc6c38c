// AppGlobals: the program-wide plain data that windows of every layer read: the screen and
// board sizes, the language, the program folder, the sound switch and the handles of the
// windows that other windows talk to. There is one instance, `App`, with static storage: it
// is built before WinMain runs (reading the screen size, the board area and the sound switch
// at that moment) and destroyed after WinMain returns.
//
// It holds no objects that own anything and includes no header of the project, so that any
// window may read it without pulling the engine or another window's code along. What a window
// owns (images, menus, devices) lives in that window's own state; the puzzle in play lives in
// board/BoardGlobals.h, the resource pack in gfx/ResourcePackFile.h.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

class AppString;  // engine/AppString.h

// Private messages are numbered from WM_USER + 300; the loop's character offer is WM_USER + 500.
constexpr UINT ChildCharMessage = WM_USER + 500;  // 1524

// Screen layout: the play screen keeps 77 pixels beside and 128 below the board area.
constexpr int32_t kBoardAreaMarginX = 77;
constexpr int32_t kBoardAreaMarginY = 128;
constexpr int32_t kModuleFolderCapacity = 260;
constexpr int32_t kBoxWindowCount = 6;
constexpr int32_t kOptionsButtonSlots = 4;
// The new-puzzle dialog's picture categories: five folders of shipped pictures and the
// player's own pictures.
constexpr int32_t kPictureCategorySlots = 6;

struct AppGlobals {
    AppGlobals();
    AppGlobals(const AppGlobals&) = delete;
    AppGlobals& operator=(const AppGlobals&) = delete;

    HINSTANCE Instance = nullptr;
    uint32_t LanguageIndex = 0;
    // The executable's folder, ending in a backslash once start-up has set it.
    char ModuleFolder[kModuleFolderCapacity] = {};

    int32_t ScreenWidth;
    int32_t ScreenHeight;
    int32_t BoardAreaWidth;
    int32_t BoardAreaHeight;

    uint8_t SoundEffectsOn;
    uint8_t SoundsLoaded = 0;

    HWND MainMenuWindow = nullptr;
    HWND PlayScreenWindow = nullptr;
    HWND VideoWindow = nullptr;
    POINT MainMenuOrigin{0, 0};  // where the main menu's background is drawn
    uint32_t SecretKeys = 0;     // low three bits: Shift, Ctrl and Q seen on the main menu

    // RandomUnit's state and its generator's seed (1 in every run, never reseeded).
    double RandomState = 0.0;
    uint32_t RandomSeed = 1;

    HMIXER MixerHandle = nullptr;  // open while the music window is
    // The volume controls of the speakers and of the wave output that the music window found.
    DWORD MasterVolumeControl = 0;
    DWORD WaveVolumeControl = 0;

    // The play screen's windows: the six box windows, its own controls, the picture
    // magnifier, the tool strip and panel with the hint tool, and the timer window. The
    // images and the menu they show belong to the play screen's own state.
    HWND BoxWindows[kBoxWindowCount] = {};
    HWND BoxButtons[kBoxWindowCount] = {};
    HWND NewGameButton = nullptr;
    HWND SavedGamesButton = nullptr;
    HWND LogoAnimation = nullptr;
    HWND MinimiseButton = nullptr;
    HWND CloseButton = nullptr;
    HWND OptionsOpener = nullptr;
    HWND ToolsOpener = nullptr;
    HWND MagnifierWindow = nullptr;
    HWND ToolStripWindow = nullptr;
    HWND ToolsPanelWindow = nullptr;
    HWND HintTool = nullptr;
    uint8_t ToolsPanelShown = 0;
    // The options bar, its slide-up panel and the panel's four buttons.
    HWND OptionsBarWindow = nullptr;
    HWND OptionsPanelWindow = nullptr;
    HWND OptionsButtons[kOptionsButtonSlots] = {};
    uint8_t OptionsPanelShown = 0;
    HWND TimerWindow = nullptr;

    int32_t BoxBeingRenamed = -1;  // the box whose new name the message window is asking for

    // The new-puzzle dialog's two size pickers while they exist.
    HWND ZoomPickerWindow = nullptr;
    HWND PieceCountPickerWindow = nullptr;

    // The new-puzzle dialog while it is open, and what it remembers from one opening to the
    // next in a run: the page shown, the category, and per category the chosen picture and
    // the picture shown in the first box (indexes into the category's list of names).
    HWND NewPuzzleWindow = nullptr;
    int32_t NewPuzzlePage = 0;
    int32_t PictureCategory = 0;
    int32_t SelectedPicture[kPictureCategorySlots] = {};
    int32_t FirstShownPicture[kPictureCategorySlots] = {};
};

extern AppGlobals App;

// The first line of the last message window with an edit field, copied when it closed; it
// keeps its value until the next such window closes. The box renaming and the hall of honour
// read it in their completion callbacks (include engine/AppString.h to use it).
extern AppString EnteredName;
