// ArtDialogKit: the pieces the dialog art shares on top of ArtKit: children drawn over the
// exact patch of their window's background, gilt titles, plaques, sparkles, confetti, flags
// and the faces of the confirm and close buttons.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "assets/ArtKit.h"
#include "assets/Bitmap.h"
#include "assets/DialogKit.h"

namespace art {

// Lettering in Comic Neue Bold whose left edge is at x.
void DrawTextLeft(cairo_t* cr, const std::string& utf8, double x, double baselineY, const TextStyle& style);

// A title in gold with a walnut outline, centred in the box (x, y, w, h) and shrunk to fit.
void GiltTitle(cairo_t* cr, const std::string& utf8, double x, double y, double w, double h, double size);

// A walnut plaque with a gilt inlay and two brass pins: the place of a window's title.
void TitlePlaque(cairo_t* cr, double x, double y, double w, double h, uint32_t seed);

// A lighter sheet of paper lying on the parchment, with a soft shadow.
void PaperSheet(cairo_t* cr, double x, double y, double w, double h, double angle, uint32_t seed);

// A four-pointed sparkle.
void Twinkle(cairo_t* cr, double x, double y, double r, double alpha);

// A five-pointed star.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double rotation);

// A jigsaw piece filled with a glossy colour, outlined, with a soft shadow.
void GlossyPiece(cairo_t* cr, double x, double y, double s, const int edges[4], Rgb colour, double shadow);

// One confetti flake: a twisted strip or a round dot, seen at `turn` of its spin.
void ConfettiFlake(cairo_t* cr, double x, double y, double size, double turn, Rgb colour, bool round);

// The national flag of language 0..5 (Spain, United Kingdom, Portugal, Italy, France,
// Germany) in the box (x, y, w, h), slightly waved, with a thin dark rim.
void LanguageFlag(cairo_t* cr, int language, double x, double y, double w, double h);

// Faces of the confirm buttons: a glossy pill with a tick (OK) or a cross (Cancel).
enum class ConfirmGlyph { Tick, Cross };
void ConfirmButtonFace(cairo_t* cr, double x, double y, double w, double h, ConfirmGlyph glyph, Look look);

// A round close button: a glossy red disc with a white cross in a gilt ring; `lit` adds
// the blink's gold glow.
void RoundCloseFace(cairo_t* cr, double cx, double cy, double r, Look look, bool lit);

// The game's title, "Vexla" in gold over "Puzzle" in red, centred on (cx, cy) at `scale`
// (1 = the main menu's size); `shine` 0..1 brightens it and adds sparkles.
void TitleLogo(cairo_t* cr, double cx, double cy, double scale, double shine);

}  // namespace art
