// The folder tree on Wine's common tree view: a suggested folder with its puzzle files and
// subfolders listed as the tree shows them, the desktop with My PC and the drives, the paths
// and selection kinds the file window asks for, expanding, scrolling a long folder, erasing a
// file (and keeping the item of one that cannot be erased), and the tree's icons in the game.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "SoundTestSupport.h"
#include "TreeTestSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "controls/ControlProtocol.h"
#include "dialogs/FolderTree.h"

namespace {

using treetest::ChildTexts;
using treetest::Next;
using treetest::Text;

std::vector<UINT> Notices;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == NotifyParentMessage) Notices.push_back(static_cast<UINT>(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

bool WriteSmallFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ::WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
    return written == 1;
}

int Image(HWND view, HTREEITEM item) {
    TVITEMA tvi{};
    tvi.mask = TVIF_IMAGE | TVIF_HANDLE;
    tvi.hItem = item;
    SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return tvi.iImage;
}

HTREEITEM ChildNamed(HWND view, HTREEITEM item, const std::string& name) {
    for (HTREEITEM child = Next(view, item, TVGN_CHILD); child != nullptr; child = Next(view, child, TVGN_NEXT))
        if (Text(view, child) == name) return child;
    return nullptr;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

void Select(HWND view, HTREEITEM item) {
    SendMessageA(view, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

std::string Ask(HWND tree, UINT message, LRESULT* result = nullptr) {
    char buffer[kTreePathCapacity] = "unchanged";
    const LRESULT answer = SendMessageA(tree, message, 0, reinterpret_cast<LPARAM>(buffer));
    if (result != nullptr) *result = answer;
    return buffer;
}

const FilePatterns kPuzzlePatterns = {{"*.vpf", kPuzzleFileImage}};

class FolderTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterFolderTreeClass(App.Instance);
        WNDCLASSA host{};
        host.lpfnWndProc = HostProc;
        host.hInstance = App.Instance;
        host.lpszClassName = "FolderTreeTestHost";
        RegisterClassA(&host);
    }
    void SetUp() override {
        folder_ = wintest::TempPath("tree");
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\deeper").c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\deeper\\deepest").c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\.hidden").c_str(), nullptr);
        for (const char* name :
             {"\\one.vpf", "\\two.vpf", "\\notes.txt", "\\deeper\\three.vpf", "\\deeper\\deepest\\four.vpf"})
            ASSERT_TRUE(WriteSmallFile(folder_ + name));
        host_ = CreateWindowExA(0, "FolderTreeTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400,
                                nullptr, nullptr, App.Instance, nullptr);
        tree_ = CreateFolderTree(host_, 10, 10, 205, 162, true, 2);
        ASSERT_NE(tree_, nullptr);
        view_ = TreeViewOf(tree_);
        Notices.clear();
    }
    void TearDown() override {
        DestroyWindow(host_);
        for (const char* name :
             {"\\one.vpf", "\\two.vpf", "\\notes.txt", "\\deeper\\three.vpf", "\\deeper\\deepest\\four.vpf"})
            DeleteFileA((folder_ + name).c_str());
        for (int i = 0; i < kManyFiles; ++i) DeleteFileA(ManyFile(i).c_str());
        RemoveDirectoryA((folder_ + "\\deeper\\deepest").c_str());
        RemoveDirectoryA((folder_ + "\\deeper").c_str());
        RemoveDirectoryA((folder_ + "\\.hidden").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    HTREEITEM AddSuggested() {
        EXPECT_TRUE(AddFolderRoot(tree_, "Suggested folder", folder_.c_str(), kPuzzleFileImage, kPuzzlePatterns, true));
        wintest::Pump(50);
        return Next(view_, nullptr, TVGN_ROOT);
    }
    std::string ManyFile(int i) const { return folder_ + "\\game" + std::to_string(100 + i) + ".vpf"; }

    static constexpr int kManyFiles = 60;
    std::string folder_;
    HWND host_ = nullptr;
    HWND tree_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(FolderTree, ListsTheSuggestedFolderWithItsPuzzleFilesAndFolders) {
    const HTREEITEM root = AddSuggested();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Text(view_, root), "Suggested folder");
    EXPECT_EQ(Image(view_, root), kPuzzleFileImage);
    const std::vector<std::string> listed = ChildTexts(view_, root);
    EXPECT_TRUE(Contains(listed, "one.vpf"));
    EXPECT_TRUE(Contains(listed, "two.vpf"));
    EXPECT_TRUE(Contains(listed, "deeper"));
    EXPECT_FALSE(Contains(listed, "notes.txt")) << "only puzzle files";
    EXPECT_FALSE(Contains(listed, ".hidden")) << "no names beginning with a dot";
    EXPECT_EQ(listed.size(), 3u);
    EXPECT_EQ(Image(view_, ChildNamed(view_, root, "one.vpf")), kPuzzleFileImage);
    EXPECT_STREQ(SuggestedFolderPath(), folder_.c_str());
}

// The player's keys: Right opens the selected folder, Left closes it.
void PressKey(HWND view, WPARAM key) {
    SendMessageA(view, WM_KEYDOWN, key, 0);
    SendMessageA(view, WM_KEYUP, key, 0);
    wintest::Pump(50);
}

TEST_F(FolderTree, ExpandsAFolderIntoItsFilesAndShowsItOpen) {
    const HTREEITEM deeper = ChildNamed(view_, AddSuggested(), "deeper");
    ASSERT_NE(deeper, nullptr);
    EXPECT_EQ(Image(view_, deeper), kClosedFolderImage);
    Select(view_, deeper);
    PressKey(view_, VK_RIGHT);
    const std::vector<std::string> listed = ChildTexts(view_, deeper);
    EXPECT_TRUE(Contains(listed, "three.vpf"));
    EXPECT_TRUE(Contains(listed, "deepest"));
    EXPECT_EQ(Image(view_, deeper), kOpenFolderImage);
    PressKey(view_, VK_LEFT);
    EXPECT_EQ(Image(view_, deeper), kClosedFolderImage);
}

TEST_F(FolderTree, AnswersThePathsAndKindOfTheSelection) {
    const HTREEITEM root = AddSuggested();
    LRESULT result = 0;
    EXPECT_EQ(SendMessageA(tree_, FTM_GETSELECTIONKIND, 0, 0), kFolderSelected) << "nothing: the suggested folder";
    EXPECT_EQ(Ask(tree_, FTM_GETFOLDER, &result), folder_);
    EXPECT_EQ(result, static_cast<LRESULT>(folder_.size() + 1));

    const HTREEITEM deeper = ChildNamed(view_, root, "deeper");
    SendMessageA(view_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(deeper));
    wintest::Pump(50);
    const HTREEITEM deepest = ChildNamed(view_, deeper, "deepest");
    ASSERT_NE(deepest, nullptr);
    SendMessageA(view_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(deepest));
    wintest::Pump(50);
    const HTREEITEM four = ChildNamed(view_, deepest, "four.vpf");
    ASSERT_NE(four, nullptr);
    Select(view_, four);
    EXPECT_EQ(SendMessageA(tree_, FTM_GETSELECTIONKIND, 0, 0), kFileSelected);
    EXPECT_EQ(Ask(tree_, FTM_GETPATH), folder_ + "\\deeper\\deepest\\four.vpf");
    EXPECT_EQ(Ask(tree_, FTM_GETFOLDER), folder_ + "\\deeper\\deepest\\") << "a folder several levels deep";
    EXPECT_EQ(Ask(tree_, FTM_GETNAME), "four.vpf");
    ASSERT_FALSE(Notices.empty());
    EXPECT_EQ(Notices.back(), CN_ENTER) << "the parent hears of the new selection";

    Select(view_, deeper);
    EXPECT_EQ(SendMessageA(tree_, FTM_GETSELECTIONKIND, 0, 0), kFolderSelected);
    EXPECT_EQ(Ask(tree_, FTM_GETPATH), folder_ + "\\deeper\\");
    EXPECT_EQ(Ask(tree_, FTM_GETNAME), "deeper");
}

TEST_F(FolderTree, ListsTheDesktopMyPcAndTheDrives) {
    ASSERT_TRUE(AddDesktopAndDrives(tree_, "Desktop", "My PC", kPuzzlePatterns));
    const HTREEITEM desktop = Next(view_, nullptr, TVGN_ROOT);
    EXPECT_EQ(Text(view_, desktop), "Desktop");
    EXPECT_EQ(Image(view_, desktop), kDesktopImage);
    const HTREEITEM computer = Next(view_, desktop, TVGN_CHILD);
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(Text(view_, computer), "My PC") << "first under the desktop";
    EXPECT_EQ(Image(view_, computer), kComputerImage);
    SendMessageA(view_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(computer));
    wintest::Pump(50);
    const std::vector<std::string> drives = ChildTexts(view_, computer);
    bool driveC = false;
    for (const std::string& drive : drives) {
        EXPECT_EQ(drive.find("(A:)"), std::string::npos);
        EXPECT_EQ(drive.find("(B:)"), std::string::npos);
        driveC = driveC || drive.find("(C:)") != std::string::npos;
    }
    EXPECT_TRUE(driveC) << "Wine's drive C";

    Select(view_, computer);
    LRESULT result = 0;
    EXPECT_EQ(SendMessageA(tree_, FTM_GETSELECTIONKIND, 0, 0), kComputerSelected);
    EXPECT_EQ(Ask(tree_, FTM_GETPATH, &result), "");
    EXPECT_EQ(result, kNoTreePath);
    Select(view_, Next(view_, computer, TVGN_CHILD));
    EXPECT_EQ(Ask(tree_, FTM_GETPATH).substr(1), ":\\") << "a drive's path is its root";
}

TEST(FolderTreeCaption, DrivesShowTheirLabelInTitleCase) {
    const struct {
        const char* label;
        char letter;
        const char* caption;
    } cases[] = {
        {"SYSTEM", 'C', "System (C:)"},
        {"DATA", 'd', "Data (D:)"},
        {"", 'E', " (E:)"},
        {"mixed CASE", 'F', "mixed case (F:)"},
    };
    for (const auto& c : cases) EXPECT_EQ(DriveCaption(c.label, c.letter), c.caption) << c.label;
}

TEST_F(FolderTree, ScrollsALongFolderAndListsWhatComesIntoView) {
    for (int i = 0; i < kManyFiles; ++i) ASSERT_TRUE(WriteSmallFile(ManyFile(i)));
    const HTREEITEM root = AddSuggested();
    ASSERT_EQ(ChildTexts(view_, root).size(), static_cast<size_t>(kManyFiles + 3));
    const HTREEITEM firstBefore = Next(view_, nullptr, TVGN_FIRSTVISIBLE);
    for (int i = 0; i < 40; ++i) SendMessageA(view_, WM_VSCROLL, SB_LINEDOWN, 0);
    wintest::Pump(50);
    const HTREEITEM firstAfter = Next(view_, nullptr, TVGN_FIRSTVISIBLE);
    EXPECT_NE(firstAfter, firstBefore) << "the view scrolled";
    EXPECT_NE(Text(view_, firstAfter), "") << "an item of the folder is at the top";
    const HTREEITEM deeper = ChildNamed(view_, root, "deeper");
    SendMessageA(view_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(deeper));
    SendMessageA(view_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(deeper));
    wintest::Pump(50);
    EXPECT_TRUE(Contains(ChildTexts(view_, deeper), "three.vpf")) << "after scrolling back";
}

TEST_F(FolderTree, ErasesTheSelectedFileAndKeepsOneThatCannotBeErased) {
    const HTREEITEM root = AddSuggested();
    Select(view_, ChildNamed(view_, root, "one.vpf"));
    EXPECT_EQ(SendMessageA(tree_, FTM_DELETEFILE, 0, 0), 0);
    EXPECT_EQ(GetFileAttributesA((folder_ + "\\one.vpf").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ChildNamed(view_, root, "one.vpf"), nullptr);

    // A file held open without delete sharing cannot be erased: its item stays.
    HANDLE held = CreateFileA((folder_ + "\\two.vpf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Select(view_, ChildNamed(view_, root, "two.vpf"));
    EXPECT_EQ(SendMessageA(tree_, FTM_DELETEFILE, 0, 0), kNoTreePath);
    CloseHandle(held);
    EXPECT_NE(ChildNamed(view_, root, "two.vpf"), nullptr);
    EXPECT_NE(GetFileAttributesA((folder_ + "\\two.vpf").c_str()), INVALID_FILE_ATTRIBUTES);

    Select(view_, ChildNamed(view_, root, "deeper"));
    EXPECT_EQ(SendMessageA(tree_, FTM_DELETEFILE, 0, 0), kNoTreePath) << "folders are never erased";
    EXPECT_NE(GetFileAttributesA((folder_ + "\\deeper").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FolderTreeIcons, AreResourcesOfTheGame) {
    HMODULE game = LoadLibraryExA(wintest::GamePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(game, nullptr) << "build the game first: " << wintest::GamePath();
    for (int id = kFolderTreeFirstIcon; id < kFolderTreeFirstIcon + 12; ++id) {
        HANDLE icon = LoadImageA(game, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
        EXPECT_NE(icon, nullptr) << "icon " << id;
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
    FreeLibrary(game);
}

}  // namespace
