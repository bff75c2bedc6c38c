// Icons and cursors, drawn on a 16-unit grid (icons) or a 32-pixel grid (cursors) so that the
// 16-pixel icons keep crisp edges and the 32-pixel ones are the same drawing twice as fine.
#include "assets/ArtIcons.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "assets/ArtKit.h"
#include "assets/DialogKit.h"
#include "assets/Shapes.h"

using namespace art;

namespace {

const Rgb kOutline = Darker(kWalnut, 0.45);

void Outline(cairo_t* cr, double width = 1.0) {
    SetColour(cr, kOutline);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

// --- The icons, in 16 units ------------------------------------------------------------------

void Screen(cairo_t* cr, double x, double y, double w, double h) {
    RoundedRect(cr, x, y, w, h, 1.2);
    VerticalGradient(cr, y, y + h, Hex(0x4a3526), Hex(0x24170e));
    Outline(cr);
}

void Desktop(cairo_t* cr) {
    Screen(cr, 0.5, 1.5, 15, 10.5);
    MiniLandscape(cr, 2, 3, 12, 7.5);
    cairo_move_to(cr, 6.5, 12);
    cairo_line_to(cr, 9.5, 12);
    cairo_line_to(cr, 10.2, 13.8);
    cairo_line_to(cr, 5.8, 13.8);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x3a2616));
    cairo_fill(cr);
    RoundedRect(cr, 3.5, 13.5, 9, 2, 0.8);
    VerticalGradient(cr, 13.5, 15.5, Lighter(kHoney, 0.2), Darker(kHoney, 0.2));
    Outline(cr, 0.8);
}

void MyPc(cairo_t* cr) {
    // The case standing behind, the monitor in front of it.
    RoundedRect(cr, 9.5, 1.5, 6, 13.5, 1);
    VerticalGradient(cr, 1.5, 15, Lighter(kParchment, 0.2), Darker(kParchment, 0.25));
    Outline(cr);
    cairo_rectangle(cr, 11, 3.5, 3, 1);
    cairo_rectangle(cr, 11, 5.5, 3, 1);
    SetColour(cr, Darker(kParchment, 0.45));
    cairo_fill(cr);
    cairo_arc(cr, 12.5, 12.5, 0.9, 0, 2 * M_PI);
    SetColour(cr, Hex(0x3ec46d));
    cairo_fill(cr);
    Screen(cr, 0.5, 4, 10, 7.5);
    cairo_rectangle(cr, 1.8, 5.3, 7.4, 4.9);
    VerticalGradient(cr, 5.3, 10.2, Lighter(kTeal, 0.35), Darker(kTeal, 0.2));
    cairo_new_path(cr);
    cairo_rectangle(cr, 4.5, 11.5, 2, 2);
    SetColour(cr, Hex(0x3a2616));
    cairo_fill(cr);
    RoundedRect(cr, 2.5, 13.2, 6, 1.8, 0.7);
    VerticalGradient(cr, 13.2, 15, Lighter(kHoney, 0.2), Darker(kHoney, 0.2));
    Outline(cr, 0.8);
}

void Floppy(cairo_t* cr) {
    cairo_move_to(cr, 2, 1.5);
    cairo_line_to(cr, 12.5, 1.5);
    cairo_line_to(cr, 14.5, 3.5);
    cairo_line_to(cr, 14.5, 14.5);
    cairo_line_to(cr, 2, 14.5);
    cairo_close_path(cr);
    VerticalGradient(cr, 1.5, 14.5, Lighter(kTeal, 0.15), Darker(kTeal, 0.35));
    Outline(cr);
    cairo_rectangle(cr, 5, 1.5, 6, 4.5);
    VerticalGradient(cr, 1.5, 6, Hex(0xe4e2dc), Hex(0x9b9890));
    Outline(cr, 0.7);
    cairo_rectangle(cr, 8.5, 2.5, 1.5, 2.5);
    SetColour(cr, Hex(0x4d4a45));
    cairo_fill(cr);
    RoundedRect(cr, 4, 8.5, 8.5, 6, 0.6);
    SetColour(cr, Lighter(kParchment, 0.5));
    cairo_fill_preserve(cr);
    Outline(cr, 0.6);
    cairo_rectangle(cr, 5, 10, 6.5, 0.8);
    SetColour(cr, kRed);
    cairo_fill(cr);
    cairo_rectangle(cr, 5, 12, 5, 0.7);
    SetColour(cr, kInk, 0.6);
    cairo_fill(cr);
}

// A drive: a metal box seen a little from above, its front from y `top`.
void DriveBox(cairo_t* cr, double top, Rgb led) {
    cairo_move_to(cr, 0.5, top);
    cairo_line_to(cr, 2.5, top - 2.5);
    cairo_line_to(cr, 15.5, top - 2.5);
    cairo_line_to(cr, 15.5, top);
    cairo_close_path(cr);
    VerticalGradient(cr, top - 2.5, top, Hex(0xf0eee8), Hex(0xc9c5bb));
    Outline(cr, 0.8);
    RoundedRect(cr, 0.5, top, 15, 5.5, 1);
    VerticalGradient(cr, top, top + 5.5, Hex(0xbdb8ad), Hex(0x7d796f));
    Outline(cr);
    cairo_rectangle(cr, 2.5, top + 2.3, 6.5, 1);
    SetColour(cr, Hex(0x3f3c37));
    cairo_fill(cr);
    cairo_arc(cr, 12.8, top + 2.8, 1.1, 0, 2 * M_PI);
    SetColour(cr, led);
    cairo_fill(cr);
}

void FixedDrive(cairo_t* cr) { DriveBox(cr, 7.5, Hex(0x3ec46d)); }

void CdRom(cairo_t* cr) {
    cairo_arc(cr, 8, 8, 7, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 8, 8, 1.6, 2 * M_PI, 0);
    cairo_pattern_t* g = cairo_pattern_create_linear(1, 1, 15, 15);
    const double stops[6][4] = {{0, 0.93, 0.93, 0.9},   {0.3, 0.75, 0.86, 0.95}, {0.45, 0.98, 0.85, 0.6},
                                {0.55, 0.95, 0.7, 0.8}, {0.7, 0.8, 0.95, 0.8},   {1, 0.7, 0.7, 0.72}};
    for (const auto& s : stops) cairo_pattern_add_color_stop_rgb(g, s[0], s[1], s[2], s[3]);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, 0.9);
    cairo_arc(cr, 8, 8, 3.2, 0, 2 * M_PI);
    SetColour(cr, kWhite, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A gleam across the disc.
    cairo_arc(cr, 8, 8, 5.2, -2.6, -1.9);
    SetColour(cr, kWhite, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void NetworkDrive(cairo_t* cr) {
    DriveBox(cr, 3.5, Hex(0x4f9be0));
    cairo_move_to(cr, 8, 9);
    cairo_line_to(cr, 8, 12.5);
    cairo_move_to(cr, 2.5, 13);
    cairo_line_to(cr, 13.5, 13);
    SetColour(cr, kTeal);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (double x : {2.5, 8.0, 13.5}) {
        RoundedRect(cr, x - 1.5, 12, 3, 3, 0.6);
        SetColour(cr, Lighter(kTeal, 0.2));
        cairo_fill_preserve(cr);
        Outline(cr, 0.6);
    }
}

void FolderBack(cairo_t* cr) {
    cairo_move_to(cr, 0.5, 3);
    cairo_line_to(cr, 5.5, 3);
    cairo_line_to(cr, 7, 4.5);
    cairo_line_to(cr, 15.5, 4.5);
    cairo_line_to(cr, 15.5, 14);
    cairo_line_to(cr, 0.5, 14);
    cairo_close_path(cr);
    SetColour(cr, Darker(kGold, 0.3));
    cairo_fill_preserve(cr);
    Outline(cr);
}

void ClosedFolder(cairo_t* cr) {
    FolderBack(cr);
    RoundedRect(cr, 0.5, 6, 15, 8, 0.8);
    VerticalGradient(cr, 6, 14, Lighter(kGold, 0.35), Darker(kGold, 0.05));
    Outline(cr);
}

void OpenFolder(cairo_t* cr) {
    FolderBack(cr);
    cairo_rectangle(cr, 2.5, 3.5, 10, 6);
    SetColour(cr, Lighter(kParchment, 0.6));
    cairo_fill_preserve(cr);
    Outline(cr, 0.6);
    cairo_move_to(cr, 3, 7.5);
    cairo_line_to(cr, 15.8, 7.5);
    cairo_line_to(cr, 13.5, 14);
    cairo_line_to(cr, 0.5, 14);
    cairo_close_path(cr);
    VerticalGradient(cr, 7.5, 14, Lighter(kGold, 0.4), kGold);
    Outline(cr);
}

void Page(cairo_t* cr) {
    cairo_move_to(cr, 2.5, 0.5);
    cairo_line_to(cr, 10, 0.5);
    cairo_line_to(cr, 13.5, 4);
    cairo_line_to(cr, 13.5, 15.5);
    cairo_line_to(cr, 2.5, 15.5);
    cairo_close_path(cr);
    SetColour(cr, Lighter(kParchment, 0.7));
    cairo_fill_preserve(cr);
    Outline(cr);
    cairo_move_to(cr, 10, 0.5);
    cairo_line_to(cr, 10, 4);
    cairo_line_to(cr, 13.5, 4);
    cairo_close_path(cr);
    SetColour(cr, Darker(kParchment, 0.15));
    cairo_fill_preserve(cr);
    Outline(cr, 0.7);
}

void RedPiece(cairo_t* cr, double x, double y, double s) {
    const int edges[4] = {1, 1, -1, 0};
    JigsawPiecePath(cr, x, y, s, edges);
    VerticalGradient(cr, y - s * 0.3, y + s, Lighter(kRed, 0.3), Darker(kRed, 0.15));
    SetColour(cr, Darker(kRed, 0.6));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

void PuzzleFile(cairo_t* cr) {
    Page(cr);
    RedPiece(cr, 4.2, 7.5, 6.2);
}

void PlainFile(cairo_t* cr) {
    Page(cr);
    for (int k = 0; k < 4; ++k) {
        cairo_rectangle(cr, 4.5, 6 + k * 2.3, k == 3 ? 4.5 : 7, 0.8);
        SetColour(cr, kInk, 0.55);
        cairo_fill(cr);
    }
}

void PictureFile(cairo_t* cr) {
    Page(cr);
    MiniLandscape(cr, 4, 6, 8, 7.5);
    cairo_rectangle(cr, 4, 6, 8, 7.5);
    Outline(cr, 0.6);
}

void PuzzleFolder(cairo_t* cr) {
    ClosedFolder(cr);
    RedPiece(cr, 5.5, 8.3, 5);
}

using IconDraw = void (*)(cairo_t*);

struct IconEntry {
    IconDesign design;
    IconDraw draw;
};

const std::vector<IconEntry>& IconTable() {
    static const std::vector<IconEntry> table = {
        {{141, "desktop: a monitor showing a landscape"}, Desktop},
        {{142, "my PC: a computer case and a monitor with a teal screen"}, MyPc},
        {{143, "removable drive: a teal floppy disk"}, Floppy},
        {{144, "fixed drive and RAM disk: a metal drive with a green lamp"}, FixedDrive},
        {{145, "CD-ROM drive: a shining disc"}, CdRom},
        {{146, "network drive: a drive on a teal network line"}, NetworkDrive},
        {{147, "closed folder"}, ClosedFolder},
        {{148, "open folder with a page in it"}, OpenFolder},
        {{149, "puzzle file and the suggested folder: a page with a red piece"}, PuzzleFile},
        {{150, "any other file: a written page"}, PlainFile},
        {{151, "picture file: a page with a landscape"}, PictureFile},
        {{152, "a folder of puzzles: a closed folder with a red piece"}, PuzzleFolder},
    };
    return table;
}

// --- The cursors, in 32 pixels ------------------------------------------------------------------

void Capsule(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
    const double a = std::atan2(y1 - y0, x1 - x0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1, y1, width / 2, a - M_PI / 2, a + M_PI / 2);
    cairo_arc(cr, x0, y0, width / 2, a + M_PI / 2, a + 3 * M_PI / 2);
    cairo_close_path(cr);
}

// The glove's colour, lit from the top-left.
void GloveFill(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(6, 4, 24, 28);
    Rgb hi = Lighter(kParchment, 0.85), lo = Mix(kParchment, kHoney, 0.2);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A hand: a soft shadow and a dark outline around the union of its shapes (each shape
// stroked wide), then the fingers one by one from the little finger on, each filled and
// outlined thinly so that they part from each other, and the palm and thumb over their roots.
void Hand(cairo_t* cr,
          const std::function<void()>& all,
          const std::vector<std::function<void()>>& fingers,
          const std::function<void()>& palm) {
    cairo_save(cr);
    cairo_translate(cr, 1.2, 1.6);
    all();
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    all();
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    for (const auto& finger : fingers) {
        finger();
        cairo_path_t* path = cairo_copy_path(cr);
        GloveFill(cr);
        cairo_append_path(cr, path);
        cairo_path_destroy(path);
        SetColour(cr, kInk, 0.8);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    palm();
    GloveFill(cr);
}

void Cuff(cairo_t* cr, double y) {
    RoundedRect(cr, 10.5, y, 12, 4, 1.5);
    SetColour(cr, kTeal);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// 562: an open hand, ready to take hold.
void OpenHand(cairo_t* cr) {
    const double fx[4] = {11.6, 15.1, 18.6, 21.9}, top[4] = {6, 3.5, 4.5, 8}, width[4] = {3.4, 3.5, 3.4, 3};
    auto finger = [=](int k) { Capsule(cr, fx[k], top[k], fx[k], 16, width[k]); };
    auto palm = [cr] {
        RoundedRect(cr, 9.5, 14, 14, 12, 5);
        Capsule(cr, 5.5, 15, 10.5, 22, 3.6);
    };
    Hand(
        cr,
        [=] {
            for (int k = 0; k < 4; ++k) finger(k);
            palm();
        },
        {[=] { finger(3); }, [=] { finger(2); }, [=] { finger(1); }, [=] { finger(0); }}, palm);
    Cuff(cr, 25);
}

// 563: the hand closed, holding on: the fingers curled over the palm, the thumb across them.
void ClosedHand(cairo_t* cr) {
    auto knuckle = [cr](int k) { Capsule(cr, 11.7 + k * 3.5, 10.5, 11.7 + k * 3.5, 15, 3.6); };
    auto palm = [cr] { RoundedRect(cr, 9.5, 13, 14, 13, 5); };
    auto thumb = [cr] { Capsule(cr, 8.5, 17.5, 15, 18.5, 3.6); };
    Hand(
        cr,
        [=] {
            for (int k = 0; k < 4; ++k) knuckle(k);
            palm();
            thumb();
        },
        {[=] { knuckle(3); }, [=] { knuckle(2); }, [=] { knuckle(1); }, [=] { knuckle(0); }}, palm);
    // The thumb lies over the curled fingers.
    thumb();
    cairo_path_t* path = cairo_copy_path(cr);
    GloveFill(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    SetColour(cr, kInk, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    Cuff(cr, 25);
}

struct CursorEntry {
    IconDesign design;
    IconDraw draw;
    int hotX, hotY;
};

const std::vector<CursorEntry>& CursorTable() {
    static const std::vector<CursorEntry> table = {
        {{562, "size pickers: an open hand, ready to drag"}, OpenHand, 16, 17},
        {{563, "size pickers while the button is held: the hand closed, holding on"}, ClosedHand, 16, 17},
    };
    return table;
}

IconImage Render(int size, double scale, IconDraw draw) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, scale, scale);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    IconImage image;
    image.size = size;
    image.argb.resize(static_cast<size_t>(size) * size);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < size; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < size; ++x) {
            // Cairo keeps premultiplied colour; icon files want it straight.
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            auto un = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            image.argb[static_cast<size_t>(y) * size + x] =
                (a << 24) | (un((p >> 16) & 0xff) << 16) | (un((p >> 8) & 0xff) << 8) | un(p & 0xff);
        }
    }
    cairo_surface_destroy(s);
    return image;
}

}  // namespace

const std::vector<IconDesign>& IconDesigns() {
    static const std::vector<IconDesign> designs = [] {
        std::vector<IconDesign> d;
        for (const auto& e : IconTable()) d.push_back(e.design);
        return d;
    }();
    return designs;
}

const std::vector<IconDesign>& CursorDesigns() {
    static const std::vector<IconDesign> designs = [] {
        std::vector<IconDesign> d;
        for (const auto& e : CursorTable()) d.push_back(e.design);
        return d;
    }();
    return designs;
}

IconImage DrawIcon(uint32_t id, int size) {
    for (const auto& e : IconTable())
        if (e.design.id == id) return Render(size, size / 16.0, e.draw);
    return {};
}

IconImage DrawCursor(uint32_t id) {
    for (const auto& e : CursorTable())
        if (e.design.id == id) {
            IconImage image = Render(32, 1.0, e.draw);
            image.hotX = e.hotX;
            image.hotY = e.hotY;
            return image;
        }
    return {};
}
