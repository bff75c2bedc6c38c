// Statistics window art: the background (445) with an empty title plaque, the six titles
// that the window copies onto the plaque (1700-1705) and its OK button (444).
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"

using namespace art;

namespace {

constexpr int kWidth = 500, kHeight = 272;
constexpr int kTitleX = 17, kTitleY = 4;
constexpr int kButtonX = 289, kButtonY = 207;

const char* const kTitles[6] = {"Estadísticas", "Statistics",   "Estatísticas",
                                "Statistiche",  "Statistiques", "Statistik"};

void Stopwatch(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx + 2, cy + 3, r + 1, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.15, 0.08, 0.03, 0.35);
    cairo_fill(cr);
    RoundedRect(cr, cx - 4, cy - r - 9, 8, 7, 2);
    SetColour(cr, Darker(kGold, 0.15));
    cairo_fill(cr);
    GlossyDisc(cr, cx, cy - r - 10, 3.5, kGold, Look::Normal);
    GlossyDisc(cr, cx, cy, r, kGold, Look::Normal);
    cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * M_PI);
    SetColour(cr, Lighter(kParchment, 0.6));
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kGold, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int k = 0; k < 12; ++k) {
        double a = k * M_PI / 6;
        double r0 = r * (k % 3 ? 0.68 : 0.6), r1 = r * 0.75;
        cairo_move_to(cr, cx + std::cos(a) * r0, cy + std::sin(a) * r0);
        cairo_line_to(cr, cx + std::cos(a) * r1, cy + std::sin(a) * r1);
    }
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.45, cy - r * 0.4);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx - r * 0.1, cy - r * 0.62);
    SetColour(cr, kRed);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    GlossyDisc(cr, cx, cy, 2, kRed, Look::Normal);
}

// A clipboard with a bar chart and a pie, and a stopwatch beside it.
void Clipboard(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 78, 158);
    cairo_rotate(cr, -0.06);
    double w = 108, h = 160;
    DropShadow(cr, -w / 2, -h / 2, w, h, 7, 3, 0.45);
    RoundedRect(cr, -w / 2, -h / 2, w, h, 7);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, kHoney, 445, true); });
    SetColour(cr, Darker(kWalnut, 0.2));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Paper.
    RoundedRect(cr, -w / 2 + 7, -h / 2 + 14, w - 14, h - 21, 2);
    SetColour(cr, Lighter(kParchment, 0.65));
    cairo_fill(cr);
    // Grid and bars.
    double bx = -w / 2 + 14, base = -4, top = -h / 2 + 30;
    for (int k = 0; k < 4; ++k) {
        double y = base - k * (base - top) / 4.0;
        cairo_move_to(cr, bx, y + 0.5);
        cairo_line_to(cr, w / 2 - 14, y + 0.5);
    }
    SetColour(cr, kTeal, 0.25);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    const Rgb colours[4] = {kRed, kGold, kTeal, kHoney};
    const double level[4] = {0.45, 0.7, 0.55, 0.9};
    double barW = (w - 28) / 4.0 - 4;
    for (int k = 0; k < 4; ++k) {
        double bh = level[k] * (base - top);
        double x = bx + 2 + k * (barW + 4);
        RoundedRect(cr, x, base - bh, barW, bh, 1.5);
        cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + barW, 0);
        Rgb hi = Lighter(colours[k], 0.35), lo = Darker(colours[k], 0.2);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_move_to(cr, bx, base + 0.5);
    cairo_line_to(cr, w / 2 - 14, base + 0.5);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A pie below the bars, and a few lines of figures.
    double pcx = -w / 2 + 32, pcy = 32, pr = 17;
    const double cuts[4] = {0, 0.42, 0.7, 1.0};
    const Rgb pie[3] = {kRed, kTeal, kGold};
    for (int k = 0; k < 3; ++k) {
        double a0 = -M_PI / 2 + cuts[k] * 2 * M_PI, a1 = -M_PI / 2 + cuts[k + 1] * 2 * M_PI;
        cairo_move_to(cr, pcx, pcy);
        cairo_arc(cr, pcx, pcy, pr, a0, a1);
        cairo_close_path(cr);
        SetColour(cr, pie[k]);
        cairo_fill_preserve(cr);
        SetColour(cr, Lighter(kParchment, 0.6));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    for (int k = 0; k < 4; ++k) {
        double y = 20 + k * 8;
        cairo_move_to(cr, pcx + pr + 8, y);
        cairo_line_to(cr, w / 2 - 14 - (k % 2) * 10, y);
    }
    SetColour(cr, kInk, 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The clip.
    RoundedRect(cr, -20, -h / 2 - 5, 40, 16, 4);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, -h / 2 - 5, 0, -h / 2 + 11);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.92, 0.9, 0.86);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.55, 0.53, 0.5);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    SetColour(cr, Hex(0x4a4640));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -h / 2 - 1, 4, 0, 2 * M_PI);
    SetColour(cr, Hex(0x4a4640));
    cairo_fill(cr);
    cairo_restore(cr);
    Stopwatch(cr, 116, 222, 20);
}

Bitmap PaintPlainBackground() {
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kWidth, kHeight, 12, 14, 4450);
    TitlePlaque(cr, kTitleX + 2, kTitleY + 4, 239, 46, 4451);
    Clipboard(cr);
    // The sheet the figures are written on (red with a black shadow, from x 151, y 59).
    PaperSheet(cr, 142, 57, 342, 136, 0, 4452);
    for (int k = 0; k < 3; ++k) {
        double y = 59 + 29 * (k + 1) + 1.5;
        cairo_move_to(cr, 150, y);
        cairo_line_to(cr, 476, y);
    }
    SetColour(cr, kTeal, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

const Bitmap& PlainBackground() {
    static const Bitmap background = PaintPlainBackground();
    return background;
}

Bitmap PaintTitle(const ManifestEntry& e, int language) {
    return DrawOver(PlainBackground(), kTitleX, kTitleY, e.width, e.height, 1, 1,
                    [&](cairo_t* cr, int) { GiltTitle(cr, kTitles[language], 14, 6, e.width - 28, 42, 30); });
}

Bitmap PaintOk(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    return DrawOver(PlainBackground(), kButtonX, kButtonY, fw, fh, 3, 1, [&](cairo_t* cr, int i) {
        ConfirmButtonFace(cr, 4, 3, fw - 8, fh - 6, ConfirmGlyph::Tick, looks[i]);
    });
}

}  // namespace

void RegisterStatisticsArt(PainterTable& table) {
    table[445] = [](const ManifestEntry&) { return PlainBackground(); };
    for (int lang = 0; lang < 6; ++lang)
        table[1700 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) { return PaintTitle(e, lang); };
    table[444] = PaintOk;
}
