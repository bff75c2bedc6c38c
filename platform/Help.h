// The help pages: Help\<language digit>\Index.htm below the program folder, opened in the
// system's browser.
#pragma once

#include <windows.h>

#include "engine/AppString.h"

constexpr UINT kHelpSoundBase = 1090;

// The page of the current language.
AppString HelpPagePath();
// Plays the help sound (whatever the sound switch says) and hands the page to the shell.
// Nothing is reported when the page cannot be opened.
void OpenHelp(HWND owner);
