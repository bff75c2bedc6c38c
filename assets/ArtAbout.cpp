// About window art. The about picture (410), shown 640 x 480 in the middle of a black
// screen: the game's title over a craft table with a puzzle in progress, and the credits of
// the shipped pictures, the typeface and the sounds, with pictograms instead of words so
// that one picture serves every language. The product pages: their background (412) with a
// sheet for the description, a screen for the clip and plates for the buttons; the pictures
// of the four products copied over its top-left corner (600-603); play and stop (413, 414)
// and the close button (205), a red token that flips over and over while hovered.
#include <cmath>
#include <functional>
#include <string>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"
#include "assets/Shapes.h"
#include "assets/TableScene.h"

using namespace art;

namespace {

void CameraIcon(cairo_t* cr, double cx, double cy, double s) {
    RoundedRect(cr, cx - s, cy - s * 0.6, s * 2, s * 1.3, s * 0.25);
    SetColour(cr, kInk);
    cairo_fill(cr);
    RoundedRect(cr, cx - s * 0.4, cy - s * 0.85, s * 0.8, s * 0.4, s * 0.1);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy + s * 0.05, s * 0.45, 0, 2 * M_PI);
    SetColour(cr, Lighter(kParchment, 0.3));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy + s * 0.05, s * 0.28, 0, 2 * M_PI);
    SetColour(cr, kTeal);
    cairo_fill(cr);
}

void NoteIcon(cairo_t* cr, double cx, double cy, double s) {
    for (int k = 0; k < 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, cx - s * 0.55 + k * s, cy + s * 0.5 - k * s * 0.2);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, s * 0.36, s * 0.26);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    }
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_move_to(cr, cx - s * 0.25, cy + s * 0.45);
    cairo_line_to(cr, cx - s * 0.25, cy - s * 0.7);
    cairo_line_to(cr, cx + s * 0.75, cy - s * 0.9);
    cairo_line_to(cr, cx + s * 0.75, cy + s * 0.25);
    cairo_set_line_width(cr, s * 0.16);
    cairo_stroke(cr);
}

void Credit(cairo_t* cr, double x, double baseline, const char* icon, const char* text) {
    double cy = baseline - 6;
    TextStyle st;
    st.size = 17;
    st.fill = kInk;
    st.outlineWidth = 0;
    st.shadow = 0;
    if (std::string(icon) == "camera")
        CameraIcon(cr, x + 12, cy, 10);
    else if (std::string(icon) == "note")
        NoteIcon(cr, x + 12, cy, 10);
    else {
        TextStyle glyph = st;
        glyph.size = 20;
        glyph.fill = kRed;
        DrawTextCentred(cr, icon, x + 12, baseline + 1, glyph);
    }
    DrawTextLeft(cr, text, x + 32, baseline, st);
}

Bitmap PaintAbout(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    const double w = e.width, h = e.height;
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, w, h, 18, 18, 410);

    // The title with a red piece beside it.
    const int edges[4] = {1, 1, -1, -1};
    cairo_save(cr);
    cairo_translate(cr, 178, 58);
    cairo_rotate(cr, -0.2);
    GlossyPiece(cr, -21, -21, 42, edges, kRed, 3);
    cairo_restore(cr);
    TitleLogo(cr, 330, 62, 1.45, 0.4);

    // The craft table: a felt window with a puzzle in progress, loose pieces, tea and a pencil.
    const double tx = 42, ty = 122, tw = w - 84, th = 236;
    Recess(cr, tx, ty, tw, th, 14, Hex(0x1f4a44), 3);
    RoundedRect(cr, tx, ty, tw, th, 14);
    FillFelt(cr, 411);
    cairo_save(cr);
    RoundedRect(cr, tx, ty, tw, th, 14);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
        RoundedRect(cr, tx + i * 0.5 - 0.5, ty + i * 0.5 - 0.5, tw + 2, th + 2, 14);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25 / (i + 1));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    const int cols = 6, rows = 4;
    const double cell = 42, px = 214, py = 154;
    LandscapePuzzle(cr, px, py, cols, rows, cell, false, {{1, 3}, {2, 4}, {3, 1}, {0, 5}});
    LoosePuzzlePiece(cr, cols * cell, rows * cell, cols, rows, cell, false, 1, 3, 150, 306, -0.4);
    LoosePuzzlePiece(cr, cols * cell, rows * cell, cols, rows, cell, false, 2, 4, 540, 300, 0.35);
    LoosePuzzlePiece(cr, cols * cell, rows * cell, cols, rows, cell, false, 0, 5, 548, 196, -0.15);
    Ladybird(cr, 554, 194, 10, 0.4);
    TeaCup(cr, 118, 196, 34);
    Pencil(cr, 76, 262, 96, -0.35);
    cairo_restore(cr);

    // Credits.
    Credit(cr, 70, 394, "camera", "mate-backgrounds  ·  plasma-workspace-wallpapers  (Debian)");
    Credit(cr, 70, 424, "Aa", "Comic Neue");
    Credit(cr, 270, 424, "note", "sox  ·  espeak-ng");
    TextStyle version;
    version.size = 15;
    version.fill = Darker(kHoney, 0.2);
    version.outlineWidth = 0;
    version.shadow = 0;
    DrawTextCentred(cr, "1.0", w - 64, 448, version);
    return canvas.ToBitmap24();
}

// --- Product pages ------------------------------------------------------------------------

constexpr int kPictureX = 1, kPictureY = 0, kPictureW = 266, kPictureH = 174;
constexpr int kClipX = 364, kClipY = 158, kClipW = 222, kClipH = 162;
constexpr int kPlayX = 505, kStopX = 538, kMediaY = 320;
constexpr int kCloseX = 440, kCloseY = 412;

void FiveStars(cairo_t* cr, double cx, double cy) {
    TitlePlaque(cr, cx - 110, cy - 24, 220, 48, 4121);
    for (int k = 0; k < 5; ++k) {
        StarPath(cr, cx - 68 + k * 34, cy + 1, 12, 5, 0);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - 12, 0, cy + 12);
        Rgb hi = Lighter(kGold, 0.5), lo = Darker(kGold, 0.2);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, Darker(kGold, 0.55));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

Bitmap PaintProductPage() {
    Canvas canvas(640, 480);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, 640, 480, 18, 18, 412);
    // Where the product's picture goes (each picture repaints this corner whole).
    Recess(cr, kPictureX + 16, kPictureY + 16, kPictureW - 32, kPictureH - 30, 8, Hex(0x1f4a44));
    // The description's sheet.
    PaperSheet(cr, 34, 180, 246, 276, -0.01, 4122);
    FiveStars(cr, 462, 84);
    // The clip's screen: a walnut cabinet around a dark glass, play and stop on its foot
    // beside a speaker grille.
    const double bx = kClipX - 12, by = kClipY - 12, bw = kClipW + 24, bh = kClipH + 12 + 44;
    DropShadow(cr, bx, by, bw, bh, 12, 3, 0.45);
    RoundedRect(cr, bx, by, bw, bh, 12);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.2), 4123); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(bx, by, bx, by + bh);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.25);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The gilt line round the glass leaves out the buttons, which stand right under it.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 640, 480);
    cairo_rectangle(cr, kPlayX - 2, kMediaY, kStopX - kPlayX + 34, 32);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    RoundedRect(cr, kClipX - 4.5, kClipY - 4.5, kClipW + 9, kClipH + 9, 6);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, kClipX, kClipY, kClipW, kClipH);
    cairo_pattern_t* glass = cairo_pattern_create_linear(kClipX, kClipY, kClipX + kClipW, kClipY + kClipH);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.14, 0.16, 0.18);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.03, 0.03, 0.04);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    for (int k = 0; k < 9; ++k) {
        RoundedRect(cr, kClipX + 8 + k * 12, kMediaY + 10, 5, 20, 2.5);
        SetColour(cr, Darker(kWalnut, 0.6));
        cairo_fill(cr);
    }
    Recess(cr, kCloseX - 4, kCloseY - 2, 72, 56, 12, Mix(kParchment, kHoney, 0.35));
    return canvas.ToBitmap24();
}

const Bitmap& ProductPage() {
    static const Bitmap page = PaintProductPage();
    return page;
}

// The four products' pictures, each a little game on the felt of the corner's recess.
void MemoryCards(cairo_t* cr, double w, double h) {
    for (int k = 0; k < 5; ++k) {
        double cx = w / 2 - 84 + k * 42, cy = h / 2 + 4 + (k % 2) * 8;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, (k - 2) * 0.09);
        DropShadow(cr, -17, -24, 34, 48, 4, 2, 0.45);
        RoundedRect(cr, -17, -24, 34, 48, 4);
        bool faceUp = k == 1 || k == 3;
        if (faceUp) {
            SetColour(cr, Lighter(kParchment, 0.6));
            cairo_fill(cr);
            Heart(cr, 0, 0, 9, kRed);
        } else {
            SetColour(cr, kTeal);
            cairo_fill_preserve(cr);
            SetColour(cr, Darker(kTeal, 0.5));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            RoundedRect(cr, -12, -19, 24, 38, 3);
            SetColour(cr, kGold, 0.8);
            cairo_stroke(cr);
            StarPath(cr, 0, 0, 7, 3, 0);
            SetColour(cr, kGold);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
}

void TileStacks(cairo_t* cr, double w, double h) {
    const Rgb marks[3] = {kRed, kTeal, kGold};
    for (int layer = 0; layer < 2; ++layer)
        for (int k = 0; k < (layer ? 3 : 5); ++k) {
            double x = w / 2 - (layer ? 54 : 90) + k * 36 - layer * 3, y = h / 2 - 22 - layer * 6 + (layer ? 12 : 0);
            DropShadow(cr, x, y, 30, 40, 4, 2.5, 0.4);
            RoundedRect(cr, x + 2, y + 3, 30, 40, 4);
            SetColour(cr, Hex(0x8a6a3a));
            cairo_fill(cr);
            RoundedRect(cr, x, y, 30, 40, 4);
            SetColour(cr, Hex(0xf6f0e2));
            cairo_fill_preserve(cr);
            SetColour(cr, Hex(0x9a8a70));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            Rgb m = marks[(k + layer) % 3];
            if ((k + layer) % 2) {
                cairo_arc(cr, x + 15, y + 20, 8, 0, 2 * M_PI);
                SetColour(cr, m);
                cairo_set_line_width(cr, 3);
                cairo_stroke(cr);
            } else {
                for (int b = 0; b < 3; ++b) {
                    cairo_rectangle(cr, x + 8 + b * 6, y + 10, 3.5, 20);
                    SetColour(cr, m);
                    cairo_fill(cr);
                }
            }
        }
}

void LetterTiles(cairo_t* cr, double w, double h) {
    const char* letters[6] = {"V", "E", "X", "L", "A", "!"};
    for (int k = 0; k < 6; ++k) {
        double x = w / 2 - 99 + k * 34, y = h / 2 - 16 + ((k * 7) % 3 - 1) * 5;
        cairo_save(cr);
        cairo_translate(cr, x + 15, y + 15);
        cairo_rotate(cr, ((k * 5) % 3 - 1) * 0.08);
        DropShadow(cr, -15, -15, 30, 30, 4, 2, 0.45);
        RoundedRect(cr, -15, -15, 30, 30, 4);
        FillProcedural(cr, [k](int px, int py) { return WoodAt(px, py, Lighter(kHoney, 0.25), 600 + k); });
        SetColour(cr, Darker(kHoney, 0.45));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        TextStyle st;
        st.size = 20;
        st.fill = kInk;
        st.outlineWidth = 0;
        st.shadow = 0;
        DrawTextCentred(cr, letters[k], 0, 7, st);
        cairo_restore(cr);
    }
}

void Marbles(cairo_t* cr, double w, double h) {
    const Rgb colours[5] = {kRed, kTeal, kGold, Hex(0x3d5aa8), Hex(0x8fbf4a)};
    RoundedRect(cr, w / 2 - 92, h / 2 - 36, 184, 72, 30);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, kHoney, 603); });
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 6; ++c) {
            double cx = w / 2 - 70 + c * 28 + r * 14, cy = h / 2 - 13 + r * 26;
            if (r == 1 && c == 5) continue;
            GlossyDisc(cr, cx, cy, 11, colours[(r * 6 + c) % 5], Look::Normal);
        }
}

Bitmap PaintProductPicture(const ManifestEntry& e, int product) {
    const std::function<void(cairo_t*, double, double)> games[4] = {MemoryCards, TileStacks, LetterTiles, Marbles};
    return DrawOver(ProductPage(), kPictureX, kPictureY, e.width, e.height, 1, 1, [&](cairo_t* cr, int) {
        // The felt of the recess, then the game on it.
        const double x = 15, y = 16, w = kPictureW - 32, h = kPictureH - 30;
        cairo_save(cr);
        RoundedRect(cr, x, y, w, h, 8);
        cairo_clip(cr);
        RoundedRect(cr, x, y, w, h, 8);
        FillFelt(cr, 600 + static_cast<uint32_t>(product));
        cairo_translate(cr, x, y);
        games[product](cr, w, h);
        cairo_restore(cr);
        RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 8);
        SetColour(cr, kGold, 0.85);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    });
}

// Play and stop: disabled, normal, hover, pressed.
Bitmap PaintMediaButton(const ManifestEntry& e, int x, bool play) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[4] = {Look::Disabled, Look::Normal, Look::Hover, Look::Pressed};
    return DrawOver(ProductPage(), x, kMediaY, fw, fh, 4, 1, [&](cairo_t* cr, int i) {
        Look look = looks[i];
        double r = fw / 2.0 - 4, cx = fw / 2.0 - 0.5, cy = fh / 2.0 - 0.5;
        GlossyDisc(cr, cx, cy, r, play ? kTeal : kRed, look);
        double off = look == Look::Pressed ? 1 : 0;
        cairo_new_path(cr);
        if (play) {
            cairo_move_to(cr, cx - r * 0.3 + off, cy - r * 0.45 + off);
            cairo_line_to(cr, cx + r * 0.5 + off, cy + off);
            cairo_line_to(cr, cx - r * 0.3 + off, cy + r * 0.45 + off);
            cairo_close_path(cr);
        } else {
            cairo_rectangle(cr, cx - r * 0.36 + off, cy - r * 0.36 + off, r * 0.72, r * 0.72);
        }
        Rgb ink = look == Look::Disabled ? Hex(0xd8d4cc) : (look == Look::Hover ? kWhite : Lighter(kParchment, 0.4));
        SetColour(cr, ink);
        cairo_fill(cr);
    });
}

}  // namespace

void RegisterAboutArt(PainterTable& table) {
    table[410] = PaintAbout;
    table[412] = [](const ManifestEntry&) { return ProductPage(); };
    for (int product = 0; product < 4; ++product)
        table[600 + static_cast<uint32_t>(product)] = [product](const ManifestEntry& e) {
            return PaintProductPicture(e, product);
        };
    table[413] = [](const ManifestEntry& e) { return PaintMediaButton(e, kPlayX, true); };
    table[414] = [](const ManifestEntry& e) { return PaintMediaButton(e, kStopX, false); };
}
