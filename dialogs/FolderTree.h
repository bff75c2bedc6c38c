// The folder tree (CWNDFILEMAN): a child window that fills itself with a common tree view
// listing a suggested folder, the desktop, "My PC" with its drives, their folders and the
// files that match the patterns it is given. Folders list their contents only when the tree
// first shows them, so a drive with thousands of folders costs nothing until it is opened.
//
// The parent asks the tree for the selection with the FTM_* messages below and hears from it
// through NotifyParent: CN_PRESSED on a click, CN_RELEASED on a double click and CN_ENTER when
// the selection has changed. Characters typed in the tree reach the parent as ChildCharMessage.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr char kFolderTreeClass[] = "CWNDFILEMAN";

// The tree's icons: resources 141 onwards, image i being icon 141 + i.
constexpr int32_t kFolderTreeFirstIcon = 141;
constexpr int32_t kFolderTreeExtraImages = 4;
constexpr int32_t kFolderTreeIconSize = 16;

enum FolderTreeImage : int32_t {
    kDesktopImage = 0,
    kComputerImage = 1,
    kRemovableDriveImage = 2,
    kFixedDriveImage = 3,
    kCdRomDriveImage = 4,
    kNetworkDriveImage = 5,
    kClosedFolderImage = 6,
    kOpenFolderImage = 7,
    kPuzzleFileImage = 8,
    kPictureFileImage = 10,
};

// Messages to the tree window (wParam 0 unless said otherwise). The paths are at most
// kTreePathCapacity bytes with their terminator.
constexpr int32_t kTreePathCapacity = 260;
constexpr UINT FTM_GETPATH = WM_USER + 301;           // full path of the selection into lParam
constexpr UINT FTM_GETNAME = WM_USER + 302;           // the selected item's own part
constexpr UINT FTM_GETFOLDER = WM_USER + 303;         // the folder of the selection
constexpr UINT FTM_GETSELECTIONKIND = WM_USER + 304;  // a FolderTreeSelection
constexpr UINT FTM_SETFONT = WM_USER + 305;           // wParam height, lParam face name
constexpr UINT FTM_DELETEFILE = WM_USER + 306;        // erase the selected file
// The path messages answer the length + 1, or kNoTreePath (My PC selected, or no selection
// and no suggested folder); FTM_DELETEFILE answers 0 when the file is gone and its item with
// it, kNoTreePath when no file is selected or the file could not be erased (its item stays).
constexpr LRESULT kNoTreePath = -1;

enum FolderTreeSelection : int32_t {
    kComputerSelected = 0,  // My PC, or nothing and no suggested folder
    kFileSelected = 1,
    kFolderSelected = 2,  // a root, drive or folder, or nothing with a suggested folder
};

// A file pattern such as "*.vpf" and the image its files get.
struct FilePattern {
    std::string pattern;
    int32_t image = kPuzzleFileImage;
};
using FilePatterns = std::vector<FilePattern>;

// Registers the class and builds the program-wide image list of icons first.. (4 + 8 of them).
bool RegisterFolderTree(HINSTANCE instance, int32_t firstIcon, int32_t extraImages);
bool RegisterFolderTreeClass(HINSTANCE instance);

// The tree window with its tree view inside, or null when either cannot be made.
HWND CreateFolderTree(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height, bool visible, int32_t maxRoots);

// A root for `path` (given a final backslash) with its caption and image, expanded at once.
// With `remember`, the path becomes the suggested folder that an empty selection stands for.
bool AddFolderRoot(HWND tree,
                   const char* caption,
                   const char* path,
                   int32_t image,
                   const FilePatterns& patterns,
                   bool remember);

// The desktop root with its folders and files, "My PC" first under it, and the drives.
bool AddDesktopAndDrives(HWND tree,
                         const char* desktopCaption,
                         const char* computerCaption,
                         const FilePatterns& patterns);

// The label a drive is listed with: the volume label with every letter after the first in
// lower case, then " (X:)"; an empty label gives " (X:)".
std::string DriveCaption(const char* volumeLabel, char driveLetter);

// The suggested folder remembered by AddFolderRoot (empty until one was).
const char* SuggestedFolderPath();

// The tree view inside a tree window (tests look at its items).
HWND TreeViewOf(HWND tree);
