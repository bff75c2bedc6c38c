// Resampling by the .bmp reader: which source rows and columns each destination pixel
// shows, how many rows are read from the file, the row order asked for by the sign of the
// height, every pixel depth, and requests it must refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/BmpFileReader.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

// Pixel value at index x of a row in `bitCount` bits, the inverse of PutTestPixel.
uint32_t GetTestPixel(const uint8_t* row, int32_t x, int32_t bitCount) {
    if (bitCount < 8) {
        const int32_t perByte = 8 / bitCount;
        const int32_t shift = (perByte - 1 - x % perByte) * bitCount;
        return (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
    }
    uint32_t value = 0;
    for (int32_t b = 0; b < bitCount / 8; ++b) value |= static_cast<uint32_t>(row[x * (bitCount / 8) + b]) << (8 * b);
    return value;
}

// The picture as rows of values, top row first, from an output buffer of `height` rows
// (negative: the buffer is top-down).
std::vector<std::vector<uint32_t>> TopDownValues(const std::vector<uint8_t>& out,
                                                 int32_t width,
                                                 int32_t height,
                                                 int32_t bitCount) {
    const int32_t rows = height < 0 ? -height : height;
    const auto rowBytes = static_cast<size_t>(BmpRowBytes(width, bitCount));
    std::vector<std::vector<uint32_t>> values(static_cast<size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t stored = height < 0 ? r : rows - 1 - r;
        for (int32_t x = 0; x < width; ++x)
            values[static_cast<size_t>(r)].push_back(
                GetTestPixel(out.data() + rowBytes * static_cast<size_t>(stored), x, bitCount));
    }
    return values;
}

class BmpReadScaledTest : public ::testing::Test {
protected:
    bool Open(const BmpDescription& d) { return reader.Open(folder.Write("picture.bmp", BuildBmp(d)).c_str()); }
    // Reads width x height; empty when the reader refuses.
    std::vector<uint8_t> Scaled(int32_t width, int32_t height) {
        std::vector<uint8_t> out(reader.ScaledImageBytes(width, height), 0xEE);
        if (out.empty() || !reader.ReadScaled(width, height, out.data(), out.size())) return {};
        return out;
    }

    ScratchFolder folder{"bmp_scaled"};
    BmpFileReader reader;
};

// Pixels that carry their own position: value = row * 512 + column, in 24 bits.
BmpDescription PositionPicture(int32_t width, int32_t height) {
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bitCount = 24;
    d.pixel = [](int32_t x, int32_t y) { return static_cast<uint32_t>(y * 512 + x); };
    return d;
}

TEST_F(BmpReadScaledTest, ReducingReadsOneSourceRowPerDestinationRowAndSkipsTheRest) {
    ASSERT_TRUE(Open(PositionPicture(400, 300)));
    const std::vector<uint8_t> out = Scaled(240, 180);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(reader.SourceRowsRead(), 180u) << "rows that are not shown are skipped, not read";

    const auto values = TopDownValues(out, 240, 180, 24);
    // The first destination rows from the bottom show stored rows 0, 1, 3, 5, 6 (step 5/3),
    // which are rows 299, 298, 296, 294, 293 counted from the top.
    const uint32_t bottomRowsFromTop[] = {299, 298, 296, 294, 293};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(values[static_cast<size_t>(179 - i)][0] / 512, bottomRowsFromTop[i]);
    // Columns follow the same nearest-neighbour rule: 0, 1, 3, 5, 6, ...
    EXPECT_EQ(values[0][1] % 512, 1u);
    EXPECT_EQ(values[0][2] % 512, 3u);
    EXPECT_EQ(values[0][3] % 512, 5u);
    EXPECT_EQ(values[0][239] % 512, 398u);
    // Every pixel: destination stored row k shows stored row k * 300 / 180, column x shows
    // column x * 400 / 240.
    for (int32_t k = 0; k < 180; ++k) {
        const uint32_t sourceTopRow = 299 - static_cast<uint32_t>(k * 300 / 180);
        for (int32_t x = 0; x < 240; ++x)
            ASSERT_EQ(values[static_cast<size_t>(179 - k)][static_cast<size_t>(x)],
                      sourceTopRow * 512 + static_cast<uint32_t>(x * 400 / 240))
                << "row " << k << " column " << x;
    }
}

TEST_F(BmpReadScaledTest, EnlargingRepeatsEachSourceRowAndReadsEachOnce) {
    ASSERT_TRUE(Open(PositionPicture(3, 2)));
    const std::vector<uint8_t> out = Scaled(7, 5);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(reader.SourceRowsRead(), 2u);
    const auto values = TopDownValues(out, 7, 5, 24);
    // Stored rows (bottom-up) 0, 0, 1, 1, 1: a step of 2.5 destination rows per source row.
    const uint32_t topRowOf[] = {0, 0, 0, 1, 1};
    const uint32_t columnOf[] = {0, 0, 0, 1, 1, 2, 2};
    for (size_t r = 0; r < 5; ++r)
        for (size_t x = 0; x < 7; ++x) EXPECT_EQ(values[r][x], topRowOf[r] * 512 + columnOf[x]) << r << "," << x;
}

TEST_F(BmpReadScaledTest, EnlargingNeverReadsPastTheLastRow) {
    // 6 rows to 8: a floating-point step of 8/6 added up falls short of the last destination
    // row and would ask for a seventh source row, which this file does not have.
    ASSERT_TRUE(Open(PositionPicture(2, 6)));
    const std::vector<uint8_t> out = Scaled(2, 8);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(reader.SourceRowsRead(), 6u);
    const auto values = TopDownValues(out, 2, 8, 24);
    EXPECT_EQ(values[0][0] / 512, 0u) << "the top row is the source's top row";
    EXPECT_EQ(values[7][0] / 512, 5u) << "the bottom row is the source's bottom row";
}

TEST_F(BmpReadScaledTest, TheSignOfTheHeightChoosesTheRowOrder) {
    for (int32_t fileHeight : {4, -4}) {
        ASSERT_TRUE(Open(PositionPicture(3, fileHeight)));
        for (int32_t asked : {4, -4}) {
            const std::vector<uint8_t> out = Scaled(3, asked);
            ASSERT_FALSE(out.empty());
            const auto values = TopDownValues(out, 3, asked, 24);
            for (uint32_t r = 0; r < 4; ++r)
                EXPECT_EQ(values[r][2], r * 512 + 2) << "file height " << fileHeight << ", asked " << asked;
        }
    }
}

TEST_F(BmpReadScaledTest, EveryDepthKeepsItsOwnFormatAndZeroPadding) {
    struct Case {
        uint16_t bits;
        uint32_t colorsUsed;
    };
    const Case cases[] = {{1, 2}, {4, 0}, {8, 0}, {16, 1}, {24, 0}, {32, 0}};
    for (const Case& c : cases) {
        BmpDescription d;
        d.width = 13;
        d.height = 7;
        d.bitCount = c.bits;
        d.colorsUsed = c.colorsUsed;
        const uint32_t mask = c.bits == 32 ? 0xffffffffu : (1u << c.bits) - 1;
        d.pixel = [mask](int32_t x, int32_t y) {
            return (static_cast<uint32_t>(x * 7 + y * 131) * 2654435761u) & mask;
        };
        ASSERT_TRUE(Open(d)) << c.bits;
        for (auto size : {std::pair<int32_t, int32_t>{5, -4}, {29, 11}, {13, 7}, {1, 1}}) {
            const int32_t w = size.first, h = size.second;
            const std::vector<uint8_t> out = Scaled(w, h);
            ASSERT_FALSE(out.empty()) << c.bits << " bits, " << w << " x " << h;
            const int32_t rows = h < 0 ? -h : h;
            const auto values = TopDownValues(out, w, h, c.bits);
            for (int32_t r = 0; r < rows; ++r) {
                // Row r from the top is stored row rows - 1 - r; map it in stored order.
                const int32_t k = rows - 1 - r;
                const int32_t sourceStored = rows < 7 ? k * 7 / rows : ((k + 1) * 7 - 1) / rows;
                const int32_t sourceTop = 7 - 1 - sourceStored;
                for (int32_t x = 0; x < w; ++x)
                    ASSERT_EQ(values[static_cast<size_t>(r)][static_cast<size_t>(x)], d.pixel(x * 13 / w, sourceTop))
                        << c.bits << " bits, " << w << " x " << h << ", row " << r << ", column " << x;
            }
            // Padding after the last pixel of each row is zero, not whatever the buffer held.
            const auto rowBytes = static_cast<size_t>(BmpRowBytes(w, c.bits));
            const size_t used = (static_cast<size_t>(w) * c.bits + 7) / 8;
            for (size_t b = used; b < rowBytes; ++b) EXPECT_EQ(out[b], 0) << c.bits << " bits, padding byte " << b;
            if (c.bits < 8 && (w * c.bits) % 8 != 0) {
                EXPECT_EQ(out[used - 1] & ((1u << (8 - (w * c.bits) % 8)) - 1), 0u) << "spare bits of the last byte";
            }
        }
    }
}

TEST_F(BmpReadScaledTest, RefusesRequestsItCannotFulfil) {
    std::vector<uint8_t> out(1024);
    EXPECT_FALSE(reader.ReadScaled(4, 4, out.data(), out.size())) << "nothing open";
    EXPECT_EQ(reader.ScaledImageBytes(4, 4), 0u);

    ASSERT_TRUE(Open(PositionPicture(4, 4)));
    EXPECT_FALSE(reader.ReadScaled(0, 4, out.data(), out.size())) << "width 0";
    EXPECT_FALSE(reader.ReadScaled(-4, 4, out.data(), out.size())) << "negative width";
    EXPECT_FALSE(reader.ReadScaled(4, 0, out.data(), out.size())) << "height 0";
    EXPECT_FALSE(reader.ReadScaled(4, INT32_MIN, out.data(), out.size())) << "most negative height";
    EXPECT_FALSE(reader.ReadScaled(4, 4, nullptr, out.size()));
    const size_t needed = reader.ScaledImageBytes(4, -4);
    EXPECT_EQ(needed, 12u * 4u) << "4 pixels of 3 bytes a row, 4 rows";
    EXPECT_FALSE(reader.ReadScaled(4, -4, out.data(), needed - 1)) << "buffer one byte short";
    EXPECT_TRUE(reader.ReadScaled(4, -4, out.data(), needed));
    // An enormous request meets a small buffer and is refused before any work buffer is
    // sized from it.
    EXPECT_FALSE(reader.ReadScaled(0x7fffffff, 0x7fffffff, out.data(), out.size()));
    EXPECT_FALSE(reader.ReadScaled(0x7fffffff, -1, out.data(), out.size()));
}

}  // namespace
