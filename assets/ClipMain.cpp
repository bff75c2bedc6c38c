// vexla_clipgen: renders the game's clips frame by frame for make_clip.sh, which adds the
// sound track and encodes them.
//
//   vexla_clipgen intro|congratulation describe   prints "width height fps frames"
//   vexla_clipgen intro|congratulation events     prints one "seconds sound" line per sound
//   vexla_clipgen intro|congratulation frames     writes the frames to stdout as raw RGB24
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/ClipScene.h"

namespace {

using DrawFn = void (*)(cairo_t*, double);

bool WriteFrames(const art::ClipFormat& format, DrawFn draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, format.width, format.height);
    cairo_t* cr = cairo_create(surface);
    std::vector<unsigned char> rgb(static_cast<size_t>(format.width) * format.height * 3);
    bool ok = true;
    for (int f = 0; f < format.frames && ok; ++f) {
        cairo_save(cr);
        draw(cr, double(f) / format.fps);
        cairo_restore(cr);
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < format.height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
            unsigned char* out = rgb.data() + static_cast<size_t>(y) * format.width * 3;
            for (int x = 0; x < format.width; ++x) {
                out[x * 3 + 0] = static_cast<unsigned char>(row[x] >> 16);
                out[x * 3 + 1] = static_cast<unsigned char>(row[x] >> 8);
                out[x * 3 + 2] = static_cast<unsigned char>(row[x]);
            }
        }
        ok = std::fwrite(rgb.data(), 1, rgb.size(), stdout) == rgb.size();
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return ok && std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s intro|congratulation describe|events|frames\n", argv[0]);
        return 2;
    }
    const std::string clip = argv[1], what = argv[2];
    art::ClipFormat format;
    DrawFn draw;
    if (clip == "intro") {
        format = art::IntroClip();
        draw = art::DrawIntro;
    } else if (clip == "congratulation") {
        format = art::CongratulationClip();
        draw = art::DrawCongratulation;
    } else {
        std::fprintf(stderr, "unknown clip %s\n", argv[1]);
        return 2;
    }
    if (what == "describe") {
        std::printf("%d %d %d %d\n", format.width, format.height, format.fps, format.frames);
        return 0;
    }
    if (what == "events") {
        for (const art::ClipEvent& e : format.events) std::printf("%.3f %s\n", e.seconds, e.sound.c_str());
        return 0;
    }
    if (what == "frames") return WriteFrames(format, draw) ? 0 : 1;
    std::fprintf(stderr, "unknown request %s\n", argv[2]);
    return 2;
}
