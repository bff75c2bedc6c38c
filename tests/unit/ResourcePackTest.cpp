// The resource pack reader against packs written by the pack writer, and against damaged ones.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BinaryFile.h"
#include "engine/ResourcePack.h"
#include "tools/PackWriter.h"

namespace {

class ResourcePackTest : public ::testing::Test {
protected:
    std::string PathFor(const char* name) {
        auto dir = std::filesystem::temp_directory_path() /
                   ("vexla_pack_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dir);
        return (dir / name).string();
    }
    std::string Write(const std::vector<uint8_t>& bytes, const char* name = "vexla.rf") {
        std::string path = PathFor(name);
        BinaryFile f;
        EXPECT_TRUE(f.CreateWrite(path.c_str()));
        EXPECT_TRUE(f.WriteAll(bytes.data(), bytes.size()));
        return path;
    }
    ResourcePack pack;
};

std::vector<RgbQuad> Greys(int n) {
    std::vector<RgbQuad> p;
    for (int i = 0; i < n; ++i) p.push_back({uint8_t(i * 16), uint8_t(i * 16), uint8_t(i * 16), 0});
    return p;
}

TEST_F(ResourcePackTest, SixteenColourRecordKeepsPixelsAt1064) {
    // 3 x 2 pixels, rows padded to 4 bytes, stored bottom-up.
    const uint8_t topDown[] = {1, 2, 3, 4, 5, 6};
    PackWriter w;
    w.AddImage8(111, 3, 2, Greys(16), topDown, 3);
    ASSERT_TRUE(pack.Open(Write(w.Bytes()).c_str()));
    EXPECT_EQ(pack.Count(), 1u);

    auto dib = pack.Read(111);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->header.biClrUsed, 16u);
    EXPECT_EQ(dib->header.biSizeImage, 8u);
    EXPECT_EQ(dib->palette[15].rgbRed, 240);
    EXPECT_EQ(dib->palette[16].rgbRed, 0) << "room after the palette is empty";
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(dib.get());
    const uint8_t bottomRowFirst[] = {4, 5, 6, 0, 1, 2, 3, 0};
    EXPECT_EQ(std::memcmp(raw + 1064, bottomRowFirst, 3), 0);
    EXPECT_EQ(std::memcmp(raw + 1068, bottomRowFirst + 4, 3), 0);
    EXPECT_EQ(raw[40 + 4 * 3], 48) << "palette entry 3 sits at byte 52";
}

TEST_F(ResourcePackTest, FirstOfTwoEntriesWithOneIdWinsAndUnknownIdsFail) {
    const uint8_t a[] = {7}, b[] = {9};
    PackWriter w;
    w.AddImage8(5, 1, 1, Greys(2), a, 1);
    w.AddImage8(112, 1, 1, Greys(2), a, 1);
    w.AddImage8(112, 1, 1, Greys(2), b, 1);
    ASSERT_TRUE(pack.Open(Write(w.Bytes()).c_str()));
    auto dib = pack.Read(112);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->Pixels()[0], 7);
    EXPECT_EQ(pack.Find(112), 1);
    EXPECT_EQ(pack.Find(113), -1);
    EXPECT_EQ(pack.Read(113), nullptr);
}

TEST_F(ResourcePackTest, TwentyFourBitRecordHasNoPalette) {
    const uint8_t bgr[] = {10, 20, 30, 40, 50, 60};  // 2 x 1
    PackWriter w;
    w.AddImage24(103, 2, 1, bgr, 6);
    ASSERT_TRUE(pack.Open(Write(w.Bytes()).c_str()));
    auto dib = pack.Read(103);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->header.biBitCount, 24);
    EXPECT_EQ(dib->header.biSizeImage, 8u);
    EXPECT_EQ(dib->Pixels()[5], 60);
}

TEST_F(ResourcePackTest, DirectoryThatDoesNotFitTheFileIsRefused) {
    PackWriter w;
    const uint8_t px[] = {1};
    w.AddImage8(1, 1, 1, Greys(2), px, 1);
    std::vector<uint8_t> bytes = w.Bytes();
    // Claim far more entries than the file holds.
    uint32_t huge = 0x10000000;
    std::memcpy(&bytes[bytes.size() - 4], &huge, 4);
    EXPECT_FALSE(pack.Open(Write(bytes).c_str()));
    EXPECT_FALSE(pack.IsOpen());
    EXPECT_EQ(pack.Read(1), nullptr);

    EXPECT_FALSE(pack.Open(Write({1, 2}, "tiny.rf").c_str())) << "shorter than the count itself";
    EXPECT_FALSE(pack.Open(PathFor("missing.rf").c_str()));
}

TEST_F(ResourcePackTest, EmptyPackOpensAndFindsNothing) {
    ASSERT_TRUE(pack.Open(Write(PackWriter().Bytes()).c_str()));
    EXPECT_EQ(pack.Count(), 0u);
    EXPECT_EQ(pack.Read(111), nullptr);
}

TEST_F(ResourcePackTest, DamagedRecordsAreRefused) {
    BitmapInfoHeader h{};
    h.biSize = 40;
    h.biWidth = 4;
    h.biHeight = 4;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = 16;

    PackWriter w;
    BitmapInfoHeader pastEnd = h;  // declares more pixels than the file holds
    pastEnd.biSizeImage = 1u << 30;
    w.AddRaw(1, pastEnd, {}, std::vector<uint8_t>(16));
    BitmapInfoHeader tooFewPixels = h;  // rows would be read past the block
    tooFewPixels.biSizeImage = 8;
    w.AddRaw(2, tooFewPixels, {}, std::vector<uint8_t>(8));
    BitmapInfoHeader bigPalette = h;
    bigPalette.biClrUsed = 257;
    w.AddRaw(3, bigPalette, std::vector<RgbQuad>(257), std::vector<uint8_t>(16));
    BitmapInfoHeader negativeWidth = h;
    negativeWidth.biWidth = -4;
    w.AddRaw(4, negativeWidth, {}, std::vector<uint8_t>(16));
    w.AddRaw(5, h, {}, std::vector<uint8_t>(16));  // the one good record
    std::vector<uint8_t> bytes = w.Bytes();
    ASSERT_TRUE(pack.Open(Write(bytes).c_str()));
    for (uint32_t id = 1; id <= 4; ++id) EXPECT_EQ(pack.Read(id), nullptr) << "record " << id;
    EXPECT_NE(pack.Read(5), nullptr);

    // An entry whose offset points past the end of the file.
    PackWriter far;
    far.AddRaw(9, h, {}, std::vector<uint8_t>(16));
    std::vector<uint8_t> farBytes = far.Bytes();
    farBytes[farBytes.size() - 4 - 16 + 8] = 0xFF;   // offset low byte
    farBytes[farBytes.size() - 4 - 16 + 12] = 0x7F;  // offset high double word
    ASSERT_TRUE(pack.Open(Write(farBytes, "far.rf").c_str()));
    EXPECT_EQ(pack.Read(9), nullptr);
}

// Records whose rows, counted in 32 bits, wrap round to a few bytes; sides past the limit of
// 16384; layouts other than plain rows. Each record carries exactly the pixel bytes it
// declares, so only the header decides.
TEST_F(ResourcePackTest, RecordSizesAreCheckedWithoutWrapping) {
    struct Case {
        const char* what;
        int32_t width;
        int32_t height;
        uint16_t bits;
        uint32_t compression;
        uint32_t pixelBytes;
        bool usable;
    };
    const Case cases[] = {
        {"24-bit row of 2^32 + 4 bytes", 1431655766, 1, 24, 0, 4, false},
        {"24-bit row of 2^32 + 8 bytes", 1431655768, 1, 24, 0, 8, false},
        {"32-bit rows of 2^32 bytes, two of them", 1073741824, 2, 32, 0, 16, false},
        {"32-bit row of 2^32 + 4 bytes", 1073741825, 1, 32, 0, 4, false},
        {"width one past the limit", 16385, 1, 8, 0, 16388, false},
        {"height one past the limit", 1, 16385, 1, 0, 65540, false},
        {"run-length encoded", 4, 4, 8, 1, 16, false},
        {"bit-field masks", 4, 4, 32, 3, 64, false},
        {"width at the limit", 16384, 1, 8, 0, 16384, true},
        {"height at the limit", 1, 16384, 1, 0, 65536, true},
        {"24-bit, 3 x 2", 3, 2, 24, 0, 24, true},
    };
    PackWriter w;
    uint32_t id = 1;
    for (const Case& c : cases) {
        BitmapInfoHeader h{};
        h.biSize = 40;
        h.biWidth = c.width;
        h.biHeight = c.height;
        h.biPlanes = 1;
        h.biBitCount = c.bits;
        h.biCompression = c.compression;
        h.biSizeImage = c.pixelBytes;
        w.AddRaw(id++, h, {}, std::vector<uint8_t>(c.pixelBytes, 0x5A));
    }
    ASSERT_TRUE(pack.Open(Write(w.Bytes()).c_str()));
    id = 1;
    for (const Case& c : cases) {
        auto dib = pack.Read(id++);
        EXPECT_EQ(dib != nullptr, c.usable) << c.what;
        if (dib) {
            EXPECT_EQ(dib->Pixels()[c.pixelBytes - 1], 0x5A) << c.what;
        }
    }
}

TEST_F(ResourcePackTest, LongerHeaderSizeFieldIsHandedOutAsFortyBytes) {
    // The record's palette follows its first 40 bytes whatever biSize says, and in the block
    // it sits at 40, where Windows looks for it only if biSize says so.
    BitmapInfoHeader h{};
    h.biSize = 124;
    h.biWidth = 1;
    h.biHeight = 1;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = 4;
    h.biClrUsed = 2;
    PackWriter w;
    w.AddRaw(7, h, Greys(2), std::vector<uint8_t>(4, 1));
    ASSERT_TRUE(pack.Open(Write(w.Bytes()).c_str()));
    auto dib = pack.Read(7);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->header.biSize, 40u);
    EXPECT_EQ(dib->palette[1].rgbRed, 16);
}

}  // namespace
