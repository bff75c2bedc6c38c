// The play screen's dialogs as their windows lay them out: every child the window places on
// a background lies inside it, the children shown together do not overlap, each control's
// bitmap has the frames its window expects, and (on the pack the build wrote) each child's
// bitmap starts as the patch of background it covers, so that it looks set into it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "assets/Manifest.h"
#include "engine/ResourcePack.h"

namespace {

struct Box {
    int x, y, w, h;
};

bool Overlap(const Box& a, const Box& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// A child of a dialog: a bitmap the window places at (x, y), or a window of a given size
// (id 0), on the dialog's pages (a bit per page; kAlways for the children shown on all).
struct Child {
    const char* name;
    uint32_t id;
    int x, y;
    int w = 0, h = 0;  // for windows without a bitmap
    unsigned pages = 0;
};

constexpr unsigned kAlways = 0xf;
constexpr unsigned Page(int n) { return 1u << n; }

struct Dialog {
    const char* name;
    uint32_t background;
    std::vector<Child> children;
};

const std::vector<Dialog>& Dialogs() {
    static const std::vector<Dialog> dialogs = {
        {"new-puzzle dialog",
         572,
         {
             {"title", 2141, 0, 0, 0, 0, kAlways},
             {"accept", 563, 317, 313, 0, 0, kAlways},
             {"cancel", 565, 456, 313, 0, 0, kAlways},
             {"view", 577, 219, 314, 0, 0, kAlways},
             {"help", 564, 111, 298, 0, 0, kAlways},
             {"picture tab", 2111, 10, 62, 0, 0, kAlways},
             {"shape tab", 2131, 148, 62, 0, 0, kAlways},
             {"size tab", 2121, 276, 62, 0, 0, kAlways},
             {"pieces tab", 2101, 410, 62, 0, 0, kAlways},
             {"category 0", 567, 37, 103, 0, 0, Page(0)},
             {"category 1", 571, 108, 103, 0, 0, Page(0)},
             {"category 2", 569, 179, 103, 0, 0, Page(0)},
             {"category 3", 570, 250, 103, 0, 0, Page(0)},
             {"category 4", 566, 321, 103, 0, 0, Page(0)},
             {"own pictures", 568, 392, 103, 0, 0, Page(0)},
             {"picture scroller", 578, 500, 146, 0, 0, Page(0)},
             {"preview box 0", 0, 17, 155, 117, 127, Page(0)},
             {"preview box 1", 0, 137, 155, 117, 127, Page(0)},
             {"preview box 2", 0, 257, 155, 117, 127, Page(0)},
             {"preview box 3", 0, 377, 155, 117, 127, Page(0)},
             {"folder browser", 0, 24, 155, 239, 127, 0},
             {"custom preview", 0, 285, 155, 235, 127, 0},
             {"shape display", 583, 110, 119, 0, 0, Page(1)},
             {"scroller", 579, 288, 113, 0, 0, Page(1) | Page(2) | Page(3)},
             {"pickers", 0, 31, 102, 240, 188, Page(2) | Page(3)},
             {"fit", 580, 376, 111, 0, 0, Page(2)},
             {"actual size", 581, 376, 197, 0, 0, Page(2)},
             // The six texts of the count page: about 170 pixels of "Number of pieces: 999".
             {"texts", 0, 330, 124, 190, 6 * 18, Page(3)},
         }},
        {"volume window",
         214,
         {
             {"title", 407, 11, 5, 0, 0, kAlways},
             {"OK", 218, 126, 234, 0, 0, kAlways},
             {"Cancel", 219, 253, 234, 0, 0, kAlways},
             {"help", 229, 17, 211, 0, 0, kAlways},
         }},
        {"file window",
         281,
         {
             {"title", 1541, 23, 1, 0, 0, kAlways},
             {"accept", 277, 229, 46, 0, 0, kAlways},
             {"erase", 278, 298, 84, 0, 0, kAlways},
             {"help", 279, 229, 171, 0, 0, kAlways},
             {"cancel", 280, 313, 170, 0, 0, kAlways},
             {"folder tree", 0, 10, 83, 205, 162, kAlways},
             {"name field", 0, 10, 54, 205, 24, kAlways},
         }},
        {"file menu",
         1500,
         {
             {"new game", 1511, 5, 11, 0, 0, 0},
             {"open", 1521, 6, 51, 0, 0, 0},
             {"save", 1531, 6, 90, 0, 0, 0},
         }},
    };
    return dialogs;
}

class DialogLayout : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadManifest(std::string(VEXLA_SOURCE_DIR) + "/assets/manifest.txt", manifest_, error)) << error;
    }

    const ManifestEntry& Get(uint32_t id) {
        const ManifestEntry* e = manifest_.Find(id);
        if (!e) ADD_FAILURE() << "bitmap " << id << " is not in the manifest";
        static const ManifestEntry none;
        return e ? *e : none;
    }

    Box Place(const Child& c) {
        if (c.id == 0) return {c.x, c.y, c.w, c.h};
        const ManifestEntry& e = Get(c.id);
        return {c.x, c.y, FrameWidth(e), FrameHeight(e)};
    }

    Manifest manifest_;
};

TEST_F(DialogLayout, ChildrenLieInsideTheirBackgrounds) {
    for (const Dialog& d : Dialogs()) {
        const ManifestEntry& bg = Get(d.background);
        for (const Child& c : d.children) {
            const Box b = Place(c);
            EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.w <= bg.width && b.y + b.h <= bg.height)
                << d.name << ": the " << c.name << " (" << b.x << ", " << b.y << ", " << b.w << " x " << b.h
                << ") leaves the " << bg.width << " x " << bg.height << " background";
        }
    }
}

TEST_F(DialogLayout, ChildrenShownTogetherDoNotOverlap) {
    for (const Dialog& d : Dialogs())
        for (size_t i = 0; i < d.children.size(); ++i)
            for (size_t j = i + 1; j < d.children.size(); ++j) {
                const Child &a = d.children[i], &b = d.children[j];
                if (!(a.pages & b.pages)) continue;
                EXPECT_FALSE(Overlap(Place(a), Place(b))) << d.name << ": the " << a.name << " covers the " << b.name;
            }
    // The file menu's three pills stand 40 pixels apart: only their black margins meet.
    const ManifestEntry& pill = Get(1520);
    EXPECT_LE(FrameHeight(pill) - 40, 5);
}

// The frames each window's controls read from their bitmaps: buttons, check boxes, scrollers, sliders and animations.
TEST_F(DialogLayout, ControlsHaveTheFramesTheirWindowsExpect) {
    const struct {
        uint32_t first, last;
        FrameLayout::Kind kind;
        int rows, columns;
        bool masked;
    } expected[] = {
        {563, 563, FrameLayout::Kind::Strip, 4, 1, false},    // button with a disabled frame
        {565, 565, FrameLayout::Kind::Strip, 3, 1, false},    // button
        {577, 577, FrameLayout::Kind::Grid, 2, 5, false},     // ten-frame animation
        {564, 564, FrameLayout::Kind::Grid, 3, 1, false},     // 3 rows, blink
        {2100, 2145, FrameLayout::Kind::Strip, 4, 1, false},  // tabs: four-picture check boxes
        {566, 571, FrameLayout::Kind::Strip, 4, 1, false},    // categories
        {580, 581, FrameLayout::Kind::Grid, 5, 1, false},     // four-phase, 5 rows
        {583, 583, FrameLayout::Kind::Grid, 1, 6, false},     // six shapes
        {578, 579, FrameLayout::Kind::Zones, 3, 1, false},    // scrollers
        {207, 207, FrameLayout::Kind::Grid, 2, 5, false},    {205, 205, FrameLayout::Kind::Grid, 2, 5, false},
        {208, 208, FrameLayout::Kind::Grid, 1, 3, false},    {204, 204, FrameLayout::Kind::Grid, 1, 3, false},
        {217, 217, FrameLayout::Kind::Grid, 2, 10, true},  // slider thumbs: masked
        {225, 225, FrameLayout::Kind::Grid, 2, 10, true},    {218, 219, FrameLayout::Kind::Strip, 3, 1, false},
        {229, 229, FrameLayout::Kind::Grid, 1, 3, false},    {277, 277, FrameLayout::Kind::Grid, 2, 6, false},
        {278, 278, FrameLayout::Kind::Grid, 2, 5, false},    {279, 280, FrameLayout::Kind::Grid, 1, 3, false},
        {1520, 1535, FrameLayout::Kind::Strip, 3, 1, false},
    };
    for (const auto& x : expected)
        for (uint32_t id = x.first; id <= x.last; ++id) {
            if (x.first == 2100 && id % 10 > 5) continue;  // 2100-2105, 2110-2115, ... 2140-2145
            if (id >= 2140 && id <= 2145) continue;        // the titles are pictures, not tabs
            if (x.first == 1520 && id % 10 > 5) continue;
            const ManifestEntry& e = Get(id);
            EXPECT_EQ(e.layout.kind, x.kind) << id;
            EXPECT_EQ(e.layout.rows, x.rows) << id;
            EXPECT_EQ(e.layout.columns, x.columns) << id;
            EXPECT_EQ(e.layout.masked, x.masked) << id;
        }
    EXPECT_EQ(Get(579).layout.zones, (std::vector<int>{25, 117, 25}));
    EXPECT_EQ(Get(578).layout.zones, (std::vector<int>{21, 94, 21}));
    for (uint32_t id = 2140; id <= 2145; ++id) {
        EXPECT_EQ(Get(id).width, Get(572).width) << "the title is copied across the whole dialog";
        EXPECT_LE(Get(id).height, 62) << "the title ends above the tabs";
    }
    for (uint32_t id : {407u, 403u, 408u}) {
        EXPECT_EQ(Get(id).width, 140);
        EXPECT_EQ(Get(id).height, 50);
    }
    for (uint32_t id = 1540; id <= 1555; ++id) {
        if (id % 10 > 5) continue;
        EXPECT_EQ(Get(id).width, 139);
        EXPECT_EQ(Get(id).height, 48);
    }
}

// The volume sliders run from (123, 215) and (220, 215) up to y 68; the slider window is the
// track grown by half a thumb on each side, and it copies the background under it.
TEST_F(DialogLayout, SliderThumbsTravelInsideTheVolumeWindow) {
    const ManifestEntry& bg = Get(214);
    for (const auto& [thumb, x] : {std::pair<uint32_t, int>{217, 123}, {225, 220}}) {
        const ManifestEntry& e = Get(thumb);
        const int halfW = FrameWidth(e) / 2, halfH = FrameHeight(e) / 2;
        EXPECT_GE(x - halfW, 0) << thumb;
        EXPECT_LE(x - halfW + FrameWidth(e), bg.width) << thumb;
        EXPECT_GE(68 - halfH, 0) << thumb;
        EXPECT_LE(215 - halfH + FrameHeight(e), 234) << thumb << " runs into the OK button's row";
    }
    EXPECT_LT(123 + FrameWidth(Get(217)) / 2, 220 - FrameWidth(Get(225)) / 2) << "the two thumbs touch";
}

// The options panel places its four buttons 27 pixels down, at 0, s, 2s and 3s with
// s = (screen width - 81) / 3; the about window's product pages put 205 at (440, 412) of
// their 640 x 480 picture.
TEST_F(DialogLayout, OptionsButtonsFitThePanelOnEveryScreen) {
    for (int screen : {640, 800, 1024, 1280, 1600}) {
        const int s = (screen - 81) / 3;
        for (const auto& [id, slot] : {std::pair<uint32_t, int>{207, 0}, {208, 1}, {205, 2}, {204, 3}}) {
            const ManifestEntry& e = Get(id);
            if (slot < 3) {
                EXPECT_LE(slot * s + FrameWidth(e), (slot + 1) * s) << id << " on a " << screen << " screen";
            } else {
                EXPECT_LE(slot * s + FrameWidth(e), screen) << id << " on a " << screen << " screen";
            }
            EXPECT_LE(27 + FrameHeight(e), 103) << id;
        }
    }
    EXPECT_LE(440 + FrameWidth(Get(205)), 640);
    EXPECT_LE(412 + FrameHeight(Get(205)), 480);
    EXPECT_EQ(Get(199).width, 103);
    EXPECT_EQ(Get(199).height, 103);
}

// On the built pack: a child's first frame starts as its background at its place.
TEST_F(DialogLayout, ChildrenAreDrawnOverTheirPatchOfBackground) {
    const std::string path = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
    if (!std::ifstream(path)) GTEST_SKIP() << "no pack at " << path << " yet";
    ResourcePack pack;
    ASSERT_TRUE(pack.Open(path.c_str()));
    auto pixel = [](const PackedDib& dib, int x, int y) {
        const BitmapInfoHeader& h = dib.header;
        const uint8_t* row = dib.Pixels() + static_cast<size_t>(h.biHeight - 1 - y) * DibRowBytes(h.biWidth, 24);
        return std::vector<int>{row[x * 3], row[x * 3 + 1], row[x * 3 + 2]};
    };
    for (const Dialog& d : Dialogs()) {
        auto bg = pack.Read(d.background);
        ASSERT_TRUE(bg) << d.background;
        for (const Child& c : d.children) {
            if (c.id == 0) continue;
            auto child = pack.Read(c.id);
            ASSERT_TRUE(child) << c.id;
            // The corners of the control's resting look lie outside what it draws.
            const Box b = Place(c);
            const ManifestEntry& e = Get(c.id);
            for (const auto& [dx, dy] : {std::pair<int, int>{0, 0}, {b.w - 1, 0}, {0, b.h - 1}}) {
                int sheetY = dy;  // where that pixel lies in the bitmap
                if (e.layout.kind == FrameLayout::Kind::Zones && dy > 0)
                    sheetY = ZoneFrameTop(e, 2, 0) + e.layout.zones[2] - 1;
                const auto want = pixel(*bg, c.x + dx, c.y + dy), got = pixel(*child, dx, sheetY);
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(got[k], want[k], 8) << d.name << ": the " << c.name << " (" << c.id << ") at corner "
                                                    << dx << ", " << dy << " is not its background";
            }
        }
    }
}

}  // namespace
