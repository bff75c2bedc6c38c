#include "assets/ArtRegistry.h"

void RegisterToolArt(PainterTable& table) { (void)table; }
