// The file window (CWNDFILE): the game's own window for opening and saving puzzle files. A
// folder tree lists the suggested folder, the desktop and the drives with their puzzle files;
// in save mode a name field takes the name the game is saved under. Its buttons: accept (a
// puzzle box that opens as the window closes), erase (asks first), help and cancel. Enter
// accepts, Escape closes. The game's clock stands still while it is open.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kFileWindowClass[] = "CWNDFILE";
// The suggested folder: this folder beside the game, shipped with it.
constexpr char kSuggestedFolderName[] = "folder\\";

enum class FileBrowserMode : int32_t { Open = 0, Save = 1 };

// Pack images of the window.
constexpr uint32_t kFileWindowBackgroundId = 281;
constexpr uint32_t kOpenTitleBase = 1540;
constexpr uint32_t kSaveTitleBase = 1550;
constexpr uint32_t kAcceptButtonImageId = 277;
constexpr uint32_t kFileEraseButtonImageId = 278;
constexpr uint32_t kHelpButtonImageId = 279;
constexpr uint32_t kCancelButtonImageId = 280;

// Frames of the accept button: open mode rests on the closed box, save mode on the open one.
constexpr int32_t kAcceptClosedFrame = 0;
constexpr int32_t kAcceptOpenFrame = 11;

bool RegisterFileWindowClass(HINSTANCE instance);

// What the game does once a file was loaded: the tools panel's hint tool follows whether the
// loaded game still allows hints.
using AfterLoad = void (*)(bool hintsAllowed);

// Opens the file window over the play screen, which it disables until it closes. Null when
// the window cannot be made (the play screen is then enabled again).
HWND OpenFileBrowser(FileBrowserMode mode, AfterLoad afterLoad);

// The open file window, or null.
HWND FileWindowInPlay();
// Its folder tree and name field (tests drive them), or null.
HWND FileWindowTree(HWND window);
HWND FileWindowNameField(HWND window);
