// About window art: the about picture (410), shown 640 x 480 in the middle of a black
// screen: the game's title over a craft table with a puzzle in progress, and the credits of
// the shipped pictures, the typeface and the sounds, with pictograms instead of words so
// that one picture serves every language.
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"
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

}  // namespace

void RegisterAboutArt(PainterTable& table) {
    table[410] = PaintAbout;
}
