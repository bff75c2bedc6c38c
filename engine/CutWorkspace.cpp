// The cut's kept work buffers; see CutWorkspace.h.
#include "engine/CutWorkspace.h"

void CutWorkspace::Release() { *this = CutWorkspace{}; }
