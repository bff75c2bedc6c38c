// The about window: the screen in black with the about picture in the middle and its owner
// disabled; the release of a click anywhere, or Escape, closes it and gives the owner back.
// A product page shows its product's picture and text; its play and stop buttons work only
// when the page's clip exists; a click on its background leaves it open, its close button and
// Escape close it.
#include <gtest/gtest.h>

#include <string>

#include "DialogTestSupport.h"
#include "app/AppGlobals.h"
#include "controls/AnimationControl.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "dialogs/AboutWindow.h"
#include "gfx/DibImage.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

class AboutWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kAboutWindowClass, &info)) RegisterAboutWindowClass(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first: " << DistPackPath();
        ctltest::MoveCursorTo(ctltest::kFarAway);
        owner_ = CreateWindowExA(0, "STATIC", "menu", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 App.Instance, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        DestroyWindow(owner_);
    }
    HWND Open(uint32_t page = kAboutPage) {
        window_ = OpenAboutProducts(page, owner_);
        if (window_ != nullptr) SetForegroundWindow(window_);
        dlgtest::RunGameLoopUntil([this] { return GetForegroundWindow() == window_; }, kWaitMs);
        return window_;
    }

    HWND owner_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(AboutWindowTest, ShowsThePictureInTheMiddleOfABlackScreen) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner_));
    EXPECT_TRUE(IsZoomed(window_));
    DibImage picture;
    ASSERT_TRUE(picture.LoadById(kAboutPictureId));
    RECT client{};
    GetClientRect(window_, &client);
    ASSERT_GT(client.right, kAboutPictureSize.x) << "the screen is wider than the picture";
    const POINT origin = AboutPictureOrigin(client.right, client.bottom);
    // Corners and the middle of the picture, and the black beside it.
    const POINT inside[] = {{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}};
    for (POINT p : inside) {
        const uint32_t expected = dlgtest::DibPixel(picture.GetDib(), p.x, p.y);
        EXPECT_EQ(ctltest::AwaitPixel(window_, origin.x + p.x, origin.y + p.y, expected), expected)
            << p.x << "," << p.y;
    }
    EXPECT_EQ(ctltest::AwaitPixel(window_, origin.x - 1, origin.y + 10, 0), 0u);
    EXPECT_EQ(ctltest::AwaitPixel(window_, 0, 0, 0), 0u);
    dlgtest::SaveScreenshot("dialog_about");
}

TEST_F(AboutWindowTest, ClickOrEscapeClosesIt) {
    enum class Close { Click, Escape };
    for (Close how : {Close::Click, Close::Escape}) {
        ASSERT_NE(Open(), nullptr);
        if (how == Close::Click) {
            ctltest::MoveCursorTo(POINT{5, 5});
            ctltest::PressLeft();
            ctltest::ReleaseLeft();
        } else {
            dlgtest::SendKey(VK_ESCAPE);
        }
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([this] { return !IsWindow(window_); }, kWaitMs)) << static_cast<int>(how);
        EXPECT_TRUE(IsWindowEnabled(owner_));
        ctltest::MoveCursorTo(ctltest::kFarAway);
    }
}

// A product page's buttons: play and stop (by place), and the close animation.
struct ProductButtons {
    HWND play = nullptr, stop = nullptr, close = nullptr;
};
ProductButtons ButtonsOf(HWND window) {
    ProductButtons found;
    const POINT origin = AboutPictureOrigin(App.ScreenWidth, App.ScreenHeight);
    for (HWND b : dlgtest::ChildrenOfClass(window, kCommandButtonClass)) {
        RECT r{};
        GetWindowRect(b, &r);
        (r.left == origin.x + kProductPlayAt.x ? found.play : found.stop) = b;
    }
    const auto closes = dlgtest::ChildrenOfClass(window, kAnimationClass);
    if (!closes.empty()) found.close = closes[0];
    return found;
}

TEST_F(AboutWindowTest, ProductPageShowsItsPictureAndText) {
    ASSERT_NE(Open(2), nullptr);
    DibImage product, background;
    ASSERT_TRUE(product.LoadById(ProductPictureId(2)));
    ASSERT_TRUE(background.LoadById(kProductBackgroundId));
    const POINT origin = AboutPictureOrigin(App.ScreenWidth, App.ScreenHeight);
    const uint32_t corner = dlgtest::DibPixel(product.GetDib(), 100, 100);
    EXPECT_EQ(ctltest::AwaitPixel(window_, origin.x + kProductPictureAt.x + 100, origin.y + kProductPictureAt.y + 100,
                                  corner),
              corner);
    // The text's first row darkens part of the sheet under it.
    int inked = 0;
    dlgtest::RunGameLoopUntil(
        [&] {
            inked = 0;
            for (int x = 0; x < kProductTextWidth; ++x)
                for (int y = 0; y < kProductFontHeight; ++y)
                    inked += ctltest::ScreenPixel(window_, origin.x + kProductTextAt.x + x,
                                                  origin.y + kProductTextAt.y + y) < 0x404040;
            return inked > 50;
        },
        kWaitMs);
    EXPECT_GT(inked, 50);
    EXPECT_EQ(ProductTextBase(2), 1010u);
    dlgtest::SaveScreenshot("dialog_about_product");
}

TEST_F(AboutWindowTest, ProductPagePlaysOnlyAClipItHas) {
    const std::string folder = std::string(App.ModuleFolder) + "Video";
    const std::string clip = folder + "\\0.avi";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileA((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\Video\\Feliz.avi").c_str(), clip.c_str(), FALSE));
    const struct {
        uint32_t page;
        LRESULT enabled;
    } cases[] = {{1, 1}, {3, 0}};  // page 1 plays Video\0.avi; there is no Video\2.avi
    for (const auto& c : cases) {
        ASSERT_NE(Open(c.page), nullptr);
        const ProductButtons buttons = ButtonsOf(window_);
        ASSERT_NE(buttons.play, nullptr);
        ASSERT_NE(buttons.stop, nullptr);
        EXPECT_EQ(SendMessageA(buttons.play, CM_GETENABLED, 0, 0), c.enabled) << c.page;
        EXPECT_EQ(SendMessageA(buttons.stop, CM_GETENABLED, 0, 0), c.enabled) << c.page;
        DestroyWindow(window_);
    }
    DeleteFileA(clip.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(AboutWindowTest, ProductPageClosesOnlyByItsButtonOrEscape) {
    enum class Close { Button, Escape };
    for (Close how : {Close::Button, Close::Escape}) {
        ASSERT_NE(Open(4), nullptr);
        ctltest::MoveCursorTo(POINT{5, 5});
        ctltest::PressLeft();
        ctltest::ReleaseLeft();
        dlgtest::RunGameLoopUntil([] { return false; }, 200);
        EXPECT_TRUE(IsWindow(window_)) << "a click on the background leaves a product page open";
        if (how == Close::Button) {
            dlgtest::ClickControl(ButtonsOf(window_).close);
        } else {
            dlgtest::SendKey(VK_ESCAPE);
        }
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([this] { return !IsWindow(window_); }, kWaitMs)) << static_cast<int>(how);
        EXPECT_TRUE(IsWindowEnabled(owner_));
        ctltest::MoveCursorTo(ctltest::kFarAway);
    }
}

}  // namespace
