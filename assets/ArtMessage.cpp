// Message window art: the question box's background (158, carrying the Spanish title), the
// titles of the other five languages that the window copies over its top-left corner
// (1591-1595), and the OK and Cancel buttons (151, 153).
#include <cmath>
#include <string>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"

using namespace art;

namespace {

constexpr int kWidth = 456, kHeight = 270;
constexpr int kOkX = 194, kOkY = 204, kCancelX = 331, kCancelY = 201;
// Both faces sit on the same line although the window puts Cancel 3 pixels higher.
constexpr int kFaceY = 207;

const char* const kTitles[6] = {"Mensaje", "Message", "Mensagem", "Messaggio", "Message", "Nachricht"};

// An inkwell with a quill and a sealed letter: the window asks, and takes names.
void InkwellAndLetter(cairo_t* cr) {
    // The letter, lying askew.
    PaperSheet(cr, 28, 168, 112, 70, -0.12, 158);
    cairo_save(cr);
    cairo_translate(cr, 84, 203);
    cairo_rotate(cr, -0.12);
    for (int k = 0; k < 4; ++k) {
        double y = -22 + k * 11, len = k == 3 ? 40 : 78;
        cairo_move_to(cr, -44, y);
        for (double x = -44; x < -44 + len; x += 6) cairo_line_to(cr, x + 3, y + ((int(x) / 6) % 2 ? -1.2 : 1.2));
    }
    SetColour(cr, Hex(0x3a4a7a), 0.55);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    // Wax seal.
    cairo_new_path(cr);
    for (int k = 0; k < 14; ++k) {
        double a = k * 2 * M_PI / 14, rr = (k % 2) ? 10.5 : 12;
        cairo_line_to(cr, 34 + std::cos(a) * rr, 18 + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    cairo_pattern_t* wax = cairo_pattern_create_radial(31, 14, 1, 34, 18, 13);
    Rgb hi = Lighter(kRed, 0.3), lo = Darker(kRed, 0.35);
    cairo_pattern_add_color_stop_rgb(wax, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(wax, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, wax);
    cairo_fill(cr);
    cairo_pattern_destroy(wax);
    const int edges[4] = {1, -1, 1, -1};
    cairo_save(cr);
    cairo_translate(cr, 34, 18);
    cairo_scale(cr, 0.5, 0.5);
    GlossyPiece(cr, -8, -8, 16, edges, Darker(kRed, 0.2), 0);
    cairo_restore(cr);
    cairo_restore(cr);

    // The inkwell: dark glass with a brass collar.
    double cx = 74, base = 160;
    cairo_save(cr);
    cairo_translate(cr, cx + 4, base + 2);
    cairo_scale(cr, 34, 7);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0.04, 0.35);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 30, base);
    cairo_curve_to(cr, cx - 36, base - 20, cx - 30, base - 40, cx - 14, base - 44);
    cairo_line_to(cr, cx + 14, base - 44);
    cairo_curve_to(cr, cx + 30, base - 40, cx + 36, base - 20, cx + 30, base);
    cairo_close_path(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(cx - 34, 0, cx + 34, 0);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.16, 0.2, 0.3);
    cairo_pattern_add_color_stop_rgb(glass, 0.35, 0.3, 0.38, 0.52);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.06, 0.07, 0.12);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    SetColour(cr, Hex(0x0c0e16));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Ink level and a highlight on the glass.
    cairo_move_to(cr, cx - 22, base - 30);
    cairo_curve_to(cr, cx - 26, base - 18, cx - 24, base - 8, cx - 16, base - 4);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 16, base - 52, 32, 10, 3);
    cairo_pattern_t* brass = cairo_pattern_create_linear(cx - 16, 0, cx + 16, 0);
    Rgb bh = Lighter(kGold, 0.45), bl = Darker(kGold, 0.35);
    cairo_pattern_add_color_stop_rgb(brass, 0, bl.r, bl.g, bl.b);
    cairo_pattern_add_color_stop_rgb(brass, 0.35, bh.r, bh.g, bh.b);
    cairo_pattern_add_color_stop_rgb(brass, 1, bl.r, bl.g, bl.b);
    cairo_set_source(cr, brass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(brass);
    SetColour(cr, Darker(kGold, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    // The quill, standing in the well and leaning right.
    cairo_save(cr);
    cairo_translate(cr, cx + 2, base - 50);
    cairo_rotate(cr, 0.5);
    cairo_scale(cr, 0.85, 0.85);
    cairo_move_to(cr, 0, 6);
    cairo_curve_to(cr, -14, -20, -12, -70, 4, -108);
    cairo_curve_to(cr, 12, -80, 14, -30, 2, 6);
    cairo_close_path(cr);
    cairo_pattern_t* vane = cairo_pattern_create_linear(-12, 0, 14, 0);
    cairo_pattern_add_color_stop_rgb(vane, 0, 0.98, 0.95, 0.88);
    cairo_pattern_add_color_stop_rgb(vane, 1, 0.78, 0.72, 0.62);
    cairo_set_source(cr, vane);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(vane);
    SetColour(cr, Hex(0x8c7d68));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int k = 0; k < 9; ++k) {
        double y = -12 - k * 10;
        cairo_move_to(cr, 1, y);
        cairo_line_to(cr, -9 + k * 0.6, y - 6);
        cairo_move_to(cr, 2, y);
        cairo_line_to(cr, 10 - k * 0.5, y - 7);
    }
    SetColour(cr, Hex(0xa89880), 0.7);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 1, 8);
    cairo_curve_to(cr, 0, -30, 2, -70, 4, -106);
    SetColour(cr, Hex(0x7a6a55));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

Bitmap PaintPlainBackground() {
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kWidth, kHeight, 12, 14, 1580);
    TitlePlaque(cr, 10, 8, 190, 42, 1581);
    InkwellAndLetter(cr);
    // The card the question is written on; the edit field lies on its lower part.
    PaperSheet(cr, 164, 26, 244, 160, 0, 1582);
    for (int k = 0; k < 2; ++k) {
        double px = k == 0 ? 176 : 396;
        GlossyDisc(cr, px, 34, 3.2, kRed, Look::Normal);
    }
    // A gilt rule over the buttons.
    cairo_move_to(cr, 186, 197.5);
    cairo_line_to(cr, 434, 197.5);
    SetColour(cr, kGold, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

const Bitmap& PlainBackground() {
    static const Bitmap background = PaintPlainBackground();
    return background;
}

void DrawTitle(cairo_t* cr, int language) { GiltTitle(cr, kTitles[language], 22, 11, 166, 36, 26); }

Bitmap PaintBackground(const ManifestEntry& e) {
    return DrawOver(PlainBackground(), 0, 0, e.width, e.height, 1, 1, [](cairo_t* cr, int) { DrawTitle(cr, 0); });
}

Bitmap PaintTitle(const ManifestEntry& e, int language) {
    return DrawOver(PlainBackground(), 0, 0, e.width, e.height, 1, 1,
                    [language](cairo_t* cr, int) { DrawTitle(cr, language); });
}

Bitmap PaintConfirm(const ManifestEntry& e, int x, int y, ConfirmGlyph glyph) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    double top = kFaceY - y;
    return DrawOver(PlainBackground(), x, y, fw, fh, 3, 1,
                    [&](cairo_t* cr, int i) { ConfirmButtonFace(cr, 4, top, fw - 8, 40, glyph, looks[i]); });
}

}  // namespace

void RegisterMessageArt(PainterTable& table) {
    table[158] = PaintBackground;
    for (int lang = 1; lang < 6; ++lang)
        table[1590 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) { return PaintTitle(e, lang); };
    table[151] = [](const ManifestEntry& e) { return PaintConfirm(e, kOkX, kOkY, ConfirmGlyph::Tick); };
    table[153] = [](const ManifestEntry& e) { return PaintConfirm(e, kCancelX, kCancelY, ConfirmGlyph::Cross); };
}
