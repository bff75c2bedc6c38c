#include "engine/PictureFit.h"

#include <algorithm>

Point FitKeepingProportions(Point picture, Point area) {
    const int64_t width = picture.x;
    const int64_t height = picture.y < 0 ? -static_cast<int64_t>(picture.y) : picture.y;
    if (width < 1 || height < 1 || area.x < 1 || area.y < 1) return {};
    int64_t fittedWidth = 0;
    int64_t fittedHeight = 0;
    // height / width <= area height / area width, cross-multiplied: the width limits.
    if (height * area.x <= static_cast<int64_t>(area.y) * width) {
        fittedWidth = area.x;
        fittedHeight = height * area.x / width;
    } else {
        fittedHeight = area.y;
        fittedWidth = width * area.y / height;
    }
    return {static_cast<int32_t>(std::max<int64_t>(fittedWidth, 1)),
            static_cast<int32_t>(std::max<int64_t>(fittedHeight, 1))};
}

Rect PlaceOnPrintedPage(Point picture, Point page) {
    if (page.x < 1 || page.y < 1) return {};
    const Point available{
        static_cast<int32_t>(static_cast<int64_t>(page.x) * kPrintedShareNumerator / kPrintedShareDenominator),
        static_cast<int32_t>(static_cast<int64_t>(page.y) * kPrintedShareNumerator / kPrintedShareDenominator)};
    const Point printed = FitKeepingProportions(picture, available);
    if (printed.x == 0) return {};
    return {(page.x - printed.x) / 2, (page.y - printed.y) / 2, printed.x, printed.y};
}
