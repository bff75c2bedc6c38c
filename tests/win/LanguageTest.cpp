// The language resources of the game's executable (string tables in six languages, the six
// box menus) read through the system as the game reads them, and ApplyLanguage: the INI key,
// the spoken sounds located anew whatever the flags, and the play screen's windows reloaded
// only once it exists.
#include <gtest/gtest.h>

#include <string>

#include "SoundTestSupport.h"
#include "app/AppGlobals.h"
#include "app/Language.h"
#include "app/PlayScreen.h"
#include "controls/ControlProtocol.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/ResourcePackFile.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"

namespace {

constexpr int kTextCapacity = 400;

// The executable of the game, loaded for its resources only.
class GameResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(wintest::GamePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_ != nullptr) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "build the game first: " << wintest::GamePath(); }

    // Texts arrive in the ANSI code page (1252): accented letters are single bytes.
    static std::string Text(uint32_t id) {
        char buffer[kTextCapacity];
        const int n = LoadStringA(module_, id, buffer, kTextCapacity);
        return std::string(buffer, n > 0 ? n : 0);
    }
    static inline HMODULE module_ = nullptr;
};

TEST_F(GameResources, EveryStringBaseHasSixLanguages) {
    for (uint32_t base : {20u,  30u,  40u,  50u,  60u,  70u,  80u,   100u,  110u,  120u,  130u, 140u,
                          150u, 160u, 170u, 180u, 190u, 260u, 1000u, 1010u, 1020u, 1030u, 1040u})
        for (uint32_t language = 0; language < kLanguageCount; ++language)
            EXPECT_FALSE(Text(base + language).empty()) << base + language;
}

TEST_F(GameResources, EnglishTexts) {
    EXPECT_EQ(Text(21), "\n\nWrite the new name of\n               the BOX :");
    EXPECT_EQ(Text(31), "Honor Hall");
    EXPECT_EQ(Text(41), "\n\nAre you sure you want to erase the file?");
    EXPECT_EQ(Text(51), "Rows:");
    EXPECT_EQ(Text(61), "Columns:");
    EXPECT_EQ(Text(71), "Number of pieces: ");
    EXPECT_EQ(Text(81),
              "\n\nThis game has been changed. \xBF"
              "Do you want to leave?");
    EXPECT_EQ(Text(101), "Percentage: ");
    EXPECT_EQ(Text(111), "Score: ");
    EXPECT_EQ(Text(121), "Preview");
    EXPECT_EQ(Text(131), "   Your name is on Honour     \nroll Register, please write your name for the register:");
    EXPECT_EQ(Text(141), "\nDo you wish to place this picture of the wallpaper of the desk?");
    EXPECT_EQ(Text(151), "\n\nDo you wish to print this puzzle?");
    EXPECT_EQ(Text(161),
              "\nThe configuration of the colors of your monitor is 8 bits or less. You need a minimum of the 16 bits "
              "to run Vexla Puzzle.");
    EXPECT_EQ(Text(171), "Suggested folder");
    EXPECT_EQ(Text(181), "Desktop");
    EXPECT_EQ(Text(191), "My PC");
}

TEST_F(GameResources, WholeRowsInTheirLanguages) {
    const char* rows[] = {"Filas:", "Rows:", "Filas:", "Righe:", "Rangs:", "Reihen:"};
    const char* desktops[] = {"Escritorio", "Desktop", "Escritorio", "Scrittoio", "Bureau", "Schreibtisch"};
    const char* titles[] = {"Cuadro de Honor", "Honor Hall",         "Quadro de Honor",
                            "Quadro D'Onore",  "Le cadre d'honneur", "Ehren-Tafel"};
    const char* pieces[] = {"Total de Piezas: ",
                            "Number of pieces: ",
                            "Total de Pe\xE7"
                            "as: ",
                            "Quantita di pezzi: ",
                            "Quantit\xE9 de pi\xE8"
                            "ces: ",
                            "St\xFC"
                            "ckzahl: "};
    const char* computers[] = {"Mi PC", "My PC", "Mi PC", "Mi PC", "Mon PC", "Mein PC"};
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(Text(kRowsStringBase + i), rows[i]);
        EXPECT_EQ(Text(kDesktopStringBase + i), desktops[i]);
        EXPECT_EQ(Text(kHallTitleStringBase + i), titles[i]);
        EXPECT_EQ(Text(kPieceCountStringBase + i), pieces[i]);
        EXPECT_EQ(Text(kMyComputerStringBase + i), computers[i]);
        EXPECT_LT(Text(kMyComputerStringBase + i).size(), 10u) << "read into 10 bytes";
    }
    EXPECT_EQ(Text(kHallTitleStringBase + kLanguageFrench).size(), 18u) << "the title that shows only 15";
    EXPECT_EQ(Text(135),
              "Sie sind in die Ehren Tafel eingetreten, bitte schreiben Sie Ihren Namen f\xFC"
              "r das Verzeichnis.");
    EXPECT_EQ(Text(44), "\n\n\xCAtes-vous s\xFBr que vous d\xE9sirez effacer l'archive?");
}

TEST_F(GameResources, RunsOfSpacesShapeTheRenamingLines) {
    const size_t runs[] = {14, 15, 13, 12, 12, 10};
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        const std::string text = Text(kRenameBoxStringBase + i);
        const size_t secondLine = text.rfind('\n') + 1;
        EXPECT_EQ(text.find_first_not_of(' ', secondLine) - secondLine, runs[i]) << kRenameBoxStringBase + i;
    }
    EXPECT_NE(Text(42).find("o  Arquivo"), std::string::npos) << "two spaces in the Portuguese question";
}

TEST_F(GameResources, SixBoxMenusWithTheRenameCommand) {
    const char* items[] = {"Cambiar Nombre", "Change Name",    "Mudar Nome",
                           "Cambiare Nome",  "Changer le nom", "Den Namen \xE4ndern"};
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(kBoxMenuBase + i));
        ASSERT_NE(menu, nullptr) << kBoxMenuBase + i;
        EXPECT_EQ(GetMenuItemCount(menu), 1);
        EXPECT_EQ(GetMenuItemID(menu, 0), kChangeNameCommand);
        char text[64] = {};
        GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, items[i]);
        DestroyMenu(menu);
    }
    EXPECT_EQ(LoadMenuA(module_, MAKEINTRESOURCEA(kBoxMenuBase + kLanguageCount)), nullptr);
}

// --- ApplyLanguage --------------------------------------------------------------------------

// A stand-in for the new-game button: remembers the last picture it was handed.
LRESULT CALLBACK RecordingButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CM_SETBITMAP) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        return kControlMessageDone;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string IniLanguage() {
    char digit[8] = {};
    GetPrivateProfileStringA(kLanguageIniSection, kLanguageIniKey, "", digit, sizeof digit, kLanguageIniFile);
    return digit;
}

std::string MenuText(HWND window) {
    char text[64] = {};
    HMENU menu = GetMenu(window);
    if (menu != nullptr) GetMenuStringA(menu, kChangeNameCommand, text, sizeof text, MF_BYCOMMAND);
    return text;
}

std::string Caption(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class ApplyLanguageTest : public GameResources {
protected:
    void SetUp() override {
        GameResources::SetUp();
        saved_ = {App.Instance, App.LanguageIndex, App.SoundEffectsOn, App.SoundsLoaded};
        ForgetLocatedSounds();

        // The pack holds the new-game buttons of English (4 wide) and French (6 wide).
        PackWriter pack;
        const std::vector<RgbQuad> palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        const uint8_t pixels[6 * 3] = {};
        pack.AddImage8(kNewGameButtonImageBase + kLanguageEnglish, 4, 3, palette, pixels, 6);
        pack.AddImage8(kNewGameButtonImageBase + kLanguageFrench, 6, 3, palette, pixels, 6);
        packPath_ = wintest::TempPath("language.rf");
        ASSERT_TRUE(pack.WriteTo(packPath_));
        ASSERT_TRUE(Pack.Open(packPath_.c_str()));

        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingButtonProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LanguageTestButton";
        RegisterClassA(&wc);
    }
    void TearDown() override {
        for (HWND& box : App.BoxWindows) {
            if (box != nullptr) {
                SetMenu(box, nullptr);  // the boxes share one menu: it is destroyed once, below
                DestroyWindow(box);
            }
            box = nullptr;
        }
        parts_.boxMenu.reset();
        for (HWND* window : {&App.NewGameButton, &App.MagnifierWindow, &App.PlayScreenWindow}) {
            if (*window != nullptr) DestroyWindow(*window);
            *window = nullptr;
        }
        Pack.Close();
        DeleteFileA(packPath_.c_str());
        ForgetLocatedSounds();
        App.Instance = saved_.instance;
        App.LanguageIndex = saved_.language;
        App.SoundEffectsOn = saved_.effectsOn;
        App.SoundsLoaded = saved_.loaded;
        WritePrivateProfileStringA(kLanguageIniSection, kLanguageIniKey, "1", kLanguageIniFile);
    }
    // The play screen and its windows, as far as ApplyLanguage reaches them.
    void MakePlayScreenWindows(bool withPlayScreen) {
        auto popup = [](const char* cls, const char* caption) {
            return CreateWindowExA(0, cls, caption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        };
        if (withPlayScreen) App.PlayScreenWindow = popup("STATIC", "Vexla Puzzle");
        for (HWND& box : App.BoxWindows) box = popup("STATIC", "Box");
        App.MagnifierWindow = popup("STATIC", "");
        App.NewGameButton = popup("LanguageTestButton", "");
    }
    static const PackedDib* ButtonPicture() {
        return reinterpret_cast<const PackedDib*>(GetWindowLongPtrA(App.NewGameButton, GWLP_USERDATA));
    }

    struct Saved {
        HINSTANCE instance;
        uint32_t language;
        uint8_t effectsOn;
        uint8_t loaded;
    } saved_{};
    std::string packPath_;
    PlayScreenLanguageParts parts_;
};

TEST_F(ApplyLanguageTest, RecordsTheLanguageDigit) {
    App.Instance = module_;
    App.LanguageIndex = kLanguageItalian;
    ApplyLanguage();
    EXPECT_EQ(IniLanguage(), "3");
    App.LanguageIndex = kLanguageEnglish;
    ApplyLanguage();
    EXPECT_EQ(IniLanguage(), "1");
    App.LanguageIndex = kLanguageCount;
    ApplyLanguage();
    EXPECT_EQ(IniLanguage(), "1") << "an index that is no language is not recorded";
}

TEST_F(ApplyLanguageTest, LocatesTheSpokenSoundsWhateverTheFlagsSay) {
    std::map<uint32_t, std::vector<uint8_t>> waves;
    for (uint32_t base : kSpokenBases) waves[base + kLanguageEnglish] = wintest::MakeToneWave(10);
    waves[kClickSound] = wintest::MakeToneWave(10);
    wintest::ResourceModule game(wintest::GamePath(), waves);
    ASSERT_NE(game.get(), nullptr);
    App.Instance = game.get();
    App.SoundEffectsOn = 0;
    App.SoundsLoaded = 0;

    App.LanguageIndex = kLanguageEnglish;
    ApplyLanguage();
    for (uint32_t base : kSpokenBases) {
        EXPECT_NE(SoundSlot(base), nullptr) << base;
        EXPECT_EQ(SoundSlot(base), LocateSoundIn(game.get(), base + kLanguageEnglish)) << base;
    }
    EXPECT_EQ(SoundSlot(kClickSound), nullptr) << "only the spoken sounds";
    EXPECT_EQ(App.SoundsLoaded, 0);

    // Located again even though they were located before: Spanish has no recordings.
    App.LanguageIndex = kLanguageSpanish;
    ApplyLanguage();
    for (uint32_t base : kSpokenBases) EXPECT_EQ(SoundSlot(base), nullptr) << base;
}

TEST_F(ApplyLanguageTest, WithoutAPlayScreenNoWindowIsTouched) {
    App.Instance = module_;
    MakePlayScreenWindows(false);
    App.LanguageIndex = kLanguageFrench;
    ApplyLanguage();
    EXPECT_EQ(BoxMenuInPlay(), nullptr);
    EXPECT_EQ(GetMenu(App.BoxWindows[0]), nullptr);
    EXPECT_EQ(Caption(App.MagnifierWindow), "");
    EXPECT_EQ(ButtonPicture(), nullptr);
}

TEST_F(ApplyLanguageTest, ThePlayScreensWindowsChangeLanguage) {
    App.Instance = module_;
    MakePlayScreenWindows(true);

    // The play screen's own parts, held here: the window made above is a stand-in.
    App.LanguageIndex = kLanguageFrench;
    ApplyLanguageTo(parts_);
    const HMENU french = parts_.boxMenu.get();
    ASSERT_NE(french, nullptr);
    for (HWND box : App.BoxWindows) {
        EXPECT_EQ(GetMenu(box), french) << "one menu for the six boxes";
        EXPECT_EQ(MenuText(box), "Changer le nom");
    }
    EXPECT_EQ(Caption(App.MagnifierWindow), "Aper\xE7u");
    ASSERT_NE(ButtonPicture(), nullptr);
    EXPECT_EQ(ButtonPicture(), parts_.newGameButtonImage.GetDib());
    EXPECT_EQ(ButtonPicture()->header.biWidth, 6) << "image 1514";

    App.LanguageIndex = kLanguageEnglish;
    ApplyLanguageTo(parts_);
    EXPECT_NE(parts_.boxMenu.get(), french);
    EXPECT_FALSE(IsMenu(french)) << "the menu of the old language is destroyed";
    EXPECT_EQ(MenuText(App.BoxWindows[5]), "Change Name");
    EXPECT_EQ(Caption(App.MagnifierWindow), "Preview");
    ASSERT_NE(ButtonPicture(), nullptr);
    EXPECT_EQ(ButtonPicture()->header.biWidth, 4) << "image 1511";
}

TEST_F(ApplyLanguageTest, LanguageStringsOfTheProgramsModule) {
    App.Instance = module_;
    App.LanguageIndex = kLanguageGerman;
    char text[kTextCapacity];
    EXPECT_GT(LoadLanguageString(kScoreStringBase, text, kTextCapacity), 0);
    EXPECT_STREQ(text, "Ergebnis: ");
    EXPECT_EQ(LoadLanguageString(kPreviewStringBase, text, 5), 4);
    EXPECT_STREQ(text, "Vors") << "cut to the buffer";
    App.LanguageIndex = kLanguageEnglish;
    EXPECT_EQ(LoadLanguageString(5000, text, kTextCapacity), 0);
    EXPECT_STREQ(text, "") << "a missing string is an empty text";
}

}  // namespace
