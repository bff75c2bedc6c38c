// The file window's refusals: a typed name Windows cannot hold, a save with no puzzle in play
// and a damaged file are each answered with a message over the window, which stays open, and
// nothing is written or loaded; erasing asks first, and a file that cannot be erased stays,
// with a message; selecting a saved game in save mode puts its name in the field; Escape
// closes the window and gives the play screen back.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "DialogTestSupport.h"
#include "TreeTestSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "controls/ControlProtocol.h"
#include "dialogs/FileWindow.h"
#include "dialogs/FolderTree.h"
#include "dialogs/MessageWindow.h"
#include "engine/LanguageIds.h"
#include "gfx/ResourcePackFile.h"

namespace {

constexpr DWORD kWaitMs = 5000;

HWND MessageShown() {
    HWND message = FindWindowA(kMessageWindowClass, nullptr);
    return message != nullptr && IsWindowVisible(message) ? message : nullptr;
}

class FileWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterMessageWindowClass(App.Instance);
        RegisterFolderTreeClass(App.Instance);
        RegisterFileWindowClass(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }
    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first";
        App.SoundEffectsOn = 0;
        App.LanguageIndex = kLanguageEnglish;
        // The window suggests folder\ beside the game: here, beside a folder of the test's own.
        std::strcpy(savedModuleFolder_, App.ModuleFolder);
        gameFolder_ = wintest::TempPath("game\\");
        CreateDirectoryA(gameFolder_.c_str(), nullptr);
        CreateDirectoryA(Suggested().c_str(), nullptr);
        std::strcpy(App.ModuleFolder, gameFolder_.c_str());
        owner_ = CreateWindowExA(0, "STATIC", "play", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 App.Instance, nullptr);
        App.PlayScreenWindow = owner_;
        Board.Puzzle.ClearGame(false);
    }
    void TearDown() override {
        if (HWND message = FindWindowA(kMessageWindowClass, nullptr)) DestroyWindow(message);
        if (HWND window = FileWindowInPlay()) DestroyWindow(window);
        dlgtest::RunGameLoopUntil([] { return false; }, 100);
        App.PlayScreenWindow = nullptr;
        DestroyWindow(owner_);
        std::strcpy(App.ModuleFolder, savedModuleFolder_);
        for (const char* name : {"game.vpf", "broken.vpf", "old game.vpf"}) DeleteFileA((Suggested() + name).c_str());
        RemoveDirectoryA(Suggested().c_str());
        RemoveDirectoryA(gameFolder_.c_str());
    }
    std::string Suggested() const { return gameFolder_ + "folder\\"; }
    HWND Open(FileBrowserMode mode) {
        HWND window = OpenFileBrowser(mode, nullptr);
        EXPECT_NE(window, nullptr);
        EXPECT_FALSE(IsWindowEnabled(owner_)) << "the play screen waits";
        return window;
    }
    // Selects the file `name` under the suggested folder, the tree's first root.
    void SelectFile(HWND window, const std::string& name) {
        HWND view = TreeViewOf(FileWindowTree(window));
        for (HTREEITEM item = treetest::Next(view, treetest::Next(view, nullptr, TVGN_ROOT), TVGN_CHILD);
             item != nullptr; item = treetest::Next(view, item, TVGN_NEXT)) {
            if (treetest::Text(view, item) == name) {
                SendMessageA(view, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                return;
            }
        }
        ADD_FAILURE() << name << " is not listed";
    }
    // Enter in the window, then the message it must show over itself.
    void AcceptAndExpectMessage(HWND window) {
        SendMessageA(window, WM_CHAR, '\r', 0);
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return MessageShown() != nullptr; }, kWaitMs));
        EXPECT_EQ(GetWindow(MessageShown(), GW_OWNER), window);
        EXPECT_TRUE(IsWindow(window)) << "the file window stays open";
    }

    char savedModuleFolder_[kModuleFolderCapacity] = {};
    std::string gameFolder_;
    HWND owner_ = nullptr;
};

TEST_F(FileWindow, RefusesNamesWindowsCannotHoldWithAMessage) {
    for (const char* typed : {"bad:name", "what?", "  ", "CON", ".hidden"}) {
        HWND window = Open(FileBrowserMode::Save);
        SetWindowTextA(FileWindowNameField(window), typed);
        AcceptAndExpectMessage(window);
        DestroyWindow(MessageShown());
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Suggested() + "*").c_str(), &found);
        int entries = 0;
        if (search != INVALID_HANDLE_VALUE) {
            do entries += found.cFileName[0] != '.';
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        EXPECT_EQ(entries, 0) << "nothing written for " << typed;
        DestroyWindow(window);
    }
}

TEST_F(FileWindow, SaysThereIsNothingToSaveWithoutAPuzzle) {
    HWND window = Open(FileBrowserMode::Save);
    SetWindowTextA(FileWindowNameField(window), "game");
    AcceptAndExpectMessage(window);
    EXPECT_FALSE(wintest::FileExists(Suggested() + "game.vpf"));
}

TEST_F(FileWindow, RefusesADamagedFileWithAMessageAndLoadsNothing) {
    ASSERT_TRUE(wintest::WriteBytes(Suggested() + "broken.vpf", std::string(908, 'x')));
    HWND window = Open(FileBrowserMode::Open);
    SelectFile(window, "broken.vpf");
    AcceptAndExpectMessage(window);
    EXPECT_TRUE(Board.Puzzle.atlas.empty()) << "no game was made from it";
    EXPECT_TRUE(wintest::FileExists(Suggested() + "broken.vpf"));
}

TEST_F(FileWindow, PutsTheNameOfASelectedSavedGameInTheField) {
    ASSERT_TRUE(wintest::WriteBytes(Suggested() + "old game.vpf", "x"));
    HWND window = Open(FileBrowserMode::Save);
    SelectFile(window, "old game.vpf");
    EXPECT_EQ(dlgtest::WindowText(FileWindowNameField(window)), "old game");
}

TEST_F(FileWindow, ErasesOnlyAfterAskingAndSaysWhenAFileCannotBeErased) {
    ASSERT_TRUE(wintest::WriteBytes(Suggested() + "old game.vpf", "x"));
    HANDLE held =
        CreateFileA((Suggested() + "old game.vpf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND window = Open(FileBrowserMode::Open);
    SelectFile(window, "old game.vpf");
    HWND erase = nullptr;
    for (HWND button : dlgtest::ChildrenOfClass(window, "CQVANIM")) {
        RECT at{};
        GetWindowRect(button, &at);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
        if (at.left == 298 && at.top == 84) erase = button;
    }
    ASSERT_NE(erase, nullptr);
    SendMessageA(window, NotifyParentMessage, CN_CLICKED, reinterpret_cast<LPARAM>(erase));
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return MessageShown() != nullptr; }, kWaitMs));
    HWND question = MessageShown();
    EXPECT_TRUE(wintest::FileExists(Suggested() + "old game.vpf")) << "nothing erased before the answer";
    SendMessageA(question, WM_CHAR, '\r', 0);
    ASSERT_TRUE(
        dlgtest::RunGameLoopUntil([question] { return !IsWindow(question) && MessageShown() != nullptr; }, kWaitMs))
        << "the player hears that the file stays";
    CloseHandle(held);
    EXPECT_TRUE(wintest::FileExists(Suggested() + "old game.vpf"));
    EXPECT_EQ(SendMessageA(FileWindowTree(window), FTM_GETSELECTIONKIND, 0, 0), kFileSelected) << "its item stays";
}

TEST_F(FileWindow, EscapeClosesItAndGivesThePlayScreenBack) {
    HWND window = Open(FileBrowserMode::Open);
    SendMessageA(window, WM_CHAR, 27, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(FileWindowInPlay(), nullptr);
}

}  // namespace
