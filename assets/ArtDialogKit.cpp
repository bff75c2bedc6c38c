#include "assets/ArtDialogKit.h"

#include <algorithm>
#include <cmath>

#include "assets/Shapes.h"

namespace art {

void DrawTextLeft(cairo_t* cr, const std::string& utf8, double x, double baselineY, const TextStyle& style) {
    double w = TextWidth(cr, utf8, style) - style.outlineWidth;
    DrawTextCentred(cr, utf8, x + w / 2, baselineY, style);
}

void GiltTitle(cairo_t* cr, const std::string& utf8, double x, double y, double w, double h, double size) {
    TextStyle st;
    st.size = size;
    st.fill = Lighter(kGold, 0.1);
    st.gradient = true;
    st.outline = Darker(kWalnut, 0.35);
    st.outlineWidth = 2.5;
    st.shadow = 2;
    st.size = FitTextSize(cr, utf8, st, w - 8);
    DrawTextCentred(cr, utf8, x + w / 2, y + h / 2 + st.size * 0.34, st);
}

void TitlePlaque(cairo_t* cr, double x, double y, double w, double h, uint32_t seed) {
    double r = std::min(12.0, h / 3);
    DropShadow(cr, x, y, w, h, r, 2, 0.45);
    RoundedRect(cr, x, y, w, h, r);
    FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py, Mix(kWalnut, kHoney, 0.25), seed); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.28);
    cairo_pattern_add_color_stop_rgba(shade, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, x + 4.5, y + 4.5, w - 9, h - 9, std::max(2.0, r - 4));
    SetColour(cr, kGold, 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int side = 0; side < 2; ++side) {
        double px = side == 0 ? x + 10 : x + w - 10;
        GlossyDisc(cr, px, y + h / 2, 2.6, kGold, Look::Normal);
    }
}

void PaperSheet(cairo_t* cr, double x, double y, double w, double h, double angle, uint32_t seed) {
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -w / 2, -h / 2);
    DropShadow(cr, 0, 0, w, h, 3, 2.5, 0.3);
    RoundedRect(cr, 0, 0, w, h, 3);
    FillProcedural(cr, [&](int px, int py) {
        Rgb c = Mix(Lighter(kParchment, 0.6), Lighter(kParchment, 0.3), Fractal(px / 60.0, py / 60.0, seed, 3));
        return Mix(c, Darker(kParchment, 0.1), (Grain(px, py, seed + 1) - 0.5) * 0.15);
    });
    SetColour(cr, Mix(kHoney, kParchment, 0.4));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Twinkle(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_pattern_t* halo = cairo_pattern_create_radial(0, 0, 0, 0, 0, r * 1.6);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.97, 0.8, 0.55 * alpha);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.9, 0.6, 0);
    cairo_set_source(cr, halo);
    cairo_arc(cr, 0, 0, r * 1.6, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    cairo_move_to(cr, 0, -r * 1.8);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, r * 1.8, 0);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, 0, r * 1.8);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, -r * 1.8, 0);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, 0, -r * 1.8);
    cairo_set_source_rgba(cr, 1, 0.98, 0.85, alpha);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, alpha);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double rotation) {
    cairo_new_sub_path(cr);
    for (int k = 0; k < 10; ++k) {
        double a = -M_PI / 2 + rotation + k * M_PI / 5, rr = (k % 2) ? inner : outer;
        cairo_line_to(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
    }
    cairo_close_path(cr);
}

void GlossyPiece(cairo_t* cr, double x, double y, double s, const int edges[4], Rgb colour, double shadow) {
    if (shadow > 0) {
        cairo_save(cr);
        cairo_translate(cr, shadow * 0.8, shadow);
        JigsawPiecePath(cr, x, y, s, edges);
        cairo_set_source_rgba(cr, 0.15, 0.08, 0.03, 0.4);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    JigsawPiecePath(cr, x, y, s, edges);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y - s * 0.3, x + s, y + s * 1.2);
    Rgb hi = Lighter(colour, 0.4), lo = Darker(colour, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(colour, 0.6));
    cairo_set_line_width(cr, std::max(0.8, s / 30));
    cairo_stroke(cr);
    cairo_save(cr);
    JigsawPiecePath(cr, x, y, s, edges);
    cairo_clip(cr);
    cairo_arc(cr, x + s * 0.3, y + s * 0.22, s * 0.33, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
}

void ConfettiFlake(cairo_t* cr, double x, double y, double size, double turn, Rgb colour, bool round) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (round) {
        cairo_scale(cr, 1, 0.35 + 0.65 * std::fabs(std::cos(turn)));
        cairo_arc(cr, 0, 0, size * 0.45, 0, 2 * M_PI);
        SetColour(cr, colour);
        cairo_fill(cr);
    } else {
        cairo_rotate(cr, turn * 0.7);
        double squash = 0.35 + 0.65 * std::fabs(std::sin(turn));
        cairo_scale(cr, 1, squash);
        cairo_rectangle(cr, -size * 0.5, -size * 0.25, size, size * 0.5);
        SetColour(cr, std::sin(turn) > 0 ? colour : Darker(colour, 0.25));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

namespace {

void Band(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb) {
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, Hex(rgb));
    cairo_fill(cr);
}

void UnionFlag(cairo_t* cr, double x, double y, double w, double h) {
    Band(cr, x, y, w, h, 0x012169);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    double d = h / 5;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_move_to(cr, x + w, y);
    cairo_line_to(cr, x, y + h);
    SetColour(cr, kWhite);
    cairo_set_line_width(cr, d);
    cairo_stroke(cr);
    // The red saltire, offset as the flag has it.
    double o = d * 0.18;
    cairo_move_to(cr, x - o, y + o);
    cairo_line_to(cr, x + w - o, y + h + o);
    cairo_move_to(cr, x + w + o, y + o);
    cairo_line_to(cr, x + o, y + h + o);
    SetColour(cr, Hex(0xc8102e));
    cairo_set_line_width(cr, d * 0.4);
    cairo_stroke(cr);
    Band(cr, x + w / 2 - d * 0.85, y, d * 1.7, h, 0xffffff);
    Band(cr, x, y + h / 2 - d * 0.85, w, d * 1.7, 0xffffff);
    Band(cr, x + w / 2 - d * 0.5, y, d, h, 0xc8102e);
    Band(cr, x, y + h / 2 - d * 0.5, w, d, 0xc8102e);
    cairo_restore(cr);
}

}  // namespace

void LanguageFlag(cairo_t* cr, int language, double x, double y, double w, double h) {
    cairo_save(cr);
    DropShadow(cr, x, y, w, h, 1.5, 1.2, 0.35);
    RoundedRect(cr, x, y, w, h, 1.5);
    cairo_clip(cr);
    switch (language) {
        case 0:  // Spain
            Band(cr, x, y, w, h, 0xaa151b);
            Band(cr, x, y + h / 4, w, h / 2, 0xf1bf00);
            RoundedRect(cr, x + w * 0.22, y + h * 0.36, w * 0.14, h * 0.28, 1);
            SetColour(cr, Hex(0xaa151b), 0.8);
            cairo_fill(cr);
            break;
        case 1: UnionFlag(cr, x, y, w, h); break;
        case 2:  // Portugal
            Band(cr, x, y, w, h, 0xda291c);
            Band(cr, x, y, w * 0.4, h, 0x046a38);
            cairo_arc(cr, x + w * 0.4, y + h / 2, h * 0.26, 0, 2 * M_PI);
            SetColour(cr, Hex(0xffe900));
            cairo_set_line_width(cr, h * 0.07);
            cairo_stroke(cr);
            RoundedRect(cr, x + w * 0.4 - h * 0.12, y + h / 2 - h * 0.14, h * 0.24, h * 0.28, 1);
            SetColour(cr, kWhite);
            cairo_fill_preserve(cr);
            SetColour(cr, Hex(0xda291c));
            cairo_set_line_width(cr, h * 0.04);
            cairo_stroke(cr);
            break;
        case 3:  // Italy
            Band(cr, x, y, w / 3 + 0.5, h, 0x009246);
            Band(cr, x + w / 3, y, w / 3 + 0.5, h, 0xf4f5f0);
            Band(cr, x + 2 * w / 3, y, w / 3, h, 0xce2b37);
            break;
        case 4:  // France
            Band(cr, x, y, w / 3 + 0.5, h, 0x0055a4);
            Band(cr, x + w / 3, y, w / 3 + 0.5, h, 0xf4f5f0);
            Band(cr, x + 2 * w / 3, y, w / 3, h, 0xef4135);
            break;
        default:  // Germany
            Band(cr, x, y, w, h / 3 + 0.5, 0x1a1a1a);
            Band(cr, x, y + h / 3, w, h / 3 + 0.5, 0xdd0000);
            Band(cr, x, y + 2 * h / 3, w, h / 3, 0xffce00);
            break;
    }
    // A gentle wave: light and shade in soft vertical bands.
    cairo_pattern_t* wave = cairo_pattern_create_linear(x, y, x + w, y + h * 0.3);
    for (int k = 0; k <= 6; ++k) {
        double t = k / 6.0;
        double a = 0.16 * std::sin(t * 2 * M_PI * 1.3 + 0.4);
        if (a > 0)
            cairo_pattern_add_color_stop_rgba(wave, t, 1, 1, 1, a);
        else
            cairo_pattern_add_color_stop_rgba(wave, t, 0, 0, 0, -a);
    }
    cairo_set_source(cr, wave);
    cairo_paint(cr);
    cairo_pattern_destroy(wave);
    cairo_restore(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 1.5);
    cairo_set_source_rgba(cr, 0.1, 0.06, 0.03, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void ConfirmButtonFace(cairo_t* cr, double x, double y, double w, double h, ConfirmGlyph glyph, Look look) {
    Rgb base = glyph == ConfirmGlyph::Tick ? kTeal : kRed;
    GlossyButton(cr, x, y, w, h, h / 2, base, look);
    double off = look == Look::Pressed ? 1 : 0;
    double cx = x + w / 2 + off, cy = y + h / 2 + off, a = h * 0.24;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        double d = pass == 0 ? 1.2 : 0;
        cairo_new_path(cr);
        if (glyph == ConfirmGlyph::Tick) {
            cairo_move_to(cr, cx - a * 1.2 + d, cy + d);
            cairo_line_to(cr, cx - a * 0.3 + d, cy + a * 0.85 + d);
            cairo_line_to(cr, cx + a * 1.3 + d, cy - a * 0.95 + d);
        } else {
            cairo_move_to(cr, cx - a + d, cy - a + d);
            cairo_line_to(cr, cx + a + d, cy + a + d);
            cairo_move_to(cr, cx + a + d, cy - a + d);
            cairo_line_to(cr, cx - a + d, cy + a + d);
        }
        if (pass == 0)
            cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        else
            SetColour(cr, look == Look::Hover ? kWhite : Lighter(kParchment, 0.45));
        cairo_set_line_width(cr, h * 0.14);
        cairo_stroke(cr);
    }
}

void RoundCloseFace(cairo_t* cr, double cx, double cy, double r, Look look, bool lit) {
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r * 0.85, cx, cy, r * 1.5);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.85, 0.35, 0.95);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.85, 0.35, 0);
        cairo_set_source(cr, glow);
        cairo_arc(cr, cx, cy, r * 1.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    double off = look == Look::Pressed ? 1 : 0;
    if (look != Look::Pressed) {
        cairo_arc(cr, cx + 1.2, cy + 1.6, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_fill(cr);
    }
    // Gilt ring, lit from the top-left.
    cairo_arc(cr, cx + off, cy + off, r, 0, 2 * M_PI);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    Rgb hi = Lighter(kGold, lit ? 0.55 : 0.3), lo = Darker(kGold, 0.45);
    cairo_pattern_add_color_stop_rgb(ring, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(ring, 0.5, kGold.r, kGold.g, kGold.b);
    cairo_pattern_add_color_stop_rgb(ring, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, ring);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(ring);
    SetColour(cr, Darker(kGold, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Rgb disc = look == Look::Pressed ? Darker(kRed, 0.2) : (lit ? Lighter(kRed, 0.2) : kRed);
    GlossyDisc(cr, cx, cy, r * 0.78, disc, look == Look::Pressed ? Look::Pressed : Look::Normal);
    double a = r * 0.32;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        double d = (pass == 0 ? 1 : 0) + off;
        cairo_move_to(cr, cx - a + d, cy - a + d);
        cairo_line_to(cr, cx + a + d, cy + a + d);
        cairo_move_to(cr, cx + a + d, cy - a + d);
        cairo_line_to(cr, cx - a + d, cy + a + d);
        if (pass == 0)
            cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        else
            SetColour(cr, lit ? kWhite : Lighter(kParchment, 0.35));
        cairo_set_line_width(cr, r * 0.2);
        cairo_stroke(cr);
    }
}

void TitleLogo(cairo_t* cr, double cx, double cy, double scale, double shine) {
    TextStyle title;
    title.size = 44 * scale;
    title.fill = Mix(kGold, Lighter(kGold, 0.35), shine);
    title.gradient = true;
    title.outline = kWalnut;
    title.outlineWidth = 3 * scale;
    title.shadow = 2 * scale;
    DrawTextCentred(cr, "Vexla", cx, cy + 4 * scale, title);
    TextStyle sub;
    sub.size = 22 * scale;
    sub.fill = Mix(kRed, Lighter(kRed, 0.25), shine);
    sub.outline = Lighter(kParchment, 0.4);
    sub.outlineWidth = 2 * scale;
    sub.shadow = 1 * scale;
    DrawTextCentred(cr, "Puzzle", cx + 22 * scale, cy + 26 * scale, sub);
    if (shine > 0) {
        Twinkle(cr, cx + 58 * scale, cy - 26 * scale, 5 * scale, shine);
        Twinkle(cr, cx - 62 * scale, cy - 12 * scale, 3.5 * scale, shine * 0.8);
    }
}

}  // namespace art
