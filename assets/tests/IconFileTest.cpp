// The icons and cursors the build makes for the executable: every id the folder tree and the
// size pickers load, listed in icons.rc, each a well-formed .ico or .cur file whose pictures
// carry alpha and an AND mask that agrees with it, and each telling itself apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kGenerated = fs::path(VEXLA_SOURCE_DIR) / "build" / "generated";

uint32_t U32(const std::vector<uint8_t>& d, size_t p) {
    return d[p] | (d[p + 1] << 8) | (d[p + 2] << 16) | (uint32_t(d[p + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& d, size_t p) { return static_cast<uint16_t>(d[p] | (d[p + 1] << 8)); }

struct Image {
    int size = 0;
    int hotX = 0, hotY = 0;             // cursors
    std::vector<uint32_t> argb;         // top row first
    std::vector<bool> maskTransparent;  // top row first
};

// Reads an .ico (type 1) or .cur (type 2) file of 32-bit images; an empty list if anything
// in it does not add up.
std::vector<Image> ReadIconFile(const fs::path& path, uint16_t type) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Image> images;
    if (d.size() < 6 || U16(d, 0) != 0 || U16(d, 2) != type) return {};
    const int count = U16(d, 4);
    for (int i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        if (entry + 16 > d.size()) return {};
        Image image;
        image.size = d[entry];
        if (image.size == 0 || d[entry + 1] != image.size) return {};
        if (type == 1 && (U16(d, entry + 4) != 1 || U16(d, entry + 6) != 32)) return {};
        if (type == 2) {
            image.hotX = U16(d, entry + 4);
            image.hotY = U16(d, entry + 6);
        }
        const size_t bytes = U32(d, entry + 8), offset = U32(d, entry + 12);
        const size_t n = static_cast<size_t>(image.size);
        const size_t maskRow = (n + 31) / 32 * 4;
        if (offset + bytes > d.size() || bytes != 40 + n * n * 4 + maskRow * n) return {};
        // BITMAPINFOHEADER: the height counts the picture and the mask.
        if (U32(d, offset) != 40 || U32(d, offset + 4) != n || U32(d, offset + 8) != 2 * n || U16(d, offset + 14) != 32)
            return {};
        const size_t pixels = offset + 40, mask = pixels + n * n * 4;
        for (size_t y = 0; y < n; ++y)
            for (size_t x = 0; x < n; ++x) {
                const size_t p = pixels + ((n - 1 - y) * n + x) * 4;
                image.argb.push_back(uint32_t(d[p + 3]) << 24 | d[p + 2] << 16 | d[p + 1] << 8 | d[p]);
                image.maskTransparent.push_back(d[mask + (n - 1 - y) * maskRow + x / 8] & (0x80 >> (x % 8)));
            }
        images.push_back(std::move(image));
    }
    return images;
}

class ExecutableIcons : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_regular_file(kGenerated / "icons.rc")) GTEST_SKIP() << "icons not built yet";
    }
};

TEST_F(ExecutableIcons, ResourceListNamesIcons141To152AndCursors562And563) {
    std::ifstream in(kGenerated / "icons.rc");
    std::stringstream text;
    text << in.rdbuf();
    const std::string rc = text.str();
    std::set<int> icons, cursors;
    const std::regex line(R"((\d+) (ICON|CURSOR) \"([a-z]+/\d+\.(ico|cur))\")");
    for (auto it = std::sregex_iterator(rc.begin(), rc.end(), line); it != std::sregex_iterator(); ++it) {
        const int id = std::stoi((*it)[1]);
        ((*it)[2] == "ICON" ? icons : cursors).insert(id);
        EXPECT_TRUE(fs::is_regular_file(kGenerated / (*it)[3].str())) << (*it)[3];
    }
    std::set<int> expected;
    for (int id = 141; id <= 152; ++id) expected.insert(id);
    EXPECT_EQ(icons, expected);
    EXPECT_EQ(cursors, (std::set<int>{562, 563}));
}

// What an image promises: a picture on a clear ground, and a mask that hides exactly the
// pixels its alpha leaves (mostly) transparent.
void ExpectDrawnWithMask(const Image& image, const std::string& what) {
    int opaque = 0, clear = 0, disagree = 0;
    for (size_t i = 0; i < image.argb.size(); ++i) {
        const uint32_t alpha = image.argb[i] >> 24;
        opaque += alpha == 255;
        clear += alpha == 0;
        disagree += image.maskTransparent[i] != (alpha < 128);
    }
    const int n = image.size * image.size;
    EXPECT_GT(opaque, n / 5) << what << " is hardly there";
    EXPECT_GT(clear, n / 20) << what << " fills its whole square";
    EXPECT_EQ(disagree, 0) << what << ": mask and alpha disagree";
}

TEST_F(ExecutableIcons, EachIconHoldsA16And32PixelPicture) {
    std::vector<std::vector<uint32_t>> smalls;
    for (int id = 141; id <= 152; ++id) {
        const auto images = ReadIconFile(kGenerated / "icons" / (std::to_string(id) + ".ico"), 1);
        ASSERT_EQ(images.size(), 2u) << "icon " << id;
        EXPECT_EQ(images[0].size, 16) << id;
        EXPECT_EQ(images[1].size, 32) << id;
        for (const Image& image : images)
            ExpectDrawnWithMask(image, "icon " + std::to_string(id) + " at " + std::to_string(image.size));
        smalls.push_back(images[0].argb);
    }
    // The tree tells its items apart by these pictures.
    for (size_t a = 0; a < smalls.size(); ++a)
        for (size_t b = a + 1; b < smalls.size(); ++b) {
            int differing = 0;
            for (size_t i = 0; i < smalls[a].size(); ++i) differing += smalls[a][i] != smalls[b][i];
            EXPECT_GT(differing, 40) << "icons " << 141 + a << " and " << 141 + b << " look alike";
        }
}

TEST_F(ExecutableIcons, CursorsAre32PixelsWithTheirHotSpotOnTheHand) {
    std::vector<std::vector<uint32_t>> pictures;
    for (int id : {562, 563}) {
        const auto images = ReadIconFile(kGenerated / "cursors" / (std::to_string(id) + ".cur"), 2);
        ASSERT_EQ(images.size(), 1u) << "cursor " << id;
        const Image& c = images[0];
        EXPECT_EQ(c.size, 32);
        ExpectDrawnWithMask(c, "cursor " + std::to_string(id));
        ASSERT_LT(c.hotX, 32);
        ASSERT_LT(c.hotY, 32);
        EXPECT_EQ(c.argb[static_cast<size_t>(c.hotY) * 32 + c.hotX] >> 24, 255u)
            << "cursor " << id << ": the hot spot is not on the picture";
        pictures.push_back(c.argb);
    }
    int differing = 0;
    for (size_t i = 0; i < pictures[0].size(); ++i) differing += pictures[0][i] != pictures[1][i];
    EXPECT_GT(differing, 100) << "the held cursor looks like the free one";
}

}  // namespace
