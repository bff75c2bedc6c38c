// Language windows art. The language panel of the main menu (1640) is a small card with a
// globe and a note sheet whose slanting margin follows the six names the panel writes on it
// (entry i at (212 - 3i, 29 + 15i)); the language-change window's background (1641) holds six
// slots for its buttons (2000-2005, one per language: flag and name) and, beside each slot,
// a speech bubble greeting in that language.
#include <cmath>

#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"

using namespace art;

namespace {

const char* const kNames[6] = {"Español", "English", "Português", "Italiano", "Français", "Deutsch"};
const char* const kGreetings[6] = {"¡Hola!", "Hello!", "Olá!", "Ciao!", "Salut !", "Hallo!"};

// --- Panel of the main menu ------------------------------------------------------------------

constexpr int kEntryX = 212, kEntryY = 29, kEntrySlant = 3, kEntryStep = 15;

void Globe(cairo_t* cr, double cx, double cy, double r) {
    // Stand: a wooden foot and a brass meridian.
    cairo_save(cr);
    cairo_translate(cr, cx + 3, cy + r + 17);
    cairo_scale(cr, r * 0.8, 5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0.04, 0.35);
    cairo_fill(cr);
    cairo_move_to(cr, cx - r * 0.55, cy + r + 16);
    cairo_curve_to(cr, cx - r * 0.4, cy + r + 6, cx - 5, cy + r + 6, cx - 4, cy + r - 2);
    cairo_line_to(cr, cx + 4, cy + r - 2);
    cairo_curve_to(cr, cx + 5, cy + r + 6, cx + r * 0.4, cy + r + 6, cx + r * 0.55, cy + r + 16);
    cairo_close_path(cr);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 1640, true); });
    SetColour(cr, Darker(kWalnut, 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // The ball.
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* sea = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(sea, 0, 0.55, 0.8, 0.85);
    cairo_pattern_add_color_stop_rgb(sea, 0.7, 0.2, 0.52, 0.6);
    cairo_pattern_add_color_stop_rgb(sea, 1, 0.1, 0.3, 0.38);
    cairo_set_source(cr, sea);
    cairo_fill(cr);
    cairo_pattern_destroy(sea);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    // Lands: a few soft blobs, the old world's outline in spirit.
    const double lands[5][4] = {{-0.15, -0.35, 0.32, 0.24},
                                {0.1, 0.2, 0.22, 0.34},
                                {0.45, -0.25, 0.34, 0.28},
                                {-0.62, 0.05, 0.2, 0.42},
                                {0.55, 0.45, 0.16, 0.12}};
    for (const auto& l : lands) {
        cairo_save(cr);
        cairo_translate(cr, cx + l[0] * r, cy + l[1] * r);
        cairo_rotate(cr, l[0] * 1.3);
        cairo_scale(cr, l[2] * r, l[3] * r);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Mix(Hex(0x8fbf4a), kParchment, 0.25));
        cairo_fill(cr);
    }
    // Parallels and meridians.
    for (int k = -2; k <= 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy + k * r * 0.38);
        cairo_scale(cr, r * std::sqrt(1 - (k * 0.38) * (k * 0.38)), r * 0.12);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    }
    for (int k = 1; k <= 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, r * k * 0.4, r);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Shading and gloss.
    cairo_pattern_t* shade = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.2, cx, cy, r * 1.05);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.3);
    cairo_pattern_add_color_stop_rgba(shade, 0.6, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColour(cr, Hex(0x10303a));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Brass meridian ring, tilted.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, 0.4);
    cairo_scale(cr, r + 5, r + 5);
    cairo_arc(cr, 0, 0, 1, -M_PI * 0.95, M_PI * 0.95);
    cairo_restore(cr);
    SetColour(cr, Darker(kGold, 0.4));
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

Bitmap PaintPanel(const ManifestEntry& e) {
    Canvas canvas(e.width, e.height);
    cairo_t* cr = canvas.cr();
    SetColour(cr, kBlack);
    cairo_paint(cr);
    WoodFramedPanel(cr, 0, 0, e.width, e.height, 12, 10, 1641);
    Globe(cr, 78, 62, 38);
    // The note sheet the names are written on.
    PaperSheet(cr, 150, 18, e.width - 164, 110, 0, 1642);
    for (int i = 0; i < 6; ++i) {
        double base = kEntryY + i * kEntryStep + 15.5;
        cairo_move_to(cr, 153, base);
        cairo_line_to(cr, e.width - 17, base);
    }
    SetColour(cr, Hex(0x6f8fc0), 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The margin slants with the entries, a few pixels to their left; the flags sit before it.
    double topY = 20, bottomY = 126;
    auto marginX = [](double y) { return kEntryX - 5 - (y - kEntryY) * kEntrySlant / kEntryStep; };
    cairo_move_to(cr, marginX(topY), topY);
    cairo_line_to(cr, marginX(bottomY), bottomY);
    SetColour(cr, kRed, 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        double x = kEntryX - kEntrySlant * i - 33, y = kEntryY + i * kEntryStep + 2;
        LanguageFlag(cr, i, x, y, 19, 12);
    }
    GlossyDisc(cr, 229, 24, 3.5, kRed, Look::Normal);
    return canvas.ToBitmap24();
}

// --- Language-change window ------------------------------------------------------------------

constexpr int kButtonX = 6, kButtonY = 10, kButtonStep = 40;
constexpr int kButtonW = 150, kButtonH = 38;
// The face keeps 4 pixels to the frame's edge, room for the hover glow on the wood around it.
constexpr int kFaceInset = 4;
constexpr int kWindowW = 232, kWindowH = 256;

void SpeechBubble(cairo_t* cr, double x, double y, double w, double h, const char* text) {
    DropShadow(cr, x, y, w, h, h / 2, 1.5, 0.4);
    RoundedRect(cr, x, y, w, h, h / 2);
    cairo_move_to(cr, x + 4, y + h * 0.55);
    cairo_line_to(cr, x - 7, y + h * 0.5);
    cairo_line_to(cr, x + 6, y + h * 0.8);
    cairo_close_path(cr);
    SetColour(cr, Lighter(kParchment, 0.55));
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, h / 2);
    SetColour(cr, Mix(kHoney, kWalnut, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    TextStyle st;
    st.size = 14;
    st.fill = kRed;
    st.outlineWidth = 0;
    st.shadow = 0;
    st.size = FitTextSize(cr, text, st, w - 8);
    DrawTextCentred(cr, text, x + w / 2, y + h / 2 + st.size * 0.34, st);
}

Bitmap PaintWindowBackground() {
    Canvas canvas(kWindowW, kWindowH);
    cairo_t* cr = canvas.cr();
    double w = kWindowW, h = kWindowH;
    RoundedRect(cr, 0, 0, w, h, 8);
    FillProcedural(cr, [](int x, int y) { return WoodAt(x, y, Mix(kWalnut, kHoney, 0.3), 1643); });
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 0.93, 0.8, 0.25);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.3);
    cairo_set_source(cr, bevel);
    cairo_fill(cr);
    cairo_pattern_destroy(bevel);
    RoundedRect(cr, 2.5, 2.5, w - 5, h - 5, 6);
    SetColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        double y = kButtonY + i * kButtonStep;
        Recess(cr, kButtonX + kFaceInset - 1, y + kFaceInset - 1, kButtonW - 2 * kFaceInset + 2,
               kButtonH - 2 * kFaceInset + 2, (kButtonH - 2 * kFaceInset) / 2.0 + 1, Darker(kWalnut, 0.45));
        SpeechBubble(cr, kButtonX + kButtonW + 12, y + 6, w - kButtonX - kButtonW - 20, kButtonH - 12, kGreetings[i]);
    }
    return canvas.ToBitmap24();
}

const Bitmap& WindowBackground() {
    static const Bitmap background = PaintWindowBackground();
    return background;
}

Bitmap PaintLanguageButton(const ManifestEntry& e, int language) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    const Look looks[3] = {Look::Normal, Look::Hover, Look::Pressed};
    return DrawOver(
        WindowBackground(), kButtonX, kButtonY + language * kButtonStep, fw, fh, 3, 1, [&](cairo_t* cr, int i) {
            Look look = looks[i];
            GlossyButton(cr, kFaceInset, kFaceInset, fw - 2 * kFaceInset, fh - 2 * kFaceInset,
                         (fh - 2 * kFaceInset) / 2.0, Mix(kHoney, kGold, 0.35), look);
            double off = look == Look::Pressed ? 1 : 0;
            LanguageFlag(cr, language, 14 + off, fh / 2.0 - 7.5 + off, 24, 15);
            TextStyle st;
            st.size = 18;
            st.fill = look == Look::Hover ? kWhite : Lighter(kParchment, 0.3);
            st.outline = Darker(kWalnut, 0.2);
            st.outlineWidth = 2;
            st.shadow = 1;
            double left = 44, right = fw - 12;
            st.size = FitTextSize(cr, kNames[language], st, right - left);
            DrawTextCentred(cr, kNames[language], (left + right) / 2 + off, fh / 2.0 + st.size * 0.34 + off, st);
        });
}

}  // namespace

void RegisterLanguageArt(PainterTable& table) {
    table[1640] = PaintPanel;
    table[1641] = [](const ManifestEntry&) { return WindowBackground(); };
    for (int lang = 0; lang < 6; ++lang)
        table[2000 + static_cast<uint32_t>(lang)] = [lang](const ManifestEntry& e) {
            return PaintLanguageButton(e, lang);
        };
}
