// The entry point. Everything it does lives in RunProgram, where the tests can reach it.
#include <windows.h>

#include "app/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunProgram(instance); }
