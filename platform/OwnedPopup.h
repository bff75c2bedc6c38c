// Closing a pop-up that kept its owner disabled while it was open.
#pragma once

#include <windows.h>

// Enables `owner` (when there is one) and brings it to the front before `popup` is destroyed:
// a disabled window cannot take the activation, which would otherwise go to whichever window
// happens to be next.
void CloseGivingOwnerBack(HWND popup, HWND owner);
