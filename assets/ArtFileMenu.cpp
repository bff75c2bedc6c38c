// File menu art: the small window that offers new game, open and save. Its open and save
// buttons are honey pills like the play screen's new-game button (which the menu shows as
// its first entry), and its background is a walnut frame around a dark tray, so that the
// pills, drawn on black like the new-game button, sit in it without a seam.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"

using namespace art;

namespace {

const Look kLooks[3] = {Look::Normal, Look::Hover, Look::Pressed};

// Portuguese players see the Spanish pictures (the window loads 1520 and 1530 for them);
// 1522 and 1532 carry the Portuguese words all the same.
SixTexts kOpenText = {"Abrir juego", "Open game", "Abrir jogo", "Apri gioco", "Ouvrir partie", "Spiel öffnen"};
SixTexts kSaveText = {"Guardar juego", "Save game", "Salvar jogo", "Salva gioco", "Sauver partie", "Spiel speichern"};

Bitmap PaintFileMenuBackground(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    const double w = e.width, h = e.height;
    SetColour(cr, kBlack);
    cairo_paint(cr);
    RoundedRect(cr, 0, 0, w, h, 10);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 1500); });
    cairo_new_path(cr);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 0.93, 0.8, 0.45);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.5);
    RoundedRect(cr, 1, 1, w - 2, h - 2, 9);
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    // The dark tray the three pills lie in, with a gilt rim; it reaches past every pill's
    // frame, so that their black margins lie on it.
    RoundedRect(cr, 3, 4, w - 6, h - 7, 5);
    SetColour(cr, Hex(0x050302));
    cairo_fill_preserve(cr);
    SetColour(cr, kGold, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

// The teal arrow of both icons, pointing up (out of the folder) or down (into the chest),
// its shaft from y0 to its tip at y1.
void IconArrow(cairo_t* cr, double cx, double y0, double y1, Look look) {
    const double d = y1 > y0 ? 1 : -1;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 2, y0);
    cairo_line_to(cr, cx + 2, y0);
    cairo_line_to(cr, cx + 2, y1 - d * 5);
    cairo_line_to(cr, cx + 5, y1 - d * 5);
    cairo_line_to(cr, cx, y1);
    cairo_line_to(cr, cx - 5, y1 - d * 5);
    cairo_line_to(cr, cx - 2, y1 - d * 5);
    cairo_close_path(cr);
    SetColour(cr, look == Look::Hover ? Lighter(kTeal, 0.25) : kTeal);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kTeal, 0.6));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// Open: a gold folder with its flap open and a teal arrow rising out of it.
void OpenIcon(cairo_t* cr, double x, double y, Look look) {
    const Rgb folder = look == Look::Hover ? Lighter(kGold, 0.2) : kGold;
    cairo_save(cr);
    cairo_translate(cr, x - 2, y);
    // Back of the folder with its tab.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 6);
    cairo_line_to(cr, 5, 6);
    cairo_line_to(cr, 6.5, 8);
    cairo_line_to(cr, 17, 8);
    cairo_line_to(cr, 17, 17);
    cairo_line_to(cr, 0, 17);
    cairo_close_path(cr);
    SetColour(cr, Darker(folder, 0.3));
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    IconArrow(cr, 8.5, 12, -3, look);
    // The front flap, open towards us.
    cairo_new_path(cr);
    cairo_move_to(cr, -1, 11);
    cairo_line_to(cr, 15.5, 11);
    cairo_line_to(cr, 18.5, 17);
    cairo_line_to(cr, 1.5, 17);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 11, 0, 17);
    Rgb hi = Lighter(folder, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, folder.r, folder.g, folder.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(kWalnut, 0.3));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Save: a small wooden chest with a teal arrow pointing down into it.
void SaveIcon(cairo_t* cr, double x, double y, Look look) {
    cairo_save(cr);
    cairo_translate(cr, x - 1, y);
    RoundedRect(cr, 0, 8, 16, 8.5, 1.5);
    const Rgb wood = look == Look::Hover ? Lighter(kWalnut, 0.25) : Mix(kWalnut, kHoney, 0.2);
    FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py * 3, wood, 1530); });
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 10.5, 15, 1.2);
    SetColour(cr, kGold);
    cairo_fill(cr);
    cairo_rectangle(cr, 6.5, 10, 3, 3);
    cairo_fill(cr);
    IconArrow(cr, 8, -3, 9, look);
    cairo_restore(cr);
}

Bitmap PaintFileMenuButton(const ManifestEntry& e, int language, bool save) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawStrip(fw, fh, 3, [&](cairo_t* cr, int i) {
        HoneyPill(cr, fw, fh, kLooks[i], save ? kSaveText[language] : kOpenText[language], save ? SaveIcon : OpenIcon);
    });
}

}  // namespace

void RegisterFileMenuArt(PainterTable& table) {
    table[1500] = PaintFileMenuBackground;
    for (int lang = 0; lang < 6; ++lang) {
        table[1520 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) {
            return PaintFileMenuButton(e, lang, false);
        };
        table[1530 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) {
            return PaintFileMenuButton(e, lang, true);
        };
    }
}
