// The congratulation scene: a festive card with bunting, a little landscape puzzle whose
// pieces snap together, "Bravo!" (the one cheer that reads the same in all six languages),
// a rosette, and confetti that bursts from behind the cheer and settles on the card.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/ArtDialogKit.h"
#include "assets/ClipScene.h"
#include "assets/Shapes.h"

namespace art {

namespace {

constexpr int kWidth = 344, kHeight = 240;  // a multiple of 4 both ways, as MS Video 1 needs
constexpr int kFps = 20;
constexpr double kLength = 4.0;

// Where things sit on the card.
constexpr double kPuzzleX = 30, kPuzzleY = 102, kCell = 30;  // 3 x 2 pieces
constexpr int kPuzzleCols = 3, kPuzzleRows = 2;
constexpr double kRosetteX = 284, kRosetteY = 130;
constexpr double kCheerX = kWidth / 2.0, kCheerY = 82;
constexpr double kPlateX = 172, kPlateY = 174;  // the close button's centre (148 + 24, 150 + 24)

// Timeline, in seconds.
constexpr double kPiecesStart = 0.1, kPieceGap = 0.1, kPieceFlight = 0.45;
constexpr double kCheerStart = 1.0, kBurst = 1.05, kRosetteStart = 1.4;

const Rgb kConfetti[6] = {Hex(0xd8432f), Hex(0x2a9d8f), Hex(0xe9b949), Hex(0x3d5aa8), Hex(0x8fbf4a), Hex(0xe88d99)};

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double EaseOut(double u) { return 1 - (1 - u) * (1 - u) * (1 - u); }
// Scale with an overshoot: 0 at u = 0, about 1.15 at u = 0.6, 1 at u = 1.
double Pop(double u) {
    u = Clamp01(u);
    return u < 0.6 ? 1.15 * EaseOut(u / 0.6) : 1.15 - 0.15 * EaseOut((u - 0.6) / 0.4);
}

void PieceEdges(int r, int c, int e[4]) {
    auto below = [](int rr, int cc) { return ((rr + cc) % 2) ? 1 : -1; };
    auto right = [](int rr, int cc) { return ((rr + cc) % 2) ? -1 : 1; };
    e[0] = r == 0 ? 0 : -below(r - 1, c);
    e[1] = c == kPuzzleCols - 1 ? 0 : right(r, c);
    e[2] = r == kPuzzleRows - 1 ? 0 : below(r, c);
    e[3] = c == 0 ? 0 : -right(r, c - 1);
}

// The puzzle's picture: a sunny lake between hills.
void MiniLandscape(cairo_t* cr, double x, double y, double w, double h) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, y, 0, y + h * 0.6);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.62, 0.84);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.86, 0.6);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    cairo_arc(cr, x + w * 0.74, y + h * 0.3, h * 0.13, 0, 2 * M_PI);
    SetColour(cr, Lighter(kGold, 0.35));
    cairo_fill(cr);
    cairo_move_to(cr, x, y + h * 0.58);
    cairo_curve_to(cr, x + w * 0.25, y + h * 0.36, x + w * 0.45, y + h * 0.48, x + w * 0.6, y + h * 0.55);
    cairo_curve_to(cr, x + w * 0.75, y + h * 0.6, x + w * 0.88, y + h * 0.42, x + w, y + h * 0.5);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, Mix(kTeal, Hex(0x8fb3a8), 0.5));
    cairo_fill(cr);
    cairo_move_to(cr, x, y + h * 0.74);
    cairo_curve_to(cr, x + w * 0.35, y + h * 0.55, x + w * 0.6, y + h * 0.68, x + w, y + h * 0.7);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x5e8f3a));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, x + w * 0.35, y + h * 0.88);
    cairo_scale(cr, w * 0.22, h * 0.07);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Hex(0x5aa5c4));
    cairo_fill(cr);
}

void Bunting(cairo_t* cr) {
    // A string sagging between the top corners, with pennants hanging from it.
    const double x0 = 16, x1 = kWidth - 16, y0 = 17, sag = 16;
    auto yAt = [&](double x) {
        double u = (x - x0) / (x1 - x0);
        return y0 + sag * 4 * u * (1 - u);
    };
    cairo_move_to(cr, x0, y0);
    for (double x = x0; x <= x1; x += 4) cairo_line_to(cr, x, yAt(x));
    SetColour(cr, Darker(kWalnut, 0.2));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const int n = 13;
    for (int k = 0; k < n; ++k) {
        double xa = x0 + 6 + k * (x1 - x0 - 12) / n, xb = xa + (x1 - x0 - 12) / n - 4;
        double xm = (xa + xb) / 2;
        cairo_move_to(cr, xa, yAt(xa));
        cairo_line_to(cr, xb, yAt(xb));
        cairo_line_to(cr, xm + 1, yAt(xm) + 15);
        cairo_close_path(cr);
        Rgb c = k % 3 == 0 ? kRed : (k % 3 == 1 ? kTeal : kGold);
        cairo_pattern_t* g = cairo_pattern_create_linear(xa, 0, xb, 0);
        Rgb hi = Lighter(c, 0.3), lo = Darker(c, 0.2);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, Darker(c, 0.5));
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
}

void CardBackground(cairo_t* cr) {
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kWidth, kHeight, 10, 10, 327);
    Bunting(cr);
    // The close button's plate.
    cairo_arc(cr, kPlateX, kPlateY, 27, 0, 2 * M_PI);
    cairo_pattern_t* plate = cairo_pattern_create_linear(kPlateX - 27, kPlateY - 27, kPlateX + 27, kPlateY + 27);
    Rgb hi = Lighter(kGold, 0.4), lo = Darker(kGold, 0.35);
    cairo_pattern_add_color_stop_rgb(plate, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(plate, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, plate);
    cairo_fill(cr);
    cairo_pattern_destroy(plate);
    cairo_arc(cr, kPlateX, kPlateY, 23, 0, 2 * M_PI);
    SetColour(cr, Mix(kParchment, kHoney, 0.4));
    cairo_fill(cr);
}

// The puzzle, its pieces flying in from below until each snaps into place.
void Puzzle(cairo_t* cr, double t) {
    const double w = kPuzzleCols * kCell, h = kPuzzleRows * kCell;
    // The tray the pieces land in.
    Recess(cr, kPuzzleX - 5, kPuzzleY - 5, w + 10, h + 10, 4, Hex(0x1f4a44));
    double done = kPiecesStart + (kPuzzleCols * kPuzzleRows - 1) * kPieceGap + kPieceFlight;
    double glow = t < done ? 0 : std::max(0.25, 1 - (t - done) / 0.8);
    if (glow > 0) {
        for (int i = 4; i >= 1; --i) {
            RoundedRect(cr, kPuzzleX - i * 2, kPuzzleY - i * 2, w + i * 4, h + i * 4, 4 + i * 2);
            SetColour(cr, kGold, 0.14 * glow);
            cairo_fill(cr);
        }
    }
    for (int r = 0; r < kPuzzleRows; ++r)
        for (int c = 0; c < kPuzzleCols; ++c) {
            int k = r * kPuzzleCols + c;
            double u = Clamp01((t - kPiecesStart - k * kPieceGap) / kPieceFlight);
            if (u <= 0) continue;
            double e = EaseOut(u);
            // Each piece comes from a point below the card, turning as it flies.
            double fromX = 40 + Grain(k, 1, 3270) * 260, fromY = kHeight + 30;
            double homeX = kPuzzleX + c * kCell, homeY = kPuzzleY + r * kCell;
            double x = fromX + (homeX - fromX) * e, y = fromY + (homeY - fromY) * e - 40 * std::sin(M_PI * u);
            double angle = (1 - e) * (Grain(k, 2, 3270) - 0.5) * 4;
            int edges[4];
            PieceEdges(r, c, edges);
            cairo_save(cr);
            cairo_translate(cr, x + kCell / 2, y + kCell / 2);
            cairo_rotate(cr, angle);
            cairo_translate(cr, -kCell / 2 - c * kCell, -kCell / 2 - r * kCell);
            if (u < 1) {
                cairo_save(cr);
                cairo_translate(cr, 2, 3);
                JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
                cairo_set_source_rgba(cr, 0.1, 0.05, 0.02, 0.35);
                cairo_fill(cr);
                cairo_restore(cr);
            }
            cairo_save(cr);
            JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
            cairo_clip(cr);
            MiniLandscape(cr, 0, 0, w, h);
            cairo_restore(cr);
            JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
            cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, u < 1 ? 0.7 : 0.35);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
}

void Rosette(cairo_t* cr, double t) {
    double s = Pop((t - kRosetteStart) / 0.45);
    if (s <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, kRosetteX, kRosetteY);
    cairo_scale(cr, s, s);
    // Tails.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 6, 8);
        cairo_line_to(cr, side * 22, 54);
        cairo_line_to(cr, side * 13, 48);
        cairo_line_to(cr, side * 8, 58);
        cairo_line_to(cr, side * -4, 12);
        cairo_close_path(cr);
        SetColour(cr, side < 0 ? kRed : Darker(kRed, 0.15));
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(kRed, 0.55));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    // Pleated ring.
    cairo_new_path(cr);
    for (int k = 0; k < 24; ++k) {
        double a = k * M_PI / 12, rr = (k % 2) ? 27 : 31;
        cairo_line_to(cr, std::cos(a) * rr, std::sin(a) * rr);
    }
    cairo_close_path(cr);
    SetColour(cr, kTeal);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kTeal, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    GlossyDisc(cr, 0, 0, 21, kGold, Look::Normal);
    StarPath(cr, 0, 1, 12, 5, 0);
    SetColour(cr, kRed);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(kRed, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Cheer(cairo_t* cr, double t) {
    double s = Pop((t - kCheerStart) / 0.4);
    if (s <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, kCheerX, kCheerY - 18);
    cairo_scale(cr, s, s);
    cairo_rotate(cr, -0.04);
    TextStyle st;
    st.size = 60;
    st.fill = Lighter(kGold, 0.15);
    st.gradient = true;
    st.outline = Darker(kRed, 0.45);
    st.outlineWidth = 3;
    st.shadow = 3;
    DrawTextCentred(cr, "Bravo!", 0, 18, st);
    cairo_restore(cr);
}

// Confetti: the flakes that settle on the card fly from behind the cheer to their resting
// places; the others fall through and out of the picture.
struct Flake {
    double restX, restY, size, turn, spin, start, flight, arc;
    int colour;
    bool round;
};

bool Free(double x, double y) {
    auto inBox = [&](double l, double tp, double r, double b) { return x > l && x < r && y > tp && y < b; };
    auto inDisc = [&](double cx, double cy, double r) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r; };
    return !inBox(62, 30, 282, 92) && !inBox(22, 94, 128, 170) && !inDisc(kPlateX, kPlateY, 34) &&
           !inDisc(kRosetteX, kRosetteY + 10, 44) && inBox(16, 40, kWidth - 16, kHeight - 14);
}

const std::vector<Flake>& SettlingFlakes() {
    static const std::vector<Flake> flakes = [] {
        std::vector<Flake> out;
        for (int k = 0; out.size() < 44 && k < 2000; ++k) {
            double x = 16 + Grain(k, 10, 3271) * (kWidth - 32), y = 40 + Grain(k, 11, 3271) * (kHeight - 54);
            if (!Free(x, y)) continue;
            bool crowded = false;
            for (const Flake& f : out) crowded |= std::hypot(f.restX - x, f.restY - y) < 17;
            if (crowded) continue;
            Flake f;
            f.restX = x;
            f.restY = y;
            f.size = 6.5 + Grain(k, 12, 3271) * 3;
            f.turn = Grain(k, 13, 3271) * 6.28;
            f.spin = 8 + Grain(k, 14, 3271) * 10;
            f.start = kBurst + Grain(k, 15, 3271) * 0.15;
            f.flight = 0.8 + Grain(k, 16, 3271) * 0.7;
            f.arc = 40 + Grain(k, 17, 3271) * 70;
            f.colour = k % 6;
            f.round = k % 4 == 0;
            out.push_back(f);
        }
        return out;
    }();
    return flakes;
}

void Confetti(cairo_t* cr, double t) {
    const double ox = kCheerX, oy = kCheerY - 20;
    for (const Flake& f : SettlingFlakes()) {
        double u = Clamp01((t - f.start) / f.flight);
        if (u <= 0) continue;
        double e = EaseOut(u);
        double x = ox + (f.restX - ox) * e, y = oy + (f.restY - oy) * e - f.arc * 4 * u * (1 - u);
        ConfettiFlake(cr, x, y, f.size, f.turn - (1 - u) * f.spin, kConfetti[f.colour], f.round);
    }
    // The flakes that fall through: thrown up and out, then pulled down past the card.
    for (int k = 0; k < 40; ++k) {
        double s = t - kBurst - Grain(k, 20, 3272) * 0.1;
        if (s <= 0) continue;
        double a = -M_PI / 2 + (Grain(k, 21, 3272) - 0.5) * 2.6, v = 160 + Grain(k, 22, 3272) * 170;
        double drag = std::exp(-1.6 * s);
        double x = ox + std::cos(a) * v * (1 - drag) / 1.6;
        double y = oy + std::sin(a) * v * (1 - drag) / 1.6 + 140 * s * s;
        if (y > kHeight + 10) continue;
        ConfettiFlake(cr, x, y, 6.5 + Grain(k, 23, 3272) * 3, Grain(k, 24, 3272) * 6 + s * 12, kConfetti[k % 6],
                      k % 5 == 0);
    }
}

void Sparkles(cairo_t* cr, double t) {
    const double spots[4][3] = {{48, 96, 4}, {246, 44, 5}, {312, 96, 3.5}, {120, 160, 3.5}};
    for (int k = 0; k < 4; ++k) {
        double alpha;
        if (t >= kLength - 0.45)
            alpha = k < 2 ? 1.0 : 0.0;  // the settled picture keeps two
        else
            alpha = Clamp01(std::sin((t - 1.6 - k * 0.35) * 4.5)) * (t > 1.6 ? 1 : 0);
        if (alpha > 0.05) Twinkle(cr, spots[k][0], spots[k][1], spots[k][2], alpha);
    }
}

}  // namespace

ClipFormat CongratulationClip() {
    ClipFormat format{kWidth, kHeight, kFps, static_cast<int>(kLength * kFps), {}};
    for (int k = 0; k < kPuzzleCols * kPuzzleRows; ++k)
        format.events.push_back({kPiecesStart + k * kPieceGap + kPieceFlight, "click"});
    format.events.push_back({kCheerStart, "fanfare"});
    format.events.push_back({kBurst, "pop"});
    format.events.push_back({kRosetteStart + 0.2, "chime"});
    return format;
}

void DrawCongratulation(cairo_t* cr, double seconds) {
    double t = std::min(seconds, kLength);
    CardBackground(cr);
    Puzzle(cr, t);
    Rosette(cr, t);
    Cheer(cr, t);
    Confetti(cr, t);
    Sparkles(cr, t);
}

void DrawCongratulationPicture(cairo_t* cr) { DrawCongratulation(cr, kLength); }

}  // namespace art
