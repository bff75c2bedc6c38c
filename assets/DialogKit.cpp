#include "assets/DialogKit.h"

#include <algorithm>
#include <cmath>

#include "assets/Shapes.h"

namespace art {

namespace {

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255)); }

}  // namespace

Bitmap DrawOver(const Bitmap& background,
                int x,
                int y,
                int frameW,
                int frameH,
                int rows,
                int columns,
                const std::function<void(cairo_t*, int)>& draw) {
    cairo_surface_t* bg = SurfaceFromBitmap(background);
    Bitmap out = DrawGrid(frameW, frameH, rows, columns, [&](cairo_t* cr, int i) {
        cairo_set_source_surface(cr, bg, -x, -y);
        cairo_paint(cr);
        draw(cr, i);
    });
    cairo_surface_destroy(bg);
    return out;
}

Bitmap DrawZonesOver(const Bitmap& background,
                     int x,
                     int y,
                     const ManifestEntry& e,
                     const std::function<void(cairo_t*, int, Look, double, double)>& draw) {
    const int w = e.width;
    const int pictures = e.layout.rows;
    const bool hasDisabled = pictures == 4;
    Canvas canvas(w, e.height);
    cairo_surface_t* bg = SurfaceFromBitmap(background);
    int zoneTop = 0;
    for (int zone = 0; zone < 3; ++zone) {
        const int h = e.layout.zones[static_cast<size_t>(zone)];
        for (int p = 0; p < pictures; ++p) {
            Look look = Look::Normal;
            int state = hasDisabled ? p - 1 : p;
            if (state < 0)
                look = Look::Disabled;
            else if (state == 1)
                look = Look::Hover;
            else if (state == 2)
                look = Look::Pressed;
            cairo_t* cr = canvas.cr();
            cairo_save(cr);
            cairo_translate(cr, 0, ZoneFrameTop(e, zone, p));
            cairo_rectangle(cr, 0, 0, w, h);
            cairo_clip(cr);
            cairo_set_source_surface(cr, bg, -x, -(y + zoneTop));
            cairo_paint(cr);
            draw(cr, zone, look, w, h);
            cairo_restore(cr);
        }
        zoneTop += h;
    }
    cairo_surface_destroy(bg);
    return canvas.ToBitmap24();
}

Bitmap DrawMaskedGrid(int frameW,
                      int frameH,
                      int rows,
                      int columns,
                      const std::function<void(cairo_t*, int)>& draw,
                      const std::function<Rgb(int, int)>& matte) {
    Canvas canvas(frameW * columns, frameH * rows);
    for (int i = 0; i < rows * columns; ++i) {
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_translate(cr, (i % columns) * frameW, (i / columns) * frameH);
        cairo_rectangle(cr, 0, 0, frameW, frameH);
        cairo_clip(cr);
        draw(cr, i);
        cairo_restore(cr);
    }
    cairo_surface_flush(canvas.surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    Bitmap out;
    out.width = frameW * columns;
    out.height = frameH * rows * 2;
    out.bits = 24;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height * 3, 0);
    for (int y = 0; y < frameH * rows; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        const int band = y / frameH, fy = y % frameH;
        uint8_t* picture = out.Row(band * 2 * frameH + fy);
        uint8_t* mask = out.Row(band * 2 * frameH + frameH + fy);
        for (int x = 0; x < out.width; ++x) {
            const uint32_t p = row[x];
            const double a = ((p >> 24) & 0xff) / 255.0;
            if (a < 0.5) {
                mask[x * 3] = mask[x * 3 + 1] = mask[x * 3 + 2] = 255;
                continue;  // the picture stays black
            }
            const Rgb under = matte(x % frameW, fy);
            // Premultiplied colour over the matte.
            picture[x * 3 + 0] = Byte((p & 0xff) / 255.0 + (1 - a) * under.b);
            picture[x * 3 + 1] = Byte(((p >> 8) & 0xff) / 255.0 + (1 - a) * under.g);
            picture[x * 3 + 2] = Byte(((p >> 16) & 0xff) / 255.0 + (1 - a) * under.r);
        }
    }
    return out;
}

Rgb PixelAt(const Bitmap& bmp, int x, int y) {
    x = std::clamp(x, 0, bmp.width - 1);
    y = std::clamp(y, 0, bmp.height - 1);
    const uint8_t* p = bmp.Row(y) + x * 3;
    return {p[2] / 255.0, p[1] / 255.0, p[0] / 255.0};
}

void PasteBitmap(Bitmap& dest, const Bitmap& src, int x, int y) {
    for (int yy = 0; yy < src.height; ++yy) {
        const int dy = y + yy;
        if (dy < 0 || dy >= dest.height) continue;
        for (int xx = 0; xx < src.width; ++xx) {
            const int dx = x + xx;
            if (dx < 0 || dx >= dest.width) continue;
            for (int k = 0; k < 3; ++k) dest.Row(dy)[dx * 3 + k] = src.Row(yy)[xx * 3 + k];
        }
    }
}

void TitlePlate(cairo_t* cr, double x, double y, double w, double h, uint32_t seed) {
    DropShadow(cr, x, y, w, h, h * 0.3, 2, 0.45);
    RoundedRect(cr, x, y, w, h, h * 0.3);
    FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py, Darker(kWalnut, 0.1), seed); });
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.95, 0.85, 0.28);
    cairo_pattern_add_color_stop_rgba(shade, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Darker(kWalnut, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, x + 3.5, y + 3.5, w - 7, h - 7, h * 0.3 - 3);
    SetColour(cr, kGold, 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void TitleText(cairo_t* cr, const std::string& utf8, double cx, double cy, double maxWidth, double size) {
    TextStyle st;
    st.size = size;
    st.fill = kGold;
    st.gradient = true;
    st.outline = Darker(kWalnut, 0.5);
    st.outlineWidth = 2.2;
    st.shadow = 1.5;
    st.size = FitTextSize(cr, utf8, st, maxWidth);
    DrawTextCentred(cr, utf8, cx, cy + st.size * 0.34, st);
}

Bitmap TitleOver(const Bitmap& background,
                 int x,
                 int y,
                 int w,
                 int h,
                 const std::string& utf8,
                 double cy,
                 double maxWidth,
                 double size) {
    return DrawOver(background, x, y, w, h, 1, 1,
                    [&](cairo_t* cr, int) { TitleText(cr, utf8, w / 2.0, cy, maxWidth, size); });
}

namespace {

void StrokeGlyph(cairo_t* cr, double width, Rgb colour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_save(cr);
    cairo_translate(cr, 1, 1.3);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_set_line_width(cr, width + 1.5);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
    SetColour(cr, Darker(colour, 0.55));
    cairo_set_line_width(cr, width + 1.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

}  // namespace

void TickGlyph(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    const double s = size / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - s * 0.8, cy + s * 0.02);
    cairo_line_to(cr, cx - s * 0.25, cy + s * 0.6);
    cairo_line_to(cr, cx + s * 0.85, cy - s * 0.62);
    StrokeGlyph(cr, std::max(2.0, size * 0.16), colour);
}

void CrossGlyph(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    const double s = size / 2 * 0.72;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - s, cy - s);
    cairo_line_to(cr, cx + s, cy + s);
    cairo_move_to(cr, cx + s, cy - s);
    cairo_line_to(cr, cx - s, cy + s);
    StrokeGlyph(cr, std::max(2.0, size * 0.15), colour);
}

void HelpDisc(cairo_t* cr, double cx, double cy, double r, int frame) {
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    GlossyDisc(cr, cx, cy, r, kTeal, looks[frame]);
    const double off = frame == 2 ? 1 : 0;
    TextStyle st;
    st.size = r * 1.55;
    st.fill = frame == 1 ? Lighter(kGold, 0.3) : Lighter(kParchment, 0.35);
    st.gradient = frame == 1;
    st.outline = Darker(kTeal, 0.6);
    st.outlineWidth = std::max(1.2, r * 0.075);
    st.shadow = 1.2;
    DrawTextCentred(cr, "?", cx + off, cy + r * 0.52 + off, st);
}

void Sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -r * 1.8);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, r * 1.8, 0);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, 0, r * 1.8);
    cairo_curve_to(cr, 0, r * 0.25, 0, r * 0.25, -r * 1.8, 0);
    cairo_curve_to(cr, 0, -r * 0.25, 0, -r * 0.25, 0, -r * 1.8);
    cairo_set_source_rgba(cr, 1, 0.97, 0.8, alpha);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, alpha);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void HoneyPill(cairo_t* cr,
               int fw,
               int fh,
               Look look,
               const std::string& text,
               const std::function<void(cairo_t*, double, double, Look)>& icon) {
    GlossyButton(cr, 3, 3, fw - 7, fh - 7, (fh - 7) / 2.0, kHoney, look);
    const double off = look == Look::Pressed ? 1 : 0;
    icon(cr, 14 + off, fh / 2.0 - 7.5 + 1 + off, look);
    TextStyle st;
    st.fill = look == Look::Hover ? kWhite : Lighter(kParchment, 0.3);
    st.outline = Darker(kWalnut, 0.2);
    st.outlineWidth = 2;
    st.shadow = 1;
    st.size = 19;
    const double left = 36, right = fw - 12;
    st.size = FitTextSize(cr, text, st, right - left);
    DrawTextCentred(cr, text, (left + right) / 2 + off, fh / 2.0 + st.size * 0.34 + off, st);
}

void ExitDoor(cairo_t* cr, int frame) {
    cairo_save(cr);
    double off = frame == 2 ? 1 : 0;
    cairo_translate(cr, off, off);
    double x = 30, y = 8, w = 36, h = 56;
    if (frame != 2) DropShadow(cr, x - 3, y - 3, w + 6, h + 6, 3, 1.5, 0.45);
    // Frame and the light inside.
    RoundedRect(cr, x - 3, y - 3, w + 6, h + 6, 3);
    FillProcedural(cr, [](int px, int py) { return WoodAt(px, py, kWalnut, 124, true); });
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_pattern_t* light = cairo_pattern_create_linear(x, 0, x + w, 0);
    Rgb warm = frame == 1 ? Lighter(kGold, 0.55) : Lighter(kGold, 0.25);
    cairo_pattern_add_color_stop_rgb(light, 0, warm.r, warm.g, warm.b);
    cairo_pattern_add_color_stop_rgb(light, 1, kGold.r, kGold.g, kGold.b);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    // The door, hinged on the right, swinging towards us.
    double open = frame == 1 ? 0.62 : 0.3;
    double dw = w * (1 - open);
    cairo_move_to(cr, x + w, y);
    cairo_line_to(cr, x + w - dw, y - 4 * open);
    cairo_line_to(cr, x + w - dw, y + h + 4 * open);
    cairo_line_to(cr, x + w, y + h);
    cairo_close_path(cr);
    Rgb doorWood = frame == 2 ? Darker(kHoney, 0.2) : kHoney;
    FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py, doorWood, 125, true); });
    SetColour(cr, Darker(kWalnut, 0.4));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    GlossyDisc(cr, x + w - dw + 4, y + h / 2, 2.2, kGold, Look::Normal);
    // Arrow out of the door.
    double ax = frame == 1 ? 18 : 12, ay = y + h / 2 + 4;
    cairo_move_to(cr, x + 10, ay);
    cairo_line_to(cr, ax - 2, ay);
    cairo_move_to(cr, ax + 5, ay - 7);
    cairo_line_to(cr, ax - 3, ay);
    cairo_line_to(cr, ax + 5, ay + 7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 6.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, frame == 1 ? Lighter(kRed, 0.15) : kRed);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void LoosePiece(cairo_t* cr, double x, double y, double s, double angle, const int edges[4], Rgb c) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_save(cr);
    cairo_translate(cr, 1.5, 2);
    JigsawPiecePath(cr, -s / 2, -s / 2, s, edges);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0.05, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    JigsawPiecePath(cr, -s / 2, -s / 2, s, edges);
    cairo_pattern_t* g = cairo_pattern_create_linear(-s / 2, -s / 2, s / 2, s / 2);
    Rgb hi = Lighter(c, 0.4), lo = Darker(c, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(c, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void MiniLandscape(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.42, 0.66, 0.84);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.96, 0.86, 0.64);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_arc(cr, x + w * 0.72, y + h * 0.3, h * 0.14, 0, 2 * M_PI);
    SetColour(cr, Lighter(kGold, 0.3));
    cairo_fill(cr);
    cairo_move_to(cr, x, y + h * 0.75);
    cairo_line_to(cr, x + w * 0.32, y + h * 0.4);
    cairo_line_to(cr, x + w * 0.55, y + h * 0.7);
    cairo_line_to(cr, x + w * 0.72, y + h * 0.52);
    cairo_line_to(cr, x + w, y + h * 0.8);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x4f8a45));
    cairo_fill(cr);
    cairo_restore(cr);
}

void PictureCard(cairo_t* cr, double x, double y, double w, double h, double border) {
    RoundedRect(cr, x, y, w, h, border * 0.6);
    SetColour(cr, Lighter(kParchment, 0.6));
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kWalnut, 0.2), 0.8);
    cairo_set_line_width(cr, std::max(0.6, border * 0.3));
    cairo_stroke(cr);
    MiniLandscape(cr, x + border, y + border, w - 2 * border, h - 2 * border);
}

}  // namespace art
