// The play screen (CWNDBACK): the full-screen window in which a game is played. It hosts the
// board and its six boxes, the timer window, the tool strip and tools panel, and its own
// controls: the logo, the minimise and close buttons, the two openers, the new-game button and
// six box buttons. Created once; destroying it ends the program.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"
#include "gfx/DibImage.h"
#include "platform/Handles.h"

constexpr char kPlayScreenClass[] = "CWNDBACK";
constexpr char kPlayScreenCaption[] = "Vexla Puzzle";

// Pack images of the play screen's own controls.
constexpr uint32_t kLogoImageId = 409;
constexpr uint32_t kToolsOpenerImageId = 238;
constexpr uint32_t kOptionsOpenerImageId = 239;
constexpr uint32_t kEmptyBoxButtonImageBase = 300;
constexpr uint32_t kFullBoxButtonImageBase = 310;
constexpr int32_t kLogoFrameRows = 2;

// Frames of the logo, which blinks between them while the pointer is over it.
constexpr int32_t kLogoRestFrame = 0;
constexpr int32_t kLogoLitFrame = 1;

// The opening game and every new game are cut with their random shape template repeated over
// a 2 x 2 grid.
constexpr uint32_t kOpeningTemplateRows = 2;
constexpr uint32_t kOpeningTemplateCols = 2;

// The cursor moves this far up when the minimised play screen is activated again, off the
// task bar button that restored it.
constexpr int32_t kRestoreCursorLift = 18;

// Positions of the play screen's controls for a screen of the given size.
Point LogoPosition(int32_t screenWidth);
Point MinimiseButtonPosition(int32_t screenWidth);
Point CloseButtonPosition(int32_t screenWidth);
Point OptionsOpenerPosition(int32_t screenWidth, int32_t screenHeight);
Point ToolsOpenerPosition(int32_t screenHeight);
Point NewGameButtonPosition();
Point SavedGamesButtonPosition();
Point BoxButtonPosition(int32_t box, int32_t screenWidth, int32_t screenHeight);

bool RegisterPlayScreenClass(HINSTANCE instance);
// Shows the play screen again and resumes play, or creates it the first time.
HWND OpenPlayScreen();

// What the play screen holds in the current language: the menu bar of the six box windows
// (which the boxes show but never destroy) and the pictures of the new-game and saved-games
// buttons.
struct PlayScreenLanguageParts {
    MenuHandle boxMenu;
    DibImage newGameButtonImage;
    DibImage savedGamesButtonImage;
};

// Loads the parts for LanguageIndex and hands them out: the menu to the six box windows (the
// old menu is destroyed once no box shows it), the picture to the new-game button; the
// picture magnifier's caption is set too. Windows that do not exist are left out.
void ApplyLanguageTo(PlayScreenLanguageParts& parts);
// The play screen's part of ApplyLanguage, on the play screen's own parts.
void ApplyLanguageToPlayScreen();
// The box windows' menu of the current language (null while there is no play screen).
HMENU BoxMenuInPlay();
// The picture box button `box` shows (null while there is no play screen).
const DibImage* BoxButtonImageInPlay(int32_t box);

// Keys of the play screen: Ctrl+O opens a saved game, Ctrl+S saves the game in play.
constexpr WPARAM kOpenGameKey = 'O' - '@';
constexpr WPARAM kSaveGameKey = 'S' - '@';

// The file menu's choices and the keys: a new game or opening a saved one asks first while
// the game in play has unsaved changes; saving opens the file window in save mode.
void OpenSavedGameFromPlay();
void SaveGameFromPlay();
void NewGameFromPlay();

// The music pauses and the clock stops counting while a window halts the game.
void SuspendPlay();
void ResumePlay();
// The board's completion handler: the player has just put the puzzle together.
void OnPuzzleCompleted();
// The completion goes on once the clip chosen by the picture has ended or been stopped.
void ContinueAfterCompletionClip();

// What the options panel asks: the magnifier hidden if it is shown and shown if hidden; and
// back to the main menu, which halts play, hides the boxes, the magnifier and the play screen
// (the game stays in memory) and shows the menu. The menu's play button comes back through
// OpenPlayScreen, which shows the same game with the boxes and magnifier that were shown.
void ToggleMagnifierInPlay();
void ReturnToMainMenu();

// What the tools panel asks of the game in play. TakeHintInPlay is false once the hints are
// used up.
bool TakeHintInPlay();
void SolvePuzzleInPlay();
void OpenStatisticsFromPlay();
void OpenMusicFromPlay();
void OpenHallOfHonourFromPlay();
