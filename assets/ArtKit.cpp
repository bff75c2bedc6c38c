#include "assets/ArtKit.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

int Wrap(int v, int period) {
    if (period <= 0) return v;
    int m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Lighter(Rgb c, double t) { return Mix(c, kWhite, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, kBlack, t); }
Rgb Desaturate(Rgb c, double t) {
    double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    return Mix(c, Rgb{grey, grey, grey}, t);
}
void SetColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

Rgb StateColour(Rgb base, Look look) {
    switch (look) {
        case Look::Hover: return Lighter(base, 0.22);
        case Look::Pressed: return Darker(base, 0.22);
        case Look::Disabled: return Lighter(Desaturate(base, 0.85), 0.25);
        case Look::Normal: break;
    }
    return base;
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Bitmap Canvas::ToBitmap24(Rgb matte) const {
    cairo_surface_flush(surface_);
    Bitmap bmp;
    bmp.width = width_;
    bmp.height = height_;
    bmp.bits = 24;
    bmp.pixels.resize(static_cast<size_t>(width_) * height_ * 3);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        uint8_t* out = bmp.Row(y);
        for (int x = 0; x < width_; ++x) {
            uint32_t p = row[x];
            double a = ((p >> 24) & 0xff) / 255.0;
            // Premultiplied colour over the matte.
            double r = ((p >> 16) & 0xff) / 255.0 + (1 - a) * matte.r;
            double g = ((p >> 8) & 0xff) / 255.0 + (1 - a) * matte.g;
            double b = (p & 0xff) / 255.0 + (1 - a) * matte.b;
            out[x * 3 + 0] = static_cast<uint8_t>(std::lround(Clamp01(b) * 255));
            out[x * 3 + 1] = static_cast<uint8_t>(std::lround(Clamp01(g) * 255));
            out[x * 3 + 2] = static_cast<uint8_t>(std::lround(Clamp01(r) * 255));
        }
    }
    return bmp;
}

double ValueNoise(double x, double y, uint32_t seed, int period) {
    int x0 = static_cast<int>(std::floor(x));
    int y0 = static_cast<int>(std::floor(y));
    double fx = Smooth(x - x0);
    double fy = Smooth(y - y0);
    auto at = [&](int ix, int iy) {
        return (Hash(Wrap(ix, period), Wrap(iy, period), seed) & 0xffffff) / double(0xffffff);
    };
    double a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double Fractal(double x, double y, uint32_t seed, int octaves, int period) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u, period);
        norm += amp;
        amp *= 0.5;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
    }
    return sum / norm;
}

double Grain(int x, int y, uint32_t seed) { return (Hash(x, y, seed) & 0xffff) / 65535.0; }

void FillProcedural(cairo_t* cr, const std::function<Rgb(int, int)>& colourAt) {
    double x1, y1, x2, y2;
    cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    cairo_user_to_device(cr, &x1, &y1);
    cairo_user_to_device(cr, &x2, &y2);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    int ix1 = static_cast<int>(std::floor(x1)) - 1, iy1 = static_cast<int>(std::floor(y1)) - 1;
    int ix2 = static_cast<int>(std::ceil(x2)) + 1, iy2 = static_cast<int>(std::ceil(y2)) + 1;
    int w = ix2 - ix1, h = iy2 - iy1;
    if (w <= 0 || h <= 0) return;
    cairo_surface_t* tex = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    unsigned char* data = cairo_image_surface_get_data(tex);
    int stride = cairo_image_surface_get_stride(tex);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            Rgb c = colourAt(ix1 + x, iy1 + y);
            row[x] = 0xff000000u | (static_cast<uint32_t>(std::lround(Clamp01(c.r) * 255)) << 16) |
                     (static_cast<uint32_t>(std::lround(Clamp01(c.g) * 255)) << 8) |
                     static_cast<uint32_t>(std::lround(Clamp01(c.b) * 255));
        }
    }
    cairo_surface_mark_dirty(tex);
    cairo_save(cr);
    // The texture is laid out in device pixels; place it with an identity user transform.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, tex, ix1, iy1);
    cairo_set_matrix(cr, &m);
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_surface_destroy(tex);
}

Rgb WoodAt(int x, int y, Rgb base, uint32_t seed, bool vertical) {
    double u = vertical ? y : x;  // along the grain
    double v = vertical ? x : y;  // across the grain
    double warp = Fractal(u * 0.008, v * 0.03, seed, 3) * 6.0;
    double rings = 0.5 + 0.5 * std::sin((v * 0.21 + warp) * 2.2);
    rings = std::pow(rings, 3.0);
    double streak = Fractal(u * 0.02, v * 0.9, seed + 7, 2);
    double fine = Grain(static_cast<int>(u) / 3, static_cast<int>(v), seed + 13);
    Rgb c = Mix(base, Darker(base, 0.35), rings * 0.55);
    c = Mix(c, Lighter(base, 0.18), (streak - 0.5) * 0.6 + 0.15);
    c = Mix(c, Darker(base, 0.2), (fine - 0.5) * 0.25);
    return c;
}

Rgb ParchmentAt(int x, int y, uint32_t seed) {
    double blot = Fractal(x / 70.0, y / 70.0, seed, 4);
    double fibre = Fractal(x / 3.0, y / 18.0, seed + 5, 2);
    double grain = Grain(x, y, seed + 9);
    Rgb c = Mix(Lighter(kParchment, 0.25), Darker(Mix(kParchment, kHoney, 0.25), 0.04), blot);
    c = Mix(c, Darker(kParchment, 0.12), (fibre - 0.5) * 0.22 + 0.02);
    c = Mix(c, Darker(kParchment, 0.2), (grain - 0.5) * 0.12);
    return c;
}

Rgb FeltAt(int x, int y, Rgb base, uint32_t seed) {
    double fuzz = Grain(x, y, seed);
    double cloud = Fractal(x / 40.0, y / 40.0, seed + 3, 3);
    Rgb c = Mix(Darker(base, 0.1), Lighter(base, 0.08), cloud);
    return Mix(c, Darker(base, 0.3), (fuzz - 0.5) * 0.35);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void DropShadow(cairo_t* cr, double x, double y, double w, double h, double r, double offset, double alpha) {
    // A few widening translucent layers approximate a blur.
    for (int i = 4; i >= 1; --i) {
        double grow = i * 0.9;
        RoundedRect(cr, x + offset - grow / 2, y + offset - grow / 2, w + grow, h + grow, r + grow / 2);
        cairo_set_source_rgba(cr, 0, 0, 0, alpha / 4.0);
        cairo_fill(cr);
    }
}

void WoodFramedPanel(cairo_t* cr, double x, double y, double w, double h, double radius, double border, uint32_t seed) {
    // Outer wooden rim.
    RoundedRect(cr, x, y, w, h, radius);
    FillProcedural(cr, [&](int px, int py) { return WoodAt(px, py, Mix(kWalnut, kHoney, 0.35), seed); });
    cairo_new_path(cr);
    // Bevel: light on the top-left, dark on the bottom-right.
    cairo_pattern_t* bevel = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 0.93, 0.8, 0.45);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.45);
    RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, radius - 1);
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Gilt inner line.
    double ir = std::max(2.0, radius - border * 0.6);
    RoundedRect(cr, x + border - 2.5, y + border - 2.5, w - 2 * border + 5, h - 2 * border + 5, ir + 2);
    SetColour(cr, kGold, 0.85);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Parchment inside, set into the frame.
    RoundedRect(cr, x + border, y + border, w - 2 * border, h - 2 * border, ir);
    FillProcedural(cr, [&](int px, int py) { return ParchmentAt(px, py, seed + 17); });
    cairo_new_path(cr);
    // Inner shadow cast by the frame (top-left) onto the parchment.
    for (int i = 0; i < 5; ++i) {
        RoundedRect(cr, x + border + i + 0.5, y + border + i + 0.5, w - 2 * border - 2 * i - 1,
                    h - 2 * border - 2 * i - 1, ir);
        cairo_set_source_rgba(cr, kWalnut.r, kWalnut.g, kWalnut.b, 0.16 - i * 0.03);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void Recess(cairo_t* cr, double x, double y, double w, double h, double r, Rgb inside, double depth) {
    // Lit lower-right lip.
    RoundedRect(cr, x - 1, y - 1, w + 2, h + 2, r + 1);
    cairo_pattern_t* lip = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgba(lip, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(lip, 0.55, 0, 0, 0, 0.15);
    cairo_pattern_add_color_stop_rgba(lip, 1, 1, 1, 1, 0.55);
    cairo_set_source(cr, lip);
    cairo_fill(cr);
    cairo_pattern_destroy(lip);
    RoundedRect(cr, x, y, w, h, r);
    SetColour(cr, inside);
    cairo_fill(cr);
    // Shadow inside along the top and left edges.
    for (int i = 0; i < static_cast<int>(depth * 2); ++i) {
        cairo_save(cr);
        RoundedRect(cr, x, y, w, h, r);
        cairo_clip(cr);
        RoundedRect(cr, x + i * 0.5 - 0.5, y + i * 0.5 - 0.5, w + 2, h + 2, r);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.22 / (i + 1));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void GlossyButton(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base, Look look) {
    Rgb c = StateColour(base, look);
    double alpha = look == Look::Disabled ? 0.6 : 1.0;
    if (look == Look::Pressed) {
        x += 1;
        y += 1;
    } else {
        DropShadow(cr, x, y, w, h, r, 1.2, look == Look::Disabled ? 0.2 : 0.5);
    }
    if (look == Look::Hover) {
        for (int i = 3; i >= 1; --i) {
            RoundedRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, r + i);
            SetColour(cr, kGold, 0.22);
            cairo_fill(cr);
        }
    }
    cairo_push_group(cr);
    // Body.
    RoundedRect(cr, x, y, w, h, r);
    cairo_pattern_t* body = cairo_pattern_create_linear(x, y, x + w * 0.25, y + h);
    Rgb top = Lighter(c, 0.3), bottom = Darker(c, 0.3);
    if (look == Look::Pressed) {
        // Pushed in: the light now falls on the lower half only.
        top = Darker(c, 0.25);
        bottom = Lighter(c, 0.08);
    }
    cairo_pattern_add_color_stop_rgb(body, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(body, 0.55, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(body, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    Rgb rim = Darker(c, 0.55);
    SetColour(cr, rim);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Gloss on the upper part.
    double gi = std::max(1.5, std::min(w, h) * 0.08);
    if (look != Look::Pressed) {
        RoundedRect(cr, x + gi, y + gi * 0.7, w - 2 * gi, h * 0.48, std::max(1.0, r - gi * 0.7));
        cairo_pattern_t* gloss = cairo_pattern_create_linear(x, y, x, y + h * 0.5);
        cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, look == Look::Disabled ? 0.3 : 0.6);
        cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.06);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
    } else {
        // Pressed: inner shadow along the top-left instead of the gloss.
        cairo_save(cr);
        RoundedRect(cr, x, y, w, h, r);
        cairo_clip(cr);
        RoundedRect(cr, x + 1, y + 1, w + 2, h + 2, r);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void GlossyDisc(cairo_t* cr, double cx, double cy, double radius, Rgb base, Look look) {
    Rgb c = StateColour(base, look);
    if (look == Look::Pressed) {
        cx += 1;
        cy += 1;
    } else {
        cairo_arc(cr, cx + 1.2, cy + 1.5, radius + 0.8, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_fill(cr);
    }
    if (look == Look::Hover) {
        cairo_arc(cr, cx, cy, radius + 2.5, 0, 2 * M_PI);
        SetColour(cr, kGold, 0.45);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4, radius * 0.1, cx, cy, radius);
    Rgb hi = Lighter(c, 0.45), lo = Darker(c, 0.35);
    cairo_pattern_add_color_stop_rgb(body, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(body, 0.6, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(body, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, Darker(c, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (look != Look::Pressed) {
        cairo_save(cr);
        cairo_translate(cr, cx - radius * 0.1, cy - radius * 0.45);
        cairo_scale(cr, radius * 0.62, radius * 0.38);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, cy - radius, 0, cy);
        cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.7);
        cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.05);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
    }
}

namespace {

void SelectFont(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, "Comic Neue", CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
}

}  // namespace

double TextWidth(cairo_t* cr, const std::string& utf8, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    cairo_restore(cr);
    return ext.x_advance + style.outlineWidth;
}

double FitTextSize(cairo_t* cr, const std::string& utf8, TextStyle style, double maxWidth) {
    while (style.size > 6 && TextWidth(cr, utf8, style) > maxWidth) style.size -= 0.5;
    return style.size;
}

void DrawTextCentred(cairo_t* cr, const std::string& utf8, double cx, double baselineY, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    double x = cx - ext.x_advance / 2;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (style.shadow > 0) {
        cairo_move_to(cr, x + style.shadow, baselineY + style.shadow);
        cairo_text_path(cr, utf8.c_str());
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_set_line_width(cr, style.outlineWidth * 2 + 1);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, baselineY);
    cairo_text_path(cr, utf8.c_str());
    if (style.outlineWidth > 0) {
        SetColour(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth * 2);
        cairo_stroke_preserve(cr);
    }
    if (style.gradient) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, baselineY - style.size * 0.75, 0, baselineY);
        Rgb hi = Lighter(style.fill, 0.45);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 1, style.fill.r, style.fill.g, style.fill.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    } else {
        SetColour(cr, style.fill);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

cairo_surface_t* SurfaceFromBitmap(const Bitmap& bmp) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bmp.width, bmp.height);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < bmp.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        const uint8_t* in = bmp.Row(y);
        for (int x = 0; x < bmp.width; ++x) {
            uint8_t b, g, r;
            if (bmp.bits == 8) {
                const RgbQuad& q = bmp.palette[in[x] < bmp.palette.size() ? in[x] : 0];
                b = q.rgbBlue, g = q.rgbGreen, r = q.rgbRed;
            } else {
                b = in[x * 3], g = in[x * 3 + 1], r = in[x * 3 + 2];
            }
            row[x] = 0xff000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

Bitmap DrawGrid(int frameW,
                int frameH,
                int rows,
                int columns,
                const std::function<void(cairo_t*, int)>& draw,
                Rgb matte) {
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
    return canvas.ToBitmap24(matte);
}

Bitmap DrawStrip(int frameW, int frameH, int frames, const std::function<void(cairo_t*, int)>& draw, Rgb matte) {
    return DrawGrid(frameW, frameH, frames, 1, draw, matte);
}

}  // namespace art
