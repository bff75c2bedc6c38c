// The process from WinMain's first line to its return.
#pragma once

#include <windows.h>

constexpr char kIniFile[] = "Vexla.INI";
constexpr char kIniSection[] = "Vexla";
constexpr char kPackFile[] = "vexla.rf";
constexpr UINT kMinimiseButtonImageId = 112;
constexpr UINT kCloseButtonImageId = 103;

// True when the screen has fewer colours than the game needs.
bool DisplayHasTooFewColours();
// Fills App.ModuleFolder from the executable's path.
void FillModuleFolder();
// Runs the whole program and returns the exit code of its WM_QUIT.
int RunProgram(HINSTANCE instance);
