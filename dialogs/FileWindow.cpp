#include "dialogs/FileWindow.h"

#include <cstring>
#include <string>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "board/SurfaceWindows.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/ControlProtocol.h"
#include "dialogs/FolderTree.h"
#include "dialogs/MessageWindow.h"
#include "engine/DibBlit.h"
#include "engine/LanguageIds.h"
#include "engine/PuzzleFile.h"
#include "engine/PuzzleFileFormat.h"
#include "engine/SoundIds.h"
#include "engine/TypedFileName.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/Help.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kFileWindowStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kFileWindowStyle == 0x92400000, "style of the file window");
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kButtonCreateSize = 50;
constexpr UINT kDragMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
static_assert(kDragMoveFlags == 0x605, "flags of a dragged window's move");

constexpr RECT kTitleRect = {23, 1, 23 + 139, 1 + 48};
constexpr RECT kTreeRect = {10, 83, 10 + 205, 83 + 162};
constexpr RECT kNameFieldRect = {10, 54, 10 + 205, 54 + 24};
constexpr int32_t kTreeMaxRoots = 2;
constexpr int32_t kNameFontHeight = 20;
constexpr char kNameFontFace[] = "Comic Sans MS";
constexpr int kRootCaptionCapacity = 50;
constexpr int kComputerCaptionCapacity = 10;

struct ButtonLayout {
    int32_t x, y, rows, columns;
    UINT intervalMs;  // 0: the animation's default
    uint32_t imageId;
};
constexpr ButtonLayout kEraseLayout = {298, 84, 2, 5, 0, kFileEraseButtonImageId};
constexpr ButtonLayout kHelpLayout = {229, 171, 1, 3, 200, kHelpButtonImageId};
constexpr ButtonLayout kCancelLayout = {313, 170, 1, 3, 200, kCancelButtonImageId};
constexpr ButtonLayout kAcceptLayout = {229, 46, 2, 6, 130, kAcceptButtonImageId};

// The accept button's user data while the window closes after a load or a save.
constexpr LRESULT kAcceptIdle = 0;
constexpr LRESULT kAcceptClosing = 1;

constexpr WPARAM kEnterKey = 13;
constexpr WPARAM kEscapeKey = 27;

struct FileWindowState {
    FileBrowserMode mode = FileBrowserMode::Open;
    AfterLoad afterLoad = nullptr;
    DibImage background;
    DibImage acceptImage, eraseImage, helpImage, cancelImage;
    HWND accept = nullptr, erase = nullptr, help = nullptr, cancel = nullptr;
    HWND tree = nullptr;
    HWND nameField = nullptr;
    GdiObject<HFONT> nameFont;
    bool dragging = false;
    POINT dragFrom{};
};

// The one file window that may be open; the erase question's answer comes back to it.
HWND OpenWindow = nullptr;
// What OpenFileBrowser hands to WM_CREATE.
struct FileWindowCreation {
    FileBrowserMode mode;
    AfterLoad afterLoad;
};

FileWindowState* StateOf(HWND window) { return WindowStateOf<FileWindowState>(window); }

bool IsSaveMode(const FileWindowState& state) { return state.mode == FileBrowserMode::Save; }
int32_t AcceptRestFrame(const FileWindowState& state) {
    return IsSaveMode(state) ? kAcceptOpenFrame : kAcceptClosedFrame;
}

LRESULT Frame(HWND button) { return SendMessageA(button, ANM_GETFRAME, 0, 0); }
void SetFrame(HWND button, LRESULT frame) { SendMessageA(button, ANM_SETFRAME, 0, frame); }

// --- Building ---------------------------------------------------------------------------------------

HWND CreateButton(HWND window, const ButtonLayout& layout, DibImage& image) {
    HWND button = CreateWindowExA(0, kAnimationClass, "", kButtonStyle, layout.x, layout.y, kButtonCreateSize,
                                  kButtonCreateSize, window, nullptr, App.Instance, nullptr);
    if (button == nullptr) return nullptr;
    SendMessageA(button, ANM_SETFRAMEROWS, 0, layout.rows);
    SendMessageA(button, ANM_SETFRAMECOLUMNS, 0, layout.columns);
    if (layout.intervalMs != 0) SendMessageA(button, ANM_SETINTERVAL, 0, layout.intervalMs);
    image.LoadById(layout.imageId);
    SendMessageA(button, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image.GetDib()));
    return button;
}

// The background with the mode's title plate drawn in.
void BuildBackground(FileWindowState& state) {
    state.background.LoadById(kFileWindowBackgroundId);
    DibImage title;
    const uint32_t base = IsSaveMode(state) ? kSaveTitleBase : kOpenTitleBase;
    if (title.LoadById(base + App.LanguageIndex) && state.background.GetDib() != nullptr)
        DibBlit(state.background.GetDib(), kTitleRect.left, kTitleRect.top, kTitleRect.right - kTitleRect.left,
                kTitleRect.bottom - kTitleRect.top, title.GetDib(), 0, 0, SRCCOPY);
}

bool BuildTree(HWND window, FileWindowState& state) {
    state.tree = CreateFolderTree(window, kTreeRect.left, kTreeRect.top, kTreeRect.right - kTreeRect.left,
                                  kTreeRect.bottom - kTreeRect.top, true, kTreeMaxRoots);
    if (state.tree == nullptr) return false;
    const FilePatterns patterns = {{kPuzzleFilePattern, kPuzzleFileImage}};
    char caption[kRootCaptionCapacity];
    LoadLanguageString(kSuggestedFolderStringBase, caption, kRootCaptionCapacity);
    const std::string suggested = std::string(App.ModuleFolder) + kSuggestedFolderName;
    AddFolderRoot(state.tree, caption, suggested.c_str(), kPuzzleFileImage, patterns, true);
    char computer[kComputerCaptionCapacity];
    LoadLanguageString(kDesktopStringBase, caption, kRootCaptionCapacity);
    LoadLanguageString(kMyComputerStringBase, computer, kComputerCaptionCapacity);
    AddDesktopAndDrives(state.tree, caption, computer, patterns);
    return true;
}

void BuildNameField(HWND window, FileWindowState& state) {
    state.nameFont.reset(CreateFontA(kNameFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                     kNameFontFace));
    state.nameField =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, kNameFieldRect.left,
                        kNameFieldRect.top, kNameFieldRect.right - kNameFieldRect.left,
                        kNameFieldRect.bottom - kNameFieldRect.top, window, nullptr, App.Instance, nullptr);
    if (state.nameField == nullptr) return;
    // A name longer than a path can hold is of no use: the field stops the typing there.
    SendMessageA(state.nameField, EM_LIMITTEXT, kTreePathCapacity - 1, 0);
    SendMessageA(state.nameField, WM_SETFONT, reinterpret_cast<WPARAM>(state.nameFont.get()), FALSE);
    SetFocus(state.nameField);
}

LRESULT OnCreateFileWindow(HWND window, const CREATESTRUCTA& create) {
    FileWindowState* state = AttachWindowState<FileWindowState>(window);
    if (state == nullptr) return -1;
    const auto* creation = static_cast<const FileWindowCreation*>(create.lpCreateParams);
    state->mode = creation->mode;
    state->afterLoad = creation->afterLoad;
    PauseClock();
    BuildBackground(*state);
    state->erase = CreateButton(window, kEraseLayout, state->eraseImage);
    state->help = CreateButton(window, kHelpLayout, state->helpImage);
    state->cancel = CreateButton(window, kCancelLayout, state->cancelImage);
    state->accept = CreateButton(window, kAcceptLayout, state->acceptImage);
    if (state->accept == nullptr || !BuildTree(window, *state)) {
        ResumeClock();
        return -1;
    }
    SetFrame(state->accept, AcceptRestFrame(*state));
    if (IsSaveMode(*state)) BuildNameField(window, *state);
    OpenWindow = window;
    return 0;
}

// The message window tells the player why nothing happened; this window waits under it.
void TellPlayer(HWND window, uint32_t stringBase) { AskUser(stringBase, window, nullptr, 0); }

// --- Accepting ----------------------------------------------------------------------------------------

void StartClosingRun(HWND window, FileWindowState& state) {
    EnableWindow(window, FALSE);
    SendMessageA(state.accept, ANM_SETUSERDATA, 0, kAcceptClosing);
    SendMessageA(state.accept, ANM_SETRUNNING, 0, 1);
}

// What the player is told about a file that could not be loaded.
uint32_t RefusalMessage(LoadOutcome outcome) {
    return outcome == LoadOutcome::CannotOpen || outcome == LoadOutcome::Damaged ? kFileRefusedStringBase
                                                                                 : kPictureMissingStringBase;
}

bool OpenSelectedFile(HWND window, FileWindowState& state) {
    if (SendMessageA(state.tree, FTM_GETSELECTIONKIND, 0, 0) != kFileSelected) return false;
    char path[kTreePathCapacity] = "";
    if (SendMessageA(state.tree, FTM_GETPATH, 0, reinterpret_cast<LPARAM>(path)) == kNoTreePath) return false;
    PuzzleFileEnvironment env;
    env.cut = GameCutEnvironment();
    env.gameFolder = App.ModuleFolder;
    const LoadGameResult loaded = LoadGame(Board.Puzzle, path, env);
    // A refused file leaves the game in play as it was; only the cursor may need restoring.
    ApplyBoardChanges(loaded.changes);
    if (loaded.outcome != LoadOutcome::Loaded) {
        TellPlayer(window, RefusalMessage(loaded.outcome));
        return false;
    }
    if (state.afterLoad != nullptr) state.afterLoad(loaded.hintsAllowed);
    return true;
}

std::string NameFieldText(const FileWindowState& state) {
    char typed[kTreePathCapacity] = "";
    if (state.nameField != nullptr) GetWindowTextA(state.nameField, typed, sizeof typed);
    return typed;
}

bool SaveUnderTypedName(HWND window, FileWindowState& state) {
    if (SendMessageA(state.tree, FTM_GETSELECTIONKIND, 0, 0) == kComputerSelected) return false;
    char folder[kTreePathCapacity] = "";
    if (SendMessageA(state.tree, FTM_GETFOLDER, 0, reinterpret_cast<LPARAM>(folder)) == kNoTreePath) return false;
    const std::string typed = NameFieldText(state);
    if (typed.empty()) return false;
    if (CheckTypedFileName(folder, typed) != TypedNameCheck::Accepted) {
        TellPlayer(window, kNameRefusedStringBase);
        return false;
    }
    // The suggested folder ships with the game, but a player may have removed it.
    CreateDirectoryA(folder, nullptr);
    const std::string path = SavePathForTypedName(folder, typed);
    const SaveOutcome saved = SaveGame(Board.Puzzle, path.c_str(), "");
    if (saved == SaveOutcome::Saved) return true;
    TellPlayer(window, saved == SaveOutcome::NoPuzzle ? kNothingToSaveStringBase : kSaveFailedStringBase);
    return false;
}

void FileBrowserAccept(HWND window) {
    FileWindowState* state = StateOf(window);
    PlaySwitchedEffect(kClickSound);
    const bool done = IsSaveMode(*state) ? SaveUnderTypedName(window, *state) : OpenSelectedFile(window, *state);
    if (done) StartClosingRun(window, *state);
}

// --- The buttons --------------------------------------------------------------------------------------

void OnAcceptNotice(HWND window, FileWindowState& state, UINT code) {
    HWND accept = state.accept;
    if (SendMessageA(accept, ANM_GETUSERDATA, 0, 0) == kAcceptClosing) {
        if (code != CN_TICK) return;
        const LRESULT frame = Frame(accept) + (IsSaveMode(state) ? -1 : 1);
        SetFrame(accept, frame);
        if (frame == kAcceptOpenFrame || frame == kAcceptClosedFrame) {
            SendMessageA(accept, ANM_SETRUNNING, 0, 0);
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return;
    }
    switch (code) {
        case CN_ENTER:
            PlaySwitchedEffect(kHoverSound);
            SendMessageA(accept, ANM_SETRUNNING, 0, 1);
            break;
        case CN_LEAVE:
            SendMessageA(accept, ANM_SETRUNNING, 0, 0);
            SetFrame(accept, AcceptRestFrame(state));
            break;
        case CN_TICK: {
            // The hover look: the rest frame and its neighbour take turns.
            const LRESULT frame = Frame(accept);
            if (frame == 0 || frame == 1) SetFrame(accept, 1 - frame);
            if (frame == 10 || frame == 11) SetFrame(accept, 21 - frame);
            break;
        }
        case CN_CLICKED: FileBrowserAccept(window); break;
        default: break;
    }
}

// The erase button swings its lid 0 -> 9 -> 0 while the pointer rests on it, and closes
// the lid when it leaves; the user data holds the direction (1 backward).
void SwingStep(HWND button, UINT code) {
    constexpr LRESULT kForward = 0, kBackward = 1;
    constexpr LRESULT kWideOpen = 9;
    switch (code) {
        case CN_ENTER: SendMessageA(button, ANM_SETRUNNING, 0, 1); break;
        case CN_LEAVE: SendMessageA(button, ANM_SETUSERDATA, 0, kBackward); break;
        case CN_TICK: {
            const LRESULT frame = Frame(button);
            if (frame == 0 && SendMessageA(button, ANM_GETHOVER, 0, 0) == 0) {
                SendMessageA(button, ANM_SETUSERDATA, 0, kForward);
                SendMessageA(button, ANM_SETRUNNING, 0, 0);
                break;
            }
            const bool backward = SendMessageA(button, ANM_GETUSERDATA, 0, 0) == kBackward;
            const LRESULT next = frame + (backward ? -1 : 1);
            if (backward && next <= 0) {
                SendMessageA(button, ANM_SETUSERDATA, 0, kForward);
                SetFrame(button, 0);
                break;
            }
            if (!backward && next >= kWideOpen) {
                SendMessageA(button, ANM_SETUSERDATA, 0, kBackward);
                SetFrame(button, kWideOpen);
                break;
            }
            if (next == (backward ? kWideOpen - 1 : 1)) PlaySwitchedEffect(kHallOfHonourSound);
            SetFrame(button, next);
            break;
        }
        default: break;
    }
}

void OnEraseAnswered(bool erase) {
    if (!erase || OpenWindow == nullptr) return;
    const FileWindowState* state = StateOf(OpenWindow);
    // A file that stays (read-only, in use) keeps its item, and the player hears why.
    if (state != nullptr && SendMessageA(state->tree, FTM_DELETEFILE, 0, 0) == kNoTreePath)
        TellPlayer(OpenWindow, kEraseFailedStringBase);
}

void OnEraseNotice(HWND window, FileWindowState& state, UINT code) {
    if (code != CN_CLICKED) {
        SwingStep(state.erase, code);
        return;
    }
    if (SendMessageA(state.tree, FTM_GETSELECTIONKIND, 0, 0) == kFileSelected)
        AskUser(kEraseFileStringBase, window, OnEraseAnswered, 0);
}

void OnTreeNotice(HWND window, FileWindowState& state, UINT code) {
    if (code == CN_RELEASED) {
        FileBrowserAccept(window);
    } else if (code == CN_ENTER && IsSaveMode(state) &&
               SendMessageA(state.tree, FTM_GETSELECTIONKIND, 0, 0) == kFileSelected) {
        char name[kTreePathCapacity] = "";
        if (SendMessageA(state.tree, FTM_GETNAME, 0, reinterpret_cast<LPARAM>(name)) == kNoTreePath) return;
        if (char* dot = std::strchr(name, '.')) *dot = '\0';
        SetWindowTextA(state.nameField, name);
    }
}

void OnFileWindowCommand(HWND window, HWND control, UINT code) {
    FileWindowState* state = StateOf(window);
    if (control == nullptr) return;
    if (control == state->accept) {
        OnAcceptNotice(window, *state, code);
    } else if (control == state->erase) {
        OnEraseNotice(window, *state, code);
    } else if (control == state->help) {
        if (code == CN_CLICKED)
            OpenHelp(window);
        else if (ButtonHoverStep(control, code))
            PlaySwitchedEffect(kAnimatedHoverSound);
    } else if (control == state->cancel) {
        if (code == CN_CLICKED) {
            PlaySwitchedEffect(kClickSound);
            SendMessageA(window, WM_CLOSE, 0, 0);
            return;
        }
        if (code == CN_ENTER) PlaySwitchedEffect(kHoverSound);
        ButtonHoverStep(control, code);
    } else if (control == state->tree) {
        OnTreeNotice(window, *state, code);
    }
}

LRESULT OnFileWindowChar(HWND window, WPARAM key) {
    if (key == kEnterKey) {
        FileBrowserAccept(window);
        return 1;
    }
    if (key == kEscapeKey) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 1;
    }
    return 0;
}

// --- Painting, dragging, closing ----------------------------------------------------------------------

void OnPaintFileWindow(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (const PackedDib* background = StateOf(window)->background.GetDib())
        DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                  ps.rcPaint.bottom - ps.rcPaint.top, background, ps.rcPaint.left, ps.rcPaint.top);
    EndPaint(window, &ps);
}

void OnButtonDown(HWND window) {
    FileWindowState* state = StateOf(window);
    state->dragging = true;
    GetCursorPos(&state->dragFrom);
    SetCapture(window);
}

void OnMouseMove(HWND window) {
    FileWindowState* state = StateOf(window);
    POINT cursor;
    if (!state->dragging || !GetCursorPos(&cursor)) return;
    if (cursor.x == state->dragFrom.x && cursor.y == state->dragFrom.y) return;
    RECT at;
    GetWindowRect(window, &at);
    SetWindowPos(window, nullptr, at.left + cursor.x - state->dragFrom.x, at.top + cursor.y - state->dragFrom.y, 0, 0,
                 kDragMoveFlags);
    state->dragFrom = cursor;
}

void EndDrag(HWND window) {
    FileWindowState* state = StateOf(window);
    if (!state->dragging) return;
    state->dragging = false;
    if (GetCapture() == window) ReleaseCapture();
}

void OnCloseFileWindow(HWND window) {
    // The owner is enabled before this window goes, so that the system activates the owner.
    if (App.PlayScreenWindow != nullptr) {
        EnableWindow(App.PlayScreenWindow, TRUE);
        SetForegroundWindow(App.PlayScreenWindow);
    }
    DestroyWindow(window);
}

void OnDestroyFileWindow(HWND window) {
    if (OpenWindow == window) OpenWindow = nullptr;
    if (App.PlayScreenWindow != nullptr) EnableWindow(App.PlayScreenWindow, TRUE);
    ResumeClock();
}

LRESULT CALLBACK FileWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    try {
        switch (message) {
            case WM_CREATE: return OnCreateFileWindow(window, *reinterpret_cast<CREATESTRUCTA*>(lParam));
            case WM_PAINT: OnPaintFileWindow(window); return 0;
            case WM_LBUTTONDOWN: OnButtonDown(window); return 0;
            case WM_MOUSEMOVE: OnMouseMove(window); return 0;
            case WM_LBUTTONUP: EndDrag(window); return 0;
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lParam) != window) StateOf(window)->dragging = false;
                return 0;
            case WM_QUERYNEWPALETTE: InvalidateRect(window, nullptr, FALSE); return 0;
            case WM_PALETTECHANGED:
                if (reinterpret_cast<HWND>(wParam) != window) InvalidateRect(window, nullptr, FALSE);
                return 0;
            case WM_CHAR:
            case ChildCharMessage: return OnFileWindowChar(window, wParam);
            case NotifyParentMessage:
                OnFileWindowCommand(window, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
                return 0;
            case WM_CLOSE: OnCloseFileWindow(window); return 0;
            case WM_DESTROY: OnDestroyFileWindow(window); return 0;
            case WM_NCDESTROY: FreeWindowState<FileWindowState>(window); return 0;
            default: return DefWindowProcA(window, message, wParam, lParam);
        }
    } catch (...) {
        // Memory ran short on a path or a name: the action is dropped, the window stays.
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

bool RegisterFileWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kFileWindowClass, FileWindowProc, kOwnDcStyle);
}

HWND OpenFileBrowser(FileBrowserMode mode, AfterLoad afterLoad) {
    if (OpenWindow != nullptr) return OpenWindow;
    DibImage probe;
    probe.LoadById(kFileWindowBackgroundId);
    const Point size = probe.GetDib() != nullptr ? probe.GetSize() : Point{392, 256};
    RECT frame = {0, 0, size.x, size.y};
    AdjustWindowRect(&frame, kFileWindowStyle, FALSE);
    const int32_t width = frame.right - frame.left, height = frame.bottom - frame.top;
    const auto x = static_cast<int32_t>((App.ScreenWidth - width) / 2.0);
    const auto y = static_cast<int32_t>((App.ScreenHeight - height) / 2.0);
    HWND owner = App.PlayScreenWindow;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    FileWindowCreation creation{mode, afterLoad};
    HWND window = CreateWindowExA(0, kFileWindowClass, "", kFileWindowStyle, x, y, width, height, owner, nullptr,
                                  App.Instance, &creation);
    // A failed create sends no WM_DESTROY: the owner is enabled again here.
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}

HWND FileWindowInPlay() { return OpenWindow; }

HWND FileWindowTree(HWND window) {
    const FileWindowState* state = window != nullptr ? StateOf(window) : nullptr;
    return state != nullptr ? state->tree : nullptr;
}

HWND FileWindowNameField(HWND window) {
    const FileWindowState* state = window != nullptr ? StateOf(window) : nullptr;
    return state != nullptr ? state->nameField : nullptr;
}
