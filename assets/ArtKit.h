// ArtKit: the drawing vocabulary of the asset generator. Every bitmap of the pack is drawn
// with Cairo from these pieces (textures, frames, glossy buttons, lettering), so the whole
// interface shares one light source (top-left), one palette and one typeface.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "assets/Bitmap.h"

namespace art {

struct Rgb {
    double r, g, b;
};

constexpr Rgb Hex(uint32_t v) { return {((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0}; }

// The house palette.
constexpr Rgb kWalnut = Hex(0x4a2c17);
constexpr Rgb kHoney = Hex(0xc98b4a);
constexpr Rgb kParchment = Hex(0xf3e6c8);
constexpr Rgb kInk = Hex(0x2b2118);
constexpr Rgb kRed = Hex(0xd8432f);
constexpr Rgb kTeal = Hex(0x2a9d8f);
constexpr Rgb kGold = Hex(0xe9b949);
constexpr Rgb kBlack = Hex(0x000000);
constexpr Rgb kWhite = Hex(0xffffff);

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black
Rgb Desaturate(Rgb c, double t);
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Visual state of a button frame.
enum class Look { Normal, Hover, Pressed, Disabled };

// Applies a state to a base colour: hover brighter, pressed darker, disabled grey and faded.
Rgb StateColour(Rgb base, Look look);

// An ARGB drawing surface of fixed size.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Opaque 24-bit copy (alpha composited over `matte`).
    Bitmap ToBitmap24(Rgb matte = kBlack) const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Deterministic value noise in [0, 1]. With a period > 0 the noise repeats every `period`
// lattice cells in both directions, which makes tiles seamless.
double ValueNoise(double x, double y, uint32_t seed, int period = 0);
// Sum of octaves, normalised to [0, 1].
double Fractal(double x, double y, uint32_t seed, int octaves, int period = 0);
// Per-pixel hash in [0, 1], for fine grain.
double Grain(int x, int y, uint32_t seed);

// Fills the current path with a per-pixel colour function (device coordinates), keeping
// the path. The path is used as a clip, so antialiased edges stay smooth.
void FillProcedural(cairo_t* cr, const std::function<Rgb(int, int)>& colourAt);

// Texture functions at device pixel (x, y).
Rgb WoodAt(int x, int y, Rgb base, uint32_t seed, bool vertical = false);
Rgb ParchmentAt(int x, int y, uint32_t seed);
Rgb FeltAt(int x, int y, Rgb base, uint32_t seed);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A wooden frame around (x, y, w, h) of `border` thickness with rounded corners, filled
// with parchment inside; the rim has a bevel lit from the top-left.
void WoodFramedPanel(cairo_t* cr, double x, double y, double w, double h, double radius, double border, uint32_t seed);

// A sunken well (recess) with a darker inside and a lit lower-right rim.
void Recess(cairo_t* cr, double x, double y, double w, double h, double r, Rgb inside, double depth = 2.0);

// Soft drop shadow of a rounded rectangle.
void DropShadow(cairo_t* cr, double x, double y, double w, double h, double r, double offset, double alpha);

// A rounded, glossy button face in `base` colour, lit from the top-left, drawn for `look`
// (pressed shifts 1 px down-right, hover adds a glow).
void GlossyButton(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base, Look look);

// A glossy round gem (circle).
void GlossyDisc(cairo_t* cr, double cx, double cy, double radius, Rgb base, Look look);

// Lettering in Comic Neue Bold, centred on (cx, baselineY), with an outline and shadow.
struct TextStyle {
    double size = 20;
    Rgb fill = kParchment;
    Rgb outline = kInk;
    double outlineWidth = 2.5;
    double shadow = 1.5;    // offset of the soft shadow, 0 for none
    bool gradient = false;  // fill lighter on top
    bool bold = true;
};
void DrawTextCentred(cairo_t* cr, const std::string& utf8, double cx, double baselineY, const TextStyle& style);
// Width of a text in the style's font.
double TextWidth(cairo_t* cr, const std::string& utf8, const TextStyle& style);
// Largest size (<= style.size) at which the text fits in maxWidth.
double FitTextSize(cairo_t* cr, const std::string& utf8, TextStyle style, double maxWidth);

// A Cairo image surface holding a bitmap's colours (palette looked up for 8 bits); the
// caller destroys it.
cairo_surface_t* SurfaceFromBitmap(const Bitmap& bmp);

// A strip of `frames` equal frames stacked from the top; draw(cr, frameIndex) draws one
// frame in frame coordinates (clipped to it).
Bitmap DrawStrip(int frameW,
                 int frameH,
                 int frames,
                 const std::function<void(cairo_t*, int)>& draw,
                 Rgb matte = kBlack);
// A grid of rows x columns equal frames, frame i at (i % columns, i / columns).
Bitmap DrawGrid(int frameW,
                int frameH,
                int rows,
                int columns,
                const std::function<void(cairo_t*, int)>& draw,
                Rgb matte = kBlack);

}  // namespace art
