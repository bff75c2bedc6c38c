// The language-change window (CWNDCAMBIDIOMA): a small board (pack 1641) with six flag buttons
// (packs 2000 to 2005) that the play screen opens from its logo. A click on a button makes
// that language the game's at once and closes the window. It can be dragged by its board;
// its owner is disabled while it is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

constexpr char kLanguageChangeClass[] = "CWNDCAMBIDIOMA";
constexpr uint32_t kLanguageChangeImageId = 1641;
constexpr uint32_t kLanguageButtonImageBase = 2000;

// Where button i stands on the window.
Point LanguageChangeButtonPosition(int32_t button);

bool RegisterLanguageChangeClass(HINSTANCE instance);
// Opens the window centred on the screen over `owner`, which is disabled until it closes. Null
// (and the owner enabled again) when the window cannot be made.
HWND OpenLanguageChangeWindow(HWND owner);
