// The wallpaper under Wine: the picture fitted to the screen lands in the Windows directory as
// "Vexla.bmp" (the picture resampled, bottom-up), the registry says "TileWallpaper" = "0" and
// the desktop's wallpaper is that file; a write that fails leaves the file, the registry and
// the desktop as they were; an earlier read-only copy is replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "engine/BinaryFile.h"
#include "engine/BmpFileReader.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Handles.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

std::string DesktopValue(const char* name) {
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE);
    char value[MAX_PATH + 1] = "";
    DWORD bytes = MAX_PATH;
    DWORD type = 0;
    if (!key ||
        RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS) {
        return "(none)";
    }
    return type == REG_SZ ? std::string(value) : "(not a string)";
}

void SetTile(const char* value) {
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    ASSERT_TRUE(key);
    ASSERT_EQ(RegSetValueExA(key.get(), "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(strlen(value) + 1)),
              ERROR_SUCCESS);
}

std::string SystemWallpaper() {
    char path[MAX_PATH] = "";
    return SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0) ? path : "(failed)";
}

bool SetSystemWallpaper(const std::string& path) {
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), SPIF_UPDATEINIFILE) != 0;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    BinaryFile file;
    if (!file.OpenRead(path.c_str())) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
    if (!file.ReadExact(bytes.data(), bytes.size())) return {};
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    BinaryFile file;
    return file.CreateWrite(path.c_str()) && file.WriteAll(bytes.data(), bytes.size());
}

// 8-bit palette pictures and 24-bit pictures whose pixels differ from their neighbours'.
BmpDescription Picture(int32_t width, int32_t height, uint16_t bitCount) {
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bitCount = bitCount;
    d.pixel = [bitCount](int32_t x, int32_t y) {
        const auto v = static_cast<uint32_t>(x * 7 + y * 13);
        return bitCount == 8 ? v % 256 : v * 0x010203u;
    };
    return d;
}

// Every test runs against the prefix's real desktop, which is put back as it was afterwards.
class WallpaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the runner's screen";
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
        path_ = WallpaperFilePath();
        ASSERT_FALSE(path_.empty());
        savedWallpaper_ = SystemWallpaper();
        savedTile_ = DesktopValue("TileWallpaper");
        Remove(path_);
        picturePath_ = wintest::TempPath("picture.bmp");
        sentinelPath_ = wintest::TempPath("sentinel.bmp");
        ASSERT_TRUE(WriteFileBytes(sentinelPath_, BuildBmp(Picture(8, 8, 24))));
    }
    void TearDown() override {
        if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
        picture_.Close();
        Remove(path_);
        DeleteFileA(picturePath_.c_str());
        SetSystemWallpaper(savedWallpaper_ == "(failed)" ? "" : savedWallpaper_);
        if (savedTile_ != "(none)") SetTile(savedTile_.c_str());
        DeleteFileA(sentinelPath_.c_str());
    }
    static void Remove(const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    void OpenPicture(const BmpDescription& d) {
        ASSERT_TRUE(WriteFileBytes(picturePath_, BuildBmp(d)));
        ASSERT_TRUE(picture_.Open(picturePath_.c_str()));
    }
    // A desktop that shows another picture, tiled, and an old wallpaper file.
    void SetOldDesktop(const std::vector<uint8_t>& oldFile) {
        ASSERT_TRUE(SetSystemWallpaper(sentinelPath_));
        SetTile("1");
        ASSERT_TRUE(WriteFileBytes(path_, oldFile));
    }
    void Hold() {
        holder_ = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder_, INVALID_HANDLE_VALUE);
    }

    std::string path_, picturePath_, sentinelPath_, savedWallpaper_, savedTile_;
    BmpFileReader picture_;
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_F(WallpaperTest, PictureFittedToTheScreenBecomesTheWallpaper) {
    const struct {
        BmpDescription picture;
        int32_t width, height;
    } cases[] = {
        {Picture(200, 150, 8), 1024, 768},
        {Picture(150, -200, 24), 576, 768},  // top-down: fitted by its height, written bottom-up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.picture.width) + " x " + std::to_string(c.picture.height));
        OpenPicture(c.picture);
        SetOldDesktop({1, 2, 3});
        ASSERT_TRUE(SetPictureAsWallpaper(picture_, {1024, 768}));

        BmpFileReader written;
        ASSERT_TRUE(written.Open(path_.c_str()));
        EXPECT_EQ(written.GetSize().width, c.width);
        EXPECT_EQ(written.GetSize().height, c.height);
        std::vector<uint8_t> rows(written.StoredImageBytes());
        ASSERT_TRUE(written.ReadAllRows(rows.data(), rows.size()));
        std::vector<uint8_t> resampled(picture_.ScaledImageBytes(c.width, c.height));
        ASSERT_TRUE(picture_.ReadScaled(c.width, c.height, resampled.data(), resampled.size()));
        EXPECT_TRUE(rows == resampled) << "the file holds the picture resampled";
        written.Close();

        EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
        EXPECT_EQ(DesktopValue("Wallpaper"), path_);
        EXPECT_EQ(SystemWallpaper(), path_);
        EXPECT_FALSE(BinaryFile::Exists((path_ + ".tmp").c_str()));
        picture_.Close();
    }
}

TEST_F(WallpaperTest, FailedWriteLeavesFileRegistryAndDesktopAlone) {
    const std::vector<uint8_t> oldFile{'o', 'l', 'd'};
    const struct {
        const char* what;
        bool openPicture;
        bool holdFile;
        bool readOnly;
    } cases[] = {
        {"no picture to read", false, false, false},
        {"the file held open by another program", true, true, false},
        {"a read-only file held open", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.openPicture) OpenPicture(Picture(200, 150, 8));
        SetOldDesktop(oldFile);
        if (c.readOnly) {
            ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        if (c.holdFile) Hold();

        EXPECT_FALSE(SetPictureAsWallpaper(picture_, {1024, 768}));
        if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
        holder_ = INVALID_HANDLE_VALUE;
        EXPECT_EQ(FileBytes(path_), oldFile);
        EXPECT_EQ((GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, c.readOnly);
        EXPECT_FALSE(BinaryFile::Exists((path_ + ".tmp").c_str()));
        EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
        EXPECT_EQ(SystemWallpaper(), sentinelPath_);
        Remove(path_);
        picture_.Close();
    }
}

TEST_F(WallpaperTest, EarlierReadOnlyCopyIsReplaced) {
    OpenPicture(Picture(200, 150, 8));
    SetOldDesktop({'o', 'l', 'd'});
    ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetPictureAsWallpaper(picture_, {1024, 768}));
    BmpFileReader written;
    ASSERT_TRUE(written.Open(path_.c_str()));
    EXPECT_EQ(written.GetSize().width, 1024);
    EXPECT_EQ(SystemWallpaper(), path_);
}

}  // namespace
