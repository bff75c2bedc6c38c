// The .bmp reader: which files it opens and which it refuses, names, sizes, headers and
// palettes, and reading all rows as stored or widened for the cutter.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BmpFileReader.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

class BmpFileReaderTest : public ::testing::Test {
protected:
    std::string Write(const BmpDescription& d, const std::string& name = "picture.bmp") {
        return folder.Write(name, BuildBmp(d));
    }
    std::string WriteBytes(const std::vector<uint8_t>& bytes, const std::string& name = "picture.bmp") {
        return folder.Write(name, bytes);
    }
    bool Opens(const BmpDescription& d) { return reader.Open(Write(d).c_str()); }

    ScratchFolder folder{"bmp_reader"};
    BmpFileReader reader;
};

// --- Opening ---------------------------------------------------------------------------

TEST_F(BmpFileReaderTest, OpensAPlainEightBitPictureAndReportsItsSizeAndPalette) {
    BmpDescription d;
    d.width = 5;
    d.height = 3;
    ASSERT_TRUE(Opens(d));
    EXPECT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.GetSize().width, 5);
    EXPECT_EQ(reader.GetSize().height, 3);
    EXPECT_EQ(reader.PaletteSize(), 256u);
    EXPECT_EQ(reader.StoredImageBytes(), 8u * 3u);
}

TEST_F(BmpFileReaderTest, RefusesFilesThatAreNotPicturesAndStaysClosed) {
    std::vector<uint8_t> bytes = BuildBmp(BmpDescription{});
    bytes[1] = 'A';
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "a file beginning BA";
    EXPECT_FALSE(reader.IsOpen());

    EXPECT_FALSE(reader.Open(folder.PathOf("missing.bmp").c_str()));
    EXPECT_FALSE(reader.Open(WriteBytes({}).c_str())) << "empty file";
    EXPECT_FALSE(reader.Open(WriteBytes({'B', 'M'}).c_str())) << "magic only";
    bytes = BuildBmp(BmpDescription{});
    bytes.resize(14 + 39);
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "info header one byte short";
    EXPECT_FALSE(reader.Open(nullptr));
    EXPECT_FALSE(reader.Open(""));
}

TEST_F(BmpFileReaderTest, OneBitPictureNeedsItsColoursUsed) {
    BmpDescription d;
    d.bitCount = 1;
    d.paletteEntries = 2;
    d.colorsUsed = 0;
    EXPECT_FALSE(Opens(d)) << "colours-used 0 gives a 1-bit picture no palette size";
    d.colorsUsed = 2;
    ASSERT_TRUE(Opens(d));
    EXPECT_EQ(reader.PaletteSize(), 2u);
}

TEST_F(BmpFileReaderTest, PaletteSizeFollowsColoursUsedOrTheDepth) {
    struct Case {
        uint16_t bits;
        uint32_t colorsUsed;
        uint32_t expected;
    };
    const Case cases[] = {{4, 0, 16}, {4, 5, 5},  {8, 0, 256}, {8, 17, 17},
                          {24, 0, 0}, {32, 0, 0}, {24, 3, 3},  {16, 1, 1}};
    for (const Case& c : cases) {
        BmpDescription d;
        d.bitCount = c.bits;
        d.colorsUsed = c.colorsUsed;
        ASSERT_TRUE(Opens(d)) << c.bits << " bits, colours-used " << c.colorsUsed;
        EXPECT_EQ(reader.PaletteSize(), c.expected) << c.bits << " bits, colours-used " << c.colorsUsed;
    }
}

TEST_F(BmpFileReaderTest, RefusesHeadersItCannotRead) {
    struct Case {
        const char* what;
        std::function<void(BmpDescription&)> change;
    };
    const Case cases[] = {
        {"width 0", [](BmpDescription& d) { d.width = 0; }},
        {"negative width", [](BmpDescription& d) { d.width = -4; }},
        {"height 0", [](BmpDescription& d) { d.height = 0; }},
        {"two planes", [](BmpDescription& d) { d.planes = 2; }},
        {"bit fields", [](BmpDescription& d) { d.compression = 3; }},
        {"run-length 8", [](BmpDescription& d) { d.compression = 1; }},
        {"run-length 4",
         [](BmpDescription& d) {
             d.bitCount = 4;
             d.compression = 2;
         }},
        {"2 bits",
         [](BmpDescription& d) {
             d.bitCount = 2;
             d.colorsUsed = 4;
         }},
        {"7 bits",
         [](BmpDescription& d) {
             d.bitCount = 7;
             d.colorsUsed = 4;
         }},
        {"16 bits without colours-used", [](BmpDescription& d) { d.bitCount = 16; }},
        {"more colours than 4-bit indices reach",
         [](BmpDescription& d) {
             d.bitCount = 4;
             d.colorsUsed = 17;
         }},
        {"more than 256 colours",
         [](BmpDescription& d) {
             d.bitCount = 24;
             d.colorsUsed = 257;
         }},
    };
    for (const Case& c : cases) {
        BmpDescription d;
        c.change(d);
        EXPECT_FALSE(Opens(d)) << c.what;
        EXPECT_FALSE(reader.IsOpen()) << c.what;
    }
    // An info header that says it is smaller than 40 bytes is the old OS/2 layout.
    std::vector<uint8_t> bytes = BuildBmp(BmpDescription{});
    bytes[14] = 12;
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "OS/2 core header";
}

TEST_F(BmpFileReaderTest, RefusesPixelsThatTheFileDoesNotHoldBeforeAnyAllocation) {
    BmpDescription d;
    d.width = 10;
    d.height = 4;
    std::vector<uint8_t> bytes = BuildBmp(d);
    bytes.pop_back();
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "last row one byte short";

    // Sizes a header can state but no file of this size can back: the check must not
    // overflow, and nothing may be sized from them.
    struct Size {
        int32_t width, height;
        uint16_t bits;
    };
    const Size huge[] = {{0x7fffffff, 0x7fffffff, 32},
                         {0x7fffffff, 1, 24},
                         {1, 0x7fffffff, 8},
                         {0x40000000, -0x7fffffff, 32},
                         {65536, 65536, 24}};
    for (const Size& s : huge) {
        bytes = BuildBmp(BmpDescription{});
        PutLittleEndian(bytes, 18, static_cast<uint32_t>(s.width), 4);
        PutLittleEndian(bytes, 22, static_cast<uint32_t>(s.height), 4);
        PutLittleEndian(bytes, 28, s.bits, 2);
        EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << s.width << " x " << s.height << " x " << s.bits;
    }
    bytes = BuildBmp(BmpDescription{});
    PutLittleEndian(bytes, 22, 0x80000000u, 4);
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "the most negative height";
}

TEST_F(BmpFileReaderTest, ReadsPixelsAtTheOffsetTheFileHeaderGives) {
    // A version-5 header (124 bytes) and a gap between palette and pixels: both palette and
    // pixels must be found where they are, not where the classic layout would put them.
    BmpDescription d;
    d.width = 6;
    d.height = 2;
    d.colorsUsed = 4;
    d.infoHeaderSize = 124;
    d.gapBeforePixels = 10;
    ASSERT_TRUE(Opens(d));
    RgbQuad entries[4];
    ASSERT_TRUE(reader.ReadPalette(0, 4, entries));
    EXPECT_EQ(entries[3].rgbGreen, 6);
    std::vector<uint8_t> rows(reader.StoredImageBytes());
    ASSERT_TRUE(reader.ReadAllRows(rows.data(), rows.size()));
    EXPECT_EQ(rows, StoredPixels(d));

    BitmapInfoHeader header;
    ASSERT_TRUE(reader.GetHeader(&header));
    EXPECT_EQ(header.biSize, 40u) << "the copy is a plain 40-byte header";
    EXPECT_EQ(header.biClrUsed, 4u);
}

TEST_F(BmpFileReaderTest, PixelOffsetZeroMeansRightBehindThePaletteAndTooSmallIsRefused) {
    BmpDescription d;
    d.colorsUsed = 3;
    d.pixelOffsetZero = true;
    ASSERT_TRUE(Opens(d));
    std::vector<uint8_t> rows(reader.StoredImageBytes());
    ASSERT_TRUE(reader.ReadAllRows(rows.data(), rows.size()));
    EXPECT_EQ(rows, StoredPixels(d));

    std::vector<uint8_t> bytes = BuildBmp(d);
    PutLittleEndian(bytes, 10, 14 + 40 + 4 * 3 - 1, 4);
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "pixels overlapping the palette";
    PutLittleEndian(bytes, 10, static_cast<uint32_t>(bytes.size() + 1), 4);
    EXPECT_FALSE(reader.Open(WriteBytes(bytes).c_str())) << "pixels past the end of the file";
}

TEST_F(BmpFileReaderTest, FailedOpenClosesThePreviousPictureAndEveryCallThenFails) {
    BmpDescription d;
    d.width = 7;
    d.height = -5;
    ASSERT_TRUE(Opens(d));
    EXPECT_EQ(reader.GetSize().height, -5) << "a top-down picture keeps the sign of its height";

    EXPECT_FALSE(reader.Open(folder.PathOf("missing.bmp").c_str()));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.GetSize().width, 0);
    EXPECT_EQ(reader.GetSize().height, 0);
    EXPECT_EQ(reader.GetName(nullptr, 0), 0u);
    BitmapInfoHeader header;
    EXPECT_FALSE(reader.GetHeader(&header));
    RgbQuad entry;
    EXPECT_FALSE(reader.ReadPalette(0, 1, &entry));
    PackedDib info;
    EXPECT_FALSE(reader.GetHeaderAndPalette(&info));
    EXPECT_EQ(reader.StoredImageBytes(), 0u);
    EXPECT_EQ(reader.ScaledImageBytes(7, 5), 0u);
}

TEST_F(BmpFileReaderTest, RefusesPathsLongerThanAWindowsPathHolds) {
    const std::string longest(BmpFileReader::kMaxPathChars, 'a');
    const std::string tooLong(BmpFileReader::kMaxPathChars + 1, 'a');
    // Neither file exists; the point is that the long one is refused before anything else.
    EXPECT_FALSE(reader.Open(tooLong.c_str()));
    const std::string path = Write(BmpDescription{});
    ASSERT_LE(path.size(), BmpFileReader::kMaxPathChars);
    std::string padded = path;
    padded.insert(0, std::string(BmpFileReader::kMaxPathChars - path.size(), '/'));  // "//..//tmp" is the same file
    ASSERT_EQ(padded.size(), longest.size());
    EXPECT_TRUE(reader.Open(padded.c_str()));
    EXPECT_FALSE(reader.Open(("/" + padded).c_str()));
}

// --- Name, size, header --------------------------------------------------------------

TEST_F(BmpFileReaderTest, GetNameCopiesOnlyIntoABufferThatHoldsItAll) {
    const std::string path = Write(BmpDescription{});
    ASSERT_TRUE(reader.Open(path.c_str()));
    const size_t needed = path.size() + 1;
    EXPECT_EQ(reader.GetName(nullptr, 0), needed);

    std::vector<char> small(needed - 1, '#');
    EXPECT_EQ(reader.GetName(small.data(), small.size()), needed);
    EXPECT_EQ(std::string(small.begin(), small.end()), std::string(needed - 1, '#')) << "nothing copied";

    std::vector<char> exact(needed, '#');
    EXPECT_EQ(reader.GetName(exact.data(), exact.size()), needed);
    EXPECT_STREQ(exact.data(), path.c_str());

    reader.Close();
    EXPECT_EQ(reader.GetName(exact.data(), exact.size()), 0u);
}

// --- Palette ---------------------------------------------------------------------------

TEST_F(BmpFileReaderTest, TwentyFourBitPictureHasNoPaletteButGivesItsHeader) {
    BmpDescription d;
    d.bitCount = 24;
    d.width = 9;
    ASSERT_TRUE(Opens(d));
    EXPECT_EQ(reader.PaletteSize(), 0u);
    RgbQuad entry;
    EXPECT_FALSE(reader.ReadPalette(0, 1, &entry));

    PackedDib info;
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_FALSE(reader.GetHeaderAndPalette(&info));
    EXPECT_EQ(info.header.biWidth, 9) << "the header is copied all the same";
    EXPECT_EQ(info.header.biBitCount, 24);
    EXPECT_EQ(info.palette[0].rgbBlue, 0) << "the colour table is cleared";
}

TEST_F(BmpFileReaderTest, ReadsPaletteRangesAndRefusesRangesPastTheEnd) {
    BmpDescription d;
    d.colorsUsed = 3;
    ASSERT_TRUE(Opens(d));
    RgbQuad entries[3] = {};
    ASSERT_TRUE(reader.ReadPalette(1, 2, entries));
    EXPECT_EQ(entries[0].rgbBlue, 1);
    EXPECT_EQ(entries[1].rgbRed, 6);
    EXPECT_FALSE(reader.ReadPalette(2, 2, entries)) << "entry 3 is pixel data, not colour";
    EXPECT_FALSE(reader.ReadPalette(0xffffffffu, 2, entries)) << "the range must not wrap around";
    EXPECT_FALSE(reader.ReadPalette(0, 0, entries));

    PackedDib info;
    std::memset(&info, 0xAB, sizeof info);
    ASSERT_TRUE(reader.GetHeaderAndPalette(&info));
    EXPECT_EQ(info.palette[2].rgbGreen, 4);
    EXPECT_EQ(info.palette[3].rgbGreen, 0) << "entries the picture lacks are zero";
    EXPECT_EQ(info.palette[255].rgbRed, 0);
}

// --- All rows ----------------------------------------------------------------------------

TEST_F(BmpFileReaderTest, ReadAllRowsGivesTheStoredBytesIntoABufferBigEnough) {
    BmpDescription d;
    d.width = 3;
    d.height = 4;
    d.bitCount = 24;
    ASSERT_TRUE(Opens(d));
    std::vector<uint8_t> rows(reader.StoredImageBytes());
    ASSERT_EQ(rows.size(), 12u * 4u);
    EXPECT_FALSE(reader.ReadAllRows(rows.data(), rows.size() - 1));
    ASSERT_TRUE(reader.ReadAllRows(rows.data(), rows.size()));
    EXPECT_EQ(rows, StoredPixels(d));
    EXPECT_EQ(reader.SourceRowsRead(), 4u);
    reader.Close();
    EXPECT_FALSE(reader.ReadAllRows(rows.data(), rows.size()));
}

TEST_F(BmpFileReaderTest, AFileCutShortAfterOpeningFailsInsteadOfGivingGarbage) {
    BmpDescription d;
    d.width = 8;
    d.height = 8;
    const std::string path = Write(d);
    ASSERT_TRUE(reader.Open(path.c_str()));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 3);
    std::vector<uint8_t> rows(reader.StoredImageBytes());
    EXPECT_FALSE(reader.ReadAllRows(rows.data(), rows.size()));
    std::vector<uint8_t> widened(reader.WidenedImageBytes());
    EXPECT_FALSE(reader.ReadAllRowsWidened(widened.data(), widened.size()));
    std::vector<uint8_t> scaled(reader.ScaledImageBytes(8, 8));
    EXPECT_FALSE(reader.ReadScaled(8, 8, scaled.data(), scaled.size()));
}

// --- Widened rows for the cutter -------------------------------------------------------

// Pixel (x, y) from the top of a widened bottom-up picture.
std::vector<uint8_t> WidenedPixel(const std::vector<uint8_t>& rows,
                                  int32_t width,
                                  int32_t height,
                                  int32_t bits,
                                  int32_t x,
                                  int32_t y) {
    const auto rowBytes = static_cast<size_t>(BmpRowBytes(width, bits));
    const size_t at = rowBytes * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x * bits / 8);
    return std::vector<uint8_t>(rows.begin() + static_cast<long>(at), rows.begin() + static_cast<long>(at + bits / 8));
}

TEST_F(BmpFileReaderTest, WidensSmallIndicesToBytesAndDeepPixelsToBlueGreenRed) {
    struct Case {
        uint16_t bits;
        uint32_t colorsUsed;
        uint32_t value;                // stored pixel value
        std::vector<uint8_t> widened;  // what the cutter gets
    };
    const Case cases[] = {
        {1, 2, 1, {1}},
        {4, 0, 0xB, {0xB}},
        {8, 0, 200, {200}},
        {16, 1, (31u << 10) | (16u << 5) | 1u, {8, 132, 255}},  // blue 1, green 16, red 31
        {24, 0, 0x30201, {1, 2, 3}},
        {32, 0, 0xFF030201u, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        BmpDescription d;
        d.width = 5;
        d.height = -3;  // top-down in the file, bottom-up in the result
        d.bitCount = c.bits;
        d.colorsUsed = c.colorsUsed;
        const uint32_t value = c.value;
        d.pixel = [value](int32_t x, int32_t y) { return x == 3 && y == 0 ? value : 0u; };
        ASSERT_TRUE(Opens(d)) << c.bits;
        const int32_t bits = c.bits <= 8 ? 8 : 24;
        EXPECT_EQ(reader.WidenedBitCount(), bits);
        std::vector<uint8_t> rows(reader.WidenedImageBytes());
        ASSERT_EQ(rows.size(), static_cast<size_t>(BmpRowBytes(5, bits)) * 3) << c.bits;
        ASSERT_TRUE(reader.ReadAllRowsWidened(rows.data(), rows.size())) << c.bits;
        EXPECT_EQ(WidenedPixel(rows, 5, 3, bits, 3, 0), c.widened) << c.bits << " bits";
        EXPECT_EQ(WidenedPixel(rows, 5, 3, bits, 2, 0), std::vector<uint8_t>(static_cast<size_t>(bits / 8), 0))
            << c.bits << " bits, the neighbour stays 0";
        EXPECT_FALSE(reader.ReadAllRowsWidened(rows.data(), rows.size() - 1));
    }
}

}  // namespace
