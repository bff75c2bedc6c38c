// The bitmap manifest: its format, its frame layouts, that it covers every id the game's
// sources load, and that the pack the build wrote matches it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>

#include "assets/Manifest.h"
#include "assets/SourceScan.h"
#include "engine/ResourcePack.h"

namespace {

const std::string kRoot = VEXLA_SOURCE_DIR;

const Manifest& TheManifest() {
    static Manifest m;
    static bool loaded = false;
    if (!loaded) {
        std::string error;
        loaded = LoadManifest(kRoot + "/assets/manifest.txt", m, error);
        EXPECT_TRUE(loaded) << error;
    }
    return m;
}

ManifestEntry Parsed(const std::string& line) {
    Manifest m;
    std::string error;
    EXPECT_TRUE(ParseManifest(line, m, error)) << error;
    return m.entries.empty() ? ManifestEntry{} : m.entries[0];
}

std::string ParseError(const std::string& text) {
    Manifest m;
    std::string error;
    EXPECT_FALSE(ParseManifest(text, m, error)) << text;
    return error;
}

TEST(AssetManifest, ParsesALineIntoItsFields) {
    ManifestEntry e = Parsed("# comment\n\n193 | 576 x 224 | 24 | grid 2x6 | tools panel: hint | a lamp\n");
    EXPECT_EQ(e.id, 193u);
    EXPECT_EQ(e.width, 576);
    EXPECT_EQ(e.height, 224);
    EXPECT_EQ(e.bits, 24);
    EXPECT_EQ(e.layout.kind, FrameLayout::Kind::Grid);
    EXPECT_EQ(e.layout.rows, 2);
    EXPECT_EQ(e.layout.columns, 6);
    EXPECT_FALSE(e.layout.masked);
    EXPECT_EQ(e.usedBy, "tools panel: hint");
    EXPECT_EQ(e.shows, "a lamp");
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(FrameWidth(e), 96);
    EXPECT_EQ(FrameHeight(e), 112);
}

TEST(AssetManifest, StripsMasksAndRangesAreUnderstood) {
    ManifestEntry strip = Parsed("103 | 24x72 | 24 | strip 3 | x | y");
    EXPECT_EQ(strip.layout.kind, FrameLayout::Kind::Strip);
    EXPECT_EQ(strip.layout.rows, 3);
    EXPECT_EQ(FrameHeight(strip), 24);

    ManifestEntry masked = Parsed("9 | 200x120 | 24 | grid 3x4 masked | x | y");
    EXPECT_TRUE(masked.layout.masked);
    EXPECT_EQ(FrameWidth(masked), 50);
    EXPECT_EQ(FrameHeight(masked), 20);  // 3 picture bands and 3 mask bands

    ManifestEntry zones = Parsed("579 | 30x501 | 24 | zones 25/117/25 | x | y");
    EXPECT_EQ(zones.layout.kind, FrameLayout::Kind::Zones);
    EXPECT_EQ(zones.layout.zones, (std::vector<int>{25, 117, 25}));
    EXPECT_EQ(zones.layout.rows, 3);
    EXPECT_EQ(FrameHeight(zones), 167);  // the control is as tall as its zones together
    // Zone by zone: the top zone's three pictures, then the middle's, then the bottom's.
    EXPECT_EQ(ZoneFrameTop(zones, 0, 2), 50);
    EXPECT_EQ(ZoneFrameTop(zones, 1, 0), 75);
    EXPECT_EQ(ZoneFrameTop(zones, 1, 2), 75 + 234);
    EXPECT_EQ(ZoneFrameTop(zones, 2, 1), 75 + 351 + 25);
    ManifestEntry disabled = Parsed("9 | 30x668 | 24 | zones 25/117/25 disabled | x | y");
    EXPECT_EQ(disabled.layout.rows, 4);
    EXPECT_EQ(ZoneFrameTop(disabled, 1, 0), 100);

    Manifest m;
    std::string error;
    ASSERT_TRUE(ParseManifest("1510-1515 | 150x132 | 24 | strip 3 | play screen | new game\n", m, error));
    ASSERT_EQ(m.entries.size(), 6u);
    EXPECT_EQ(m.entries.front().id, 1510u);
    EXPECT_EQ(m.entries.back().id, 1515u);
    EXPECT_NE(m.Find(1512), nullptr);
    EXPECT_EQ(m.Find(1516), nullptr);
}

TEST(AssetManifest, MalformedLinesAreRefusedWithTheirLineNumber) {
    EXPECT_NE(ParseError("\n111 | 392x440 | 24 | single | menu\n").find("line 2"), std::string::npos);
    ParseError("111 | 392 by 440 | 24 | single | a | b");
    ParseError("111 | 392x440 | 16 | single | a | b");
    ParseError("111 | 392x440 | 24 | strip 1 | a | b");
    ParseError("111 | 392x440 | 24 | spiral | a | b");
    ParseError("579 | 30x501 | 24 | zones 25/117 | a | b");
    ParseError("579 | 30x501 | 24 | zones 25/0/25 | a | b");
    ParseError("579 | 30x501 | 24 | zones 25/117/25 greyed | a | b");
    ParseError("111 | 392x440 | 24 | single |  | b");
    ParseError("3000 | 532x532 | 24 | labels | a | b");
    ParseError("20-10 | 5x5 | 24 | single | a | b");
    EXPECT_NE(ParseError("7 | 5x5 | 24 | single | a | b\n7 | 5x5 | 24 | single | a | b").find("twice"),
              std::string::npos);
}

TEST(AssetManifest, LayoutFitsOnlyWhenTheSizeDividesIntoFrames) {
    std::string why;
    EXPECT_TRUE(LayoutFits(Parsed("1 | 24x72 | 24 | strip 3 | a | b"), why));
    EXPECT_FALSE(LayoutFits(Parsed("1 | 24x73 | 24 | strip 3 | a | b"), why));
    EXPECT_NE(why.find("3 bands"), std::string::npos);
    EXPECT_FALSE(LayoutFits(Parsed("1 | 501x224 | 24 | grid 2x5 | a | b"), why));
    EXPECT_NE(why.find("5 columns"), std::string::npos);
    EXPECT_TRUE(LayoutFits(Parsed("1 | 200x120 | 24 | grid 3x4 masked | a | b"), why));
    EXPECT_FALSE(LayoutFits(Parsed("1 | 200x100 | 24 | grid 3x4 masked | a | b"), why));  // 6 bands
    EXPECT_TRUE(LayoutFits(Parsed("1 | 30x501 | 24 | zones 25/117/25 | a | b"), why));
    EXPECT_FALSE(LayoutFits(Parsed("1 | 30x504 | 24 | zones 25/117/25 | a | b"), why));  // 3 bands of 168
    EXPECT_NE(why.find("zones"), std::string::npos);
}

TEST(AssetManifest, EveryBitmapDividesIntoItsFrameLayout) {
    const Manifest& m = TheManifest();
    ASSERT_FALSE(m.entries.empty());
    for (const ManifestEntry& e : m.entries) {
        std::string why;
        EXPECT_TRUE(LayoutFits(e, why)) << "bitmap " << e.id << " (manifest line " << e.line << "): " << why;
    }
}

// The ids the screens load, with the facts the program relies on: button strips of three
// frames, the tools' two frame rows, the sizes the layouts leave room for.
TEST(AssetManifest, BitmapsKeepTheShapesTheirWindowsExpect) {
    const Manifest& m = TheManifest();
    auto get = [&](uint32_t id) {
        const ManifestEntry* e = m.Find(id);
        EXPECT_NE(e, nullptr) << "bitmap " << id << " is missing";
        return e ? *e : ManifestEntry{};
    };
    for (uint32_t id : {103u, 112u}) {
        ManifestEntry e = get(id);
        EXPECT_EQ(e.layout.rows, 3) << id;
        EXPECT_LE(FrameWidth(e), 28) << "the play screen leaves 28 pixels for the minimise button";
    }
    ManifestEntry board = get(114);
    EXPECT_EQ(board.width, 50);
    EXPECT_EQ(board.height, 50);
    EXPECT_EQ(board.bits, 8) << "the board looks the texture up in its palette";
    ManifestEntry tile = get(194);
    EXPECT_EQ(tile.width, 136);
    EXPECT_EQ(tile.height, 190);
    ManifestEntry timer = get(442);
    EXPECT_EQ(timer.width, 126);
    EXPECT_EQ(timer.height, 39);
    EXPECT_EQ(get(409).layout.rows, 2);
    for (uint32_t id = 300; id < 316; ++id) {
        if (id == 306) id = 310;
        ManifestEntry e = get(id);
        EXPECT_LE(e.width, 29) << "box buttons stand 29 pixels from the right edge";
        EXPECT_EQ(e.layout.rows, 3);
        EXPECT_LE(FrameHeight(e), 64) << "box buttons stand 64 pixels apart";
    }
    for (uint32_t id = 1510; id < 1516; ++id) EXPECT_EQ(get(id).layout.rows, 3);
    const struct {
        uint32_t id;
        int columns;
    } tools[] = {{213, 5}, {188, 5}, {193, 6}, {190, 5}, {189, 5}};
    for (const auto& t : tools) {
        ManifestEntry e = get(t.id);
        EXPECT_EQ(e.layout.rows, 2) << t.id;
        EXPECT_EQ(e.layout.columns, t.columns) << t.id;
        EXPECT_LE(FrameWidth(e), 133) << "tools sit inside the 136-pixel panel";
    }
    for (uint32_t id = 3000; id < 3006; ++id) {
        ManifestEntry e = get(id);
        EXPECT_EQ(e.layout.kind, FrameLayout::Kind::Labels);
        EXPECT_EQ(e.width, 532);
        EXPECT_EQ(e.height, 532);
        EXPECT_EQ(e.bits, 8);
    }
    // The main menu background holds its children: the close button's right edge and the
    // exit animation's foot.
    ManifestEntry menu = get(111);
    EXPECT_GE(menu.width, 327 + FrameWidth(get(103)));
    EXPECT_GE(menu.height, 351 + 60);
}

TEST(AssetManifest, ScannerResolvesLiteralsConstantsArraysAndLanguageRuns) {
    std::vector<SourceFile> files = {
        {"a.h",
         "constexpr UINT kBackgroundId = 111;\nenum { kTimerBack = 442, kOther = 7 };\n"
         "constexpr uint32_t kToolIds[5] = {213, 188, 193, 190, 189};\n"},
        {"b.cpp",
         "void F() {\n  image.LoadById(103);\n  App.Background->LoadById(kBackgroundId);\n"
         "  // image.LoadById(999);\n  timer.LoadById(static_cast<uint32_t>(kTimerBack));\n"
         "  tools[i].LoadById(kToolIds[i]);\n  button.LoadById(1510 + App.LanguageIndex);\n"
         "  box[i].LoadById(kBoxBase + i);\n  x.LoadById(SomeFunction());\n}\n"
         "bool DibImage::LoadById(uint32_t id) { return true; }\n"},
    };
    ScanResult r = ScanPackIds(files);
    std::set<uint32_t> ids;
    for (const auto& u : r.uses) ids.insert(u.id);
    std::set<uint32_t> expected = {103, 111, 442, 213, 188, 193, 190, 189, 1510, 1511, 1512, 1513, 1514, 1515};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(r.uses.front().where, "b.cpp:2");
    // kBoxBase is not defined anywhere and SomeFunction() is not a constant.
    ASSERT_EQ(r.unresolved.size(), 2u);
    EXPECT_NE(r.unresolved[0].find("kBoxBase + i"), std::string::npos);
    EXPECT_NE(r.unresolved[1].find("b.cpp:9"), std::string::npos);
}

TEST(AssetManifest, EveryIdTheGameLoadsIsInTheManifest) {
    std::vector<SourceFile> files =
        ReadSources(kRoot, {"engine", "gfx", "platform", "controls", "board", "dialogs", "app"});
    ASSERT_FALSE(files.empty());
    ScanResult r = ScanPackIds(files);
    const Manifest& m = TheManifest();
    for (const PackIdUse& use : r.uses)
        EXPECT_NE(m.Find(use.id), nullptr)
            << use.where << " loads bitmap " << use.id << ", which assets/manifest.txt does not list";
    for (const std::string& u : r.unresolved) std::printf("note: cannot tell which bitmap %s loads\n", u.c_str());
}

// The pack the build wrote holds every manifest bitmap, readable by the game's own pack
// reader, with the manifest's size and depth.
TEST(AssetManifest, BuiltPackMatchesTheManifest) {
    const std::string path = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
    ResourcePack pack;
    if (!std::ifstream(path)) GTEST_SKIP() << "no pack at " << path << " yet";
    ASSERT_TRUE(pack.Open(path.c_str())) << path;
    const Manifest& m = TheManifest();
    EXPECT_EQ(pack.Count(), m.entries.size());
    for (const ManifestEntry& e : m.entries) {
        auto dib = pack.Read(e.id);
        ASSERT_TRUE(dib) << "bitmap " << e.id << " is not in the pack";
        EXPECT_EQ(dib->header.biWidth, e.width) << e.id;
        EXPECT_EQ(dib->header.biHeight, e.height) << e.id;
        EXPECT_EQ(dib->header.biBitCount, e.bits) << e.id;
        if (e.bits == 8) {
            EXPECT_GT(dib->header.biClrUsed, 0u) << e.id;
        }
    }
}

// Tiles repeat without a visible seam: the step across the wrap-around is no larger than
// the ordinary step between neighbouring pixels.
double Luma(const PackedDib& dib, int x, int y) {
    const BitmapInfoHeader& h = dib.header;
    const uint8_t* row = dib.Pixels() + static_cast<size_t>(h.biHeight - 1 - y) * DibRowBytes(h.biWidth, h.biBitCount);
    uint8_t b, g, r;
    if (h.biBitCount == 8) {
        const RgbQuad& q = dib.palette[row[x]];
        b = q.rgbBlue, g = q.rgbGreen, r = q.rgbRed;
    } else {
        b = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
    }
    return 0.3 * r + 0.59 * g + 0.11 * b;
}

TEST(AssetManifest, TilesRepeatWithoutASeam) {
    const std::string path = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
    ResourcePack pack;
    if (!std::ifstream(path)) GTEST_SKIP() << "no pack at " << path << " yet";
    ASSERT_TRUE(pack.Open(path.c_str())) << path;
    // The board texture repeats both ways.
    auto board = pack.Read(114);
    ASSERT_TRUE(board);
    const int w = board->header.biWidth, h = board->header.biHeight;
    double inside = 0, wrapX = 0, wrapY = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x + 1 < w; ++x) inside += std::abs(Luma(*board, x, y) - Luma(*board, x + 1, y));
        wrapX += std::abs(Luma(*board, w - 1, y) - Luma(*board, 0, y));
    }
    for (int x = 0; x < w; ++x) wrapY += std::abs(Luma(*board, x, h - 1) - Luma(*board, x, 0));
    inside /= (w - 1) * h;
    EXPECT_LT(wrapX / h, inside * 1.6) << "the board texture shows a seam between its right and left edges";
    EXPECT_LT(wrapY / w, inside * 1.6) << "the board texture shows a seam between its bottom and top edges";
    // The tools panel's tile repeats downwards every 190 rows.
    auto tile = pack.Read(194);
    ASSERT_TRUE(tile);
    const int tw = tile->header.biWidth, th = tile->header.biHeight;
    double rows = 0, wrap = 0;
    for (int x = 0; x < tw; ++x) {
        for (int y = 0; y + 1 < th; ++y) rows += std::abs(Luma(*tile, x, y) - Luma(*tile, x, y + 1));
        wrap += std::abs(Luma(*tile, x, th - 1) - Luma(*tile, x, 0));
    }
    EXPECT_LT(wrap / tw, rows / (tw * (th - 1)) * 1.6) << "the tools panel tile shows a seam every 190 rows";
    // The options bar and panel repeat their tile across every 103 columns.
    auto options = pack.Read(199);
    ASSERT_TRUE(options);
    const int ow = options->header.biWidth, oh = options->header.biHeight;
    double columns = 0, across = 0;
    for (int y = 0; y < oh; ++y) {
        for (int x = 0; x + 1 < ow; ++x) columns += std::abs(Luma(*options, x, y) - Luma(*options, x + 1, y));
        across += std::abs(Luma(*options, ow - 1, y) - Luma(*options, 0, y));
    }
    EXPECT_LT(across / oh, columns / ((ow - 1) * oh) * 1.6) << "the options tile shows a seam every 103 columns";
}

}  // namespace
