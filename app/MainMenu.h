// The main menu: the full-screen window of class CWNDPRINC that shows the menu picture
// (pack 111) in the middle of a black screen.
#pragma once

#include <windows.h>

constexpr UINT kMainMenuBackgroundId = 111;

bool RegisterMainMenuClass(HINSTANCE instance);
// Loads the background, creates the window into App.MainMenuWindow and closes the video
// window if one is still open.
HWND CreateMainMenu();
