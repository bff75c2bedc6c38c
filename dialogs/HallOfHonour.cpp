#include "dialogs/HallOfHonour.h"

#include <array>
#include <cstdio>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/ControlProtocol.h"
#include "controls/TextControl.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/MessageWindow.h"
#include "engine/AppString.h"
#include "engine/PuzzleStats.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kChildCreateSize = 50;  // the controls size themselves

constexpr POINT kEraseButtonAt{288, 362};
constexpr int32_t kEraseButtonRows = 2;
constexpr int32_t kEraseButtonColumns = 5;
constexpr POINT kCloseButtonAt{492, 338};
constexpr int32_t kCloseButtonColumns = 3;
constexpr LPARAM kCloseButtonIntervalMs = 200;

constexpr int32_t kTitleTop = 0;
constexpr int32_t kTitleStartX = 143;
constexpr LPARAM kTitleFontHeight = 60;
// The longest title of the six languages has 18 characters; the whole of it is shown.
constexpr int kTitleCapacity = 40;

constexpr int32_t kFirstRowTop = 63;
constexpr int32_t kRowPitch = 25;
constexpr int32_t kPlaceColumnX = 30;
constexpr int32_t kNameColumnX = 60;
constexpr int32_t kScoreColumnX = 420;
constexpr LPARAM kRowFontHeight = 25;
constexpr LPARAM kRowShadowOffset = 1;
constexpr LPARAM kRowHoverWeight = FW_NORMAL;

constexpr COLORREF kShadowColour = RGB(0, 0, 0);
constexpr COLORREF kLabelColour = RGB(255, 0, 0);  // the colour of a text that is not interactive

// Move without resizing or reordering (0x205).
constexpr UINT kPlaceTitleFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER;

enum RowColumn : size_t { kPlaceColumn, kNameColumn, kScoreColumn, kRowColumns };

struct HallState {
    DibImage background;
    DibImage eraseImage;
    DibImage closeImage;
    HWND eraseButton = nullptr;
    HWND closeButton = nullptr;
    HWND title = nullptr;
    std::array<std::array<HWND, kRowColumns>, kRecordsCount> rows{};
    RecordsTable shown{};
    BackgroundDrag drag;
};

// The one hall (it disables the play screen, from where the only other way in lies) and the
// result waiting for its player's name.
HWND g_hall = nullptr;
int32_t g_pendingScore = 0;

HallState* StateOf(HWND hall) { return WindowStateOf<HallState>(hall); }

LRESULT Send(HWND control, UINT message, LPARAM argument) {
    return control != nullptr ? SendMessageA(control, message, 0, argument) : 0;
}

HWND CreateChild(HWND hall, const char* className, POINT at, int32_t id) {
    return CreateWindowExA(0, className, "", kChildStyle, at.x, at.y, kChildCreateSize, kChildCreateSize, hall,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.Instance, nullptr);
}

LPARAM PictureParam(const DibImage& image) { return reinterpret_cast<LPARAM>(image.GetDib()); }

// A text control refuses an empty text and would stay black: an empty name shows as a blank.
// The window's own text says the same, for tools that read windows (screen readers, tests).
void SetText(HWND text, const char* value) {
    Send(text, TXT_SETTEXT, reinterpret_cast<LPARAM>(value[0] != '\0' ? value : " "));
    if (text != nullptr) SetWindowTextA(text, value);
}

// A plain red label with a black shadow over the hall's background.
HWND CreateLabel(HWND hall,
                 const HallState& state,
                 POINT at,
                 LPARAM fontHeight,
                 const char* value,
                 bool row,
                 int32_t id = 0) {
    HWND label = CreateChild(hall, kTextControlClass, at, id);
    Send(label, CM_SETENABLED, 0);
    Send(label, TXT_SETSHADOW, 1);
    if (row) Send(label, TXT_SETOFFSET, kRowShadowOffset);
    Send(label, TXT_SETSHADOWCOLOR, kShadowColour);
    Send(label, TXT_SETDISABLEDCOLOR, kLabelColour);
    if (row) Send(label, TXT_SETHOVERWEIGHT, kRowHoverWeight);
    Send(label, TXT_SETFONTHEIGHT, fontHeight);
    Send(label, TXT_SETFACE, reinterpret_cast<LPARAM>(kTextFace));
    SetText(label, value);
    Send(label, CM_SETBITMAP, PictureParam(state.background));
    return label;
}

void ShowRow(HallState& state, int32_t row) {
    const RecordEntry& entry = state.shown.entries[row];
    char score[16];
    std::snprintf(score, sizeof score, "%ld", static_cast<long>(entry.score));
    SetText(state.rows[static_cast<size_t>(row)][kNameColumn], entry.name);
    SetText(state.rows[static_cast<size_t>(row)][kScoreColumn], score);
}

void ShowTable(HallState& state, const RecordsTable& table) {
    state.shown = table;
    for (int32_t row = 0; row < kRecordsCount; ++row) ShowRow(state, row);
}

void CreateButtons(HWND hall, HallState& state) {
    state.eraseImage.LoadById(kHonourEraseButtonImageId);
    state.eraseButton = CreateChild(hall, kAnimationClass, kEraseButtonAt, kHallEraseButtonId);
    Send(state.eraseButton, ANM_SETFRAMEROWS, kEraseButtonRows);
    Send(state.eraseButton, ANM_SETFRAMECOLUMNS, kEraseButtonColumns);
    Send(state.eraseButton, CM_SETBITMAP, PictureParam(state.eraseImage));

    state.closeImage.LoadById(kHallCloseButtonImageId);
    state.closeButton = CreateChild(hall, kAnimationClass, kCloseButtonAt, kHallCloseButtonId);
    Send(state.closeButton, ANM_SETFRAMECOLUMNS, kCloseButtonColumns);
    Send(state.closeButton, ANM_SETINTERVAL, kCloseButtonIntervalMs);
    Send(state.closeButton, CM_SETBITMAP, PictureParam(state.closeImage));
}

void CreateTitle(HWND hall, HallState& state) {
    char title[kTitleCapacity] = "";
    LoadLanguageString(kHallTitleStringBase, title, kTitleCapacity);
    state.title = CreateLabel(hall, state, POINT{kTitleStartX, kTitleTop}, kTitleFontHeight, title, false);
    RECT client{};
    if (state.title == nullptr || !GetClientRect(state.title, &client)) return;
    const int32_t left = (state.background.GetSize().x - client.right) / 2;
    SetWindowPos(state.title, nullptr, left, kTitleTop, 0, 0, kPlaceTitleFlags);
}

void CreateRows(HWND hall, HallState& state) {
    for (int32_t row = 0; row < kRecordsCount; ++row) {
        const int32_t top = kFirstRowTop + kRowPitch * row;
        char place[4];
        std::snprintf(place, sizeof place, "%d", static_cast<int>(row + 1));
        auto& controls = state.rows[static_cast<size_t>(row)];
        controls[kPlaceColumn] = CreateLabel(hall, state, POINT{kPlaceColumnX, top}, kRowFontHeight, place, true);
        controls[kNameColumn] = CreateLabel(hall, state, POINT{kNameColumnX, top}, kRowFontHeight,
                                            state.shown.entries[row].name, true, kHallNameIdBase + row);
        controls[kScoreColumn] =
            CreateLabel(hall, state, POINT{kScoreColumnX, top}, kRowFontHeight, "0", true, kHallScoreIdBase + row);
        ShowRow(state, row);
    }
}

LRESULT OnCreateHall(HWND hall) {
    HallState* state = AttachWindowState<HallState>(hall);
    if (state == nullptr) return -1;
    g_hall = hall;
    PauseClock();
    state->background.LoadById(kHallBackgroundId);
    state->shown = LoadRecords(RecordsPath().c_str()).table;
    CreateButtons(hall, *state);
    CreateTitle(hall, *state);
    CreateRows(hall, *state);
    return 0;
}

void OnPaintHall(HWND hall) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hall, &ps);
    if (const PackedDib* background = StateOf(hall)->background.GetDib()) {
        DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                  ps.rcPaint.bottom - ps.rcPaint.top, background, ps.rcPaint.left, ps.rcPaint.top);
    }
    EndPaint(hall, &ps);
}

// No confirmation: the file goes at once and the hall shows the default table.
void EraseTable(HallState& state) {
    const std::string path = RecordsPath();
    EraseRecords(path.c_str());
    ShowTable(state, LoadRecords(path.c_str()).table);
}

void OnHallCommand(HWND hall, HWND control, UINT code) {
    HallState& state = *StateOf(hall);
    if (control == state.closeButton) {
        if (code == CN_CLICKED) {
            PlayClickSound();
            SendMessageA(hall, WM_CLOSE, 0, 0);
        } else if (ButtonHoverStep(control, code)) {
            PlaySwitchedEffect(kHoverSound);
        }
    } else if (control == state.eraseButton) {
        if (code == CN_CLICKED)
            EraseTable(state);
        else if (SwingHoverStep(control, code))
            PlaySwitchedEffect(kHallOfHonourSound);
    }
}

void OnCloseHall(HWND hall) {
    if (App.PlayScreenWindow != nullptr) SetForegroundWindow(App.PlayScreenWindow);
    DestroyWindow(hall);
}

void OnDestroyHall(HWND hall) {
    if (g_hall == hall) g_hall = nullptr;
    if (App.PlayScreenWindow != nullptr) EnableWindow(App.PlayScreenWindow, TRUE);
    ResumeClock();
}

void OnPaletteMessage(HWND hall, UINT message, WPARAM wParam) {
    if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == hall) return;
    InvalidateRect(hall, nullptr, FALSE);
}

LRESULT CALLBACK HallProc(HWND hall, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(hall) == nullptr) return DefWindowProcA(hall, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateHall(hall);
        case WM_PAINT: OnPaintHall(hall); return 0;
        case NotifyParentMessage:
            OnHallCommand(hall, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_LBUTTONDOWN: StartBackgroundDrag(hall, StateOf(hall)->drag); return 0;
        case WM_MOUSEMOVE: FollowBackgroundDrag(hall, StateOf(hall)->drag); return 0;
        case WM_LBUTTONUP: EndBackgroundDrag(StateOf(hall)->drag); return 0;
        case WM_CAPTURECHANGED:
            OnDragCaptureChanged(hall, StateOf(hall)->drag, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED: OnPaletteMessage(hall, message, wParam); return 0;
        case WM_CLOSE: OnCloseHall(hall); return 0;
        case WM_DESTROY: OnDestroyHall(hall); return 0;
        case WM_NCDESTROY: FreeWindowState<HallState>(hall); return 0;
        default: return DefWindowProcA(hall, message, wParam, lParam);
    }
}

}  // namespace

std::string RecordsPath() { return std::string(App.ModuleFolder) + kRecordsFileName; }

bool RegisterHallOfHonourClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kHallOfHonourClass, HallProc, kOwnDcStyle);
}

HWND HallOfHonourWindow() { return g_hall; }

RecordsTable ShownRecords() {
    const HallState* state = g_hall != nullptr ? StateOf(g_hall) : nullptr;
    return state != nullptr ? state->shown : DefaultRecords();
}

HWND OpenHallOfHonour() {
    if (g_hall != nullptr) return g_hall;
    // The window takes the background's size as it is: the frame eats into the picture's edges,
    // which the picture leaves plain for that.
    DibImage background;
    background.LoadById(kHallBackgroundId);
    const Point size = background.GetSize();
    HWND owner = App.PlayScreenWindow;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND hall = CreateWindowExA(0, kHallOfHonourClass, "", kDialogStyle, (App.ScreenWidth - size.x) / 2,
                                (App.ScreenHeight - size.y) / 2, size.x, size.y, owner, nullptr, App.Instance, nullptr);
    // A window that was never made sends no WM_DESTROY: the play screen must not stay disabled.
    if (hall == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return hall;
}

int32_t SetPendingHonourResult(int32_t score) {
    g_pendingScore = score;
    return RankForScore(LoadRecords(RecordsPath().c_str()).table, score);
}

void EnterPendingResult(const char* name) {
    if (name == nullptr || name[0] == '\0') return;
    const AddedRecord added = AddRecord(RecordsPath().c_str(), name, g_pendingScore);
    if (HallState* state = g_hall != nullptr ? StateOf(g_hall) : nullptr) ShowTable(*state, added.table);
}

bool QualifyForHonour() {
    uint32_t total = 0;
    uint32_t percentage = 0;
    uint32_t score = 0;
    PuzzleStats(Board.Puzzle, &total, &percentage, &score);
    if (SetPendingHonourResult(static_cast<int32_t>(score)) >= kRecordsCount) return false;
    HWND hall = OpenHallOfHonour();
    return hall != nullptr && AskUser(kHonourNameStringBase, hall, SaveRecord, 1) != nullptr;
}

void SaveRecord(bool confirmed) {
    if (confirmed) EnterPendingResult(EnteredName.Text());
}
