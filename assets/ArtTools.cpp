// Tools panel art: the panel's background tile (whose right-hand 17 columns are the tool
// strip) and the five animated tools: statistics, solve, hint, music and honour.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/Shapes.h"

using namespace art;

namespace {

constexpr int kTileW = 136, kTileH = 190;
constexpr int kRailX = 119;  // the strip shows the tile from this column on

// Parchment of the panel: low-contrast so that tools, drawn on the same paper, sit on it
// without visible edges wherever the 190-pixel bands put them. Repeats every 190 rows.
Rgb PanelParchment(int x, int y) {
    double blot = Fractal(x / 19.0, y / 19.0, 194, 3, 10);
    double fibre = ValueNoise(x / 2.5, y / 19.0, 195, 10);
    double grain = Grain(x, ((y % kTileH) + kTileH) % kTileH, 196);
    Rgb c = Mix(Lighter(kParchment, 0.15), Mix(kParchment, kHoney, 0.12), blot * 0.6);
    c = Mix(c, Darker(kParchment, 0.1), (fibre - 0.5) * 0.2 + 0.05);
    return Mix(c, Darker(kParchment, 0.18), (grain - 0.5) * 0.15);
}

// Vertical-grain wood of the rail, repeating every 190 rows.
Rgb RailWood(int x, int y) {
    double warp = Fractal(x / 30.0, y / 19.0, 197, 2, 10) * 3.0;
    double rings = std::pow(0.5 + 0.5 * std::sin((x * 0.55 + warp) * 2.0), 3.0);
    double streak = ValueNoise(x * 0.9, y / 9.5, 198, 20);
    Rgb base = Mix(kWalnut, kHoney, 0.45);
    Rgb c = Mix(base, Darker(base, 0.35), rings * 0.6);
    return Mix(c, Lighter(base, 0.15), (streak - 0.5) * 0.5);
}

Bitmap PaintToolTile(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, kRailX, kTileH);
    FillProcedural(cr, PanelParchment);
    cairo_new_path(cr);
    // Shadow the rail casts on the paper, and a gilt line along the paper's edge.
    for (int i = 0; i < 6; ++i) {
        cairo_rectangle(cr, kRailX - 1 - i, 0, 1, kTileH);
        cairo_set_source_rgba(cr, kWalnut.r, kWalnut.g, kWalnut.b, 0.22 - i * 0.035);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, kRailX - 4, 0, 1.5, kTileH);
    SetColour(cr, kGold, 0.9);
    cairo_fill(cr);
    // The rail.
    cairo_rectangle(cr, kRailX, 0, kTileW - kRailX, kTileH);
    FillProcedural(cr, RailWood);
    cairo_pattern_t* round = cairo_pattern_create_linear(kRailX, 0, kTileW, 0);
    cairo_pattern_add_color_stop_rgba(round, 0, 1, 0.95, 0.85, 0.35);
    cairo_pattern_add_color_stop_rgba(round, 0.35, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(round, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, round);
    cairo_fill(cr);
    cairo_pattern_destroy(round);
    cairo_rectangle(cr, kRailX, 0, 1, kTileH);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_fill(cr);
    // Once per band: a brass stud with a chevron pointing out, telling the strip opens.
    double cx = kRailX + 8.5, cy = kTileH / 2.0;
    GlossyDisc(cr, cx, cy - 22, 4, kGold, Look::Normal);
    GlossyDisc(cr, cx, cy + 22, 4, kGold, Look::Normal);
    cairo_move_to(cr, cx - 3, cy - 6);
    cairo_line_to(cr, cx + 2.5, cy);
    cairo_line_to(cr, cx - 3, cy + 6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

// Every tool frame starts as the panel's paper, seen at the tool's column in the panel.
void PaperBackground(cairo_t* cr, int fw, int fh, int panelX) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, fw, fh);
    double ox = 0, oy = 0;
    cairo_user_to_device(cr, &ox, &oy);
    FillProcedural(
        cr, [&](int x, int y) { return PanelParchment(x - static_cast<int>(ox) + panelX, y - static_cast<int>(oy)); });
    cairo_new_path(cr);
    cairo_restore(cr);
}

void SoftShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, kWalnut.r * 0.5, kWalnut.g * 0.5, kWalnut.b * 0.5, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void Sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_move_to(cr, 0, -r * 1.8);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, r * 1.8, 0);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, 0, r * 1.8);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, -r * 1.8, 0);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, 0, -r * 1.8);
    cairo_set_source_rgba(cr, 1, 0.97, 0.8, alpha);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, alpha);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Outline(cairo_t* cr, Rgb c, double width = 1.2) {
    SetColour(cr, Darker(c, 0.6));
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillGradient(cairo_t* cr, Rgb c, double x0, double y0, double x1, double y1, bool preserve = true) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    Rgb hi = Lighter(c, 0.4), lo = Darker(c, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    if (preserve)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// --- Statistics: a card with a bar chart whose bars rise and fall -------------------------

void DrawStatistics(cairo_t* cr, int fw, int fh, int f) {
    PaperBackground(cr, fw, fh, 27);
    double x = 10, y = 14, w = fw - 20, h = fh - 26;
    SoftShadow(cr, fw / 2.0 + 2, y + h + 3, w * 0.55, 5, 0.35);
    // Card with a folded corner.
    cairo_save(cr);
    cairo_translate(cr, fw / 2.0, fh / 2.0);
    cairo_rotate(cr, -0.05);
    cairo_translate(cr, -fw / 2.0, -fh / 2.0);
    DropShadow(cr, x, y, w, h, 4, 2, 0.35);
    RoundedRect(cr, x, y, w, h, 4);
    SetColour(cr, Lighter(kParchment, 0.55));
    cairo_fill_preserve(cr);
    Outline(cr, kHoney, 1);
    // Grid lines.
    for (int k = 1; k <= 4; ++k) {
        cairo_move_to(cr, x + 6, y + h - 8 - k * (h - 18) / 4.0);
        cairo_line_to(cr, x + w - 6, y + h - 8 - k * (h - 18) / 4.0);
    }
    cairo_set_source_rgba(cr, kTeal.r, kTeal.g, kTeal.b, 0.25);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    const Rgb colours[4] = {kRed, kGold, kTeal, kHoney};
    const double rest[4] = {0.35, 0.6, 0.45, 0.8};
    double barW = (w - 16) / 4.0 - 3, base = y + h - 8;
    double tops[4][2];
    for (int k = 0; k < 4; ++k) {
        double level = rest[k];
        if (f > 0) level = 0.5 + 0.38 * std::sin(2 * M_PI * f / 10.0 + k * 1.3 + 0.6);
        double bh = level * (h - 22);
        double bx = x + 8 + k * (barW + 3);
        RoundedRect(cr, bx, base - bh, barW, bh, 2);
        FillGradient(cr, colours[k], bx, 0, bx + barW, 0);
        Outline(cr, colours[k], 0.8);
        tops[k][0] = bx + barW / 2;
        tops[k][1] = base - bh;
    }
    // Trend line over the bars.
    cairo_move_to(cr, tops[0][0], tops[0][1] - 4);
    for (int k = 1; k < 4; ++k) cairo_line_to(cr, tops[k][0], tops[k][1] - 4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, kInk, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    for (int k = 0; k < 4; ++k) {
        cairo_arc(cr, tops[k][0], tops[k][1] - 4, 2, 0, 2 * M_PI);
        SetColour(cr, kInk);
        cairo_fill(cr);
    }
    // Base line.
    cairo_move_to(cr, x + 5, base + 0.5);
    cairo_line_to(cr, x + w - 5, base + 0.5);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    if (f == 6) Sparkle(cr, fw - 14, 16, 5, 0.95);
    if (f == 7) Sparkle(cr, fw - 14, 16, 3, 0.6);
}

// --- Solve: two pieces slide together and click -------------------------------------------

void DrawPiece(cairo_t* cr, double x, double y, double s, const int edges[4], Rgb c, double glow) {
    if (glow > 0) {
        cairo_save(cr);
        JigsawPiecePath(cr, x, y, s, edges);
        cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, 0.5 * glow);
        cairo_set_line_width(cr, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 2, 2.5);
    JigsawPiecePath(cr, x, y, s, edges);
    cairo_set_source_rgba(cr, 0.2, 0.12, 0.05, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    JigsawPiecePath(cr, x, y, s, edges);
    FillGradient(cr, c, x, y - s * 0.3, x + s, y + s * 1.2);
    Outline(cr, c);
    // Gloss.
    cairo_save(cr);
    JigsawPiecePath(cr, x, y, s, edges);
    cairo_clip(cr);
    cairo_arc(cr, x + s * 0.3, y + s * 0.22, s * 0.35, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawSolve(cairo_t* cr, int fw, int fh, int f) {
    PaperBackground(cr, fw, fh, 16);
    // Gap between the pieces by frame: closing in 0..4, joined 4..8, parting at 9.
    static const double gap[10] = {16, 12, 8, 4, 0, 0, 0, 0, 0, 8};
    static const double glow[10] = {0, 0, 0, 0, 1, 0.8, 0.55, 0.3, 0.1, 0};
    double s = 34, cy = fh / 2.0 - s / 2 + 2;
    double join = fw / 2.0;
    const int left[4] = {0, 1, 0, 0}, right[4] = {0, 0, 0, -1};
    SoftShadow(cr, fw / 2.0, cy + s + 8, 38, 5, 0.3);
    DrawPiece(cr, join - s - gap[f] / 2, cy, s, left, kTeal, glow[f]);
    DrawPiece(cr, join + gap[f] / 2, cy, s, right, kRed, glow[f]);
    // A magic wand above, tipping down as the pieces meet.
    double tilt = f <= 4 ? -0.5 + f * 0.12 : (f == 9 ? -0.4 : 0.0);
    cairo_save(cr);
    cairo_translate(cr, fw - 22, 20);
    cairo_rotate(cr, tilt + 0.9);
    cairo_rectangle(cr, -2, -2, 4, 30);
    FillGradient(cr, kInk, -2, 0, 2, 0);
    cairo_new_path(cr);
    cairo_rectangle(cr, -2, -2, 4, 6);
    SetColour(cr, Lighter(kParchment, 0.5));
    cairo_fill(cr);
    cairo_restore(cr);
    if (f == 4 || f == 0) {
        Sparkle(cr, join, cy - 6, f == 4 ? 6 : 3, 1.0);
        if (f == 4) {
            Sparkle(cr, join - 20, cy + s + 2, 3.5, 0.9);
            Sparkle(cr, join + 22, cy - 2, 3, 0.8);
        }
    }
    if (f == 5) Sparkle(cr, join + 4, cy - 10, 4, 0.7);
    if (f == 6) Sparkle(cr, join + 8, cy - 14, 2.5, 0.5);
}

// --- Hint: a light bulb that glows; spent, it goes dark and smokes -------------------------

void DrawBulb(cairo_t* cr, double cx, double cy, double r, double light, double grey) {
    Rgb glass = Mix(Mix(Hex(0xfff3b0), kGold, 0.3), Hex(0x9a968c), grey);
    if (light > 0) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, r * (1.6 + light * 0.8));
        cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.92, 0.5, 0.6 * light);
        cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.9, 0.5, 0);
        cairo_set_source(cr, halo);
        cairo_arc(cr, cx, cy, r * (1.6 + light * 0.8), 0, 2 * M_PI);
        cairo_fill(cr);
        // Rays.
        for (int k = 0; k < 8; ++k) {
            double a = -M_PI / 2 + (k - 3.5) * 0.42;
            if (k == 0 || k == 7) continue;
            double r0 = r * 1.35, r1 = r * (1.55 + 0.45 * light);
            cairo_move_to(cr, cx + std::cos(a) * r0, cy + std::sin(a) * r0);
            cairo_line_to(cr, cx + std::cos(a) * r1, cy + std::sin(a) * r1);
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, 0.5 + 0.5 * light);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    // Glass: a circle narrowing into the neck.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, M_PI * 0.78, M_PI * 2.22);
    cairo_line_to(cr, cx + r * 0.42, cy + r * 1.25);
    cairo_line_to(cr, cx - r * 0.42, cy + r * 1.25);
    cairo_close_path(cr);
    Rgb lit = Mix(glass, Hex(0xfffbe0), light * 0.7);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.1, cx, cy, r * 1.3);
    Rgb hi = Lighter(lit, 0.6), lo = Darker(lit, 0.15 + 0.2 * grey);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Mix(Darker(kGold, 0.5), Hex(0x55524c), grey));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // Filament.
    cairo_move_to(cr, cx - r * 0.3, cy + r * 0.9);
    cairo_line_to(cr, cx - r * 0.25, cy + r * 0.1);
    for (int k = 0; k < 4; ++k)
        cairo_line_to(cr, cx - r * 0.25 + (k + 1) * r * 0.125, cy + ((k % 2) ? r * 0.1 : -r * 0.1));
    cairo_line_to(cr, cx + r * 0.3, cy + r * 0.9);
    SetColour(cr, Mix(Hex(0xd26a1e), Hex(0x5a5650), grey), 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Gloss.
    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.38, cy - r * 0.4);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, r * 0.18, r * 0.36);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75 - 0.3 * grey);
    cairo_fill(cr);
    // Screw base.
    Rgb metal = Mix(Hex(0xb9b4a8), Hex(0x8a8780), grey);
    for (int k = 0; k < 3; ++k) {
        RoundedRect(cr, cx - r * 0.48, cy + r * 1.22 + k * r * 0.22, r * 0.96, r * 0.24, 2);
        FillGradient(cr, metal, cx - r * 0.5, 0, cx + r * 0.5, 0);
        Outline(cr, metal, 0.7);
    }
    cairo_arc(cr, cx, cy + r * 1.9, r * 0.2, 0, M_PI);
    SetColour(cr, Darker(metal, 0.5));
    cairo_fill(cr);
}

void DrawHint(cairo_t* cr, int fw, int fh, int f) {
    PaperBackground(cr, fw, fh, 31);
    double cx = fw / 2.0, cy = fh / 2.0 - 10, r = 19;
    SoftShadow(cr, cx + 2, cy + r * 2.2, 20, 4, 0.35);
    if (f <= 3) {
        static const double light[4] = {0.25, 1.0, 0.7, 0.45};
        DrawBulb(cr, cx, cy, r, light[f], 0);
        if (f == 1) Sparkle(cr, cx + r + 6, cy - r - 2, 4, 0.9);
        return;
    }
    // Spent: frame 4 dark, then smoke curls up and the whole bulb greys out until frame 11.
    double k = (f - 4) / 7.0;
    cairo_push_group(cr);
    DrawBulb(cr, cx, cy, r, 0, 0.35 + 0.65 * k);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 1.0 - 0.45 * k);
    if (f >= 5 && f <= 10) {
        double rise = (f - 5) * 5.0;
        for (int p = 0; p < 3; ++p) {
            double py = cy - r - 4 - rise - p * 9, px = cx + std::sin((f + p) * 1.3) * 5;
            if (py < 4) continue;
            cairo_arc(cr, px, py, 4 + p * 1.5 + (f - 5) * 0.4, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 0.45, 0.43, 0.4, 0.35 * (1 - k * 0.8));
            cairo_fill(cr);
        }
    }
}

// --- Music: a speaker whose sound waves grow, and notes that float up -----------------------

void Note(cairo_t* cr, double x, double y, double s, Rgb c, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, s * 0.55, s * 0.4);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, c, alpha);
    cairo_fill(cr);
    cairo_rectangle(cr, x + s * 0.38, y - s * 2.1, s * 0.18, s * 2.1);
    cairo_fill(cr);
    cairo_move_to(cr, x + s * 0.56, y - s * 2.1);
    cairo_curve_to(cr, x + s * 1.1, y - s * 1.8, x + s * 1.2, y - s * 1.4, x + s * 0.9, y - s * 1.0);
    cairo_set_line_width(cr, s * 0.18);
    cairo_stroke(cr);
}

void DrawMusic(cairo_t* cr, int fw, int fh, int f) {
    PaperBackground(cr, fw, fh, 3);
    double level = f / 9.0;
    double cx = 36, cy = fh / 2.0 + 6;
    SoftShadow(cr, cx + 4, cy + 30, 30, 5, 0.35);
    // Cabinet.
    double pulse = 1 + 0.05 * std::sin(f * 2.1) * (f > 0);
    RoundedRect(cr, cx - 24, cy - 30, 48, 58, 7);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.4), 190, true); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(cx - 24, cy - 30, cx + 24, cy + 28);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    Outline(cr, kWalnut);
    // Cone and dust cap.
    double cr1 = 15 * pulse;
    cairo_arc(cr, cx, cy + 3, cr1, 0, 2 * M_PI);
    cairo_pattern_t* cone = cairo_pattern_create_radial(cx - 3, cy, 2, cx, cy + 3, cr1);
    cairo_pattern_add_color_stop_rgb(cone, 0, 0.35, 0.3, 0.27);
    cairo_pattern_add_color_stop_rgb(cone, 0.7, 0.16, 0.13, 0.11);
    cairo_pattern_add_color_stop_rgb(cone, 1, 0.3, 0.26, 0.22);
    cairo_set_source(cr, cone);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(cone);
    SetColour(cr, kGold, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    GlossyDisc(cr, cx, cy + 3, 5 * pulse, kGold, Look::Normal);
    // Tweeter.
    GlossyDisc(cr, cx, cy - 19, 5, Hex(0x3a302a), Look::Normal);
    // Waves: more and stronger arcs as the level rises.
    int arcs = static_cast<int>(std::ceil(level * 3));
    for (int k = 0; k < arcs; ++k) {
        double rr = 32 + k * 11;
        double a = std::min(1.0, level * 3 - k);
        cairo_arc(cr, cx + 2, cy + 3, rr, -0.6, 0.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, kTeal, 0.35 + 0.65 * a);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    // Notes float up and to the right with the level.
    if (f >= 3) Note(cr, 70 + level * 8, cy - 4 - level * 22, 7, kRed, std::min(1.0, (f - 2) / 3.0));
    if (f >= 6) Note(cr, 90, cy - 24 - (level - 0.6) * 20, 6, kInk, std::min(1.0, (f - 5) / 3.0));
}

// --- Honour: a gold trophy that a gleam sweeps across ---------------------------------------

void TrophyPath(cairo_t* cr, double cx, double top) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 20, top);
    cairo_line_to(cr, cx + 20, top);
    cairo_curve_to(cr, cx + 20, top + 26, cx + 12, top + 36, cx + 4, top + 38);
    cairo_line_to(cr, cx + 4, top + 46);
    cairo_curve_to(cr, cx + 4, top + 50, cx + 12, top + 52, cx + 13, top + 55);
    cairo_line_to(cr, cx - 13, top + 55);
    cairo_curve_to(cr, cx - 12, top + 52, cx - 4, top + 50, cx - 4, top + 46);
    cairo_line_to(cr, cx - 4, top + 38);
    cairo_curve_to(cr, cx - 12, top + 36, cx - 20, top + 26, cx - 20, top);
    cairo_close_path(cr);
}

void DrawHonour(cairo_t* cr, int fw, int fh, int f) {
    PaperBackground(cr, fw, fh, 24);
    double cx = fw / 2.0, top = 16;
    SoftShadow(cr, cx + 2, top + 74, 30, 5, 0.4);
    // Handles.
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, cx + side * 20, top + 13, 9, side < 0 ? M_PI * 0.5 : -M_PI * 0.5,
                  side < 0 ? M_PI * 1.5 : M_PI * 0.5);
        cairo_set_line_width(cr, 6);
        SetColour(cr, Darker(kGold, 0.45));
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 3.5);
        SetColour(cr, kGold);
        cairo_stroke(cr);
    }
    TrophyPath(cr, cx, top);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - 20, 0, cx + 20, 0);
    Rgb hi = Lighter(kGold, 0.55), lo = Darker(kGold, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, lo.r, lo.g, lo.b);
    cairo_pattern_add_color_stop_rgb(g, 0.3, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.55, kGold.r, kGold.g, kGold.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, kGold);
    // Rim of the cup.
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, 20, 3.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Darker(kGold, 0.35));
    cairo_fill(cr);
    // Plinth with a red plate.
    RoundedRect(cr, cx - 19, top + 55, 38, 14, 2);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y * 2, kWalnut, 189); });
    Outline(cr, kWalnut, 1);
    RoundedRect(cr, cx - 11, top + 59, 22, 6, 1);
    SetColour(cr, kGold);
    cairo_fill(cr);
    // A star on the cup.
    cairo_save(cr);
    cairo_translate(cr, cx, top + 17);
    cairo_new_path(cr);
    for (int k = 0; k < 10; ++k) {
        double a = -M_PI / 2 + k * M_PI / 5, rr = (k % 2) ? 3.2 : 7.5;
        cairo_line_to(cr, std::cos(a) * rr, std::sin(a) * rr);
    }
    cairo_close_path(cr);
    SetColour(cr, kRed);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kRed, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The gleam: a slanted light band crossing the cup over frames 1..6.
    if (f >= 1 && f <= 6) {
        double pos = cx - 30 + (f - 1) * 12;
        cairo_save(cr);
        TrophyPath(cr, cx, top);
        cairo_clip(cr);
        cairo_move_to(cr, pos, top - 5);
        cairo_line_to(cr, pos + 9, top - 5);
        cairo_line_to(cr, pos - 9, top + 60);
        cairo_line_to(cr, pos - 18, top + 60);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 0.95, 0.7);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (f == 3) Sparkle(cr, cx + 17, top + 4, 6, 1.0);
    if (f == 4) Sparkle(cr, cx + 17, top + 4, 4, 0.7);
    if (f == 5) Sparkle(cr, cx - 14, top + 30, 3, 0.6);
}

using ToolDraw = void (*)(cairo_t*, int, int, int);

Bitmap PaintTool(const ManifestEntry& e, ToolDraw draw) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawGrid(fw, fh, e.layout.rows, e.layout.columns, [&](cairo_t* cr, int i) { draw(cr, fw, fh, i); });
}

}  // namespace

void RegisterToolArt(PainterTable& table) {
    table[194] = PaintToolTile;
    table[213] = [](const ManifestEntry& e) { return PaintTool(e, DrawStatistics); };
    table[188] = [](const ManifestEntry& e) { return PaintTool(e, DrawSolve); };
    table[193] = [](const ManifestEntry& e) { return PaintTool(e, DrawHint); };
    table[190] = [](const ManifestEntry& e) { return PaintTool(e, DrawMusic); };
    table[189] = [](const ManifestEntry& e) { return PaintTool(e, DrawHonour); };
}
