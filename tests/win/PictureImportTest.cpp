// The player's own pictures under Wine: JPEG and PNG photos made here through the imaging
// component decode into 24-bit bottom-up .bmp files the picture reader accepts, exactly for PNG
// and within JPEG's loss for JPEG; transparency shows on white; a second import of the same
// photo gets a name of its own; whatever cannot be used is refused with its reason and leaves
// no file in the game's picture folder.
#include <windows.h>
#include <gtest/gtest.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "PhotoTestSupport.h"
#include "WinTestSupport.h"
#include "engine/BinaryFile.h"
#include "engine/BmpFileReader.h"
#include "platform/ComObject.h"
#include "platform/PictureImport.h"

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 64;
constexpr int kBlock = 32;  // side of the flat blocks the test photo is made of

// 0xAARRGGBB of the test photo at (x, y), rows from the top: flat blocks in eight colours.
uint32_t PhotoPixel(int x, int y) {
    constexpr uint32_t kColours[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                      0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF, 0xFF202020};
    return kColours[(y / kBlock) * (kWidth / kBlock) + x / kBlock];
}

// The .bmp's pixels as 0xRRGGBB, rows from the top; empty when the reader refuses it or it is
// not a 24-bit bottom-up picture.
std::vector<uint32_t> ReadBitmap(const std::string& path, int* width, int* height) {
    BmpFileReader reader;
    BitmapInfoHeader header{};
    if (!reader.Open(path.c_str()) || !reader.GetHeader(&header) || header.biBitCount != 24 || header.biHeight <= 0)
        return {};
    *width = header.biWidth;
    *height = header.biHeight;
    std::vector<uint8_t> rows(reader.StoredImageBytes());
    if (!reader.ReadAllRows(rows.data(), rows.size())) return {};
    const size_t rowBytes = rows.size() / static_cast<size_t>(*height);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < *height; ++y) {
        const uint8_t* row = rows.data() + rowBytes * static_cast<size_t>(*height - 1 - y);
        for (int x = 0; x < *width; ++x)
            pixels.push_back(uint32_t{row[3 * x]} | uint32_t{row[3 * x + 1]} << 8 | uint32_t{row[3 * x + 2]} << 16);
    }
    return pixels;
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8)
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return most;
}

class PictureImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string base = wintest::TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
        CreateDirectoryA(base.c_str(), nullptr);
        sources_ = base + "\\";
        folder_ = base + "\\MyPictures\\";
    }
    void TearDown() override {
        for (const std::string& dir : {folder_, sources_}) {
            for (const std::string& name : FilesIn(dir)) DeleteFileA((dir + name).c_str());
            RemoveDirectoryA(dir.c_str());
        }
    }
    static std::vector<std::string> FilesIn(const std::string& dir) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    std::string sources_;
    std::string folder_;
};

TEST_F(PictureImportTest, PngDecodesExactly) {
    const std::string photo = sources_ + "Garden.png";
    ASSERT_TRUE(phototest::WritePhoto(photo, GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel));
    const PictureImportResult result = ImportPicture(photo.c_str(), folder_);
    ASSERT_EQ(result.status, PictureImportStatus::Imported);
    EXPECT_EQ(result.path, folder_ + "Garden.bmp");
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = ReadBitmap(result.path, &width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(pixels[static_cast<size_t>(y * kWidth + x)], PhotoPixel(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST_F(PictureImportTest, JpegDecodesWithinItsLoss) {
    const std::string photo = sources_ + "Harbour.JPG";
    ASSERT_TRUE(phototest::WritePhoto(photo, GUID_ContainerFormatJpeg, kWidth, kHeight, PhotoPixel));
    const PictureImportResult result = ImportPicture(photo.c_str(), folder_);
    ASSERT_EQ(result.status, PictureImportStatus::Imported);
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = ReadBitmap(result.path, &width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    // JPEG blurs colour across block edges (its chroma is stored at half size in 8 x 8 cells):
    // inside each flat block, away from its edges, the colour holds.
    constexpr int kMargin = 8;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (x % kBlock < kMargin || x % kBlock >= kBlock - kMargin || y % kBlock < kMargin ||
                y % kBlock >= kBlock - kMargin)
                continue;
            ASSERT_LE(ChannelDistance(pixels[static_cast<size_t>(y * kWidth + x)], PhotoPixel(x, y)), 24)
                << x << "," << y;
        }
}

// A JPEG of the test photo with an EXIF block saying `orientation` right after its start marker.
bool WriteTurnedJpeg(const std::string& path, uint16_t orientation) {
    if (!phototest::WritePhoto(path, GUID_ContainerFormatJpeg, kWidth, kHeight, PhotoPixel)) return false;
    BinaryFile in;
    if (!in.OpenRead(path.c_str())) return false;
    std::vector<uint8_t> jpeg(static_cast<size_t>(in.Size()));
    if (!in.ReadExact(jpeg.data(), jpeg.size())) return false;
    in.Close();
    // APP1: "Exif\0\0", a little-endian TIFF header, one directory with the orientation only.
    const std::vector<uint8_t> app1 = {0xFF,
                                       0xE1,
                                       0x00,
                                       0x22,
                                       'E',
                                       'x',
                                       'i',
                                       'f',
                                       0,
                                       0,
                                       'I',
                                       'I',
                                       42,
                                       0,
                                       8,
                                       0,
                                       0,
                                       0,
                                       1,
                                       0,
                                       0x12,
                                       0x01,
                                       3,
                                       0,
                                       1,
                                       0,
                                       0,
                                       0,
                                       uint8_t(orientation),
                                       0,
                                       0,
                                       0,
                                       0,
                                       0,
                                       0,
                                       0};
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    BinaryFile out;
    return out.CreateWrite(path.c_str()) && out.WriteAll(jpeg.data(), jpeg.size());
}

TEST_F(PictureImportTest, JpegIsTurnedTheWayItsExifSays) {
    enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };
    // The stored photo's corner blocks, and which of them each orientation shows at its own
    // top-left, top-right and bottom-left corners.
    const uint32_t kCornerColour[] = {PhotoPixel(0, 0), PhotoPixel(kWidth - 1, 0), PhotoPixel(0, kHeight - 1),
                                      PhotoPixel(kWidth - 1, kHeight - 1)};
    const struct {
        uint16_t orientation;
        Corner topLeft, topRight, bottomLeft;
    } kCases[] = {
        {1, TopLeft, TopRight, BottomLeft},     {2, TopRight, TopLeft, BottomRight},
        {3, BottomRight, BottomLeft, TopRight}, {4, BottomLeft, BottomRight, TopLeft},
        {5, TopLeft, BottomLeft, TopRight},     {6, BottomLeft, TopLeft, BottomRight},
        {7, BottomRight, TopRight, BottomLeft}, {8, TopRight, BottomRight, TopLeft},
    };
    constexpr int kInside = 12;  // away from the blurred block edges
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.orientation);
        const std::string photo = sources_ + "Turned" + std::to_string(c.orientation) + ".jpg";
        ASSERT_TRUE(WriteTurnedJpeg(photo, c.orientation));
        const PictureImportResult result = ImportPicture(photo.c_str(), folder_);
        ASSERT_EQ(result.status, PictureImportStatus::Imported);
        int width = 0, height = 0;
        const std::vector<uint32_t> pixels = ReadBitmap(result.path, &width, &height);
        const bool sideways = c.orientation >= 5;
        ASSERT_EQ(width, sideways ? kHeight : kWidth);
        ASSERT_EQ(height, sideways ? kWidth : kHeight);
        const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; };
        EXPECT_LE(ChannelDistance(at(kInside, kInside), kCornerColour[c.topLeft]), 24);
        EXPECT_LE(ChannelDistance(at(width - 1 - kInside, kInside), kCornerColour[c.topRight]), 24);
        EXPECT_LE(ChannelDistance(at(kInside, height - 1 - kInside), kCornerColour[c.bottomLeft]), 24);
    }
}

TEST_F(PictureImportTest, TransparencyShowsOnWhite) {
    const std::string photo = sources_ + "Glass.png";
    // Left half opaque red, right half blue at a quarter coverage.
    const auto pixel = [](int x, int) { return x < 4 ? 0xFFFF0000u : 0x400000FFu; };
    ASSERT_TRUE(phototest::WritePhoto(photo, GUID_ContainerFormatPng, 8, 2, pixel));
    const PictureImportResult result = ImportPicture(photo.c_str(), folder_);
    ASSERT_EQ(result.status, PictureImportStatus::Imported);
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = ReadBitmap(result.path, &width, &height);
    ASSERT_EQ(pixels.size(), 16u);
    EXPECT_EQ(pixels[0], 0xFF0000u);
    // A quarter blue over white: red and green 255 x 3/4, blue full.
    EXPECT_LE(ChannelDistance(pixels[7], 0xBFBFFFu), 1) << std::hex << pixels[7];
}

// A taken name, whether by an earlier import or by a folder, is passed over for the next number.
TEST_F(PictureImportTest, EachImportOfTheSamePhotoGetsItsOwnName) {
    const std::string photo = sources_ + "Garden.png";
    ASSERT_TRUE(phototest::WritePhoto(photo, GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel));
    const PictureImportResult first = ImportPicture(photo.c_str(), folder_);
    const PictureImportResult second = ImportPicture(photo.c_str(), folder_);
    const std::string folderInTheWay = folder_ + "Garden (3).bmp";
    ASSERT_TRUE(CreateDirectoryA(folderInTheWay.c_str(), nullptr));
    const PictureImportResult third = ImportPicture(photo.c_str(), folder_);
    RemoveDirectoryA(folderInTheWay.c_str());
    ASSERT_EQ(first.status, PictureImportStatus::Imported);
    ASSERT_EQ(second.status, PictureImportStatus::Imported);
    ASSERT_EQ(third.status, PictureImportStatus::Imported);
    EXPECT_EQ(first.path, folder_ + "Garden.bmp");
    EXPECT_EQ(second.path, folder_ + "Garden (2).bmp");
    EXPECT_EQ(third.path, folder_ + "Garden (4).bmp");
    EXPECT_EQ(FilesIn(folder_).size(), 3u);
}

TEST_F(PictureImportTest, AFolderThatCannotBeMadeIsAWriteFailure) {
    const std::string photo = sources_ + "Garden.png";
    ASSERT_TRUE(phototest::WritePhoto(photo, GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel));
    const std::string unreachable = sources_ + "missing\\deeper\\MyPictures\\";
    const PictureImportResult result = ImportPicture(photo.c_str(), unreachable);
    EXPECT_EQ(result.status, PictureImportStatus::CannotWrite);
    EXPECT_TRUE(result.path.empty());
    EXPECT_EQ(GetFileAttributesA((sources_ + "missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PictureImportTest, BitmapIsTakenWhereItLies) {
    const std::string picture = sources_ + "Plain.bmp";
    ASSERT_TRUE(phototest::WritePhoto(sources_ + "Plain.png", GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel));
    const PictureImportResult converted = ImportPicture((sources_ + "Plain.png").c_str(), folder_);
    ASSERT_EQ(converted.status, PictureImportStatus::Imported);
    ASSERT_TRUE(MoveFileA(converted.path.c_str(), picture.c_str()));
    const PictureImportResult result = ImportPicture(picture.c_str(), folder_);
    EXPECT_EQ(result.status, PictureImportStatus::Imported);
    EXPECT_EQ(result.path, picture);
    EXPECT_TRUE(FilesIn(folder_).empty());
}

// Files that cannot become a puzzle picture: each is refused with its reason, nothing is left.
TEST_F(PictureImportTest, UnusableFilesAreRefusedWithoutLeavingAFile) {
    ASSERT_TRUE(phototest::WritePhoto(sources_ + "Whole.png", GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel));
    ASSERT_TRUE(phototest::WritePhoto(sources_ + "Whole.jpg", GUID_ContainerFormatJpeg, kWidth, kHeight, PhotoPixel));
    ASSERT_TRUE(phototest::WritePhoto(sources_ + "Long.png", GUID_ContainerFormatPng, kMaxImportedSide + 1, 1,
                                      [](int, int) { return 0xFF808080u; }));
    // Damaged copies: the first half of each file, and each file with its middle overwritten.
    const auto damage = [&](const std::string& from, const std::string& to, bool truncate) {
        BinaryFile in;
        ASSERT_TRUE(in.OpenRead((sources_ + from).c_str()));
        std::vector<uint8_t> bytes(static_cast<size_t>(in.Size()));
        ASSERT_TRUE(in.ReadExact(bytes.data(), bytes.size()));
        if (truncate)
            bytes.resize(bytes.size() / 2);
        else
            for (size_t i = bytes.size() / 4; i < bytes.size() * 3 / 4; ++i) bytes[i] = 0xFF;
        BinaryFile out;
        ASSERT_TRUE(out.CreateWrite((sources_ + to).c_str()));
        ASSERT_TRUE(out.WriteAll(bytes.data(), bytes.size()));
    };
    damage("Whole.png", "Half.png", true);
    damage("Whole.jpg", "Half.jpg", true);
    damage("Whole.png", "Scratched.png", false);
    for (const char* name : {"Empty.jpg", "Empty.png", "Empty.bmp", "Notes.txt"}) {
        BinaryFile empty;
        ASSERT_TRUE(empty.CreateWrite((sources_ + name).c_str()));
    }
    const struct {
        const char* name;
        PictureImportStatus status;
    } kCases[] = {
        {"Half.png", PictureImportStatus::CannotDecode},      {"Half.jpg", PictureImportStatus::CannotDecode},
        {"Scratched.png", PictureImportStatus::CannotDecode}, {"Empty.jpg", PictureImportStatus::CannotDecode},
        {"Empty.png", PictureImportStatus::CannotDecode},     {"Empty.bmp", PictureImportStatus::Refused},
        {"Notes.txt", PictureImportStatus::Unsupported},      {"Missing.png", PictureImportStatus::NotFound},
        {"Long.png", PictureImportStatus::TooLarge},
    };
    for (const auto& c : kCases) {
        const PictureImportResult result = ImportPicture((sources_ + c.name).c_str(), folder_);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_TRUE(result.path.empty()) << c.name;
        EXPECT_TRUE(FilesIn(folder_).empty()) << c.name;
    }
}

}  // namespace
