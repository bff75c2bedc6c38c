// The introduction scene: on the black screen, twelve jigsaw pieces of the game's title card
// fly in from all sides, turning, and drop into place one after another; the seams close,
// a gleam crosses the card and the title twinkles.
#include <algorithm>
#include <array>
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ClipScene.h"
#include "assets/Shapes.h"

namespace art {

namespace {

constexpr int kWidth = 640, kHeight = 480;  // the clip plays 1:1 in the middle of the screen
constexpr int kFps = 20;
constexpr double kLength = 4.6;

constexpr int kCols = 4, kRows = 3;
constexpr double kCell = 100;
constexpr double kCardW = kCols * kCell, kCardH = kRows * kCell;
constexpr double kCardX = (kWidth - kCardW) / 2, kCardY = (kHeight - kCardH) / 2;

constexpr double kFirstStart = 0.25, kStartGap = 0.16, kFlight = 1.0;
constexpr double kSeamsClose = 3.05, kSeamsTime = 0.45, kGleamStart = 3.35, kGleamTime = 0.7;

// The order in which the pieces arrive: corners and edges first, the middle last.
constexpr std::array<int, kCols* kRows> kArrival = {0, 3, 8, 11, 1, 7, 10, 4, 2, 9, 5, 6};

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double EaseOut(double u) { return 1 - std::pow(1 - u, 3); }
double Smooth(double u) { return u * u * (3 - 2 * u); }

void PieceEdges(int r, int c, int e[4]) {
    auto below = [](int rr, int cc) { return ((rr + cc) % 2) ? 1 : -1; };
    auto right = [](int rr, int cc) { return ((rr + cc) % 2) ? -1 : 1; };
    e[0] = r == 0 ? 0 : -below(r - 1, c);
    e[1] = c == kCols - 1 ? 0 : right(r, c);
    e[2] = r == kRows - 1 ? 0 : below(r, c);
    e[3] = c == 0 ? 0 : -right(r, c - 1);
}

// The title card, in card coordinates (0, 0, kCardW, kCardH).
cairo_surface_t* MakeCard() {
    cairo_surface_t* card =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(kCardW), static_cast<int>(kCardH));
    cairo_t* cr = cairo_create(card);
    cairo_rectangle(cr, 0, 0, kCardW, kCardH);
    FillProcedural(cr, [](int x, int y) {
        Rgb c = Mix(Lighter(kParchment, 0.3), Mix(kParchment, kHoney, 0.25), Fractal(x / 70.0, y / 70.0, 4800, 4));
        // Little grain: the codec's 4 x 4 blocks would turn fine grain into noise.
        return Mix(c, Darker(kParchment, 0.15), (Grain(x, y, 4801) - 0.5) * 0.03);
    });
    cairo_new_path(cr);
    // A vignette of warm shade towards the edges.
    cairo_pattern_t* vignette =
        cairo_pattern_create_radial(kCardW / 2, kCardH / 2, kCardH * 0.3, kCardW / 2, kCardH / 2, kCardW * 0.7);
    cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(vignette, 1, kWalnut.r, kWalnut.g, kWalnut.b, 0.45);
    cairo_set_source(cr, vignette);
    cairo_paint(cr);
    cairo_pattern_destroy(vignette);
    // Double gilt border.
    RoundedRect(cr, 9.5, 9.5, kCardW - 19, kCardH - 19, 10);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    RoundedRect(cr, 15.5, 15.5, kCardW - 31, kCardH - 31, 7);
    SetColour(cr, kGold, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double x : {24.0, kCardW - 24})
        for (double y : {24.0, kCardH - 24}) {
            StarPath(cr, x, y, 6, 2.5, 0);
            SetColour(cr, kRed);
            cairo_fill(cr);
        }
    // The red piece and the title.
    const int edges[4] = {1, 1, -1, -1};
    cairo_save(cr);
    cairo_translate(cr, kCardW / 2, 82);
    cairo_rotate(cr, -0.18);
    GlossyPiece(cr, -28, -28, 56, edges, kRed, 3);
    cairo_restore(cr);
    TitleLogo(cr, kCardW / 2 - 10, 186, 2.1, 0);
    cairo_destroy(cr);
    return card;
}

cairo_surface_t* Card() {
    static cairo_surface_t* const card = MakeCard();
    return card;
}

struct Flight {
    double fromX, fromY, bend, spin, start;
};

Flight FlightOf(int piece) {
    int order = 0;
    while (kArrival[order] != piece) ++order;
    // From a point on a circle around the screen, in the direction of the piece's home.
    int r = piece / kCols, c = piece % kCols;
    double homeX = kCardX + (c + 0.5) * kCell, homeY = kCardY + (r + 0.5) * kCell;
    double a = std::atan2(homeY - kHeight / 2.0, homeX - kWidth / 2.0) + (Grain(piece, 1, 4802) - 0.5) * 1.2;
    Flight f;
    f.fromX = kWidth / 2.0 + std::cos(a) * 520;
    f.fromY = kHeight / 2.0 + std::sin(a) * 420;
    f.bend = (Grain(piece, 2, 4802) - 0.5) * 260;
    f.spin = (Grain(piece, 3, 4802) - 0.5) * 6;
    f.start = kFirstStart + order * kStartGap;
    return f;
}

// The bevel and outline of a piece in its own coordinates, at `alpha` (0: no seam).
void PieceBevel(cairo_t* cr, int r, int c, const int edges[4], double seamAlpha) {
    if (seamAlpha > 0) {
        // The bevel of a free piece: light upper left, dark lower right.
        cairo_save(cr);
        JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
        cairo_clip_preserve(cr);
        cairo_save(cr);
        cairo_translate(cr, 1.2, 1.2);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.4 * seamAlpha);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke_preserve(cr);
        cairo_restore(cr);
        cairo_translate(cr, -1.2, -1.2);
        cairo_set_source_rgba(cr, 0.2, 0.1, 0.05, 0.55 * seamAlpha);
        cairo_stroke(cr);
        cairo_restore(cr);
        JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
        cairo_set_source_rgba(cr, 0.1, 0.06, 0.03, 0.8 * seamAlpha);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// The seam of a piece lying at home on the assembled card.
void DrawSeam(cairo_t* cr, int piece, double seamAlpha) {
    int r = piece / kCols, c = piece % kCols;
    int edges[4];
    PieceEdges(r, c, edges);
    cairo_save(cr);
    cairo_translate(cr, kCardX, kCardY);
    PieceBevel(cr, r, c, edges, seamAlpha);
    cairo_restore(cr);
}

void DrawPiece(cairo_t* cr, int piece, double t, double seamAlpha) {
    int r = piece / kCols, c = piece % kCols;
    Flight f = FlightOf(piece);
    double u = Clamp01((t - f.start) / kFlight);
    if (u <= 0) return;
    double e = EaseOut(u);
    double homeX = kCardX + (c + 0.5) * kCell, homeY = kCardY + (r + 0.5) * kCell;
    // A curved path: the straight line bent sideways, most in the middle.
    double dx = homeX - f.fromX, dy = homeY - f.fromY, len = std::hypot(dx, dy);
    double bend = f.bend * 4 * e * (1 - e);
    double x = f.fromX + dx * e - dy / len * bend, y = f.fromY + dy * e + dx / len * bend;
    double angle = f.spin * (1 - e), scale = 1 + 0.35 * (1 - e);
    int edges[4];
    PieceEdges(r, c, edges);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -(c + 0.5) * kCell, -(r + 0.5) * kCell);
    cairo_save(cr);
    JigsawPiecePath(cr, c * kCell, r * kCell, kCell, edges);
    cairo_clip(cr);
    cairo_set_source_surface(cr, Card(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    PieceBevel(cr, r, c, edges, seamAlpha);
    cairo_restore(cr);
}

void Gleam(cairo_t* cr, double t) {
    double u = Clamp01((t - kGleamStart) / kGleamTime);
    if (u <= 0 || u >= 1) return;
    double pos = kCardX - 80 + Smooth(u) * (kCardW + 160);
    cairo_save(cr);
    cairo_rectangle(cr, kCardX, kCardY, kCardW, kCardH);
    cairo_clip(cr);
    cairo_pattern_t* band = cairo_pattern_create_linear(pos - 50, 0, pos + 50, 0);
    cairo_pattern_add_color_stop_rgba(band, 0, 1, 1, 0.9, 0);
    cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 0.9, 0.45);
    cairo_pattern_add_color_stop_rgba(band, 1, 1, 1, 0.9, 0);
    cairo_matrix_t skew;
    cairo_matrix_init(&skew, 1, 0, -0.35, 1, 0, 0);
    cairo_pattern_set_matrix(band, &skew);
    cairo_set_source(cr, band);
    cairo_paint(cr);
    cairo_pattern_destroy(band);
    cairo_restore(cr);
}

void TitleTwinkles(cairo_t* cr, double t) {
    if (t <= kGleamStart + 0.3) return;
    double a = Clamp01((t - kGleamStart - 0.3) / 0.3);
    Twinkle(cr, kCardX + kCardW / 2 + 112, kCardY + 138, 8, a);
    Twinkle(cr, kCardX + kCardW / 2 - 124, kCardY + 180, 6, a * 0.8);
}

// A ring of light where a piece has just landed.
void LandingFlash(cairo_t* cr, int piece, double t) {
    double flash = Clamp01((t - FlightOf(piece).start - kFlight) / 0.25);
    if (flash <= 0 || flash >= 1) return;
    int r = piece / kCols, c = piece % kCols;
    cairo_arc(cr, kCardX + (c + 0.5) * kCell, kCardY + (r + 0.5) * kCell, kCell * (0.4 + 0.5 * flash), 0, 2 * M_PI);
    SetColour(cr, kGold, 0.55 * (1 - flash));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

}  // namespace

ClipFormat IntroClip() {
    ClipFormat format{kWidth, kHeight, kFps, static_cast<int>(kLength * kFps + 0.5), {}};
    format.events.push_back({kFirstStart - 0.05, "whoosh"});
    format.events.push_back({kFirstStart + 4 * kStartGap, "whoosh"});
    format.events.push_back({kFirstStart + 8 * kStartGap, "whoosh"});
    for (int k = 0; k < kCols * kRows; ++k) format.events.push_back({kFirstStart + k * kStartGap + kFlight, "click"});
    format.events.push_back({kSeamsClose, "chime"});
    format.events.push_back({kGleamStart + 0.1, "title"});
    return format;
}

void DrawIntro(cairo_t* cr, double seconds) {
    double t = std::min(seconds, kLength);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    double seamAlpha = 1 - Smooth(Clamp01((t - kSeamsClose) / kSeamsTime));
    const double allLanded = kFirstStart + (kCols * kRows - 1) * kStartGap + kFlight;
    if (t >= allLanded) {
        // One picture, not twelve clipped ones, so that no hairline of black shows where the
        // antialiased edges of two neighbours meet; the seams are drawn over it, fading.
        cairo_set_source_surface(cr, Card(), kCardX, kCardY);
        cairo_paint(cr);
        for (int piece = 0; piece < kCols * kRows; ++piece) {
            DrawSeam(cr, piece, seamAlpha);
            LandingFlash(cr, piece, t);
        }
        Gleam(cr, t);
        TitleTwinkles(cr, t);
        return;
    }
    // Landed pieces first, then the ones still in the air, the latest arrival on top.
    for (int order = 0; order < kCols * kRows; ++order) {
        int piece = kArrival[order];
        if (t >= FlightOf(piece).start + kFlight) {
            DrawPiece(cr, piece, t, seamAlpha);
            LandingFlash(cr, piece, t);
        }
    }
    for (int order = 0; order < kCols * kRows; ++order) {
        int piece = kArrival[order];
        if (t < FlightOf(piece).start + kFlight) DrawPiece(cr, piece, t, 1);
    }
    Gleam(cr, t);
    TitleTwinkles(cr, t);
}

}  // namespace art
