// Volume window art: the background with the English title and the two slider grooves, the
// other languages' titles, the two masked fader caps (twenty frames, one per twentieth of the
// range, their level lamps growing), OK, Cancel and help.
#include <cmath>

#include "assets/ArtKit.h"
#include "assets/ArtRegistry.h"
#include "assets/DialogKit.h"

using namespace art;

namespace {

constexpr int kMusicW = 360, kMusicH = 286;
constexpr int kTitleX = 11, kTitleY = 5, kTitleW = 140, kTitleH = 50;
constexpr int kTrackTop = 68, kTrackBottom = 215;  // the value max and min of both sliders
constexpr int kMasterX = 123, kWaveX = 220;
constexpr int kOkX = 126, kCancelX = 253, kButtonsY = 234;
constexpr int kHelpX = 17, kHelpY = 211;

// Language 1 is written on the background; 0, 2 and 3 share 407, 4 has 403, 5 has 408.
constexpr const char* kEnglishTitle = "Music";

void SpeakerGlyph(cairo_t* cr, double cx, double cy, double s) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - s * 0.55, cy - s * 0.22);
    cairo_line_to(cr, cx - s * 0.25, cy - s * 0.22);
    cairo_line_to(cr, cx + s * 0.1, cy - s * 0.55);
    cairo_line_to(cr, cx + s * 0.1, cy + s * 0.55);
    cairo_line_to(cr, cx - s * 0.25, cy + s * 0.22);
    cairo_line_to(cr, cx - s * 0.55, cy + s * 0.22);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - s, cy - s, cx + s, cy + s);
    Rgb hi = Lighter(kWalnut, 0.35), lo = Darker(kWalnut, 0.2);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < 3; ++k) {
        cairo_new_path(cr);
        cairo_arc(cr, cx + s * 0.1, cy, s * (0.42 + k * 0.25), -0.75, 0.75);
        SetColour(cr, kTeal, 1.0 - k * 0.22);
        cairo_set_line_width(cr, s * 0.1);
        cairo_stroke(cr);
    }
}

// The wave output's emblem: a sound wave in a round window and a note.
void WaveGlyph(cairo_t* cr, double cx, double cy, double s) {
    cairo_arc(cr, cx, cy, s * 0.6, 0, 2 * M_PI);
    SetColour(cr, Hex(0x1c120c));
    cairo_fill_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    for (int i = 0; i <= 40; ++i) {
        double t = i / 40.0;
        double x = cx - s * 0.48 + t * s * 0.96;
        double env = std::sin(t * M_PI);
        double y = cy + std::sin(t * 6 * M_PI) * s * 0.3 * env;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    SetColour(cr, Lighter(kTeal, 0.35));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    // A note beside it.
    const double nx = cx + s * 0.7, ny = cy - s * 0.55;
    cairo_save(cr);
    cairo_translate(cr, nx, ny + s * 0.45);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, s * 0.14, s * 0.1);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, kRed);
    cairo_fill(cr);
    cairo_rectangle(cr, nx + s * 0.1, ny, s * 0.05, s * 0.45);
    cairo_fill(cr);
}

// A groove for one slider, with ticks for every tenth and a plus and a minus at its ends.
void Groove(cairo_t* cr, double x) {
    const double top = kTrackTop - 8, bottom = kTrackBottom + 8;
    for (int k = 0; k <= 10; ++k) {
        double y = kTrackBottom - (kTrackBottom - kTrackTop) * k / 10.0;
        double len = (k % 5 == 0) ? 7 : 4;
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, x + side * 21, y);
            cairo_line_to(cr, x + side * (21 + len), y);
        }
    }
    SetColour(cr, Darker(kHoney, 0.35), 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Recess(cr, x - 4, top, 8, bottom - top, 4, Hex(0x1c120c), 2);
    TextStyle st;
    st.size = 15;
    st.fill = kRed;
    st.outline = Lighter(kParchment, 0.3);
    st.outlineWidth = 1.2;
    st.shadow = 0;
    DrawTextCentred(cr, "+", x + 32, kTrackTop + 5, st);
    DrawTextCentred(cr, "\xe2\x80\x93", x + 32, kTrackBottom + 4, st);
}

// The background without any title written on it.
Bitmap PaintMusicBase() {
    Canvas canvas(kMusicW, kMusicH);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, kMusicW, kMusicH, 16, 9, 214);
    TitlePlate(cr, kTitleX + 2, kTitleY + 3, kTitleW - 4, kTitleH - 6, 2141);
    // Notes on a little staff beside the title.
    for (int k = 0; k < 5; ++k) {
        cairo_move_to(cr, 168, 22 + k * 5);
        cairo_line_to(cr, 340, 22 + k * 5);
    }
    SetColour(cr, Darker(kHoney, 0.2), 0.5);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    const double notes[5][2] = {{190, 39}, {220, 32}, {250, 27}, {285, 34.5}, {318, 24.5}};
    for (const auto& n : notes) {
        cairo_save(cr);
        cairo_translate(cr, n[0], n[1]);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 3.6, 2.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, n[0] == 250 ? kRed : kInk, 0.8);
        cairo_fill(cr);
        cairo_rectangle(cr, n[0] + 2.6, n[1] - 15, 1.2, 15);
        cairo_fill(cr);
    }
    Groove(cr, kMasterX);
    Groove(cr, kWaveX);
    SpeakerGlyph(cr, 60, 128, 34);
    WaveGlyph(cr, 295, 132, 36);
    // A shelf for the buttons along the bottom.
    cairo_move_to(cr, 92, kButtonsY - 8.5);
    cairo_line_to(cr, kMusicW - 17, kButtonsY - 8.5);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return canvas.ToBitmap24();
}

const Bitmap& MusicBase() {
    static const Bitmap base = PaintMusicBase();
    return base;
}

const Bitmap& MusicBackground() {
    static const Bitmap background = [] {
        Bitmap bg = MusicBase();
        PasteBitmap(bg,
                    TitleOver(MusicBase(), kTitleX, kTitleY, kTitleW, kTitleH, kEnglishTitle, 3 + (kTitleH - 6) / 2.0,
                              kTitleW - 24, 28),
                    kTitleX, kTitleY);
        return bg;
    }();
    return background;
}

Bitmap PaintMusicTitle(const ManifestEntry& e, const char* text) {
    return TitleOver(MusicBase(), kTitleX, kTitleY, e.width, e.height, text, 3 + (kTitleH - 6) / 2.0, kTitleW - 24, 28);
}

// A fader cap; level 0..1 lights its lamp from a dim teal through gold to red.
void FaderCap(cairo_t* cr, int fw, int fh, double level, Rgb wood) {
    const double x = 2, y = 2, w = fw - 4, h = fh - 5;
    cairo_save(cr);
    cairo_translate(cr, 1, 1.5);
    RoundedRect(cr, x, y, w, h, 5);
    cairo_set_source_rgba(cr, 0.1, 0.05, 0.02, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, x, y, w, h, 5);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb hi = Lighter(wood, 0.35), lo = Darker(wood, 0.3);
    cairo_pattern_add_color_stop_rgb(body, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(body, 0.5, wood.r, wood.g, wood.b);
    cairo_pattern_add_color_stop_rgb(body, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, Darker(wood, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Grip lines at the ends.
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 2; ++k) {
            double gx = fw / 2.0 + side * (w / 2 - 4 - k * 3);
            cairo_move_to(cr, gx, y + 4);
            cairo_line_to(cr, gx, y + h - 4);
        }
    SetColour(cr, Darker(wood, 0.45), 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The lamp: a slot whose light grows with the level.
    const double sx = fw / 2.0 - 9, sy = y + h / 2 - 3, sw = 18, sh = 6;
    RoundedRect(cr, sx, sy, sw, sh, 3);
    SetColour(cr, Hex(0x140c08));
    cairo_fill(cr);
    Rgb lamp = level < 0.5 ? Mix(Hex(0x3f7a72), kGold, level * 2) : Mix(kGold, kRed, (level - 0.5) * 2);
    if (level > 0) {
        RoundedRect(cr, sx + 1, sy + 1, std::max(2.0, (sw - 2) * level), sh - 2, 2);
        SetColour(cr, Lighter(lamp, 0.2));
        cairo_fill(cr);
        cairo_arc(cr, sx + 1 + (sw - 2) * level, sy + sh / 2, 2 + level * 2, 0, 2 * M_PI);
        SetColour(cr, lamp, 0.35 + level * 0.4);
        cairo_fill(cr);
    }
    // Gloss on the top half.
    RoundedRect(cr, x + 3, y + 1.5, w - 6, h * 0.35, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    cairo_fill(cr);
}

Bitmap PaintThumb(const ManifestEntry& e, int trackX, Rgb wood) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    const int frames = e.layout.FrameCount();
    // What lies under a cap at each of its columns: the background along the track, averaged.
    std::vector<Rgb> under(static_cast<size_t>(fw));
    for (int fx = 0; fx < fw; ++fx) {
        Rgb sum{0, 0, 0};
        int n = 0;
        for (int y = kTrackTop; y <= kTrackBottom; ++y, ++n) {
            Rgb c = PixelAt(MusicBackground(), trackX - fw / 2 + fx, y);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
        under[static_cast<size_t>(fx)] = {sum.r / n, sum.g / n, sum.b / n};
    }
    return DrawMaskedGrid(
        fw, fh, e.layout.rows, e.layout.columns,
        [&](cairo_t* cr, int i) { FaderCap(cr, fw, fh, double(i) / (frames - 1), wood); },
        [&](int fx, int) { return under[static_cast<size_t>(fx)]; });
}

Bitmap PaintPill(const ManifestEntry& e, int x, int y, bool ok) {
    const int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    return DrawOver(MusicBackground(), x, y, fw, fh, 3, 1, [&](cairo_t* cr, int i) {
        GlossyButton(cr, 4, 3, fw - 9, fh - 8, (fh - 8) / 2.0, ok ? kTeal : kRed, looks[i]);
        const double off = i == 2 ? 1 : 0;
        const Rgb ink = i == 1 ? kWhite : Lighter(kParchment, 0.35);
        if (ok)
            TickGlyph(cr, fw / 2.0 + off, fh / 2.0 - 1 + off, fh * 0.55, ink);
        else
            CrossGlyph(cr, fw / 2.0 + off, fh / 2.0 - 1 + off, fh * 0.6, ink);
    });
}

}  // namespace

void RegisterMusicArt(PainterTable& table) {
    table[214] = [](const ManifestEntry&) { return MusicBackground(); };
    table[407] = [](const ManifestEntry& e) { return PaintMusicTitle(e, "Música"); };
    table[403] = [](const ManifestEntry& e) { return PaintMusicTitle(e, "Musique"); };
    table[408] = [](const ManifestEntry& e) { return PaintMusicTitle(e, "Musik"); };
    table[217] = [](const ManifestEntry& e) { return PaintThumb(e, kMasterX, Mix(kHoney, kGold, 0.2)); };
    table[225] = [](const ManifestEntry& e) { return PaintThumb(e, kWaveX, Mix(kTeal, kWalnut, 0.25)); };
    table[218] = [](const ManifestEntry& e) { return PaintPill(e, kOkX, kButtonsY, true); };
    table[219] = [](const ManifestEntry& e) { return PaintPill(e, kCancelX, kButtonsY, false); };
    table[229] = [](const ManifestEntry& e) {
        const int fw = FrameWidth(e), fh = FrameHeight(e);
        return DrawOver(MusicBackground(), kHelpX, kHelpY, fw, fh, 1, 3,
                        [&](cairo_t* cr, int i) { HelpDisc(cr, fw / 2.0, fh / 2.0, 25, i); });
    };
}
