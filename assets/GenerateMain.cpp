// vexla_artgen: draws every bitmap the manifest lists, checks each against its manifest
// line (size, depth, frame layout) and writes the resource pack and a contact sheet.
//
//   vexla_artgen <manifest.txt> <out vexla.rf> [<out contact-sheet.png> [<folder for one PNG per bitmap>]]
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/ContactSheet.h"
#include "assets/Manifest.h"
#include "tools/PackWriter.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s manifest.txt vexla.rf [pack.png [png folder]]\n", argv[0]);
        return 2;
    }
    Manifest manifest;
    std::string error;
    if (!LoadManifest(argv[1], manifest, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    PainterTable painters;
    RegisterMainMenuArt(painters);
    RegisterPlayScreenArt(painters);
    RegisterToolArt(painters);
    RegisterTemplateArt(painters);
    RegisterDialogArt(painters);
    RegisterFileMenuArt(painters);
    RegisterFileWindowArt(painters);
    RegisterOptionsArt(painters);
    RegisterMusicArt(painters);
    RegisterNewPuzzleArt(painters);
    RegisterNewPuzzlePagesArt(painters);

    PackWriter pack;
    std::vector<std::pair<uint32_t, Bitmap>> sheet;
    int failures = 0;
    for (const ManifestEntry& e : manifest.entries) {
        std::string why;
        if (!LayoutFits(e, why)) {
            std::fprintf(stderr, "bitmap %u: %s\n", e.id, why.c_str());
            ++failures;
            continue;
        }
        auto it = painters.find(e.id);
        if (it == painters.end()) {
            std::fprintf(stderr, "bitmap %u: no painter draws it\n", e.id);
            ++failures;
            continue;
        }
        Bitmap bmp = it->second(e);
        if (bmp.width != e.width || bmp.height != e.height || bmp.bits != e.bits) {
            std::fprintf(stderr, "bitmap %u: painted %dx%d %d bits, manifest says %dx%d %d bits\n", e.id, bmp.width,
                         bmp.height, bmp.bits, e.width, e.height, e.bits);
            ++failures;
            continue;
        }
        if (bmp.bits == 8)
            pack.AddImage8(e.id, bmp.width, bmp.height, bmp.palette, bmp.pixels.data(), bmp.Stride());
        else
            pack.AddImage24(e.id, bmp.width, bmp.height, bmp.pixels.data(), bmp.Stride());
        sheet.emplace_back(e.id, std::move(bmp));
    }
    for (const auto& [id, painter] : painters)
        if (!manifest.Find(id)) std::fprintf(stderr, "note: painter for %u is not in the manifest\n", id);
    if (failures) return 1;
    if (!pack.WriteTo(argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("wrote %zu bitmaps to %s\n", pack.Count(), argv[2]);
    if (argc > 3 && !WriteContactSheet(sheet, argv[3])) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    // For review at full size: every bitmap as <id>.png.
    if (argc > 4) {
        for (const auto& [id, bmp] : sheet) {
            cairo_surface_t* s = art::SurfaceFromBitmap(bmp);
            std::string file = std::string(argv[4]) + "/" + std::to_string(id) + ".png";
            bool ok = cairo_surface_write_to_png(s, file.c_str()) == CAIRO_STATUS_SUCCESS;
            cairo_surface_destroy(s);
            if (!ok) {
                std::fprintf(stderr, "cannot write %s\n", file.c_str());
                return 1;
            }
        }
    }
    return 0;
}
