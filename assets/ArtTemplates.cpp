// The six shape templates, one per tab family, as 8-bit label maps.
#include "assets/ArtRegistry.h"
#include "assets/ShapeTemplates.h"

void RegisterTemplateArt(PainterTable& table) {
    for (int family = 0; family < kTemplateFamilies; ++family) {
        table[kFirstTemplateId + static_cast<uint32_t>(family)] = [family](const ManifestEntry&) {
            Bitmap bmp;
            bmp.width = bmp.height = kTemplateSide;
            bmp.bits = 8;
            bmp.pixels = MakeShapeTemplate(family);
            bmp.palette = TemplatePalette();
            return bmp;
        };
    }
}
