#include "dialogs/FolderTree.h"

#include <commctrl.h>
#include <winnetwk.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/AppGlobals.h"
#include "controls/ControlProtocol.h"
#include "gfx/GdiHandles.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kTreeWindowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kTreeViewStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
static_assert(kTreeViewStyle == 0x50800007, "style of the folder tree's view");
constexpr UINT kTreeItemMask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
constexpr int kChildrenUnknown = I_CHILDRENCALLBACK;
constexpr size_t kPathCapacity = kTreePathCapacity;
constexpr size_t kLongestListedFolder = 257;  // room left for "*.*" and the terminator
constexpr size_t kVolumeLabelCapacity = 12;
constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

enum class NodeKind { Root = 0, Computer = 1, Drive = 2, Folder = 3, File = 4 };

// What every tree item carries in its lParam. Roots keep their path and the patterns their
// branch lists; the other items find those through their branch root.
struct TreeNode {
    NodeKind kind = NodeKind::Folder;
    std::string rootPath;  // roots: ends in a backslash
    char driveLetter = 0;  // drives
    HTREEITEM branchRoot = nullptr;
    std::shared_ptr<const FilePatterns> patterns;  // roots
    bool listed = false;                           // its folder has been read
};

struct FolderTreeState {
    HWND view = nullptr;
    int32_t maxRoots = 0;
    std::vector<HTREEITEM> roots;
    // Every item's node; an item's node is freed with the item.
    std::vector<std::unique_ptr<TreeNode>> nodes;
    GdiObject<HFONT> font;
};

HIMAGELIST TreeImages = nullptr;
char Suggested[kPathCapacity] = "";

FolderTreeState* StateOf(HWND tree) { return WindowStateOf<FolderTreeState>(tree); }

TreeNode* NodeOf(HWND view, HTREEITEM item) {
    TVITEMA tvi{};
    tvi.mask = TVIF_PARAM | TVIF_HANDLE;
    tvi.hItem = item;
    if (item == nullptr || !SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi))) return nullptr;
    return reinterpret_cast<TreeNode*>(tvi.lParam);
}

HTREEITEM NextItem(HWND view, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(view, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM SelectedItem(HWND view) { return NextItem(view, nullptr, TVGN_CARET); }

TreeNode* KeepNode(FolderTreeState& state, std::unique_ptr<TreeNode> node) {
    state.nodes.push_back(std::move(node));
    return state.nodes.back().get();
}

void ForgetNode(FolderTreeState& state, const TreeNode* node) {
    auto it = std::find_if(state.nodes.begin(), state.nodes.end(),
                           [node](const std::unique_ptr<TreeNode>& kept) { return kept.get() == node; });
    if (it != state.nodes.end()) state.nodes.erase(it);
}

HTREEITEM InsertItem(FolderTreeState& state,
                     std::unique_ptr<TreeNode> node,
                     const char* text,
                     int32_t image,
                     int children,
                     HTREEITEM parent,
                     HTREEITEM after) {
    TreeNode* kept = KeepNode(state, std::move(node));
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = kTreeItemMask;
    char textCopy[kPathCapacity];
    std::strncpy(textCopy, text, kPathCapacity - 1);
    textCopy[kPathCapacity - 1] = '\0';
    insert.item.pszText = textCopy;
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.cChildren = children;
    insert.item.lParam = reinterpret_cast<LPARAM>(kept);
    auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(state.view, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item == nullptr) ForgetNode(state, kept);
    return item;
}

std::unique_ptr<TreeNode> MakeNode(NodeKind kind, HTREEITEM branchRoot) {
    auto node = std::make_unique<TreeNode>();
    node->kind = kind;
    node->branchRoot = branchRoot;
    return node;
}

char UpperLetter(char letter) {
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::string WithFinalBackslash(std::string path) {
    if (path.size() >= 2 && path.size() < kPathCapacity - 1 && path.back() != '\\') path += '\\';
    return path;
}

// --- Listing folders ----------------------------------------------------------------------------

HTREEITEM BranchRootOf(HWND view, HTREEITEM item) {
    const TreeNode* node = NodeOf(view, item);
    if (node == nullptr) return nullptr;
    return node->kind == NodeKind::Root ? item : node->branchRoot;
}

bool IsListed(const WIN32_FIND_DATAA& entry, bool wantFolders) {
    const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool hidden = (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    return folder == wantFolders && !hidden && entry.cFileName[0] != '.';
}

// Adds an item for every entry of `pattern` that IsListed passes; true when any was added.
template <typename MakeItem>
bool ForEachEntry(const std::string& pattern, bool wantFolders, MakeItem makeItem) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool added = false;
    do {
        if (IsListed(entry, wantFolders)) added = makeItem(entry.cFileName) || added;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return added;
}

bool AddSubfolders(FolderTreeState& state, HTREEITEM item, const std::string& folder) {
    if (folder.size() > kLongestListedFolder) return false;
    const HTREEITEM branch = BranchRootOf(state.view, item);
    return ForEachEntry(folder + "*.*", true, [&](const char* name) {
        return InsertItem(state, MakeNode(NodeKind::Folder, branch), name, kClosedFolderImage, kChildrenUnknown, item,
                          TVI_LAST) != nullptr;
    });
}

bool AddFiles(FolderTreeState& state, HTREEITEM item, const std::string& folder) {
    const HTREEITEM branch = BranchRootOf(state.view, item);
    const TreeNode* root = NodeOf(state.view, branch);
    if (root == nullptr || root->patterns == nullptr || root->patterns->empty()) return true;
    const std::shared_ptr<const FilePatterns> patterns = root->patterns;
    bool added = false;
    for (const FilePattern& pattern : *patterns) {
        if (folder.size() + pattern.pattern.size() >= kPathCapacity) break;
        added = ForEachEntry(folder + pattern.pattern, false,
                             [&](const char* name) {
                                 return InsertItem(state, MakeNode(NodeKind::File, branch), name, pattern.image, 0,
                                                   item, TVI_LAST) != nullptr;
                             }) ||
                added;
    }
    return added;
}

// --- Paths ---------------------------------------------------------------------------------------

enum class PathPart { Full, OwnPart, Folder };

std::string ItemText(HWND view, HTREEITEM item) {
    char text[kPathCapacity] = "";
    TVITEMA tvi{};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = static_cast<int>(kPathCapacity);
    SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    text[kPathCapacity - 1] = '\0';
    return text;
}

// The path an item stands for, built from the right while walking up to its root; false for
// My PC or an item without a node.
bool BuildPath(HWND view, HTREEITEM item, PathPart part, std::string* path) {
    std::string built;
    bool first = true;
    for (HTREEITEM at = item; at != nullptr; at = NextItem(view, at, TVGN_PARENT)) {
        const TreeNode* node = NodeOf(view, at);
        if (node == nullptr) return false;
        switch (node->kind) {
            case NodeKind::Root: *path = node->rootPath + built; return true;
            case NodeKind::Drive: *path = std::string{node->driveLetter, ':', '\\'} + built; return true;
            case NodeKind::Folder:
                built = ItemText(view, at) + "\\" + built;
                if (part == PathPart::OwnPart) {
                    *path = ItemText(view, at);
                    return true;
                }
                break;
            case NodeKind::File:
                if (part == PathPart::OwnPart) {
                    *path = ItemText(view, at);
                    return true;
                }
                if (part == PathPart::Full) built = ItemText(view, at);
                break;
            case NodeKind::Computer:
                if (first) return false;
                break;
        }
        first = false;
    }
    return false;
}

LRESULT CopyPath(FolderTreeState& state, PathPart part, char* buffer) {
    if (buffer == nullptr) return kNoTreePath;
    buffer[0] = '\0';
    const HTREEITEM selected = SelectedItem(state.view);
    std::string path;
    if (selected == nullptr) {
        if (part == PathPart::OwnPart || Suggested[0] == '\0') return kNoTreePath;
        path = Suggested;
    } else if (!BuildPath(state.view, selected, part, &path)) {
        return kNoTreePath;
    }
    if (path.size() >= kPathCapacity) return kNoTreePath;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<LRESULT>(path.size() + 1);
}

LRESULT SelectionKind(FolderTreeState& state) {
    const HTREEITEM selected = SelectedItem(state.view);
    if (selected == nullptr) return Suggested[0] != '\0' ? kFolderSelected : kComputerSelected;
    const TreeNode* node = NodeOf(state.view, selected);
    if (node == nullptr || node->kind == NodeKind::Computer) return kComputerSelected;
    return node->kind == NodeKind::File ? kFileSelected : kFolderSelected;
}

// --- Children on demand and the tree's notices ---------------------------------------------------

void SetChildrenCount(HWND view, HTREEITEM item, int children) {
    TVITEMA tvi{};
    tvi.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.cChildren = children;
    SendMessageA(view, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
}

// Reads an item's folder into the tree once; whether anything was added.
bool ListFolderOnce(FolderTreeState& state, HTREEITEM item) {
    TreeNode* node = NodeOf(state.view, item);
    std::string folder;
    if (node == nullptr || node->listed || !BuildPath(state.view, item, PathPart::Full, &folder)) return false;
    node->listed = true;
    if (folder.empty()) return false;  // a desktop whose folder is unknown
    const bool folders = AddSubfolders(state, item, folder);
    const bool files = AddFiles(state, item, folder);
    return folders || files;
}

// The tree asks once per item whether it has children: the folder is listed then.
void AnswerChildren(FolderTreeState& state, NMTVDISPINFOA& info) {
    const HTREEITEM item = info.item.hItem;
    const bool added = ListFolderOnce(state, item) || NextItem(state.view, item, TVGN_CHILD) != nullptr;
    info.item.cChildren = added ? 1 : 0;
    SetChildrenCount(state.view, item, info.item.cChildren);
}

// An item expanded before the tree asked about its children (a root expanded as it is
// added, for one) is listed now.
void ListBeforeExpanding(FolderTreeState& state, const NMTREEVIEWA& change) {
    const HTREEITEM item = change.itemNew.hItem;
    if (!ListFolderOnce(state, item) && NextItem(state.view, item, TVGN_CHILD) == nullptr)
        SetChildrenCount(state.view, item, 0);
}

void SetFolderImage(FolderTreeState& state, HTREEITEM item, bool open) {
    const TreeNode* node = NodeOf(state.view, item);
    if (node == nullptr || node->kind != NodeKind::Folder) return;
    TVITEMA tvi{};
    tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.iImage = tvi.iSelectedImage = open ? kOpenFolderImage : kClosedFolderImage;
    SendMessageA(state.view, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
}

bool IsExpanded(HWND view, HTREEITEM item) {
    return (SendMessageA(view, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// A folder shows open while it is expanded. The image follows the item's state once the
// change is made, and a collapse closes it as it is announced (some tree views announce only
// that one).
void OnExpanding(FolderTreeState& state, const NMTREEVIEWA& change) {
    if ((change.action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_COLLAPSE)
        SetFolderImage(state, change.itemNew.hItem, false);
    else
        ListBeforeExpanding(state, change);
}

LRESULT OnTreeNotify(HWND tree, NMHDR& header) {
    FolderTreeState* state = StateOf(tree);
    if (header.hwndFrom != state->view) return 0;
    switch (header.code) {
        case TVN_GETDISPINFOA: {
            auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
            if (info.item.mask == TVIF_CHILDREN) AnswerChildren(*state, info);
            return 0;
        }
        case TVN_ITEMEXPANDINGA: OnExpanding(*state, reinterpret_cast<NMTREEVIEWA&>(header)); return 0;
        case TVN_ITEMEXPANDEDA: {
            const HTREEITEM item = reinterpret_cast<NMTREEVIEWA&>(header).itemNew.hItem;
            SetFolderImage(*state, item, IsExpanded(state->view, item));
            return 0;
        }
        case NM_CLICK: NotifyParent(tree, CN_PRESSED); return 0;
        case NM_DBLCLK: NotifyParent(tree, CN_RELEASED); return 0;
        case TVN_SELCHANGEDA: NotifyParent(tree, CN_ENTER); return 0;
        default: return 0;
    }
}

// --- Erasing a file and freeing branches ---------------------------------------------------------

void ForgetBranch(FolderTreeState& state, HTREEITEM item) {
    for (HTREEITEM child = NextItem(state.view, item, TVGN_CHILD); child != nullptr;
         child = NextItem(state.view, child, TVGN_NEXT))
        ForgetBranch(state, child);
    ForgetNode(state, NodeOf(state.view, item));
}

LRESULT DeleteSelectedFile(FolderTreeState& state) {
    const HTREEITEM selected = SelectedItem(state.view);
    const TreeNode* node = NodeOf(state.view, selected);
    std::string path;
    if (node == nullptr || node->kind != NodeKind::File) return kNoTreePath;
    if (!BuildPath(state.view, selected, PathPart::Full, &path)) return kNoTreePath;
    // A file that could not be erased keeps its item, so the tree still shows what is on disk.
    if (!DeleteFileA(path.c_str())) return kNoTreePath;
    // The nodes go while the item can still be walked; nothing reads them during the delete.
    ForgetBranch(state, selected);
    SendMessageA(state.view, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
    return 0;
}

void SetTreeFont(HWND tree, int32_t height, const char* face) {
    FolderTreeState* state = StateOf(tree);
    GdiObject<HFONT> font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
    SendMessageA(state->view, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    state->font = std::move(font);
}

// --- Window procedure ----------------------------------------------------------------------------

LRESULT OnCreateFolderTree(HWND tree, const CREATESTRUCTA& create) {
    FolderTreeState* state = AttachWindowState<FolderTreeState>(tree);
    if (state == nullptr) return -1;
    state->view = CreateWindowExA(0, WC_TREEVIEWA, "", kTreeViewStyle, 0, 0, create.cx, create.cy, tree, nullptr,
                                  App.Instance, nullptr);
    if (state->view == nullptr) return -1;
    SendMessageA(state->view, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(TreeImages));
    return 0;
}

LRESULT CALLBACK FolderTreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(tree) == nullptr) return DefWindowProcA(tree, message, wParam, lParam);
    try {
        switch (message) {
            case WM_CREATE: return OnCreateFolderTree(tree, *reinterpret_cast<CREATESTRUCTA*>(lParam));
            case WM_NOTIFY: return OnTreeNotify(tree, *reinterpret_cast<NMHDR*>(lParam));
            case WM_SIZE:
                SetWindowPos(StateOf(tree)->view, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), kResizeFlags);
                return 0;
            case FTM_GETPATH: return CopyPath(*StateOf(tree), PathPart::Full, reinterpret_cast<char*>(lParam));
            case FTM_GETNAME: return CopyPath(*StateOf(tree), PathPart::OwnPart, reinterpret_cast<char*>(lParam));
            case FTM_GETFOLDER: return CopyPath(*StateOf(tree), PathPart::Folder, reinterpret_cast<char*>(lParam));
            case FTM_GETSELECTIONKIND: return SelectionKind(*StateOf(tree));
            case FTM_SETFONT:
                SetTreeFont(tree, static_cast<int32_t>(wParam), reinterpret_cast<const char*>(lParam));
                return 0;
            case FTM_DELETEFILE: return DeleteSelectedFile(*StateOf(tree));
            case ChildCharMessage: return SendMessageA(GetParent(tree), ChildCharMessage, wParam, lParam);
            case WM_NCDESTROY: FreeWindowState<FolderTreeState>(tree); return 0;
            default: return DefWindowProcA(tree, message, wParam, lParam);
        }
    } catch (...) {
        // Memory ran short while listing or building a path: the tree shows less, nothing more.
        return message == WM_CREATE ? -1 : 0;
    }
}

bool AddDrives(FolderTreeState& state, HTREEITEM desktop, HTREEITEM computer) {
    char drives[kPathCapacity] = "";
    const DWORD length = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    if (length == 0 || length >= sizeof drives) return false;
    for (const char* root = drives; *root != '\0'; root += std::strlen(root) + 1) {
        const char letter = UpperLetter(root[0]);
        char label[kPathCapacity] = "";
        int32_t image = -1;
        switch (GetDriveTypeA(root)) {
            case DRIVE_REMOVABLE:
                if (letter != 'A' && letter != 'B') image = kRemovableDriveImage;
                break;
            case DRIVE_FIXED:
            case DRIVE_CDROM:
                image = GetDriveTypeA(root) == DRIVE_FIXED ? kFixedDriveImage : kCdRomDriveImage;
                if (!GetVolumeInformationA(root, label, kVolumeLabelCapacity, nullptr, nullptr, nullptr, nullptr, 0))
                    label[0] = '\0';
                break;
            case DRIVE_REMOTE: {
                const char local[3] = {root[0], ':', '\0'};
                DWORD size = sizeof label;
                if (WNetGetConnectionA(local, label, &size) == NO_ERROR) image = kNetworkDriveImage;
                break;
            }
            case DRIVE_RAMDISK: image = kFixedDriveImage; break;
            default: break;
        }
        if (image < 0) continue;
        auto node = MakeNode(NodeKind::Drive, desktop);
        node->driveLetter = letter;
        InsertItem(state, std::move(node), DriveCaption(label, letter).c_str(), image, kChildrenUnknown, computer,
                   TVI_LAST);
    }
    return true;
}

std::string DesktopFolder() {
    HKEY key = nullptr;
    char path[kPathCapacity] = "";
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    DWORD size = sizeof path - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        path[0] = '\0';
    path[sizeof path - 1] = '\0';
    RegCloseKey(key);
    return WithFinalBackslash(path);
}

}  // namespace

bool RegisterFolderTree(HINSTANCE instance, int32_t firstIcon, int32_t extraImages) {
    InitCommonControls();
    if (TreeImages == nullptr) {
        TreeImages = ImageList_Create(kFolderTreeIconSize, kFolderTreeIconSize, ILC_COLORDDB, extraImages + 9, 0);
        if (TreeImages != nullptr) {
            ImageList_SetBkColor(TreeImages, RGB(255, 255, 255));
            for (int32_t i = 0; i < extraImages + 8; ++i) {
                auto icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(firstIcon + i), IMAGE_ICON,
                                                          kFolderTreeIconSize, kFolderTreeIconSize, 0));
                ImageList_AddIcon(TreeImages, icon);
                if (icon != nullptr) DestroyIcon(icon);
            }
        }
    }
    return RegisterWindowKind(instance, kFolderTreeClass, FolderTreeProc, 0);
}

bool RegisterFolderTreeClass(HINSTANCE instance) {
    return RegisterFolderTree(instance, kFolderTreeFirstIcon, kFolderTreeExtraImages);
}

HWND CreateFolderTree(HWND parent,
                      int32_t x,
                      int32_t y,
                      int32_t width,
                      int32_t height,
                      bool visible,
                      int32_t maxRoots) {
    const DWORD style = kTreeWindowStyle | (visible ? WS_VISIBLE : 0);
    HWND tree =
        CreateWindowExA(0, kFolderTreeClass, "", style, x, y, width, height, parent, nullptr, App.Instance, nullptr);
    if (tree != nullptr) StateOf(tree)->maxRoots = maxRoots;
    return tree;
}

bool AddFolderRoot(HWND tree,
                   const char* caption,
                   const char* path,
                   int32_t image,
                   const FilePatterns& patterns,
                   bool remember) {
    FolderTreeState* state = tree != nullptr ? StateOf(tree) : nullptr;
    if (state == nullptr || path == nullptr || static_cast<int32_t>(state->roots.size()) >= state->maxRoots)
        return false;
    try {
        if (remember) {
            std::strncpy(Suggested, path, sizeof Suggested - 1);
            Suggested[sizeof Suggested - 1] = '\0';
        }
        auto node = MakeNode(NodeKind::Root, nullptr);
        node->rootPath = WithFinalBackslash(path);
        node->patterns = std::make_shared<const FilePatterns>(patterns);
        const HTREEITEM item =
            InsertItem(*state, std::move(node), caption, image, kChildrenUnknown, TVI_ROOT, TVI_LAST);
        if (item == nullptr) return false;
        state->roots.push_back(item);
        SendMessageA(state->view, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        return true;
    } catch (...) {
        return false;
    }
}

bool AddDesktopAndDrives(HWND tree,
                         const char* desktopCaption,
                         const char* computerCaption,
                         const FilePatterns& patterns) {
    FolderTreeState* state = tree != nullptr ? StateOf(tree) : nullptr;
    if (state == nullptr || static_cast<int32_t>(state->roots.size()) >= state->maxRoots) return false;
    try {
        auto node = MakeNode(NodeKind::Root, nullptr);
        // Without a desktop folder in the registry the desktop lists nothing but My PC.
        node->rootPath = DesktopFolder();
        const bool hasFolder = !node->rootPath.empty();
        node->patterns = std::make_shared<const FilePatterns>(patterns);
        const HTREEITEM desktop =
            InsertItem(*state, std::move(node), desktopCaption, kDesktopImage, 1, TVI_ROOT, TVI_LAST);
        if (desktop == nullptr) return false;
        state->roots.push_back(desktop);
        if (hasFolder) ListFolderOnce(*state, desktop);
        const HTREEITEM computer = InsertItem(*state, MakeNode(NodeKind::Computer, desktop), computerCaption,
                                              kComputerImage, 1, desktop, TVI_FIRST);
        if (computer == nullptr) return false;
        return AddDrives(*state, desktop, computer);
    } catch (...) {
        return false;
    }
}

std::string DriveCaption(const char* volumeLabel, char driveLetter) {
    std::string caption = volumeLabel != nullptr ? volumeLabel : "";
    for (size_t i = 1; i < caption.size(); ++i)
        if (caption[i] >= 'A' && caption[i] <= 'Z') caption[i] = static_cast<char>(caption[i] - 'A' + 'a');
    return caption + " (" + UpperLetter(driveLetter) + ":)";
}

const char* SuggestedFolderPath() { return Suggested; }

HWND TreeViewOf(HWND tree) {
    const FolderTreeState* state = tree != nullptr ? StateOf(tree) : nullptr;
    return state != nullptr ? state->view : nullptr;
}
