// The file menu: its pills in every language (Portuguese players get the Spanish open and
// save pills), the first pill over the point it was opened at, a choice that reaches the
// owner once the menu is gone, and the menu closing itself when it loses the activation.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "DialogTestSupport.h"
#include "app/AppGlobals.h"
#include "controls/ControlProtocol.h"
#include "dialogs/FileMenu.h"
#include "engine/LanguageIds.h"
#include "gfx/ResourcePackFile.h"

namespace {

std::vector<FileMenuChoice> Chosen;
std::vector<bool> MenuGoneWhenChosen;

void RecordChoice(FileMenuChoice choice) {
    Chosen.push_back(choice);
    MenuGoneWhenChosen.push_back(FileMenuInPlay() == nullptr);
}

TEST(FileMenuImages, FollowTheLanguageWithSpanishOpenAndSaveForPortuguese) {
    const struct {
        FileMenuChoice choice;
        uint32_t language;
        uint32_t image;
    } cases[] = {
        {FileMenuChoice::NewGame, kLanguageEnglish, 1511},  {FileMenuChoice::NewGame, kLanguagePortuguese, 1512},
        {FileMenuChoice::OpenGame, kLanguageGerman, 1525},  {FileMenuChoice::OpenGame, kLanguagePortuguese, 1520},
        {FileMenuChoice::SaveGame, kLanguageSpanish, 1530}, {FileMenuChoice::SaveGame, kLanguagePortuguese, 1530},
        {FileMenuChoice::SaveGame, kLanguageItalian, 1533},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileMenuImageId(c.choice, c.language), c.image)
            << static_cast<int>(c.choice) << " in language " << c.language;
}

class FileMenu : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterFileMenuClass(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }
    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first";
        App.SoundEffectsOn = 0;
        Chosen.clear();
        MenuGoneWhenChosen.clear();
        owner_ = CreateWindowExA(0, "STATIC", "play", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr,
                                 App.Instance, nullptr);
    }
    void TearDown() override {
        if (HWND menu = FileMenuInPlay()) DestroyWindow(menu);
        DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
};

TEST_F(FileMenu, OpensWithItsFirstPillAtThePointAndHandsOverTheChoiceOnceGone) {
    for (FileMenuChoice choice : {FileMenuChoice::NewGame, FileMenuChoice::OpenGame, FileMenuChoice::SaveGame}) {
        HWND menu = OpenFileMenu(owner_, Point{187, 23}, RecordChoice);
        ASSERT_NE(menu, nullptr);
        HWND first = FileMenuButton(menu, FileMenuChoice::NewGame);
        RECT at{};
        GetWindowRect(first, &at);
        EXPECT_EQ(at.left, 187);
        EXPECT_EQ(at.top, 23);
        SendMessageA(menu, NotifyParentMessage, CN_CLICKED, reinterpret_cast<LPARAM>(FileMenuButton(menu, choice)));
        EXPECT_FALSE(IsWindow(menu));
    }
    const std::vector<FileMenuChoice> expected = {FileMenuChoice::NewGame, FileMenuChoice::OpenGame,
                                                  FileMenuChoice::SaveGame};
    EXPECT_EQ(Chosen, expected);
    EXPECT_EQ(MenuGoneWhenChosen, std::vector<bool>(3, true));
}

TEST_F(FileMenu, ClosesWhenAnotherWindowIsActivatedWithoutAChoice) {
    HWND menu = OpenFileMenu(owner_, Point{50, 50}, RecordChoice);
    ASSERT_NE(menu, nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                                 App.Instance, nullptr);
    SetActiveWindow(other);
    EXPECT_TRUE(dlgtest::RunGameLoopUntil([menu] { return !IsWindow(menu); }, 5000));
    EXPECT_TRUE(Chosen.empty());
    DestroyWindow(other);
}

}  // namespace
