#include "assets/ContactSheet.h"

#include "assets/ArtKit.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

bool WriteContactSheet(const std::vector<std::pair<uint32_t, Bitmap>>& bitmaps, const std::string& path) {
    const int sheetW = 1800, pad = 14, label = 18, maxCell = 420;
    // Flow layout: place cells left to right, wrapping; cells keep their bitmap's size,
    // scaled down only when larger than maxCell.
    struct Cell {
        double x, y, w, h, scale;
    };
    std::vector<Cell> cells;
    double x = pad, y = pad, rowH = 0;
    for (const auto& [id, bmp] : bitmaps) {
        double scale = std::min(1.0, double(maxCell) / std::max(bmp.width, bmp.height));
        double w = std::ceil(bmp.width * scale), h = std::ceil(bmp.height * scale);
        double cw = std::max(w, 70.0);
        if (x + cw > sheetW - pad) {
            x = pad;
            y += rowH + label + pad;
            rowH = 0;
        }
        cells.push_back({x, y, w, h, scale});
        x += cw + pad;
        rowH = std::max(rowH, h);
    }
    int sheetH = static_cast<int>(y + rowH + label + pad);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetW, sheetH);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_rgb(cr, 0.18, 0.17, 0.16);
    cairo_paint(cr);
    cairo_select_font_face(cr, "Comic Neue", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 12);
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const Bitmap& bmp = bitmaps[i].second;
        const Cell& c = cells[i];
        cairo_surface_t* s = art::SurfaceFromBitmap(bmp);
        cairo_save(cr);
        cairo_translate(cr, c.x, c.y);
        cairo_scale(cr, c.scale, c.scale);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), c.scale < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
        cairo_rectangle(cr, c.x - 0.5, c.y - 0.5, c.w + 1, c.h + 1);
        cairo_set_source_rgb(cr, 0.35, 0.33, 0.3);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        std::string text = std::to_string(bitmaps[i].first) + "  " + std::to_string(bmp.width) + "x" +
                           std::to_string(bmp.height) + (bmp.bits == 8 ? " 8b" : "");
        cairo_move_to(cr, c.x, c.y + c.h + 14);
        cairo_set_source_rgb(cr, 0.95, 0.9, 0.78);
        cairo_show_text(cr, text.c_str());
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}
