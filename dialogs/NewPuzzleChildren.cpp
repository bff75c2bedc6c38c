// The new-puzzle dialog's children; see NewPuzzleChildren.h.
#include "dialogs/NewPuzzleChildren.h"

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/PieceCountPicker.h"
#include "board/ZoomPicker.h"
#include "controls/AnimationControl.h"
#include "controls/CheckBox.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "controls/Scroller.h"
#include "controls/TextControl.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/OwnPicturePage.h"
#include "dialogs/PreviewBox.h"
#include "engine/DibBlit.h"
#include "engine/LanguageIds.h"
#include "platform/LanguageText.h"

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

LPARAM PictureParam(const DibImage& image) { return reinterpret_cast<LPARAM>(image.GetDib()); }

HWND CreateChild(HWND dialog, const char* className, POINT at, int32_t id, DWORD style) {
    return CreateWindowExA(0, className, "", style, at.x, at.y, kDialogControlSize, kDialogControlSize, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.Instance, nullptr);
}

bool OnShippedCategory() { return App.PictureCategory >= 0 && App.PictureCategory < kShippedCategoryCount; }
int32_t Category() { return App.PictureCategory; }

}  // namespace

LRESULT SendToControl(HWND control, UINT message, LPARAM argument) {
    return control != nullptr ? SendMessageA(control, message, 0, argument) : 0;
}

LRESULT SendToChild(HWND dialog, int32_t id, UINT message, LPARAM argument) {
    return SendToControl(GetDlgItem(dialog, id), message, argument);
}

void LoadNewPuzzleBackground(NewPuzzleState& state) {
    state.background.LoadById(kNewPuzzleBackgroundId);
    DibImage title;
    if (!title.LoadById(kNewPuzzleTitleBase + App.LanguageIndex)) return;
    const Point size = title.GetSize();
    DibBlit(state.background.GetDib(), 0, 0, size.x, size.y, title.GetDib(), 0, 0, kRopSrcCopy);
}

namespace {

void CreateButtons(HWND dialog, NewPuzzleState& state) {
    state.acceptImage.LoadById(kNewPuzzleAcceptImageId);
    HWND accept = CreateChild(dialog, kCommandButtonClass, kAcceptButtonAt, kAcceptButtonId, kShownChildStyle);
    SendToControl(accept, CM_SETDISABLEDFRAME, 1);
    SendToControl(accept, CM_SETBITMAP, PictureParam(state.acceptImage));

    state.cancelImage.LoadById(kNewPuzzleCancelImageId);
    HWND cancel = CreateChild(dialog, kCommandButtonClass, kCancelButtonAt, kCancelButtonId, kShownChildStyle);
    SendToControl(cancel, CM_SETBITMAP, PictureParam(state.cancelImage));

    state.viewImage.LoadById(kNewPuzzleViewImageId);
    HWND view = CreateChild(dialog, kAnimationClass, kViewButtonAt, kViewButtonId, kShownChildStyle);
    SendToControl(view, ANM_SETFRAMEROWS, kViewButtonRows);
    SendToControl(view, ANM_SETFRAMECOLUMNS, kViewButtonColumns);
    SendToControl(view, CM_SETBITMAP, PictureParam(state.viewImage));

    state.helpImage.LoadById(kNewPuzzleHelpImageId);
    HWND help = CreateChild(dialog, kAnimationClass, kHelpButtonAt, kHelpButtonId, kShownChildStyle);
    SendToControl(help, ANM_SETFRAMEROWS, kHelpButtonRows);
    SendToControl(help, ANM_SETINTERVAL, kHelpButtonIntervalMs);
    SendToControl(help, CM_SETBITMAP, PictureParam(state.helpImage));
}

// A radio box of a group: the tabs and the categories.
void CreateRadioBox(HWND dialog, DibImage& image, uint32_t imageId, POINT at, int32_t id, bool shown, bool checked) {
    image.LoadById(imageId);
    HWND box = CreateChild(dialog, kCheckBoxClass, at, id, shown ? kShownChildStyle : kHiddenChildStyle);
    SendToControl(box, CHK_SETRADIO, 1);
    if (checked) SendToControl(box, CHK_SETCHECK, 1);
    SendToControl(box, CM_SETBITMAP, PictureParam(image));
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
    SendToControl(scroller, SCR_SETTOPHEIGHT, zones[0]);
    SendToControl(scroller, SCR_SETMIDDLEHEIGHT, zones[1]);
    SendToControl(scroller, SCR_SETBOTTOMHEIGHT, zones[2]);
    SendToControl(scroller, CM_SETBITMAP, PictureParam(image));
    return scroller;
}

void CreateScrollers(HWND dialog, NewPuzzleState& state) {
    state.valueScrollerImage.LoadById(kValueScrollerImageId);
    state.pictureScrollerImage.LoadById(kPictureScrollerImageId);
    // The size scroller keeps the scroller's own range, 0 to 100 in steps of 5.
    CreateScroller(dialog, kValueScrollerAt, kSizeScrollerId, kValueScrollerZones, state.valueScrollerImage, false);

    HWND count = CreateScroller(dialog, kValueScrollerAt, kCountScrollerId, kValueScrollerZones,
                                state.valueScrollerImage, false);
    SendToControl(count, SCR_SETVALUE, kCountScrollerStartValue);
    SendToControl(count, SCR_SETSTEP, 1);
    SendToControl(count, SCR_SETDRAGTHRESHOLD, kCountDragThreshold);

    HWND shape = CreateScroller(dialog, kValueScrollerAt, kShapeScrollerId, kValueScrollerZones,
                                state.valueScrollerImage, false);
    SendToControl(shape, SCR_SETMAX, kPieceShapeCount - 1);
    SendToControl(shape, SCR_SETSTEP, 1);
    SendToControl(shape, SCR_SETVALUE, 0);
    SendToControl(shape, SCR_SETDRAGTHRESHOLD, kShapeDragThreshold);

    CreateScroller(dialog, kPictureScrollerAt, kPictureScrollerId, kPictureScrollerZones, state.pictureScrollerImage,
                   App.NewPuzzlePage == kPicturePage);
}

void CreateSizeButtons(HWND dialog, NewPuzzleState& state) {
    state.fitImage.LoadById(kFitButtonImageId);
    HWND fit = CreateChild(dialog, kAnimationClass, kFitButtonAt, kFitButtonId, kHiddenChildStyle);
    SendToControl(fit, ANM_SETFRAMEROWS, kSizeButtonRows);
    SendToControl(fit, CM_SETBITMAP, PictureParam(state.fitImage));

    state.actualSizeImage.LoadById(kActualSizeButtonImageId);
    HWND actual = CreateChild(dialog, kAnimationClass, kActualSizeButtonAt, kActualSizeButtonId, kHiddenChildStyle);
    SendToControl(actual, ANM_SETFRAMEROWS, kSizeButtonRows);
    SendToControl(actual, CM_SETBITMAP, PictureParam(state.actualSizeImage));
}

void CreateShapeDisplay(HWND dialog, NewPuzzleState& state) {
    state.shapeDisplayImage.LoadById(kShapeDisplayImageId);
    HWND display = CreateChild(dialog, kAnimationClass, kShapeDisplayAt, kShapeDisplayId, kHiddenChildStyle);
    SendToControl(display, ANM_SETFRAMECOLUMNS, kPieceShapeCount);
    SendToControl(display, CM_SETBITMAP, PictureParam(state.shapeDisplayImage));
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

}  // namespace

// A text control refuses an empty text; the window's own text says the same, for tools that
// read windows (screen readers, tests).
void SetCountText(HWND dialog, int32_t index, const char* value) {
    HWND text = GetDlgItem(dialog, kFirstCountTextId + index);
    if (text == nullptr || value[0] == '\0') return;
    SendToControl(text, TXT_SETTEXT, reinterpret_cast<LPARAM>(value));
    SetWindowTextA(text, value);
    InvalidateRect(text, nullptr, FALSE);
}

namespace {

// Disabled texts ignore the mouse and draw in their disabled colour: black labels, red numbers.
void CreateCountTexts(HWND dialog, const NewPuzzleState& state) {
    for (int32_t index = 0; index < kCountTextCount; ++index) {
        const POINT at{kCountTextX, kCountTextTop + kCountTextPitch * index};
        HWND text = CreateChild(dialog, kTextControlClass, at, kFirstCountTextId + index, kHiddenChildStyle);
        const bool label = index % 2 == 0;
        SendToControl(text, CM_SETENABLED, 0);
        SendToControl(text, TXT_SETDISABLEDCOLOR, label ? kLabelColour : kNumberColour);
        SendToControl(text, TXT_SETWEIGHT, kCountTextWeight);
        SendToControl(text, TXT_SETFONTHEIGHT, kCountTextFontHeight);
        SendToControl(text, TXT_SETFACE, reinterpret_cast<LPARAM>(kTextFace));
        SendToControl(text, CM_SETBITMAP, PictureParam(state.background));
        char value[kCountLabelCapacity] = "0";
        if (label) LoadLanguageString(kCountLabelBase[static_cast<size_t>(index / 2)], value, kCountLabelCapacity);
        SetCountText(dialog, index, value);
    }
}

}  // namespace

void BuildNewPuzzleChildren(HWND dialog, NewPuzzleState& state) {
    CreateButtons(dialog, state);
    CreateTabsAndCategories(dialog, state);
    CreateSizeButtons(dialog, state);
    CreateScrollers(dialog, state);
    CreateShapeDisplay(dialog, state);
    CreatePreviewBoxes(dialog, state);
    CreateZoomPicker(dialog);
    CreatePieceCountPicker(dialog, &state.background);
    CreateCountTexts(dialog, state);
}

// --- Pages ------------------------------------------------------------------------------------

namespace {

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

}  // namespace

// The piece-count texts say something only while a picture is open.
void ShowCountTexts(HWND dialog) {
    const bool shown = App.NewPuzzlePage == kPieceCountPage && Board.Puzzle.picture.IsOpen();
    for (int32_t index = 0; index < kCountTextCount; ++index)
        ShowChild(GetDlgItem(dialog, kFirstCountTextId + index), shown);
}

void ShowPageChildren(HWND dialog, const NewPuzzleState& state) {
    const int32_t page = App.NewPuzzlePage;
    for (const PagedChild& child : kPagedChildren)
        ShowChild(GetDlgItem(dialog, child.id),
                  child.page == page && (!child.shippedCategoryOnly || OnShippedCategory()));
    if (state.ownPicturePage) ShowOwnPicturePage(page == kPicturePage && App.PictureCategory == kOwnPictureCategory);
    ShowChild(App.ZoomPickerWindow, page == kSizePage);
    ShowChild(App.PieceCountPickerWindow, page == kPieceCountPage);
    ShowCountTexts(dialog);
}
