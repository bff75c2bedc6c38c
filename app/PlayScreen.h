// The play screen (CWNDBACK): the full-screen window in which a game is played. It hosts the
// board and its six boxes, the timer window, the tool strip and tools panel, and its own
// controls: the logo, the minimise and close buttons, the two openers, the new-game button and
// six box buttons. Created once; destroying it ends the program.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/AppString.h"
#include "gfx/Geometry.h"

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

// The opening game: a random shipped picture (foto0.bmp to foto5.bmp) cut with a random shape
// template (3000 to 3005) repeated over a 2 x 2 grid.
constexpr int32_t kShippedOpeningPictures = 6;
constexpr uint32_t kFirstShapeTemplateId = 3000;
constexpr int32_t kShapeTemplateCount = 6;
constexpr uint32_t kOpeningTemplateRows = 2;
constexpr uint32_t kOpeningTemplateCols = 2;

// The cursor moves this far up when the minimised play screen is activated again, off the
// task bar button that restored it.
constexpr int32_t kRestoreCursorLift = 18;

// Control identifier of the board surface (100 + surface 6).
constexpr int32_t kBoardControlId = 106;

// Positions of the play screen's controls for a screen of the given size.
Point LogoPosition(int32_t screenWidth);
Point MinimiseButtonPosition(int32_t screenWidth);
Point CloseButtonPosition(int32_t screenWidth);
Point OptionsOpenerPosition(int32_t screenWidth, int32_t screenHeight);
Point ToolsOpenerPosition(int32_t screenHeight);
Point NewGameButtonPosition();
Point BoxButtonPosition(int32_t box, int32_t screenWidth, int32_t screenHeight);

// The opening picture's path for a draw in [0, 1): ModuleFolder + "Image\foto<d>.bmp" with
// d = trunc(draw x 6). The template identifier for a second draw: 3000 + trunc(6 x draw).
AppString OpeningPicturePath(const AppString& moduleFolder, double draw);
uint32_t OpeningTemplateId(double draw);

bool RegisterPlayScreenClass(HINSTANCE instance);
// Shows the play screen again and resumes play, or creates it the first time.
HWND OpenPlayScreen();

// The music pauses and the clock stops counting while a window halts the game.
void SuspendPlay();
void ResumePlay();
// The board's completion handler: the player has just put the puzzle together.
void OnPuzzleCompleted();

// What the tools panel asks of the game in play. TakeHintInPlay is false once the hints are
// used up.
bool TakeHintInPlay();
void SolvePuzzleInPlay();
void OpenStatisticsFromPlay();
void OpenMusicFromPlay();
void OpenHallOfHonourFromPlay();
