// The stand-in window procedure for control classes whose own behaviour is not written yet.
// It keeps the common contract so owners can already create and configure such a control:
// it stores the enabled flag and the bitmap pointer, answers every other number of the
// control range with 1, ignores the mouse and paints black.
#pragma once

#include <windows.h>

bool RegisterPlaceholderControlClass(HINSTANCE instance, const char* className, UINT style);
