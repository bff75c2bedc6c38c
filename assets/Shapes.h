// Small shared illustrations: jigsaw piece outlines and the like, used by several bitmaps.
#pragma once

#include <cairo.h>

namespace art {

// Path of one jigsaw piece whose body is the square (x, y, s, s). edges[] = top, right,
// bottom, left: +1 a tab pointing out, -1 a blank (tab pointing in), 0 a straight edge.
void JigsawPiecePath(cairo_t* cr, double x, double y, double s, const int edges[4]);

}  // namespace art
