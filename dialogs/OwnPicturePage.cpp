// The new-puzzle dialog's page of the player's own pictures; see OwnPicturePage.h.
//
// The page is two children of the dialog and a little state that outlives them: the picture
// last opened through the page, and which photos were already imported in this run. A photo
// chosen a second time (by a double click after the click that selected it, or on a later
// opening of the dialog) is opened from its earlier import instead of being imported again,
// so the game's picture folder does not fill with copies of it.
#include "dialogs/OwnPicturePage.h"

#include <map>
#include <utility>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "controls/ControlProtocol.h"
#include "dialogs/FolderTree.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "engine/BmpFileReader.h"
#include "engine/LanguageIds.h"
#include "platform/LanguageText.h"
#include "platform/PictureImport.h"

namespace {

constexpr Point kTreeAt{24, 155};
constexpr Point kTreeSize{239, 127};
constexpr int32_t kTreeMaxRoots = 2;
constexpr Point kCustomBoxAt{285, 155};
constexpr int32_t kCustomBoxId = 304;  // after the four preview boxes, 300 to 303
constexpr DWORD kCustomBoxStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

constexpr int kRootCaptionCapacity = 50;
constexpr int kComputerCaptionCapacity = 10;

constexpr UINT kShowFlags =
    SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr UINT kHideFlags =
    SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

struct OwnPictureState {
    HWND dialog = nullptr;
    HWND tree = nullptr;
    HWND box = nullptr;
    std::string path;                            // the .bmp last opened through the page
    std::map<std::string, std::string> imports;  // photo chosen -> the .bmp made of it
};

OwnPictureState Page;

FilePatterns PicturePatterns() {
    return {{"*.bmp", kPictureFileImage},
            {"*.jpg", kPictureFileImage},
            {"*.jpeg", kPictureFileImage},
            {"*.png", kPictureFileImage}};
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The tree's roots: the folder of imported photos when it exists (so earlier imports are at
// hand), then the desktop, "My PC" and the drives.
void AddRoots(HWND tree) {
    const FilePatterns patterns = PicturePatterns();
    char caption[kRootCaptionCapacity];
    const std::string imported = ImportedPictureFolder();
    if (FolderExists(imported)) {
        LoadLanguageString(kSuggestedFolderStringBase, caption, kRootCaptionCapacity);
        // Not remembered: the suggested folder stands for the file window's empty selection.
        AddFolderRoot(tree, caption, imported.c_str(), kPictureFileImage, patterns, false);
    }
    char computer[kComputerCaptionCapacity];
    LoadLanguageString(kDesktopStringBase, caption, kRootCaptionCapacity);
    LoadLanguageString(kMyComputerStringBase, computer, kComputerCaptionCapacity);
    AddDesktopAndDrives(tree, caption, computer, patterns);
}

// The .bmp to open for the chosen file: an earlier import of the same photo while it is still
// there, else a new import. Empty when the file cannot be used.
std::string UsablePicture(const std::string& source) {
    const auto earlier = Page.imports.find(source);
    if (earlier != Page.imports.end() && GetFileAttributesA(earlier->second.c_str()) != INVALID_FILE_ATTRIBUTES)
        return earlier->second;
    const PictureImportResult result = ImportPicture(source.c_str(), ImportedPictureFolder());
    if (result.status != PictureImportStatus::Imported) return std::string();
    if (result.path != source) Page.imports[source] = result.path;
    return result.path;
}

bool ReaderHolds(const std::string& path) {
    char name[BmpFileReader::kMaxPathChars + 1] = "";
    return Board.Puzzle.picture.IsOpen() && Board.Puzzle.picture.GetName(name, sizeof name) > 0 && path == name;
}

void TellPictureRefused() { AskUser(kPictureRefusedStringBase, Page.dialog, nullptr, 0); }

// The tree's selection became a file, or a file was double-clicked: open it for the puzzle.
void ChooseSelectedFile(bool& pictureChanged) {
    if (SendMessageA(Page.tree, FTM_GETSELECTIONKIND, 0, 0) != kFileSelected) return;
    char source[kTreePathCapacity] = "";
    if (SendMessageA(Page.tree, FTM_GETPATH, 0, reinterpret_cast<LPARAM>(source)) <= 1) return;
    const std::string picture = UsablePicture(source);
    if (!picture.empty() && picture == Page.path && ReaderHolds(picture)) return;  // already the one in play
    // Opened aside first: a picture the reader refuses leaves the puzzle's picture as it was.
    BmpFileReader reader;
    if (picture.empty() || !reader.Open(picture.c_str())) {
        TellPictureRefused();
        return;
    }
    Board.Puzzle.picture = std::move(reader);
    Page.path = picture;
    ShowPictureInBox(Page.box, Page.path.c_str());
    pictureChanged = true;
}

void ShowPreviewOfBox() {
    if (!Page.path.empty()) OpenPicturePreview(Page.path.c_str(), Page.dialog);
}

}  // namespace

bool CreateOwnPicturePage(HWND dialog, const DibImage* background) {
    Page.dialog = dialog;
    Page.tree = CreateFolderTree(dialog, kTreeAt.x, kTreeAt.y, kTreeSize.x, kTreeSize.y, false, kTreeMaxRoots);
    Page.box = Page.tree != nullptr ? CreatePreviewBox(dialog, kCustomPreviewBoxClass, kCustomBoxId, kCustomBoxAt,
                                                       kCustomBoxStyle, background)
                                    : nullptr;
    if (Page.box == nullptr) {
        if (Page.tree != nullptr) DestroyWindow(Page.tree);
        Page.dialog = Page.tree = nullptr;
        return false;
    }
    AddRoots(Page.tree);
    // The picture chosen on an earlier opening shows again (an empty box if it is gone).
    if (!Page.path.empty()) ShowPictureInBox(Page.box, Page.path.c_str());
    return true;
}

void ShowOwnPicturePage(bool shown) {
    for (HWND child : {Page.tree, Page.box})
        if (child != nullptr && IsWindow(child))
            SetWindowPos(child, nullptr, 0, 0, 0, 0, shown ? kShowFlags : kHideFlags);
}

bool HandleOwnPictureNotice(HWND control, UINT code, bool& pictureChanged) {
    pictureChanged = false;
    if (control == nullptr) return false;
    if (control == Page.tree) {
        if (code == CN_ENTER || code == CN_RELEASED) ChooseSelectedFile(pictureChanged);
        return true;
    }
    if (control == Page.box) {
        if (code == kPreviewBoxDoubleClicked) ShowPreviewOfBox();
        return true;
    }
    return false;
}

const std::string& OwnPicturePath() { return Page.path; }

HWND OwnPictureBox() { return Page.box != nullptr && IsWindow(Page.box) ? Page.box : nullptr; }
