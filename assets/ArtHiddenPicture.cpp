// The hidden picture (508), behind Shift, Ctrl and Q on the main menu: a finished puzzle on
// the craft table that says "Thank you!", with paper tags saying it in the other five
// languages, a cup of tea, a pencil and the menu's ladybird come to visit.
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"
#include "assets/TableScene.h"

using namespace art;

namespace {

constexpr int kCols = 6, kRows = 4;
constexpr double kCell = 40, kPuzzleX = 120, kPuzzleY = 78;

void Tag(cairo_t* cr, double cx, double cy, double angle, const char* text, uint32_t seed) {
    TextStyle st;
    st.size = 19;
    st.fill = kRed;
    st.outlineWidth = 0;
    st.shadow = 0;
    double w = TextWidth(cr, text, st) + 26, h = 32;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    PaperSheet(cr, -w / 2, -h / 2, w, h, 0, seed);
    DrawTextCentred(cr, text, 0, 6.5, st);
    GlossyDisc(cr, -w / 2 + 8, -h / 2 + 7, 3, kGold, Look::Normal);
    cairo_restore(cr);
}

Bitmap PaintHiddenPicture(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    const double w = e.width, h = e.height;
    // The table's edge, and the felt mat on it.
    cairo_rectangle(cr, 0, 0, w, h);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.4), 508); });
    cairo_new_path(cr);
    RoundedRect(cr, 18, 18, w - 36, h - 36, 14);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    RoundedRect(cr, 20, 20, w - 40, h - 40, 12);
    FillFelt(cr, 509);
    RoundedRect(cr, 24.5, 24.5, w - 49, h - 49, 9);
    SetColour(cr, kGold, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    // The finished puzzle, a sunset, with the thanks written across its sky.
    const double pw = kCols * kCell, ph = kRows * kCell;
    for (int i = 5; i >= 1; --i) {
        RoundedRect(cr, kPuzzleX - i * 2.5, kPuzzleY - i * 2.5, pw + i * 5, ph + i * 5, 4 + i * 2);
        SetColour(cr, kGold, 0.07);
        cairo_fill(cr);
    }
    LandscapePuzzle(cr, kPuzzleX, kPuzzleY, kCols, kRows, kCell, true, {}, [&](cairo_t* c) {
        TextStyle st;
        st.size = 44;
        st.fill = Lighter(kGold, 0.3);
        st.gradient = true;
        st.outline = Darker(kRed, 0.45);
        st.outlineWidth = 2.5;
        st.shadow = 2.5;
        DrawTextCentred(c, "Thank you!", kPuzzleX + pw / 2, kPuzzleY + 58, st);
        Heart(c, kPuzzleX + pw / 2, kPuzzleY + 88, 9, kRed);
    });
    Ladybird(cr, kPuzzleX + pw - 26, kPuzzleY + ph - 22, 13, 0.7);

    // The other five languages on paper tags around it.
    Tag(cr, 104, 50, -0.1, "¡Gracias!", 5081);
    Tag(cr, 378, 48, 0.08, "Obrigado!", 5082);
    Tag(cr, 74, 296, 0.1, "Grazie!", 5083);
    Tag(cr, 404, 294, -0.09, "Merci !", 5084);
    Tag(cr, 240, 290, 0.03, "Danke!", 5085);
    TeaCup(cr, 66, 168, 30);
    Pencil(cr, 372, 196, 84, -1.1);
    Heart(cr, 168, 292, 7, Lighter(kRed, 0.15));
    Heart(cr, 314, 288, 6, kGold);
    Twinkle(cr, kPuzzleX + 8, kPuzzleY + 6, 5, 0.95);
    Twinkle(cr, kPuzzleX + pw - 10, kPuzzleY + 10, 3.5, 0.8);
    return canvas.ToBitmap24();
}

}  // namespace

void RegisterHiddenPictureArt(PainterTable& table) { table[508] = PaintHiddenPicture; }
