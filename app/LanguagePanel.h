// The language panel of the main menu (CWNDIDIOMAPRINCIPAL): a small card (pack 1640) with
// the six language names written on it as hot texts. The main menu's language button shows
// and hides it; a click on a name makes that the game's language at once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

constexpr char kLanguagePanelClass[] = "CWNDIDIOMAPRINCIPAL";
constexpr uint32_t kLanguagePanelImageId = 1640;

// The names the panel shows, by language index, in the program's code page.
extern const char* const kLanguageNames[6];
// Where entry i stands on the panel.
Point LanguageEntryPosition(int32_t entry);

bool RegisterLanguagePanelClass(HINSTANCE instance);
// Creates the panel, hidden, as a child of the main menu at `at` (client coordinates).
HWND CreateLanguagePanel(HWND menu, Point at);
