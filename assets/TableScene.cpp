#include "assets/TableScene.h"

#include <cmath>

#include "assets/Shapes.h"

namespace art {

namespace {

// Tabs alternate like a chequerboard, so that neighbours always interlock.
void EdgesOf(int r, int c, int cols, int rows, int e[4]) {
    auto below = [](int rr, int cc) { return ((rr + cc) % 2) ? 1 : -1; };
    auto right = [](int rr, int cc) { return ((rr + cc) % 2) ? -1 : 1; };
    e[0] = r == 0 ? 0 : -below(r - 1, c);
    e[1] = c == cols - 1 ? 0 : right(r, c);
    e[2] = r == rows - 1 ? 0 : below(r, c);
    e[3] = c == 0 ? 0 : -right(r, c - 1);
}

}  // namespace

void FillFelt(cairo_t* cr, uint32_t seed) {
    FillProcedural(cr, [seed](int x, int y) { return FeltAt(x, y, Hex(0x2b6158), seed); });
    cairo_new_path(cr);
}

void PictureLandscape(cairo_t* cr, double x, double y, double w, double h, bool warm) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, y, 0, y + h * 0.62);
    if (warm) {
        cairo_pattern_add_color_stop_rgb(sky, 0, 0.3, 0.32, 0.6);
        cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.92, 0.52, 0.45);
        cairo_pattern_add_color_stop_rgb(sky, 1, 1.0, 0.82, 0.5);
    } else {
        cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.62, 0.84);
        cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.86, 0.6);
    }
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    double sx = x + w * (warm ? 0.5 : 0.76), sy = y + h * (warm ? 0.5 : 0.26);
    cairo_pattern_t* halo = cairo_pattern_create_radial(sx, sy, 2, sx, sy, h * 0.45);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.95, 0.7, 0.9);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.85, 0.55, 0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
    cairo_arc(cr, sx, sy, h * 0.1, 0, 2 * M_PI);
    SetColour(cr, warm ? Hex(0xffd27a) : Lighter(kGold, 0.35));
    cairo_fill(cr);
    // Soft clouds.
    for (int k = 0; k < 3; ++k) {
        double cx = x + w * (0.15 + k * 0.3), cy = y + h * (0.14 + (k % 2) * 0.08);
        for (int b = 0; b < 3; ++b) {
            cairo_arc(cr, cx + b * w * 0.035, cy - (b == 1) * h * 0.03, h * 0.045, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, 0.97, 0.92, warm ? 0.45 : 0.7);
            cairo_fill(cr);
        }
    }
    cairo_move_to(cr, x, y + h * 0.56);
    cairo_curve_to(cr, x + w * 0.2, y + h * 0.4, x + w * 0.35, y + h * 0.44, x + w * 0.5, y + h * 0.52);
    cairo_curve_to(cr, x + w * 0.65, y + h * 0.6, x + w * 0.8, y + h * 0.42, x + w, y + h * 0.5);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, warm ? Hex(0x6a5a86) : Mix(kTeal, Hex(0x8fb3a8), 0.55));
    cairo_fill(cr);
    cairo_move_to(cr, x, y + h * 0.72);
    cairo_curve_to(cr, x + w * 0.3, y + h * 0.52, x + w * 0.55, y + h * 0.64, x + w, y + h * 0.68);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, y + h * 0.5, 0, y + h);
    if (warm) {
        cairo_pattern_add_color_stop_rgb(grass, 0, 0.45, 0.42, 0.3);
        cairo_pattern_add_color_stop_rgb(grass, 1, 0.22, 0.25, 0.2);
    } else {
        cairo_pattern_add_color_stop_rgb(grass, 0, 0.52, 0.68, 0.3);
        cairo_pattern_add_color_stop_rgb(grass, 1, 0.3, 0.48, 0.2);
    }
    cairo_set_source(cr, grass);
    cairo_fill(cr);
    cairo_pattern_destroy(grass);
    cairo_save(cr);
    cairo_translate(cr, x + w * 0.3, y + h * 0.86);
    cairo_scale(cr, w * 0.24, h * 0.07);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* lake = cairo_pattern_create_linear(0, y + h * 0.79, 0, y + h * 0.93);
    if (warm) {
        cairo_pattern_add_color_stop_rgb(lake, 0, 1.0, 0.75, 0.5);
        cairo_pattern_add_color_stop_rgb(lake, 1, 0.5, 0.35, 0.5);
    } else {
        cairo_pattern_add_color_stop_rgb(lake, 0, 0.55, 0.78, 0.9);
        cairo_pattern_add_color_stop_rgb(lake, 1, 0.2, 0.5, 0.62);
    }
    cairo_set_source(cr, lake);
    cairo_fill(cr);
    cairo_pattern_destroy(lake);
    // Two trees.
    for (int k = 0; k < 2; ++k) {
        double tx = x + w * (k ? 0.86 : 0.12), ty = y + h * (k ? 0.62 : 0.6), s = h * (k ? 0.07 : 0.09);
        cairo_rectangle(cr, tx - s * 0.15, ty, s * 0.3, s * 1.3);
        SetColour(cr, kWalnut);
        cairo_fill(cr);
        cairo_arc(cr, tx, ty - s * 0.2, s, 0, 2 * M_PI);
        SetColour(cr, warm ? Hex(0x3d4a38) : Hex(0x3f7a3a));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void LandscapePuzzle(cairo_t* cr,
                     double x,
                     double y,
                     int cols,
                     int rows,
                     double cell,
                     bool warm,
                     const std::set<std::pair<int, int>>& missing,
                     const std::function<void(cairo_t*)>& onPicture) {
    double w = cols * cell, h = rows * cell;
    cairo_save(cr);
    cairo_translate(cr, 3, 4);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    PictureLandscape(cr, x, y, w, h, warm);
    if (onPicture) onPicture(cr);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int e[4];
            EdgesOf(r, c, cols, rows, e);
            JigsawPiecePath(cr, x + c * cell, y + r * cell, cell, e);
        }
    cairo_save(cr);
    cairo_translate(cr, 0.6, 0.8);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, 0.45);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    for (const auto& [r, c] : missing) {
        int e[4];
        EdgesOf(r, c, cols, rows, e);
        JigsawPiecePath(cr, x + c * cell, y + r * cell, cell, e);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        FillFelt(cr, 77);
        JigsawPiecePath(cr, x + c * cell, y + r * cell, cell, e);
        cairo_translate(cr, 1.5, 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_restore(cr);
        cairo_new_path(cr);
    }
}

void LoosePuzzlePiece(cairo_t* cr,
                      double puzzleW,
                      double puzzleH,
                      int cols,
                      int rows,
                      double cell,
                      bool warm,
                      int row,
                      int col,
                      double cx,
                      double cy,
                      double angle) {
    int e[4];
    EdgesOf(row, col, cols, rows, e);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -cell / 2 - col * cell, -cell / 2 - row * cell);
    cairo_save(cr);
    cairo_translate(cr, 2.5, 3.5);
    JigsawPiecePath(cr, col * cell, row * cell, cell, e);
    cairo_set_source_rgba(cr, 0.05, 0.03, 0.02, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_save(cr);
    JigsawPiecePath(cr, col * cell, row * cell, cell, e);
    cairo_clip(cr);
    PictureLandscape(cr, 0, 0, puzzleW, puzzleH, warm);
    cairo_restore(cr);
    // The bevel of a loose piece: light upper left, dark lower right.
    JigsawPiecePath(cr, col * cell, row * cell, cell, e);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_translate(cr, 1, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    cairo_translate(cr, -2, -2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    JigsawPiecePath(cr, col * cell, row * cell, cell, e);
    cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void TeaCup(cairo_t* cr, double cx, double cy, double s) {
    // Saucer.
    cairo_save(cr);
    cairo_translate(cr, cx + 3, cy + 4);
    cairo_scale(cr, s * 1.05, s * 1.05);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, s, 0, 2 * M_PI);
    cairo_pattern_t* saucer = cairo_pattern_create_radial(cx - s * 0.3, cy - s * 0.3, s * 0.1, cx, cy, s);
    cairo_pattern_add_color_stop_rgb(saucer, 0, 1, 0.99, 0.96);
    cairo_pattern_add_color_stop_rgb(saucer, 1, 0.82, 0.8, 0.76);
    cairo_set_source(cr, saucer);
    cairo_fill(cr);
    cairo_pattern_destroy(saucer);
    cairo_arc(cr, cx, cy, s * 0.92, 0, 2 * M_PI);
    SetColour(cr, kTeal, 0.8);
    cairo_set_line_width(cr, s * 0.05);
    cairo_stroke(cr);
    // Handle.
    cairo_arc(cr, cx + s * 0.72, cy + s * 0.1, s * 0.18, 0, 2 * M_PI);
    cairo_set_line_width(cr, s * 0.09);
    SetColour(cr, Hex(0xefe9df));
    cairo_stroke(cr);
    // Cup and tea.
    cairo_arc(cr, cx + 2, cy + 3, s * 0.62, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.2);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, s * 0.62, 0, 2 * M_PI);
    SetColour(cr, Hex(0xfbf8f2));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, s * 0.5, 0, 2 * M_PI);
    cairo_pattern_t* tea = cairo_pattern_create_radial(cx - s * 0.15, cy - s * 0.15, s * 0.05, cx, cy, s * 0.5);
    cairo_pattern_add_color_stop_rgb(tea, 0, 0.78, 0.48, 0.2);
    cairo_pattern_add_color_stop_rgb(tea, 1, 0.45, 0.22, 0.08);
    cairo_set_source(cr, tea);
    cairo_fill(cr);
    cairo_pattern_destroy(tea);
    cairo_arc(cr, cx - s * 0.18, cy - s * 0.2, s * 0.08, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);
    // Steam.
    for (int k = 0; k < 2; ++k) {
        double bx = cx - s * 0.15 + k * s * 0.3;
        cairo_move_to(cr, bx, cy - s * 0.55);
        cairo_curve_to(cr, bx - s * 0.2, cy - s * 0.8, bx + s * 0.2, cy - s * 1.0, bx, cy - s * 1.3);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, s * 0.08);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Pencil(cairo_t* cr, double x, double y, double length, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    double w = length * 0.08;
    cairo_rectangle(cr, 2, -w / 2 + 3, length, w);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, -w / 2, length * 0.8, w);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, -w / 2, 0, w / 2);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.98, 0.78, 0.35);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.8, 0.55, 0.15);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    cairo_rectangle(cr, -length * 0.08, -w / 2, length * 0.08, w);
    SetColour(cr, Hex(0xe88d99));
    cairo_fill(cr);
    cairo_rectangle(cr, -length * 0.02, -w / 2, length * 0.03, w);
    SetColour(cr, Hex(0xb9b4a8));
    cairo_fill(cr);
    cairo_move_to(cr, length * 0.8, -w / 2);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, length * 0.8, w / 2);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xe8c9a0));
    cairo_fill(cr);
    cairo_move_to(cr, length * 0.94, -w * 0.15);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, length * 0.94, w * 0.15);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Ladybird(cairo_t* cr, double cx, double cy, double size, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, size / 16, size / 16);
    cairo_save(cr);
    cairo_translate(cr, 2, 3);
    cairo_scale(cr, 14, 16);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_fill(cr);
    cairo_arc(cr, 0, -13, 7, 0, 2 * M_PI);
    SetColour(cr, Hex(0x1c1410));
    cairo_fill(cr);
    cairo_arc(cr, -3, -15, 1.6, 0, 2 * M_PI);
    cairo_arc(cr, 3, -15, 1.6, 0, 2 * M_PI);
    SetColour(cr, kParchment);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_scale(cr, 13, 15);
    cairo_arc(cr, 0, 0.1, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(-4, -5, 1, 0, 0, 15);
    Rgb hi = Lighter(kRed, 0.35), lo = Darker(kRed, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_move_to(cr, 0, -13);
    cairo_line_to(cr, 0, 15);
    SetColour(cr, Hex(0x1c1410));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double spots[5][3] = {{-6, -4, 2.6}, {6, -4, 2.6}, {-7, 6, 2.2}, {7, 6, 2.2}, {0, 0, 0}};
    for (const auto& s : spots) {
        if (s[2] == 0) continue;
        cairo_arc(cr, s[0], s[1], s[2], 0, 2 * M_PI);
        SetColour(cr, Hex(0x1c1410));
        cairo_fill(cr);
    }
    cairo_arc(cr, -5, -8, 1.8, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Heart(cairo_t* cr, double cx, double cy, double s, Rgb colour) {
    cairo_move_to(cr, cx, cy + s * 0.9);
    cairo_curve_to(cr, cx - s * 1.3, cy, cx - s * 0.9, cy - s * 1.0, cx, cy - s * 0.4);
    cairo_curve_to(cr, cx + s * 0.9, cy - s * 1.0, cx + s * 1.3, cy, cx, cy + s * 0.9);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - s * 0.35, cy - s * 0.35, s * 0.1, cx, cy, s * 1.1);
    Rgb hi = Lighter(colour, 0.4), lo = Darker(colour, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(colour, 0.55));
    cairo_set_line_width(cr, std::max(0.8, s * 0.08));
    cairo_stroke(cr);
}

}  // namespace art
