// The full-screen preview on the Wine desktop: the picture fitted to the screen and centred on
// black, pixel for pixel as the picture reader resamples it, for wide and tall pictures of 8 and
// 24 bits; its owner disabled while it is open and usable and in front again after a double
// click or Escape (a single click does nothing); nothing at all for a picture that cannot be read; the owner usable
// again when the window cannot be made.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "DialogTestSupport.h"
#include "PictureTestSupport.h"
#include "ScreenshotSupport.h"
#include "app/AppGlobals.h"
#include "dialogs/PicturePreview.h"
#include "engine/BmpFileReader.h"
#include "engine/ScaledPicture.h"

namespace {

using ctltest::PumpUntil;

// 0xRRGGBB of pixel (x, y), rows from the top, of a bottom-up 8- or 24-bit block.
uint32_t DibPixel(const PackedDib& dib, int x, int y) {
    const int32_t width = dib.header.biWidth, height = dib.header.biHeight;
    const int bits = dib.header.biBitCount;
    const size_t rowBytes = static_cast<size_t>((width * bits + 31) / 32) * 4;
    const uint8_t* row = dib.Pixels() + rowBytes * static_cast<size_t>(height - 1 - y);
    if (bits == 8) {
        const RgbQuad& c = dib.palette[row[x]];
        return uint32_t{c.rgbRed} << 16 | uint32_t{c.rgbGreen} << 8 | c.rgbBlue;
    }
    const uint8_t* p = row + 3 * x;
    return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

class PicturePreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        App.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
        App.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kPicturePreviewClass, &info)) RegisterPicturePreviewClass(App.Instance);
    }
    void SetUp() override {
        ctltest::MoveCursorTo(POINT{App.ScreenWidth - 5, 5});
        owner_ = std::make_unique<ctltest::TestParent>(10, 10, 200, 100);
    }
    void TearDown() override {
        if (IsWindow(preview_)) DestroyWindow(preview_);
        owner_.reset();
        for (const std::string& path : files_) DeleteFileA(path.c_str());
    }
    std::string Picture(int width, int height, int bitCount) {
        files_.push_back(pictest::WriteBlockPicture("preview" + std::to_string(files_.size()) + ".bmp", width, height,
                                                    bitCount, false));
        return files_.back();
    }
    bool Open(const std::string& path) {
        preview_ = OpenPicturePreview(path.c_str(), owner_->get());
        return preview_ != nullptr && PumpUntil([this] { return IsWindowVisible(preview_) != FALSE; }, 5000);
    }
    bool Closed() {
        return PumpUntil([this] { return !IsWindow(preview_); }, 5000);
    }

    std::unique_ptr<ctltest::TestParent> owner_;
    HWND preview_ = nullptr;
    std::vector<std::string> files_;
};

TEST_F(PicturePreviewTest, FitsThePictureToTheScreenLikeTheExamples) {
    const struct {
        Point picture, screen, size, origin;
    } kCases[] = {
        {{640, 480}, {1024, 768}, {1024, 768}, {0, 0}},   {{300, 600}, {1024, 768}, {384, 768}, {320, 0}},
        {{800, 200}, {1024, 768}, {1024, 256}, {0, 256}}, {{20000, 1}, {1024, 768}, {1024, 1}, {0, 383}},
        {{1, 20000}, {1024, 768}, {1, 768}, {511, 0}},
    };
    for (const auto& c : kCases) {
        const Point size = PreviewPictureSize(c.picture, c.screen);
        EXPECT_EQ(size, c.size) << c.picture.x << " x " << c.picture.y;
        EXPECT_EQ(PreviewPictureOrigin(size, c.screen), c.origin) << c.picture.x << " x " << c.picture.y;
    }
}

TEST_F(PicturePreviewTest, ShowsThePictureResampledAndCentredOnBlack) {
    // Blocks tall and wide, and one of the shipped photographs.
    const struct {
        std::string path;
        const char* shot;
    } kCases[] = {{Picture(300, 600, 24), "preview-tall"},
                  {Picture(640, 200, 8), "preview-wide"},
                  {std::string(App.ModuleFolder) + "..\\..\\..\\dist\\Image\\0\\Aqua.bmp", "preview-photo"}};
    const Point screen{App.ScreenWidth, App.ScreenHeight};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.shot);
        const std::string& path = c.path;
        BmpFileReader reader;
        ASSERT_TRUE(reader.Open(path.c_str()));
        const PictureSize stored = reader.GetSize();
        const Point size = PreviewPictureSize(Point{stored.width, stored.height}, screen);
        const PackedDibPtr expected = ReadScaledPicture(reader, size);
        ASSERT_NE(expected, nullptr);
        const Point at = PreviewPictureOrigin(size, screen);

        ASSERT_TRUE(Open(path));
        EXPECT_FALSE(IsWindowEnabled(owner_->get()));
        UpdateWindow(preview_);
        ctltest::PumpFor(100);
        const pictest::ClientPixels shown(preview_);
        ASSERT_EQ(shown.width(), screen.x);
        ASSERT_EQ(shown.height(), screen.y);
        EXPECT_EQ(ctltest::ScreenPointOf(preview_, 0, 0).x, 0);
        EXPECT_EQ(ctltest::ScreenPointOf(preview_, 0, 0).y, 0);
        int wrong = 0;
        for (int y = 0; y < screen.y; ++y)
            for (int x = 0; x < screen.x; ++x) {
                const bool inside = x >= at.x && x < at.x + size.x && y >= at.y && y < at.y + size.y;
                const uint32_t want = inside ? DibPixel(*expected, x - at.x, y - at.y) : 0x000000;
                if (shown.at(x, y) != want && wrong++ < 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << shown.at(x, y) << ", want "
                                  << want;
            }
        EXPECT_EQ(wrong, 0);
        wintest::SaveScreenshot(c.shot);
        DestroyWindow(preview_);
        EXPECT_TRUE(IsWindowEnabled(owner_->get()));
    }
}

TEST_F(PicturePreviewTest, ADoubleClickOrEscapeClosesItAndGivesTheOwnerBack) {
    const std::string path = Picture(400, 300, 24);
    for (const char* way : {"double click", "escape"}) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(Open(path));
        ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == preview_; }, 5000));
        EXPECT_FALSE(IsWindowEnabled(owner_->get()));
        ctltest::MoveCursorTo(POINT{App.ScreenWidth / 2, App.ScreenHeight / 2});
        if (std::string(way) == "double click") {
            for (int click = 0; click < 2; ++click) {
                ctltest::PressLeft();
                ctltest::ReleaseLeft();
            }
        } else {
            // A single click first: it leaves the preview open (the double-click time passes).
            ctltest::PressLeft();
            ctltest::ReleaseLeft();
            ctltest::PumpFor(GetDoubleClickTime() + 200);
            EXPECT_TRUE(IsWindow(preview_)) << "a single click does nothing";
            dlgtest::SendKey(VK_ESCAPE);
        }
        ASSERT_TRUE(Closed());
        EXPECT_TRUE(IsWindowEnabled(owner_->get()));
        EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == owner_->get(); }, 5000));
    }
}

TEST_F(PicturePreviewTest, APictureThatCannotBeReadOpensNothing) {
    files_.push_back(wintest::TempPath("not-a-picture.bmp"));
    FILE* out = std::fopen(files_.back().c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("BM but nothing more", out);
    std::fclose(out);
    for (const std::string& path : {files_.back(), wintest::TempPath("missing.bmp")}) {
        EXPECT_EQ(OpenPicturePreview(path.c_str(), owner_->get()), nullptr) << path;
        EXPECT_TRUE(IsWindowEnabled(owner_->get())) << path;
    }
}

TEST_F(PicturePreviewTest, TheOwnerIsUsableAgainWhenTheWindowCannotBeMade) {
    const std::string path = Picture(400, 300, 24);
    ASSERT_TRUE(UnregisterClassA(kPicturePreviewClass, App.Instance));
    EXPECT_EQ(OpenPicturePreview(path.c_str(), owner_->get()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
    ASSERT_TRUE(RegisterPicturePreviewClass(App.Instance));
}

}  // namespace
