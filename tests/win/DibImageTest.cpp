// The bitmap object under Wine: loading from packs and files, both modes of Resize, palettes,
// and what DrawBlock and PaintFromBlock really put on a device context (read back by pixel).
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/ResourcePackFile.h"

namespace {

using wintest::PixelCanvas;

// 4 x 3, palette entry i is (i*20, 255-i*20, i), pixel (x, y) holds index y*4+x+1.
std::vector<RgbQuad> RampPalette() {
    std::vector<RgbQuad> p;
    for (int i = 0; i < 16; ++i) p.push_back({uint8_t(i), uint8_t(255 - i * 20), uint8_t(i * 20), 0});
    return p;
}
uint32_t RampColour(int x, int y) {
    int i = y * 4 + x + 1;
    return (uint32_t(i * 20) << 16) | (uint32_t(255 - i * 20) << 8) | uint32_t(i);
}

class DibImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        uint8_t indices[12];
        for (int i = 0; i < 12; ++i) indices[i] = uint8_t(i + 1);
        uint8_t bgr[2 * 2 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        PackWriter w;
        w.AddImage8(1, 4, 3, RampPalette(), indices, 4);
        w.AddImage24(2, 2, 2, bgr, 6);
        packPath_ = wintest::TempPath("pack.rf");
        ASSERT_TRUE(w.WriteTo(packPath_));
        ASSERT_TRUE(pack_.Open(packPath_.c_str()));
    }
    void TearDown() override {
        pack_.Close();
        DeleteFileA(packPath_.c_str());
    }
    std::string packPath_;
    ResourcePack pack_;
};

TEST_F(DibImageTest, DrawBlockCopiesFromTheTopLeftOfTheImage) {
    DibImage image;
    ASSERT_TRUE(image.LoadFromPack(pack_, 1));
    EXPECT_EQ(image.GetSize(), (Point{4, 3}));

    PixelCanvas canvas(20, 20);
    DrawBlock(canvas.dc(), 10, 10, 2, 2, image.GetDib(), 1, 1);
    EXPECT_EQ(canvas.Pixel(10, 10), RampColour(1, 1));
    EXPECT_EQ(canvas.Pixel(11, 10), RampColour(2, 1));
    EXPECT_EQ(canvas.Pixel(11, 11), RampColour(2, 2));
    EXPECT_EQ(canvas.Pixel(12, 12), 0x123456u) << "nothing outside the block";
    EXPECT_EQ(canvas.Pixel(9, 9), 0x123456u);

    DrawBlock(canvas.dc(), 0, 0, 0, 5, image.GetDib(), 0, 0);  // zero width draws nothing
    EXPECT_EQ(canvas.Pixel(0, 0), 0x123456u);
}

TEST_F(DibImageTest, PaintFromBlockUsesTheSameRectangleOfTheBackBuffer) {
    DibImage image;
    ASSERT_TRUE(image.LoadFromPack(pack_, 2));
    PixelCanvas canvas(4, 4);
    PaintFromBlock(canvas.dc(), RECT{1, 0, 2, 2}, image.GetDib());
    EXPECT_EQ(canvas.Pixel(1, 0), 0x060504u) << "24-bit top row, second pixel";
    EXPECT_EQ(canvas.Pixel(1, 1), 0x0C0B0Au);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x123456u);

    PaintFromBlock(canvas.dc(), RECT{0, 0, 4, 4}, nullptr);
    EXPECT_EQ(canvas.Pixel(3, 3), 0u) << "no image paints black";
}

TEST_F(DibImageTest, AFailedLoadKeepsThePicture) {
    DibImage image;
    ASSERT_TRUE(image.LoadFromPack(pack_, 1));
    PackedDib* before = image.GetDib();
    EXPECT_FALSE(image.LoadFromPack(pack_, 999));
    EXPECT_EQ(image.GetDib(), before);
    EXPECT_EQ(image.GetSize(), (Point{4, 3}));
}

TEST_F(DibImageTest, LoadByIdReadsTheProgramPackWhichIsExclusive) {
    pack_.Close();
    OpenResourcePack(packPath_.c_str());
    ASSERT_TRUE(Pack.IsOpen());
    ResourcePack second;
    EXPECT_FALSE(second.Open(packPath_.c_str())) << "share mode 0 keeps other openers out";

    DibImage image;
    EXPECT_TRUE(image.LoadById(2));
    EXPECT_EQ(image.GetSize(), (Point{2, 2}));
    CloseResourcePack();
    EXPECT_TRUE(second.Open(packPath_.c_str()));
}

TEST(DibImageResize, DibModeMakesAnEightBitBlockWithPaddedRows) {
    DibImage image;
    ASSERT_TRUE(image.Resize(5, 3, false));
    const PackedDib* dib = image.GetDib();
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->header.biBitCount, 8);
    EXPECT_EQ(dib->header.biSizeImage, 24u);
    EXPECT_EQ(dib->header.biClrUsed, 0u);
    EXPECT_EQ(image.GetSize(), (Point{5, 3}));
}

Point BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) == 0) return Point{-1, -1};
    return Point{info.bmWidth, info.bmHeight};
}

TEST(DibImageResize, DeviceModeAllocationOnlyGrowsUnlessExact) {
    DibImage image(true);
    ASSERT_TRUE(image.Resize(100, 50, false));
    EXPECT_EQ(BitmapSize(image.GetBitmap()), (Point{100, 50}));

    ASSERT_TRUE(image.Resize(40, 30, false));
    EXPECT_EQ(image.GetSize(), (Point{40, 30}));
    EXPECT_EQ(BitmapSize(image.GetBitmap()), (Point{100, 50})) << "smaller: the allocation is kept";

    ASSERT_TRUE(image.Resize(120, 10, false));
    EXPECT_EQ(image.GetSize(), (Point{120, 10}));
    EXPECT_EQ(BitmapSize(image.GetBitmap()), (Point{120, 50})) << "growing keeps the larger height";

    ASSERT_TRUE(image.Resize(20, 20, true));
    EXPECT_EQ(BitmapSize(image.GetBitmap()), (Point{20, 20}));
    EXPECT_FALSE(image.Resize(0, 10, false));
    EXPECT_EQ(image.GetSize(), (Point{20, 20}));
}

HBITMAP MakePaletteBitmap(int width, int height) {
    std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 8;
    info->bmiHeader.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) info->bmiColors[i] = RGBQUAD{uint8_t(i), 0, uint8_t(255 - i), 0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

TEST(DibImageAttach, PaletteBitmapsBringTheirColoursAndOwnershipIsHonoured) {
    DibImage image(true);
    HBITMAP owned = MakePaletteBitmap(8, 6);
    ASSERT_TRUE(image.AttachBitmap(owned, true));
    EXPECT_EQ(image.GetSize(), (Point{8, 6}));
    HPALETTE palette = image.GetPalette();
    ASSERT_NE(palette, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(palette, 10, 1, &entry), 1u);
    EXPECT_EQ(entry.peRed, 245);
    EXPECT_EQ(entry.peBlue, 10);

    HBITMAP borrowed = MakePaletteBitmap(3, 3);
    ASSERT_TRUE(image.AttachBitmap(borrowed, false));
    EXPECT_EQ(BitmapSize(owned), (Point{-1, -1})) << "the owned bitmap was deleted when replaced";

    ASSERT_TRUE(image.Resize(5, 5, true));
    EXPECT_EQ(BitmapSize(borrowed), (Point{3, 3})) << "a borrowed bitmap is never deleted";
    DeleteObject(borrowed);
}

TEST(DibImageLoadFromFile, ReadsABmpFileAndRefusesMissingOnes) {
    const int width = 3, height = 2, row = 12;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + row * height;
    std::string path = wintest::TempPath("file.bmp");
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        std::vector<char> pixels(row * height, 0x40);
        out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    }
    DibImage image(true);
    EXPECT_FALSE(image.LoadFromFile(nullptr));
    EXPECT_FALSE(image.LoadFromFile((path + ".missing").c_str()));
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(image.GetSize(), (Point{3, 2}));
    EXPECT_EQ(GetPixel(image.GetDC(), 1, 1), RGB(0x40, 0x40, 0x40));
    DeleteFileA(path.c_str());
}

TEST(InvalidateAreaTest, InvalidatesFromOriginToOriginPlusSize) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    wintest::Pump(50);
    ValidateRect(window, nullptr);
    EXPECT_TRUE(InvalidateArea(window, Point{10, 10}, Point{20, 5}, false));
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 10);
    EXPECT_EQ(update.right, 30);
    EXPECT_EQ(update.bottom, 15);
    DestroyWindow(window);
}

}  // namespace
