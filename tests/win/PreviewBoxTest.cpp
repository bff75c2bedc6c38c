// The new-puzzle dialog's picture boxes on the Wine desktop: a picture fitted to the box and
// centred, pixel for pixel as the picture reader resamples it, in every pixel format and either
// row order; the dialog's background around it at the box's place; the red frame of the chosen
// or held picture; nothing but background for a missing or damaged file; and the click and
// double-click notices from the real mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "PictureTestSupport.h"
#include "app/AppGlobals.h"
#include "dialogs/PreviewBox.h"
#include "engine/BmpFileReader.h"
#include "engine/ScaledPicture.h"
#include "gfx/DibImage.h"

namespace {

using ctltest::PumpUntil;

constexpr int kDialogWidth = 640;
constexpr int kDialogHeight = 400;
constexpr POINT kDialogAt{40, 40};
constexpr Point kPreviewAt{17, 155};
constexpr Point kCustomAt{285, 155};
constexpr uint32_t kRed = 0xFF0000;

// The dialog's background: a pattern in which every shift by one pixel shows.
constexpr uint32_t kPatternColours[5] = {0x336699, 0x996633, 0x669933, 0x339966, 0x663399};
int PatternIndex(int x, int y) { return (x + 2 * y) % 5; }

std::unique_ptr<DibImage> MakeBackground() {
    ctltest::DibPtr dib = ctltest::BlankPicture(
        kDialogWidth, kDialogHeight, std::vector<uint32_t>(std::begin(kPatternColours), std::end(kPatternColours)));
    if (!dib) return nullptr;
    const int32_t rowBytes = DibRowBytes(kDialogWidth, 8);
    for (int y = 0; y < kDialogHeight; ++y)
        for (int x = 0; x < kDialogWidth; ++x)
            dib->Pixels()[(kDialogHeight - 1 - y) * rowBytes + x] = uint8_t(1 + PatternIndex(x, y));
    auto image = std::make_unique<DibImage>();
    image->TakeDib(std::move(dib));
    return image;
}

// 0xRRGGBB of pixel (x, y), rows from the top, of a bottom-up block of 1 to 24 bits.
uint32_t DibPixel(const PackedDib& dib, int x, int y) {
    const int bits = dib.header.biBitCount;
    const size_t rowBytes = static_cast<size_t>((dib.header.biWidth * bits + 31) / 32) * 4;
    const uint8_t* row = dib.Pixels() + rowBytes * static_cast<size_t>(dib.header.biHeight - 1 - y);
    auto fromPalette = [&dib](unsigned index) {
        const RgbQuad& c = dib.palette[index];
        return uint32_t{c.rgbRed} << 16 | uint32_t{c.rgbGreen} << 8 | c.rgbBlue;
    };
    switch (bits) {
        case 1: return fromPalette((row[x / 8] >> (7 - x % 8)) & 1);
        case 4: return fromPalette((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF);
        case 8: return fromPalette(row[x]);
        case 16: {
            const unsigned v = row[2 * x] | unsigned{row[2 * x + 1]} << 8;
            auto widen = [](unsigned five) { return (five << 3) | (five >> 2); };
            return widen((v >> 10) & 0x1F) << 16 | widen((v >> 5) & 0x1F) << 8 | widen(v & 0x1F);
        }
        default: {
            const uint8_t* p = row + (bits / 8) * x;
            return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
        }
    }
}

class PreviewBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kPreviewBoxClass, &info)) RegisterPreviewBoxClass(App.Instance);
        if (!GetClassInfoA(App.Instance, kCustomPreviewBoxClass, &info)) RegisterCustomPreviewBoxClass(App.Instance);
    }
    void SetUp() override {
        ctltest::MoveCursorTo(ctltest::kFarAway);
        background_ = MakeBackground();
        ASSERT_NE(background_, nullptr);
        dialog_ = std::make_unique<ctltest::TestParent>(kDialogAt.x, kDialogAt.y, kDialogWidth, kDialogHeight);
        dialog_->SetBackground(background_->GetDib());
    }
    void TearDown() override {
        dialog_.reset();
        for (const std::string& path : files_) DeleteFileA(path.c_str());
    }

    HWND MakeBox(const char* className, Point at, int32_t id = 300) {
        return CreatePreviewBox(dialog_->get(), className, id, at,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, background_.get());
    }
    std::string Picture(int width, int height, int bitCount, bool topDown = false) {
        files_.push_back(pictest::WriteBlockPicture("box" + std::to_string(files_.size()) + ".bmp", width, height,
                                                    bitCount, topDown));
        return files_.back();
    }

    // The pixels the box should show: `picture` (may be null) at `at`, the frame around it when
    // `framed`, and the dialog's background everywhere else.
    static std::vector<uint32_t> Expected(HWND box, const PackedDib* picture, Point at, bool framed) {
        const SIZE size = ctltest::ClientSize(box);
        POINT place{0, 0};
        MapWindowPoints(box, GetParent(box), &place, 1);
        const int width = picture != nullptr ? picture->header.biWidth : 0;
        const int height = picture != nullptr ? picture->header.biHeight : 0;
        std::vector<uint32_t> pixels;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const int px = x - at.x, py = y - at.y;
                if (picture != nullptr && px >= 0 && px < width && py >= 0 && py < height)
                    pixels.push_back(DibPixel(*picture, px, py));
                else if (picture != nullptr && framed && px >= -2 && px < width + 2 && py >= -2 && py < height + 2)
                    pixels.push_back(kRed);
                else
                    pixels.push_back(kPatternColours[PatternIndex(place.x + x, place.y + y)]);
            }
        return pixels;
    }

    // The background's colour at a point of the box.
    static uint32_t BackgroundAt(HWND box, int x, int y) {
        POINT place{x, y};
        MapWindowPoints(box, GetParent(box), &place, 1);
        return kPatternColours[PatternIndex(place.x, place.y)];
    }

    // Waits until the box shows `expected`; the number of pixels that differ at the end, with
    // the first few reported.
    static int WrongPixels(HWND box, const std::vector<uint32_t>& expected) {
        std::vector<uint32_t> shown;
        PumpUntil([&] { return (shown = ctltest::ClientPixels(box)) == expected; }, ctltest::kWaitMs);
        const int width = ctltest::ClientSize(box).cx;
        int wrong = 0;
        for (size_t i = 0; i < expected.size() && i < shown.size(); ++i)
            if (shown[i] != expected[i] && wrong++ < 5)
                ADD_FAILURE() << "pixel (" << i % width << ", " << i / width << ") is " << std::hex << shown[i]
                              << ", want " << expected[i];
        return shown.size() == expected.size() ? wrong : -1;
    }

    std::unique_ptr<DibImage> background_;
    std::unique_ptr<ctltest::TestParent> dialog_;
    std::vector<std::string> files_;
};

TEST_F(PreviewBoxTest, TheBoxesHaveTheirSizes) {
    const struct {
        const char* className;
        Point size;
    } kCases[] = {{kPreviewBoxClass, {117, 127}}, {kCustomPreviewBoxClass, {235, 127}}};
    for (const auto& c : kCases) {
        HWND box = MakeBox(c.className, kPreviewAt);
        ASSERT_NE(box, nullptr) << c.className;
        EXPECT_EQ(ctltest::ClientSize(box).cx, c.size.x) << c.className;
        EXPECT_EQ(ctltest::ClientSize(box).cy, c.size.y) << c.className;
        EXPECT_EQ(GetDlgCtrlID(box), 300) << c.className;
        DestroyWindow(box);
    }
    EXPECT_EQ(MakeBox("STATIC", kPreviewAt), nullptr);
}

TEST_F(PreviewBoxTest, ShowsThePictureFittedCentredAndResampledOverTheDialogBackground) {
    // Sizes and places worked out by hand: the limiting side fills the area (113 x 123 in a
    // preview box, 235 x 127 in the custom box), the other is truncated, never below 1.
    const struct {
        const char* className;
        Point at;
        int width, height, bitCount;
        bool topDown;
        Rect shown;
    } kCases[] = {
        {kPreviewBoxClass, kPreviewAt, 300, 600, 24, false, {28, 2, 61, 123}},
        {kPreviewBoxClass, kPreviewAt, 640, 200, 8, false, {2, 46, 113, 35}},
        {kPreviewBoxClass, kPreviewAt, 90, 60, 4, false, {2, 26, 113, 75}},
        {kPreviewBoxClass, kPreviewAt, 50, 100, 1, true, {28, 2, 61, 123}},
        {kCustomPreviewBoxClass, kCustomAt, 640, 200, 24, true, {0, 27, 235, 73}},
        {kCustomPreviewBoxClass, kCustomAt, 300, 600, 8, false, {86, 0, 63, 127}},
        {kCustomPreviewBoxClass, kCustomAt, 2, 2000, 16, false, {117, 0, 1, 127}},
        {kCustomPreviewBoxClass, kCustomAt, 800, 600, 32, false, {33, 0, 169, 127}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.className) + " " + std::to_string(c.width) + " x " + std::to_string(c.height) +
                     " of " + std::to_string(c.bitCount) + " bits");
        const std::string path = Picture(c.width, c.height, c.bitCount, c.topDown);
        BmpFileReader reader;
        ASSERT_TRUE(reader.Open(path.c_str()));
        const PackedDibPtr expected = ReadScaledPicture(reader, Point{c.shown.width, c.shown.height});
        ASSERT_NE(expected, nullptr);

        HWND box = MakeBox(c.className, c.at);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(ShowPictureInBox(box, path.c_str()));
        EXPECT_TRUE(BoxShowsPicture(box));
        EXPECT_EQ(WrongPixels(box, Expected(box, expected.get(), c.shown.Origin(), false)), 0);
        SetBoxChosen(box, true);
        EXPECT_EQ(WrongPixels(box, Expected(box, expected.get(), c.shown.Origin(), true)), 0) << "chosen";
        SetBoxChosen(box, false);
        EXPECT_EQ(WrongPixels(box, Expected(box, expected.get(), c.shown.Origin(), false)), 0) << "chosen no more";
        DestroyWindow(box);
    }
}

TEST_F(PreviewBoxTest, NoPictureLeavesOnlyTheBackgroundAndNoFrame) {
    files_.push_back(wintest::TempPath("damaged.bmp"));
    FILE* out = std::fopen(files_.back().c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("BM and then nothing a picture needs", out);
    std::fclose(out);
    const std::string tooLong(300, 'x');
    const struct {
        const char* what;
        const char* path;
    } kCases[] = {{"no path", nullptr},
                  {"empty path", ""},
                  {"missing file", "C:\\no\\such\\picture.bmp"},
                  {"damaged file", files_.back().c_str()},
                  {"path too long", tooLong.c_str()}};
    HWND box = MakeBox(kPreviewBoxClass, kPreviewAt);
    ASSERT_NE(box, nullptr);
    SetBoxChosen(box, true);
    const std::string good = Picture(200, 100, 24);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ShowPictureInBox(box, good.c_str()));
        EXPECT_FALSE(ShowPictureInBox(box, c.path));
        EXPECT_FALSE(BoxShowsPicture(box));
        EXPECT_EQ(WrongPixels(box, Expected(box, nullptr, Point{}, true)), 0);
    }
    EXPECT_FALSE(ShowPictureInBox(dialog_->get(), good.c_str())) << "a window that is no box";
    EXPECT_FALSE(BoxShowsPicture(nullptr));
}

TEST_F(PreviewBoxTest, AClickReleasedInsideAPictureIsReportedAndFramesItWhileHeld) {
    HWND box = MakeBox(kPreviewBoxClass, kPreviewAt);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(ShowPictureInBox(box, Picture(300, 600, 24).c_str()));
    // The 61 x 123 picture stands at (28, 2): the frame's ring starts 2 pixels out.
    const POINT middle = ctltest::ScreenPointOf(box, 58, 63);
    ctltest::MoveCursorTo(middle);
    ctltest::PressLeft();
    EXPECT_EQ(ctltest::AwaitPixel(box, 26, 63, kRed), kRed) << "held down";
    EXPECT_TRUE(dialog_->notices.empty());
    ctltest::ReleaseLeft();
    EXPECT_TRUE(PumpUntil([&] { return !dialog_->notices.empty(); }, ctltest::kWaitMs));
    ASSERT_EQ(dialog_->Codes(), (ctltest::Codes{kPreviewBoxClicked}));
    EXPECT_EQ(dialog_->notices[0].control, box);
    EXPECT_EQ(ctltest::AwaitPixel(box, 26, 63, BackgroundAt(box, 26, 63)), BackgroundAt(box, 26, 63)) << "released";

    // Released outside: no click, and the frame goes.
    ctltest::PumpFor(GetDoubleClickTime() + 100);
    dialog_->notices.clear();
    ctltest::PressLeft();
    EXPECT_EQ(ctltest::AwaitPixel(box, 26, 63, kRed), kRed) << "held down again";
    ctltest::MoveCursorTo(ctltest::ScreenPointOf(box, 200, 63));
    ctltest::ReleaseLeft();
    EXPECT_EQ(ctltest::AwaitPixel(box, 26, 63, BackgroundAt(box, 26, 63)), BackgroundAt(box, 26, 63));
    EXPECT_TRUE(dialog_->notices.empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // A press on an empty box does nothing.
    ASSERT_FALSE(ShowPictureInBox(box, nullptr));
    ctltest::MoveCursorTo(middle);
    ctltest::PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ctltest::ReleaseLeft();
    ctltest::PumpFor(ctltest::kSettleMs);
    EXPECT_TRUE(dialog_->notices.empty());
}

TEST_F(PreviewBoxTest, ADoubleClickOnAPictureIsReported) {
    HWND box = MakeBox(kPreviewBoxClass, kPreviewAt);
    HWND empty = MakeBox(kCustomPreviewBoxClass, kCustomAt, 301);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(empty, nullptr);
    ASSERT_TRUE(ShowPictureInBox(box, Picture(300, 600, 24).c_str()));
    const struct {
        HWND box;
        ctltest::Codes codes;
    } kCases[] = {{box, {kPreviewBoxClicked, kPreviewBoxDoubleClicked}}, {empty, {}}};
    for (const auto& c : kCases) {
        dialog_->notices.clear();
        ctltest::MoveCursorTo(ctltest::ScreenPointOf(c.box, 58, 63));
        for (int click = 0; click < 2; ++click) {
            ctltest::PressLeft();
            ctltest::ReleaseLeft();
        }
        PumpUntil([&] { return dialog_->notices.size() >= c.codes.size(); }, ctltest::kWaitMs);
        ctltest::PumpFor(ctltest::kSettleMs);  // room for a notice too many
        EXPECT_EQ(dialog_->Codes(), c.codes);
        for (const ctltest::Notice& n : dialog_->notices) EXPECT_EQ(n.control, c.box);
        ctltest::PumpFor(GetDoubleClickTime() + 100);
    }
}

}  // namespace
