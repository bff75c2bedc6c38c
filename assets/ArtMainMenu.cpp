// Main menu art: the background card and the window buttons that the main menu and the
// play screen share (close and minimise).
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/Shapes.h"

using namespace art;

namespace {

// Where the main menu puts its children on the background (offsets from its top-left).
constexpr int kMenuW = 392, kMenuH = 440;
constexpr int kFrameBorder = 16;

// A little landscape: sky, sun, hills and a lake, drawn into (x, y, w, h).
void Landscape(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, y, 0, y + h * 0.6);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.62, 0.82);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.86, 0.62);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // Sun with a halo.
    double sx = x + w * 0.72, sy = y + h * 0.3;
    cairo_pattern_t* halo = cairo_pattern_create_radial(sx, sy, 4, sx, sy, h * 0.4);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.95, 0.7, 0.9);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.9, 0.6, 0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
    cairo_arc(cr, sx, sy, h * 0.09, 0, 2 * M_PI);
    SetColour(cr, Lighter(kGold, 0.3));
    cairo_fill(cr);
    // Far hills.
    cairo_move_to(cr, x, y + h * 0.55);
    cairo_curve_to(cr, x + w * 0.2, y + h * 0.38, x + w * 0.35, y + h * 0.42, x + w * 0.5, y + h * 0.5);
    cairo_curve_to(cr, x + w * 0.65, y + h * 0.58, x + w * 0.8, y + h * 0.4, x + w, y + h * 0.48);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, Mix(kTeal, Hex(0x8fb3a8), 0.55));
    cairo_fill(cr);
    // Near hill.
    cairo_move_to(cr, x, y + h * 0.7);
    cairo_curve_to(cr, x + w * 0.3, y + h * 0.5, x + w * 0.55, y + h * 0.62, x + w, y + h * 0.66);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, y + h * 0.5, 0, y + h);
    cairo_pattern_add_color_stop_rgb(grass, 0, 0.52, 0.68, 0.3);
    cairo_pattern_add_color_stop_rgb(grass, 1, 0.3, 0.48, 0.2);
    cairo_set_source(cr, grass);
    cairo_fill(cr);
    cairo_pattern_destroy(grass);
    // Lake.
    cairo_save(cr);
    cairo_translate(cr, x + w * 0.3, y + h * 0.86);
    cairo_scale(cr, w * 0.26, h * 0.08);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* lake = cairo_pattern_create_linear(0, y + h * 0.78, 0, y + h * 0.94);
    cairo_pattern_add_color_stop_rgb(lake, 0, 0.55, 0.78, 0.9);
    cairo_pattern_add_color_stop_rgb(lake, 1, 0.2, 0.5, 0.62);
    cairo_set_source(cr, lake);
    cairo_fill(cr);
    cairo_pattern_destroy(lake);
    // A tree.
    double tx = x + w * 0.16, ty = y + h * 0.58;
    cairo_rectangle(cr, tx - 1.5, ty, 3, h * 0.12);
    SetColour(cr, kWalnut);
    cairo_fill(cr);
    cairo_arc(cr, tx, ty - 2, h * 0.09, 0, 2 * M_PI);
    SetColour(cr, Hex(0x3f7a3a));
    cairo_fill(cr);
    cairo_arc(cr, tx - 2, ty - 5, h * 0.045, 0, 2 * M_PI);
    SetColour(cr, Hex(0x6aa352), 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The picture of a jigsaw in progress on the menu card: a landscape cut into 4 x 3
// pieces with two pieces lifted out and lying beside the puzzle.
void PuzzleInProgress(cairo_t* cr, double x, double y, double cell) {
    const int cols = 4, rows = 3;
    double w = cols * cell, h = rows * cell;
    auto edgesOf = [&](int r, int c, int e[4]) {
        auto h_ = [&](int rr, int cc) { return ((rr * 7 + cc * 3) % 2) ? 1 : -1; };  // edge below (rr, cc)
        auto v_ = [&](int rr, int cc) { return ((rr * 5 + cc * 11) % 2) ? 1 : -1; };  // edge right of (rr, cc)
        e[0] = r == 0 ? 0 : -h_(r - 1, c);
        e[1] = c == cols - 1 ? 0 : v_(r, c);
        e[2] = r == rows - 1 ? 0 : h_(r, c);
        e[3] = c == 0 ? 0 : -v_(r, c - 1);
    };
    // Shadow of the whole puzzle and the felt under it.
    DropShadow(cr, x, y, w, h, 3, 3, 0.5);
    RoundedRect(cr, x - 1, y - 1, w + 2, h + 2, 2);
    SetColour(cr, Darker(kTeal, 0.45));
    cairo_fill(cr);
    const int missing[2][2] = {{1, 1}, {2, 3}};
    auto isMissing = [&](int r, int c) {
        return (r == missing[0][0] && c == missing[0][1]) || (r == missing[1][0] && c == missing[1][1]);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (isMissing(r, c)) continue;
            int e[4];
            edgesOf(r, c, e);
            cairo_save(cr);
            JigsawPiecePath(cr, x + c * cell, y + r * cell, cell, e);
            cairo_clip_preserve(cr);
            Landscape(cr, x, y, w, h);
            cairo_set_line_width(cr, 1.2);
            cairo_set_source_rgba(cr, 0.1, 0.07, 0.05, 0.55);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    // Lifted pieces lie beside the puzzle, turned a little.
    const double place[2][3] = {{x - cell * 1.05, y + h * 0.55, -0.35}, {x + w + cell * 0.1, y + h * 0.05, 0.28}};
    for (int k = 0; k < 2; ++k) {
        int r = missing[k][0], c = missing[k][1];
        int e[4];
        edgesOf(r, c, e);
        cairo_save(cr);
        cairo_translate(cr, place[k][0] + cell / 2, place[k][1] + cell / 2);
        cairo_rotate(cr, place[k][2]);
        cairo_translate(cr, -cell / 2 - c * cell, -cell / 2 - r * cell);
        // Shadow.
        cairo_save(cr);
        cairo_translate(cr, 2.5, 3.5);
        JigsawPiecePath(cr, c * cell, r * cell, cell, e);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_fill(cr);
        cairo_restore(cr);
        JigsawPiecePath(cr, c * cell, r * cell, cell, e);
        cairo_clip_preserve(cr);
        Landscape(cr, 0, 0, w, h);
        cairo_set_line_width(cr, 2);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 0.1, 0.07, 0.05, 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

Bitmap PaintMenuBackground() {
    Canvas canvas(kMenuW, kMenuH);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kMenuW, kMenuH, 26, kFrameBorder, 1111);

    // A dark tray in the top-right corner receives the sound switch and the window buttons.
    RoundedRect(cr, 258, -12, 102, 48, 11);
    SetColour(cr, Hex(0x050302));
    cairo_fill_preserve(cr);
    SetColour(cr, kGold, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // The medallion of the decoration, top left.
    cairo_arc(cr, 75, 32, 30, 0, 2 * M_PI);
    FillProcedural(cr, [](int px, int py) { return WoodAt(px, py, Darker(kWalnut, 0.2), 77, true); });
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);

    // The play button's slot.
    Recess(cr, 50, 102, 292, 78, 16, Mix(kParchment, kHoney, 0.35));
    // Little flourishes either side of the logo.
    for (int side = -1; side <= 1; side += 2) {
        double cx = 196 + side * 112, cy = 60;
        cairo_arc(cr, cx, cy, 4, 0, 2 * M_PI);
        SetColour(cr, kGold);
        cairo_fill(cr);
        cairo_arc(cr, cx + side * 12, cy, 2.5, 0, 2 * M_PI);
        SetColour(cr, kHoney);
        cairo_fill(cr);
    }

    // The picture in the middle: a puzzle half done.
    PuzzleInProgress(cr, 120, 200, 38);

    // Plates for the help and exit animations along the bottom.
    Recess(cr, 27, 346, 106, 80, 14, Mix(kParchment, kHoney, 0.35));
    Recess(cr, 258, 347, 106, 80, 14, Mix(kParchment, kHoney, 0.35));
    // A gilt rule between them.
    cairo_move_to(cr, 146, 386);
    cairo_line_to(cr, 246, 386);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_arc(cr, 196, 386, 4, 0, 2 * M_PI);
    SetColour(cr, kRed);
    cairo_fill(cr);
    return canvas.ToBitmap24();
}

// Window buttons: a glossy square with a pictogram, on black so that they sit on the play
// screen's black and on the menu's dark tray alike.
enum class WindowGlyph { Close, Minimise };

Bitmap PaintWindowButton(const ManifestEntry& e, WindowGlyph glyph) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    return DrawStrip(fw, fh, 3, [&](cairo_t* cr, int i) {
        Look look = looks[i];
        Rgb base = glyph == WindowGlyph::Close ? kRed : kTeal;
        GlossyButton(cr, 2, 2, fw - 5, fh - 5, 6, base, look);
        double off = look == Look::Pressed ? 1 : 0;
        double cx = fw / 2.0 - 0.5 + off, cy = fh / 2.0 - 0.5 + off;
        double a = fw * 0.2;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            double d = pass == 0 ? 0.8 : 0;
            if (glyph == WindowGlyph::Close) {
                cairo_move_to(cr, cx - a + d, cy - a + d);
                cairo_line_to(cr, cx + a + d, cy + a + d);
                cairo_move_to(cr, cx + a + d, cy - a + d);
                cairo_line_to(cr, cx - a + d, cy + a + d);
            } else {
                cairo_move_to(cr, cx - a + d, cy + a * 0.8 + d);
                cairo_line_to(cr, cx + a + d, cy + a * 0.8 + d);
            }
            if (pass == 0)
                cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
            else
                SetColour(cr, look == Look::Hover ? kWhite : Lighter(kParchment, 0.4));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
    });
}

}  // namespace

const Bitmap& MainMenuBackground() {
    static const Bitmap background = PaintMenuBackground();
    return background;
}

Bitmap CropBitmap(const Bitmap& src, int x, int y, int w, int h) {
    Bitmap out;
    out.width = w;
    out.height = h;
    out.bits = 24;
    out.pixels.assign(static_cast<size_t>(w) * h * 3, 0);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) {
            int sx = x + xx, sy = y + yy;
            if (sx < 0 || sy < 0 || sx >= src.width || sy >= src.height) continue;
            for (int k = 0; k < 3; ++k) out.Row(yy)[xx * 3 + k] = src.Row(sy)[sx * 3 + k];
        }
    return out;
}

void RegisterMainMenuArt(PainterTable& table) {
    table[111] = [](const ManifestEntry&) { return MainMenuBackground(); };
    table[103] = [](const ManifestEntry& e) { return PaintWindowButton(e, WindowGlyph::Close); };
    table[112] = [](const ManifestEntry& e) { return PaintWindowButton(e, WindowGlyph::Minimise); };
}
