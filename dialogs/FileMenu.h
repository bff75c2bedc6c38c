// The file menu (CWNDMNUARCH): a small pop-up with three pills, new game, open game and save
// game, that opens over the play screen's new-game button and closes itself as soon as it
// loses the activation (a click anywhere else, a key that switches windows).
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

constexpr char kFileMenuClass[] = "CWNDMNUARCH";
constexpr uint32_t kFileMenuBackgroundId = 1500;

enum class FileMenuChoice : int32_t { NewGame = 0, OpenGame = 1, SaveGame = 2 };
constexpr int32_t kFileMenuChoiceCount = 3;

// Where the pills stand in the menu (the first one's top-left: the menu is placed so that
// it covers the button that opened it).
constexpr Point kFileMenuButtonPositions[kFileMenuChoiceCount] = {{5, 11}, {6, 51}, {6, 90}};

// The pill images of a choice in a language (Portuguese shows the Spanish open and save pills).
uint32_t FileMenuImageId(FileMenuChoice choice, uint32_t language);

bool RegisterFileMenuClass(HINSTANCE instance);

// What the owner does with the player's choice; called once the menu is gone.
using FileMenuHandler = void (*)(FileMenuChoice choice);

// Opens the menu, owned by `owner`, with its first pill's top-left at `firstButton` (screen
// coordinates). Null when it cannot be made.
HWND OpenFileMenu(HWND owner, Point firstButton, FileMenuHandler handler);
// The open file menu, or null.
HWND FileMenuInPlay();
// The pill of a choice in an open menu (tests click it), or null.
HWND FileMenuButton(HWND menu, FileMenuChoice choice);
