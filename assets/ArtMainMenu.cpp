// Main menu art: the background card and the window buttons that the main menu and the
// play screen share (close and minimise).
#include <cmath>
#include <functional>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"
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
// pieces, two of them lifted out and lying beside the puzzle.
void PuzzleInProgress(cairo_t* cr, double x, double y, double cell) {
    const int cols = 4, rows = 3;
    double w = cols * cell, h = rows * cell;
    auto edgesOf = [&](int r, int c, int e[4]) {
        auto below = [&](int rr, int cc) { return ((rr + cc) % 2) ? 1 : -1; };
        auto right = [&](int rr, int cc) { return ((rr + cc) % 2) ? -1 : 1; };
        e[0] = r == 0 ? 0 : -below(r - 1, c);
        e[1] = c == cols - 1 ? 0 : right(r, c);
        e[2] = r == rows - 1 ? 0 : below(r, c);
        e[3] = c == 0 ? 0 : -right(r, c - 1);
    };
    const int missing[2][2] = {{1, 1}, {2, 3}};
    DropShadow(cr, x, y, w, h, 2, 3, 0.55);
    Landscape(cr, x, y, w, h);
    // Cut lines: a dark groove with a light edge below it.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int e[4];
            edgesOf(r, c, e);
            JigsawPiecePath(cr, x + c * cell, y + r * cell, cell, e);
        }
    cairo_save(cr);
    cairo_translate(cr, 0.6, 0.8);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, 0.5);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // The holes show the felt below, with the cut's shadow.
    for (const auto& m : missing) {
        int e[4];
        edgesOf(m[0], m[1], e);
        JigsawPiecePath(cr, x + m[1] * cell, y + m[0] * cell, cell, e);
        SetColour(cr, Hex(0x1f4a44));
        cairo_fill_preserve(cr);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        cairo_translate(cr, 1.5, 2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_restore(cr);
        cairo_new_path(cr);
    }
    RoundedRect(cr, x - 0.5, y - 0.5, w + 1, h + 1, 1.5);
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The lifted pieces, turned a little, with a shadow.
    const double place[2][3] = {{x - cell * 1.15, y + h * 0.5, -0.3}, {x + w + cell * 0.2, y - cell * 0.1, 0.25}};
    for (int k = 0; k < 2; ++k) {
        int r = missing[k][0], c = missing[k][1];
        int e[4];
        edgesOf(r, c, e);
        cairo_save(cr);
        cairo_translate(cr, place[k][0] + cell / 2, place[k][1] + cell / 2);
        cairo_rotate(cr, place[k][2]);
        cairo_translate(cr, -cell / 2 - c * cell, -cell / 2 - r * cell);
        cairo_save(cr);
        cairo_translate(cr, 2.5, 3.5);
        JigsawPiecePath(cr, c * cell, r * cell, cell, e);
        cairo_set_source_rgba(cr, 0.15, 0.08, 0.03, 0.4);
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_save(cr);
        JigsawPiecePath(cr, c * cell, r * cell, cell, e);
        cairo_clip(cr);
        Landscape(cr, 0, 0, w, h);
        cairo_restore(cr);
        JigsawPiecePath(cr, c * cell, r * cell, cell, e);
        cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, 0.7);
        cairo_set_line_width(cr, 1);
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
    // The picture in the middle: a puzzle half done.
    PuzzleInProgress(cr, 124, 206, 36);

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

// --- The main menu's children: each frame starts as the patch of background it covers ------

Bitmap DrawOnMenu(int x, int y, int fw, int fh, int rows, int columns, const std::function<void(cairo_t*, int)>& draw);

void SpeakerIcon(cairo_t* cr, double cx, double cy, double s, bool muted, Rgb colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - s * 0.55, cy - s * 0.22);
    cairo_line_to(cr, cx - s * 0.25, cy - s * 0.22);
    cairo_line_to(cr, cx + s * 0.1, cy - s * 0.55);
    cairo_line_to(cr, cx + s * 0.1, cy + s * 0.55);
    cairo_line_to(cr, cx - s * 0.25, cy + s * 0.22);
    cairo_line_to(cr, cx - s * 0.55, cy + s * 0.22);
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, s * 0.13);
    if (muted) {
        cairo_move_to(cr, cx + s * 0.25, cy - s * 0.22);
        cairo_line_to(cr, cx + s * 0.65, cy + s * 0.22);
        cairo_move_to(cr, cx + s * 0.65, cy - s * 0.22);
        cairo_line_to(cr, cx + s * 0.25, cy + s * 0.22);
    } else {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + s * 0.1, cy, s * 0.3, -0.8, 0.8);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + s * 0.1, cy, s * 0.55, -0.8, 0.8);
    }
    cairo_stroke(cr);
}

// Sound switch: disabled, on, on + hover, off (muted), off + hover. The switch starts
// unchecked while the sounds are on, so the unchecked pictures show the sound on.
Bitmap PaintSoundSwitch(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOnMenu(266, 0, fw, fh, 5, 1, [&](cairo_t* cr, int i) {
        const Look looks[5] = {Look::Disabled, Look::Normal, Look::Hover, Look::Normal, Look::Hover};
        bool muted = i >= 3;
        Rgb base = i == 0 ? kTeal : (muted ? Mix(kRed, kWalnut, 0.25) : kTeal);
        double r = std::min(fw, fh) / 2.0 - 4;
        GlossyDisc(cr, fw / 2.0 - 0.5, fh / 2.0 - 0.5, r, base, looks[i]);
        Rgb ink = i == 0 ? Hex(0xd8d4cc) : (looks[i] == Look::Hover ? kWhite : Lighter(kParchment, 0.4));
        SpeakerIcon(cr, fw / 2.0 - 1.5, fh / 2.0 - 0.5, r * 1.05, muted || i == 0, ink);
    });
}

const char* const kPlayText[6] = {"Jugar", "Play", "Jogar", "Gioca", "Jouer", "Spielen"};

Bitmap PaintPlayButton(const ManifestEntry& e, int language) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    return DrawOnMenu(54, 106, fw, fh, 3, 1, [&](cairo_t* cr, int i) {
        Look look = looks[i];
        GlossyButton(cr, 5, 5, fw - 11, fh - 11, 24, kRed, look);
        double off = look == Look::Pressed ? 1 : 0;
        // A play triangle in a parchment disc on the left.
        double cx = 40 + off, cy = fh / 2.0 - 0.5 + off, r = 19;
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        SetColour(cr, look == Look::Hover ? kWhite : Lighter(kParchment, 0.3));
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kRed, 0.5));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - 6, cy - 10);
        cairo_line_to(cr, cx + 11, cy);
        cairo_line_to(cr, cx - 6, cy + 10);
        cairo_close_path(cr);
        SetColour(cr, kRed);
        cairo_fill(cr);
        TextStyle st;
        st.size = 40;
        st.fill = look == Look::Hover ? Lighter(kGold, 0.45) : Lighter(kGold, 0.25);
        st.gradient = true;
        st.outline = Darker(kRed, 0.65);
        st.outlineWidth = 2.5;
        st.shadow = 2;
        double left = 66, right = fw - 18;
        st.size = FitTextSize(cr, kPlayText[language], st, right - left);
        DrawTextCentred(cr, kPlayText[language], (left + right) / 2 + off, fh / 2.0 + st.size * 0.33 + off, st);
    });
}

// Decoration: a ladybird on the medallion; frame 1 opens its wings.
Bitmap PaintDecoration(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOnMenu(44, 3, fw, fh, 1, 2, [&](cairo_t* cr, int i) {
        double cx = 31, cy = 30;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, -0.35);
        // Shadow.
        cairo_save(cr);
        cairo_translate(cr, 2, 3);
        cairo_scale(cr, 14, 16);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_fill(cr);
        // Legs and head.
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int k = -1; k <= 1; ++k)
            for (int side = -1; side <= 1; side += 2) {
                cairo_move_to(cr, side * 10, k * 7);
                cairo_line_to(cr, side * 17, k * 8 + 3);
            }
        SetColour(cr, kInk);
        cairo_stroke(cr);
        cairo_arc(cr, 0, -15, 7, 0, 2 * M_PI);
        SetColour(cr, Hex(0x1c1410));
        cairo_fill(cr);
        cairo_arc(cr, -3, -17, 1.6, 0, 2 * M_PI);
        cairo_arc(cr, 3, -17, 1.6, 0, 2 * M_PI);
        SetColour(cr, kParchment);
        cairo_fill(cr);
        if (i == 1) {
            // Open: the thin wings show beneath the lifted wing cases.
            for (int side = -1; side <= 1; side += 2) {
                cairo_save(cr);
                cairo_rotate(cr, side * 0.5);
                cairo_scale(cr, 8, 17);
                cairo_arc(cr, side * 1.1, 0.15, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_set_source_rgba(cr, 0.95, 0.92, 0.85, 0.55);
                cairo_fill(cr);
            }
        }
        for (int side = -1; side <= 1; side += 2) {
            cairo_save(cr);
            double open = i == 1 ? 0.75 : 0.0;
            cairo_translate(cr, 0, -8);
            cairo_rotate(cr, side * open);
            cairo_translate(cr, 0, 8);
            cairo_new_path(cr);
            cairo_move_to(cr, 0, -9);
            cairo_curve_to(cr, side * 16, -10, side * 16, 14, 0, 15);
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_radial(side * 4, -4, 1, side * 4, 0, 16);
            Rgb hi = Lighter(kRed, 0.35), lo = Darker(kRed, 0.3);
            cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
            cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            SetColour(cr, Darker(kRed, 0.6));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            const double spots[3][3] = {{6, -3, 2.6}, {8, 6, 2.2}, {3, 10, 1.8}};
            for (const auto& s : spots) {
                cairo_arc(cr, side * s[0], s[1], s[2], 0, 2 * M_PI);
                SetColour(cr, Hex(0x1c1410));
                cairo_fill(cr);
            }
            cairo_arc(cr, side * 4, -5, 1.6, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        cairo_restore(cr);
    });
}

// Help: a glossy teal disc with a question mark; 1 lit (the blink), 2 pressed.
Bitmap PaintHelpButton(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOnMenu(31, 350, fw, fh, 1, 3, [&](cairo_t* cr, int i) {
        const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
        double cx = fw / 2.0, cy = fh / 2.0 - 1, r = 27;
        GlossyDisc(cr, cx, cy, r, kTeal, looks[i]);
        double off = i == 2 ? 1 : 0;
        TextStyle st;
        st.size = 42;
        st.fill = i == 1 ? Lighter(kGold, 0.3) : Lighter(kParchment, 0.35);
        st.gradient = i == 1;
        st.outline = Darker(kTeal, 0.6);
        st.outlineWidth = 2;
        st.shadow = 1.5;
        DrawTextCentred(cr, "?", cx + off, cy + 14 + off, st);
    });
}

// Exit: a door standing ajar; 1 it opens wider with light and an arrow, 2 pressed.
Bitmap PaintExitButton(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOnMenu(262, 351, fw, fh, 1, 3, [&](cairo_t* cr, int i) { ExitDoor(cr, i); });
}

// Logo: the title on the card; frame 1 shines.
Bitmap PaintMenuLogo(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOnMenu(119, 27, fw, fh, 1, 2, [&](cairo_t* cr, int i) {
        bool lit = i == 1;
        TextStyle title;
        title.size = 44;
        title.fill = lit ? Lighter(kGold, 0.2) : kGold;
        title.gradient = true;
        title.outline = kWalnut;
        title.outlineWidth = 3;
        title.shadow = 2;
        DrawTextCentred(cr, "Vexla", fw / 2.0, 42, title);
        TextStyle sub;
        sub.size = 22;
        sub.fill = lit ? Lighter(kRed, 0.15) : kRed;
        sub.outline = Lighter(kParchment, 0.4);
        sub.outlineWidth = 2;
        sub.shadow = 1;
        DrawTextCentred(cr, "Puzzle", fw / 2.0 + 22, 64, sub);
        if (lit) {
            cairo_t* c = cr;
            const double stars[3][3] = {{fw - 22.0, 12, 5}, {20, 22, 3.5}, {fw / 2.0 - 40, 60, 3}};
            for (const auto& st : stars) {
                cairo_save(c);
                cairo_translate(c, st[0], st[1]);
                double r = st[2];
                cairo_move_to(c, 0, -r * 1.8);
                cairo_curve_to(c, 0, -r * 0.3, 0, -r * 0.3, r * 1.8, 0);
                cairo_curve_to(c, 0, r * 0.3, 0, r * 0.3, 0, r * 1.8);
                cairo_curve_to(c, 0, r * 0.3, 0, r * 0.3, -r * 1.8, 0);
                cairo_curve_to(c, 0, -r * 0.3, 0, -r * 0.3, 0, -r * 1.8);
                SetColour(c, Lighter(kGold, 0.5));
                cairo_fill_preserve(c);
                SetColour(c, Darker(kGold, 0.3));
                cairo_set_line_width(c, 0.7);
                cairo_stroke(c);
                cairo_restore(c);
            }
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

namespace {

Bitmap DrawOnMenu(int x, int y, int fw, int fh, int rows, int columns, const std::function<void(cairo_t*, int)>& draw) {
    cairo_surface_t* background = SurfaceFromBitmap(MainMenuBackground());
    Bitmap out = DrawGrid(fw, fh, rows, columns, [&](cairo_t* cr, int i) {
        cairo_set_source_surface(cr, background, -x, -y);
        cairo_paint(cr);
        draw(cr, i);
    });
    cairo_surface_destroy(background);
    return out;
}

}  // namespace

void RegisterMainMenuArt(PainterTable& table) {
    table[104] = PaintSoundSwitch;
    for (int lang = 0; lang < 6; ++lang)
        table[1620 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) { return PaintPlayButton(e, lang); };
    table[415] = PaintDecoration;
    table[107] = PaintHelpButton;
    table[124] = PaintExitButton;
    table[435] = PaintMenuLogo;
    table[111] = [](const ManifestEntry&) { return MainMenuBackground(); };
    table[103] = [](const ManifestEntry& e) { return PaintWindowButton(e, WindowGlyph::Close); };
    table[112] = [](const ManifestEntry& e) { return PaintWindowButton(e, WindowGlyph::Minimise); };
}
