// The options bar and panel on the Wine desktop inside a real play screen: where they sit, the
// slide-up under a real pointer on the bar and the hiding once it has left, the texture lined
// up with the panel's origin on partial repaints, and the four buttons' actions (magnifier on
// and off, back to the main menu and play again, leave).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "app/AppGlobals.h"
#include "app/MainMenu.h"
#include "app/OptionsBar.h"
#include "app/OptionsPanel.h"
#include "app/PlayScreen.h"
#include "app/WindowClasses.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "board/PictureMagnifier.h"
#include "controls/ControlProtocol.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::ClientPixels;
using ctltest::kWaitMs;
using ctltest::MoveCursorTo;
using ctltest::PumpFor;
using ctltest::PumpUntil;

std::string DistFolder() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\"; }

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool QuitWasPosted(WPARAM* code) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *code = msg.wParam;
            return true;
        }
        DispatchMessageA(&msg);
    }
    return false;
}

TEST(OptionsLayout, ButtonsStandAThirdOfTheWidthLess81Apart) {
    const Point expected[] = {{0, 27}, {314, 27}, {628, 27}, {942, 27}};
    for (int32_t button = 0; button < kOptionsButtonCount; ++button)
        EXPECT_EQ(OptionsButtonPosition(button, 1024), expected[button]) << button;
    EXPECT_EQ(OptionsButtonPosition(kLeaveButton, 800).x, 717) << "(800 - 81) / 3 = 239, three times";
}

TEST(OptionsLayout, ThePanelKeepsThePointerUpToItsEdgesInclusive) {
    struct Case {
        POINT at;
        bool keeps;
    };
    const Case cases[] = {{{0, 0}, true},      {{1024, 103}, true}, {{500, 50}, true},  {{-1, 50}, false},
                          {{1025, 50}, false}, {{500, -1}, false},  {{500, 104}, false}};
    for (const Case& c : cases) EXPECT_EQ(PointKeepsOptionsPanel(c.at, 1024), c.keeps) << c.at.x << "," << c.at.y;
}

class OptionsPanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        // The game's own folder: its pack, and the pictures the opening game and the magnifier show.
        const std::string folder = DistFolder();
        lstrcpynA(App.ModuleFolder, folder.c_str(), sizeof App.ModuleFolder);
        OpenResourcePack((folder + "vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        App.SoundEffectsOn = 0;
        MoveCursorTo(POINT{600, 300});
        screen_ = OpenPlayScreen();
        ASSERT_NE(screen_, nullptr);
        ASSERT_NE(App.OptionsPanelWindow, nullptr);
        ASSERT_NE(App.OptionsBarWindow, nullptr);
        PumpFor(200);
    }
    void TearDown() override {
        for (HWND& box : App.BoxWindows) {
            if (box != nullptr) DestroyWindow(box);
            box = nullptr;
        }
        if (App.MagnifierWindow != nullptr) DestroyWindow(App.MagnifierWindow);
        App.MagnifierWindow = nullptr;
        if (App.MainMenuWindow != nullptr) DestroyWindow(App.MainMenuWindow);
        if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
        WPARAM code = 1;
        QuitWasPosted(&code);
    }

    // Stand-ins for the boxes and the magnifier, owned by the play screen as the real ones are.
    HWND MakeOwned(const char* caption, int32_t x) {
        return CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", caption, WS_POPUP | WS_CAPTION, x, 100, 200, 200, screen_,
                               nullptr, App.Instance, nullptr);
    }

    void Click(int32_t button) {
        SendMessageA(App.OptionsPanelWindow, NotifyParentMessage, CN_CLICKED,
                     reinterpret_cast<LPARAM>(App.OptionsButtons[button]));
    }

    bool PanelAndButtonsShown(bool shown) {
        if ((IsWindowVisible(App.OptionsPanelWindow) != FALSE) != shown) return false;
        for (HWND button : App.OptionsButtons)
            if ((IsWindowVisible(button) != FALSE) != shown) return false;
        return true;
    }

    HWND screen_ = nullptr;
};

TEST_F(OptionsPanelTest, BarAndPanelSitAlongTheBottomEdge) {
    const RECT panel = ChildRect(App.OptionsPanelWindow);
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.top, App.ScreenHeight - 103);
    EXPECT_EQ(panel.right, App.ScreenWidth);
    EXPECT_EQ(panel.bottom, App.ScreenHeight);
    const RECT bar = ChildRect(App.OptionsBarWindow);
    EXPECT_EQ(bar.top, App.ScreenHeight - 18);
    EXPECT_EQ(bar.right - bar.left, App.ScreenWidth);
    EXPECT_EQ(bar.bottom, App.ScreenHeight);
    EXPECT_TRUE(IsWindowVisible(App.OptionsBarWindow));
    EXPECT_TRUE(PanelAndButtonsShown(false)) << "the panel and its buttons start hidden";
    for (int32_t button = 0; button < kOptionsButtonCount; ++button) {
        ASSERT_NE(App.OptionsButtons[button], nullptr);
        const RECT r = ChildRect(App.OptionsButtons[button]);
        const Point at = OptionsButtonPosition(button, App.ScreenWidth);
        EXPECT_EQ(r.left, at.x) << button;
        EXPECT_EQ(r.top, at.y) << button;
    }
}

TEST_F(OptionsPanelTest, ThePointerOnTheBarSlidesThePanelUpAndLeavingHidesIt) {
    MoveCursorTo(POINT{200, App.ScreenHeight - 5});
    ASSERT_TRUE(PumpUntil([this] { return PanelAndButtonsShown(true); }, kWaitMs)) << "the bar's touch shows it";
    EXPECT_EQ(App.OptionsPanelShown, 1);

    // The slide left the tile's texture across the whole panel, repeating every 103 columns.
    const std::vector<uint32_t> pixels = ClientPixels(App.OptionsPanelWindow);
    const int32_t width = App.ScreenWidth;
    int repeats = 0;
    for (int32_t x = 0; x + kOptionsTileSize < 300; ++x)
        repeats += pixels[5 * width + x] == pixels[5 * width + x + 103];
    EXPECT_EQ(repeats, 300 - kOptionsTileSize) << "row 5 repeats with the tile";
    EXPECT_LT(ctltest::CountColour(pixels, 0x000000), static_cast<int>(pixels.size()) / 4) << "not left black";

    MoveCursorTo(POINT{200, App.ScreenHeight - 60});  // still on the panel
    PumpFor(300);
    EXPECT_TRUE(PanelAndButtonsShown(true)) << "a pointer on the panel keeps it";

    MoveCursorTo(POINT{600, 300});
    EXPECT_TRUE(PumpUntil([this] { return PanelAndButtonsShown(false); }, kWaitMs)) << "gone once the pointer left";
    EXPECT_EQ(App.OptionsPanelShown, 0);
}

TEST_F(OptionsPanelTest, ThePointerOnTheOptionsOpenerShowsThePanelToo) {
    ASSERT_NE(App.OptionsOpener, nullptr);
    MoveCursorTo(POINT{200, App.ScreenHeight - 60});  // where the panel will be, so that it stays
    SendMessageA(screen_, NotifyParentMessage, CN_ENTER, reinterpret_cast<LPARAM>(App.OptionsOpener));
    EXPECT_TRUE(PanelAndButtonsShown(true));
    EXPECT_EQ(App.OptionsPanelShown, 1);
}

TEST_F(OptionsPanelTest, APartialRepaintKeepsTheTextureInLineWithThePanel) {
    MoveCursorTo(POINT{200, App.ScreenHeight - 60});
    ShowOptionsPanel();
    PumpFor(100);
    const std::vector<uint32_t> before = ClientPixels(App.OptionsPanelWindow);
    const RECT part{50, 3, 300, 25};  // above the buttons, starting off the tile's grid
    InvalidateRect(App.OptionsPanelWindow, &part, FALSE);
    UpdateWindow(App.OptionsPanelWindow);
    const std::vector<uint32_t> after = ClientPixels(App.OptionsPanelWindow);
    EXPECT_EQ(after, before) << "the repainted part shows the same texture, without a seam at x 50";
}

TEST_F(OptionsPanelTest, APanelAlreadyShownDoesNotSlideAgain) {
    MoveCursorTo(POINT{200, App.ScreenHeight - 60});
    ShowOptionsPanel();
    PumpFor(100);
    {
        // A mark drawn straight onto the panel; a second slide would draw the texture over it.
        HDC dc = GetDC(App.OptionsPanelWindow);
        const RECT mark{150, 5, 160, 15};
        FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(App.OptionsPanelWindow, dc);
    }
    ASSERT_TRUE(PumpUntil([] { return ctltest::ScreenPixel(App.OptionsPanelWindow, 155, 10) == 0; }, kWaitMs));
    ShowOptionsPanel();  // what the bar and the opener do on every touch
    PumpFor(100);
    EXPECT_EQ(ctltest::ScreenPixel(App.OptionsPanelWindow, 155, 10), 0u) << "the mark is still there: no slide";
}

TEST_F(OptionsPanelTest, TheMagnifierButtonShowsAHiddenMagnifierAndHidesAShownOne) {
    ASSERT_NE(App.MagnifierWindow, nullptr) << "the play screen makes the magnifier";
    HideMagnifier();
    ASSERT_FALSE(IsWindowVisible(App.MagnifierWindow));
    Click(kMagnifierButton);
    EXPECT_TRUE(IsWindowVisible(App.MagnifierWindow));
    Click(kMagnifierButton);
    EXPECT_FALSE(IsWindowVisible(App.MagnifierWindow));
}

TEST_F(OptionsPanelTest, BackToTheMenuKeepsTheGameAndPlayAgainBringsItBackAsItWas) {
    for (int32_t box = 0; box < kBoxWindowCount; ++box) App.BoxWindows[box] = MakeOwned("Box", 60 + 20 * box);
    ShowWindow(App.BoxWindows[1], SW_SHOWNOACTIVATE);
    ShowWindow(App.BoxWindows[3], SW_SHOWNOACTIVATE);
    ASSERT_NE(App.MagnifierWindow, nullptr) << "the play screen makes the magnifier";
    ShowMagnifier();
    ASSERT_TRUE(IsWindowVisible(App.MagnifierWindow));
    const int32_t pieces = Board.Puzzle.PieceCount();
    const std::vector<Piece> layout = Board.Puzzle.pieces;
    Board.Puzzle.ElapsedSeconds = 42;

    Click(kMainMenuButton);
    ASSERT_NE(App.MainMenuWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(App.MainMenuWindow));
    EXPECT_FALSE(IsWindowVisible(screen_));
    EXPECT_EQ(App.PlayScreenWindow, screen_) << "the play screen stays, hidden";
    for (HWND box : App.BoxWindows) EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_FALSE(IsWindowVisible(App.MagnifierWindow));
    for (int tick = 0; tick < 3; ++tick) ClockTick(nullptr, WM_TIMER, 0, 0);
    EXPECT_EQ(Board.Puzzle.ElapsedSeconds, 42u) << "the clock does not run behind the menu";

    // The menu's play button: the menu goes and the play screen comes back.
    DestroyWindow(App.MainMenuWindow);
    EXPECT_EQ(OpenPlayScreen(), screen_);
    EXPECT_TRUE(IsWindowVisible(screen_));
    for (int32_t box = 0; box < kBoxWindowCount; ++box)
        EXPECT_EQ(IsWindowVisible(App.BoxWindows[box]) != FALSE, box == 1 || box == 3) << box;
    EXPECT_TRUE(IsWindowVisible(App.MagnifierWindow));
    EXPECT_EQ(Board.Puzzle.PieceCount(), pieces);
    EXPECT_EQ(Board.Puzzle.pieces.size(), layout.size());
    EXPECT_TRUE(std::equal(layout.begin(), layout.end(), Board.Puzzle.pieces.begin(),
                           [](const Piece& a, const Piece& b) { return std::memcmp(&a, &b, sizeof a) == 0; }))
        << "the same game, every piece where it was";
    ClockTick(nullptr, WM_TIMER, 0, 0);
    EXPECT_EQ(Board.Puzzle.ElapsedSeconds, 43u) << "the clock runs again";
}

TEST_F(OptionsPanelTest, LeaveClosesThePlayScreenAndEndsWithCodeZero) {
    Click(kLeaveButton);
    WPARAM code = 99;
    EXPECT_TRUE(QuitWasPosted(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(App.PlayScreenWindow, nullptr);
    EXPECT_EQ(App.OptionsPanelWindow, nullptr) << "the panel went with the play screen";
    for (HWND button : App.OptionsButtons) EXPECT_EQ(button, nullptr);
}

}  // namespace
