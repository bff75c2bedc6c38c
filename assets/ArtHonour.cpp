// Hall of honour art: the background (700) with the ribbon under the title, the ten ruled
// rows that the window writes places, names and scores on, a trophy between laurels, and
// the plates of its two buttons; the erase button (5000), an eraser rubbing to and fro over
// a card of names, and the blinking close button (6789).
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"

using namespace art;

namespace {

// The window is exactly the bitmap's size, so its dialog frame hides about 3 pixels on
// every side of the client area: children keep clear of the right and bottom 6 pixels.
constexpr int kWidth = 568, kHeight = 436;
constexpr int kRowsTop = 63, kRowHeight = 25, kRows = 10;
constexpr int kNameX = 60, kScoreX = 420;  // places are written from x 30
constexpr int kEraseX = 288, kEraseY = 362, kEraseW = 64, kEraseH = 52;
constexpr int kCloseX = 492, kCloseY = 338, kCloseSize = 56;

const Rgb kMedal[3] = {Hex(0xe9b949), Hex(0xc9ccd2), Hex(0xc7834a)};

void Ribbon(cairo_t* cr) {
    const double left = 44, right = kWidth - 44, top = 3, bottom = 62;
    // Tails behind the band, notched.
    for (int side = -1; side <= 1; side += 2) {
        double x0 = side < 0 ? left + 18 : right - 18, x1 = side < 0 ? left - 28 : right + 28;
        cairo_move_to(cr, x0, top + 14);
        cairo_line_to(cr, x1, top + 14);
        cairo_line_to(cr, x1 + side * -12, top + 14 + 27);
        cairo_line_to(cr, x1, top + 68);
        cairo_line_to(cr, x0, top + 68);
        cairo_close_path(cr);
        Rgb tail = Darker(Mix(kRed, kWalnut, 0.15), 0.15);
        SetColour(cr, tail);
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kRed, 0.55));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // The fold's shadow where the tail goes behind the band.
        cairo_move_to(cr, x0, bottom);
        cairo_line_to(cr, x0 - side * 14, top + 68);
        cairo_line_to(cr, x0, top + 68);
        cairo_close_path(cr);
        SetColour(cr, Darker(kRed, 0.6));
        cairo_fill(cr);
    }
    DropShadow(cr, left, top, right - left, bottom - top, 6, 2.5, 0.45);
    RoundedRect(cr, left, top, right - left, bottom - top, 6);
    FillProcedural(cr, [](int x, int y) {
        Rgb c = Mix(Lighter(kParchment, 0.5), Lighter(kParchment, 0.2), Fractal(x / 50.0, y / 50.0, 701, 3));
        return Mix(c, Darker(kParchment, 0.1), (Grain(x, y, 702) - 0.5) * 0.12);
    });
    cairo_pattern_t* curve = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(curve, 0, 1, 1, 1, 0.25);
    cairo_pattern_add_color_stop_rgba(curve, 0.6, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(curve, 1, 0.3, 0.15, 0.05, 0.18);
    cairo_set_source(cr, curve);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(curve);
    SetColour(cr, Darker(kHoney, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Gilt edging along the band.
    for (double y : {top + 4.5, bottom - 4.5}) {
        cairo_move_to(cr, left + 6, y);
        cairo_line_to(cr, right - 6, y);
    }
    SetColour(cr, kGold, 0.9);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    for (double x : {left + 14.0, right - 14.0}) StarPath(cr, x, (top + bottom) / 2, 7, 3, 0);
    SetColour(cr, kGold);
    cairo_fill(cr);
}

void Medal(cairo_t* cr, double cx, double cy, Rgb metal, int place) {
    // Ribbon.
    cairo_move_to(cr, cx - 6, cy - 12);
    cairo_line_to(cr, cx - 2, cy - 2);
    cairo_line_to(cr, cx + 2, cy - 2);
    cairo_line_to(cr, cx + 6, cy - 12);
    cairo_close_path(cr);
    SetColour(cr, place == 0 ? kRed : (place == 1 ? kTeal : Hex(0x3d5aa8)));
    cairo_fill(cr);
    GlossyDisc(cr, cx, cy + 2, 7.5, metal, Look::Normal);
    StarPath(cr, cx, cy + 2.5, 4, 1.8, 0);
    SetColour(cr, Darker(metal, 0.35));
    cairo_fill(cr);
}

void Rows(cairo_t* cr) {
    const double left = 20, right = kWidth - 20;
    for (int i = 0; i < kRows; ++i) {
        double y = kRowsTop + i * kRowHeight + 2;
        cairo_rectangle(cr, left, y, right - left, kRowHeight);
        if (i < 3)
            SetColour(cr, kMedal[i], 0.2);
        else
            SetColour(cr, i % 2 ? Darker(kParchment, 0.1) : Lighter(kParchment, 0.4), i % 2 ? 0.35 : 0.45);
        cairo_fill(cr);
        // A dotted rule under each row.
        for (double x = left + 4; x < right - 4; x += 4) cairo_rectangle(cr, x, y + kRowHeight - 1, 1.6, 1);
        SetColour(cr, kHoney, 0.55);
        cairo_fill(cr);
        if (i < 3) Medal(cr, right - 14, y + kRowHeight / 2.0 - 1, kMedal[i], i);
    }
    // Column rules between place and name, and before the score.
    for (double x : {kNameX - 7.5, kScoreX - 12.5}) {
        cairo_move_to(cr, x, kRowsTop + 4);
        cairo_line_to(cr, x, kRowsTop + kRows * kRowHeight);
    }
    SetColour(cr, kRed, 0.28);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void LaurelBranch(cairo_t* cr, double cx, double cy, double radius, int side) {
    // An arc of leaves from the bottom up one side.
    cairo_new_path(cr);
    for (int k = 0; k < 8; ++k) {
        double a = M_PI / 2 + side * (0.35 + k * 0.28);
        double x = cx + std::cos(a) * radius, y = cy + std::sin(a) * radius;
        for (int leaf = -1; leaf <= 1; leaf += 2) {
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a + side * M_PI / 2 + leaf * 0.6 * side);
            cairo_translate(cr, 0, leaf * 5);
            cairo_scale(cr, 3.3, 7.5);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(x - 6, y - 6, x + 6, y + 6);
            cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.72, 0.35);
            cairo_pattern_add_color_stop_rgb(g, 1, 0.22, 0.42, 0.2);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    }
    cairo_arc(cr, cx, cy, radius, side > 0 ? M_PI / 2 - 2.35 : M_PI / 2 + 0.3,
              side > 0 ? M_PI / 2 - 0.3 : M_PI / 2 + 2.35);
    SetColour(cr, Hex(0x5a4a2a));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void TrophyWithLaurels(cairo_t* cr, double cx, double cy) {
    cairo_save(cr);
    cairo_translate(cr, cx + 3, cy + 44);
    cairo_scale(cr, 46, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.25, 0.12, 0.04, 0.3);
    cairo_fill(cr);
    LaurelBranch(cr, cx, cy + 2, 40, 1);
    LaurelBranch(cr, cx, cy + 2, 40, -1);
    // The cup.
    double top = cy - 30;
    for (int side = -1; side <= 1; side += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, cx + side * 17, top + 12, 8, side < 0 ? M_PI * 0.5 : -M_PI * 0.5,
                  side < 0 ? M_PI * 1.5 : M_PI * 0.5);
        SetColour(cr, Darker(kGold, 0.45));
        cairo_set_line_width(cr, 5.5);
        cairo_stroke_preserve(cr);
        SetColour(cr, kGold);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - 18, top);
    cairo_line_to(cr, cx + 18, top);
    cairo_curve_to(cr, cx + 18, top + 24, cx + 10, top + 32, cx + 4, top + 34);
    cairo_line_to(cr, cx + 4, top + 42);
    cairo_curve_to(cr, cx + 4, top + 46, cx + 11, top + 48, cx + 12, top + 51);
    cairo_line_to(cr, cx - 12, top + 51);
    cairo_curve_to(cr, cx - 11, top + 48, cx - 4, top + 46, cx - 4, top + 42);
    cairo_line_to(cr, cx - 4, top + 34);
    cairo_curve_to(cr, cx - 10, top + 32, cx - 18, top + 24, cx - 18, top);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - 18, 0, cx + 18, 0);
    Rgb hi = Lighter(kGold, 0.55), lo = Darker(kGold, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, lo.r, lo.g, lo.b);
    cairo_pattern_add_color_stop_rgb(g, 0.3, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(kGold, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 17, top + 51, 34, 12, 2);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y * 2, kWalnut, 703); });
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 9, top + 54.5, 18, 5, 1);
    SetColour(cr, kGold);
    cairo_fill(cr);
    StarPath(cr, cx, top + 15, 7, 3, 0);
    SetColour(cr, kRed);
    cairo_fill(cr);
    Twinkle(cr, cx + 13, top + 3, 4, 0.9);
}

Bitmap PaintBackground() {
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kWidth, kHeight, 10, 13, 700);
    Rows(cr);
    Ribbon(cr);
    TrophyWithLaurels(cr, 132, 376);
    // Plates for the two buttons.
    Recess(cr, kEraseX - 6, kEraseY - 3, kEraseW + 12, kEraseH + 6, 10, Mix(kParchment, kHoney, 0.35));
    cairo_arc(cr, kCloseX + kCloseSize / 2.0, kCloseY + kCloseSize / 2.0, kCloseSize / 2.0 - 1, 0, 2 * M_PI);
    SetColour(cr, Mix(kParchment, kHoney, 0.3));
    cairo_fill_preserve(cr);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

const Bitmap& Background() {
    static const Bitmap background = PaintBackground();
    return background;
}

// The eraser's place in frame f of 0..9: it rubs from the left end of the card to the right.
double EraserTravel(int f) { return 0.5 - 0.5 * std::cos(M_PI * f / 9.0); }

void DrawEraseFrame(cairo_t* cr, int fw, int fh, int f) {
    // A small card of names.
    cairo_save(cr);
    cairo_translate(cr, fw / 2.0, fh / 2.0 + 6);
    cairo_rotate(cr, -0.05);
    DropShadow(cr, -24, -12, 48, 24, 2, 1.5, 0.35);
    RoundedRect(cr, -24, -12, 48, 24, 2);
    SetColour(cr, Lighter(kParchment, 0.6));
    cairo_fill(cr);
    for (int k = 0; k < 3; ++k) {
        double y = -6 + k * 6.5;
        cairo_move_to(cr, -19, y);
        for (int s = 0; s < 9; ++s) cairo_line_to(cr, -19 + (s + 1) * 4, y + ((s + k) % 2 ? -1.3 : 1.1));
    }
    SetColour(cr, kRed, 0.75);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Crumbs thrown off behind the eraser while it moves.
    double t = EraserTravel(f);
    double ex = 16 + t * (fw - 32), ey = fh / 2.0 + 1;
    if (f > 0) {
        for (int k = 0; k < 6; ++k) {
            double u = Grain(k, f, 5000), v = Grain(k + 11, f, 5001);
            double cx = ex - 12 - u * 14, cy = ey + 4 + (v - 0.5) * 14;
            cairo_arc(cr, cx, cy, 0.9 + u * 0.8, 0, 2 * M_PI);
            SetColour(cr, k % 2 ? Hex(0xe59aa2) : Hex(0x8a8f9c));
            cairo_fill(cr);
        }
        // Motion strokes.
        for (int k = 0; k < 2; ++k) {
            cairo_move_to(cr, ex - 20 - k * 3, ey - 6 + k * 7);
            cairo_line_to(cr, ex - 14 - k * 3, ey - 6 + k * 7);
        }
        cairo_set_source_rgba(cr, 0.3, 0.2, 0.1, 0.45);
        cairo_set_line_width(cr, 1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    // The eraser: pink and blue, leaning into its stroke.
    cairo_save(cr);
    cairo_translate(cr, ex, ey - 4);
    cairo_rotate(cr, -0.25 + 0.2 * std::sin(f * 1.7));
    DropShadow(cr, -11, -7, 22, 14, 3, 2, 0.4);
    RoundedRect(cr, -11, -7, 12, 14, 3);
    SetColour(cr, Hex(0xe88d99));
    cairo_fill(cr);
    RoundedRect(cr, 0, -7, 11, 14, 3);
    SetColour(cr, Hex(0x4f72b8));
    cairo_fill(cr);
    cairo_rectangle(cr, -2, -7, 4, 14);
    SetColour(cr, Lighter(kParchment, 0.5));
    cairo_fill(cr);
    RoundedRect(cr, -11, -7, 22, 14, 3);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, -7, 0, 7);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(gloss, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 0, 0, 0, 0.2);
    cairo_set_source(cr, gloss);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gloss);
    SetColour(cr, Hex(0x3a2a28));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

Bitmap PaintErase(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(Background(), kEraseX, kEraseY, fw, fh, e.layout.rows, e.layout.columns,
                    [&](cairo_t* cr, int f) { DrawEraseFrame(cr, fw, fh, f); });
}

// Close: 0 rest, 1 lit (the blink while the pointer rests on it), 2 held down.
Bitmap PaintClose(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(Background(), kCloseX, kCloseY, fw, fh, 1, 3, [&](cairo_t* cr, int f) {
        RoundCloseFace(cr, fw / 2.0 - 1, fh / 2.0 - 1, fw * 0.36, f == 2 ? Look::Pressed : Look::Normal, f == 1);
    });
}

}  // namespace

void RegisterHonourArt(PainterTable& table) {
    table[700] = [](const ManifestEntry&) { return Background(); };
    table[5000] = PaintErase;
    table[6789] = PaintClose;
}
