// What the art promises, checked on the pack the build wrote: button states that tell
// apart at a glance, animations that move, language variants that differ, and real
// pictures rather than flat fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <vector>

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

    // Mean difference per channel between the w x h areas at (ax, ay) and (bx, by).
    static double AreaDifference(const PackedDib& dib, int ax, int ay, int bx, int by, int w, int h) {
        double sum = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb3 p = At(dib, ax + x, ay + y);
                Rgb3 q = At(dib, bx + x, by + y);
                sum += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
            }
        return sum / (3.0 * w * h);
    }

    // Mean difference per channel between frames a and b of a bitmap laid out as `e` says
    // (in a masked sheet, between their pictures).
    static double FrameDifference(const PackedDib& dib, const ManifestEntry& e, int a, int b) {
        const int fw = FrameWidth(e), fh = FrameHeight(e), cols = e.layout.columns;
        const int band = fh * e.layout.BandsPerRow();
        return AreaDifference(dib, (a % cols) * fw, (a / cols) * band, (b % cols) * fw, (b / cols) * band, fw, fh);
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

TEST_F(PackArt, ScrollerZonesShowTheirStates) {
    for (const ManifestEntry& e : manifest_.entries) {
        if (e.layout.kind != FrameLayout::Kind::Zones) continue;
        auto dib = Load(e.id);
        ASSERT_TRUE(dib);
        for (int zone = 0; zone < 3; ++zone)
            for (int a = 0; a < e.layout.rows; ++a)
                for (int b = a + 1; b < e.layout.rows; ++b)
                    EXPECT_GT(AreaDifference(*dib, 0, ZoneFrameTop(e, zone, a), 0, ZoneFrameTop(e, zone, b), e.width,
                                             e.layout.zones[static_cast<size_t>(zone)]),
                              2.0)
                        << "bitmap " << e.id << ", zone " << zone << ": pictures " << a << " and " << b
                        << " look the same";
    }
}

// A masked sheet is drawn with AND (mask) and XOR (picture): the mask must be black or white,
// and the picture black wherever the mask is white, or the background shows through wrong.
TEST_F(PackArt, MaskedSheetsAreBlackWhereTransparent) {
    int sheets = 0;
    for (const ManifestEntry& e : manifest_.entries) {
        if (!e.layout.masked) continue;
        ++sheets;
        auto dib = Load(e.id);
        ASSERT_TRUE(dib);
        const int fw = FrameWidth(e), fh = FrameHeight(e);
        for (int f = 0; f < e.layout.FrameCount(); ++f) {
            const int fx = (f % e.layout.columns) * fw, fy = (f / e.layout.columns) * fh * 2;
            int opaque = 0, clear = 0, wrong = 0;
            for (int y = 0; y < fh; ++y)
                for (int x = 0; x < fw; ++x) {
                    const Rgb3 m = At(*dib, fx + x, fy + fh + y), p = At(*dib, fx + x, fy + y);
                    const bool black = m.r == 0 && m.g == 0 && m.b == 0;
                    const bool white = m.r == 255 && m.g == 255 && m.b == 255;
                    opaque += black;
                    clear += white;
                    wrong += !(black || white) || (white && (p.r || p.g || p.b));
                }
            EXPECT_EQ(wrong, 0) << "bitmap " << e.id << ", frame " << f;
            EXPECT_GT(opaque, 0) << "bitmap " << e.id << ", frame " << f << " shows nothing";
            EXPECT_GT(clear, 0) << "bitmap " << e.id << ", frame " << f << " hides the whole background";
        }
    }
    EXPECT_GT(sheets, 0);
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

// Six languages at base + language: as many different pictures as there are different words
// (Spanish, Portuguese and Italian say "Forma" alike, Spanish and Portuguese "Abrir").
TEST_F(PackArt, LanguageVariantsCarryTheirOwnTexts) {
    const struct {
        uint32_t base;
        int distinct;
    } runs[] = {{1510, 6}, {1620, 6}, {1520, 6}, {1530, 6}, {1540, 5}, {1550, 6},
                {2100, 6}, {2110, 6}, {2120, 6}, {2130, 4}, {2140, 6}};
    for (const auto& run : runs) {
        const ManifestEntry* e = manifest_.Find(run.base);
        ASSERT_NE(e, nullptr) << run.base;
        std::vector<std::unique_ptr<PackedDib, PackedDibDeleter>> dibs;
        for (uint32_t lang = 0; lang < 6; ++lang) {
            dibs.push_back(Load(run.base + lang));
            ASSERT_TRUE(dibs.back());
        }
        // The same word is drawn to the same pixels.
        auto same = [&](const PackedDib& a, const PackedDib& b) {
            return std::equal(a.Pixels(), a.Pixels() + a.header.biSizeImage, b.Pixels());
        };
        int distinct = 0;
        for (size_t a = 0; a < 6; ++a) {
            bool repeat = false;
            for (size_t b = 0; b < a; ++b) repeat = repeat || same(*dibs[a], *dibs[b]);
            distinct += !repeat;
        }
        EXPECT_EQ(distinct, run.distinct) << "languages of " << run.base;
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
