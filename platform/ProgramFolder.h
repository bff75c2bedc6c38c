// Files beside the program: every data file is opened through the executable's folder
// (App.ModuleFolder), never through the current directory.
#pragma once

#include <windows.h>

#include "engine/AppString.h"

// Fills App.ModuleFolder from the module's path: the folder with its final backslash.
void FillModuleFolder(HINSTANCE instance);

// The program's own file, or an empty text when its path does not fit.
AppString ProgramFile();

// App.ModuleFolder followed by `relative`.
AppString ProgramPath(const char* relative);
