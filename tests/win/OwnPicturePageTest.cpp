// The own-picture page hosted in a test dialog: the tree and the custom box in their places,
// hidden until the page is shown; the tree listing the game's imported photos and the desktop;
// a PNG, a JPEG and a .bmp chosen through the tree's own items opened in the puzzle's picture
// reader and shown in the box, a photo chosen again not imported again; a damaged or empty file
// answered with a message over the dialog while the reader and the box keep the picture they
// had; and a double click on the box opening the full-screen preview over the dialog.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "DialogTestSupport.h"
#include "PhotoTestSupport.h"
#include "PictureTestSupport.h"
#include "TreeTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "dialogs/FolderTree.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/OwnPicturePage.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "gfx/ResourcePackFile.h"
#include "platform/PictureImport.h"

namespace {

using treetest::ChildTexts;
using treetest::Next;
using treetest::Text;

using ctltest::PumpUntil;

constexpr int kDialogWidth = 560;
constexpr int kDialogHeight = 360;

// The names of the files in `folder` (ending in a backslash).
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

HWND MessageShown() {
    HWND message = FindWindowA(kMessageWindowClass, nullptr);
    return message != nullptr && IsWindowVisible(message) ? message : nullptr;
}

std::string ReaderName() {
    char name[BmpFileReader::kMaxPathChars + 1] = "";
    if (!Board.Puzzle.picture.IsOpen() || Board.Puzzle.picture.GetName(name, sizeof name) == 0) return "";
    return name;
}

class OwnPicturePageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterFolderTreeClass(App.Instance);
        RegisterMessageWindowClass(App.Instance);
        RegisterPicturePreviewClass(App.Instance);
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kCustomPreviewBoxClass, &info)) RegisterCustomPreviewBoxClass(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first";
        App.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
        App.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
        ctltest::MoveCursorTo(ctltest::kFarAway);
        // The game's folder, and so its folder of imported photos, is one of the test's own.
        std::strcpy(savedModuleFolder_, App.ModuleFolder);
        gameFolder_ = wintest::TempPath("owngame\\");
        CreateDirectoryA(gameFolder_.c_str(), nullptr);
        std::strcpy(App.ModuleFolder, gameFolder_.c_str());
        pictures_ = ImportedPictureFolder();
        CreateDirectoryA(pictures_.c_str(), nullptr);
        const auto gradient = [](int x, int y) { return 0xFF000000u | uint32_t(x * 2) << 16 | uint32_t(y * 2) << 8; };
        ASSERT_TRUE(phototest::WritePhoto(pictures_ + "meadow.png", GUID_ContainerFormatPng, 120, 80, gradient));
        ASSERT_TRUE(phototest::WritePhoto(pictures_ + "harbour.jpg", GUID_ContainerFormatJpeg, 90, 110, gradient));
        ASSERT_TRUE(CopyFileA(pictest::WriteBlockPicture("own-blocks.bmp", 64, 48, 24, false).c_str(),
                              (pictures_ + "blocks.bmp").c_str(), FALSE));
        DeleteFileA(wintest::TempPath("own-blocks.bmp").c_str());
        ASSERT_TRUE(wintest::WriteBytes(pictures_ + "broken.jpg", "\xFF\xD8\xFF\xE0 not really a photo"));
        ASSERT_TRUE(wintest::WriteBytes(pictures_ + "broken.bmp", "BM and nothing a picture needs"));
        ASSERT_TRUE(wintest::WriteBytes(pictures_ + "empty.png", ""));
        ASSERT_TRUE(wintest::WriteBytes(pictures_ + "notes.txt", "not a picture"));

        Board.Puzzle.picture.Close();
        background_ = std::make_unique<DibImage>();
        ctltest::DibPtr plain = ctltest::BlankPicture(kDialogWidth, kDialogHeight, {0x5080B0});
        ASSERT_NE(plain, nullptr);
        ctltest::FillBlock(*plain, 0, 0, kDialogWidth, kDialogHeight, 1);
        background_->TakeDib(std::move(plain));
        dialog_ = std::make_unique<ctltest::TestParent>(20, 20, kDialogWidth, kDialogHeight);
        dialog_->onNotice = [this](UINT code, HWND control) {
            bool changed = false;
            if (HandleOwnPictureNotice(control, code, changed)) answers_.push_back(changed);
        };
        ASSERT_TRUE(CreateOwnPicturePage(dialog_->get(), background_.get()));
        view_ = TreeViewOf(FindWindowExA(dialog_->get(), nullptr, kFolderTreeClass, nullptr));
        ASSERT_NE(view_, nullptr);
    }

    void TearDown() override {
        if (HWND message = FindWindowA(kMessageWindowClass, nullptr)) DestroyWindow(message);
        if (HWND preview = FindWindowA(kPicturePreviewClass, nullptr)) DestroyWindow(preview);
        dialog_.reset();
        Board.Puzzle.picture.Close();
        std::strcpy(App.ModuleFolder, savedModuleFolder_);
        for (const std::string& name : FilesIn(pictures_)) DeleteFileA((pictures_ + name).c_str());
        RemoveDirectoryA(pictures_.c_str());
        RemoveDirectoryA(gameFolder_.c_str());
    }

    // Selects `name` among the imported photos, the tree's first root, as a click would.
    void Choose(const std::string& name) {
        answers_.clear();
        for (HTREEITEM item = Next(view_, Next(view_, nullptr, TVGN_ROOT), TVGN_CHILD); item != nullptr;
             item = Next(view_, item, TVGN_NEXT))
            if (Text(view_, item) == name) {
                SendMessageA(view_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                ctltest::PumpFor(ctltest::kSettleMs);
                return;
            }
        ADD_FAILURE() << name << " is not listed";
    }
    // Closes the message the page showed and waits until the dialog is usable again.
    void DismissMessage() {
        if (HWND message = MessageShown()) DestroyWindow(message);
        EXPECT_TRUE(PumpUntil([this] { return IsWindowEnabled(dialog_->get()) != FALSE; }, ctltest::kWaitMs));
    }

    char savedModuleFolder_[kModuleFolderCapacity] = {};
    std::string gameFolder_, pictures_;
    std::unique_ptr<DibImage> background_;
    std::unique_ptr<ctltest::TestParent> dialog_;
    std::vector<bool> answers_;  // pictureChanged of each notice the page took
    HWND view_ = nullptr;
};

TEST_F(OwnPicturePageTest, PlacesTheTreeAndTheBoxAndShowsThemOnlyWithThePage) {
    HWND tree = FindWindowExA(dialog_->get(), nullptr, kFolderTreeClass, nullptr);
    HWND box = OwnPictureBox();
    ASSERT_NE(box, nullptr);
    const struct {
        HWND window;
        RECT place;
    } kCases[] = {{tree, {24, 155, 24 + 239, 155 + 127}}, {box, {285, 155, 285 + 235, 155 + 127}}};
    for (const auto& c : kCases) {
        RECT r{};
        GetWindowRect(c.window, &r);
        MapWindowPoints(nullptr, dialog_->get(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &c.place)) << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom;
        EXPECT_FALSE(IsWindowVisible(c.window));
    }
    ShowOwnPicturePage(true);
    EXPECT_TRUE(IsWindowVisible(tree));
    EXPECT_TRUE(IsWindowVisible(box));
    ShowOwnPicturePage(false);
    EXPECT_FALSE(IsWindowVisible(tree));
    EXPECT_FALSE(IsWindowVisible(box));
}

TEST_F(OwnPicturePageTest, TheTreeListsTheImportedPhotosAndTheDesktop) {
    const HTREEITEM first = Next(view_, nullptr, TVGN_ROOT);
    EXPECT_EQ(Text(view_, first), "Suggested folder");
    EXPECT_EQ(Text(view_, Next(view_, first, TVGN_NEXT)), "Desktop");
    std::vector<std::string> listed = ChildTexts(view_, first);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"blocks.bmp", "broken.bmp", "broken.jpg", "empty.png", "harbour.jpg",
                                                "meadow.png"}))
        << "pictures only";
}

TEST_F(OwnPicturePageTest, AChosenPictureIsImportedOpenedAndShown) {
    const struct {
        const char* name;
        const char* opened;  // in the game's picture folder
    } kCases[] = {{"meadow.png", "meadow.bmp"}, {"harbour.jpg", "harbour.bmp"}, {"blocks.bmp", "blocks.bmp"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        Choose(c.name);
        EXPECT_EQ(answers_, std::vector<bool>{true});
        EXPECT_EQ(ReaderName(), pictures_ + c.opened);
        EXPECT_EQ(OwnPicturePath(), pictures_ + c.opened);
        EXPECT_TRUE(BoxShowsPicture(OwnPictureBox()));
        EXPECT_EQ(MessageShown(), nullptr);
    }
    // The photo chosen again is opened from its first import.
    Choose("meadow.png");
    EXPECT_EQ(answers_, std::vector<bool>{true});
    EXPECT_EQ(ReaderName(), pictures_ + "meadow.bmp");
    EXPECT_FALSE(wintest::FileExists(pictures_ + "meadow (2).bmp"));
}

TEST_F(OwnPicturePageTest, APictureThatCannotBeUsedIsToldAndChangesNothing) {
    Choose("blocks.bmp");
    ASSERT_EQ(ReaderName(), pictures_ + "blocks.bmp");
    const std::vector<std::string> before = FilesIn(pictures_);
    for (const char* name : {"broken.jpg", "broken.bmp", "empty.png"}) {
        SCOPED_TRACE(name);
        Choose(name);
        ASSERT_TRUE(PumpUntil([] { return MessageShown() != nullptr; }, ctltest::kWaitMs));
        EXPECT_EQ(GetWindow(MessageShown(), GW_OWNER), dialog_->get());
        EXPECT_FALSE(IsWindowEnabled(dialog_->get()));
        EXPECT_EQ(answers_, std::vector<bool>{false});
        EXPECT_EQ(ReaderName(), pictures_ + "blocks.bmp");
        EXPECT_EQ(OwnPicturePath(), pictures_ + "blocks.bmp");
        EXPECT_TRUE(BoxShowsPicture(OwnPictureBox()));
        DismissMessage();
    }
    EXPECT_EQ(FilesIn(pictures_), before) << "nothing left behind";
}

TEST_F(OwnPicturePageTest, ADoubleClickOnTheBoxOpensThePreviewOverTheDialog) {
    ShowOwnPicturePage(true);
    Choose("blocks.bmp");
    ASSERT_TRUE(BoxShowsPicture(OwnPictureBox()));
    dlgtest::SaveScreenshot("own-picture-page");
    ctltest::MoveCursorTo(ctltest::ScreenPointOf(OwnPictureBox(), 117, 63));
    for (int click = 0; click < 2; ++click) {
        ctltest::PressLeft();
        ctltest::ReleaseLeft();
    }
    HWND preview = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (preview = FindWindowA(kPicturePreviewClass, nullptr)) != nullptr; }, ctltest::kWaitMs));
    EXPECT_EQ(GetWindow(preview, GW_OWNER), dialog_->get());
    EXPECT_FALSE(IsWindowEnabled(dialog_->get()));
    DestroyWindow(preview);
    EXPECT_TRUE(IsWindowEnabled(dialog_->get()));
}

TEST_F(OwnPicturePageTest, NoticesOfOtherControlsAreNotThePages) {
    bool changed = true;
    EXPECT_FALSE(HandleOwnPictureNotice(dialog_->get(), CN_ENTER, changed));
    EXPECT_FALSE(changed);
    EXPECT_FALSE(HandleOwnPictureNotice(nullptr, CN_ENTER, changed));
}

}  // namespace
