// Registration of the program's window classes. Every window kind registers its own class
// with a function `bool Register<Kind>Class(HINSTANCE)`; start-up calls them all, in one
// fixed order, from the table in WindowClasses.cpp.
#pragma once

#include <windows.h>

// Class styles used by the window kinds.
constexpr UINT kOwnDcStyle = CS_OWNDC;                        // the usual style
constexpr UINT kDoubleClickStyle = CS_DBLCLKS;                // 8
constexpr UINT kOwnDcDoubleClickStyle = CS_OWNDC | CS_DBLCLKS;  // 40

// The common shape of our classes: arrow cursor, no icon, no extra bytes. `blackBackground`
// gives the stock black brush; otherwise the window paints everything itself.
bool RegisterWindowKind(HINSTANCE instance, const char* className, WNDPROC procedure, UINT style,
                        bool blackBackground);

// Registers every window class in start-up order. The results are not acted upon: a class
// that fails to register only means its window will not open.
void RegisterWindowClasses(HINSTANCE instance);
