// The about window: the screen in black with the about picture in the middle and its owner
// disabled; the release of a click anywhere, or Escape, closes it and gives the owner back.
#include <gtest/gtest.h>

#include <string>

#include "DialogTestSupport.h"
#include "app/AppGlobals.h"
#include "dialogs/AboutWindow.h"
#include "gfx/DibImage.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

class AboutWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
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
    HWND Open() {
        window_ = OpenAboutWindow(owner_);
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

}  // namespace
