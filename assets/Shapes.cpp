#include "assets/Shapes.h"

#include <cmath>

namespace art {

namespace {

// One edge from (0,0) to (1,0) in a unit frame, the tab bulging towards negative y when
// dir is +1. Classic knob: a neck, a round head and shoulders.
void EdgeTo(cairo_t* cr, double x0, double y0, double x1, double y1, int dir) {
    double dx = x1 - x0, dy = y1 - y0;
    // Normal pointing out of the piece for a clockwise outline: (dy, -dx).
    double nx = dy, ny = -dx;
    auto P = [&](double u, double v, double& px, double& py) {
        px = x0 + dx * u + nx * v * dir;
        py = y0 + dy * u + ny * v * dir;
    };
    if (dir == 0) {
        cairo_line_to(cr, x1, y1);
        return;
    }
    // A classic knob: a pinched neck and a round head, as four Bezier segments.
    static const double seg[4][6] = {{0.25, 0.0, 0.45, 0.0, 0.42, 0.07},
                                     {0.38, 0.14, 0.27, 0.31, 0.50, 0.31},
                                     {0.73, 0.31, 0.62, 0.14, 0.58, 0.07},
                                     {0.55, 0.0, 0.75, 0.0, 1.0, 0.0}};
    for (const auto& c : seg) {
        double ax, ay, bx, by, cx, cy;
        P(c[0], c[1], ax, ay);
        P(c[2], c[3], bx, by);
        P(c[4], c[5], cx, cy);
        cairo_curve_to(cr, ax, ay, bx, by, cx, cy);
    }
}

}  // namespace

void JigsawPiecePath(cairo_t* cr, double x, double y, double s, const int edges[4]) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x, y);
    EdgeTo(cr, x, y, x + s, y, edges[0]);
    EdgeTo(cr, x + s, y, x + s, y + s, edges[1]);
    EdgeTo(cr, x + s, y + s, x, y + s, edges[2]);
    EdgeTo(cr, x, y + s, x, y, edges[3]);
    cairo_close_path(cr);
}

}  // namespace art
