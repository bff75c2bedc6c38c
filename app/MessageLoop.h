// The program's one message loop.
#pragma once

#include <windows.h>

// Runs until WM_QUIT and returns its wParam. A WM_CHAR aimed at a child window is first
// offered to the child's parent as ChildCharMessage (a non-zero answer consumes it), and after
// every message the pending paints are drained, so painting never waits behind input.
WPARAM RunMessageLoop();
