// The common shape of the program's window classes: arrow cursor, no icon, no extra bytes,
// and either the stock black brush or none (the window paints everything itself). Each window
// kind registers its class through here; start-up calls them in its fixed order.
#pragma once

#include <windows.h>

// Class styles used by the window kinds.
constexpr UINT kOwnDcStyle = CS_OWNDC;                          // the usual style
constexpr UINT kDoubleClickStyle = CS_DBLCLKS;                  // 8
constexpr UINT kOwnDcDoubleClickStyle = CS_OWNDC | CS_DBLCLKS;  // 40

enum class ClassBackground { None, Black };

bool RegisterWindowKind(HINSTANCE instance,
                        const char* className,
                        WNDPROC procedure,
                        UINT style,
                        ClassBackground background = ClassBackground::None);
