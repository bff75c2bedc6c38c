// Fitting pictures to the screen (the wallpaper) and onto a printed page: which side limits,
// truncation of the other, top-down pictures, sizes near the 32-bit limits, and empty input.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/PictureFit.h"

namespace {

struct FitCase {
    Point picture;
    Point area;
    Point expected;
};

TEST(PictureFit, FitsTheLimitingSideAndTruncatesTheOther) {
    const FitCase cases[] = {
        {{800, 600}, {1024, 768}, {1024, 768}},    // same proportions: the whole screen
        {{600, 800}, {1024, 768}, {576, 768}},     // portrait: the height limits
        {{600, -800}, {1024, 768}, {576, 768}},    // top-down: by its real height
        {{1024, 768}, {1024, 768}, {1024, 768}},   // already the screen's size
        {{640, 480}, {1920, 1080}, {1440, 1080}},  // a wide screen: the height limits
        {{1000, 333}, {1024, 768}, {1024, 340}},   // 340.992 truncated
        {{5000, 1}, {1024, 768}, {1024, 1}},       // 0.2048 rows: still one row
        {{INT32_MAX, 1}, {1024, 768}, {1024, 1}},  // no overflow in the comparison
        {{1, INT32_MIN}, {1024, 768}, {1, 768}},   // the most negative height has a size too
        {{0, 600}, {1024, 768}, {0, 0}},           // no picture
        {{800, 0}, {1024, 768}, {0, 0}},           // no rows
        {{800, 600}, {0, 768}, {0, 0}},            // no screen
    };
    for (const FitCase& c : cases) {
        const Point fitted = FitKeepingProportions(c.picture, c.area);
        EXPECT_EQ(fitted, c.expected) << c.picture.x << " x " << c.picture.y << " into " << c.area.x << " x "
                                      << c.area.y << " gave " << fitted.x << " x " << fitted.y;
    }
}

struct PageCase {
    Point picture;
    Point page;
    Rect expected;
};

TEST(PictureFit, PrintedPictureFillsFourFifthsOfThePageCentred) {
    const PageCase cases[] = {
        // A4 at 300 dpi (2479 x 3508): four fifths are 1983 x 2806.
        {{400, 300}, {2479, 3508}, {248, 1010, 1983, 1487}},
        {{300, 400}, {3508, 2479}, {1010, 248, 1487, 1983}},  // landscape page
        {{100, 100}, {1000, 500}, {300, 50, 400, 400}},
        {{100, -50}, {1000, 1000}, {100, 300, 800, 400}},  // top-down picture
        {{0, 100}, {2479, 3508}, {}},
        {{400, 300}, {0, 3508}, {}},
        {{400, 300}, {1, 1}, {}},  // four fifths of one pixel is none
    };
    for (const PageCase& c : cases) {
        const Rect placed = PlaceOnPrintedPage(c.picture, c.page);
        EXPECT_EQ(placed, c.expected) << c.picture.x << " x " << c.picture.y << " on " << c.page.x << " x " << c.page.y
                                      << " gave " << placed.x << ", " << placed.y << ", " << placed.width << " x "
                                      << placed.height;
    }
}

}  // namespace
