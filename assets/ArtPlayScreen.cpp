// Play screen art: the board texture, the logo, the new-game button in six languages, the
// box buttons, the two openers and the timer window's background.
#include <cmath>
#include <string>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"
#include "assets/Palette8.h"
#include "assets/Shapes.h"

using namespace art;

namespace {

const Look kButtonLooks[3] = {Look::Normal, Look::Hover, Look::Pressed};

// --- Board texture: a soft teal felt, seamless over 50 x 50 ------------------------------

double FeltTone(int x, int y) {
    // Noise lattices that divide 50 so the tile repeats without a seam.
    double cloud = Fractal(x / 10.0, y / 10.0, 414, 2, 5);
    double fibreA = ValueNoise(x / 2.0, y / 6.25, 415, 25);
    double fibreB = ValueNoise(x / 6.25, y / 2.0, 416, 25);
    double fuzz = Grain(x, y, 417);
    double t = 0.5 + (cloud - 0.5) * 0.18 + (fibreA - 0.5) * 0.25 + (fibreB - 0.5) * 0.25 + (fuzz - 0.5) * 0.38;
    return t;
}

Bitmap PaintBoardTexture(const ManifestEntry& e) {
    auto pal = GradientPalette({Hex(0x12302c), Hex(0x1f4a44), Hex(0x2b6158), Hex(0x3f7a6e)}, 64);
    return ToneBitmap(e.width, e.height, pal, FeltTone);
}

// --- Logo: a red jigsaw piece and the title; frame 1 shines -------------------------------

void DrawLogo(cairo_t* cr, double w, double h, bool lit) {
    // The piece.
    const int edges[4] = {1, 1, -1, -1};
    double s = 28, px = 10, py = 14;
    cairo_save(cr);
    cairo_translate(cr, px + s / 2, py + s / 2);
    cairo_rotate(cr, -0.18);
    cairo_translate(cr, -s / 2, -s / 2);
    cairo_save(cr);
    cairo_translate(cr, 1.5, 2);
    JigsawPiecePath(cr, 0, 0, s, edges);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
    JigsawPiecePath(cr, 0, 0, s, edges);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -8, s, s);
    Rgb red = lit ? Lighter(kRed, 0.2) : kRed;
    Rgb hi = Lighter(red, 0.45), lo = Darker(red, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, red.r, red.g, red.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(kRed, 0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Gloss.
    cairo_arc(cr, s * 0.35, s * 0.3, s * 0.16, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.6 : 0.4);
    cairo_fill(cr);
    cairo_restore(cr);

    TextStyle title;
    title.size = 30;
    title.fill = lit ? Lighter(kGold, 0.25) : kGold;
    title.gradient = true;
    title.outline = kInk;
    title.outlineWidth = 2.5;
    title.shadow = 2;
    DrawTextCentred(cr, "Vexla", 98, 30, title);
    TextStyle sub;
    sub.size = 17;
    sub.fill = kParchment;
    sub.outlineWidth = 2;
    sub.shadow = 1.5;
    DrawTextCentred(cr, "Puzzle", 106, 48, sub);
    if (lit) {
        // Sparkles.
        const double stars[3][3] = {{140, 10, 6}, {58, 40, 4}, {150, 36, 3.5}};
        for (const auto& st : stars) {
            cairo_save(cr);
            cairo_translate(cr, st[0], st[1]);
            double r = st[2];
            cairo_move_to(cr, 0, -r * 1.8);
            cairo_curve_to(cr, 0, -r * 0.3, 0, -r * 0.3, r * 1.8, 0);
            cairo_curve_to(cr, 0, r * 0.3, 0, r * 0.3, 0, r * 1.8);
            cairo_curve_to(cr, 0, r * 0.3, 0, r * 0.3, -r * 1.8, 0);
            cairo_curve_to(cr, 0, -r * 0.3, 0, -r * 0.3, 0, -r * 1.8);
            SetColour(cr, Lighter(kGold, 0.6));
            cairo_fill(cr);
            cairo_restore(cr);
        }
    }
    (void)w;
    (void)h;
}

Bitmap PaintLogo(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawGrid(fw, fh, 2, 1, [&](cairo_t* cr, int i) { DrawLogo(cr, fw, fh, i == 1); });
}

// --- New-game button, one per language ----------------------------------------------------

const char* const kNewGameText[6] = {"Nuevo juego", "New game",    "Novo jogo",
                                     "Nuovo gioco", "Nouveau jeu", "Neues Spiel"};

// The red piece at the left of the new-game pill, its body the 15-pixel square at (x, y).
void NewGameIcon(cairo_t* cr, double x, double y, Look look) {
    const int edges[4] = {1, -1, 0, 1};
    const double s = 15;
    cairo_save(cr);
    cairo_translate(cr, 1, 1.2);
    JigsawPiecePath(cr, x, y, s, edges);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    JigsawPiecePath(cr, x, y, s, edges);
    SetColour(cr, look == Look::Hover ? Lighter(kRed, 0.15) : kRed);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kRed, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

Bitmap PaintNewGame(const ManifestEntry& e, int language) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawStrip(fw, fh, 3, [&](cairo_t* cr, int i) {
        HoneyPill(cr, fw, fh, kButtonLooks[i], kNewGameText[language], NewGameIcon);
    });
}

// --- Box buttons: a little wooden box, empty or with pieces sticking out ------------------

void DrawBoxButton(cairo_t* cr, int fw, int fh, int number, bool full, Look look) {
    double off = look == Look::Pressed ? 1 : 0;
    cairo_translate(cr, off, off);
    double bx = 2.5, bw = fw - 6, top = fh * 0.36, bh = fh - top - 4;
    if (look == Look::Hover) {
        for (int i = 3; i >= 1; --i) {
            RoundedRect(cr, bx - i, top - 5 - i, bw + 2 * i, bh + 5 + 2 * i, 4 + i);
            SetColour(cr, kGold, 0.25);
            cairo_fill(cr);
        }
    }
    if (look != Look::Pressed) DropShadow(cr, bx, top - 4, bw, bh + 4, 3, 1.2, 0.5);
    Rgb wood = StateColour(kHoney, look);
    // Back wall and the dark inside seen through the open top.
    RoundedRect(cr, bx, top - 5, bw, 9, 2.5);
    SetColour(cr, Darker(wood, 0.35));
    cairo_fill(cr);
    RoundedRect(cr, bx + 2, top - 3, bw - 4, 6, 2);
    SetColour(cr, Darker(kWalnut, 0.6));
    cairo_fill(cr);
    // Pieces stand in the box, so the front hides their lower parts.
    if (full) {
        const Rgb colours[3] = {kTeal, kRed, kGold};
        const double place[3][4] = {
            {bx + 5, top - 5, 11, -0.45}, {bx + bw - 6, top - 6, 11, 0.4}, {bx + bw / 2, top - 10, 12, 0.08}};
        const int edges[3][4] = {{1, -1, 1, 0}, {-1, 1, 0, 1}, {1, 1, -1, -1}};
        for (int k = 0; k < 3; ++k) {
            cairo_save(cr);
            cairo_translate(cr, place[k][0], place[k][1]);
            cairo_rotate(cr, place[k][3]);
            double s = place[k][2];
            JigsawPiecePath(cr, -s / 2, -s / 2, s, edges[k]);
            Rgb c = look == Look::Pressed ? Darker(colours[k], 0.15) : colours[k];
            if (look == Look::Hover) c = Lighter(c, 0.15);
            cairo_pattern_t* g = cairo_pattern_create_linear(-s / 2, -s / 2, s / 2, s / 2);
            Rgb hi = Lighter(c, 0.4);
            cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
            cairo_pattern_add_color_stop_rgb(g, 1, c.r, c.g, c.b);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            SetColour(cr, Darker(c, 0.55));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    }
    // Front of the box.
    RoundedRect(cr, bx, top, bw, bh, 3);
    FillProcedural(cr, [&](int x, int y) { return WoodAt(x, y * 3, wood, 300 + number); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(bx, top, bx + bw, top + bh);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.28);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.28);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Rim and a plank line.
    cairo_move_to(cr, bx + 1.5, top + 2);
    cairo_line_to(cr, bx + bw - 1.5, top + 2);
    SetColour(cr, Lighter(wood, 0.4));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Number on a round label.
    double cx = bx + bw / 2.0, cy = top + bh * 0.52, r = bw * 0.36;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColour(cr, Lighter(kParchment, 0.35));
    cairo_fill_preserve(cr);
    SetColour(cr, full ? kRed : Darker(kWalnut, 0.2));
    cairo_set_line_width(cr, full ? 1.4 : 0.9);
    cairo_stroke(cr);
    TextStyle st;
    st.size = r * 1.75;
    st.fill = full ? kRed : kInk;
    st.outlineWidth = 0;
    st.shadow = 0;
    DrawTextCentred(cr, std::to_string(number), cx, cy + st.size * 0.35, st);
}

Bitmap PaintBoxButton(const ManifestEntry& e, int box, bool full) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawStrip(fw, fh, 3, [&](cairo_t* cr, int i) { DrawBoxButton(cr, fw, fh, box + 1, full, kButtonLooks[i]); });
}

// --- Openers: wooden tabs with a chevron, one on the left edge, one above the options bar --

void Chevron(cairo_t* cr, double cx, double cy, double size, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -size * 0.45, -size * 0.7);
    cairo_line_to(cr, size * 0.35, 0);
    cairo_line_to(cr, -size * 0.45, size * 0.7);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
}

// A tab attached along one edge (the attached edge is square, the free corners round).
void TabShape(cairo_t* cr, double w, double h, bool vertical) {
    double r = 12;
    cairo_new_path(cr);
    if (vertical) {  // attached on the left
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, w - r, r, r, -M_PI / 2, 0);
        cairo_arc(cr, w - r, h - r, r, 0, M_PI / 2);
        cairo_line_to(cr, 0, h);
    } else {  // attached at the bottom
        cairo_move_to(cr, 0, h);
        cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
        cairo_arc(cr, w - r, r, r, -M_PI / 2, 0);
        cairo_line_to(cr, w, h);
    }
    cairo_close_path(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double r) {
    const int teeth = 8;
    cairo_new_path(cr);
    for (int k = 0; k < teeth * 2; ++k) {
        double a0 = k * M_PI / teeth, a1 = (k + 1) * M_PI / teeth;
        double rr = (k % 2) ? r * 0.78 : r;
        cairo_arc(cr, cx, cy, rr, a0, a1);
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, r * 0.35, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

Bitmap PaintOpener(const ManifestEntry& e, bool vertical) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    double w = e.width, h = e.height;
    TabShape(cr, w, h, vertical);
    FillProcedural(cr, [&](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.45), 238, vertical); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Gilt line inside the free edges.
    cairo_save(cr);
    if (vertical) {
        cairo_translate(cr, -4, 4);
        cairo_scale(cr, 1, (h - 8) / h);
    } else {
        cairo_translate(cr, 4, 4);
        cairo_scale(cr, (w - 8) / w, 1);
    }
    TabShape(cr, w, h, vertical);
    cairo_restore(cr);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (vertical) {
        Chevron(cr, w / 2 - 1, h / 2 - 14, 9, 0);
        Chevron(cr, w / 2 - 1, h / 2 + 14, 9, 0);
        // A little hammer between the chevrons.
        cairo_save(cr);
        cairo_translate(cr, w / 2 - 2, h / 2);
        cairo_rotate(cr, -0.6);
        cairo_rectangle(cr, -1.5, -2, 3, 11);
        SetColour(cr, Lighter(kHoney, 0.4));
        cairo_fill(cr);
        RoundedRect(cr, -6, -6, 12, 5, 1.5);
        SetColour(cr, Lighter(kParchment, 0.3));
        cairo_fill(cr);
        cairo_restore(cr);
    } else {
        Chevron(cr, w / 2 - 30, h / 2 + 2, 9, -M_PI / 2);
        Chevron(cr, w / 2 + 30, h / 2 + 2, 9, -M_PI / 2);
        Gear(cr, w / 2, h / 2 + 2, 9);
        SetColour(cr, Lighter(kParchment, 0.3));
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kWalnut, 0.4));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    return canvas.ToBitmap24();
}

// --- Timer window background ---------------------------------------------------------------

constexpr int kDigitsLeft = 7, kDigitsTop = 9, kDigitsRight = 101, kDigitsBottom = 30;

Bitmap PaintTimer(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    double w = e.width, h = e.height;
    RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 9);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 442); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, 3, 3, w - 6, h - 6, 7);
    SetColour(cr, kGold, 0.75);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The digit window: exactly the box the digits are drawn in, dark, with a lit lip.
    double dx = kDigitsLeft, dy = kDigitsTop, dw = kDigitsRight - kDigitsLeft, dh = kDigitsBottom - kDigitsTop;
    Recess(cr, dx, dy, dw, dh, 3, Hex(0x120a06), 2);
    // A stopwatch beside it.
    double cx = (kDigitsRight + w) / 2.0 - 1, cy = h / 2.0 + 1.5, r = 8;
    RoundedRect(cr, cx - 2, cy - r - 4, 4, 3, 1);
    SetColour(cr, kGold);
    cairo_fill(cr);
    GlossyDisc(cr, cx, cy, r, kGold, Look::Normal);
    cairo_arc(cr, cx, cy, r * 0.68, 0, 2 * M_PI);
    SetColour(cr, Lighter(kParchment, 0.5));
    cairo_fill(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.55);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.4, cy + r * 0.1);
    SetColour(cr, kRed);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

}  // namespace

void RegisterPlayScreenArt(PainterTable& table) {
    table[114] = PaintBoardTexture;
    table[409] = PaintLogo;
    for (int lang = 0; lang < 6; ++lang)
        table[1510 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) { return PaintNewGame(e, lang); };
    for (int box = 0; box < 6; ++box) {
        table[300 + static_cast<uint32_t>(box)] = [box](const ManifestEntry& e) {
            return PaintBoxButton(e, box, false);
        };
        table[310 + static_cast<uint32_t>(box)] = [box](const ManifestEntry& e) {
            return PaintBoxButton(e, box, true);
        };
    }
    table[238] = [](const ManifestEntry& e) { return PaintOpener(e, true); };
    table[239] = [](const ManifestEntry& e) { return PaintOpener(e, false); };
    table[442] = PaintTimer;
}
