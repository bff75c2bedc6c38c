// The common shape of the program's window classes: the arrow cursor (or a cursor of the
// kind's own), no icon, no extra bytes, and either the stock black brush or none (the window
// paints everything itself). Each window kind registers its class through here; start-up
// calls them in its fixed order.
#pragma once

#include <windows.h>

// Class styles used by the window kinds.
constexpr UINT kOwnDcStyle = CS_OWNDC;                          // the usual style
constexpr UINT kDoubleClickStyle = CS_DBLCLKS;                  // 8
constexpr UINT kOwnDcDoubleClickStyle = CS_OWNDC | CS_DBLCLKS;  // 40

enum class ClassBackground { None, Black };

// Without a cursor the class gets the arrow.
bool RegisterWindowKind(HINSTANCE instance,
                        const char* className,
                        WNDPROC procedure,
                        UINT style,
                        ClassBackground background = ClassBackground::None,
                        HCURSOR cursor = nullptr);

// The executable's cursor resource `id`, or the arrow when the executable has none.
HCURSOR LoadResourceCursor(HINSTANCE instance, int id);
