// New-puzzle dialog art, the pages' controls: the six picture categories (the five folders
// and the player's own pictures), the two scrollers, the fit and actual-size buttons and the
// shape display, whose six frames are cut from the six shape templates themselves.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"
#include "assets/NewPuzzleLayout.h"
#include "assets/ShapeTemplates.h"
#include "assets/Shapes.h"

using namespace art;
using namespace newpuzzle;

namespace {

// --- Category boxes --------------------------------------------------------------------------

enum class Category { Nature, Landscapes, Abstract, Fun, Moods, OwnPictures };

void Petal(cairo_t* cr, double cx, double cy, double angle, double len, double width, Rgb c) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_translate(cr, len / 2, 0);
    cairo_scale(cr, len / 2, width / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(c, 0.45));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void DrawEmblem(cairo_t* cr, Category category, double cx, double cy, bool bright) {
    auto tone = [&](Rgb c) { return bright ? Lighter(c, 0.12) : c; };
    switch (category) {
        case Category::Nature: {
            cairo_move_to(cr, cx, cy + 2);
            cairo_curve_to(cr, cx + 1, cy + 8, cx - 1, cy + 12, cx + 1, cy + 16);
            SetColour(cr, Hex(0x3f7a3a));
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            Petal(cr, cx + 1, cy + 11, -0.5, 9, 5, tone(Hex(0x5c9a48)));
            for (int k = 0; k < 5; ++k)
                Petal(cr, cx, cy - 3, -M_PI / 2 + k * 2 * M_PI / 5, 10, 7.5, tone(Mix(kRed, Hex(0xf29ab0), 0.45)));
            GlossyDisc(cr, cx, cy - 3, 3.6, kGold, Look::Normal);
            break;
        }
        case Category::Landscapes: PictureCard(cr, cx - 16, cy - 12, 32, 25, 2.5); break;
        case Category::Abstract: {
            cairo_arc(cr, cx - 5, cy - 3, 8.5, 0, 2 * M_PI);
            SetColour(cr, tone(kTeal), 0.9);
            cairo_fill(cr);
            cairo_move_to(cr, cx + 2, cy + 11);
            cairo_line_to(cr, cx + 10, cy - 6);
            cairo_line_to(cr, cx + 17, cy + 11);
            cairo_close_path(cr);
            SetColour(cr, tone(kRed), 0.85);
            cairo_fill(cr);
            cairo_new_path(cr);
            for (int i = 0; i <= 24; ++i) {
                double t = i / 24.0, x = cx - 16 + t * 32, y = cy + 6 + std::sin(t * 2 * M_PI) * 4;
                if (i == 0)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            SetColour(cr, tone(kGold));
            cairo_set_line_width(cr, 3);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
            break;
        }
        case Category::Fun: {
            const Rgb colours[3] = {kRed, kTeal, kGold};
            const double place[3][2] = {{-9, -4}, {9, -5}, {0, -9}};
            for (int k = 0; k < 3; ++k) {
                double bx = cx + place[k][0], by = cy + place[k][1];
                cairo_move_to(cr, bx, by + 8);
                cairo_curve_to(cr, bx + 2, by + 13, bx - 2, by + 16, cx + (k - 1) * 1.5, cy + 16);
                SetColour(cr, Darker(kWalnut, 0.1), 0.8);
                cairo_set_line_width(cr, 0.8);
                cairo_stroke(cr);
            }
            for (int k : {0, 1, 2}) {
                double bx = cx + place[k][0], by = cy + place[k][1];
                cairo_save(cr);
                cairo_translate(cr, bx, by);
                cairo_scale(cr, 6.5, 8);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_pattern_t* g = cairo_pattern_create_radial(bx - 2, by - 3, 0.5, bx, by, 8);
                Rgb c = tone(colours[k]), hi = Lighter(c, 0.5), lo = Darker(c, 0.2);
                cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
                cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
                cairo_set_source(cr, g);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(g);
                SetColour(cr, Darker(c, 0.5));
                cairo_set_line_width(cr, 0.8);
                cairo_stroke(cr);
            }
            break;
        }
        case Category::Moods: {
            // Rain and a bolt under a storm cloud.
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            for (int k = 0; k < 4; ++k) {
                double rx = cx - 11 + k * 7;
                cairo_move_to(cr, rx, cy + 4);
                cairo_line_to(cr, rx - 2.5, cy + 12);
            }
            SetColour(cr, tone(Hex(0x4f7fa8)));
            cairo_set_line_width(cr, 1.8);
            cairo_stroke(cr);
            cairo_move_to(cr, cx + 2, cy + 1);
            cairo_line_to(cr, cx - 3, cy + 9);
            cairo_line_to(cr, cx + 1, cy + 9);
            cairo_line_to(cr, cx - 3, cy + 17);
            cairo_line_to(cr, cx + 6, cy + 6);
            cairo_line_to(cr, cx + 2, cy + 6);
            cairo_line_to(cr, cx + 6, cy + 1);
            cairo_close_path(cr);
            SetColour(cr, tone(kGold));
            cairo_fill_preserve(cr);
            SetColour(cr, Darker(kGold, 0.5));
            cairo_set_line_width(cr, 0.7);
            cairo_stroke(cr);
            cairo_new_path(cr);
            cairo_arc(cr, cx - 8, cy - 3, 6.5, M_PI * 0.5, M_PI * 1.5);
            cairo_arc(cr, cx - 2, cy - 8, 7.5, M_PI, M_PI * 1.9);
            cairo_arc(cr, cx + 8, cy - 3, 6.5, M_PI * 1.5, M_PI * 0.5);
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - 15, 0, cy + 3);
            Rgb top = tone(Hex(0x9aa3ad)), bottom = tone(Hex(0x56606b));
            cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
            cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            SetColour(cr, Hex(0x3a424a));
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
            break;
        }
        case Category::OwnPictures: {
            // A folder with a photograph of the player's own sticking out of it.
            cairo_new_path(cr);
            cairo_move_to(cr, cx - 16, cy - 7);
            cairo_line_to(cr, cx - 7, cy - 7);
            cairo_line_to(cr, cx - 4, cy - 4);
            cairo_line_to(cr, cx + 16, cy - 4);
            cairo_line_to(cr, cx + 16, cy + 13);
            cairo_line_to(cr, cx - 16, cy + 13);
            cairo_close_path(cr);
            SetColour(cr, Darker(tone(kGold), 0.25));
            cairo_fill(cr);
            cairo_save(cr);
            cairo_translate(cr, cx + 1, cy - 4);
            cairo_rotate(cr, -0.18);
            PictureCard(cr, -11, -9, 22, 17, 2);
            cairo_restore(cr);
            cairo_new_path(cr);
            cairo_move_to(cr, cx - 16, cy + 1);
            cairo_line_to(cr, cx + 16, cy + 1);
            cairo_line_to(cr, cx + 16, cy + 13);
            cairo_line_to(cr, cx - 16, cy + 13);
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, cy + 1, 0, cy + 13);
            Rgb hi = Lighter(tone(kGold), 0.3), lo = tone(kGold);
            cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
            cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
            SetColour(cr, Darker(kWalnut, 0.2));
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
            // A small heart on the folder: these are the player's own.
            cairo_save(cr);
            cairo_translate(cr, cx, cy + 7.5);
            cairo_scale(cr, 0.55, 0.55);
            cairo_move_to(cr, 0, 6);
            cairo_curve_to(cr, -10, -1, -5, -8, 0, -3);
            cairo_curve_to(cr, 5, -8, 10, -1, 0, 6);
            cairo_restore(cr);
            SetColour(cr, kRed);
            cairo_fill(cr);
            break;
        }
    }
}

// Frames: unchecked, unchecked with hover, checked, checked with hover. An unchecked box is a
// paper tile standing on the tray; the checked one is framed in teal, its emblem lit, with a
// small red tick in its corner.
void DrawCategory(cairo_t* cr, int fw, int fh, int frame, Category category) {
    const bool checked = frame >= 2, hover = frame % 2 == 1;
    const double x = 4, y = 3, w = fw - 8, h = fh - 7, r = 8;
    if (hover) {
        for (int i = 3; i >= 1; --i) {
            RoundedRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, r + i);
            SetColour(cr, kGold, 0.22);
            cairo_fill(cr);
        }
    }
    DropShadow(cr, x, y, w, h, r, checked ? 0.8 : 1.6, 0.45);
    RoundedRect(cr, x, y, w, h, r);
    Rgb paper = checked ? Mix(Lighter(kParchment, 0.5), Lighter(kTeal, 0.75), 0.35)
                        : (hover ? Lighter(kParchment, 0.45) : Lighter(kParchment, 0.2));
    if (checked && hover) paper = Lighter(Mix(paper, kGold, 0.15), 0.3);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    Rgb hi = Lighter(paper, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, paper.r, paper.g, paper.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, checked ? kTeal : Darker(kHoney, 0.3));
    cairo_set_line_width(cr, checked ? 2.4 : 1);
    cairo_stroke(cr);
    DrawEmblem(cr, category, fw / 2.0, fh / 2.0 - 2, hover || checked);
    if (!checked && !hover) {
        // A resting box is a little faded, so the chosen one stands out.
        RoundedRect(cr, x, y, w, h, r);
        cairo_set_source_rgba(cr, kParchment.r, kParchment.g, kParchment.b, 0.22);
        cairo_fill(cr);
    }
    if (checked) {
        GlossyDisc(cr, x + w - 5, y + 5, 6, kRed, Look::Normal);
        TickGlyph(cr, x + w - 5, y + 5.5, 8, kWhite);
    }
}

Bitmap PaintCategory(const ManifestEntry& e, int slot, Category category) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(NewPuzzleBackground(), kCategoryX + kCategoryStep * slot, kCategoryY, fw, fh, 4, 1,
                    [&](cairo_t* cr, int i) { DrawCategory(cr, fw, fh, i, category); });
}

// --- Scrollers: a walnut capsule with an up arrow, a knurled roller and a down arrow ----------

void Triangle(cairo_t* cr, double cx, double cy, double s, bool up, Rgb c) {
    const double d = up ? -1 : 1;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy + d * s * 0.55);
    cairo_line_to(cr, cx + s * 0.6, cy - d * s * 0.4);
    cairo_line_to(cr, cx - s * 0.6, cy - d * s * 0.4);
    cairo_close_path(cr);
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kWalnut, 0.4));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void DrawScrollerZone(cairo_t* cr, int zone, Look look, double w, const std::vector<int>& zones) {
    const double total = zones[0] + zones[1] + zones[2];
    const double zoneTop = zone == 0 ? 0 : (zone == 1 ? zones[0] : zones[0] + zones[1]);
    cairo_save(cr);
    cairo_translate(cr, 0, -zoneTop);
    // The capsule, drawn whole and seen through this zone.
    DropShadow(cr, 2, 1, w - 4, total - 3, (w - 4) / 2, 1.2, 0.45);
    RoundedRect(cr, 2, 1, w - 4, total - 3, (w - 4) / 2);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 579, true); });
    cairo_pattern_t* round = cairo_pattern_create_linear(2, 0, w - 2, 0);
    cairo_pattern_add_color_stop_rgba(round, 0, 1, 0.95, 0.85, 0.35);
    cairo_pattern_add_color_stop_rgba(round, 0.4, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(round, 1, 0, 0, 0, 0.4);
    cairo_set_source(cr, round);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(round);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double off = look == Look::Pressed ? 1 : 0;
    if (zone == 0 || zone == 2) {
        const bool up = zone == 0;
        const double zh = zones[static_cast<size_t>(zone)];
        const double by = up ? 4 : total - zh - 1;
        GlossyDisc(cr, w / 2.0 - 0.5, by + (zh - 4) / 2.0, std::min(w / 2.0 - 5, (zh - 4) / 2.0), kHoney, look);
        Triangle(cr, w / 2.0 - 0.5 + off, by + (zh - 4) / 2.0 + off, w * 0.36, up,
                 look == Look::Hover ? kWhite : Lighter(kParchment, 0.3));
    } else {
        // The roller in its slot: ridges crowd towards its ends as it curves away.
        const double sx = 6, sw = w - 12, sy = zones[0] + 2, sh = zones[1] - 4;
        Recess(cr, sx - 1, sy - 1, sw + 2, sh + 2, 3, Hex(0x140c08), 1.5);
        Rgb brass = StateColour(Mix(kGold, kHoney, 0.4), look);
        cairo_rectangle(cr, sx + 1, sy + 1, sw - 2, sh - 2);
        cairo_pattern_t* body = cairo_pattern_create_linear(0, sy, 0, sy + sh);
        Rgb dark = Darker(brass, 0.55), light = Lighter(brass, 0.3);
        cairo_pattern_add_color_stop_rgb(body, 0, dark.r, dark.g, dark.b);
        cairo_pattern_add_color_stop_rgb(body, 0.3, light.r, light.g, light.b);
        cairo_pattern_add_color_stop_rgb(body, 0.6, brass.r, brass.g, brass.b);
        cairo_pattern_add_color_stop_rgb(body, 1, dark.r, dark.g, dark.b);
        cairo_set_source(cr, body);
        cairo_fill(cr);
        cairo_pattern_destroy(body);
        const int ridges = static_cast<int>(sh / 6);
        const double phase = look == Look::Pressed ? 0.5 : 0.0;
        for (int k = 0; k < ridges; ++k) {
            double a = -M_PI / 2 + M_PI * (k + 0.5 + phase) / ridges;
            double ry = sy + sh / 2 + std::sin(a) * (sh / 2 - 1);
            cairo_move_to(cr, sx + 2, ry);
            cairo_line_to(cr, sx + sw - 2, ry);
            cairo_set_source_rgba(cr, 0.15, 0.08, 0.03, 0.55 * std::cos(a) + 0.1);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        // Small arrows on the roller's face tell it moves up and down.
        const double mid = sy + sh / 2;
        const Rgb ink = look == Look::Hover ? kRed : Darker(kWalnut, 0.3);
        Triangle(cr, w / 2.0 + off, mid - 8 + off, 7, true, ink);
        Triangle(cr, w / 2.0 + off, mid + 8 + off, 7, false, ink);
    }
    cairo_restore(cr);
}

Bitmap PaintScroller(const ManifestEntry& e, int x, int y) {
    const std::vector<int>& zones = e.layout.zones;
    return DrawZonesOver(NewPuzzleBackground(), x, y, e, [&](cairo_t* cr, int zone, Look look, double w, double) {
        DrawScrollerZone(cr, zone, look, w, zones);
    });
}

// --- Fit and actual size: honey buttons whose pictures move while the pointer is over them --

// Frames 0-3 loop, 4 pressed.
void ButtonFace(cairo_t* cr, int fw, int fh, int frame) {
    GlossyButton(cr, 4, 3, fw - 9, fh - 8, 12, Mix(kHoney, kParchment, 0.3), frame == 4 ? Look::Pressed : Look::Normal);
}

void DrawFit(cairo_t* cr, int fw, int fh, int frame) {
    ButtonFace(cr, fw, fh, frame);
    const double off = frame == 4 ? 1 : 0;
    const double cx = fw / 2.0 - 0.5 + off, cy = fh / 2.0 - 1.5 + off;
    // The board: felt in a wooden rim, with the picture filling it.
    const double bw = 50, bh = 38;
    RoundedRect(cr, cx - bw / 2 - 3, cy - bh / 2 - 3, bw + 6, bh + 6, 3);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, kWalnut, 580); });
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - bw / 2, cy - bh / 2, bw, bh);
    SetColour(cr, Hex(0x1f4a44));
    cairo_fill(cr);
    static const double grow[5] = {0, 2.5, 5, 2.5, 0};
    const double g = grow[frame];
    const double pw = 26 + g * 3.6, ph = 20 + g * 2.6;
    PictureCard(cr, cx - pw / 2, cy - ph / 2, pw, ph, 2);
    // Arrows from the picture's corners to the board's.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int sx = -1; sx <= 1; sx += 2)
        for (int sy = -1; sy <= 1; sy += 2) {
            const double tx = cx + sx * (bw / 2 - 1), ty = cy + sy * (bh / 2 - 1);
            const double fx = cx + sx * (pw / 2 + 1), fy = cy + sy * (ph / 2 + 1);
            cairo_move_to(cr, fx, fy);
            cairo_line_to(cr, tx, ty);
            cairo_move_to(cr, tx - sx * 5, ty);
            cairo_line_to(cr, tx, ty);
            cairo_line_to(cr, tx, ty - sy * 5);
        }
    SetColour(cr, Darker(kGold, 0.5));
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    SetColour(cr, Lighter(kGold, 0.25));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

void DrawActual(cairo_t* cr, int fw, int fh, int frame) {
    ButtonFace(cr, fw, fh, frame);
    const double off = frame == 4 ? 1 : 0;
    const double cx = fw / 2.0 - 0.5 + off, cy = fh / 2.0 - 1.5 + off;
    // A picture and the words 1:1 on it, and a magnifying glass bobbing over them.
    PictureCard(cr, cx - 28, cy - 20, 40, 31, 2.5);
    TextStyle st;
    st.size = 19;
    st.fill = kRed;
    st.outline = Lighter(kParchment, 0.5);
    st.outlineWidth = 2;
    st.shadow = 1;
    DrawTextCentred(cr, "1:1", cx - 8, cy + 1, st);
    static const double bob[5][2] = {{0, 0}, {2, -2}, {4, 0}, {2, 2}, {0, 0}};
    const double lx = cx + 14 + bob[frame][0], ly = cy + 8 + bob[frame][1], r = 10;
    cairo_save(cr);
    cairo_translate(cr, lx, ly);
    cairo_rotate(cr, 0.8);
    RoundedRect(cr, r - 1, -2.5, 12, 5, 2.5);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, kWalnut, 581, true); });
    cairo_restore(cr);
    cairo_arc(cr, lx, ly, r - 1, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.85, 0.93, 1, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, lx, ly, r, 0, 2 * M_PI);
    SetColour(cr, Darker(kGold, 0.45));
    cairo_set_line_width(cr, 3.2);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_arc(cr, lx - 3, ly - 3.5, 2.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_fill(cr);
}

// --- Shape display: the four pieces of each shape template, cut from one picture ------------

// Fraction of the supersamples of an output pixel that fall on template label `label`.
class TemplateCoverage {
public:
    TemplateCoverage(int family, double scale) : labels_(MakeShapeTemplate(family)), scale_(scale) {}

    // Coverage of the piece `label` at template-scaled position (x, y) (output pixels).
    double At(uint8_t label, double x, double y) const {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
            for (int sx = 0; sx < 4; ++sx) {
                const int tx = static_cast<int>(std::floor((x + (sx + 0.5) / 4) / scale_));
                const int ty = static_cast<int>(std::floor((y + (sy + 0.5) / 4) / scale_));
                if (tx < 0 || ty < 0 || tx >= kTemplateSide || ty >= kTemplateSide) continue;
                hits += labels_[static_cast<size_t>(ty) * kTemplateSide + static_cast<size_t>(tx)] == label;
            }
        return hits / 16.0;
    }

private:
    std::vector<uint8_t> labels_;
    double scale_;
};

// The picture the pieces are cut from: an evening landscape with layered hills, a lake, a
// tree and a red-roofed house, so that every piece carries something to look at.
Bitmap ShapePicture(int side) {
    Canvas canvas(side, side);
    cairo_t* cr = canvas.cr();
    const double s = side;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, s * 0.6);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.33, 0.58, 0.8);
    cairo_pattern_add_color_stop_rgb(sky, 0.65, 0.95, 0.78, 0.6);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.62, 0.42);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_arc(cr, s * 0.7, s * 0.34, s * 0.11, 0, 2 * M_PI);
    SetColour(cr, Lighter(kGold, 0.35));
    cairo_fill(cr);
    for (int k = 0; k < 2; ++k) {  // two small clouds
        const double cx = s * (0.22 + k * 0.5), cy = s * (0.16 + k * 0.05);
        cairo_arc(cr, cx, cy, s * 0.05, 0, 2 * M_PI);
        cairo_arc(cr, cx + s * 0.05, cy - s * 0.02, s * 0.06, 0, 2 * M_PI);
        cairo_arc(cr, cx + s * 0.11, cy, s * 0.045, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
        cairo_fill(cr);
    }
    const struct {
        double base, amp, phase;
        uint32_t colour;
    } hills[3] = {{0.5, 0.08, 0.3, 0x7fa8a0}, {0.6, 0.07, 2.1, 0x5c9a58}, {0.72, 0.05, 4.0, 0x3f7a3a}};
    for (const auto& h : hills) {
        cairo_move_to(cr, 0, s);
        for (int i = 0; i <= 40; ++i) {
            const double x = s * i / 40.0;
            cairo_line_to(cr, x, s * (h.base - h.amp * std::sin(i / 40.0 * 2 * M_PI * 0.8 + h.phase)));
        }
        cairo_line_to(cr, s, s);
        cairo_close_path(cr);
        SetColour(cr, Hex(h.colour));
        cairo_fill(cr);
    }
    // The lake, with the sun's reflection.
    cairo_save(cr);
    cairo_translate(cr, s * 0.62, s * 0.86);
    cairo_scale(cr, s * 0.3, s * 0.08);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* lake = cairo_pattern_create_linear(0, s * 0.78, 0, s * 0.94);
    cairo_pattern_add_color_stop_rgb(lake, 0, 0.55, 0.78, 0.9);
    cairo_pattern_add_color_stop_rgb(lake, 1, 0.2, 0.48, 0.62);
    cairo_set_source(cr, lake);
    cairo_fill(cr);
    cairo_pattern_destroy(lake);
    cairo_rectangle(cr, s * 0.6, s * 0.84, s * 0.12, s * 0.012);
    SetColour(cr, Lighter(kGold, 0.4), 0.8);
    cairo_fill(cr);
    // A house with a red roof and a tree beside it.
    const double hx = s * 0.2, hy = s * 0.66, hw = s * 0.14;
    cairo_rectangle(cr, hx, hy, hw, hw * 0.8);
    SetColour(cr, Lighter(kParchment, 0.3));
    cairo_fill(cr);
    cairo_move_to(cr, hx - hw * 0.15, hy);
    cairo_line_to(cr, hx + hw / 2, hy - hw * 0.55);
    cairo_line_to(cr, hx + hw * 1.15, hy);
    cairo_close_path(cr);
    SetColour(cr, kRed);
    cairo_fill(cr);
    cairo_rectangle(cr, hx + hw * 0.4, hy + hw * 0.35, hw * 0.22, hw * 0.45);
    SetColour(cr, kWalnut);
    cairo_fill(cr);
    cairo_rectangle(cr, s * 0.43, s * 0.62, s * 0.02, s * 0.1);
    SetColour(cr, kWalnut);
    cairo_fill(cr);
    cairo_arc(cr, s * 0.44, s * 0.58, s * 0.06, 0, 2 * M_PI);
    SetColour(cr, Hex(0x2f6a30));
    cairo_fill(cr);
    // Flowers in the near meadow.
    for (int k = 0; k < 9; ++k) {
        const double fx = s * (0.06 + 0.1 * k + 0.03 * std::sin(k * 2.3)), fy = s * (0.9 + 0.05 * std::sin(k * 1.7));
        if (fx > s * 0.3 && fx < s * 0.94 && fy < s * 0.95) continue;  // not on the lake
        cairo_arc(cr, fx, fy, s * 0.012, 0, 2 * M_PI);
        SetColour(cr, k % 2 ? kGold : Lighter(kRed, 0.2));
        cairo_fill(cr);
    }
    return canvas.ToBitmap24();
}

void DrawShape(cairo_t* cr, int fw, int fh, int family) {
    // The board's felt in a wooden rim.
    const double m = 3;
    DropShadow(cr, m, m, fw - 2 * m, fh - 2 * m, 8, 1.5, 0.45);
    RoundedRect(cr, m, m, fw - 2 * m, fh - 2 * m, 8);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 583); });
    cairo_new_path(cr);
    RoundedRect(cr, m + 5, m + 5, fw - 2 * m - 10, fh - 2 * m - 10, 5);
    FillProcedural(cr, [](int x, int y) { return FeltAt(x, y, Hex(0x2b6158), 114); });
    cairo_new_path(cr);

    // The four pieces, pulled a little apart so that every edge shows.
    const double spread = 5;
    const double scale = (fw - 2 * m - 10 - 2 * spread - 6) / double(kTemplateSide);
    const double origin = (fw - kTemplateSide * scale) / 2.0;
    const TemplateCoverage cover(family, scale);
    const int side = static_cast<int>(std::ceil(kTemplateSide * scale));
    const Bitmap picture = ShapePicture(side);
    cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, fw, fh);
    unsigned char* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer);
    // Offset of piece `label` from its place in the template, and its four neighbours' spread.
    auto local = [&](uint8_t label, int x, int y, double& px, double& py) {
        const int i = (label - 1) / 2, j = (label - 1) % 2;
        px = x - origin - (j == 0 ? -spread : spread);
        py = y - origin - (i == 0 ? -spread : spread);
    };
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    for (int y = 0; y < fh; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < fw; ++x) {
            // Premultiplied colour; the shadows of all four pieces lie under all four pieces.
            double r = 0, g = 0, b = 0, a = 0;
            for (uint8_t label = 1; label <= 4; ++label) {
                double px, py;
                local(label, x, y, px, py);
                const double shadow = cover.At(label, px - 2, py - 3) * 0.4;
                r *= 1 - shadow;
                g *= 1 - shadow;
                b *= 1 - shadow;
                a = shadow + a * (1 - shadow);
            }
            for (uint8_t label = 1; label <= 4; ++label) {
                double px, py;
                local(label, x, y, px, py);
                const double c = cover.At(label, px, py);
                if (c <= 0) continue;
                // A bevel: light where the piece ends just above-left, dark where it ends
                // just below-right.
                const double lit = 1 - cover.At(label, px - 1.5, py - 1.5);
                const double dim = 1 - cover.At(label, px + 1.5, py + 1.5);
                Rgb colour = PixelAt(picture, static_cast<int>(px), static_cast<int>(py));
                colour = Mix(colour, kWhite, lit * 0.45);
                colour = Mix(colour, kBlack, dim * 0.4);
                r = colour.r * c + r * (1 - c);
                g = colour.g * c + g * (1 - c);
                b = colour.b * c + b * (1 - c);
                a = c + a * (1 - c);
            }
            row[x] = (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
        }
    }
    cairo_surface_mark_dirty(layer);
    cairo_set_source_surface(cr, layer, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(layer);
}

}  // namespace

void RegisterNewPuzzlePagesArt(PainterTable& table) {
    const struct {
        uint32_t id;
        int slot;
        Category category;
    } categories[] = {{567, 0, Category::Nature}, {571, 1, Category::Landscapes}, {569, 2, Category::Abstract},
                      {570, 3, Category::Fun},    {566, 4, Category::Moods},      {568, 5, Category::OwnPictures}};
    for (const auto& c : categories)
        table[c.id] = [c](const ManifestEntry& e) { return PaintCategory(e, c.slot, c.category); };
    table[579] = [](const ManifestEntry& e) { return PaintScroller(e, kScrollerX, kScrollerY); };
    table[578] = [](const ManifestEntry& e) { return PaintScroller(e, kPictureScrollerX, kPictureScrollerY); };
    table[580] = [](const ManifestEntry& e) {
        const int fw = FrameWidth(e), fh = FrameHeight(e);
        return DrawOver(NewPuzzleBackground(), kFitX, kFitY, fw, fh, 5, 1,
                        [&](cairo_t* cr, int i) { DrawFit(cr, fw, fh, i); });
    };
    table[581] = [](const ManifestEntry& e) {
        const int fw = FrameWidth(e), fh = FrameHeight(e);
        return DrawOver(NewPuzzleBackground(), kActualX, kActualY, fw, fh, 5, 1,
                        [&](cairo_t* cr, int i) { DrawActual(cr, fw, fh, i); });
    };
    table[583] = [](const ManifestEntry& e) {
        const int fw = FrameWidth(e), fh = FrameHeight(e);
        return DrawOver(NewPuzzleBackground(), kShapeDisplayX, kShapeDisplayY, fw, fh, 1, kTemplateFamilies,
                        [&](cairo_t* cr, int i) { DrawShape(cr, fw, fh, i); });
    };
}
