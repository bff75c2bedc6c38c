// The dialogs' art on the pack the build wrote: every child and text the windows place lies
// on their background, children are drawn over the very patch of background they cover,
// the titles and pictures that windows copy over their backgrounds join them without a
// seam, and the language variants carry their own words.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "assets/Manifest.h"
#include "engine/ResourcePack.h"

namespace {

struct Rgb3 {
    double r, g, b;
};

class DialogArt : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadManifest(std::string(VEXLA_SOURCE_DIR) + "/assets/manifest.txt", manifest_, error)) << error;
        const std::string path = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
        if (!std::ifstream(path)) GTEST_SKIP() << "no pack at " << path << " yet";
        ASSERT_TRUE(pack_.Open(path.c_str())) << path;
    }

    ManifestEntry Entry(uint32_t id) {
        const ManifestEntry* e = manifest_.Find(id);
        EXPECT_NE(e, nullptr) << "bitmap " << id << " is not in the manifest";
        return e ? *e : ManifestEntry{};
    }

    std::unique_ptr<PackedDib, PackedDibDeleter> Load(uint32_t id) {
        auto dib = pack_.Read(id);
        EXPECT_TRUE(dib) << id;
        return dib;
    }

    static Rgb3 At(const PackedDib& dib, int x, int y) {
        const BitmapInfoHeader& h = dib.header;
        const uint8_t* row =
            dib.Pixels() + static_cast<size_t>(h.biHeight - 1 - y) * DibRowBytes(h.biWidth, h.biBitCount);
        return {double(row[x * 3 + 2]), double(row[x * 3 + 1]), double(row[x * 3])};
    }

    static double Difference(Rgb3 p, Rgb3 q) {
        return (std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b)) / 3;
    }

    // Mean difference over a `ring` pixels wide rim of a w x h area, between (ax, ay) of one
    // bitmap and (bx, by) of another.
    static double
    RimDifference(const PackedDib& a, int ax, int ay, const PackedDib& b, int bx, int by, int w, int h, int ring) {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= ring && y >= ring && x < w - ring && y < h - ring) continue;
                sum += Difference(At(a, ax + x, ay + y), At(b, bx + x, by + y));
                ++n;
            }
        return sum / n;
    }

    static double AreaDifference(const PackedDib& a, int ax, int ay, const PackedDib& b, int bx, int by, int w, int h) {
        double sum = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) sum += Difference(At(a, ax + x, ay + y), At(b, bx + x, by + y));
        return sum / (double(w) * h);
    }

    Manifest manifest_;
    ResourcePack pack_;
};

// A child (a control's frame) or a text area placed on a window's background.
struct Placement {
    uint32_t background;
    uint32_t child;  // 0 for a text area of the given size
    int x, y, w, h;  // w, h used for text areas only
    const char* what;
};

// Where the windows put their children and texts, and the widths their longest texts need.
const Placement kPlacements[] = {
    {158, 151, 194, 204, 0, 0, "message: OK"},
    {158, 153, 331, 201, 0, 0, "message: Cancel"},
    {158, 0, 181, 40, 210, 134, "message: question text"},
    {158, 0, 169, 119, 225, 24, "message: edit field"},
    {445, 444, 289, 207, 0, 0, "statistics: OK"},
    {445, 0, 151, 59, 320, 100, "statistics: three lines of figures, the longest language"},
    {700, 5000, 288, 362, 0, 0, "honour: erase"},
    {700, 6789, 492, 338, 0, 0, "honour: close"},
    {700, 0, 30, 63, 470, 250, "honour: ten rows from the place to the end of the score"},
    {327, 328, 148, 150, 0, 0, "congratulation: close"},
    {1640, 0, 197, 29, 95, 93, "language panel: six names"},
    {1641, 2000, 6, 10, 0, 0, "language window: Spanish"},
    {1641, 2005, 6, 210, 0, 0, "language window: German"},
    {412, 413, 505, 320, 0, 0, "product page: play"},
    {412, 414, 538, 320, 0, 0, "product page: stop"},
    {412, 0, 48, 188, 217, 264, "product page: description"},
    {412, 0, 364, 158, 222, 162, "product page: clip"},
};

// Windows sized to their bitmap without room for the dialog frame lose this much of the
// bitmap on the right and at the bottom.
int HiddenByFrame(uint32_t background) { return background == 700 ? 6 : 0; }

TEST_F(DialogArt, ChildrenAndTextsLieOnTheirBackground) {
    for (const Placement& p : kPlacements) {
        ManifestEntry bg = Entry(p.background);
        int w = p.w, h = p.h;
        if (p.child) {
            ManifestEntry child = Entry(p.child);
            w = FrameWidth(child);
            h = FrameHeight(child);
        }
        const int margin = HiddenByFrame(p.background);
        EXPECT_LE(p.x + w, bg.width - margin) << p.what;
        EXPECT_LE(p.y + h, bg.height - margin) << p.what;
    }
    // Titles are copied from their own (0, 0) with a fixed size; the about page draws 640 x 480.
    EXPECT_GE(Entry(1591).width, 209);
    EXPECT_GE(Entry(1591).height, 57);
    EXPECT_GE(Entry(1700).width, 243);
    EXPECT_GE(Entry(1700).height, 54);
    for (uint32_t id = 600; id <= 603; ++id) {
        EXPECT_GE(Entry(id).width, 266);
        EXPECT_GE(Entry(id).height, 174);
    }
    EXPECT_EQ(Entry(412).width, 640);
    EXPECT_EQ(Entry(412).height, 480);
    EXPECT_EQ(Entry(410).width, 640);
    EXPECT_EQ(Entry(410).height, 480);
}

TEST_F(DialogArt, ChildrenAreDrawnOverThePatchTheyCover) {
    for (const Placement& p : kPlacements) {
        if (!p.child) continue;
        ManifestEntry child = Entry(p.child);
        auto bg = Load(p.background), img = Load(p.child);
        ASSERT_TRUE(bg && img);
        const int fw = FrameWidth(child), fh = FrameHeight(child);
        for (int f = 0; f < child.layout.FrameCount(); ++f) {
            int fx = (f % child.layout.columns) * fw, fy = (f / child.layout.columns) * fh;
            // The rim is where the background shows around the control's face.
            EXPECT_LT(RimDifference(*img, fx, fy, *bg, p.x, p.y, fw, fh, 1), 12.0) << p.what << ", frame " << f;
        }
    }
}

TEST_F(DialogArt, CopiedTitlesAndPicturesJoinTheirBackgroundWithoutASeam) {
    const struct {
        uint32_t first, last, background;
        int x, y;
    } titles[] = {{1591, 1595, 158, 0, 0}, {1700, 1705, 445, 17, 4}, {600, 603, 412, 1, 0}};
    for (const auto& t : titles) {
        auto bg = Load(t.background);
        ASSERT_TRUE(bg);
        for (uint32_t id = t.first; id <= t.last; ++id) {
            ManifestEntry e = Entry(id);
            auto title = Load(id);
            ASSERT_TRUE(title);
            EXPECT_EQ(RimDifference(*title, 0, 0, *bg, t.x, t.y, e.width, e.height, 3), 0.0)
                << id << " shows a seam where it is copied onto " << t.background;
            EXPECT_GT(AreaDifference(*title, 0, 0, *bg, t.x, t.y, e.width, e.height), 3.0)
                << id << " adds nothing to " << t.background;
        }
    }
}

TEST_F(DialogArt, LanguageAndProductVariantsDiffer) {
    const struct { uint32_t first, count; } runs[] = {{1700, 6}, {2000, 6}, {600, 4}};
    for (const auto& run : runs)
        for (uint32_t a = run.first; a < run.first + run.count; ++a)
            for (uint32_t b = a + 1; b < run.first + run.count; ++b) {
                ManifestEntry e = Entry(a);
                auto da = Load(a), db = Load(b);
                ASSERT_TRUE(da && db);
                EXPECT_GT(AreaDifference(*da, 0, 0, *db, 0, 0, e.width, e.height), 1.0) << a << " vs " << b;
            }
}

}  // namespace
