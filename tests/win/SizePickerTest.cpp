// The two size pickers hosted in a test window as the new-puzzle dialog will host them, driven
// with real mouse input: a drag in the zoom picker changes the scale along the picker's
// diagonal within the zoom range, a drag in the piece-count picker sizes the pieces from 45 to
// 150 pixels; each change reaches the parent; the cursors 562 and 563 of the executable show
// at rest and while the button is held; presses outside the picture or without one, and a
// lost capture, change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ControlTestSupport.h"
#include "PictureTestSupport.h"
#include "SoundTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/PieceCountPicker.h"
#include "board/SizePickers.h"
#include "board/ZoomPicker.h"
#include "engine/ScaleRules.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::MoveCursorTo;
using ctltest::PressLeft;
using ctltest::ReleaseLeft;
using ctltest::ScreenPointOf;

constexpr int kHostLeft = 100;
constexpr int kHostTop = 100;

HCURSOR GameCursor(int id) { return LoadCursorA(App.Instance, MAKEINTRESOURCEA(id)); }

HCURSOR ClassCursor(HWND window) { return reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)); }

// The way a hand drags: from `from` by `by` (client points of `window`) in a few moves.
void Drag(HWND window, Point from, Point by, HCURSOR* heldCursor = nullptr) {
    MoveCursorTo(ScreenPointOf(window, from.x, from.y));
    PressLeft();
    for (int step = 1; step <= 4; ++step)
        MoveCursorTo(ScreenPointOf(window, from.x + by.x * step / 4, from.y + by.y * step / 4), 30);
    if (heldCursor != nullptr) *heldCursor = GetCursor();
    ReleaseLeft();
}

class SizePickerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kZoomPickerClass, &info)) RegisterZoomPickerClass(App.Instance);
        if (!GetClassInfoA(App.Instance, kPieceCountPickerClass, &info)) RegisterPieceCountPickerClass(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf").c_str());
        picture_ = new std::string(pictest::WriteBlockPicture("pickers.bmp", 640, 480, 8, false));
    }
    static void TearDownTestSuite() {
        CloseResourcePack();
        DeleteFileA(picture_->c_str());
        delete picture_;
    }

    void SetUp() override {
        MoveCursorTo(POINT{1000, 20});
        host_ = std::make_unique<ctltest::TestParent>(kHostLeft, kHostTop, 320, 320);
        zoom_ = CreateZoomPicker(host_->get());
        count_ = CreatePieceCountPicker(host_->get(), nullptr);
        ASSERT_NE(zoom_, nullptr);
        ASSERT_NE(count_, nullptr);
        ASSERT_TRUE(Board.Puzzle.picture.Open(picture_->c_str()));
        ChoosePictureInPickers();
    }
    void TearDown() override {
        host_.reset();
        Board.Puzzle.picture.Close();
        EXPECT_EQ(App.ZoomPickerWindow, nullptr);
        EXPECT_EQ(App.PieceCountPickerWindow, nullptr);
    }

    // The dialog shows one picker at a time, on its own page.
    void ShowOnly(HWND picker) {
        for (HWND w : {zoom_, count_}) ShowWindow(w, w == picker ? SW_SHOW : SW_HIDE);
        UpdateWindow(picker);
    }
    size_t NoticesFrom(HWND picker) const {
        size_t n = 0;
        for (const ctltest::Notice& notice : host_->notices)
            if (notice.control == picker && notice.code == kPickerChanged) ++n;
        return n;
    }

    static inline std::string* picture_ = nullptr;
    std::unique_ptr<ctltest::TestParent> host_;
    HWND zoom_ = nullptr;
    HWND count_ = nullptr;
};

TEST_F(SizePickerTest, ThePickersStandWhereTheDialogWantsThem) {
    RECT r{};
    GetWindowRect(zoom_, &r);
    MapWindowPoints(nullptr, host_->get(), reinterpret_cast<POINT*>(&r), 2);
    // A 947 x 640 board area in 240 x 188: 240 x 162, centred at (31, 102 + 13).
    EXPECT_EQ(r.left, 31);
    EXPECT_EQ(r.top, 115);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 162);
    GetWindowRect(count_, &r);
    MapWindowPoints(nullptr, host_->get(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 31);
    EXPECT_EQ(r.top, 102);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 188);
    EXPECT_FALSE(IsWindowVisible(zoom_)) << "each picker is shown by its page";
    EXPECT_FALSE(IsWindowVisible(count_));
}

TEST_F(SizePickerTest, TheCursorsAreTheExecutablesOwn) {
    ASSERT_NE(GameCursor(kPickerCursorId), nullptr) << "cursor 562 is a resource of the executable";
    ASSERT_NE(GameCursor(kPickerHeldCursorId), nullptr) << "cursor 563 is a resource of the executable";
    EXPECT_NE(GameCursor(kPickerCursorId), GameCursor(kPickerHeldCursorId));
    EXPECT_EQ(ClassCursor(zoom_), GameCursor(kPickerCursorId));
    EXPECT_EQ(ClassCursor(count_), GameCursor(kPickerCursorId));
    // And the game carries them: its resources hold both cursors.
    HMODULE game = LoadLibraryExA(wintest::GamePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(game, nullptr);
    for (int id : {kPickerCursorId, kPickerHeldCursorId})
        EXPECT_NE(FindResourceA(game, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(12)), nullptr) << id;  // RT_GROUP_CURSOR
    FreeLibrary(game);
}

TEST_F(SizePickerTest, DraggingTheZoomPickerAlongItsDiagonal) {
    ShowOnly(zoom_);
    PuzzleDocument& doc = Board.Puzzle;
    const double fit = doc.fitScale;
    ASSERT_DOUBLE_EQ(fit, 4.0 / 3);
    HCURSOR held = nullptr;
    // 30 pixels right and down: (30 x 240 + 30 x 162) / (289.56 x 200) = 0.2083 larger.
    Drag(zoom_, {120, 81}, {30, 30}, &held);
    EXPECT_NEAR(doc.scale, fit + 0.2082484, 1e-6);
    EXPECT_EQ(held, GameCursor(kPickerHeldCursorId)) << "cursor 563 while the button is held";
    EXPECT_EQ(ClassCursor(zoom_), GameCursor(kPickerCursorId)) << "cursor 562 again after the release";
    EXPECT_GE(NoticesFrom(zoom_), 1u);
    EXPECT_EQ(PieceCountPosition(doc, Board.Scale), Board.Scale.countRange) << "a new scale, the finest grid";

    // Far towards the top left: the smallest scale, far towards the bottom right the largest.
    Drag(zoom_, {230, 150}, {-220, -140});
    EXPECT_DOUBLE_EQ(doc.scale, doc.minScale);
    Drag(zoom_, {10, 10}, {220, 140});
    Drag(zoom_, {10, 10}, {220, 140});
    EXPECT_DOUBLE_EQ(doc.scale, 2 * fit);
    EXPECT_EQ(ZoomPercentage(doc), 100);

    const size_t notices = NoticesFrom(zoom_);
    Drag(zoom_, {10, 10}, {220, 140});
    EXPECT_EQ(NoticesFrom(zoom_), notices) << "no change at the end of the range, no notice";
}

TEST_F(SizePickerTest, DraggingTheCountPickerSizesThePiecesFrom45To150Pixels) {
    ShowOnly(count_);
    PuzzleDocument& doc = Board.Puzzle;
    ASSERT_EQ(doc.cols, 18);
    ASSERT_EQ(doc.rows, 14);
    // The preview is 240 x 180 at (0, 4); 30 pixels down: 30 x 240 x 0.5 / 300 = 12 more.
    HCURSOR held = nullptr;
    Drag(count_, {120, 94}, {0, 30}, &held);
    EXPECT_EQ(Board.Scale.shownPieceSize, 57);
    EXPECT_EQ(doc.cols, 14);
    EXPECT_EQ(doc.rows, 11);
    EXPECT_EQ(held, GameCursor(kPickerHeldCursorId));
    EXPECT_EQ(ClassCursor(count_), GameCursor(kPickerCursorId));
    EXPECT_GE(NoticesFrom(count_), 1u);

    Drag(count_, {10, 10}, {225, 170});
    EXPECT_EQ(Board.Scale.shownPieceSize, 150) << "far towards the bottom right";
    EXPECT_EQ(doc.cols, 5);
    EXPECT_EQ(doc.rows, 4);
    EXPECT_EQ(PieceCountPosition(doc, Board.Scale), 0);
    Drag(count_, {235, 180}, {-225, -170});
    EXPECT_EQ(Board.Scale.shownPieceSize, 45) << "far towards the top left";
    EXPECT_EQ(doc.cols, 18);
    EXPECT_EQ(doc.rows, 14);
}

TEST_F(SizePickerTest, PressesOutsideThePictureOrWithoutOneAreIgnored) {
    ShowOnly(count_);
    const int32_t rows = Board.Puzzle.rows;
    Drag(count_, {120, 1}, {0, 60});  // the margin above the preview
    EXPECT_EQ(Board.Puzzle.rows, rows);
    EXPECT_EQ(NoticesFrom(count_), 0u);

    Board.Puzzle.picture.Close();
    ChoosePictureInPickers();
    for (HWND picker : {zoom_, count_}) {
        ShowOnly(picker);
        const double scale = Board.Puzzle.scale;
        MoveCursorTo(ScreenPointOf(picker, 120, 80));
        PressLeft();
        EXPECT_NE(GetCapture(), picker) << "no picture, no drag";
        ReleaseLeft();
        Drag(picker, {120, 80}, {60, 60});
        EXPECT_EQ(Board.Puzzle.scale, scale);
        EXPECT_EQ(NoticesFrom(picker), 0u);
    }
}

TEST_F(SizePickerTest, ALostCaptureEndsTheDrag) {
    ShowOnly(zoom_);
    MoveCursorTo(ScreenPointOf(zoom_, 100, 80));
    PressLeft();
    ASSERT_EQ(GetCapture(), zoom_);
    SetCapture(host_->get());
    EXPECT_EQ(ClassCursor(zoom_), GameCursor(kPickerCursorId));
    const double scale = Board.Puzzle.scale;
    SendMessageA(zoom_, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(Board.Puzzle.scale, scale) << "moves after the capture went change nothing";
    ReleaseLeft();
    ReleaseCapture();
}

// The pickers as the player sees them, saved for review; their margins are the dialog's.
TEST_F(SizePickerTest, ThePickersDrawThePictureOnTheFeltAndUnderTheGrid) {
    ShowOnly(zoom_);
    const pictest::ClientPixels zoom(zoom_);
    zoom.SaveForReview("zoom_picker");
    // At the fit the picture covers the miniature's height, centred: 162 x 121 drawn 4/3 larger
    // is 216 x 161 from (12, 0); (93, 120) lies inside its block (1, 1).
    EXPECT_EQ(zoom.at(93, 120), pictest::BlockColour(1, 1, 8)) << "the picture";
    EXPECT_NE(zoom.at(2, 81), pictest::BlockColour(0, 1, 8)) << "the felt beside it";

    ShowOnly(count_);
    const pictest::ClientPixels count(count_);
    count.SaveForReview("piece_count_picker");
    // Grid lines of 18 columns: the first at 240 / 18 = 13, inverted; beside it the picture.
    EXPECT_EQ(count.at(6, 50), pictest::BlockColour(0, 0, 8));
    EXPECT_EQ(count.at(13, 50), pictest::BlockColour(0, 0, 8) ^ 0xFFFFFF);
    EXPECT_EQ(count.at(6, 1), 0x000000u) << "the margin shows the background (black without one)";
}

}  // namespace
