// The new-puzzle dialog; see NewPuzzleDialog.h.
#include "dialogs/NewPuzzleDialog.h"

#include <array>
#include <cstdio>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "board/SizePickers.h"
#include "board/SurfaceWindows.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/CheckBox.h"
#include "controls/ControlProtocol.h"
#include "controls/Scroller.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/NewPuzzleChildren.h"
#include "dialogs/OwnPicturePage.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "engine/Cut.h"
#include "engine/ScaleRules.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/Help.h"
#include "platform/OwnedPopup.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr size_t kPathCapacity = MAX_PATH;

NewPuzzleState* StateOf(HWND dialog) { return WindowStateOf<NewPuzzleState>(dialog); }

// The dialog's own sounds play whatever the sound switch says; a sound never located plays
// nothing.
void PlayUnswitched(uint32_t id) {
    if (const void* sound = SoundSlot(id)) PlayEffect(sound);
}

int32_t Category() { return App.PictureCategory; }
bool OnShippedCategory() { return Category() >= 0 && Category() < kShippedCategoryCount; }
bool OnOwnPictureCategory() { return Category() == kOwnPictureCategory; }
int32_t PictureCount(const NewPuzzleState& state) { return state.pictures.IsValid() ? state.pictures.GetCount() : 0; }
bool PictureOpen() { return Board.Puzzle.picture.IsOpen(); }

// --- The picture ------------------------------------------------------------------------------

std::string PicturePath(const NewPuzzleState& state, int32_t index) {
    char name[kPathCapacity] = "";
    if (index < 0 || index >= PictureCount(state) || state.pictures.GetName(index, false, name, sizeof name) == 0)
        return "";
    return PictureCategoryFolder(Category()) + name;
}

// The grid of the scale rules in the piece-count texts: rows, columns and pieces.
void ShowGridCounts(HWND dialog) {
    const PuzzleDocument& doc = Board.Puzzle;
    char number[16];
    const int32_t values[3] = {doc.rows, doc.cols, doc.rows * doc.cols};
    for (int32_t k = 0; k < 3; ++k) {
        std::snprintf(number, sizeof number, "%ld", static_cast<long>(values[k]));
        SetCountText(dialog, 2 * k + 1, number);
    }
}

// The piece-count position on its scroller. The count scroller's own changes do not come back
// here: a position set is not always the one read back (rows and columns are truncated), and
// the scroller would then refuse to move on.
void ShowPieceCount(HWND dialog) {
    SendToChild(dialog, kCountScrollerId, SCR_SETVALUE, PieceCountPosition(Board.Puzzle, Board.Scale));
    ShowGridCounts(dialog);
}

// After a change of scale: the piece-count range and position on the count scroller, and the
// counts.
void ShowPieceCountRange(HWND dialog) {
    HWND count = GetDlgItem(dialog, kCountScrollerId);
    SendToControl(count, SCR_SETMAX, PieceCountRange(Board.Puzzle, Board.Scale));
    // A range of 0 would have taken the step down to 0: the next picture's range needs it back.
    SendToControl(count, SCR_SETSTEP, 1);
    ShowPieceCount(dialog);
}

// After a change of scale made elsewhere than on the size scroller: the zoom on that scroller
// too. (Its own changes do not come back: the percentage read back from a scale can fall
// just short of the one set, and the scroller's steps of 5 would round it a step down.)
void ShowScaleValues(HWND dialog) {
    SendToChild(dialog, kSizeScrollerId, SCR_SETVALUE, ZoomPercentage(Board.Puzzle));
    ShowPieceCountRange(dialog);
}

// Everything that depends on the picture in the puzzle's reader follows it: the accept button,
// the pickers' previews, the scale and the counts.
void FollowPicture(HWND dialog) {
    SendToChild(dialog, kAcceptButtonId, CM_SETENABLED, PictureOpen() ? 1 : 0);
    ChoosePictureInPickers();
    ShowScaleValues(dialog);
    ShowCountTexts(dialog);
}

// Opens the chosen picture of the category in the puzzle's picture reader (or closes the
// reader when there is none): the selected picture of a shipped category, the player's own
// picture last chosen in the sixth.
void ChoosePicture(HWND dialog, const NewPuzzleState& state) {
    std::string path;
    if (OnShippedCategory())
        path = PicturePath(state, App.SelectedPicture[Category()]);
    else if (OnOwnPictureCategory() && state.ownPicturePage)
        path = OwnPicturePath();
    if (path.empty() || !Board.Puzzle.picture.Open(path.c_str())) Board.Puzzle.picture.Close();
    FollowPicture(dialog);
}

// Box i shows picture FirstShownPicture + i of the list, framed when it is the chosen one;
// boxes past the end of the list stay empty.
void RefreshPreviewBoxes(HWND dialog, const NewPuzzleState& state) {
    if (!OnShippedCategory()) return;
    const int32_t first = App.FirstShownPicture[Category()];
    for (int32_t box = 0; box < kPreviewBoxCount; ++box) {
        HWND window = GetDlgItem(dialog, kFirstPreviewBoxId + box);
        if (window == nullptr) continue;
        const std::string path = PicturePath(state, first + box);
        ShowPictureInBox(window, path.c_str());
        SetBoxChosen(window, !path.empty() && first + box == App.SelectedPicture[Category()]);
    }
}

// Lists the category's pictures and sets the picture scroller for them. The remembered first
// shown and chosen pictures are kept inside the list; true when that changed the choice.
bool FillPictureList(HWND dialog, NewPuzzleState& state) {
    if (App.NewPuzzlePage != kPicturePage || !OnShippedCategory()) return false;
    const std::string pattern = PictureCategoryFolder(Category()) + "*.bmp";
    state.pictures.Fill(pattern.c_str());
    const int32_t count = PictureCount(state);
    int32_t& first = App.FirstShownPicture[Category()];
    int32_t& selected = App.SelectedPicture[Category()];
    const int32_t chosenBefore = selected;
    // A list that shrank since the last look starts again from its first picture.
    if (first < 0 || first > LastFirstShownPicture(count)) first = selected = 0;
    if (selected < 0 || (count > 0 && selected >= count)) selected = 0;
    // The scroller's value is the negated first index, so that its upper arrow scrolls
    // towards the start of the list.
    HWND scroller = GetDlgItem(dialog, kPictureScrollerId);
    SendToControl(scroller, SCR_SETMAX, 0);
    SendToControl(scroller, SCR_SETMIN, -LastFirstShownPicture(count));
    SendToControl(scroller, SCR_SETSTEP, 1);
    SendToControl(scroller, SCR_SETVALUE, -first);
    RefreshPreviewBoxes(dialog, state);
    return selected != chosenBefore;
}

// After a tab or category change: the page's children, then the list of pictures again.
void Layout(HWND dialog, NewPuzzleState& state) {
    ShowPageChildren(dialog, state);
    if (FillPictureList(dialog, state)) ChoosePicture(dialog, state);
}

LRESULT OnCreateNewPuzzle(HWND dialog) {
    NewPuzzleState* state = AttachWindowState<NewPuzzleState>(dialog);
    if (state == nullptr) return -1;
    App.NewPuzzleWindow = dialog;
    PauseClock();
    App.NewPuzzlePage = kPicturePage;
    LoadNewPuzzleBackground(*state);
    state->ownPicturePage = CreateOwnPicturePage(dialog, &state->background);
    // The remembered category comes back, the player's own pictures too while their page exists.
    if (!OnShippedCategory() && !(OnOwnPictureCategory() && state->ownPicturePage)) App.PictureCategory = 0;
    BuildNewPuzzleChildren(dialog, *state);
    ShowPageChildren(dialog, *state);
    FillPictureList(dialog, *state);
    ChoosePicture(dialog, *state);
    return 0;
}

// --- Commands ---------------------------------------------------------------------------------

void CloseDialog(HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }

void Accept(HWND dialog) {
    if (!PictureOpen()) return;
    PlayUnswitched(kSpokenOkBase);
    const auto shape = static_cast<uint32_t>(SendToChild(dialog, kShapeScrollerId, SCR_GETVALUE, 0));
    ApplyBoardChanges(CutAndShow(Board.Puzzle, GameCutEnvironment(), kFirstShapeTemplateId + shape).changes);
    CloseDialog(dialog);
}

void Cancel(HWND dialog) {
    PlayUnswitched(kSpokenCancelBase);
    CloseDialog(dialog);
}

void OnTabClicked(HWND dialog, NewPuzzleState& state, int32_t page) {
    if (page == App.NewPuzzlePage) return;
    PlayUnswitched(kClickSound);
    SendToChild(dialog, kFirstTabId + App.NewPuzzlePage, CHK_SETCHECK, 0);
    App.NewPuzzlePage = page;
    Layout(dialog, state);
}

void OnCategoryClicked(HWND dialog, NewPuzzleState& state, int32_t category) {
    if (category == Category()) return;
    PlayUnswitched(kClickSound);
    SendToChild(dialog, kFirstCategoryId + Category(), CHK_SETCHECK, 0);
    App.PictureCategory = category;
    ShowPageChildren(dialog, state);
    FillPictureList(dialog, state);
    ChoosePicture(dialog, state);
}

void OnShapeDisplayClicked(HWND dialog, HWND display) {
    PlayUnswitched(kClickSound);
    const auto frame = static_cast<int32_t>((SendToControl(display, ANM_GETFRAME, 0) + 1) % kPieceShapeCount);
    SendToControl(display, ANM_SETFRAME, frame);
    SendToChild(dialog, kShapeScrollerId, SCR_SETVALUE, frame);
}

void OnViewNotice(HWND dialog, HWND view, UINT code) {
    if (code == CN_CLICKED) {
        char path[kPathCapacity] = "";
        if (PictureOpen() && Board.Puzzle.picture.GetName(path, sizeof path) > 0) OpenPicturePreview(path, dialog);
    } else if (TenFrameStep(view, code)) {
        PlaySwitchedEffect(kNewPuzzleSound);
    }
}

void OnHelpNotice(HWND dialog, HWND help, UINT code) {
    if (code == CN_CLICKED)
        OpenHelp(dialog);
    else if (ButtonHoverStep(help, code))
        PlaySwitchedEffect(kAnimatedHoverSound);
}

void OnSizeButtonNotice(HWND dialog, HWND button, UINT code, bool fit) {
    if (code != CN_CLICKED) {
        FourPhaseStep(button, code);
        return;
    }
    if (fit)
        FitPictureInPickers();
    else
        ActualSizeInPickers();
    ShowScaleValues(dialog);
}

// A click on a box that shows a picture chooses it; a double click shows it over the screen.
void OnPreviewBoxNotice(HWND dialog, const NewPuzzleState& state, int32_t box, UINT code) {
    if (!OnShippedCategory()) return;
    if (code == kPreviewBoxDoubleClicked) {
        char path[kPathCapacity] = "";
        if (PictureOpen() && Board.Puzzle.picture.GetName(path, sizeof path) > 0) OpenPicturePreview(path, dialog);
        return;
    }
    if (code != kPreviewBoxClicked) return;
    PlayUnswitched(kClickSound);
    const int32_t first = App.FirstShownPicture[Category()];
    const int32_t chosen = first + box;
    if (PicturePath(state, chosen).empty()) return;
    int32_t& selected = App.SelectedPicture[Category()];
    if (selected >= first && selected < first + kPreviewBoxCount)
        SetBoxChosen(GetDlgItem(dialog, kFirstPreviewBoxId + selected - first), false);
    selected = chosen;
    SetBoxChosen(GetDlgItem(dialog, kFirstPreviewBoxId + box), true);
    ChoosePicture(dialog, state);
}

void OnPictureScrolled(HWND dialog, NewPuzzleState& state, HWND scroller) {
    if (!OnShippedCategory()) return;
    App.FirstShownPicture[Category()] = -static_cast<int32_t>(SendToControl(scroller, SCR_GETVALUE, 0));
    RefreshPreviewBoxes(dialog, state);
}

// The children known by their place in a group.
bool OnGroupNotice(HWND dialog, NewPuzzleState& state, int32_t id, UINT code) {
    const bool tab = id >= kFirstTabId && id < kFirstTabId + kNewPuzzlePageCount;
    const bool category = id >= kFirstCategoryId && id < kFirstCategoryId + kCategoryCount;
    if (!tab && !category) return false;
    if (code == CN_ENTER)
        PlayUnswitched(kHoverSound);
    else if (code == CN_CLICKED && tab)
        OnTabClicked(dialog, state, id - kFirstTabId);
    else if (code == CN_CLICKED)
        OnCategoryClicked(dialog, state, id - kFirstCategoryId);
    return true;
}

void OnNewPuzzleCommand(HWND dialog, HWND control, UINT code) {
    NewPuzzleState& state = *StateOf(dialog);
    if (control == nullptr) return;
    if (control == App.ZoomPickerWindow) {
        ShowScaleValues(dialog);
        return;
    }
    if (control == App.PieceCountPickerWindow) {
        ShowPieceCount(dialog);
        return;
    }
    bool pictureChanged = false;
    if (state.ownPicturePage && HandleOwnPictureNotice(control, code, pictureChanged)) {
        // The page opened the player's picture in the reader itself.
        if (pictureChanged) FollowPicture(dialog);
        return;
    }
    const int32_t id = GetDlgCtrlID(control);
    if (OnGroupNotice(dialog, state, id, code)) return;
    if (id >= kFirstPreviewBoxId && id < kFirstPreviewBoxId + kPreviewBoxCount) {
        OnPreviewBoxNotice(dialog, state, id - kFirstPreviewBoxId, code);
        return;
    }
    switch (id) {
        case kAcceptButtonId:
            if (code == CN_CLICKED) Accept(dialog);
            break;
        case kCancelButtonId:
            if (code == CN_CLICKED) Cancel(dialog);
            break;
        case kViewButtonId: OnViewNotice(dialog, control, code); break;
        case kHelpButtonId: OnHelpNotice(dialog, control, code); break;
        case kFitButtonId: OnSizeButtonNotice(dialog, control, code, true); break;
        case kActualSizeButtonId: OnSizeButtonNotice(dialog, control, code, false); break;
        case kSizeScrollerId:
            if (code != CN_CHANGED) break;
            SetZoomInPickers(static_cast<int32_t>(SendToControl(control, SCR_GETVALUE, 0)));
            ShowPieceCountRange(dialog);
            break;
        case kCountScrollerId:
            if (code != CN_CHANGED) break;
            SetPieceCountInPickers(static_cast<int32_t>(SendToControl(control, SCR_GETVALUE, 0)));
            ShowGridCounts(dialog);
            break;
        case kShapeDisplayId:
            if (code == CN_CLICKED) OnShapeDisplayClicked(dialog, control);
            break;
        case kShapeScrollerId:
            if (code == CN_CHANGED)
                SendToChild(dialog, kShapeDisplayId, ANM_SETFRAME, SendToControl(control, SCR_GETVALUE, 0));
            break;
        case kPictureScrollerId:
            if (code == CN_CHANGED) OnPictureScrolled(dialog, state, control);
            break;
        default: break;
    }
}

// Enter accepts while the accept button does, Escape cancels. True when the key was the
// dialog's.
LRESULT OnNewPuzzleChar(HWND dialog, WPARAM key) {
    if (key == kAcceptKey) {
        if (SendToChild(dialog, kAcceptButtonId, CM_GETENABLED, 0) != 0) Accept(dialog);
        return 1;
    }
    if (key == kCancelKey) {
        Cancel(dialog);
        return 1;
    }
    return 0;
}

// --- Window procedure -------------------------------------------------------------------------

void OnPaintNewPuzzle(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (const PackedDib* background = StateOf(dialog)->background.GetDib()) {
        DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                  ps.rcPaint.bottom - ps.rcPaint.top, background, ps.rcPaint.left, ps.rcPaint.top);
    }
    EndPaint(dialog, &ps);
}

// A click on a child leaves the keyboard where it was; the keys must still reach the dialog,
// so a click inside it takes the focus back from any window outside it.
void OnParentNotify(HWND dialog, WPARAM event) {
    if (LOWORD(event) != WM_LBUTTONDOWN) return;
    HWND focus = GetFocus();
    if (focus != dialog && (focus == nullptr || !IsChild(dialog, focus))) SetFocus(dialog);
}

void OnCloseNewPuzzle(HWND dialog) { CloseGivingOwnerBack(dialog, App.PlayScreenWindow); }

void OnDestroyNewPuzzle(HWND dialog) {
    if (App.NewPuzzleWindow == dialog) App.NewPuzzleWindow = nullptr;
    if (App.PlayScreenWindow != nullptr) EnableWindow(App.PlayScreenWindow, TRUE);
    ResumeClock();
}

void OnPaletteMessage(HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == dialog) return;
    InvalidateRect(dialog, nullptr, FALSE);
}

LRESULT CALLBACK NewPuzzleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(dialog) == nullptr) return DefWindowProcA(dialog, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateNewPuzzle(dialog);
        case WM_PAINT: OnPaintNewPuzzle(dialog); return 0;
        case NotifyParentMessage:
            OnNewPuzzleCommand(dialog, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
        case ChildCharMessage: return OnNewPuzzleChar(dialog, wParam);
        case WM_PARENTNOTIFY: OnParentNotify(dialog, wParam); return 0;
        case WM_LBUTTONDOWN: StartBackgroundDrag(dialog, StateOf(dialog)->drag); return 0;
        case WM_MOUSEMOVE: FollowBackgroundDrag(dialog, StateOf(dialog)->drag); return 0;
        case WM_LBUTTONUP: EndBackgroundDrag(StateOf(dialog)->drag); return 0;
        case WM_CAPTURECHANGED:
            OnDragCaptureChanged(dialog, StateOf(dialog)->drag, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED: OnPaletteMessage(dialog, message, wParam); return 0;
        case WM_CLOSE: OnCloseNewPuzzle(dialog); return 0;
        case WM_DESTROY: OnDestroyNewPuzzle(dialog); return 0;
        case WM_NCDESTROY: FreeWindowState<NewPuzzleState>(dialog); return 0;
        default: return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterNewPuzzleClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kNewPuzzleClass, NewPuzzleProc, 0);
}

std::string PictureCategoryFolder(int32_t category) {
    return std::string(App.ModuleFolder) + "Image\\" + std::to_string(category) + "\\";
}

int32_t LastFirstShownPicture(int32_t count) { return count > 1 ? count - 1 : 0; }

HWND OpenNewPuzzleDialog() {
    if (App.NewPuzzleWindow != nullptr) return App.NewPuzzleWindow;
    DibImage background;
    // Without its background the dialog would have no size and no look: it is not opened.
    if (!background.LoadById(kNewPuzzleBackgroundId)) return nullptr;
    const Point size = background.GetSize();
    const RECT frame = CentredDialogRect(size.x, size.y, App.ScreenWidth, App.ScreenHeight);
    HWND owner = App.PlayScreenWindow;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND dialog = CreateWindowExA(0, kNewPuzzleClass, "", kDialogStyle, frame.left, frame.top, frame.right - frame.left,
                                  frame.bottom - frame.top, owner, nullptr, App.Instance, nullptr);
    // A window that was never made sends no WM_DESTROY: the play screen must not stay disabled.
    if (dialog == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return dialog;
}
