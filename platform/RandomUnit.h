// RandomUnit: a pseudo-random double in [0, 1) from the system clock and the program's
// generator, whose state lives in AppGlobals.
#pragma once

double RandomUnit();
