#include "assets/ArtRegistry.h"

void RegisterPlayScreenArt(PainterTable& table) { (void)table; }
