// AppGlobals: the program-wide state that more than one window reads. There is one instance,
// `App`, with static storage: it is built before WinMain runs (reading the screen size, the
// board area and the sound switch at that moment) and destroyed after WinMain returns. Each
// subsystem adds the fields it shares here, and only here.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <cstdint>
#include <memory>

#include "app/AppString.h"
#include "app/RandomUnitCore.h"
#include "app/ResourcePack.h"
#include "app/SoundIds.h"
#include "gfx/DibImage.h"
#include "puzzle/DragImages.h"
#include "puzzle/DropRules.h"
#include "puzzle/PuzzleDocument.h"

// Private messages are numbered from WM_USER + 300; the loop's character offer is WM_USER + 500.
constexpr UINT ChildCharMessage = WM_USER + 500;  // 1524

// Screen layout: the play screen keeps 77 pixels beside and 128 below the board area.
constexpr int32_t kBoardAreaMarginX = 77;
constexpr int32_t kBoardAreaMarginY = 128;
constexpr int32_t kModuleFolderCapacity = 260;
constexpr int32_t kBoxWindowCount = 6;

struct AppGlobals {
    AppGlobals();
    AppGlobals(const AppGlobals&) = delete;
    AppGlobals& operator=(const AppGlobals&) = delete;

    HINSTANCE Instance = nullptr;
    uint32_t LanguageIndex = 0;
    AppString ModuleFolder{kModuleFolderCapacity};  // ends in a backslash once start-up has set it

    int32_t ScreenWidth;
    int32_t ScreenHeight;
    int32_t BoardAreaWidth;
    int32_t BoardAreaHeight;

    uint8_t SoundEffectsOn;
    uint8_t SoundsLoaded = 0;

    HWND MainMenuWindow = nullptr;
    HWND PlayScreenWindow = nullptr;
    HWND VideoWindow = nullptr;

    std::unique_ptr<DibImage> MainMenuBackground;
    Point MainMenuOrigin{0, 0};  // where the main menu's background is drawn
    DibImage MinimiseButtonImage;
    DibImage CloseButtonImage;

    double RandomState = 0.0;
    RandomLcg RandomGenerator;  // seeded with 1 in every run, never reseeded

    ResourcePack Pack;  // vexla.rf, open from start-up to the end of the message loop

    // Effect sounds, one slot per sound (SoundSlotIndex): the located WAVE resource, which
    // belongs to the executable image, or null until located or when it is missing.
    std::array<const void*, kSoundSlotCount> SoundSlots{};
    HMIXER MixerHandle = nullptr;  // open while the music window is

    // What ApplyLanguage reloads. The box windows, the new-game button and the magnifier
    // belong to the play screen; the box menu of the current language is shared by the six
    // box windows and destroyed by the play screen when it closes.
    HMENU BoxMenu = nullptr;
    HWND BoxWindows[kBoxWindowCount] = {};
    HWND NewGameButton = nullptr;
    DibImage NewGameButtonImage;
    HWND MagnifierWindow = nullptr;

    // The play screen's own controls and the images it hands them. The six box-button images
    // exist while the play screen does; box window i loads pack image 300 + i or 310 + i into
    // element i and gives it to box button i.
    HWND LogoAnimation = nullptr;
    HWND MinimiseButton = nullptr;
    HWND CloseButton = nullptr;
    HWND OptionsOpener = nullptr;
    HWND ToolsOpener = nullptr;
    HWND BoxButtons[kBoxWindowCount] = {};
    std::unique_ptr<DibImage[]> BoxButtonImages;
    std::unique_ptr<DibImage> LogoImage;
    std::unique_ptr<DibImage> OptionsOpenerImage;
    std::unique_ptr<DibImage> ToolsOpenerImage;
    MCIDEVICEID MusicDevice = 0;  // the open music device, 0 when none is open

    // The tool strip and the tools panel on the play screen's left edge. The background tile
    // is one picture shared by both windows for the whole run.
    HWND ToolStripWindow = nullptr;
    HWND ToolsPanelWindow = nullptr;
    HWND HintTool = nullptr;
    uint8_t ToolsPanelShown = 0;
    DibImage ToolTile;

    // The timer window and the text it shows.
    HWND TimerWindow = nullptr;
    AppString ElapsedText{"00:00:00"};

    // The one puzzle in play, and what its seven surfaces share: the drag in progress, the
    // images a dragged piece is drawn with (made by each cut for its piece size) and the
    // board texture (pack 114, loaded by the first surface created). CreatingBoard is set
    // while the board window is being made, so that its first WM_SIZE cuts the puzzle.
    PuzzleDocument Puzzle;
    DragSession Drag;
    std::shared_ptr<PieceDragImages> DragImages;
    DibImage BoardTexture;
    uint8_t CreatingBoard = 0;
};

extern AppGlobals App;

// Opens the resource pack at `path` for the rest of the run, and closes it.
void OpenResourcePack(const char* path);
void CloseResourcePack();

// A pseudo-random double in [0, 1) from the system clock and the program's generator.
double RandomUnit();
