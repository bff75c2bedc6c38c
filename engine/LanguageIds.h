// The language scheme: every language-dependent string, pack image, WAVE resource and menu
// lies at a base identifier plus LanguageIndex (0 Spanish, 1 English, 2 Portuguese,
// 3 Italian, 4 French, 5 German). The bases of the string table are listed here so that
// every window names the text it loads (the low-colour message, 160, is LowColourDialog's).
#pragma once

#include <cstdint>

constexpr uint32_t kLanguageSpanish = 0;
constexpr uint32_t kLanguageEnglish = 1;
constexpr uint32_t kLanguagePortuguese = 2;
constexpr uint32_t kLanguageItalian = 3;
constexpr uint32_t kLanguageFrench = 4;
constexpr uint32_t kLanguageGerman = 5;
constexpr uint32_t kLanguageCount = 6;

// String-table bases.
constexpr uint32_t kRenameBoxStringBase = 20;  // message window, box renaming
constexpr uint32_t kHallTitleStringBase = 30;
constexpr uint32_t kEraseFileStringBase = 40;  // message window, file browser
constexpr uint32_t kRowsStringBase = 50;
constexpr uint32_t kColumnsStringBase = 60;
constexpr uint32_t kPieceCountStringBase = 70;
constexpr uint32_t kGameChangedStringBase = 80;  // shown by no window
constexpr uint32_t kPercentageStringBase = 100;
constexpr uint32_t kScoreStringBase = 110;
constexpr uint32_t kPreviewStringBase = 120;     // caption of the picture magnifier
constexpr uint32_t kHonourNameStringBase = 130;  // message window, hall of honour
constexpr uint32_t kWallpaperStringBase = 140;   // message window, completion
constexpr uint32_t kPrintStringBase = 150;       // message window, completion
constexpr uint32_t kSuggestedFolderStringBase = 170;
constexpr uint32_t kDesktopStringBase = 180;
constexpr uint32_t kMyComputerStringBase = 190;
// What the file window tells the player when it cannot do what was asked.
constexpr uint32_t kFileRefusedStringBase = 200;     // not a puzzle file, or a damaged one
constexpr uint32_t kSaveFailedStringBase = 210;      // the file could not be written
constexpr uint32_t kNameRefusedStringBase = 220;     // a name Windows cannot give a file
constexpr uint32_t kNothingToSaveStringBase = 230;   // no puzzle in play
constexpr uint32_t kPictureMissingStringBase = 240;  // the saved game's picture cannot be used
constexpr uint32_t kEraseFailedStringBase = 250;     // the selected file could not be erased
// What the new-puzzle dialog tells the player about a picture of their own.
constexpr uint32_t kPictureRefusedStringBase = 260;  // not a picture, a damaged one, or one too large
// Texts of the about-products pages.
constexpr uint32_t kProductPage1StringBase = 1000;
constexpr uint32_t kProductPage2StringBase = 1010;
constexpr uint32_t kProductPage4StringBase = 1030;
constexpr uint32_t kProductPage3StringBase = 1040;

// Menu resources: the box windows' menu bar, one item.
constexpr uint32_t kBoxMenuBase = 100;
constexpr uint32_t kChangeNameCommand = 40001;

// Pack images.
constexpr uint32_t kNewGameButtonImageBase = 1510;
constexpr uint32_t kOpenGameButtonImageBase = 1520;    // Portuguese players get the Spanish one
constexpr uint32_t kSaveGameButtonImageBase = 1530;    // likewise
constexpr uint32_t kSavedGamesButtonImageBase = 1560;  // the play screen's opener of the file menu
constexpr uint32_t kPlayButtonImageBase = 1620;

// The magnifier's caption is read into a buffer of this many characters.
constexpr int32_t kPreviewCaptionCapacity = 40;

// Where ApplyLanguage records the choice: "Vexla.ini" (the same file as start-up's
// "Vexla.INI", in the Windows directory), section "Vexla", key "Idioma", one digit.
constexpr char kLanguageIniFile[] = "Vexla.ini";
constexpr char kLanguageIniSection[] = "Vexla";
constexpr char kLanguageIniKey[] = "Idioma";

// Whether `languageIndex` names one of the six languages.
bool IsLanguage(uint32_t languageIndex);
// The digit recorded for a language, '0' to '5'; 0 for an index that is no language.
char LanguageDigit(uint32_t languageIndex);
