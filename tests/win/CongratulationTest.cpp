// The congratulation window on the Wine desktop with the game's own pack and clip: the clip
// plays inside it over a disabled owner whose boxes it hides, its end shows the picture and the
// close button, and every way out (close button, Escape, double click) enables the owner and
// runs the next step exactly once. Without the clip the next step runs at once.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ControlTestSupport.h"
#include "ScreenshotSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "app/WindowClasses.h"
#include "dialogs/Congratulation.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;
using ctltest::MoveCursorTo;
using ctltest::PumpFor;
using ctltest::PumpUntil;
using ctltest::ScreenPointOf;

constexpr char kDistFolder[] = "..\\..\\..\\dist\\";
constexpr DWORD kClipDeadlineMs = 30000;  // a four-second clip on a busy machine

int g_nextRuns = 0;
bool g_ownerEnabledForNext = false;
HWND g_owner = nullptr;
void CountNext() {
    ++g_nextRuns;
    g_ownerEnabledForNext = IsWindowEnabled(g_owner) != FALSE;
}

class CongratulationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + kDistFolder + "vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        std::memcpy(savedFolder_, App.ModuleFolder, sizeof savedFolder_);
        UseFolder(std::string(App.ModuleFolder) + kDistFolder);
        App.SoundEffectsOn = 0;
        MoveCursorTo(POINT{900, 700});
        owner_ = std::make_unique<ctltest::TestParent>(0, 0, App.ScreenWidth, App.ScreenHeight);
        g_owner = owner_->get();
        g_nextRuns = 0;
        g_ownerEnabledForNext = false;
    }
    void TearDown() override {
        if (CongratulationWindow() != nullptr) DestroyWindow(CongratulationWindow());
        if (box_ != nullptr) DestroyWindow(box_);
        App.BoxWindows[0] = nullptr;
        owner_.reset();
        std::memcpy(App.ModuleFolder, savedFolder_, sizeof savedFolder_);
    }
    void UseFolder(const std::string& folder) {
        std::strncpy(App.ModuleFolder, folder.c_str(), sizeof App.ModuleFolder - 1);
    }

    HWND OpenAndAwaitPicture() {
        HWND feliz = OpenCongratulation(owner_->get(), CountNext);
        EXPECT_NE(feliz, nullptr);
        EXPECT_TRUE(PumpUntil(CongratulationShowsPicture, kClipDeadlineMs)) << "the clip ends";
        return feliz;
    }
    void ExpectOverOnce(HWND feliz) {
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(feliz); }, kWaitMs));
        PumpFor(100);
        EXPECT_EQ(g_nextRuns, 1);
        EXPECT_TRUE(g_ownerEnabledForNext) << "the owner is usable when the next step runs";
        EXPECT_EQ(CongratulationWindow(), nullptr);
    }

    char savedFolder_[kModuleFolderCapacity] = {};
    std::unique_ptr<ctltest::TestParent> owner_;
    HWND box_ = nullptr;
};

TEST_F(CongratulationTest, WithoutTheClipTheNextStepRunsAtOnceWithTheOwnerUsable) {
    const std::string empty = wintest::TempPath("noclip\\");
    CreateDirectoryA(empty.c_str(), nullptr);
    UseFolder(empty);
    EXPECT_EQ(OpenCongratulation(owner_->get(), CountNext), nullptr);
    EXPECT_EQ(g_nextRuns, 1);
    EXPECT_TRUE(g_ownerEnabledForNext);
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
    RemoveDirectoryA(empty.c_str());
}

TEST_F(CongratulationTest, TheClipPlaysOverTheDisabledOwnerThenThePictureAndTheCloseButtonEndIt) {
    box_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Box 1", WS_POPUP | WS_VISIBLE | WS_CAPTION, 60, 78, 300, 300,
                           owner_->get(), nullptr, App.Instance, nullptr);
    App.BoxWindows[0] = box_;
    HWND feliz = OpenCongratulation(owner_->get(), CountNext);
    ASSERT_NE(feliz, nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner_->get()));
    EXPECT_FALSE(IsWindowVisible(box_)) << "the boxes are hidden while the clip plays";
    EXPECT_FALSE(CongratulationShowsPicture());
    HWND closeButton = ChildWindowFromPoint(feliz, POINT{160, 160});
    ASSERT_NE(closeButton, feliz);
    EXPECT_FALSE(IsWindowVisible(closeButton)) << "the close button waits for the clip's end";
    RECT client{};
    GetClientRect(feliz, &client);
    EXPECT_EQ(client.right, 344);
    EXPECT_EQ(client.bottom, 240);
    PumpFor(1500);  // a moment into the clip, for the picture of it
    wintest::SaveScreenshot("congratulation_clip");

    ASSERT_TRUE(PumpUntil(CongratulationShowsPicture, kClipDeadlineMs)) << "the clip ends";
    EXPECT_TRUE(IsWindowVisible(closeButton));
    EXPECT_EQ(g_nextRuns, 0);
    PumpFor(200);
    wintest::SaveScreenshot("congratulation_picture");
    MoveCursorTo(ScreenPointOf(closeButton, 24, 24));
    ctltest::PressLeft();
    PumpFor(50);
    ctltest::ReleaseLeft();
    ExpectOverOnce(feliz);
    EXPECT_FALSE(IsWindowVisible(box_)) << "the boxes stay hidden until the player opens them";
}

TEST_F(CongratulationTest, EscapeEndsTheClipWhileItPlays) {
    HWND feliz = OpenCongratulation(owner_->get(), CountNext);
    ASSERT_NE(feliz, nullptr);
    SetForegroundWindow(feliz);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == feliz; }, kWaitMs));
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    ExpectOverOnce(feliz);
    EXPECT_FALSE(CongratulationShowsPicture());
}

TEST_F(CongratulationTest, ADoubleClickEndsItAndAStrayClipNoticeChangesNothing) {
    HWND feliz = OpenAndAwaitPicture();
    ASSERT_NE(feliz, nullptr);
    SendMessageA(feliz, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0x7777);  // no clip of ours
    EXPECT_TRUE(CongratulationShowsPicture());
    EXPECT_EQ(g_nextRuns, 0);
    MoveCursorTo(ScreenPointOf(feliz, 40, 40));
    // Both clicks in one go, well within the double-click time.
    INPUT clicks[4]{};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ASSERT_EQ(SendInput(4, clicks, sizeof(INPUT)), 4u);
    ExpectOverOnce(feliz);
}

}  // namespace
