#include "board/BoardGlobals.h"

BoardGlobals Board;
