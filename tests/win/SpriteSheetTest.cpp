// Sprite sheets under Wine: which part of the sheet a frame comes from, masked drawing into
// memory and onto device contexts (PackedDib and device-context sheets), single-operation
// draws, saving and restoring the background, invalidation of the owner window, and the
// refusals that keep the frame size sane.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "WinTestSupport.h"
#include "engine/DibBlit.h"
#include "gfx/SpriteSheet.h"

namespace {

using DibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;
using wintest::PixelCanvas;

// An image whose palette entry i is grey (i, i, i); coordinates from the top-left.
DibPtr MakeDib(int32_t width, int32_t height, uint16_t bits, uint8_t fill) {
    const int32_t row = DibRowBytes(width, bits);
    DibPtr dib(AllocPackedDib(static_cast<size_t>(row) * height));
    BitmapInfoHeader& h = dib->header;
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biSizeImage = static_cast<uint32_t>(row * height);
    h.biClrUsed = bits == 8 ? 256 : 0;
    for (int i = 0; i < 256; ++i) dib->palette[i] = RgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    std::memset(dib->Pixels(), fill, h.biSizeImage);
    return dib;
}

uint8_t* At(PackedDib* dib, int32_t x, int32_t y) {
    const int32_t bytes = dib->header.biBitCount / 8;
    return dib->Pixels() + (dib->header.biHeight - 1 - y) * DibRowBytes(dib->header.biWidth, dib->header.biBitCount) +
           x * bytes;
}

void FillRect(PackedDib* dib, int32_t x0, int32_t y0, int32_t w, int32_t h, uint8_t value) {
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x) std::memset(At(dib, x, y), value, dib->header.biBitCount / 8);
}

// 200 x 120, 4 columns and 3 masked rows: frames of 50 x 20. Everything is 0x81 except frame
// 5, whose left half is opaque (picture 0x3C, mask black) and right half transparent
// (picture black, mask white).
DibPtr MaskedSheet() {
    DibPtr sheet = MakeDib(200, 120, 8, 0x81);
    FillRect(sheet.get(), 50, 40, 25, 20, 0x3C);
    FillRect(sheet.get(), 75, 40, 25, 20, 0x00);
    FillRect(sheet.get(), 50, 60, 25, 20, 0x00);
    FillRect(sheet.get(), 75, 60, 25, 20, 0xFF);
    return sheet;
}

TEST(SpriteSheet, FrameSizeFollowsRowsColumnsAndTheMask) {
    DibPtr sheet = MakeDib(200, 120, 8, 0);
    SpriteSheet sprites;
    EXPECT_TRUE(sprites.SetSheet(sheet.get(), true));
    EXPECT_EQ(sprites.FrameSize(), (Point{200, 60})) << "one row, one column, masked: half the height";
    sprites.SetColumns(4);
    sprites.SetRows(3);
    EXPECT_EQ(sprites.FrameSize(), (Point{50, 20}));
    EXPECT_EQ(sprites.GetColumns(), 4);
    EXPECT_EQ(sprites.GetRows(), 3);
    sprites.SetSheet(sheet.get(), false);
    EXPECT_EQ(sprites.FrameSize(), (Point{50, 40})) << "the counts stay when the sheet changes";

    sprites.SetColumns(0);
    sprites.SetRows(-2);
    EXPECT_EQ(sprites.GetColumns(), 4) << "no sheet has zero columns";
    EXPECT_EQ(sprites.GetRows(), 3);
    EXPECT_EQ(sprites.FrameSize(), (Point{50, 40}));

    SpriteSheet unset;
    unset.SetColumns(7);
    EXPECT_EQ(unset.FrameSize(), (Point{0, 0})) << "without a sheet there is nothing to measure";
}

TEST(SpriteSheet, MaskedFrameIntoMemoryKeepsTheTargetUnderTransparentParts) {
    DibPtr sheet = MaskedSheet();
    DibPtr target = MakeDib(100, 50, 8, 0x5A);
    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), true);
    sprites.SetColumns(4);
    sprites.SetRows(3);
    sprites.SetTargetDib(target.get());

    sprites.DrawMasked(5, 10, 5, false, false, false);
    EXPECT_EQ(*At(target.get(), 10, 5), 0x3C) << "opaque: the picture of frame 5, taken from (50, 40)";
    EXPECT_EQ(*At(target.get(), 34, 24), 0x3C);
    EXPECT_EQ(*At(target.get(), 35, 5), 0x5A) << "transparent: the target, through the mask at (50, 60)";
    EXPECT_EQ(*At(target.get(), 59, 24), 0x5A);
    EXPECT_EQ(*At(target.get(), 9, 5), 0x5A) << "nothing left of the frame";
    EXPECT_EQ(*At(target.get(), 10, 25), 0x5A) << "nothing below it";
    EXPECT_EQ(*At(target.get(), 60, 5), 0x5A) << "nothing right of it";

    // Read as masked even when the sheet was given unmasked: the same frame comes out.
    DibPtr again = MakeDib(100, 50, 8, 0x5A);
    sprites.SetSheet(sheet.get(), false);
    sprites.SetRows(6);  // frames of 50 x 20 again
    sprites.SetTargetDib(again.get());
    sprites.DrawMasked(5, 10, 5, false, false, false);
    EXPECT_EQ(*At(again.get(), 10, 5), 0x3C);
    EXPECT_EQ(*At(again.get(), 35, 5), 0x5A);
}

TEST(SpriteSheet, SingleOperationDraws) {
    DibPtr sheet = MakeDib(200, 120, 8, 0x81);
    FillRect(sheet.get(), 100, 40, 50, 40, 0x44);  // frame 6 of 4 x 3 unmasked frames of 50 x 40
    DibPtr target = MakeDib(60, 50, 8, 0x0F);
    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), false);
    sprites.SetColumns(4);
    sprites.SetRows(3);
    sprites.SetTargetDib(target.get());

    sprites.Draw(6, 5, 5, false, false, false, kRopSrcCopy);
    EXPECT_EQ(*At(target.get(), 5, 5), 0x44);
    EXPECT_EQ(*At(target.get(), 54, 44), 0x44);
    EXPECT_EQ(*At(target.get(), 4, 5), 0x0F);
    sprites.Draw(6, 5, 5, false, false, false, kRopSrcInvert);
    EXPECT_EQ(*At(target.get(), 20, 20), 0x00) << "XOR with the same frame clears it";
    sprites.Draw(6, 5, 5, false, false, false, kRopSrcAnd);
    EXPECT_EQ(*At(target.get(), 20, 20), 0x00);

    // A masked sheet's rows are twice as tall: frame 6 of 4 x 3 masked frames is at (100, 40)
    // and 20 high.
    DibPtr masked = MakeDib(60, 50, 8, 0x0F);
    sprites.SetSheet(sheet.get(), true);
    sprites.SetTargetDib(masked.get());
    sprites.Draw(6, 0, 0, false, false, false, kRopSrcCopy);
    EXPECT_EQ(*At(masked.get(), 0, 0), 0x44);
    EXPECT_EQ(*At(masked.get(), 0, 19), 0x44);
    EXPECT_EQ(*At(masked.get(), 0, 20), 0x0F) << "20 rows, not 40";
}

TEST(SpriteSheet, BackgroundIsSavedAndPutBackInMemory) {
    DibPtr sheet = MaskedSheet();
    DibPtr target = MakeDib(100, 50, 8, 0);
    for (int32_t y = 0; y < 50; ++y)
        for (int32_t x = 0; x < 100; ++x) *At(target.get(), x, y) = static_cast<uint8_t>(x + 3 * y);
    DibPtr original = MakeDib(100, 50, 8, 0);
    std::memcpy(original->Pixels(), target->Pixels(), target->header.biSizeImage);

    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), true);
    sprites.SetColumns(4);
    sprites.SetRows(3);
    sprites.SetTargetDib(target.get());
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(std::memcmp(target->Pixels(), original->Pixels(), target->header.biSizeImage), 0)
        << "nothing saved, nothing restored";

    sprites.DrawMasked(5, 30, 20, false, false, true);
    ASSERT_EQ(*At(target.get(), 30, 20), 0x3C);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(std::memcmp(target->Pixels(), original->Pixels(), target->header.biSizeImage), 0);

    // A restore puts back only once.
    FillRect(target.get(), 30, 20, 5, 5, 0xEE);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(*At(target.get(), 30, 20), 0xEE);
}

TEST(SpriteSheet, BackgroundOfAColourTargetKeepsItsColours) {
    DibPtr sheet = MakeDib(40, 20, 24, 0x22);
    DibPtr target = MakeDib(40, 20, 24, 0);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 40; ++x) {
            uint8_t* p = At(target.get(), x, y);
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y);
        }
    DibPtr original = MakeDib(40, 20, 24, 0);
    std::memcpy(original->Pixels(), target->Pixels(), target->header.biSizeImage);

    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), false);
    sprites.SetColumns(2);
    sprites.SetTargetDib(target.get());
    sprites.Draw(1, 15, 3, false, false, true, kRopSrcCopy);
    ASSERT_EQ(At(target.get(), 20, 10)[1], 0x22);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(std::memcmp(target->Pixels(), original->Pixels(), target->header.biSizeImage), 0);
}

TEST(SpriteSheet, PackedSheetOntoADeviceContext) {
    DibPtr sheet = MaskedSheet();
    PixelCanvas canvas(100, 50);
    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), true);
    sprites.SetColumns(4);
    sprites.SetRows(3);
    sprites.SetTargetDc(canvas.dc());

    sprites.DrawMasked(5, 10, 5, false, false, true);
    // DrawDib has no raster operations: the picture band covers the mask band completely.
    EXPECT_EQ(canvas.Pixel(10, 5), 0x3C3C3Cu);
    EXPECT_EQ(canvas.Pixel(59, 24), 0x000000u);
    EXPECT_EQ(canvas.Pixel(60, 24), 0x123456u);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(canvas.Pixel(10, 5), 0x123456u) << "put back from the saved device bitmap";
    EXPECT_EQ(canvas.Pixel(59, 24), 0x123456u);

    sprites.Draw(1, 0, 0, false, false, false, SRCINVERT);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x818181u) << "copied as it is, whatever the operation";
}

TEST(SpriteSheet, DeviceContextSheetMasksWithAndThenXor) {
    // The sheet on a device context: 2 columns of 10 x 10 frames, masked. Frame 1's picture
    // band is red on its left half and black on its right; its mask black then white.
    PixelCanvas sheet(20, 20);
    sheet.Fill(0x20, 0x20, 0x20);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{10, 0, 15, 10};
    FillRect(sheet.dc(), &r, red);
    r = RECT{15, 0, 20, 10};
    FillRect(sheet.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    r = RECT{10, 10, 15, 20};
    FillRect(sheet.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    r = RECT{15, 10, 20, 20};
    FillRect(sheet.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DeleteObject(red);

    PixelCanvas target(30, 30);
    SpriteSheet sprites;
    ASSERT_TRUE(sprites.SetSheetDc(sheet.dc(), true));
    sprites.SetColumns(2);
    EXPECT_EQ(sprites.FrameSize(), (Point{10, 10}));
    sprites.SetTargetDc(target.dc());
    sprites.DrawMasked(1, 5, 5, false, false, true);
    EXPECT_EQ(target.Pixel(5, 5), 0xFF0000u) << "opaque half";
    EXPECT_EQ(target.Pixel(12, 12), 0x123456u) << "transparent half keeps the target";
    EXPECT_EQ(target.Pixel(4, 5), 0x123456u);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(target.Pixel(5, 5), 0x123456u);

    sprites.Draw(1, 0, 20, false, false, false, SRCCOPY);
    EXPECT_EQ(target.Pixel(0, 20), 0xFF0000u) << "the raster operation applies to a device-context sheet";
    EXPECT_EQ(target.Pixel(0, 29), 0xFF0000u) << "the picture band only, 10 rows";

    EXPECT_FALSE(sprites.SetSheetDc(nullptr, true));
}

TEST(SpriteSheet, ChangingTheKindOfTargetBetweenSaves) {
    DibPtr sheet = MaskedSheet();
    DibPtr memory = MakeDib(100, 50, 8, 0x5A);
    PixelCanvas canvas(100, 50);
    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), true);
    sprites.SetColumns(4);
    sprites.SetRows(3);

    sprites.SetTargetDib(memory.get());
    sprites.DrawMasked(5, 0, 0, false, false, true);
    sprites.SetTargetDc(canvas.dc());
    sprites.DrawMasked(5, 0, 0, false, false, true);  // a saved area for a device context now
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x123456u);

    // An area saved from memory is not put onto a device context.
    sprites.SetTargetDib(memory.get());
    sprites.DrawMasked(5, 0, 0, false, false, true);
    sprites.SetTargetDc(canvas.dc());
    canvas.Fill(1, 2, 3);
    sprites.RestoreBackground(false, false);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x010203u);
}

TEST(SpriteSheet, DrawsInvalidateTheOwnersArea) {
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    wintest::Pump(50);
    ValidateRect(owner, nullptr);

    DibPtr sheet = MaskedSheet();
    DibPtr target = MakeDib(200, 100, 8, 0);
    SpriteSheet sprites;
    sprites.SetSheet(sheet.get(), true);
    sprites.SetColumns(4);
    sprites.SetRows(3);
    sprites.SetTargetDib(target.get());
    sprites.DrawMasked(5, 10, 5, false, false, true);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(owner, &update, FALSE)) << "no owner yet, and no invalidation asked";

    sprites.SetOwner(owner);
    sprites.DrawMasked(5, 10, 5, true, false, true);
    ASSERT_TRUE(GetUpdateRect(owner, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 5);
    EXPECT_EQ(update.right, 60);
    EXPECT_EQ(update.bottom, 25);

    ValidateRect(owner, nullptr);
    sprites.RestoreBackground(true, false);
    ASSERT_TRUE(GetUpdateRect(owner, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.bottom, 25);
    DestroyWindow(owner);
}

TEST(SpriteSheet, NothingHappensWithoutASheetOrATarget) {
    DibPtr target = MakeDib(20, 20, 8, 0x11);
    SpriteSheet sprites;
    sprites.SetTargetDib(target.get());
    sprites.DrawMasked(0, 0, 0, true, true, true);
    sprites.Draw(0, 0, 0, true, true, true, kRopSrcCopy);
    sprites.RestoreBackground(true, true);
    EXPECT_EQ(*At(target.get(), 0, 0), 0x11);

    DibPtr sheet = MakeDib(20, 20, 8, 0x22);
    SpriteSheet noTarget;
    noTarget.SetSheet(sheet.get(), false);
    noTarget.Draw(0, 0, 0, false, false, true, kRopSrcCopy);  // must not touch anything
    noTarget.RestoreBackground(false, false);
}

}  // namespace
