// Turning the executable's full path into the folder every data file is opened from.
#pragma once

#include "engine/AppString.h"

// Cuts `path` just after its last backslash when that backslash stands at a position from 1
// to 259 and recounts its length; otherwise (no backslash, or only one at the very start)
// the path stays whole. `path` holds text written into its buffer by the system.
void TrimToFolder(AppString& path);
