// What the art promises, checked on the pack the build wrote: button states that tell
// apart at a glance, animations that move, language variants that differ, and real
// pictures rather than flat fills.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "assets/Manifest.h"
#include "engine/ResourcePack.h"

namespace {

struct Rgb3 {
    double r, g, b;
};

class PackArt : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadManifest(std::string(VEXLA_SOURCE_DIR) + "/assets/manifest.txt", manifest_, error)) << error;
        const std::string path = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
        if (!std::ifstream(path)) GTEST_SKIP() << "no pack at " << path << " yet";
        ASSERT_TRUE(pack_.Open(path.c_str())) << path;
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
        if (h.biBitCount == 8) {
            const RgbQuad& q = dib.palette[row[x]];
            return {double(q.rgbRed), double(q.rgbGreen), double(q.rgbBlue)};
        }
        return {double(row[x * 3 + 2]), double(row[x * 3 + 1]), double(row[x * 3])};
    }

    // Mean difference per channel between frames a and b of a bitmap laid out as `e` says.
    double FrameDifference(const PackedDib& dib, const ManifestEntry& e, int a, int b) {
        const int fw = FrameWidth(e), fh = FrameHeight(e), cols = e.layout.columns;
        double sum = 0;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                Rgb3 p = At(dib, (a % cols) * fw + x, (a / cols) * fh + y);
                Rgb3 q = At(dib, (b % cols) * fw + x, (b / cols) * fh + y);
                sum += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
            }
        return sum / (3.0 * fw * fh);
    }

    static double Saturation(Rgb3 c) {
        double hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b});
        return hi - lo;
    }

    Manifest manifest_;
    ResourcePack pack_;
};

TEST_F(PackArt, ButtonStatesAreDistinguishable) {
    for (const ManifestEntry& e : manifest_.entries) {
        if (e.layout.kind != FrameLayout::Kind::Strip) continue;
        auto dib = Load(e.id);
        ASSERT_TRUE(dib);
        for (int a = 0; a < e.layout.rows; ++a)
            for (int b = a + 1; b < e.layout.rows; ++b)
                EXPECT_GT(FrameDifference(*dib, e, a, b), 2.0)
                    << "bitmap " << e.id << ": frames " << a << " and " << b << " look the same";
    }
}

TEST_F(PackArt, AnimationsMove) {
    for (const ManifestEntry& e : manifest_.entries) {
        if (e.layout.kind != FrameLayout::Kind::Grid || e.layout.FrameCount() < 2) continue;
        auto dib = Load(e.id);
        ASSERT_TRUE(dib);
        int moving = 0;
        for (int f = 1; f < e.layout.FrameCount(); ++f) moving += FrameDifference(*dib, e, f - 1, f) > 0.3;
        // Some sheets hold a pose for a frame or two; most steps change the picture.
        EXPECT_GE(moving * 2, e.layout.FrameCount() - 1) << "bitmap " << e.id << " barely moves";
    }
}

TEST_F(PackArt, SpentHintFadesToAGreyDisabledLook) {
    const ManifestEntry* e = manifest_.Find(193);
    ASSERT_NE(e, nullptr);
    auto dib = Load(193);
    ASSERT_TRUE(dib);
    const int fw = FrameWidth(*e), fh = FrameHeight(*e), cols = e->layout.columns;
    auto frameSaturation = [&](int f) {
        double s = 0;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) s += Saturation(At(*dib, (f % cols) * fw + x, (f / cols) * fh + y));
        return s / (fw * fh);
    };
    // The paper behind is the same in every frame; the bulb loses its colour.
    EXPECT_GT(frameSaturation(1), frameSaturation(4));
    EXPECT_GT(frameSaturation(4), frameSaturation(11));
}

TEST_F(PackArt, LanguageVariantsCarryDifferentTexts) {
    for (uint32_t base : {1510u, 1620u})
        for (uint32_t a = 0; a < 6; ++a)
            for (uint32_t b = a + 1; b < 6; ++b) {
                const ManifestEntry* e = manifest_.Find(base + a);
                ASSERT_NE(e, nullptr);
                auto da = Load(base + a), db = Load(base + b);
                ASSERT_TRUE(da && db);
                double diff = 0;
                for (int y = 0; y < e->height; ++y)
                    for (int x = 0; x < e->width; ++x) {
                        Rgb3 p = At(*da, x, y), q = At(*db, x, y);
                        diff += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
                    }
                EXPECT_GT(diff / (3.0 * e->width * e->height), 0.3) << base + a << " vs " << base + b;
            }
}

TEST_F(PackArt, PicturesAreNotFlatFillsOrPlaceholderMagenta) {
    for (const ManifestEntry& e : manifest_.entries) {
        if (e.layout.kind == FrameLayout::Kind::Labels) continue;
        auto dib = Load(e.id);
        ASSERT_TRUE(dib);
        double sum = 0, sumSq = 0;
        int magenta = 0;
        for (int y = 0; y < e.height; ++y)
            for (int x = 0; x < e.width; ++x) {
                Rgb3 c = At(*dib, x, y);
                double l = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
                sum += l;
                sumSq += l * l;
                magenta += c.r > 240 && c.b > 240 && c.g < 20;
            }
        double n = double(e.width) * e.height;
        double spread = std::sqrt(std::max(0.0, sumSq / n - (sum / n) * (sum / n)));
        EXPECT_GT(spread, 4.0) << "bitmap " << e.id << " is a flat fill";
        EXPECT_EQ(magenta, 0) << "bitmap " << e.id << " holds placeholder magenta";
    }
}

}  // namespace
