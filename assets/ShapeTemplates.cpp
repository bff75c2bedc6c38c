#include "assets/ShapeTemplates.h"

#include <cmath>

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod2(int v) { return ((v % 2) + 2) % 2; }

enum Family { RoundKnob, SquareTab, ArrowTab, WavyEdge, DoubleKnob, Dovetail };

// Each edge of the 2 x 2 period gets a small shift of its tab along the edge, so that the
// pieces do not all look stamped from one die.
double TabCentre(int edgeKey) {
    static const double shift[8] = {-7, 5, 3, -5, 6, -3, -6, 4};
    return kTemplateCell / 2.0 + shift[edgeKey & 7];
}

bool InDisc(double t, double s, double ct, double cs, double r) {
    return (t - ct) * (t - ct) + (s - cs) * (s - cs) <= r * r;
}

// Does the point (t along the edge, s across it, s > 0 on the receiving side) belong to the
// side that owns the tab? For s < 0 the owner's side is the default; only the wavy family
// gives points there away.
bool OwnerSide(int family, double t, double s, int edgeKey) {
    double c = TabCentre(edgeKey);
    double d = std::fabs(t - c);
    switch (family) {
        case RoundKnob:
            if (s < 0) return true;
            // Neck widening into the edge with small shoulders, and a round head.
            if (s <= 22 && d <= 13 + std::max(0.0, 5 - s) * 1.4) return true;
            return InDisc(t, s, c, 36, 22);
        case SquareTab: {
            if (s < 0) return true;
            const double half = 27, depth = 42, r = 7;
            if (d > half || s > depth) return false;
            // Round the two outer corners.
            if (d > half - r && s > depth - r) return InDisc(d, s, half - r, depth - r, r);
            return true;
        }
        case ArrowTab:
            if (s < 0) return true;
            if (s <= 20) return d <= 10;
            if (s <= 58) return d <= 34.0 * (58 - s) / 38.0;
            return false;
        case WavyEdge: {
            // One and a half waves between 30 px from either corner: bump, hollow, bump.
            double w = 0;
            if (t > 30 && t < kTemplateCell - 30) w = 26 * std::sin(3 * M_PI * (t - 30) / (kTemplateCell - 60));
            return s < w;
        }
        case DoubleKnob: {
            if (s < 0) return true;
            const double off = 32;
            for (double ct : {c - off, c + off}) {
                if (s <= 18 && std::fabs(t - ct) <= 7) return true;
                if (InDisc(t, s, ct, 31, 15)) return true;
            }
            return false;
        }
        case Dovetail:
            if (s < 0) return true;
            if (s > 44) return false;
            return d <= 17 + 21 * s / 44;
    }
    return s < 0;
}

// Which side owns the tab of each edge. Edge keys: horizontal edges below cell (I, J) and
// vertical edges right of cell (I, J), both taken modulo the 2 x 2 period.
// +1: the upper (or left) cell owns the tab, pushing it down (or right).
int HorizontalDir(int I, int J) { return (Mod2(I) ^ Mod2(J)) ? 1 : -1; }
int VerticalDir(int I, int J) { return (Mod2(I) ^ Mod2(J)) ? -1 : 1; }
int HorizontalKey(int I, int J) { return Mod2(I) * 2 + Mod2(J); }
int VerticalKey(int I, int J) { return 4 + Mod2(I) * 2 + Mod2(J); }

// The piece (I, J) of the endless plane that owns plane point (px, py), the origin being
// the top-left corner of body square (0, 0). Pixel centres are at +0.5.
void OwnerOf(int family, int px, int py, int& I, int& J) {
    int ci = FloorDiv(py, kTemplateCell), cj = FloorDiv(px, kTemplateCell);
    double lx = px - cj * kTemplateCell + 0.5, ly = py - ci * kTemplateCell + 0.5;
    I = ci;
    J = cj;
    // For each edge of the cell: the owner and receiver of its tab and the point's
    // coordinates in the edge's frame (s towards the receiver).
    struct Edge {
        int dir;  // +1: tab owned by the upper/left cell
        int key;
        double t;        // along the edge
        double depthIn;  // distance from the edge into this cell
        bool thisIsLowerOrRight;
        int ni, nj;  // the neighbour across
    };
    const Edge edges[4] = {
        {HorizontalDir(ci - 1, cj), HorizontalKey(ci - 1, cj), lx, ly, true, ci - 1, cj},
        {HorizontalDir(ci, cj), HorizontalKey(ci, cj), lx, kTemplateCell - ly, false, ci + 1, cj},
        {VerticalDir(ci, cj - 1), VerticalKey(ci, cj - 1), ly, lx, true, ci, cj - 1},
        {VerticalDir(ci, cj), VerticalKey(ci, cj), ly, kTemplateCell - lx, false, ci, cj + 1},
    };
    for (const Edge& e : edges) {
        // Does the tab's owner sit on this cell's side?
        bool thisOwns = (e.dir == 1) != e.thisIsLowerOrRight;
        double s = thisOwns ? -e.depthIn : e.depthIn;
        bool ownerSide = OwnerSide(family, e.t, s, e.key);
        if (ownerSide != thisOwns) {
            I = e.ni;
            J = e.nj;
            return;
        }
    }
}

}  // namespace

const char* TemplateFamilyName(int family) {
    static const char* names[kTemplateFamilies] = {"round knobs", "square tabs",  "arrow tabs",
                                                   "wavy edges",  "double knobs", "dovetails"};
    return family >= 0 && family < kTemplateFamilies ? names[family] : "?";
}

std::vector<uint8_t> MakeShapeTemplate(int family) {
    const int R = kTemplateGrid, C = kTemplateGrid, K = R * C + 1;
    std::vector<uint8_t> labels(static_cast<size_t>(kTemplateSide) * kTemplateSide);
    for (int y = 0; y < kTemplateSide; ++y)
        for (int x = 0; x < kTemplateSide; ++x) {
            int I, J;
            OwnerOf(family, x - kTemplateReach, y - kTemplateReach, I, J);
            // The column and row the pixel lies over, for the border labels.
            int col = FloorDiv(x - kTemplateReach, kTemplateCell);
            int row = FloorDiv(y - kTemplateReach, kTemplateCell);
            col = col < 0 ? 0 : (col >= C ? C - 1 : col);
            row = row < 0 ? 0 : (row >= R ? R - 1 : row);
            int label;
            bool inRows = I >= 0 && I < R, inCols = J >= 0 && J < C;
            if (inRows && inCols)
                label = I * C + J + 1;
            else if (I < 0 && inCols)
                label = K + J;
            else if (J >= C && inRows)
                label = K + C + I;
            else if (I >= R && inCols)
                label = K + R + C + J;
            else if (J < 0 && inRows)
                label = K + R + 2 * C + I;
            else if (y < kTemplateReach)  // a top corner: owned by no template piece
                label = K + col;
            // The bottom corners are read only by the last template row's extra line below its
            // cells. As strips below they would be filled by every piece of the bottom row and
            // overlap the neighbour's, so they take labels the cutter never fills there: the
            // left corner the strip left of that row, the right one a strip that is no
            // neighbour of the last template piece.
            else if (x < kTemplateReach)
                label = K + R + 2 * C + R - 1;
            else
                label = K + C;
            labels[static_cast<size_t>(y) * kTemplateSide + x] = static_cast<uint8_t>(label);
        }
    return labels;
}

std::vector<RgbQuad> TemplatePalette() {
    const uint32_t rgb[16] = {0x000000, 0xd8432f, 0xe9b949, 0x2a9d8f, 0xc98b4a, 0x8a8a8a, 0x9a9a9a, 0x7a7a7a,
                              0xaaaaaa, 0x6a6a6a, 0xbababa, 0x5a5a5a, 0xcacaca, 0,        0,        0};
    std::vector<RgbQuad> pal(16);
    for (int i = 0; i < 16; ++i)
        pal[i] = RgbQuad{uint8_t(rgb[i] & 0xff), uint8_t((rgb[i] >> 8) & 0xff), uint8_t(rgb[i] >> 16), 0};
    return pal;
}
