// The new-puzzle dialog on the Wine desktop with the game's own pack, over a stand-in play
// screen, in a program folder of its own whose categories hold a few generated pictures (and
// one that is empty). Real clicks and keys: it opens centred with its owner disabled and gives
// it back on close (and when it cannot be made); the tabs show their pages' children; a
// category change lists and opens that category's pictures; the picture scroller keeps the
// first shown picture inside the list; Escape closes without cutting; Enter, even after a
// click on a child, cuts the chosen shape with the grid the dialog shows; the view button shows
// the picture over the screen until a key; reopening restores the category and the choice on
// the picture page; dragging the background moves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "DialogTestSupport.h"
#include "PictureTestSupport.h"
#include "ScreenshotSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "app/WindowClasses.h"
#include "board/BoardGlobals.h"
#include "board/SurfaceWindows.h"
#include "controls/AnimationControl.h"
#include "controls/CheckBox.h"
#include "controls/ControlProtocol.h"
#include "controls/Scroller.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/NewPuzzleDialog.h"
#include "dialogs/OwnPicturePage.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "engine/ScaleRules.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;
using ctltest::MoveCursorTo;
using ctltest::PumpFor;
using ctltest::PumpUntil;
using ctltest::ScreenPointOf;

constexpr Point kBackgroundSize{552, 372};

// Pictures per category of the test's program folder: category 2 is an empty folder, and
// category 4 has no folder at all.
constexpr int kPicturesInCategory[kShippedCategoryCount] = {3, 6, 0, 2, 0};

class NewPuzzleDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf").c_str());
        std::memcpy(savedFolder_, App.ModuleFolder, sizeof savedFolder_);
        folder_ = new std::string(wintest::TempPath("newpuzzle\\"));
        CreateDirectoryA(folder_->c_str(), nullptr);
        CreateDirectoryA((*folder_ + "Image\\").c_str(), nullptr);
        std::strncpy(App.ModuleFolder, folder_->c_str(), sizeof App.ModuleFolder - 1);
        for (int32_t category = 0; category < kShippedCategoryCount; ++category) {
            if (category == 4) continue;
            CreateDirectoryA(PictureCategoryFolder(category).c_str(), nullptr);
            for (int k = 0; k < kPicturesInCategory[category]; ++k) {
                // Landscape and portrait, 8 and 24 bits.
                const bool tall = k % 2 == 1;
                const std::string name = "c" + std::to_string(category) + "p" + std::to_string(k) + ".bmp";
                const std::string written =
                    pictest::WriteBlockPicture(name, tall ? 480 : 640, tall ? 640 : 480, tall ? 24 : 8, false);
                MoveFileA(written.c_str(), (PictureCategoryFolder(category) + name).c_str());
            }
        }
    }
    static void TearDownTestSuite() {
        for (int32_t category = 0; category < kShippedCategoryCount; ++category) {
            for (int k = 0; k < kPicturesInCategory[category]; ++k)
                DeleteFileA((PictureCategoryFolder(category) + "c" + std::to_string(category) + "p" +
                             std::to_string(k) + ".bmp")
                                .c_str());
            RemoveDirectoryA(PictureCategoryFolder(category).c_str());
        }
        RemoveDirectoryA((*folder_ + "Image\\").c_str());
        RemoveDirectoryA(folder_->c_str());
        std::memcpy(App.ModuleFolder, savedFolder_, sizeof savedFolder_);
        delete folder_;
        CloseResourcePack();
    }

    void SetUp() override {
        App.SoundEffectsOn = 0;
        App.PictureCategory = 0;
        for (int32_t& k : App.SelectedPicture) k = 0;
        for (int32_t& k : App.FirstShownPicture) k = 0;
        ApplyBoardChanges(Board.Puzzle.ClearGame(false));
        MoveCursorTo(ctltest::kFarAway);
        owner_ = std::make_unique<ctltest::TestParent>(0, 0, App.ScreenWidth, App.ScreenHeight);
        App.PlayScreenWindow = owner_->get();
    }
    void TearDown() override {
        if (App.NewPuzzleWindow != nullptr) DestroyWindow(App.NewPuzzleWindow);
        App.PlayScreenWindow = nullptr;
        owner_.reset();
        ApplyBoardChanges(Board.Puzzle.ClearGame(false));
    }

    HWND Open() {
        HWND dialog = OpenNewPuzzleDialog();
        EXPECT_NE(dialog, nullptr);
        PumpFor(100);
        return dialog;
    }
    static HWND Child(HWND dialog, int32_t id) { return GetDlgItem(dialog, id); }
    static bool Shown(HWND dialog, int32_t id) { return IsWindowVisible(Child(dialog, id)) != FALSE; }
    static LRESULT Get(HWND dialog, int32_t id, UINT message) { return SendMessageA(Child(dialog, id), message, 0, 0); }

    // A real click at the middle of a child, or at a point of it.
    static void Click(HWND control, POINT at = POINT{-1, -1}) {
        RECT r{};
        GetClientRect(control, &r);
        if (at.x < 0) at = POINT{r.right / 2, r.bottom / 2};
        MoveCursorTo(ScreenPointOf(control, at.x, at.y));
        ctltest::PressLeft();
        ctltest::ReleaseLeft();
        PumpFor(50);
    }
    static void ClickTab(HWND dialog, int32_t page) {
        Click(Child(dialog, kFirstTabId + page));
        ASSERT_TRUE(PumpUntil([page] { return App.NewPuzzlePage == page; }, kWaitMs)) << "tab " << page;
    }
    static void ClickCategory(HWND dialog, int32_t category) {
        Click(Child(dialog, kFirstCategoryId + category));
        ASSERT_TRUE(PumpUntil([category] { return App.PictureCategory == category; }, kWaitMs))
            << "category " << category;
    }
    // A quick click on the top (raise) or bottom (lower) arrow of a scroller.
    static void ClickArrow(HWND scroller, bool top) {
        RECT r{};
        GetClientRect(scroller, &r);
        Click(scroller, POINT{r.right / 2, top ? 5 : r.bottom - 5});
    }
    static std::string OpenPictureName() {
        char path[MAX_PATH] = "";
        Board.Puzzle.picture.GetName(path, sizeof path);
        const char* slash = std::strrchr(path, '\\');
        return slash != nullptr ? slash + 1 : path;
    }

    static inline char savedFolder_[kModuleFolderCapacity] = {};
    static inline std::string* folder_ = nullptr;
    std::unique_ptr<ctltest::TestParent> owner_;
};

TEST_F(NewPuzzleDialogTest, OpensCentredOverItsDisabledOwnerWithTheClockPausedAndGivesItBack) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(OpenNewPuzzleDialog(), dialog) << "one dialog at a time";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_->get());
    EXPECT_FALSE(IsWindowEnabled(owner_->get()));
    EXPECT_EQ(Board.Puzzle.ClockPaused, 1);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const RECT expected = CentredDialogRect(kBackgroundSize.x, kBackgroundSize.y, App.ScreenWidth, App.ScreenHeight);
    EXPECT_EQ(frame.left, expected.left);
    EXPECT_EQ(frame.top, expected.top);
    const SIZE client = ctltest::ClientSize(dialog);
    EXPECT_EQ(client.cx, kBackgroundSize.x);
    EXPECT_EQ(client.cy, kBackgroundSize.y);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & 0x92400000u, 0x92400000u);
    EXPECT_EQ(App.NewPuzzlePage, kPicturePage);

    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(App.NewPuzzleWindow, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
    EXPECT_EQ(Board.Puzzle.ClockPaused, 0);
}

TEST_F(NewPuzzleDialogTest, AWindowThatCannotBeMadeLeavesTheOwnerEnabled) {
    ASSERT_TRUE(UnregisterClassA(kNewPuzzleClass, App.Instance));
    EXPECT_EQ(OpenNewPuzzleDialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
    EXPECT_TRUE(RegisterNewPuzzleClass(App.Instance));
}

TEST_F(NewPuzzleDialogTest, EachTabShowsItsPagesChildren) {
    App.PictureCategory = 1;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Board.Puzzle.picture.IsOpen());
    struct PageCase {
        int32_t page;
        std::vector<int32_t> shown;
        bool zoomPicker, countPicker;
    };
    const std::vector<int32_t> picturePage = {200, 201, 202, 203, 204, 205, kPictureScrollerId, 300, 301, 302, 303};
    const std::vector<int32_t> countTexts = {20, 21, 22, 23, 24, 25};
    std::vector<int32_t> countPage = countTexts;
    countPage.push_back(kCountScrollerId);
    const PageCase cases[] = {
        {kShapePage, {kShapeScrollerId, kShapeDisplayId}, false, false},
        {kSizePage, {kFitButtonId, kActualSizeButtonId, kSizeScrollerId}, true, false},
        {kPieceCountPage, countPage, false, true},
        {kPicturePage, picturePage, false, false},
    };
    std::vector<int32_t> pageBound = picturePage;
    for (int32_t id :
         {kShapeScrollerId, kShapeDisplayId, kFitButtonId, kActualSizeButtonId, kSizeScrollerId, kCountScrollerId})
        pageBound.push_back(id);
    pageBound.insert(pageBound.end(), countTexts.begin(), countTexts.end());
    const char* names[kNewPuzzlePageCount] = {"new_puzzle_picture", "new_puzzle_shape", "new_puzzle_size",
                                              "new_puzzle_pieces"};

    for (const PageCase& c : cases) {
        ClickTab(dialog, c.page);
        for (int32_t page = 0; page < kNewPuzzlePageCount; ++page)
            EXPECT_EQ(Get(dialog, kFirstTabId + page, CHK_GETCHECK), page == c.page ? 1 : 0)
                << "page " << c.page << ": only its own tab is checked";
        for (int32_t id : pageBound) {
            const bool expected = std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end();
            EXPECT_EQ(Shown(dialog, id), expected) << "page " << c.page << ", child " << id;
        }
        EXPECT_EQ(IsWindowVisible(App.ZoomPickerWindow) != FALSE, c.zoomPicker) << "page " << c.page;
        EXPECT_EQ(IsWindowVisible(App.PieceCountPickerWindow) != FALSE, c.countPicker) << "page " << c.page;
        EXPECT_FALSE(IsWindowVisible(OwnPictureBox())) << "page " << c.page << ": not the own pictures' category";
        for (int32_t id : {kAcceptButtonId, kCancelButtonId, kViewButtonId, kHelpButtonId})
            EXPECT_TRUE(Shown(dialog, id)) << "page " << c.page << ": the shelf's buttons are always there";
        PumpFor(200);
        UpdateWindow(dialog);
        wintest::SaveScreenshot(names[c.page]);
    }
    // The counts the texts show are the grid of the scale rules.
    EXPECT_EQ(dlgtest::WindowText(Child(dialog, 21)), std::to_string(Board.Puzzle.rows));
    EXPECT_EQ(dlgtest::WindowText(Child(dialog, 23)), std::to_string(Board.Puzzle.cols));
    EXPECT_EQ(dlgtest::WindowText(Child(dialog, 25)), std::to_string(Board.Puzzle.rows * Board.Puzzle.cols));
}

TEST_F(NewPuzzleDialogTest, ACategoryChangeListsAndOpensThatCategorysPictures) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(OpenPictureName(), "c0p0.bmp");
    EXPECT_EQ(Get(dialog, kAcceptButtonId, CM_GETENABLED), 1);
    struct CategoryCase {
        int32_t category;
        LRESULT scrollerMin;
        const char* opened;  // empty: none
    };
    const CategoryCase cases[] = {
        {1, -5, "c1p0.bmp"}, {2, 0, ""},  // an empty folder
        {3, -1, "c3p0.bmp"}, {4, 0, ""},  // no folder at all
        {0, -2, "c0p0.bmp"},
    };
    for (const CategoryCase& c : cases) {
        ClickCategory(dialog, c.category);
        EXPECT_EQ(Get(dialog, kPictureScrollerId, SCR_GETMIN), c.scrollerMin) << "category " << c.category;
        EXPECT_EQ(Get(dialog, kPictureScrollerId, SCR_GETMAX), 0);
        EXPECT_EQ(Board.Puzzle.picture.IsOpen(), c.opened[0] != '\0') << "category " << c.category;
        if (c.opened[0] != '\0') {
            EXPECT_EQ(OpenPictureName(), c.opened);
        }
        EXPECT_EQ(Get(dialog, kAcceptButtonId, CM_GETENABLED), c.opened[0] != '\0' ? 1 : 0)
            << "category " << c.category << ": accept only with a picture";
        for (int32_t other = 0; other < kShippedCategoryCount; ++other)
            EXPECT_EQ(Get(dialog, kFirstCategoryId + other, CHK_GETCHECK), other == c.category ? 1 : 0);
    }
}

TEST_F(NewPuzzleDialogTest, ThePictureScrollerKeepsTheFirstShownPictureInsideTheList) {
    // Remembered indexes that the list no longer reaches start again from its first picture,
    // and that picture is the one opened.
    App.PictureCategory = 1;
    App.FirstShownPicture[1] = 9;
    App.SelectedPicture[1] = 7;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(App.FirstShownPicture[1], 0);
    EXPECT_EQ(App.SelectedPicture[1], 0);
    EXPECT_EQ(OpenPictureName(), "c1p0.bmp");

    HWND scroller = Child(dialog, kPictureScrollerId);
    for (int click = 1; click <= 7; ++click) {
        ClickArrow(scroller, false);
        const int32_t expected = click < 5 ? click : 5;
        EXPECT_TRUE(PumpUntil([&] { return App.FirstShownPicture[1] == expected; }, kWaitMs))
            << "after " << click << " clicks on the lower arrow: " << App.FirstShownPicture[1];
    }
    EXPECT_EQ(Get(dialog, kPictureScrollerId, SCR_GETVALUE), -5) << "the last picture is the first shown at most";
    ClickArrow(scroller, true);
    EXPECT_TRUE(PumpUntil([] { return App.FirstShownPicture[1] == 4; }, kWaitMs)) << "the upper arrow goes back";
}

TEST_F(NewPuzzleDialogTest, EscapeClosesWithoutCuttingAndEnterDoesNothingWithoutAPicture) {
    App.PictureCategory = 2;  // empty
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Get(dialog, kAcceptButtonId, CM_GETENABLED), 0);
    dlgtest::SendKey(VK_RETURN);
    PumpFor(300);
    EXPECT_TRUE(IsWindow(dialog)) << "Enter with the accept button disabled";

    ClickCategory(dialog, 0);
    ASSERT_TRUE(Board.Puzzle.picture.IsOpen());
    dlgtest::SendKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([dialog] { return !IsWindow(dialog); }, kWaitMs)) << "Escape cancels";
    EXPECT_TRUE(Board.Puzzle.pieces.empty()) << "no cut";
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
}

TEST_F(NewPuzzleDialogTest, EnterAfterAClickOnAChildCutsTheChosenShapeWithTheGridShown) {
    App.PictureCategory = 3;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickTab(dialog, kShapePage);
    HWND display = Child(dialog, kShapeDisplayId);
    for (int click = 1; click <= 2; ++click) {
        Click(display);
        ASSERT_TRUE(PumpUntil([&] { return SendMessageA(display, ANM_GETFRAME, 0, 0) == click; }, kWaitMs));
    }
    EXPECT_EQ(Get(dialog, kShapeScrollerId, SCR_GETVALUE), 2) << "the scroller follows the display";

    ClickTab(dialog, kPieceCountPage);
    HWND count = Child(dialog, kCountScrollerId);
    const LRESULT before = SendMessageA(count, SCR_GETVALUE, 0, 0);
    ClickArrow(count, false);  // one step towards fewer, larger pieces
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(count, SCR_GETVALUE, 0, 0) == before - 1; }, kWaitMs));
    const std::string rows = dlgtest::WindowText(Child(dialog, 21));
    const std::string cols = dlgtest::WindowText(Child(dialog, 23));
    const std::string pieces = dlgtest::WindowText(Child(dialog, 25));
    EXPECT_EQ(std::stoi(rows) * std::stoi(cols), std::stoi(pieces));

    // The last click went to a child; the keys still reach the dialog.
    dlgtest::SendKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([dialog] { return !IsWindow(dialog); }, kWaitMs)) << "Enter accepts";
    EXPECT_EQ(Board.Puzzle.templateId, kFirstShapeTemplateId + 2);
    EXPECT_EQ(Board.Puzzle.templateRows, 2u);
    EXPECT_EQ(Board.Puzzle.templateCols, 2u);
    EXPECT_EQ(std::to_string(Board.Puzzle.rows), rows);
    EXPECT_EQ(std::to_string(Board.Puzzle.cols), cols);
    EXPECT_EQ(std::to_string(Board.Puzzle.pieces.size()), pieces);
    EXPECT_EQ(OpenPictureName(), "c3p0.bmp");
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
}

TEST_F(NewPuzzleDialogTest, TheBoxesShowTheListFromTheFirstShownPictureAndAClickChoosesOne) {
    App.PictureCategory = 1;
    App.FirstShownPicture[1] = 3;
    App.SelectedPicture[1] = 4;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(OpenPictureName(), "c1p4.bmp");
    // Pictures 3, 4 and 5 of six, and an empty box.
    for (int32_t box = 0; box < kPreviewBoxCount; ++box) {
        HWND window = Child(dialog, kFirstPreviewBoxId + box);
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 17 + 120 * box);
        EXPECT_EQ(r.top, 155);
        EXPECT_EQ(BoxShowsPicture(window), box < 3) << "box " << box;
    }
    Click(Child(dialog, kFirstPreviewBoxId + 2));
    ASSERT_TRUE(PumpUntil([] { return App.SelectedPicture[1] == 5; }, kWaitMs));
    EXPECT_EQ(OpenPictureName(), "c1p5.bmp");
    Click(Child(dialog, kFirstPreviewBoxId + 3));
    PumpFor(200);
    EXPECT_EQ(App.SelectedPicture[1], 5) << "an empty box chooses nothing";
    UpdateWindow(dialog);
    wintest::SaveScreenshot("new_puzzle_boxes");
}

TEST_F(NewPuzzleDialogTest, TheSixthCategoryShowsTheOwnPicturePageInsteadOfTheBoxes) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(Child(dialog, kFirstCategoryId + kOwnPictureCategory), nullptr);
    ClickCategory(dialog, kOwnPictureCategory);
    EXPECT_TRUE(IsWindowVisible(OwnPictureBox()));
    for (int32_t id : {kPictureScrollerId, 300, 301, 302, 303}) EXPECT_FALSE(Shown(dialog, id)) << id;
    EXPECT_EQ(Board.Puzzle.picture.IsOpen(), !OwnPicturePath().empty());
    EXPECT_EQ(Get(dialog, kAcceptButtonId, CM_GETENABLED), Board.Puzzle.picture.IsOpen() ? 1 : 0);
    UpdateWindow(dialog);
    wintest::SaveScreenshot("new_puzzle_own_pictures");

    ClickCategory(dialog, 0);
    EXPECT_FALSE(IsWindowVisible(OwnPictureBox()));
    for (int32_t id : {kPictureScrollerId, 300, 301, 302, 303}) EXPECT_TRUE(Shown(dialog, id)) << id;
    EXPECT_EQ(OpenPictureName(), "c0p0.bmp");
}

TEST_F(NewPuzzleDialogTest, TheViewButtonShowsThePictureOverTheScreenUntilAKey) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Click(Child(dialog, kViewButtonId));
    HWND preview = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] { return (preview = FindWindowA(kPicturePreviewClass, nullptr)) != nullptr && IsWindowVisible(preview); },
        kWaitMs));
    EXPECT_EQ(GetWindow(preview, GW_OWNER), dialog);
    EXPECT_FALSE(IsWindowEnabled(dialog));
    dlgtest::SendKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(preview); }, kWaitMs));
    EXPECT_TRUE(IsWindow(dialog)) << "the key closed the preview only";
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

TEST_F(NewPuzzleDialogTest, ReopeningRestoresTheCategoryAndChoiceOnThePicturePage) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickCategory(dialog, 1);
    Click(Child(dialog, kFirstPreviewBoxId + 1));
    ASSERT_TRUE(PumpUntil([] { return App.SelectedPicture[1] == 1; }, kWaitMs));
    ClickTab(dialog, kSizePage);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(dialog));

    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(App.NewPuzzlePage, kPicturePage);
    EXPECT_EQ(Get(dialog, kFirstTabId + kPicturePage, CHK_GETCHECK), 1);
    EXPECT_EQ(Get(dialog, kFirstCategoryId + 1, CHK_GETCHECK), 1);
    EXPECT_EQ(OpenPictureName(), "c1p1.bmp");
}

TEST_F(NewPuzzleDialogTest, DraggingTheBackgroundMovesTheDialog) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    RECT before{};
    GetWindowRect(dialog, &before);
    MoveCursorTo(ScreenPointOf(dialog, 530, 40));  // the title's plate: background, no child
    ctltest::PressLeft();
    MoveCursorTo(ScreenPointOf(dialog, 530 - 60, 40 + 25));
    ctltest::ReleaseLeft();
    RECT after{};
    EXPECT_TRUE(PumpUntil(
        [&] {
            GetWindowRect(dialog, &after);
            return after.left == before.left - 60 && after.top == before.top + 25;
        },
        kWaitMs))
        << "moved to (" << after.left << ", " << after.top << ") from (" << before.left << ", " << before.top << ")";
}

TEST_F(NewPuzzleDialogTest, EachClickOnAScrollersArrowMovesItsValueOneStep) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    struct ScrollerCase {
        int32_t page;
        int32_t scroller;
        bool top;
        LRESULT step;
    };
    const ScrollerCase cases[] = {
        {kSizePage, kSizeScrollerId, true, 5},          {kSizePage, kSizeScrollerId, false, -5},
        {kPieceCountPage, kCountScrollerId, false, -1}, {kPieceCountPage, kCountScrollerId, true, 1},
        {kShapePage, kShapeScrollerId, true, 1},
    };
    for (const ScrollerCase& c : cases) {
        ClickTab(dialog, c.page);
        HWND scroller = Child(dialog, c.scroller);
        for (int click = 0; click < 3; ++click) {
            const LRESULT before = SendMessageA(scroller, SCR_GETVALUE, 0, 0);
            ClickArrow(scroller, c.top);
            EXPECT_TRUE(
                PumpUntil([&] { return SendMessageA(scroller, SCR_GETVALUE, 0, 0) == before + c.step; }, kWaitMs))
                << "scroller " << c.scroller << ", click " << click << ": from " << before << " to "
                << SendMessageA(scroller, SCR_GETVALUE, 0, 0);
        }
    }
    EXPECT_EQ(Get(dialog, kShapeDisplayId, ANM_GETFRAME), 3) << "the shape display follows its scroller";
    const LRESULT zoom = Get(dialog, kSizeScrollerId, SCR_GETVALUE);
    EXPECT_GE(ZoomPercentage(Board.Puzzle), zoom - 1);
    EXPECT_LE(ZoomPercentage(Board.Puzzle), zoom);
    EXPECT_EQ(Get(dialog, kCountScrollerId, SCR_GETVALUE), PieceCountRange(Board.Puzzle, Board.Scale))
        << "three steps down and three up: the finest grid again";
}

}  // namespace
