// The main menu: the full-screen window of class CWNDPRINC that shows the menu picture
// (pack 111) in the middle of a black screen, with the play button, the sound switch, the
// window buttons, help, the exit animation, the decoration, the logo and the language button
// on it. It is made at start-up (after the introductory clip) and again when the player comes
// back from the play screen, and destroyed when the play button opens the play screen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/Geometry.h"

constexpr uint32_t kMainMenuBackgroundId = 111;
constexpr uint32_t kSoundSwitchImageId = 104;
constexpr uint32_t kDecorationImageId = 415;
constexpr uint32_t kMenuHelpImageId = 107;
constexpr uint32_t kMenuExitImageId = 124;
constexpr uint32_t kMenuLogoImageId = 435;
constexpr uint32_t kLanguageButtonImageId = 1642;
constexpr char kMainMenuClass[] = "CWNDPRINC";
constexpr char kMainMenuCaption[] = "Vexxla Puzzle";
constexpr char kAboutProgramFile[] = "about.exe";

// The children's places on the menu picture (offsets from its top-left corner).
constexpr Point kSoundSwitchOffset{266, 0};
constexpr Point kMenuMinimiseOffset{300, 5};
constexpr Point kMenuCloseOffset{327, 5};
constexpr Point kPlayButtonOffset{54, 106};
constexpr Point kDecorationOffset{44, 3};
constexpr Point kMenuHelpOffset{31, 350};
constexpr Point kMenuExitOffset{262, 351};
constexpr Point kMenuLogoOffset{119, 27};
constexpr Point kLanguageButtonOffset{172, 362};
// The language panel lies over the middle of the picture.
constexpr Point kLanguagePanelOffset{36, 196};

// The three keys of the hidden combination set these bits of App.SecretKeys.
constexpr uint32_t kSecretShiftBit = 1;
constexpr uint32_t kSecretControlBit = 2;
constexpr uint32_t kSecretQBit = 4;
constexpr uint32_t kSecretAllKeys = kSecretShiftBit | kSecretControlBit | kSecretQBit;
// The combination after the key `virtualKey` went down on the menu: Shift, Ctrl and Q add
// their bits, any other key clears them all.
uint32_t NextSecretKeys(uint32_t keys, WPARAM virtualKey);

bool RegisterMainMenuClass(HINSTANCE instance);
// Creates the menu into App.MainMenuWindow and then closes the video window if one is still
// open. Null when the window could not be made.
HWND CreateMainMenu();
// Starts "about.exe" from the program folder when the file is there; nothing otherwise.
void RunAboutProgram();

// What the language panel asks of the menu: the play button in the current language, and the
// panel put away.
void ShowMainMenuInLanguage();
void HideMainMenuPanels();
