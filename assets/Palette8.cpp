#include "assets/Palette8.h"

#include <cmath>

namespace art {

std::vector<RgbQuad> GradientPalette(const std::vector<Rgb>& stops, int n) {
    std::vector<RgbQuad> pal(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double t = double(i) / (n - 1) * (stops.size() - 1);
        size_t k = std::min(stops.size() - 2, static_cast<size_t>(t));
        Rgb c = Mix(stops[k], stops[k + 1], t - k);
        pal[i] = RgbQuad{static_cast<uint8_t>(std::lround(c.b * 255)), static_cast<uint8_t>(std::lround(c.g * 255)),
                         static_cast<uint8_t>(std::lround(c.r * 255)), 0};
    }
    return pal;
}

Bitmap ToneBitmap(int width, int height, const std::vector<RgbQuad>& palette, double (*tone)(int, int)) {
    Bitmap bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bits = 8;
    bmp.palette = palette;
    bmp.pixels.resize(static_cast<size_t>(width) * height);
    int n = static_cast<int>(palette.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double t = tone(x, y);
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            bmp.Row(y)[x] = static_cast<uint8_t>(std::lround(t * (n - 1)));
        }
    return bmp;
}

}  // namespace art
