// New-puzzle dialog art, the frame of the dialog: the background (a card with a title plate,
// a work tray that holds every page's children, and a shelf for the buttons), the title in
// six languages, the four page tabs in six languages, and the buttons along the bottom:
// help, view, accept and cancel. The pages' own controls are in ArtNewPuzzlePages.cpp.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"
#include "assets/NewPuzzleLayout.h"
#include "assets/Shapes.h"

using namespace art;
using namespace newpuzzle;

namespace {

SixTexts kTitle = {"Nuevo rompecabezas", "New puzzle",     "Novo quebra-cabeça",
                   "Nuovo puzzle",       "Nouveau puzzle", "Neues Puzzle"};
SixTexts kPictureTab = {"Imagen", "Picture", "Imagem", "Immagine", "Image", "Bild"};
SixTexts kShapeTab = {"Forma", "Shape", "Forma", "Forma", "Forme", "Form"};
SixTexts kSizeTab = {"Tamaño", "Size", "Tamanho", "Dimensione", "Taille", "Größe"};
SixTexts kPiecesTab = {"Piezas", "Pieces", "Peças", "Pezzi", "Pièces", "Teile"};

Rgb TrayPaper(int x, int y) { return Lighter(ParchmentAt(x, y, 5721), 0.28); }

// The background without its title.
Bitmap PaintBase() {
    Canvas canvas(kDialogW, kDialogH);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kDialogW, kDialogH, 18, kBorder, 572);
    // The title plate, centred at the top.
    TitlePlate(cr, kTitlePlateX, kTitlePlateY, kTitlePlateW, kTitlePlateH, 5722);
    // Gilt flourishes either side of the plate.
    for (int side = -1; side <= 1; side += 2) {
        const double from = kDialogW / 2.0 + side * (kTitlePlateW / 2.0 + 10);
        const double to = kDialogW / 2.0 + side * (kDialogW / 2.0 - 40);
        cairo_move_to(cr, from, kTitlePlateY + kTitlePlateH / 2.0);
        cairo_line_to(cr, to, kTitlePlateY + kTitlePlateH / 2.0);
        SetColour(cr, kGold, 0.75);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, to - side * 4, kTitlePlateY + kTitlePlateH / 2.0, 3, 0, 2 * M_PI);
        SetColour(cr, kRed);
        cairo_fill(cr);
    }
    // The work tray: every page's children stand in it; the tabs stand on its top edge.
    RoundedRect(cr, kTrayX - 1, kTrayY - 1, kTrayW + 2, kTrayH + 2, 9);
    cairo_pattern_t* lip = cairo_pattern_create_linear(kTrayX, kTrayY, kTrayX + kTrayW, kTrayY + kTrayH);
    cairo_pattern_add_color_stop_rgba(lip, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(lip, 1, 1, 1, 1, 0.6);
    cairo_set_source(cr, lip);
    cairo_fill(cr);
    cairo_pattern_destroy(lip);
    RoundedRect(cr, kTrayX, kTrayY, kTrayW, kTrayH, 8);
    FillProcedural(cr, TrayPaper);
    cairo_new_path(cr);
    cairo_save(cr);
    RoundedRect(cr, kTrayX, kTrayY, kTrayW, kTrayH, 8);
    cairo_clip(cr);
    for (int i = 0; i < 4; ++i) {
        RoundedRect(cr, kTrayX + i * 0.8 - 0.5, kTrayY + i * 0.8 - 0.5, kTrayW + 3, kTrayH + 3, 8);
        cairo_set_source_rgba(cr, kWalnut.r, kWalnut.g, kWalnut.b, 0.2 / (i + 1));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // The shelf under the buttons: a gilt rule, and three pieces lying at its left end.
    cairo_move_to(cr, kTrayX + 4, kShelfY);
    cairo_line_to(cr, kTrayX + kTrayW - 4, kShelfY);
    SetColour(cr, kGold, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    const int a[4] = {1, -1, 1, 0}, b[4] = {-1, 1, 0, 1}, c[4] = {1, 1, -1, -1};
    LoosePiece(cr, 34, 322, 19, -0.35, a, kTeal);
    LoosePiece(cr, 70, 336, 19, 0.3, b, kRed);
    LoosePiece(cr, 42, 350, 16, 0.1, c, kGold);
    return canvas.ToBitmap24();
}

const Bitmap& Base() {
    static const Bitmap base = PaintBase();
    return base;
}

Bitmap PaintTitle(const ManifestEntry& e, int language) {
    return TitleOver(Base(), 0, 0, e.width, e.height, kTitle[language], kTitlePlateY + kTitlePlateH / 2.0,
                     kTitlePlateW - 30, 27);
}

// --- Tabs: index-card tabs standing on the tray's top edge ----------------------------------

enum class TabIcon { Picture, Shape, Size, Pieces };

void DrawTabIcon(cairo_t* cr, TabIcon icon, double x, double y, bool bright) {
    switch (icon) {
        case TabIcon::Picture: PictureCard(cr, x, y + 2, 22, 17, 2); break;
        case TabIcon::Shape: {
            const int edges[4] = {1, -1, 1, 1};
            JigsawPiecePath(cr, x + 5, y + 5, 12, edges);
            SetColour(cr, bright ? Lighter(kRed, 0.15) : kRed);
            cairo_fill_preserve(cr);
            SetColour(cr, Darker(kRed, 0.55));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            break;
        }
        case TabIcon::Size: {
            // A small picture and a larger one behind it, with an arrow from one to the other.
            cairo_rectangle(cr, x + 1.5, y + 1.5, 20, 18);
            SetColour(cr, Darker(kHoney, 0.3));
            cairo_set_line_width(cr, 1);
            const double dash[2] = {2, 1.5};
            cairo_set_dash(cr, dash, 2, 0);
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
            PictureCard(cr, x + 1, y + 10, 12, 10, 1.5);
            cairo_move_to(cr, x + 12, y + 9);
            cairo_line_to(cr, x + 19, y + 3);
            cairo_move_to(cr, x + 14, y + 3);
            cairo_line_to(cr, x + 19, y + 3);
            cairo_line_to(cr, x + 19, y + 8);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            SetColour(cr, kTeal);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            break;
        }
        case TabIcon::Pieces: {
            const Rgb colours[4] = {kRed, kTeal, kGold, kHoney};
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 2; ++c) {
                    int e[4] = {r == 0 ? 0 : -1, c == 1 ? 0 : 1, r == 1 ? 0 : 1, c == 0 ? 0 : -1};
                    JigsawPiecePath(cr, x + 2 + c * 9, y + 2 + r * 9, 9, e);
                    SetColour(cr, bright ? Lighter(colours[r * 2 + c], 0.15) : colours[r * 2 + c]);
                    cairo_fill_preserve(cr);
                    SetColour(cr, Darker(kWalnut, 0.2));
                    cairo_set_line_width(cr, 0.7);
                    cairo_stroke(cr);
                }
            break;
        }
    }
}

// Frames of a check box strip: unchecked, unchecked with hover, checked, checked with hover.
// A checked tab is the tray's own paper, joined to the tray; an unchecked one stands behind
// it, lower and in darker paper.
void DrawTab(cairo_t* cr, int fw, int fh, int frame, TabIcon icon, const char* text) {
    const bool checked = frame >= 2, hover = frame % 2 == 1;
    const double top = checked ? 1 : 5, x = 2, w = fw - 4;
    const double r = 9;
    auto tabPath = [&](double grow) {
        cairo_new_path(cr);
        cairo_move_to(cr, x - grow, fh + 1);
        cairo_arc(cr, x + r - grow, top + r - grow, r, M_PI, 1.5 * M_PI);
        cairo_arc(cr, x + w - r + grow, top + r - grow, r, 1.5 * M_PI, 2 * M_PI);
        cairo_line_to(cr, x + w + grow, fh + 1);
        cairo_close_path(cr);
    };
    if (hover) {
        for (int i = 3; i >= 1; --i) {
            tabPath(i);
            SetColour(cr, kGold, 0.22);
            cairo_fill(cr);
        }
    }
    // Shadow on the card behind.
    cairo_save(cr);
    cairo_translate(cr, 1.5, -0.5);
    tabPath(0);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0.05, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
    tabPath(0);
    double ox = 0, oy = 0;
    cairo_user_to_device(cr, &ox, &oy);
    if (checked) {
        // The tray's paper, at the tab's place on the dialog.
        FillProcedural(cr, [&](int px, int py) { return TrayPaper(px, py); });
    } else {
        FillProcedural(cr, [&](int px, int py) {
            Rgb c = Mix(ParchmentAt(px, py, 5723), kHoney, 0.3);
            return hover ? Lighter(c, 0.12) : c;
        });
    }
    cairo_new_path(cr);
    // Rim: gilt on the checked tab, walnut on the others; a checked tab has no bottom edge.
    cairo_new_path(cr);
    cairo_move_to(cr, x + 0.5, fh + 1);
    cairo_arc(cr, x + r, top + r, r - 0.5, M_PI, 1.5 * M_PI);
    cairo_arc(cr, x + w - r, top + r, r - 0.5, 1.5 * M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w - 0.5, fh + 1);
    SetColour(cr, checked ? Darker(kGold, 0.2) : Darker(kWalnut, 0.1), checked ? 1.0 : 0.7);
    cairo_set_line_width(cr, checked ? 1.4 : 1);
    cairo_stroke(cr);
    if (!checked) {
        // The tray's edge runs in front of a tab that is not chosen.
        cairo_rectangle(cr, x, fh - 2, w, 2);
        cairo_set_source_rgba(cr, kWalnut.r, kWalnut.g, kWalnut.b, 0.35);
        cairo_fill(cr);
    }
    // Icon and name.
    TextStyle st;
    st.size = 17;
    st.fill = checked ? kRed : (hover ? Darker(kWalnut, 0.1) : Mix(kInk, kHoney, 0.3));
    st.outline = Lighter(kParchment, 0.5);
    st.outlineWidth = checked ? 1.5 : 0.8;
    st.shadow = 0;
    const double iconW = 24, gap = 5;
    st.size = FitTextSize(cr, text, st, w - iconW - gap - 12);
    const double tw = TextWidth(cr, text, st);
    const double left = x + (w - (iconW + gap + tw)) / 2;
    const double cy = top + (fh - top) / 2.0 + 1;
    DrawTabIcon(cr, icon, left, cy - 11, hover);
    DrawTextCentred(cr, text, left + iconW + gap + tw / 2, cy + st.size * 0.34, st);
}

Bitmap PaintTab(const ManifestEntry& e, int x, TabIcon icon, const char* text) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(Base(), x, kTabY, fw, fh, 4, 1, [&](cairo_t* cr, int i) { DrawTab(cr, fw, fh, i, icon, text); });
}

// --- Buttons along the bottom ------------------------------------------------------------------

// Accept: a teal pill with a tick and a red piece; disabled, normal, hover, pressed.
void DrawAccept(cairo_t* cr, int fw, int fh, int frame) {
    const Look looks[4] = {Look::Disabled, Look::Normal, Look::Hover, Look::Pressed};
    const Look look = looks[frame];
    GlossyButton(cr, 4, 3, fw - 9, fh - 8, (fh - 8) / 2.0, kTeal, look);
    const double off = look == Look::Pressed ? 1 : 0;
    const bool faded = look == Look::Disabled;
    const int edges[4] = {1, -1, 1, 1};
    const double s = 15, px = fw / 2.0 - 30 + off, py = fh / 2.0 - s / 2 - 1 + off;
    JigsawPiecePath(cr, px, py, s, edges);
    SetColour(cr, faded ? Desaturate(kRed, 0.8) : kRed, faded ? 0.5 : 1.0);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kRed, 0.55), faded ? 0.4 : 1.0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const Rgb ink = faded ? Hex(0xd9d6cf) : (look == Look::Hover ? kWhite : Lighter(kParchment, 0.35));
    TickGlyph(cr, fw / 2.0 + 12 + off, fh / 2.0 - 1 + off, fh * 0.55, ink);
}

void DrawCancel(cairo_t* cr, int fw, int fh, int frame) {
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    GlossyButton(cr, 4, 3, fw - 9, fh - 8, (fh - 8) / 2.0, kRed, looks[frame]);
    const double off = frame == 2 ? 1 : 0;
    CrossGlyph(cr, fw / 2.0 + off, fh / 2.0 - 1 + off, fh * 0.58, frame == 1 ? kWhite : Lighter(kParchment, 0.35));
}

// View: an eye. 0 half open at rest, 1-4 it opens wide, 5-9 it looks round, a glint at 9.
void DrawView(cairo_t* cr, int fw, int fh, int frame) {
    static const double openness[10] = {0.35, 0.5, 0.68, 0.85, 1, 1, 1, 1, 1, 1};
    static const double look[10][2] = {{0, 0.2},   {0, 0.1},      {0, 0},       {0, 0},    {0, 0},
                                       {-0.55, 0}, {-0.3, -0.45}, {0.3, -0.45}, {0.55, 0}, {0, 0.1}};
    const double cx = fw / 2.0, cy = fh / 2.0, rx = 27, ry = 15;
    const double open = openness[frame];
    // Soft shadow.
    cairo_save(cr);
    cairo_translate(cr, cx + 2, cy + ry + 3);
    cairo_scale(cr, rx, 3.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0.05, 0.25);
    cairo_fill(cr);
    auto almond = [&](double o) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - rx, cy);
        cairo_curve_to(cr, cx - rx * 0.5, cy - ry * 1.35 * o, cx + rx * 0.5, cy - ry * 1.35 * o, cx + rx, cy);
        cairo_curve_to(cr, cx + rx * 0.5, cy + ry * 1.35 * o, cx - rx * 0.5, cy + ry * 1.35 * o, cx - rx, cy);
        cairo_close_path(cr);
    };
    // The white of the eye and the iris, clipped to the open lids.
    cairo_save(cr);
    almond(open);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.99, 0.97, 0.92);
    cairo_paint(cr);
    const double ix = cx + look[frame][0] * rx * 0.5, iy = cy + look[frame][1] * ry * 0.5;
    cairo_arc(cr, ix, iy, 10, 0, 2 * M_PI);
    cairo_pattern_t* iris = cairo_pattern_create_radial(ix - 3, iy - 3, 1, ix, iy, 10);
    Rgb hi = Lighter(kTeal, 0.4), lo = Darker(kTeal, 0.35);
    cairo_pattern_add_color_stop_rgb(iris, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(iris, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, iris);
    cairo_fill(cr);
    cairo_pattern_destroy(iris);
    cairo_arc(cr, ix, iy, 4.5, 0, 2 * M_PI);
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_arc(cr, ix - 3, iy - 3.5, 2.2, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
    // The upper lid's shadow on the eye.
    almond(open);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, cy - ry * open, 0, cy);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0.3, 0.15, 0.05, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.3, 0.15, 0.05, 0);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
    // Lids' outline and lashes.
    almond(open);
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = -2; k <= 2; ++k) {
        const double t = 0.5 + k * 0.16;
        const double lx = cx - rx + 2 * rx * t;
        const double ly = cy - ry * 1.35 * open * 4 * t * (1 - t) * 0.75;
        cairo_move_to(cr, lx, ly);
        cairo_line_to(cr, lx + k * 1.6, ly - 4.5);
    }
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (frame == 9) Sparkle(cr, cx + rx - 2, cy - ry + 1, 4.5, 1);
    if (frame == 8) Sparkle(cr, cx + rx - 2, cy - ry + 1, 2.5, 0.6);
}

using FrameDraw = void (*)(cairo_t*, int, int, int);

Bitmap PaintOnDialog(const ManifestEntry& e, int x, int y, FrameDraw draw) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(NewPuzzleBackground(), x, y, fw, fh, e.layout.rows, e.layout.columns,
                    [&](cairo_t* cr, int i) { draw(cr, fw, fh, i); });
}

}  // namespace

const Bitmap& NewPuzzleBackground() {
    static const Bitmap background = [] {
        Bitmap bg = Base();
        ManifestEntry english;
        english.width = kDialogW;
        english.height = kTitleH;
        PasteBitmap(bg, PaintTitle(english, 1), 0, 0);
        return bg;
    }();
    return background;
}

void RegisterNewPuzzleArt(PainterTable& table) {
    table[572] = [](const ManifestEntry&) { return NewPuzzleBackground(); };
    for (int lang = 0; lang < 6; ++lang) {
        const auto id = static_cast<uint32_t>(lang);
        table[2140 + id] = [lang](const ManifestEntry& e) { return PaintTitle(e, lang); };
        table[2110 + id] = [lang](const ManifestEntry& e) {
            return PaintTab(e, kPictureTabX, TabIcon::Picture, kPictureTab[lang]);
        };
        table[2130 + id] = [lang](const ManifestEntry& e) {
            return PaintTab(e, kShapeTabX, TabIcon::Shape, kShapeTab[lang]);
        };
        table[2120 + id] = [lang](const ManifestEntry& e) {
            return PaintTab(e, kSizeTabX, TabIcon::Size, kSizeTab[lang]);
        };
        table[2100 + id] = [lang](const ManifestEntry& e) {
            return PaintTab(e, kPiecesTabX, TabIcon::Pieces, kPiecesTab[lang]);
        };
    }
    table[563] = [](const ManifestEntry& e) { return PaintOnDialog(e, kAcceptX, kAcceptY, DrawAccept); };
    table[565] = [](const ManifestEntry& e) { return PaintOnDialog(e, kCancelX, kCancelY, DrawCancel); };
    table[577] = [](const ManifestEntry& e) { return PaintOnDialog(e, kViewX, kViewY, DrawView); };
    table[564] = [](const ManifestEntry& e) {
        return PaintOnDialog(e, kHelpX, kHelpY,
                             [](cairo_t* cr, int fw, int fh, int f) { HelpDisc(cr, fw / 2.0, fh / 2.0, 25, f); });
    };
}
