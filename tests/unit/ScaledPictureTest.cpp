// Small copies of pictures for drawing: the header describes exactly the pixels that follow,
// always bottom-up, with the palette of the picture, whatever depth and row order the file has.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/ScaledPicture.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

class ScaledPictureTest : public ::testing::Test {
protected:
    void Open(const BmpDescription& d) { ASSERT_TRUE(reader.Open(folder.Write("picture.bmp", BuildBmp(d)).c_str())); }
    // What the reader itself gives for a bottom-up copy of this size.
    std::vector<uint8_t> ReadScaled(Point size) {
        std::vector<uint8_t> out(reader.ScaledImageBytes(size.x, size.y));
        EXPECT_TRUE(reader.ReadScaled(size.x, size.y, out.data(), out.size()));
        return out;
    }

    ScratchFolder folder{"scaled_picture"};
    BmpFileReader reader;
};

TEST_F(ScaledPictureTest, EveryDepthAndRowOrderComesOutBottomUpAndDescribedExactly) {
    struct Case {
        uint16_t bitCount;
        int32_t height;                       // negative: the file is stored top-down
        uint32_t colorsUsed, paletteEntries;  // the reader wants 16-bit pictures to name their colours
    };
    const Case cases[] = {{1, 30, 2, 2},  {4, 30, 0, 16}, {8, 30, 0, 256}, {8, -30, 20, 20},
                          {16, 30, 1, 1}, {24, 30, 0, 0}, {24, -30, 0, 0}, {32, 30, 0, 0}};
    const Point size{17, 11};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bitCount) + " bits, height " + std::to_string(c.height));
        BmpDescription d;
        d.width = 40;
        d.height = c.height;
        d.bitCount = c.bitCount;
        d.colorsUsed = c.colorsUsed;
        d.pixel = [&c](int32_t x, int32_t y) {
            return static_cast<uint32_t>(x * 7 + y * 13) % (1u << (c.bitCount > 8 ? 24 : c.bitCount));
        };
        Open(d);
        const PackedDibPtr dib = ReadScaledPicture(reader, size);
        ASSERT_NE(dib, nullptr);
        const BitmapInfoHeader& h = dib->header;
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, 17);
        EXPECT_EQ(h.biHeight, 11) << "bottom-up, the only order DrawDib draws";
        EXPECT_EQ(h.biBitCount, c.bitCount);
        EXPECT_EQ(h.biCompression, 0u);
        EXPECT_EQ(h.biSizeImage, static_cast<uint32_t>(DibRowBytes(17, c.bitCount) * 11));
        EXPECT_EQ(h.biClrUsed, c.bitCount <= 8 ? c.colorsUsed : 0u) << "pictures of more than 8 bits carry no palette";
        const std::vector<uint8_t> expected = ReadScaled(size);
        ASSERT_EQ(expected.size(), h.biSizeImage);
        EXPECT_EQ(std::memcmp(dib->Pixels(), expected.data(), expected.size()), 0);
        if (c.bitCount <= 8) {
            const std::vector<uint8_t> palette = TestPalette(c.paletteEntries);
            EXPECT_EQ(std::memcmp(dib->palette, palette.data(), palette.size()), 0);
        }
    }
}

TEST_F(ScaledPictureTest, NothingToShowGivesNoBlock) {
    EXPECT_EQ(ReadScaledPicture(reader, {10, 10}), nullptr) << "nothing open";
    Open(BmpDescription{});
    EXPECT_EQ(ReadScaledPicture(reader, {0, 10}), nullptr);
    EXPECT_EQ(ReadScaledPicture(reader, {10, 0}), nullptr);
    EXPECT_EQ(ReadScaledPicture(reader, {10, -3}), nullptr) << "top-down copies are not made";
    EXPECT_NE(ReadScaledPicture(reader, {1, 1}), nullptr);
}

}  // namespace
