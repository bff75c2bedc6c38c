// The picture magnifier on the Wine desktop: what it shows, pixel for pixel, for pictures of
// every depth and row order one after the other; the shape it takes from the picture; hiding
// while the board is cleared and for good when closed; and on the real play screen, where it
// stands, that it follows the play screen's enabling, and that it shows the picture in play,
// also after a new game dealt from the new-puzzle dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "PictureTestSupport.h"
#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "app/WindowClasses.h"
#include "board/BoardGlobals.h"
#include "board/PictureMagnifier.h"
#include "board/SurfaceWindows.h"
#include "controls/ControlProtocol.h"
#include "dialogs/NewPuzzleDialog.h"
#include "engine/ScaleRules.h"
#include "engine/ScaledPicture.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::PumpUntil;

Point ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return Point{r.right, r.bottom};
}

// Every pixel of the magnifier against the blocks the picture is made of: each block of the
// picture becomes a block a fraction of the client area in size.
testing::AssertionResult ShowsBlocks(HWND magnifier, int bitCount) {
    const pictest::ClientPixels shown(magnifier);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const uint32_t want = pictest::BlockColour(x * pictest::kBlockColumns / shown.width(),
                                                       y * pictest::kBlockRows / shown.height(), bitCount);
            if (shown.at(x, y) != want)
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                   << shown.at(x, y) << ", the picture has " << want;
        }
    return testing::AssertionSuccess();
}

class MagnifierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kPictureMagnifierClass, &info)) RegisterPictureMagnifierClass(App.Instance);
    }

    void SetUp() override {
        ctltest::MoveCursorTo(POINT{1000, 20});
        owner_ = std::make_unique<ctltest::TestParent>(0, 0, 200, 100);
        ASSERT_NE(CreatePictureMagnifier(owner_->get()), nullptr);
        magnifier_ = App.MagnifierWindow;
    }
    void TearDown() override {
        Board.Puzzle.picture.Close();
        owner_.reset();  // the magnifier goes with its owner
        EXPECT_EQ(App.MagnifierWindow, nullptr);
        for (const std::string& path : files_) DeleteFileA(path.c_str());
    }

    // Opens a picture of blocks as the picture in play and tells the magnifier.
    void Play(int width, int height, int bitCount = 24, bool topDown = false) {
        const std::string path = pictest::WriteBlockPicture("magnified" + std::to_string(files_.size()) + ".bmp", width,
                                                            height, bitCount, topDown);
        files_.push_back(path);
        ASSERT_TRUE(Board.Puzzle.picture.Open(path.c_str())) << path;
        BoardChanges changes;
        changes.magnifierChanged = true;
        ApplyBoardChanges(changes);
    }
    bool Shown() {
        return PumpUntil([this] { return IsWindowVisible(magnifier_) != FALSE; }, 2000);
    }

    std::unique_ptr<ctltest::TestParent> owner_;
    HWND magnifier_ = nullptr;
    std::vector<std::string> files_;
};

TEST_F(MagnifierTest, StartsHiddenUntitledAsAToolWindowAtItsPlace) {
    EXPECT_FALSE(IsWindowVisible(magnifier_));
    EXPECT_EQ(GetWindowTextLengthA(magnifier_), 0);
    EXPECT_EQ(GetWindow(magnifier_, GW_OWNER), owner_->get());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(magnifier_, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW,
              static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(ClientSize(magnifier_), (Point{240, 180}));
    RECT r{};
    GetWindowRect(magnifier_, &r);
    EXPECT_EQ(r.left, App.ScreenWidth / 4);
    EXPECT_EQ(r.top, App.ScreenHeight / 2);
    ShowMagnifier();
    EXPECT_FALSE(IsWindowVisible(magnifier_)) << "nothing to show without a picture";
}

// The pictures follow each other at one size, so that DrawDib sees only the depth change: it
// must start afresh each time (Wine would copy a 24-bit picture into an 8-bit buffer).
TEST_F(MagnifierTest, ShowsEveryPictureInPlayPixelForPixelWhateverItsDepth) {
    struct Case {
        int bitCount;
        bool topDown;
    };
    const Case cases[] = {{8, false}, {24, false}, {4, false}, {32, false}, {16, false},
                          {1, false}, {8, true},   {24, true}, {8, false}};
    ShowMagnifier();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bitCount) + (c.topDown ? " bits, top-down" : " bits"));
        Play(480, 360, c.bitCount, c.topDown);
        ASSERT_TRUE(Shown());
        ASSERT_EQ(ClientSize(magnifier_), (Point{240, 180}));
        UpdateWindow(magnifier_);
        EXPECT_TRUE(ShowsBlocks(magnifier_, c.bitCount));
    }
}

TEST_F(MagnifierTest, TakesThePicturesShapeWithinTheSameCorner) {
    struct Case {
        int width, height;
        Point client;
    };
    const Case cases[] = {{1000, 100, {240, 24}},
                          {100, 1000, {18, 180}},
                          {640, 480, {240, 180}},
                          {30, 20, {240, 160}},
                          {4000, 8, {240, 1}}};
    ShowMagnifier();
    for (const Case& c : cases) {
        Play(c.width, c.height);
        ASSERT_TRUE(Shown());
        EXPECT_EQ(ClientSize(magnifier_), c.client) << c.width << " x " << c.height;
        RECT r{};
        GetWindowRect(magnifier_, &r);
        EXPECT_EQ(r.left, App.ScreenWidth / 4) << "resizing does not move it";
        EXPECT_EQ(r.top, App.ScreenHeight / 2);
    }
    Play(1000, 100);
    ASSERT_TRUE(Shown());
    UpdateWindow(magnifier_);
    EXPECT_TRUE(ShowsBlocks(magnifier_, 24));
}

TEST_F(MagnifierTest, ClearingHidesItUntilTheNextPictureAndClosingHidesItForGood) {
    ShowMagnifier();
    Play(640, 480);
    ASSERT_TRUE(Shown());
    ApplyBoardChanges(Board.Puzzle.ClearGame(false));
    EXPECT_FALSE(IsWindowVisible(magnifier_)) << "the board was cleared";
    EXPECT_EQ(ClientSize(magnifier_), (Point{240, 180}));
    Play(1000, 100);
    EXPECT_TRUE(Shown()) << "the next picture brings it back";

    SendMessageA(magnifier_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(magnifier_)) << "closing only hides it";
    EXPECT_FALSE(IsWindowVisible(magnifier_));
    Play(640, 480);
    EXPECT_FALSE(IsWindowVisible(magnifier_)) << "the player closed it: a new picture leaves it closed";
    ShowMagnifier();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(GetActiveWindow(), owner_->get()) << "showing it does not take the activation";
}

// --- On the play screen -------------------------------------------------------------------------

// The game's own folder (pictures, pack) beside the test programs.
std::string DistFolder() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\"; }

// The magnifier against the picture in play resampled by the reader to the magnifier's size.
testing::AssertionResult ShowsPictureInPlay(HWND magnifier) {
    PuzzleDocument& doc = Board.Puzzle;
    const Point size = FittedPictureSize(LoadedPictureSize(doc), kMagnifierArea);
    if (ClientSize(magnifier) != size) return testing::AssertionFailure() << "the client area is not the fitted size";
    const PackedDibPtr expected = ReadScaledPicture(doc.picture, size);
    if (!expected) return testing::AssertionFailure() << "the picture cannot be read";
    const BitmapInfoHeader& h = expected->header;
    const int rowBytes = DibRowBytes(h.biWidth, h.biBitCount);
    const pictest::ClientPixels shown(magnifier);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const uint8_t* p = expected->Pixels() + (size.y - 1 - y) * rowBytes;
            uint32_t want = 0;
            if (h.biBitCount == 8) {
                const RgbQuad& q = expected->palette[p[x]];
                want = uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
            } else {
                const uint8_t* px = p + x * (h.biBitCount / 8);
                want = uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
            }
            if (shown.at(x, y) != want)
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                   << shown.at(x, y) << ", the picture has " << want;
        }
    return testing::AssertionSuccess();
}

class MagnifierOnPlayScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        std::string folder = DistFolder();
        lstrcpynA(App.ModuleFolder, folder.c_str(), sizeof App.ModuleFolder);
        OpenResourcePack((folder + "vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "the game's folder is built into build/dist";
        App.SoundEffectsOn = 0;
        ctltest::MoveCursorTo(POINT{1010, 740});
        screen_ = OpenPlayScreen();
        ASSERT_NE(screen_, nullptr);
        PumpUntil([] { return App.MagnifierWindow != nullptr && IsWindowVisible(App.MagnifierWindow); }, 5000);
    }
    void TearDown() override {
        if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    HWND screen_ = nullptr;
};

TEST_F(MagnifierOnPlayScreen, ShowsThePictureInPlayBesideTheBoardAndAfterANewGame) {
    HWND magnifier = App.MagnifierWindow;
    ASSERT_NE(magnifier, nullptr);
    ASSERT_TRUE(Board.Puzzle.picture.IsOpen()) << "the opening game's picture";
    EXPECT_TRUE(IsWindowVisible(magnifier)) << "the play screen shows it when it is built";
    EXPECT_EQ(GetWindow(magnifier, GW_OWNER), screen_);
    RECT r{};
    GetWindowRect(magnifier, &r);
    EXPECT_EQ(r.left, App.ScreenWidth / 4);
    EXPECT_EQ(r.top, App.ScreenHeight / 2);
    EXPECT_NE(GetActiveWindow(), magnifier) << "shown without taking the activation";
    UpdateWindow(magnifier);
    EXPECT_TRUE(ShowsPictureInPlay(magnifier));

    // Each new game on the first picture of another category: "New game" opens the new-puzzle
    // dialog on the remembered category, and Enter deals.
    for (int game = 0; game < 3; ++game) {
        App.PictureCategory = game;
        SendMessageA(screen_, NotifyParentMessage, CN_CLICKED, reinterpret_cast<LPARAM>(App.NewGameButton));
        ASSERT_NE(App.NewPuzzleWindow, nullptr);
        SendMessageA(App.NewPuzzleWindow, WM_CHAR, kAcceptKey, 0);
        ASSERT_EQ(App.NewPuzzleWindow, nullptr);
        ASSERT_TRUE(PumpUntil([magnifier] { return IsWindowVisible(magnifier) != FALSE; }, 5000));
        UpdateWindow(magnifier);
        char name[MAX_PATH] = "";
        Board.Puzzle.picture.GetName(name, sizeof name);
        EXPECT_TRUE(ShowsPictureInPlay(magnifier)) << "new game " << game << ": " << name;
    }
}

TEST_F(MagnifierOnPlayScreen, FollowsThePlayScreensEnabling) {
    HWND magnifier = App.MagnifierWindow;
    ASSERT_NE(magnifier, nullptr);
    EnableWindow(screen_, FALSE);
    EXPECT_FALSE(IsWindowEnabled(magnifier)) << "a dialog that disables the play screen disables it too";
    EnableWindow(screen_, TRUE);
    EXPECT_TRUE(IsWindowEnabled(magnifier));
}

}  // namespace
