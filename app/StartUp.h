// The process from WinMain's first line to its return.
#pragma once

#include <windows.h>

constexpr char kIniFile[] = "Vexla.INI";
constexpr char kIniSection[] = "Vexla";
constexpr char kPackFile[] = "vexla.rf";

// True when the screen has fewer colours than the game needs.
bool DisplayHasTooFewColours();
// Runs the whole program and returns the exit code of its WM_QUIT.
int RunProgram(HINSTANCE instance);
