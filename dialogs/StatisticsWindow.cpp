#include "dialogs/StatisticsWindow.h"

#include <new>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "controls/ControlProtocol.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "engine/DibBlit.h"
#include "engine/LanguageIds.h"
#include "engine/PuzzleStats.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr WPARAM kEnterKey = 13;
constexpr WPARAM kEscapeKey = 27;
constexpr COLORREF kFiguresColour = RGB(255, 0, 0);
constexpr COLORREF kShadowColour = RGB(0, 0, 0);

struct StatisticsState {
    DibImage background;
    DibImage okImage;  // first the title of the language, then the button's strip
    HWND okButton = nullptr;
    BackgroundDrag drag;
};

StatisticsState* StateOf(HWND window) { return WindowStateOf<StatisticsState>(window); }

std::string LanguageText(uint32_t base) {
    char text[kStatisticsTextCapacity] = {};
    LoadLanguageString(base, text, kStatisticsTextCapacity);
    return text;
}

void BuildStatisticsChildren(HWND window, StatisticsState& state) {
    if (state.okImage.LoadById(kStatisticsTitleBase + App.LanguageIndex)) {
        DibBlit(state.background.GetDib(), kStatisticsTitleAt.x, kStatisticsTitleAt.y, kStatisticsTitleSize.x,
                kStatisticsTitleSize.y, state.okImage.GetDib(), 0, 0, kRopSrcCopy);
    }
    state.okImage.LoadById(kStatisticsOkImageId);
    state.okButton = CreateDialogButton(window, kStatisticsOkAt, state.okImage.GetDib());
}

LRESULT OnCreateStatistics(HWND window) {
    StatisticsState* state = AttachWindowState<StatisticsState>(window);
    if (state == nullptr) return -1;
    if (!state->background.LoadById(kStatisticsBackgroundId)) {
        FreeWindowState<StatisticsState>(window);
        return -1;
    }
    const Point size = state->background.GetSize();
    FitDialogToBackground(window, size.x, size.y);
    BuildStatisticsChildren(window, *state);
    PauseClock();
    return 0;
}

void DrawFigures(HDC dc, const std::string& text, RECT box, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), -1, &box, DT_NOCLIP);
}

void OnPaintStatistics(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const StatisticsState* state = StateOf(window);
    DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
              ps.rcPaint.bottom - ps.rcPaint.top, state->background.GetDib(), ps.rcPaint.left, ps.rcPaint.top);
    uint32_t pieces = 0, percentage = 0, score = 0;
    PuzzleStats(Board.Puzzle, &pieces, &percentage, &score);
    std::string text;
    try {
        text = StatisticsText(pieces, percentage, score);
    } catch (const std::bad_alloc&) {
        text.clear();
    }
    GdiObject<HFONT> font(CreateFontA(kStatisticsFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      "Comic Sans MS"));
    {
        SelectedObject selected(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        DrawFigures(dc, text, kStatisticsShadowRect, kShadowColour);
        DrawFigures(dc, text, kStatisticsTextRect, kFiguresColour);
    }
    EndPaint(window, &ps);
}

void OnStatisticsCommand(HWND window, UINT code) {
    if (code == CN_CLICKED) {
        PlayClickSound();
        SendMessageA(window, WM_CLOSE, 0, 0);
    } else if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    }
}

// Enter closes the window wherever the focus is; so does Escape, as in every other box.
LRESULT OnStatisticsChar(HWND window, WPARAM key) {
    if (key != kEnterKey && key != kEscapeKey) return 0;
    SendMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}

void OnCloseStatistics(HWND window) {
    if (App.PlayScreenWindow != nullptr) SetForegroundWindow(App.PlayScreenWindow);
    DestroyWindow(window);
}

void OnDestroyStatistics() {
    if (App.PlayScreenWindow != nullptr) EnableWindow(App.PlayScreenWindow, TRUE);
    ResumeClock();
}

LRESULT OnQueryNewPaletteStatistics(HWND window) {
    const StatisticsState* state = StateOf(window);
    if (state->okButton != nullptr) SendMessageA(state->okButton, WM_QUERYNEWPALETTE, 0, 0);
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

LRESULT CALLBACK StatisticsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateStatistics(window);
        case WM_PAINT: OnPaintStatistics(window); return 0;
        case NotifyParentMessage: OnStatisticsCommand(window, static_cast<UINT>(wParam)); return 0;
        case WM_CHAR:
        case ChildCharMessage: return OnStatisticsChar(window, wParam);
        case WM_LBUTTONDOWN: StartBackgroundDrag(window, StateOf(window)->drag); return 0;
        case WM_MOUSEMOVE: FollowBackgroundDrag(window, StateOf(window)->drag); return 0;
        case WM_LBUTTONUP: EndBackgroundDrag(StateOf(window)->drag); return 0;
        case WM_CAPTURECHANGED:
            OnDragCaptureChanged(window, StateOf(window)->drag, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteStatistics(window);
        case WM_CLOSE: OnCloseStatistics(window); return 0;
        case WM_DESTROY: OnDestroyStatistics(); return 0;
        case WM_NCDESTROY: FreeWindowState<StatisticsState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

std::string StatisticsText(uint32_t pieces, uint32_t percentage, uint32_t score) {
    return LanguageText(kPieceCountStringBase) + std::to_string(pieces) + "\n" + LanguageText(kPercentageStringBase) +
           std::to_string(percentage) + "%\n" + LanguageText(kScoreStringBase) + std::to_string(score);
}

bool RegisterStatisticsWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kStatisticsWindowClass, StatisticsWindowProc, kOwnDcStyle);
}

HWND OpenStatistics() {
    HWND playScreen = App.PlayScreenWindow;
    if (playScreen != nullptr) EnableWindow(playScreen, FALSE);
    // Placed and sized to its background on WM_CREATE, before it is first shown.
    HWND window = CreateWindowExA(0, kStatisticsWindowClass, "", kDialogStyle, 0, 0, 0, 0, playScreen, nullptr,
                                  App.Instance, nullptr);
    if (window == nullptr && playScreen != nullptr) EnableWindow(playScreen, TRUE);
    return window;
}
