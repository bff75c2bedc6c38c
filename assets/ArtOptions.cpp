// Options panel art: the 103 x 103 tile of the options bar and panel (a wooden rail on top,
// which is all the bar shows, and paper below) and the panel's four animated buttons: the
// magnifier, help, back to the main menu and leave.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"

using namespace art;

namespace {

constexpr int kTile = 103;      // the tile repeats every 103 pixels across the screen
constexpr int kRailH = 18;      // the bar shows the tile's top 18 rows: the rail
constexpr int kButtonTop = 27;  // the buttons' top in the panel

int WrapX(int x) { return ((x % kTile) + kTile) % kTile; }

// Paper of the panel: low-contrast, so that the buttons, which start as this paper, sit on it
// without edges wherever the screen's width puts them. Repeats every 103 columns.
Rgb OptionsPaper(int x, int y) {
    double blot = Fractal(x / 10.3, y / 10.3, 199, 3, 10);
    double fibre = ValueNoise(x / 10.3, y / 2.5, 200, 10);
    double grain = Grain(WrapX(x), y, 201);
    Rgb c = Mix(Lighter(kParchment, 0.15), Mix(kParchment, kHoney, 0.12), blot * 0.6);
    c = Mix(c, Darker(kParchment, 0.1), (fibre - 0.5) * 0.2 + 0.05);
    return Mix(c, Darker(kParchment, 0.18), (grain - 0.5) * 0.15);
}

// Horizontal-grain wood of the rail, repeating every 103 columns.
Rgb RailWood(int x, int y) {
    double warp = Fractal(x / 10.3, y / 9.0, 202, 2, 10) * 3.0;
    double rings = std::pow(0.5 + 0.5 * std::sin((y * 0.55 + warp) * 2.0), 3.0);
    double streak = ValueNoise(x / 5.15, y * 0.9, 203, 20);
    Rgb base = Mix(kWalnut, kHoney, 0.45);
    Rgb c = Mix(base, Darker(base, 0.35), rings * 0.6);
    return Mix(c, Lighter(base, 0.15), (streak - 0.5) * 0.5);
}

Bitmap PaintOptionsTile(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, kRailH, kTile, kTile - kRailH);
    FillProcedural(cr, OptionsPaper);
    cairo_new_path(cr);
    // The shadow the rail casts on the paper, and a gilt line along the paper's edge.
    for (int i = 0; i < 6; ++i) {
        cairo_rectangle(cr, 0, kRailH + i, kTile, 1);
        cairo_set_source_rgba(cr, kWalnut.r, kWalnut.g, kWalnut.b, 0.22 - i * 0.035);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, kRailH + 2.5, kTile, 1.5);
    SetColour(cr, kGold, 0.9);
    cairo_fill(cr);
    // The rail, rounded: lit on top, dark underneath.
    cairo_rectangle(cr, 0, 0, kTile, kRailH);
    FillProcedural(cr, RailWood);
    cairo_pattern_t* round = cairo_pattern_create_linear(0, 0, 0, kRailH);
    cairo_pattern_add_color_stop_rgba(round, 0, 1, 0.95, 0.85, 0.4);
    cairo_pattern_add_color_stop_rgba(round, 0.35, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(round, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, round);
    cairo_fill(cr);
    cairo_pattern_destroy(round);
    cairo_rectangle(cr, 0, kRailH - 1, kTile, 1);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_fill(cr);
    // Once per tile: two brass studs and a chevron pointing up, telling the bar opens.
    const double cx = kTile / 2.0, cy = kRailH / 2.0 - 0.5;
    GlossyDisc(cr, cx - 24, cy, 3.5, kGold, Look::Normal);
    GlossyDisc(cr, cx + 24, cy, 3.5, kGold, Look::Normal);
    cairo_move_to(cr, cx - 6, cy + 3);
    cairo_line_to(cr, cx, cy - 3);
    cairo_line_to(cr, cx + 6, cy + 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

// Every button frame starts as the panel's paper at the button's place.
void PanelPaper(cairo_t* cr, int fw, int fh) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, fw, fh);
    double ox = 0, oy = 0;
    cairo_user_to_device(cr, &ox, &oy);
    FillProcedural(cr, [&](int x, int y) {
        return OptionsPaper(x - static_cast<int>(ox), y - static_cast<int>(oy) + kButtonTop);
    });
    cairo_new_path(cr);
    cairo_restore(cr);
}

void SoftShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, kWalnut.r * 0.5, kWalnut.g * 0.5, kWalnut.b * 0.5, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

// Magnifier: 0 the glass lies beside a picture card; 1-4 it lifts over the picture and the
// picture grows in it; 5-9 it circles over the picture, a glint at 9.
void DrawMagnifier(cairo_t* cr, int fw, int fh, int f) {
    PanelPaper(cr, fw, fh);
    const double px = 12, py = 9, pw = 44, ph = 34;
    SoftShadow(cr, px + pw / 2 + 2, py + ph + 3, pw * 0.55, 4, 0.3);
    cairo_save(cr);
    cairo_translate(cr, px + pw / 2, py + ph / 2);
    cairo_rotate(cr, -0.06);
    cairo_translate(cr, -(px + pw / 2), -(py + ph / 2));
    DropShadow(cr, px, py, pw, ph, 2, 1.5, 0.35);
    PictureCard(cr, px, py, pw, ph, 3);
    cairo_restore(cr);
    // Where the lens stands and how much it magnifies.
    double lx, ly, zoom, lift;
    if (f <= 4) {
        const double t = f / 4.0;
        lx = 52 - t * 16;
        ly = 42 - t * 16;
        zoom = 1 + t * 0.9;
        lift = t;
    } else {
        const double a = (f - 5) / 5.0 * 2 * M_PI;
        lx = 36 + std::cos(a) * 6;
        ly = 26 + std::sin(a) * 4;
        zoom = 1.9;
        lift = 1;
    }
    const double r = 13 + lift * 2;
    // Its shadow falls further away as it lifts.
    SoftShadow(cr, lx + 3 + lift * 5, ly + 6 + lift * 6, r * 1.1, r * 0.55, 0.35 - lift * 0.12);
    // Handle.
    cairo_save(cr);
    cairo_translate(cr, lx, ly);
    cairo_rotate(cr, 0.75);
    RoundedRect(cr, r - 1, -3.5, 14, 7, 3.5);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, kWalnut, 207, true); });
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // What the glass shows: the card underneath, magnified about the lens centre.
    cairo_save(cr);
    cairo_arc(cr, lx, ly, r - 1.5, 0, 2 * M_PI);
    cairo_clip(cr);
    PanelPaper(cr, fw, fh);
    cairo_translate(cr, lx, ly);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -lx, -ly);
    cairo_translate(cr, px + pw / 2, py + ph / 2);
    cairo_rotate(cr, -0.06);
    cairo_translate(cr, -(px + pw / 2), -(py + ph / 2));
    PictureCard(cr, px, py, pw, ph, 3);
    cairo_restore(cr);
    // Glass sheen and the gold rim.
    cairo_arc(cr, lx, ly, r - 1.5, 0, 2 * M_PI);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(lx - r, ly - r, lx + r, ly + r);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 0.6, 0.8, 0.9, 0.15);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    cairo_arc(cr, lx, ly, r, 0, 2 * M_PI);
    SetColour(cr, Darker(kGold, 0.45));
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    if (f == 9) Sparkle(cr, lx - r * 0.45, ly - r * 0.5, 4.5, 1.0);
    if (f == 8) Sparkle(cr, lx - r * 0.45, ly - r * 0.5, 2.5, 0.6);
}

// Back to the main menu: a little house, the game's home, and a gold arrow that runs round
// it, a tenth of a turn per frame.
void DrawMainMenu(cairo_t* cr, int fw, int fh, int f) {
    PanelPaper(cr, fw, fh);
    const double cx = fw / 2.0, cy = fh / 2.0;
    SoftShadow(cr, cx + 2, cy + 16, 20, 4, 0.3);
    // Walls, a door and a window.
    const double wx = cx - 12, wy = cy - 4, ww = 24, wh = 19;
    cairo_rectangle(cr, wx, wy, ww, wh);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y * 3, Lighter(kHoney, 0.25), 205); });
    SetColour(cr, Darker(kWalnut, 0.4));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 4, wy + 8, 8, wh - 8, 2);
    SetColour(cr, Darker(kWalnut, 0.2));
    cairo_fill(cr);
    cairo_arc(cr, cx + 2, wy + 14, 0.9, 0, 2 * M_PI);
    SetColour(cr, kGold);
    cairo_fill(cr);
    // The roof, with a chimney.
    cairo_rectangle(cr, cx + 5, cy - 19, 4, 8);
    SetColour(cr, Darker(kRed, 0.3));
    cairo_fill(cr);
    cairo_move_to(cr, wx - 4, wy + 1);
    cairo_line_to(cr, cx, cy - 19);
    cairo_line_to(cr, wx + ww + 4, wy + 1);
    cairo_close_path(cr);
    cairo_pattern_t* roof = cairo_pattern_create_linear(0, cy - 19, 0, wy + 1);
    Rgb hi = Lighter(kRed, 0.25), lo = Darker(kRed, 0.2);
    cairo_pattern_add_color_stop_rgb(roof, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(roof, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, roof);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(roof);
    SetColour(cr, Darker(kRed, 0.55));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // The arrow: three quarters of a circle ending in a head, turning with the frames.
    const double r = 29, start = -M_PI / 2 + f * 2 * M_PI / 10;
    const double end = start + 1.5 * M_PI;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, 0.82);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r, start, end);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    SetColour(cr, Darker(kGold, 0.35));
    cairo_set_line_width(cr, 4.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, Lighter(kGold, 0.15));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // Its head, pointing along the circle.
    const double hx = cx + std::cos(end) * r, hy = cy + std::sin(end) * r * 0.82;
    const double tx = -std::sin(end), ty = std::cos(end) * 0.82;
    const double tl = std::hypot(tx, ty);
    const double ux = tx / tl, uy = ty / tl;
    cairo_new_path(cr);
    cairo_move_to(cr, hx + ux * 7, hy + uy * 7);
    cairo_line_to(cr, hx - uy * 6 - ux * 2, hy + ux * 6 - uy * 2);
    cairo_line_to(cr, hx + uy * 6 - ux * 2, hy - ux * 6 - uy * 2);
    cairo_close_path(cr);
    SetColour(cr, kGold);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kGold, 0.45));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void DrawHelp(cairo_t* cr, int fw, int fh, int f) {
    PanelPaper(cr, fw, fh);
    SoftShadow(cr, fw / 2.0 + 2, fh / 2.0 + 25, 22, 4, 0.25);
    HelpDisc(cr, fw / 2.0, fh / 2.0 - 1, 25, f);
}

// Leave: the main menu's door, a little smaller.
void DrawLeave(cairo_t* cr, int fw, int fh, int f) {
    PanelPaper(cr, fw, fh);
    cairo_save(cr);
    cairo_translate(cr, fw / 2.0, fh / 2.0);
    cairo_scale(cr, 0.9, 0.9);
    cairo_translate(cr, -49, -36);
    ExitDoor(cr, f);
    cairo_restore(cr);
}

using ButtonDraw = void (*)(cairo_t*, int, int, int);

Bitmap PaintButton(const ManifestEntry& e, ButtonDraw draw) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawGrid(fw, fh, e.layout.rows, e.layout.columns, [&](cairo_t* cr, int i) { draw(cr, fw, fh, i); });
}

}  // namespace

void RegisterOptionsArt(PainterTable& table) {
    table[199] = PaintOptionsTile;
    table[207] = [](const ManifestEntry& e) { return PaintButton(e, DrawMagnifier); };
    table[208] = [](const ManifestEntry& e) { return PaintButton(e, DrawHelp); };
    table[205] = [](const ManifestEntry& e) { return PaintButton(e, DrawMainMenu); };
    table[204] = [](const ManifestEntry& e) { return PaintButton(e, DrawLeave); };
}
