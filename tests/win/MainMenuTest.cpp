// The front door built for real on the Wine desktop: the main menu's children where its
// picture puts them, the sound switch's look and its click, the play button that opens the
// play screen once and shows the same one again, the hidden picture's key combination, the two
// language windows and what a choice in them changes, the video window with a clip and without
// one, and owners that are enabled again when a window fails to open.
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "app/AppGlobals.h"
#include "app/HiddenPicture.h"
#include "app/LanguageChangeWindow.h"
#include "app/LanguagePanel.h"
#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "app/SharedImages.h"
#include "app/VideoWindow.h"
#include "app/WindowClasses.h"
#include "controls/CheckBox.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "controls/TextControl.h"
#include "engine/LanguageIds.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;
using ctltest::PumpFor;
using ctltest::PumpUntil;

std::string DistFolder() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\"; }

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The n-th child of `parent` of a class (in creation order).
HWND NthChild(HWND parent, const char* className, int n) {
    HWND child = nullptr;
    for (int i = 0; i <= n; ++i) {
        child = FindWindowExA(parent, child, className, nullptr);
        if (child == nullptr) return nullptr;
    }
    return child;
}

void Notify(HWND parent, HWND control, UINT code) {
    SendMessageA(parent, NotifyParentMessage, code, reinterpret_cast<LPARAM>(control));
}

std::string RecordedLanguage() {
    char digit[8] = "";
    GetPrivateProfileStringA(kLanguageIniSection, kLanguageIniKey, "", digit, sizeof digit, kLanguageIniFile);
    return digit;
}

void DrainQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

class MainMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack((DistFolder() + "vexla.rf").c_str());
        Shared.MinimiseButtonImage.LoadById(kMinimiseButtonImageId);
        Shared.CloseButtonImage.LoadById(kCloseButtonImageId);
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        App.SoundEffectsOn = 0;
        App.LanguageIndex = kLanguageEnglish;
        App.SecretKeys = 0;
        ctltest::MoveCursorTo(POINT{1015, 760});
    }
    void TearDown() override {
        for (HWND& box : App.BoxWindows) {
            if (box != nullptr) DestroyWindow(box);
            box = nullptr;
        }
        if (App.MainMenuWindow != nullptr) DestroyWindow(App.MainMenuWindow);
        if (App.PlayScreenWindow != nullptr) DestroyWindow(App.PlayScreenWindow);
        CloseVideoWindow();
        App.LanguageIndex = kLanguageEnglish;
        DrainQuit();
    }

    HWND MakeMenu() {
        HWND menu = CreateMainMenu();
        EXPECT_NE(menu, nullptr);
        PumpFor(100);
        return menu;
    }
};

TEST(MainMenuKeys, ShiftCtrlAndQInAnyOrderOpenTheWayAndAnyOtherKeyClosesIt) {
    struct Case {
        uint32_t keys;
        WPARAM key;
        uint32_t after;
    };
    const Case cases[] = {
        {0, VK_SHIFT, 1}, {1, VK_CONTROL, 3}, {3, 'Q', 7}, {0, 'Q', 4},       {4, VK_SHIFT, 5},
        {7, VK_SHIFT, 7}, {7, 'Q', 7},        {7, 'X', 0}, {3, VK_RETURN, 0}, {5, VK_MENU, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextSecretKeys(c.keys, c.key), c.after) << "keys " << c.keys << " then key " << c.key;
}

TEST_F(MainMenuTest, ChildrenSitWhereThePictureInTheMiddlePutsThem) {
    HWND menu = MakeMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(App.MainMenuWindow, menu);
    const LONG x0 = (App.ScreenWidth - 392) / 2, y0 = (App.ScreenHeight - 440) / 2;
    EXPECT_EQ(App.MainMenuOrigin.x, x0);
    EXPECT_EQ(App.MainMenuOrigin.y, y0);
    struct Expected {
        const char* className;
        int nth;
        Point offset;
        LONG width, height;
    };
    const Expected children[] = {
        {kCheckBoxClass, 0, kSoundSwitchOffset, 30, 32},
        {kCommandButtonClass, 0, kMenuMinimiseOffset, 24, 24},
        {kCommandButtonClass, 1, kMenuCloseOffset, 24, 24},
        {kCommandButtonClass, 2, kPlayButtonOffset, 284, 70},
        {kCommandButtonClass, 3, kLanguageButtonOffset, 48, 48},
        {"CQVANIM", 0, kDecorationOffset, 62, 60},
        {"CQVANIM", 1, kMenuHelpOffset, 98, 72},
        {"CQVANIM", 2, kMenuExitOffset, 98, 72},
        {"CQVANIM", 3, kMenuLogoOffset, 154, 70},
    };
    for (const Expected& e : children) {
        HWND child = NthChild(menu, e.className, e.nth);
        ASSERT_NE(child, nullptr) << e.className << " " << e.nth;
        const RECT r = ChildRect(child);
        EXPECT_EQ(r.left, x0 + e.offset.x) << e.className << " " << e.nth;
        EXPECT_EQ(r.top, y0 + e.offset.y) << e.className << " " << e.nth;
        EXPECT_EQ(r.right - r.left, e.width) << e.className << " " << e.nth;
        EXPECT_EQ(r.bottom - r.top, e.height) << e.className << " " << e.nth;
    }
    HWND panel = FindWindowExA(menu, nullptr, kLanguagePanelClass, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(IsWindowVisible(panel)) << "the language panel waits for the globe";
}

TEST_F(MainMenuTest, TheSoundSwitchShowsTheSettingAndAClickInvertsIt) {
    App.SoundEffectsOn = 0;
    HWND menu = MakeMenu();
    HWND soundSwitch = NthChild(menu, kCheckBoxClass, 0);
    ASSERT_NE(soundSwitch, nullptr);
    EXPECT_EQ(SendMessageA(soundSwitch, CHK_GETCHECK, 0, 0), 1) << "sounds off: the crossed speaker";
    Notify(menu, soundSwitch, CN_CLICKED);
    EXPECT_EQ(App.SoundEffectsOn, 1);
    Notify(menu, soundSwitch, CN_CLICKED);
    EXPECT_EQ(App.SoundEffectsOn, 0);
    DestroyWindow(menu);

    App.SoundEffectsOn = 1;
    menu = MakeMenu();
    soundSwitch = NthChild(menu, kCheckBoxClass, 0);
    ASSERT_NE(soundSwitch, nullptr);
    EXPECT_EQ(SendMessageA(soundSwitch, CHK_GETCHECK, 0, 0), 0) << "sounds on: the speaker with its waves";
    App.SoundEffectsOn = 0;
}

TEST_F(MainMenuTest, PlayOpensThePlayScreenOnceAndShowsTheSameOneAgain) {
    HWND menu = MakeMenu();
    Notify(menu, NthChild(menu, kCommandButtonClass, 2), CN_CLICKED);
    PumpFor(100);
    EXPECT_FALSE(IsWindow(menu)) << "the menu is gone";
    EXPECT_EQ(App.MainMenuWindow, nullptr);
    HWND screen = App.PlayScreenWindow;
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(IsWindowVisible(screen));

    ShowWindow(screen, SW_HIDE);  // as the way back to the menu leaves it
    menu = MakeMenu();
    Notify(menu, NthChild(menu, kCommandButtonClass, 2), CN_CLICKED);
    PumpFor(100);
    EXPECT_EQ(App.PlayScreenWindow, screen) << "the same play screen";
    EXPECT_TRUE(IsWindowVisible(screen));
    EXPECT_FALSE(IsWindow(menu));
}

TEST_F(MainMenuTest, TheLogoOpensTheHiddenPictureOnlyAfterTheThreeKeys) {
    HWND menu = MakeMenu();
    HWND logo = NthChild(menu, "CQVANIM", 3);
    ASSERT_NE(logo, nullptr);
    for (WPARAM key : {WPARAM{VK_SHIFT}, WPARAM{VK_CONTROL}, WPARAM{'X'}, WPARAM{'Q'}})
        SendMessageA(menu, WM_KEYDOWN, key, 0);
    Notify(menu, logo, CN_CLICKED);
    EXPECT_EQ(FindWindowA(kHiddenPictureClass, nullptr), nullptr) << "X in between starts over";

    for (WPARAM key : {WPARAM{'Q'}, WPARAM{VK_SHIFT}, WPARAM{VK_CONTROL}}) SendMessageA(menu, WM_KEYDOWN, key, 0);
    Notify(menu, logo, CN_CLICKED);
    HWND picture = FindWindowA(kHiddenPictureClass, nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(IsWindowEnabled(menu)) << "the menu waits while the picture is open";
    RECT client{};
    GetClientRect(picture, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 360);

    SendMessageA(picture, WM_CHAR, 'a', 0);
    EXPECT_FALSE(IsWindow(picture));
    EXPECT_TRUE(IsWindowEnabled(menu));
}

TEST_F(MainMenuTest, OwnersAreEnabledAgainWhenTheirWindowCannotOpen) {
    HWND menu = MakeMenu();
    ASSERT_TRUE(UnregisterClassA(kHiddenPictureClass, App.Instance));
    EXPECT_EQ(OpenHiddenPicture(menu), nullptr);
    EXPECT_TRUE(IsWindowEnabled(menu)) << "the hidden picture";
    RegisterHiddenPictureClass(App.Instance);

    ASSERT_TRUE(UnregisterClassA(kLanguageChangeClass, App.Instance));
    EXPECT_EQ(OpenLanguageChangeWindow(menu), nullptr);
    EXPECT_TRUE(IsWindowEnabled(menu)) << "the language-change window";
    RegisterLanguageChangeClass(App.Instance);
}

TEST_F(MainMenuTest, ThePanelsGermanTurnsThePlayButtonAndIsRecorded) {
    HWND menu = MakeMenu();
    HWND globe = NthChild(menu, kCommandButtonClass, 3);
    HWND panel = FindWindowExA(menu, nullptr, kLanguagePanelClass, nullptr);
    ASSERT_NE(panel, nullptr);
    Notify(menu, globe, CN_CLICKED);
    EXPECT_TRUE(IsWindowVisible(panel)) << "the globe opens the panel";
    HWND german = NthChild(panel, kTextControlClass, static_cast<int>(kLanguageGerman));
    ASSERT_NE(german, nullptr);
    const RECT r = ChildRect(german);
    EXPECT_EQ(r.left, LanguageEntryPosition(5).x);
    EXPECT_EQ(r.top, LanguageEntryPosition(5).y);

    Notify(panel, german, CN_CLICKED);
    EXPECT_EQ(App.LanguageIndex, kLanguageGerman);
    EXPECT_EQ(RecordedLanguage(), "5");
    EXPECT_FALSE(IsWindowVisible(panel)) << "the choice puts the panel away";
}

TEST_F(MainMenuTest, TheLanguageWindowChangesTheLanguageAndGivesItsOwnerBack) {
    HWND menu = MakeMenu();
    HWND window = OpenLanguageChangeWindow(menu);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowEnabled(menu));
    for (int i = 0; i < 6; ++i) {
        HWND button = NthChild(window, kCommandButtonClass, i);
        ASSERT_NE(button, nullptr);
        const RECT r = ChildRect(button);
        EXPECT_EQ(r.left, 6);
        EXPECT_EQ(r.top, 10 + 40 * i);
    }
    Notify(window, NthChild(window, kCommandButtonClass, 4), CN_CLICKED);
    EXPECT_EQ(App.LanguageIndex, kLanguageFrench);
    EXPECT_EQ(RecordedLanguage(), "4");
    EXPECT_FALSE(IsWindow(window)) << "a choice closes the window";
    EXPECT_TRUE(IsWindowEnabled(menu));
}

TEST_F(MainMenuTest, WithoutItsClipNoVideoWindowIsMade) {
    EXPECT_FALSE(PlayVideo(nullptr)) << "no Video\\Present.avi beside the tests";
    EXPECT_FALSE(PlayVideo("zzz"));
    EXPECT_EQ(App.VideoWindow, nullptr);
}

TEST_F(MainMenuTest, TheIntroClipPlaysFullScreenAndAClickOpensTheMenu) {
    char saved[kModuleFolderCapacity];
    strcpy_s(saved, App.ModuleFolder);
    strcpy_s(App.ModuleFolder, DistFolder().c_str());
    const bool playing = PlayVideo(nullptr);
    strcpy_s(App.ModuleFolder, saved);
    ASSERT_TRUE(playing) << "the game folder's clip plays";
    HWND video = App.VideoWindow;
    ASSERT_NE(video, nullptr);
    RECT r{};
    GetWindowRect(video, &r);
    EXPECT_LE(r.left, 0);
    EXPECT_LE(r.top, 0);
    EXPECT_GE(r.right, App.ScreenWidth);
    EXPECT_GE(r.bottom, App.ScreenHeight);
    EXPECT_EQ(App.MainMenuWindow, nullptr);

    SendMessageA(video, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_NE(App.MainMenuWindow, nullptr) << "the click opens the menu";
    EXPECT_FALSE(IsWindow(video)) << "and the menu's creation closed the clip";
    EXPECT_EQ(App.VideoWindow, nullptr);
}

}  // namespace
