// Registration of the six custom control classes, once, by start-up.
#pragma once

#include <windows.h>

// Registers CQVCOMMAND, CQVCHECK, CQVSLIDE, CQVSROLL, CQVANIM and CQVTXT in this order with
// RegisterClassA; false at the first class that fails (the later ones are not tried), true
// when all six succeed.
bool RegisterControlClasses(HINSTANCE instance);
