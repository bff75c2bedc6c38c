// Registration of the program's window classes. Every window kind registers its own class
// with a function `bool Register<Kind>Class(HINSTANCE)` (through RegisterWindowKind); start-up
// calls them all, in one fixed order, from the table in WindowClasses.cpp.
#pragma once

#include <windows.h>

// Registers every window class in start-up order. The results are not acted upon: a class
// that fails to register only means its window will not open.
void RegisterWindowClasses(HINSTANCE instance);
