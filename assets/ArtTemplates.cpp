#include "assets/ArtRegistry.h"

void RegisterTemplateArt(PainterTable& table) { (void)table; }
