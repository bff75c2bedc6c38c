// The new-puzzle dialog; see NewPuzzleDialog.h.
#include "dialogs/NewPuzzleDialog.h"

#include <array>
#include <cstdio>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "board/PieceCountPicker.h"
#include "board/SizePickers.h"
#include "board/SurfaceWindows.h"
#include "board/ZoomPicker.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/CheckBox.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "controls/Scroller.h"
#include "controls/TextControl.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/OwnPicturePage.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "engine/Cut.h"
#include "engine/DibBlit.h"
#include "engine/LanguageIds.h"
#include "engine/ScaleRules.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/NameList.h"
#include "platform/Help.h"
#include "platform/LanguageText.h"
#include "platform/OwnedPopup.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kShownChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kHiddenChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

// Shows or hides a child without moving, sizing, reordering or activating anything.
constexpr UINT kPageChildFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

constexpr POINT kAcceptButtonAt{317, 313};
constexpr POINT kCancelButtonAt{456, 313};
constexpr POINT kViewButtonAt{219, 314};
constexpr int32_t kViewButtonRows = 2;
constexpr int32_t kViewButtonColumns = 5;
constexpr POINT kHelpButtonAt{111, 298};
constexpr int32_t kHelpButtonRows = 3;
constexpr LPARAM kHelpButtonIntervalMs = 200;
constexpr POINT kFitButtonAt{376, 111};
constexpr POINT kActualSizeButtonAt{376, 197};
constexpr int32_t kSizeButtonRows = 5;

constexpr std::array<POINT, kNewPuzzlePageCount> kTabAt{{{10, 62}, {148, 62}, {276, 62}, {410, 62}}};
// Tab images by page: picture, shape, size, pieces (each a base plus the language index).
constexpr std::array<uint32_t, kNewPuzzlePageCount> kTabImageBase{2110, 2130, 2120, 2100};

constexpr std::array<POINT, kCategoryCount> kCategoryAt{
    {{37, 103}, {108, 103}, {179, 103}, {250, 103}, {321, 103}, {392, 103}}};
constexpr std::array<uint32_t, kCategoryCount> kCategoryImageId{567, 571, 569, 570, 566, kOwnPictureCategoryImageId};

// The four preview boxes stand side by side; the box's own style clips its siblings and children.
constexpr int32_t kPreviewBoxLeft = 17;
constexpr int32_t kPreviewBoxPitch = 120;
constexpr int32_t kPreviewBoxTop = 155;
constexpr DWORD kPreviewBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x56000000

// The three value scrollers share a place (each shows on its own page) and a picture.
constexpr POINT kValueScrollerAt{288, 113};
constexpr LPARAM kValueScrollerZones[3] = {25, 117, 25};
constexpr LPARAM kCountScrollerStartValue = 50;
constexpr LPARAM kCountDragThreshold = 20;
constexpr LPARAM kShapeDragThreshold = 35;
constexpr POINT kPictureScrollerAt{500, 146};
constexpr LPARAM kPictureScrollerZones[3] = {21, 94, 21};

constexpr POINT kShapeDisplayAt{110, 119};

constexpr int32_t kCountTextX = 330;
constexpr int32_t kCountTextTop = 124;
constexpr int32_t kCountTextPitch = 18;
constexpr LPARAM kCountTextWeight = 600;
constexpr LPARAM kCountTextFontHeight = 18;
constexpr COLORREF kLabelColour = RGB(0, 0, 0);
constexpr COLORREF kNumberColour = RGB(255, 0, 0);
constexpr std::array<uint32_t, 3> kCountLabelBase{kRowsStringBase, kColumnsStringBase, kPieceCountStringBase};
constexpr int kCountLabelCapacity = 64;

constexpr size_t kPathCapacity = MAX_PATH;

// What the dialog owns. The images outlive the children that show them: the block is freed on
// WM_NCDESTROY.
struct NewPuzzleState {
    DibImage background;
    DibImage acceptImage;
    DibImage cancelImage;
    DibImage viewImage;
    DibImage helpImage;
    std::array<DibImage, kNewPuzzlePageCount> tabImages;
    std::array<DibImage, kCategoryCount> categoryImages;
    DibImage fitImage;
    DibImage actualSizeImage;
    DibImage valueScrollerImage;
    DibImage pictureScrollerImage;
    DibImage shapeDisplayImage;
    NameList pictures;            // the .bmp names of the category shown
    bool ownPicturePage = false;  // the sixth category's page could be made
    BackgroundDrag drag;
};

NewPuzzleState* StateOf(HWND dialog) { return WindowStateOf<NewPuzzleState>(dialog); }

LRESULT Send(HWND control, UINT message, LPARAM argument) {
    return control != nullptr ? SendMessageA(control, message, 0, argument) : 0;
}

LRESULT SendTo(HWND dialog, int32_t id, UINT message, LPARAM argument) {
    return Send(GetDlgItem(dialog, id), message, argument);
}

LPARAM PictureParam(const DibImage& image) { return reinterpret_cast<LPARAM>(image.GetDib()); }

// The dialog's own sounds play whatever the sound switch says; a sound never located plays
// nothing.
void PlayUnswitched(uint32_t id) {
    if (const void* sound = SoundSlot(id)) PlayEffect(sound);
}

HWND CreateChild(HWND dialog, const char* className, POINT at, int32_t id, DWORD style) {
    return CreateWindowExA(0, className, "", style, at.x, at.y, kDialogControlSize, kDialogControlSize, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.Instance, nullptr);
}

int32_t Category() { return App.PictureCategory; }
bool OnShippedCategory() { return Category() >= 0 && Category() < kShippedCategoryCount; }
bool OnOwnPictureCategory() { return Category() == kOwnPictureCategory; }
int32_t PictureCount(const NewPuzzleState& state) { return state.pictures.IsValid() ? state.pictures.GetCount() : 0; }
bool PictureOpen() { return Board.Puzzle.picture.IsOpen(); }

// --- Building ---------------------------------------------------------------------------------

// The background with the title of the player's language drawn into it.
void LoadBackground(NewPuzzleState& state) {
    state.background.LoadById(kNewPuzzleBackgroundId);
    DibImage title;
    if (!title.LoadById(kNewPuzzleTitleBase + App.LanguageIndex)) return;
    const Point size = title.GetSize();
    DibBlit(state.background.GetDib(), 0, 0, size.x, size.y, title.GetDib(), 0, 0, kRopSrcCopy);
}

void CreateButtons(HWND dialog, NewPuzzleState& state) {
    state.acceptImage.LoadById(kNewPuzzleAcceptImageId);
    HWND accept = CreateChild(dialog, kCommandButtonClass, kAcceptButtonAt, kAcceptButtonId, kShownChildStyle);
    Send(accept, CM_SETDISABLEDFRAME, 1);
    Send(accept, CM_SETBITMAP, PictureParam(state.acceptImage));

    state.cancelImage.LoadById(kNewPuzzleCancelImageId);
    HWND cancel = CreateChild(dialog, kCommandButtonClass, kCancelButtonAt, kCancelButtonId, kShownChildStyle);
    Send(cancel, CM_SETBITMAP, PictureParam(state.cancelImage));

    state.viewImage.LoadById(kNewPuzzleViewImageId);
    HWND view = CreateChild(dialog, kAnimationClass, kViewButtonAt, kViewButtonId, kShownChildStyle);
    Send(view, ANM_SETFRAMEROWS, kViewButtonRows);
    Send(view, ANM_SETFRAMECOLUMNS, kViewButtonColumns);
    Send(view, CM_SETBITMAP, PictureParam(state.viewImage));

    state.helpImage.LoadById(kNewPuzzleHelpImageId);
    HWND help = CreateChild(dialog, kAnimationClass, kHelpButtonAt, kHelpButtonId, kShownChildStyle);
    Send(help, ANM_SETFRAMEROWS, kHelpButtonRows);
    Send(help, ANM_SETINTERVAL, kHelpButtonIntervalMs);
    Send(help, CM_SETBITMAP, PictureParam(state.helpImage));
}

// A radio box of a group: the tabs and the categories.
void CreateRadioBox(HWND dialog, DibImage& image, uint32_t imageId, POINT at, int32_t id, bool shown, bool checked) {
    image.LoadById(imageId);
    HWND box = CreateChild(dialog, kCheckBoxClass, at, id, shown ? kShownChildStyle : kHiddenChildStyle);
    Send(box, CHK_SETRADIO, 1);
    if (checked) Send(box, CHK_SETCHECK, 1);
    Send(box, CM_SETBITMAP, PictureParam(image));
}

void CreateTabsAndCategories(HWND dialog, NewPuzzleState& state) {
    for (int32_t page = 0; page < kNewPuzzlePageCount; ++page) {
        const size_t k = static_cast<size_t>(page);
        CreateRadioBox(dialog, state.tabImages[k], kTabImageBase[k] + App.LanguageIndex, kTabAt[k], kFirstTabId + page,
                       true, page == App.NewPuzzlePage);
    }
    const int32_t categories = state.ownPicturePage ? kCategoryCount : kShippedCategoryCount;
    for (int32_t category = 0; category < categories; ++category) {
        const size_t k = static_cast<size_t>(category);
        CreateRadioBox(dialog, state.categoryImages[k], kCategoryImageId[k], kCategoryAt[k],
                       kFirstCategoryId + category, App.NewPuzzlePage == kPicturePage, category == Category());
    }
}

HWND CreateScroller(HWND dialog, POINT at, int32_t id, const LPARAM (&zones)[3], const DibImage& image, bool shown) {
    HWND scroller = CreateChild(dialog, kScrollerClass, at, id, shown ? kShownChildStyle : kHiddenChildStyle);
    Send(scroller, SCR_SETTOPHEIGHT, zones[0]);
    Send(scroller, SCR_SETMIDDLEHEIGHT, zones[1]);
    Send(scroller, SCR_SETBOTTOMHEIGHT, zones[2]);
    Send(scroller, CM_SETBITMAP, PictureParam(image));
    return scroller;
}

void CreateScrollers(HWND dialog, NewPuzzleState& state) {
    state.valueScrollerImage.LoadById(kValueScrollerImageId);
    state.pictureScrollerImage.LoadById(kPictureScrollerImageId);
    // The size scroller keeps the scroller's own range, 0 to 100 in steps of 5.
    CreateScroller(dialog, kValueScrollerAt, kSizeScrollerId, kValueScrollerZones, state.valueScrollerImage, false);

    HWND count = CreateScroller(dialog, kValueScrollerAt, kCountScrollerId, kValueScrollerZones,
                                state.valueScrollerImage, false);
    Send(count, SCR_SETVALUE, kCountScrollerStartValue);
    Send(count, SCR_SETSTEP, 1);
    Send(count, SCR_SETDRAGTHRESHOLD, kCountDragThreshold);

    HWND shape = CreateScroller(dialog, kValueScrollerAt, kShapeScrollerId, kValueScrollerZones,
                                state.valueScrollerImage, false);
    Send(shape, SCR_SETMAX, kPieceShapeCount - 1);
    Send(shape, SCR_SETSTEP, 1);
    Send(shape, SCR_SETVALUE, 0);
    Send(shape, SCR_SETDRAGTHRESHOLD, kShapeDragThreshold);

    CreateScroller(dialog, kPictureScrollerAt, kPictureScrollerId, kPictureScrollerZones, state.pictureScrollerImage,
                   App.NewPuzzlePage == kPicturePage);
}

void CreateSizeButtons(HWND dialog, NewPuzzleState& state) {
    state.fitImage.LoadById(kFitButtonImageId);
    HWND fit = CreateChild(dialog, kAnimationClass, kFitButtonAt, kFitButtonId, kHiddenChildStyle);
    Send(fit, ANM_SETFRAMEROWS, kSizeButtonRows);
    Send(fit, CM_SETBITMAP, PictureParam(state.fitImage));

    state.actualSizeImage.LoadById(kActualSizeButtonImageId);
    HWND actual = CreateChild(dialog, kAnimationClass, kActualSizeButtonAt, kActualSizeButtonId, kHiddenChildStyle);
    Send(actual, ANM_SETFRAMEROWS, kSizeButtonRows);
    Send(actual, CM_SETBITMAP, PictureParam(state.actualSizeImage));
}

void CreateShapeDisplay(HWND dialog, NewPuzzleState& state) {
    state.shapeDisplayImage.LoadById(kShapeDisplayImageId);
    HWND display = CreateChild(dialog, kAnimationClass, kShapeDisplayAt, kShapeDisplayId, kHiddenChildStyle);
    Send(display, ANM_SETFRAMECOLUMNS, kPieceShapeCount);
    Send(display, CM_SETBITMAP, PictureParam(state.shapeDisplayImage));
}

void CreatePreviewBoxes(HWND dialog, const NewPuzzleState& state) {
    for (int32_t box = 0; box < kPreviewBoxCount; ++box) {
        const Point at{kPreviewBoxLeft + kPreviewBoxPitch * box, kPreviewBoxTop};
        HWND made = CreatePreviewBox(dialog, kPreviewBoxClass, kFirstPreviewBoxId + box, at, kPreviewBoxStyle,
                                     &state.background);
        // Created shown, as the picture page is the first; the layout hides them on the others.
        if (made != nullptr && App.NewPuzzlePage != kPicturePage) ShowWindow(made, SW_HIDE);
    }
}

// A text control refuses an empty text; the window's own text says the same, for tools that
// read windows (screen readers, tests).
void SetCountText(HWND dialog, int32_t index, const char* value) {
    HWND text = GetDlgItem(dialog, kFirstCountTextId + index);
    if (text == nullptr || value[0] == '\0') return;
    Send(text, TXT_SETTEXT, reinterpret_cast<LPARAM>(value));
    SetWindowTextA(text, value);
    InvalidateRect(text, nullptr, FALSE);
}

// Disabled texts ignore the mouse and draw in their disabled colour: black labels, red numbers.
void CreateCountTexts(HWND dialog, const NewPuzzleState& state) {
    for (int32_t index = 0; index < kCountTextCount; ++index) {
        const POINT at{kCountTextX, kCountTextTop + kCountTextPitch * index};
        HWND text = CreateChild(dialog, kTextControlClass, at, kFirstCountTextId + index, kHiddenChildStyle);
        const bool label = index % 2 == 0;
        Send(text, CM_SETENABLED, 0);
        Send(text, TXT_SETDISABLEDCOLOR, label ? kLabelColour : kNumberColour);
        Send(text, TXT_SETWEIGHT, kCountTextWeight);
        Send(text, TXT_SETFONTHEIGHT, kCountTextFontHeight);
        Send(text, TXT_SETFACE, reinterpret_cast<LPARAM>(kTextFace));
        Send(text, CM_SETBITMAP, PictureParam(state.background));
        char value[kCountLabelCapacity] = "0";
        if (label) LoadLanguageString(kCountLabelBase[static_cast<size_t>(index / 2)], value, kCountLabelCapacity);
        SetCountText(dialog, index, value);
    }
}

// --- Pages ------------------------------------------------------------------------------------

// The page each page-bound child belongs to; the shipped pictures' boxes and scroller give
// way to the own-picture page in the sixth category.
struct PagedChild {
    int32_t id;
    int32_t page;
    bool shippedCategoryOnly;
};

constexpr PagedChild kPagedChildren[] = {
    {kFirstCategoryId + 0, kPicturePage, false},  {kFirstCategoryId + 1, kPicturePage, false},
    {kFirstCategoryId + 2, kPicturePage, false},  {kFirstCategoryId + 3, kPicturePage, false},
    {kFirstCategoryId + 4, kPicturePage, false},  {kFirstCategoryId + kOwnPictureCategory, kPicturePage, false},
    {kPictureScrollerId, kPicturePage, true},     {kFirstPreviewBoxId + 0, kPicturePage, true},
    {kFirstPreviewBoxId + 1, kPicturePage, true}, {kFirstPreviewBoxId + 2, kPicturePage, true},
    {kFirstPreviewBoxId + 3, kPicturePage, true}, {kShapeScrollerId, kShapePage, false},
    {kShapeDisplayId, kShapePage, false},         {kFitButtonId, kSizePage, false},
    {kActualSizeButtonId, kSizePage, false},      {kSizeScrollerId, kSizePage, false},
    {kCountScrollerId, kPieceCountPage, false},
};

void ShowChild(HWND child, bool shown) {
    if (child == nullptr) return;
    SetWindowPos(child, nullptr, 0, 0, 0, 0, kPageChildFlags | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// The piece-count texts say something only while a picture is open.
void ShowCountTexts(HWND dialog) {
    const bool shown = App.NewPuzzlePage == kPieceCountPage && PictureOpen();
    for (int32_t index = 0; index < kCountTextCount; ++index)
        ShowChild(GetDlgItem(dialog, kFirstCountTextId + index), shown);
}

void ShowPageChildren(HWND dialog, const NewPuzzleState& state) {
    const int32_t page = App.NewPuzzlePage;
    for (const PagedChild& child : kPagedChildren)
        ShowChild(GetDlgItem(dialog, child.id),
                  child.page == page && (!child.shippedCategoryOnly || OnShippedCategory()));
    if (state.ownPicturePage) ShowOwnPicturePage(page == kPicturePage && OnOwnPictureCategory());
    ShowChild(App.ZoomPickerWindow, page == kSizePage);
    ShowChild(App.PieceCountPickerWindow, page == kPieceCountPage);
    ShowCountTexts(dialog);
}

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
    SendTo(dialog, kCountScrollerId, SCR_SETVALUE, PieceCountPosition(Board.Puzzle, Board.Scale));
    ShowGridCounts(dialog);
}

// After a change of scale: the zoom on the size scroller, the piece-count range and position
// on the count scroller, and the counts.
void ShowScaleValues(HWND dialog) {
    const PuzzleDocument& doc = Board.Puzzle;
    SendTo(dialog, kSizeScrollerId, SCR_SETVALUE, ZoomPercentage(doc));
    HWND count = GetDlgItem(dialog, kCountScrollerId);
    Send(count, SCR_SETMAX, PieceCountRange(doc, Board.Scale));
    // A range of 0 would have taken the step down to 0: the next picture's range needs it back.
    Send(count, SCR_SETSTEP, 1);
    ShowPieceCount(dialog);
}

// Everything that depends on the picture in the puzzle's reader follows it: the accept button,
// the pickers' previews, the scale and the counts.
void FollowPicture(HWND dialog) {
    SendTo(dialog, kAcceptButtonId, CM_SETENABLED, PictureOpen() ? 1 : 0);
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
    Send(scroller, SCR_SETMAX, 0);
    Send(scroller, SCR_SETMIN, -LastFirstShownPicture(count));
    Send(scroller, SCR_SETSTEP, 1);
    Send(scroller, SCR_SETVALUE, -first);
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
    LoadBackground(*state);
    state->ownPicturePage = CreateOwnPicturePage(dialog, &state->background);
    // The remembered category comes back, the player's own pictures too while their page exists.
    if (!OnShippedCategory() && !(OnOwnPictureCategory() && state->ownPicturePage)) App.PictureCategory = 0;
    CreateButtons(dialog, *state);
    CreateTabsAndCategories(dialog, *state);
    CreateSizeButtons(dialog, *state);
    CreateScrollers(dialog, *state);
    CreateShapeDisplay(dialog, *state);
    CreatePreviewBoxes(dialog, *state);
    CreateZoomPicker(dialog);
    CreatePieceCountPicker(dialog, &state->background);
    CreateCountTexts(dialog, *state);
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
    const auto shape = static_cast<uint32_t>(SendTo(dialog, kShapeScrollerId, SCR_GETVALUE, 0));
    ApplyBoardChanges(CutAndShow(Board.Puzzle, GameCutEnvironment(), kFirstShapeTemplateId + shape).changes);
    CloseDialog(dialog);
}

void Cancel(HWND dialog) {
    PlayUnswitched(kSpokenCancelBase);
    CloseDialog(dialog);
}

void OnTabClicked(HWND dialog, NewPuzzleState& state, int32_t page) {
    PlayUnswitched(kClickSound);
    if (page == App.NewPuzzlePage) return;
    SendTo(dialog, kFirstTabId + App.NewPuzzlePage, CHK_SETCHECK, 0);
    App.NewPuzzlePage = page;
    Layout(dialog, state);
}

void OnCategoryClicked(HWND dialog, NewPuzzleState& state, int32_t category) {
    PlayUnswitched(kClickSound);
    if (category == Category()) return;
    SendTo(dialog, kFirstCategoryId + Category(), CHK_SETCHECK, 0);
    App.PictureCategory = category;
    ShowPageChildren(dialog, state);
    FillPictureList(dialog, state);
    ChoosePicture(dialog, state);
}

void OnShapeDisplayClicked(HWND dialog, HWND display) {
    PlayUnswitched(kClickSound);
    const auto frame = static_cast<int32_t>((Send(display, ANM_GETFRAME, 0) + 1) % kPieceShapeCount);
    Send(display, ANM_SETFRAME, frame);
    SendTo(dialog, kShapeScrollerId, SCR_SETVALUE, frame);
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
    App.FirstShownPicture[Category()] = -static_cast<int32_t>(Send(scroller, SCR_GETVALUE, 0));
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
            SetZoomInPickers(static_cast<int32_t>(Send(control, SCR_GETVALUE, 0)));
            ShowScaleValues(dialog);
            break;
        case kCountScrollerId:
            if (code != CN_CHANGED) break;
            SetPieceCountInPickers(static_cast<int32_t>(Send(control, SCR_GETVALUE, 0)));
            ShowGridCounts(dialog);
            break;
        case kShapeDisplayId:
            if (code == CN_CLICKED) OnShapeDisplayClicked(dialog, control);
            break;
        case kShapeScrollerId:
            if (code == CN_CHANGED) SendTo(dialog, kShapeDisplayId, ANM_SETFRAME, Send(control, SCR_GETVALUE, 0));
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
        if (SendTo(dialog, kAcceptButtonId, CM_GETENABLED, 0) != 0) Accept(dialog);
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
