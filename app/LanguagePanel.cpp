#include "app/LanguagePanel.h"

#include <array>

#include "app/AppGlobals.h"
#include "app/Language.h"
#include "app/MainMenu.h"
#include "controls/ControlProtocol.h"
#include "controls/TextControl.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

// "Español", "English", "Português", "Italiano", "Francais", "Deutsch" in code page 1252.
const char* const kLanguageNames[6] = {"Espa\xF1ol", "English", "Portugu\xEAs", "Italiano", "Francais", "Deutsch"};

namespace {

constexpr DWORD kPanelStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // hidden until asked for
constexpr DWORD kEntryStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kControlCreateSize = 50;

// The look of the six names.
constexpr COLORREF kEntryColour = 255;  // red
constexpr LPARAM kEntryFontHeight = 18;
constexpr LPARAM kEntryOffset = 1;
constexpr LPARAM kEntryWeight = 400;
constexpr LPARAM kEntryHoverWeight = 600;
// The card's wooden frame has round corners; the panel's window follows them so that the menu
// shows through where the card's picture is black.
constexpr int kCardCornerRadius = 12;

struct LanguagePanelState {
    DibImage background;
    std::array<HWND, kLanguageCount> entries{};
};

LanguagePanelState* StateOf(HWND panel) { return WindowStateOf<LanguagePanelState>(panel); }

HWND CreateEntry(HWND panel, const DibImage& background, int32_t index) {
    const Point at = LanguageEntryPosition(index);
    HWND entry =
        CreateWindowExA(0, kTextControlClass, "", kEntryStyle, at.x, at.y, kControlCreateSize, kControlCreateSize,
                        panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(index)), App.Instance, nullptr);
    if (entry == nullptr) return nullptr;
    SendMessageA(entry, TXT_SETSHADOW, 0, 1);
    SendMessageA(entry, TXT_SETCOLOR, 0, static_cast<LPARAM>(kEntryColour));
    SendMessageA(entry, TXT_SETFONTHEIGHT, 0, kEntryFontHeight);
    SendMessageA(entry, TXT_SETOFFSET, 0, kEntryOffset);
    SendMessageA(entry, TXT_SETFACE, 0, reinterpret_cast<LPARAM>(kTextFace));
    SendMessageA(entry, TXT_SETWEIGHT, 0, kEntryWeight);
    SendMessageA(entry, TXT_SETHOVERWEIGHT, 0, kEntryHoverWeight);
    SendMessageA(entry, TXT_SETTEXT, 0, reinterpret_cast<LPARAM>(kLanguageNames[index]));
    SendMessageA(entry, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(background.GetDib()));
    return entry;
}

LRESULT OnCreateLanguagePanel(HWND panel) {
    LanguagePanelState* state = AttachWindowState<LanguagePanelState>(panel);
    if (state == nullptr) return -1;
    state->background.LoadById(kLanguagePanelImageId);
    const Point size = state->background.GetSize();
    SetWindowPos(panel, nullptr, 0, 0, size.x, size.y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window owns the region once it is set; a region that cannot be made leaves the corners.
    HRGN card = CreateRoundRectRgn(0, 0, size.x + 1, size.y + 1, 2 * kCardCornerRadius, 2 * kCardCornerRadius);
    if (card != nullptr && SetWindowRgn(panel, card, FALSE) == 0) DeleteObject(card);
    for (int32_t i = 0; i < static_cast<int32_t>(kLanguageCount); ++i)
        state->entries[static_cast<size_t>(i)] = CreateEntry(panel, state->background, i);
    return 0;
}

int32_t EntryIndex(const LanguagePanelState& state, HWND control) {
    for (size_t i = 0; i < state.entries.size(); ++i)
        if (state.entries[i] == control) return static_cast<int32_t>(i);
    return -1;
}

// The new language reaches everything at once: the menu's play button, the spoken sounds, the
// play screen's texts and pictures if it exists, and the INI file.
void ChooseLanguage(int32_t index) {
    App.LanguageIndex = static_cast<uint32_t>(index);
    ShowMainMenuInLanguage();
    ApplyLanguage();
    HideMainMenuPanels();
}

void OnLanguagePanelCommand(HWND panel, HWND control, UINT code) {
    const int32_t index = EntryIndex(*StateOf(panel), control);
    if (index < 0) return;
    if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    } else if (code == CN_CLICKED) {
        PlayClickSound();
        ChooseLanguage(index);
    }
}

void OnPaintLanguagePanel(HWND panel) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    PaintFromBlock(dc, ps.rcPaint, StateOf(panel)->background.GetDib());
    EndPaint(panel, &ps);
}

LRESULT CALLBACK LanguagePanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(panel) == nullptr) return DefWindowProcA(panel, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateLanguagePanel(panel);
        case WM_PAINT: OnPaintLanguagePanel(panel); return 0;
        case NotifyParentMessage:
            OnLanguagePanelCommand(panel, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_NCDESTROY: FreeWindowState<LanguagePanelState>(panel); return 0;
        default: return DefWindowProcA(panel, message, wParam, lParam);
    }
}

}  // namespace

Point LanguageEntryPosition(int32_t entry) { return Point{212 - 3 * entry, 29 + 15 * entry}; }

bool RegisterLanguagePanelClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kLanguagePanelClass, LanguagePanelProc, kOwnDcStyle);
}

HWND CreateLanguagePanel(HWND menu, Point at) {
    return CreateWindowExA(0, kLanguagePanelClass, "", kPanelStyle, at.x, at.y, kControlCreateSize, kControlCreateSize,
                           menu, nullptr, App.Instance, nullptr);
}
