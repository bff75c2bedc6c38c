// DialogKit: what the dialog painters share. Dialog children are drawn over the exact patch
// of their window's background that they cover, so a control looks set into its dialog; the
// title plates, the accept and cancel glyphs, the help disc and the masked slider thumbs look
// the same in every dialog.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "assets/ArtKit.h"
#include "assets/Bitmap.h"
#include "assets/Manifest.h"

namespace art {

// The six languages' texts of a bitmap, in language-index order (Spanish, English,
// Portuguese, Italian, French, German).
using SixTexts = const char* const[6];

// A grid of rows x columns frames, each starting as the rectangle (x, y, frame size) of
// `background`, then drawn over by draw(cr, frameIndex).
Bitmap DrawOver(const Bitmap& background,
                int x,
                int y,
                int frameW,
                int frameH,
                int rows,
                int columns,
                const std::function<void(cairo_t*, int)>& draw);

// A scroller strip (zones layout) drawn over `background` at (x, y): every picture of every
// zone starts as the patch of background that zone covers; draw(cr, zone, look, w, h) draws
// zone 0 (top), 1 (middle) or 2 (bottom) in zone coordinates.
Bitmap DrawZonesOver(const Bitmap& background,
                     int x,
                     int y,
                     const ManifestEntry& e,
                     const std::function<void(cairo_t*, int, Look, double, double)>& draw);

// A masked sheet (grid rows x columns masked) of frames drawn with alpha by draw(cr, index).
// Each picture band is followed by its mask band: the mask is black where the frame is
// opaque and white where it is transparent, the picture black where it is transparent.
// Pixels are opaque from half coverage on; their partial coverage is composited over
// matte(frameX, frameY), the colour the frame will most likely lie on at that pixel, so
// the hard mask still gives smooth edges.
Bitmap DrawMaskedGrid(int frameW,
                      int frameH,
                      int rows,
                      int columns,
                      const std::function<void(cairo_t*, int)>& draw,
                      const std::function<Rgb(int, int)>& matte);

// The colour of a 24-bit bitmap's pixel.
Rgb PixelAt(const Bitmap& bmp, int x, int y);

// Copies `src` (24 bits) into `dest` at (x, y).
void PasteBitmap(Bitmap& dest, const Bitmap& src, int x, int y);

// A walnut plate with a gilt line, for a dialog's title.
void TitlePlate(cairo_t* cr, double x, double y, double w, double h, uint32_t seed);
// A title in gold on such a plate, shrunk to fit `maxWidth`.
void TitleText(cairo_t* cr, const std::string& utf8, double cx, double cy, double maxWidth, double size);

// A title picture: the rectangle (x, y, w, h) of `background` with the title written across
// it, centred on (w / 2, cy), at most maxWidth wide.
Bitmap TitleOver(const Bitmap& background,
                 int x,
                 int y,
                 int w,
                 int h,
                 const std::string& utf8,
                 double cy,
                 double maxWidth,
                 double size);

// The accept tick and the cancel cross, centred on (cx, cy), `size` across.
void TickGlyph(cairo_t* cr, double cx, double cy, double size, Rgb colour);
void CrossGlyph(cairo_t* cr, double cx, double cy, double size, Rgb colour);

// The help button's frames, as on the main menu: 0 a teal disc with a question mark at
// rest, 1 lit (a gold mark, the blink), 2 pressed.
void HelpDisc(cairo_t* cr, double cx, double cy, double r, int frame);

// A four-pointed sparkle.
void Sparkle(cairo_t* cr, double x, double y, double r, double alpha);

// The honey pill of the play screen's new-game button, for a frame of fw x fh: the
// glossy body, icon(cr, x, y, look) at the left and the text fitted beside it.
void HoneyPill(cairo_t* cr,
               int fw,
               int fh,
               Look look,
               const std::string& text,
               const std::function<void(cairo_t*, double, double, Look)>& icon);

// The exit button's door, as on the main menu, in a 98 x 72 frame: 0 ajar, 1 opened wider
// with warm light and a red arrow coming out, 2 pressed.
void ExitDoor(cairo_t* cr, int frame);

// A jigsaw piece lying loose on the table: its body the square of side s centred on (x, y),
// turned by `angle`, with a soft shadow and a glossy colour.
void LoosePiece(cairo_t* cr, double x, double y, double s, double angle, const int edges[4], Rgb c);

// A small bright landscape (sky, sun, hills) filling (x, y, w, h).
void MiniLandscape(cairo_t* cr, double x, double y, double w, double h);
// A sheet of paper (a picture card) with a small landscape, for icons of pictures.
void PictureCard(cairo_t* cr, double x, double y, double w, double h, double border);

}  // namespace art
