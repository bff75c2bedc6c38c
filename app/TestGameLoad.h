// A test's way into a prepared game until the file menu can open saved games: when the
// environment variable VEXLA_TEST_GAME names a puzzle file, the play screen loads it through
// the game's own loader right after dealing the opening game. Nothing happens without it.
#pragma once

#include <windows.h>

// The play screen posts this to itself at the end of its creation when a test game is asked for.
constexpr UINT kLoadTestGameMessage = WM_USER + 310;

// Whether VEXLA_TEST_GAME is set.
bool TestGameAsked();
// Loads the file VEXLA_TEST_GAME names into the game in play; a refused file changes nothing.
void LoadTestGame();
