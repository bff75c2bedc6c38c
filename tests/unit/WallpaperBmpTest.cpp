// The wallpaper file: its headers for pictures of each kind, its pixels (the picture resampled
// by the reader, rows bottom-up), requests it refuses, and writes that either install the whole
// file or leave the old one as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/BmpFileReader.h"
#include "engine/WallpaperBmp.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BmpDescription Picture(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed = 0) {
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bitCount = bitCount;
    d.colorsUsed = colorsUsed;
    // Values that differ between neighbours in every depth (4 bits: 0..4 with 5 colours).
    d.pixel = [bitCount, colorsUsed](int32_t x, int32_t y) {
        const uint32_t v = static_cast<uint32_t>(x * 7 + y * 13);
        return bitCount == 4 ? v % colorsUsed : bitCount == 8 ? v % 256 : v * 0x010203u;
    };
    return d;
}

class WallpaperBmpTest : public ::testing::Test {
protected:
    bool Open(const BmpDescription& d) { return picture.Open(folder.Write("picture.bmp", BuildBmp(d)).c_str()); }
    // The picture resampled by the reader to width x height, rows bottom-up.
    std::vector<uint8_t> Resampled(int32_t width, int32_t height) {
        std::vector<uint8_t> rows(picture.ScaledImageBytes(width, height));
        EXPECT_TRUE(picture.ReadScaled(width, height, rows.data(), rows.size()));
        return rows;
    }

    ScratchFolder folder{"wallpaper"};
    BmpFileReader picture;
};

struct HeaderCase {
    BmpDescription picture;
    int32_t width, height;  // fitted to a 160 x 120 screen
    uint32_t pixelOffset, imageBytes;
};

TEST_F(WallpaperBmpTest, HeadersPaletteAndPixelsOfEachKindOfPicture) {
    const HeaderCase cases[] = {
        {Picture(80, 60, 8), 160, 120, 54 + 1024, 160 * 120},
        {Picture(60, -80, 24), 90, 120, 54, 272 * 120},  // top-down, by its height; rows of 270 + 2
        {Picture(40, 30, 4, 5), 160, 120, 54 + 20, 80 * 120},
        {Picture(16, 12, 32), 160, 120, 54, 640 * 120},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.picture.bitCount) + " bits, " + std::to_string(c.picture.height) + " rows");
        ASSERT_TRUE(Open(c.picture));
        std::vector<uint8_t> file;
        ASSERT_TRUE(BuildWallpaperBmp(picture, {160, 120}, &file));
        ASSERT_EQ(file.size(), c.pixelOffset + c.imageBytes);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(U32At(file, 2), file.size());
        EXPECT_EQ(U32At(file, 6), 0u);  // both reserved fields
        EXPECT_EQ(U32At(file, 10), c.pixelOffset);

        BitmapInfoHeader header;
        std::memcpy(&header, &file[14], sizeof header);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, c.width);
        EXPECT_EQ(header.biHeight, c.height);  // positive: bottom-up
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.picture.bitCount);
        EXPECT_EQ(header.biCompression, 0u);
        EXPECT_EQ(header.biSizeImage, c.imageBytes);
        EXPECT_EQ(header.biClrUsed, c.picture.colorsUsed);

        const std::vector<uint8_t> palette = TestPalette(PaletteEntriesOf(c.picture));
        EXPECT_TRUE(std::equal(palette.begin(), palette.end(), file.begin() + 54));
        const std::vector<uint8_t> rows = Resampled(c.width, c.height);
        EXPECT_TRUE(std::equal(rows.begin(), rows.end(), file.begin() + c.pixelOffset));
    }
}

TEST_F(WallpaperBmpTest, TopDownPictureIsWrittenBottomUp) {
    BmpDescription d = Picture(2, -2, 24);
    d.pixel = [](int32_t x, int32_t y) { return y == 0 ? 0x112233u : 0x445566u; };  // top row, bottom row
    ASSERT_TRUE(Open(d));
    std::vector<uint8_t> file;
    ASSERT_TRUE(BuildWallpaperBmp(picture, {4, 4}, &file));
    // 4 x 4, rows of 12 bytes: the first stored row is the bottom of the picture.
    ASSERT_EQ(file.size(), 54u + 48u);
    EXPECT_EQ(file[54], 0x66);
    EXPECT_EQ(file[54 + 36], 0x33);
}

TEST_F(WallpaperBmpTest, RefusesWithoutPictureOrScreen) {
    std::vector<uint8_t> file{1, 2, 3};
    EXPECT_FALSE(BuildWallpaperBmp(picture, {1024, 768}, &file));  // nothing open
    ASSERT_TRUE(Open(Picture(80, 60, 8)));
    EXPECT_FALSE(BuildWallpaperBmp(picture, {0, 768}, &file));
    EXPECT_FALSE(BuildWallpaperBmp(picture, {1024, 0}, &file));
    EXPECT_EQ(file, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(WallpaperBmpTest, WritesTheWholeFileOverTheOldOne) {
    ASSERT_TRUE(Open(Picture(80, 60, 8)));
    const std::string target = folder.Write(kWallpaperFileName, {9, 9, 9});
    ASSERT_TRUE(WriteWallpaperBmp(target.c_str(), picture, {160, 120}));
    std::vector<uint8_t> expected;
    ASSERT_TRUE(BuildWallpaperBmp(picture, {160, 120}, &expected));
    EXPECT_EQ(FileBytes(target), expected);
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
}

TEST_F(WallpaperBmpTest, FailedWriteLeavesTheOldFile) {
    const std::vector<uint8_t> old{9, 9, 9};
    const std::string target = folder.Write(kWallpaperFileName, old);
    // Nothing open: nothing is written.
    EXPECT_FALSE(WriteWallpaperBmp(target.c_str(), picture, {160, 120}));
    EXPECT_EQ(FileBytes(target), old);
    ASSERT_TRUE(Open(Picture(80, 60, 8)));
    // A folder where the temporary file would go: the file cannot be made.
    std::filesystem::create_directory(target + ".tmp");
    EXPECT_FALSE(WriteWallpaperBmp(target.c_str(), picture, {160, 120}));
    EXPECT_EQ(FileBytes(target), old);
    std::filesystem::remove(target + ".tmp");
    // A folder where the file goes: the complete temporary file cannot be moved there, and goes.
    const std::string blocked = folder.PathOf("blocked.bmp");
    std::filesystem::create_directories(blocked + "/inside");
    EXPECT_FALSE(WriteWallpaperBmp(blocked.c_str(), picture, {160, 120}));
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/inside"));
    EXPECT_FALSE(std::filesystem::exists(blocked + ".tmp"));
    // A folder that does not exist.
    EXPECT_FALSE(WriteWallpaperBmp(folder.PathOf("missing/Vexla.bmp").c_str(), picture, {160, 120}));
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("missing")));
}

}  // namespace
