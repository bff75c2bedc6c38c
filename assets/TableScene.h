// Little scenes of the craft table, for the about picture and the hidden picture: the felt,
// a landscape picture, a puzzle of it (whole or with pieces out), loose pieces, a tea cup,
// a pencil and the ladybird of the main menu.
#pragma once

#include <cairo.h>

#include <functional>
#include <set>
#include <utility>

#include "assets/ArtKit.h"

namespace art {

// The board's teal felt over the current path (the path is consumed).
void FillFelt(cairo_t* cr, uint32_t seed);

// A landscape at sunset or by day (warm = sunset) in (x, y, w, h).
void PictureLandscape(cairo_t* cr, double x, double y, double w, double h, bool warm);

// The puzzle of that landscape at (x, y), cols x rows pieces of `cell` pixels; the pieces in
// `missing` (row, column) are left out, showing the felt. `onPicture` may paint more on the
// picture before the seams are cut into it. Seams are drawn faintly.
void LandscapePuzzle(cairo_t* cr,
                     double x,
                     double y,
                     int cols,
                     int rows,
                     double cell,
                     bool warm,
                     const std::set<std::pair<int, int>>& missing,
                     const std::function<void(cairo_t*)>& onPicture = nullptr);

// One loose piece of that puzzle, piece (row, col), lying at (cx, cy) turned by `angle`.
void LoosePuzzlePiece(cairo_t* cr,
                      double puzzleW,
                      double puzzleH,
                      int cols,
                      int rows,
                      double cell,
                      bool warm,
                      int row,
                      int col,
                      double cx,
                      double cy,
                      double angle);

void TeaCup(cairo_t* cr, double cx, double cy, double size);
void Pencil(cairo_t* cr, double x, double y, double length, double angle);
void Ladybird(cairo_t* cr, double cx, double cy, double size, double angle);
void Heart(cairo_t* cr, double cx, double cy, double size, Rgb colour);

}  // namespace art
