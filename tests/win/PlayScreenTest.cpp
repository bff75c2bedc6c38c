// The play screen, its tool strip and tools panel and the timer window, built for real on the
// Wine desktop: where the children sit, what the command handler does with the box buttons,
// the logo, the minimise button and the new-game button, the panel's slide-out and its leave
// check under real pointer moves, the hint tool's disabling and re-enabling, and the clock's
// digits on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "app/WindowClasses.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "controls/ControlProtocol.h"
#include "dialogs/NewPuzzleDialog.h"
#include "dialogs/TimerWindow.h"
#include "gfx/DibDraw.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;
using ctltest::MoveCursorTo;
using ctltest::PumpFor;
using ctltest::PumpUntil;

// The game folder's pack, when the game has been built beside the tests.
std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

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

class PlayScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        App.SoundEffectsOn = 0;
        MoveCursorTo(POINT{600, 700});
        screen_ = OpenPlayScreen();
        ASSERT_NE(screen_, nullptr);
        PumpFor(200);
    }
    void TearDown() override {
        for (HWND& box : App.BoxWindows) {
            if (box != nullptr) DestroyWindow(box);
            box = nullptr;
        }
        if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
        WPARAM code = 1;
        QuitWasPosted(&code);
    }

    // Stand-ins for the box windows, owned by the play screen as the real ones are.
    void MakeBoxes() {
        for (int i = 0; i < kBoxWindowCount; ++i) {
            App.BoxWindows[i] = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Box", WS_POPUP | WS_CAPTION, 60 + 10 * i,
                                                78 + 10 * i, 300, 300, screen_, nullptr, App.Instance, nullptr);
        }
    }

    // The leave check hides the panel once the pointer is elsewhere.
    void HideToolsPanelForTest() {
        MoveCursorTo(POINT{600, 400}, 0);
        PumpUntil([] { return !IsWindowVisible(App.ToolsPanelWindow); }, kWaitMs);
    }

    void Notify(HWND control, UINT code) {
        SendMessageA(screen_, NotifyParentMessage, code, reinterpret_cast<LPARAM>(control));
    }

    HWND screen_ = nullptr;
};

TEST(PlayScreenLayout, ControlsSitWhereTheScreenSizePutsThem) {
    EXPECT_EQ(LogoPosition(1024), (Point{429, 23}));
    EXPECT_EQ(MinimiseButtonPosition(1024), (Point{964, 0}));
    EXPECT_EQ(CloseButtonPosition(1024), (Point{992, 0}));
    EXPECT_EQ(OptionsOpenerPosition(1024, 768), (Point{453, 718}));
    EXPECT_EQ(ToolsOpenerPosition(768), (Point{17, 325}));
    EXPECT_EQ(ToolsOpenerPosition(601), (Point{17, 242})) << "(601 - 117) / 2 truncates";
    EXPECT_EQ(NewGameButtonPosition(), (Point{23, 23}));
    EXPECT_EQ(BoxButtonPosition(0, 1024, 768), (Point{995, 192}));
    EXPECT_EQ(BoxButtonPosition(5, 1024, 768), (Point{995, 512}));
    EXPECT_EQ(BoxButtonPosition(2, 800, 601), (Point{771, 236}));
    EXPECT_EQ(TimerWindowLeft(1024), 705);
    EXPECT_EQ(TimerWindowLeft(801), 537) << "801 x 3 / 4 = 600, then 63 off";
}

TEST(PlayScreenLayout, ToolsShareThePanelHeightInFiveSteps) {
    // step = (768 - 96) / 5 = 134
    EXPECT_EQ(ToolPosition(kStatisticsTool, 768).y, 0);
    EXPECT_EQ(ToolPosition(kStatisticsTool, 768).x, 27);
    EXPECT_EQ(ToolPosition(kSolveTool, 768).x, 16);
    EXPECT_EQ(ToolPosition(kSolveTool, 768).y, 134);
    EXPECT_EQ(ToolPosition(kHintTool, 768).x, 31);
    EXPECT_EQ(ToolPosition(kHintTool, 768).y, 268);
    EXPECT_EQ(ToolPosition(kMusicTool, 768).x, 3);
    EXPECT_EQ(ToolPosition(kMusicTool, 768).y, 402);
    EXPECT_EQ(ToolPosition(kHonourTool, 768).x, 24);
    EXPECT_EQ(ToolPosition(kHonourTool, 768).y, 526) << "4 steps less 10";
    EXPECT_EQ(ToolPosition(kSolveTool, 600).y, 100);
}

TEST(PlayScreenLayout, ThePanelKeepsThePointerUpToItsEdgesInclusive) {
    EXPECT_TRUE(PointKeepsToolsPanel(POINT{0, 0}, 768));
    EXPECT_TRUE(PointKeepsToolsPanel(POINT{136, 665}, 768));
    EXPECT_TRUE(PointKeepsToolsPanel(POINT{10, 671}, 768)) << "the panel's last row, 768 - 96 rows high";
    EXPECT_FALSE(PointKeepsToolsPanel(POINT{137, 10}, 768));
    EXPECT_FALSE(PointKeepsToolsPanel(POINT{10, 672}, 768)) << "below the panel";
    EXPECT_FALSE(PointKeepsToolsPanel(POINT{-1, 10}, 768));
    EXPECT_FALSE(PointKeepsToolsPanel(POINT{10, -1}, 768));
}

TEST_F(PlayScreenTest, ChildrenAreBuiltWhereTheyBelong) {
    EXPECT_EQ(App.PlayScreenWindow, screen_);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(screen_, GWL_STYLE)) & 0x93400000u, 0x93400000u)
        << "full-screen style (the system adds WS_CLIPSIBLINGS to top-level windows)";

    ASSERT_NE(App.TimerWindow, nullptr);
    const RECT timer = ChildRect(App.TimerWindow);
    EXPECT_EQ(timer.left, TimerWindowLeft(App.ScreenWidth));
    EXPECT_EQ(timer.top, 23);
    EXPECT_EQ(timer.right - timer.left, 126);
    EXPECT_EQ(timer.bottom - timer.top, 39);

    ASSERT_NE(App.ToolStripWindow, nullptr);
    const RECT strip = ChildRect(App.ToolStripWindow);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.top, 78);
    EXPECT_EQ(strip.right, 17);
    EXPECT_EQ(strip.bottom - strip.top, App.ScreenHeight - 96);
    EXPECT_TRUE(IsWindowVisible(App.ToolStripWindow));

    ASSERT_NE(App.ToolsPanelWindow, nullptr);
    const RECT panel = ChildRect(App.ToolsPanelWindow);
    EXPECT_EQ(panel.right - panel.left, 136);
    EXPECT_EQ(panel.bottom - panel.top, App.ScreenHeight - 96);
    EXPECT_FALSE(IsWindowVisible(App.ToolsPanelWindow)) << "the panel starts hidden";
    EXPECT_EQ(App.ToolsPanelShown, 0);

    for (int i = 0; i < kBoxWindowCount; ++i) {
        ASSERT_NE(App.BoxButtons[i], nullptr);
        const RECT button = ChildRect(App.BoxButtons[i]);
        const Point at = BoxButtonPosition(i, App.ScreenWidth, App.ScreenHeight);
        EXPECT_EQ(button.left, at.x) << i;
        EXPECT_EQ(button.top, at.y) << i;
        EXPECT_EQ(SendMessageA(App.BoxButtons[i], CM_GETBITMAP, 0, 0),
                  reinterpret_cast<LRESULT>(BoxButtonImageInPlay(i)->GetDib()))
            << "box button " << i << " shows element " << i << " of the array";
    }
    const RECT close = ChildRect(App.CloseButton);
    EXPECT_EQ(close.left, App.ScreenWidth - 32);
    EXPECT_EQ(close.top, 0);
    const RECT logo = ChildRect(App.LogoAnimation);
    EXPECT_EQ(logo.left, App.ScreenWidth / 2 - 83);
    EXPECT_EQ(SendMessageA(App.LogoAnimation, ANM_GETFRAMEROWS, 0, 0), 2);
    ASSERT_NE(App.HintTool, nullptr);
    EXPECT_EQ(SendMessageA(App.HintTool, ANM_GETFRAMECOLUMNS, 0, 0), 6);
}

TEST_F(PlayScreenTest, OpeningAgainShowsTheSameScreen) {
    ShowWindow(screen_, SW_HIDE);
    EXPECT_EQ(OpenPlayScreen(), screen_);
    EXPECT_TRUE(IsWindowVisible(screen_));
}

TEST_F(PlayScreenTest, DestroyingThePlayScreenEndsTheProgramWithCodeZero) {
    DestroyWindow(screen_);
    WPARAM code = 99;
    EXPECT_TRUE(QuitWasPosted(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(App.PlayScreenWindow, nullptr);
    EXPECT_EQ(BoxButtonImageInPlay(0), nullptr) << "the box-button images go with the screen";
}

TEST_F(PlayScreenTest, TheCloseButtonEndsTheProgram) {
    Notify(App.CloseButton, CN_CLICKED);
    WPARAM code = 99;
    EXPECT_TRUE(QuitWasPosted(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(screen_));
}

TEST_F(PlayScreenTest, ABoxButtonShowsAndActivatesItsBoxThenHidesIt) {
    MakeBoxes();
    Notify(App.BoxButtons[3], CN_CLICKED);
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(App.BoxWindows[3]));
    EXPECT_EQ(GetActiveWindow(), App.BoxWindows[3]);
    for (int i = 0; i < kBoxWindowCount; ++i)
        if (i != 3) {
            EXPECT_FALSE(IsWindowVisible(App.BoxWindows[i])) << i;
        }
    const RECT box = [&] {
        RECT r{};
        GetWindowRect(App.BoxWindows[3], &r);
        return r;
    }();
    EXPECT_EQ(box.left, 90) << "showing neither moves nor sizes the box";
    EXPECT_EQ(box.right - box.left, 300);

    Notify(App.BoxButtons[3], CN_CLICKED);
    PumpFor(50);
    EXPECT_FALSE(IsWindowVisible(App.BoxWindows[3]));
    Notify(App.BoxButtons[3], CN_CLICKED);
    EXPECT_TRUE(IsWindowVisible(App.BoxWindows[3])) << "a third click shows it again";
}

TEST_F(PlayScreenTest, DisablingThePlayScreenDisablesTheBoxes) {
    MakeBoxes();
    EnableWindow(screen_, FALSE);
    for (HWND box : App.BoxWindows) EXPECT_FALSE(IsWindowEnabled(box));
    EnableWindow(screen_, TRUE);
    for (HWND box : App.BoxWindows) EXPECT_TRUE(IsWindowEnabled(box));
}

TEST_F(PlayScreenTest, TheLogoBlinksWhileHoveredAndRestsOnFrameZero) {
    HWND logo = App.LogoAnimation;
    Notify(logo, CN_ENTER);
    EXPECT_EQ(SendMessageA(logo, ANM_GETRUNNING, 0, 0), 1);
    Notify(logo, CN_TICK);
    EXPECT_EQ(SendMessageA(logo, ANM_GETFRAME, 0, 0), 1);
    Notify(logo, CN_TICK);
    EXPECT_EQ(SendMessageA(logo, ANM_GETFRAME, 0, 0), 0);
    Notify(logo, CN_TICK);
    EXPECT_EQ(SendMessageA(logo, ANM_GETFRAME, 0, 0), 1);
    Notify(logo, CN_LEAVE);
    EXPECT_EQ(SendMessageA(logo, ANM_GETRUNNING, 0, 0), 0);
    EXPECT_EQ(SendMessageA(logo, ANM_GETFRAME, 0, 0), 0);
}

TEST_F(PlayScreenTest, TheMinimiseButtonMinimisesTheScreen) {
    Notify(App.MinimiseButton, CN_CLICKED);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(screen_) != FALSE; }, kWaitMs));
    ShowWindow(screen_, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(screen_) == FALSE; }, kWaitMs));
}

TEST_F(PlayScreenTest, TouchingTheStripSlidesThePanelOutOnceAndLeavingHidesIt) {
    MoveCursorTo(ctltest::ScreenPointOf(App.ToolStripWindow, 8, 300));
    EXPECT_TRUE(PumpUntil([] { return App.ToolsPanelShown == 1; }, kWaitMs)) << "the pointer's move reached the strip";
    EXPECT_TRUE(IsWindowVisible(App.ToolsPanelWindow));
    EXPECT_TRUE(IsWindowVisible(App.HintTool)) << "the tools come out with the panel";

    // Inside the panel, even on its far edge, it stays.
    MoveCursorTo(ctltest::ScreenPointOf(App.ToolsPanelWindow, 130, 600), 300);
    EXPECT_TRUE(IsWindowVisible(App.ToolsPanelWindow));

    MoveCursorTo(POINT{600, 400}, 0);
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(App.ToolsPanelWindow); }, kWaitMs))
        << "hidden by the leave check once the pointer is elsewhere";
    EXPECT_EQ(App.ToolsPanelShown, 0);
    EXPECT_FALSE(IsWindowVisible(App.HintTool));
}

TEST_F(PlayScreenTest, TheToolsOpenerOpensThePanel) {
    Notify(App.ToolsOpener, CN_ENTER);
    EXPECT_EQ(App.ToolsPanelShown, 1);
    EXPECT_TRUE(IsWindowVisible(App.ToolsPanelWindow));
}

TEST_F(PlayScreenTest, TheSlideOutLeavesThePanelPaintedWithItsTile) {
    if (ToolTile().GetDib() == nullptr) GTEST_SKIP() << "the game's pack was not built";
    MoveCursorTo(ctltest::ScreenPointOf(App.ToolsPanelWindow, 60, 100), 0);
    ShowToolsPanel();
    // A point of the rail (x 119 to 135) and one of the parchment must match the tile.
    PackedDib* tile = ToolTile().GetDib();
    ctltest::EnsureControlClasses();
    wintest::PixelCanvas canvas(kToolTileWidth, kToolTileHeight);
    DrawBlock(canvas.dc(), 0, 0, kToolTileWidth, kToolTileHeight, tile, 0, 0);
    const POINT points[] = {POINT{125, 50}, POINT{5, 185}, POINT{130, 10}};
    PumpUntil(
        [&] {
            for (POINT p : points)
                if (ctltest::ScreenPixel(App.ToolsPanelWindow, p.x, p.y + kToolTileHeight) != canvas.Pixel(p.x, p.y))
                    return false;
            return true;
        },
        kWaitMs);
    for (POINT p : points) {
        EXPECT_EQ(ctltest::ScreenPixel(App.ToolsPanelWindow, p.x, p.y + kToolTileHeight), canvas.Pixel(p.x, p.y))
            << "second band at " << p.x << "," << p.y;
    }
}

TEST_F(PlayScreenTest, APartialRepaintStartsTheTileBandsAtItsTop) {
    if (ToolTile().GetDib() == nullptr) GTEST_SKIP() << "the game's pack was not built";
    MoveCursorTo(ctltest::ScreenPointOf(App.ToolsPanelWindow, 60, 100), 0);
    ShowToolsPanel();
    wintest::PixelCanvas canvas(kToolTileWidth, kToolTileHeight);
    DrawBlock(canvas.dc(), 0, 0, kToolTileWidth, kToolTileHeight, ToolTile().GetDib(), 0, 0);
    // Rows 50.. of the panel repainted alone: their first row is the tile's row 0.
    RECT part{0, 50, kToolTileWidth, 120};
    InvalidateRect(App.ToolsPanelWindow, &part, FALSE);
    UpdateWindow(App.ToolsPanelWindow);
    int matches = 0;
    PumpUntil(
        [&] {
            matches = 0;
            for (int x = 119; x < kToolTileWidth; ++x)
                matches += ctltest::ScreenPixel(App.ToolsPanelWindow, x, 50) == canvas.Pixel(x, 0) ? 1 : 0;
            return matches == kToolTileWidth - 119;
        },
        kWaitMs);
    EXPECT_EQ(matches, kToolTileWidth - 119) << "the rail's row 0 at the top of the repaint";

    // The strip does the same with the rail's 17 columns.
    RECT stripPart{0, 30, kToolStripWidth, 80};
    HideToolsPanelForTest();
    InvalidateRect(App.ToolStripWindow, &stripPart, FALSE);
    UpdateWindow(App.ToolStripWindow);
    PumpUntil(
        [&] {
            matches = 0;
            for (int x = 0; x < kToolStripWidth; ++x)
                matches += ctltest::ScreenPixel(App.ToolStripWindow, x, 30) == canvas.Pixel(kToolStripSourceX + x, 0);
            return matches == kToolStripWidth;
        },
        kWaitMs);
    EXPECT_EQ(matches, kToolStripWidth);
}

TEST_F(PlayScreenTest, NewGameEndsTheGameAndOpensTheNewPuzzleDialogWhoseCancelLeavesTheBoardEmpty) {
    // The game's own folder, for the dialog's pictures.
    const std::string testFolder = App.ModuleFolder;
    const std::string gameFolder = testFolder + "..\\..\\..\\dist\\";
    lstrcpynA(App.ModuleFolder, gameFolder.c_str(), sizeof App.ModuleFolder);
    struct FolderBack {
        std::string folder;
        ~FolderBack() { lstrcpynA(App.ModuleFolder, folder.c_str(), sizeof App.ModuleFolder); }
    } folderBack{testFolder};

    for (WPARAM key : {kAcceptKey, kCancelKey}) {
        Notify(App.NewGameButton, CN_CLICKED);
        HWND dialog = App.NewPuzzleWindow;
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), screen_);
        EXPECT_FALSE(IsWindowEnabled(screen_));
        EXPECT_TRUE(Board.Puzzle.pieces.empty()) << "the game in play ended";
        SendMessageA(dialog, WM_CHAR, key, 0);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(IsWindowEnabled(screen_));
        EXPECT_EQ(Board.Puzzle.pieces.empty(), key == kCancelKey) << "Enter deals, Escape leaves the board empty";
    }
}

TEST_F(PlayScreenTest, TheHintToolIsDisabledWhenHintsRunOutAndEnabledAgain) {
    HWND hint = App.HintTool;
    SendMessageA(App.ToolsPanelWindow, NotifyParentMessage, CN_ENTER, reinterpret_cast<LPARAM>(hint));
    ASSERT_EQ(SendMessageA(hint, ANM_GETRUNNING, 0, 0), 1) << "glowing under the pointer";
    SpendHintTool();
    EXPECT_EQ(SendMessageA(hint, CM_GETENABLED, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hint, ANM_GETFRAME, 0, 0), kHintSpentFrame);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(hint, ANM_GETFRAME, 0, 0) == kHintLastFrame; }, 2000))
        << "the smoke rises to the last frame";
    PumpFor(300);
    EXPECT_EQ(SendMessageA(hint, ANM_GETFRAME, 0, 0), kHintLastFrame) << "and rests there";
    EnableHintTool();
    EXPECT_EQ(SendMessageA(hint, CM_GETENABLED, 0, 0), 1);
    EXPECT_EQ(SendMessageA(hint, ANM_GETFRAME, 0, 0), 0);
    PumpFor(300);
    EXPECT_EQ(SendMessageA(hint, ANM_GETFRAME, 0, 0), 0) << "back at rest, not glowing on by itself";

    SendMessageA(hint, CM_SETENABLED, 0, 0);
    Notify(App.NewGameButton, CN_CLICKED);
    EXPECT_EQ(SendMessageA(hint, CM_GETENABLED, 0, 0), 1) << "a new game gives the hints back";

    SendMessageA(hint, CM_SETENABLED, 0, 0);
    OnPuzzleCompleted();
    EXPECT_EQ(SendMessageA(hint, CM_GETENABLED, 0, 0), 1) << "so does a completed puzzle";

    SendMessageA(hint, CM_SETENABLED, 0, 0);
    SendMessageA(App.ToolsPanelWindow, NotifyParentMessage, CN_CLICKED,
                 reinterpret_cast<LPARAM>(GetDlgItem(App.ToolsPanelWindow, kFirstToolId + kSolveTool)));
    EXPECT_EQ(SendMessageA(hint, CM_GETENABLED, 0, 0), 1) << "and the solve tool";
}

TEST_F(PlayScreenTest, TheHintToolGlowsInFourFramesAndStopsAtRestAfterTheLeave) {
    HWND hint = App.HintTool;
    HWND panel = App.ToolsPanelWindow;
    const auto send = [&](UINT code) {
        SendMessageA(panel, NotifyParentMessage, code, reinterpret_cast<LPARAM>(hint));
    };
    SendMessageA(hint, ANM_SETFRAME, 0, 0);
    send(CN_ENTER);
    int frames[6];
    for (int& f : frames) {
        send(CN_TICK);
        f = static_cast<int>(SendMessageA(hint, ANM_GETFRAME, 0, 0));
    }
    EXPECT_EQ((std::vector<int>(frames, frames + 6)), (std::vector<int>{1, 2, 3, 0, 1, 2}));
    send(CN_LEAVE);
    send(CN_TICK);
    EXPECT_EQ(SendMessageA(hint, ANM_GETRUNNING, 0, 0), 1) << "runs on to frame 0";
    send(CN_TICK);
    EXPECT_EQ(SendMessageA(hint, ANM_GETFRAME, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hint, ANM_GETRUNNING, 0, 0), 0);
}

TEST_F(PlayScreenTest, TheMusicToolRunsUpToNineAndBackDown) {
    HWND music = GetDlgItem(App.ToolsPanelWindow, kFirstToolId + kMusicTool);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(SendMessageA(music, ANM_GETINTERVAL, 0, 0), 70);
    const auto send = [&](UINT code) {
        SendMessageA(App.ToolsPanelWindow, NotifyParentMessage, code, reinterpret_cast<LPARAM>(music));
    };
    send(CN_ENTER);
    std::vector<int> frames;
    for (int i = 0; i < 20; ++i) {
        send(CN_TICK);
        frames.push_back(static_cast<int>(SendMessageA(music, ANM_GETFRAME, 0, 0)));
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2}));
    send(CN_LEAVE);
    for (int i = 0; i < 20 && SendMessageA(music, ANM_GETRUNNING, 0, 0) != 0; ++i) send(CN_TICK);
    EXPECT_EQ(SendMessageA(music, ANM_GETFRAME, 0, 0), 0) << "stops back at rest";
}

TEST_F(PlayScreenTest, TheMusicToolIsDisabledWithoutAMixer) {
    HWND music = GetDlgItem(App.ToolsPanelWindow, kFirstToolId + kMusicTool);
    EXPECT_EQ(SendMessageA(music, CM_GETENABLED, 0, 0), mixerGetNumDevs() == 0 ? 0 : 1);
}

TEST_F(PlayScreenTest, TheTimerWindowShowsTheClockInRedDigits) {
    FormatElapsed(0, 12, 34, 56);
    InvalidateRect(App.TimerWindow, nullptr, FALSE);
    UpdateWindow(App.TimerWindow);
    int red = 0;
    int outsideRed = 0;
    PumpUntil(
        [&] {
            red = outsideRed = 0;
            for (int y = 0; y < 39; ++y) {
                for (int x = 0; x < 126; ++x) {
                    if (ctltest::ScreenPixel(App.TimerWindow, x, y) != 0xFF0000u) continue;
                    const bool inside = x >= 7 && x < 101 && y >= 9 && y < 30;
                    (inside ? red : outsideRed)++;
                }
            }
            return red > 20;
        },
        kWaitMs);
    EXPECT_GT(red, 20) << "the digits are drawn in pure red";
    EXPECT_EQ(outsideRed, 0) << "inside the text box only";
    // Right-aligned: the last column of the text box region holds red or is next to it.
    int rightmostRed = -1;
    for (int x = 100; x >= 7 && rightmostRed < 0; --x)
        for (int y = 9; y < 30; ++y)
            if (ctltest::ScreenPixel(App.TimerWindow, x, y) == 0xFF0000u) rightmostRed = x;
    EXPECT_GE(rightmostRed, 92) << "the text ends at the right edge of its box";
    FormatElapsed(0, 0, 0, 0);
}

}  // namespace
namespace {

// Whether the owned window lies above the play screen in the z-order.
bool Above(HWND owned, HWND screen) {
    for (HWND w = GetWindow(screen, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV))
        if (w == owned) return true;
    return false;
}

TEST_F(PlayScreenTest, AShownBoxStaysAboveThePlayScreenWhenThePlayerClicksIt) {
    MakeBoxes();
    HWND box = App.BoxWindows[0];
    Notify(App.BoxButtons[0], CN_CLICKED);
    ASSERT_TRUE(PumpUntil([&] { return Above(box, screen_); }, kWaitMs));
    // A real click on the play screen's black corner activates it.
    MoveCursorTo(POINT{1010, 740});
    ctltest::PressLeft();
    ctltest::ReleaseLeft();
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == screen_; }, kWaitMs));
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_TRUE(PumpUntil([&] { return Above(box, screen_); }, kWaitMs))
        << "the box the player opened is still in sight";
    // Wine raises the activated owner over its boxes some time later, and later still on a
    // busy machine; the play screen keeps watching and puts the box back.
    PumpFor(1000);
    EXPECT_TRUE(PumpUntil([&] { return Above(box, screen_); }, kWaitMs)) << "and stays in sight";
}

}  // namespace
