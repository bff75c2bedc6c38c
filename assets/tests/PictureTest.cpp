// The shipped pictures in the game folder: present where the game looks, in the sizes and
// formats the picture reader and cutter take, and credited.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/PackedDib.h"

namespace fs = std::filesystem;

namespace {

const fs::path kImages = fs::path(VEXLA_DIST_DIR) / "Image";

struct BmpInfo {
    bool ok = false;
    BitmapInfoHeader header{};
    uint32_t pixelOffset = 0;
    uintmax_t fileSize = 0;
};

BmpInfo ReadBmp(const fs::path& p) {
    BmpInfo info;
    std::ifstream in(p, std::ios::binary);
    unsigned char fileHeader[14];
    if (!in.read(reinterpret_cast<char*>(fileHeader), 14) || fileHeader[0] != 'B' || fileHeader[1] != 'M') return info;
    std::memcpy(&info.pixelOffset, fileHeader + 10, 4);
    if (!in.read(reinterpret_cast<char*>(&info.header), sizeof info.header)) return info;
    info.fileSize = fs::file_size(p);
    info.ok = true;
    return info;
}

class ShippedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kImages)) GTEST_SKIP() << "pictures not built yet";
    }
};

TEST_F(ShippedPictures, OpeningPicturesAndFiveFoldersOfAtLeastSix) {
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(fs::is_regular_file(kImages / ("foto" + std::to_string(i) + ".bmp"))) << "foto" << i;
    for (int folder = 0; folder < 5; ++folder) {
        int count = 0;
        for (const auto& e : fs::directory_iterator(kImages / std::to_string(folder)))
            count += e.path().extension() == ".bmp";
        EXPECT_GE(count, 6) << "Image/" << folder;
    }
}

TEST_F(ShippedPictures, EveryPictureIsAPlainBottomUpBitmapOfAPlayableSize) {
    std::map<int, int> depths;
    for (const auto& e : fs::recursive_directory_iterator(kImages)) {
        if (e.path().extension() != ".bmp") continue;
        BmpInfo b = ReadBmp(e.path());
        ASSERT_TRUE(b.ok) << e.path();
        const BitmapInfoHeader& h = b.header;
        EXPECT_EQ(h.biSize, 40u) << e.path();
        EXPECT_GE(h.biWidth, 640) << e.path();
        EXPECT_LE(h.biWidth, 1024) << e.path();
        EXPECT_GE(h.biHeight, 480) << e.path() << " (rows must be stored bottom-up)";
        EXPECT_LE(h.biHeight, 768) << e.path();
        EXPECT_EQ(h.biCompression, 0u) << e.path() << " must not be run-length encoded";
        EXPECT_TRUE(h.biBitCount == 8 || h.biBitCount == 24) << e.path();
        if (h.biBitCount == 8) {
            EXPECT_GT(h.biClrUsed, 0u) << e.path();
            EXPECT_EQ(b.pixelOffset, 54u + 4u * h.biClrUsed) << e.path();
        }
        uintmax_t rows = static_cast<uintmax_t>(DibRowBytes(h.biWidth, h.biBitCount)) * h.biHeight;
        // Every row is there (ImageMagick may pad the file by a couple of bytes).
        EXPECT_GE(b.fileSize, b.pixelOffset + rows) << e.path();
        EXPECT_LE(b.fileSize, b.pixelOffset + rows + 4) << e.path();
        ++depths[h.biBitCount];
    }
    EXPECT_GT(depths[8], 0) << "some pictures use a palette";
    EXPECT_GT(depths[24], 0) << "some pictures are true colour";
}

TEST_F(ShippedPictures, CreditsNameEveryPictureWithAuthorAndLicence) {
    std::ifstream in(fs::path(VEXLA_DIST_DIR) / "CREDITS.txt");
    ASSERT_TRUE(in) << "CREDITS.txt is missing";
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string credits = ss.str();
    for (const auto& e : fs::recursive_directory_iterator(kImages)) {
        if (e.path().extension() != ".bmp") continue;
        std::string rel = "Image\\" + fs::relative(e.path(), kImages).string();
        for (char& c : rel)
            if (c == '/') c = '\\';
        size_t at = credits.find(rel + "\n");
        ASSERT_NE(at, std::string::npos) << rel << " is not credited";
        size_t end = credits.find("\n\n", at);
        std::string entry = credits.substr(at, end - at);
        EXPECT_NE(entry.find("Debian package "), std::string::npos) << entry;
        EXPECT_NE(entry.find("Author: "), std::string::npos) << entry;
        EXPECT_NE(entry.find("Licence: "), std::string::npos) << entry;
        EXPECT_EQ(entry.find("Author: \n"), std::string::npos) << entry;
    }
}

}  // namespace
