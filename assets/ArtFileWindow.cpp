// File window art: the background with its title plate, the folder tree's well and the
// name field's slot; the open and save titles in six languages; and the four animated
// buttons: the puzzle box that opens (open) or closes (save) as the accept button, the
// swing bin that erases, help and cancel.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"

using namespace art;

namespace {

// Where the window puts its children (x, y of each; sizes from the manifest).
constexpr int kFileW = 392, kFileH = 256;
constexpr int kTitleX = 23, kTitleY = 1, kTitleW = 139, kTitleH = 48;
constexpr int kTreeX = 10, kTreeY = 83, kTreeW = 205, kTreeH = 162;
constexpr int kAcceptX = 229, kAcceptY = 46;
constexpr int kEraseX = 298, kEraseY = 84;
constexpr int kHelpX = 229, kHelpY = 171;
constexpr int kCancelX = 313, kCancelY = 170;

SixTexts kOpenTitle = {"Abrir", "Open", "Abrir", "Apri", "Ouvrir", "Öffnen"};
SixTexts kSaveTitle = {"Guardar", "Save", "Salvar", "Salva", "Enregistrer", "Speichern"};

Bitmap PaintFileBackground(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    const double w = e.width, h = e.height;
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, w, h, 14, 7, 281);
    // The title plate hangs from the top rail.
    TitlePlate(cr, kTitleX + 3, kTitleY + 3, kTitleW - 6, kTitleH - 8, 2811);
    // Gilt rules from the plate to the right edge. The save mode's name field, a sunken edit
    // box of its own, lies on the plain card below the plate.
    const double ry = kTitleY + kTitleH / 2.0;
    cairo_move_to(cr, kTitleX + kTitleW + 8, ry);
    cairo_line_to(cr, w - 30, ry);
    SetColour(cr, kGold, 0.75);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, w - 26, ry, 3, 0, 2 * M_PI);
    SetColour(cr, kRed);
    cairo_fill(cr);
    // The tree's well.
    Recess(cr, kTreeX, kTreeY, kTreeW, kTreeH, 3, kWhite, 1.5);
    return canvas.ToBitmap24();
}

const Bitmap& FileBackground() {
    static const Bitmap background = [] {
        ManifestEntry bg;
        bg.width = kFileW;
        bg.height = kFileH;
        return PaintFileBackground(bg);
    }();
    return background;
}

Bitmap PaintFileTitle(const ManifestEntry& e, const char* text) {
    return TitleOver(FileBackground(), kTitleX, kTitleY, e.width, e.height, text, 3 + (kTitleH - 8) / 2.0, kTitleW - 26,
                     26);
}

// A lid hinged along the back of a box's top opening, seen from the front and a little from
// above. The box's front top edge is at y `top`, its depth shows as depth * kSlant, and the
// opening narrows by `inset` at the back. At angle 0 the lid lies shut; opened by theta it
// swings up about the back edge, and past atan(kSlant) it shows its inside to the viewer.
constexpr double kSlant = 0.45;

struct LidView {
    double hingeY, freeY;  // screen y of the hinge and of the lid's free edge
    double hingeInset, freeInset;
    bool outside;  // the lid's outer face is towards the viewer
};

LidView ViewLid(double top, double depth, double inset, double theta) {
    LidView v;
    v.hingeY = top - depth * kSlant;
    v.freeY = top - depth * std::sin(theta) - depth * (1 - std::cos(theta)) * kSlant;
    v.hingeInset = inset;
    v.freeInset = inset * (1 - std::cos(theta));
    v.outside = v.freeY >= v.hingeY;
    return v;
}

void LidPath(cairo_t* cr, double x, double w, const LidView& v, double overhang) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - overhang + v.freeInset, v.freeY);
    cairo_line_to(cr, x + w + overhang - v.freeInset, v.freeY);
    cairo_line_to(cr, x + w + overhang - v.hingeInset, v.hingeY);
    cairo_line_to(cr, x - overhang + v.hingeInset, v.hingeY);
    cairo_close_path(cr);
}

// The top opening of a box, dark inside.
void Opening(cairo_t* cr, double x, double top, double w, double depth, double inset) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x + inset, top - depth * kSlant);
    cairo_line_to(cr, x + w - inset, top - depth * kSlant);
    cairo_line_to(cr, x + w, top);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top - depth * kSlant, 0, top);
    Rgb deep = Darker(kWalnut, 0.7), wall = Darker(kWalnut, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 0, wall.r, wall.g, wall.b);
    cairo_pattern_add_color_stop_rgb(g, 0.45, deep.r, deep.g, deep.b);
    cairo_pattern_add_color_stop_rgb(g, 1, deep.r, deep.g, deep.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void FloorShadow(cairo_t* cr, double cx, double y, double rx) {
    cairo_save(cr);
    cairo_translate(cr, cx, y);
    cairo_scale(cr, rx, 5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.15, 0.08, 0.03, 0.35);
    cairo_fill(cr);
}

// A wooden box with a hinged lid. open: 0 shut .. 1 standing open and leaning back a little.
// inside(cr) draws what stands in the box, between its back and its front wall.
void HingedBox(cairo_t* cr,
               double x,
               double top,
               double w,
               double h,
               double depth,
               double open,
               Rgb wood,
               uint32_t seed,
               const std::function<void(cairo_t*)>& inside) {
    const double inset = depth * kSlant * 0.6;
    const LidView lid = ViewLid(top, depth, inset, open * M_PI * 0.58);
    auto woodFill = [&](Rgb base) {
        FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py * 2, base, seed); });
        cairo_new_path(cr);
    };
    auto drawLid = [&] {
        LidPath(cr, x, w, lid, 1);
        woodFill(lid.outside ? Lighter(wood, 0.1) : Darker(wood, 0.3));
        LidPath(cr, x, w, lid, 1);
        SetColour(cr, Darker(kWalnut, 0.5));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (lid.outside) {
            // The lid's front lip and its gold clasp.
            const double lip = 6 * (1 - open * 3);
            if (lip > 0.5) {
                RoundedRect(cr, x - 1, lid.freeY, w + 2, lip, 2);
                woodFill(Darker(wood, 0.1));
                RoundedRect(cr, x - 1, lid.freeY, w + 2, lip, 2);
                SetColour(cr, Darker(kWalnut, 0.5));
                cairo_stroke(cr);
                cairo_rectangle(cr, x + w / 2 - 3, lid.freeY + 1, 6, lip - 1);
                SetColour(cr, kGold);
                cairo_fill(cr);
            }
        } else {
            // The inside of the lid: a gilt line along its free edge.
            cairo_move_to(cr, x + lid.freeInset + 2, lid.freeY + 2.5);
            cairo_line_to(cr, x + w - lid.freeInset - 2, lid.freeY + 2.5);
            SetColour(cr, kGold, 0.7);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    };
    FloorShadow(cr, x + w / 2 + 3, top + h + 1, w * 0.62);
    if (!lid.outside) drawLid();  // standing up behind the opening
    Opening(cr, x, top, w, depth, inset);
    inside(cr);
    // Front wall.
    RoundedRect(cr, x, top, w, h, 3);
    woodFill(wood);
    RoundedRect(cr, x, top, w, h, 3);
    cairo_pattern_t* shade = cairo_pattern_create_linear(x, top, x + w, top + h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, x + 2, top + h * 0.35, w - 4, 1.6);
    SetColour(cr, kGold, 0.9);
    cairo_fill(cr);
    if (lid.outside) drawLid();  // shut, or nearly, over the opening
}

// Accept: the puzzle box. 0 closed (the open mode's rest), 1 its lid lifted a crack with a
// glow (hover); 2..9 the lid opens and pieces rise; 11 open with the pieces standing up (the
// save mode's rest), 10 the pieces bobbing with a sparkle (hover).
void DrawAccept(cairo_t* cr, int fw, int fh, int f) {
    static const double open[12] = {0, 0.07, 0.12, 0.22, 0.33, 0.45, 0.57, 0.7, 0.82, 0.93, 1, 1};
    static const double rise[12] = {0, 0, 0, 0, 0.05, 0.2, 0.38, 0.56, 0.74, 0.9, 1.1, 1};
    const double bx = 9, bw = fw - 18, top = fh - 44, bh = 34;
    const double lift = rise[f];
    if (f == 1) {
        // The glow escaping under the lid.
        cairo_save(cr);
        cairo_translate(cr, fw / 2.0, top - 2);
        cairo_scale(cr, bw * 0.7, 9);
        cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.9, 0.5, 0.8);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.9, 0.5, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    HingedBox(cr, bx, top, bw, bh, 20, open[f], Mix(kWalnut, kHoney, 0.45), 277, [&](cairo_t* c) {
        if (lift <= 0) return;
        const int e1[4] = {1, -1, 1, 0}, e2[4] = {-1, 1, 0, 1}, e3[4] = {1, 1, -1, -1};
        const double base = top + 6;
        LoosePiece(c, fw / 2.0 - 13, base - lift * 34, 15, -0.3, e1, kTeal);
        LoosePiece(c, fw / 2.0 + 12, base - lift * 30, 15, 0.35, e2, kRed);
        LoosePiece(c, fw / 2.0, base - lift * 48, 16, 0.05, e3, kGold);
    });
    if (f == 1) Sparkle(cr, fw - 14, top - 10, 4, 0.9);
    if (f == 10) {
        Sparkle(cr, 12, 20, 4, 0.95);
        Sparkle(cr, fw - 10, 34, 3, 0.8);
    }
    if (f == 11) Sparkle(cr, fw - 12, 24, 2.5, 0.6);
}

// Erase: a swing bin whose lid flaps open as the button swings from frame 0 to 9.
void DrawErase(cairo_t* cr, int fw, int fh, int f) {
    const double open = f / 9.0;
    const double bx = 15, bw = fw - 30, top = 26, bh = fh - top - 8;
    const double depth = 18, inset = 5;
    const LidView lid = ViewLid(top, depth, inset, open * M_PI * 0.5);
    FloorShadow(cr, fw / 2.0 + 3, top + bh + 1, bw * 0.6);
    auto drawLid = [&] {
        LidPath(cr, bx, bw, lid, 2);
        SetColour(cr, lid.outside ? kRed : Darker(kRed, 0.35));
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kRed, 0.6));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (!lid.outside) return;
        const double lip = 4.5 * (1 - open * 3);
        if (lip > 0.5) {
            RoundedRect(cr, bx - 2, lid.freeY, bw + 4, lip, 1.5);
            SetColour(cr, Darker(kRed, 0.15));
            cairo_fill(cr);
        }
        // The handle on top.
        RoundedRect(cr, fw / 2.0 - 6, (lid.freeY + lid.hingeY) / 2 - 3, 12, 4, 2);
        SetColour(cr, kGold);
        cairo_fill(cr);
    };
    if (!lid.outside) drawLid();
    Opening(cr, bx, top, bw, depth, inset);
    // Crumpled paper inside, seen when the lid is up.
    if (open > 0.3) {
        const double py = top - 1 - open * 3;
        cairo_arc(cr, fw / 2.0 - 4, py, 5.5, 0, 2 * M_PI);
        SetColour(cr, Lighter(kParchment, 0.4));
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kParchment, 0.4));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, fw / 2.0 - 8, py - 1);
        cairo_line_to(cr, fw / 2.0 - 2, py - 3);
        cairo_line_to(cr, fw / 2.0, py + 2);
        cairo_stroke(cr);
    }
    // The body narrows towards the foot.
    cairo_new_path(cr);
    cairo_move_to(cr, bx, top);
    cairo_line_to(cr, bx + bw, top);
    cairo_line_to(cr, bx + bw - 5, top + bh);
    cairo_line_to(cr, bx + 5, top + bh);
    cairo_close_path(cr);
    FillProcedural(cr, [](int px, int py) { return WoodAt(px, py, Mix(kTeal, kWalnut, 0.35), 278, true); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(bx, 0, bx + bw, 0);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 0.4, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kTeal, 0.7));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Ribs and the rim.
    for (int r = 1; r <= 3; ++r) {
        double rx = bx + bw * r / 4.0;
        cairo_move_to(cr, rx, top + 5);
        cairo_line_to(cr, rx + (rx - fw / 2.0) * -0.12, top + bh - 4);
    }
    SetColour(cr, Darker(kTeal, 0.55), 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_rectangle(cr, bx - 1.5, top - 1, bw + 3, 4);
    SetColour(cr, Darker(kTeal, 0.45));
    cairo_fill(cr);
    if (lid.outside) drawLid();
}

void DrawCancel(cairo_t* cr, int fw, int fh, int f) {
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    const double cx = fw / 2.0, cy = fh / 2.0, r = 25;
    GlossyDisc(cr, cx, cy, r, kRed, looks[f]);
    const double off = f == 2 ? 1 : 0;
    CrossGlyph(cr, cx + off, cy + off, r * 1.15, f == 1 ? kWhite : Lighter(kParchment, 0.35));
}

using FrameDraw = void (*)(cairo_t*, int, int, int);

Bitmap PaintOnFile(const ManifestEntry& e, int x, int y, FrameDraw draw) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(FileBackground(), x, y, fw, fh, e.layout.rows, e.layout.columns,
                    [&](cairo_t* cr, int i) { draw(cr, fw, fh, i); });
}

}  // namespace

void RegisterFileWindowArt(PainterTable& table) {
    table[281] = [](const ManifestEntry&) { return FileBackground(); };
    for (int lang = 0; lang < 6; ++lang) {
        table[1540 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) {
            return PaintFileTitle(e, kOpenTitle[lang]);
        };
        table[1550 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) {
            return PaintFileTitle(e, kSaveTitle[lang]);
        };
    }
    table[277] = [](const ManifestEntry& e) { return PaintOnFile(e, kAcceptX, kAcceptY, DrawAccept); };
    table[278] = [](const ManifestEntry& e) { return PaintOnFile(e, kEraseX, kEraseY, DrawErase); };
    table[279] = [](const ManifestEntry& e) {
        return PaintOnFile(e, kHelpX, kHelpY,
                           [](cairo_t* cr, int fw, int fh, int f) { HelpDisc(cr, fw / 2.0, fh / 2.0, 25, f); });
    };
    table[280] = [](const ManifestEntry& e) { return PaintOnFile(e, kCancelX, kCancelY, DrawCancel); };
}
