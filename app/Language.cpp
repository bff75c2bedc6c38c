#include "app/Language.h"

#include "app/AppGlobals.h"
#include "app/LanguageIds.h"
#include "app/Sound.h"
#include "controls/ControlProtocol.h"

namespace {

void RecordLanguage() {
    const char digit[] = {LanguageDigit(App.LanguageIndex), '\0'};
    WritePrivateProfileStringA(kLanguageIniSection, kLanguageIniKey, digit, kLanguageIniFile);
}

// The old menu is destroyed only once every box shows the new one.
void ReloadBoxMenu() {
    HMENU menu = LoadMenuA(App.Instance, MAKEINTRESOURCEA(kBoxMenuBase + App.LanguageIndex));
    for (HWND box : App.BoxWindows)
        if (box != nullptr) SetMenu(box, menu);
    if (App.BoxMenu != nullptr) DestroyMenu(App.BoxMenu);
    App.BoxMenu = menu;
}

void ReloadNewGameButton() {
    App.NewGameButtonImage.LoadById(kNewGameButtonImageBase + App.LanguageIndex);
    if (App.NewGameButton != nullptr)
        SendMessageA(App.NewGameButton, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(App.NewGameButtonImage.GetDib()));
}

void ReloadMagnifierCaption() {
    char caption[kPreviewCaptionCapacity];
    LoadLanguageString(kPreviewStringBase, caption, kPreviewCaptionCapacity);
    if (App.MagnifierWindow != nullptr) SetWindowTextA(App.MagnifierWindow, caption);
}

}  // namespace

int LoadLanguageString(uint32_t base, char* buffer, int capacity) {
    if (buffer == nullptr || capacity < 1) return 0;
    buffer[0] = '\0';
    return LoadStringA(App.Instance, base + App.LanguageIndex, buffer, capacity);
}

void ApplyLanguage() {
    if (!IsLanguage(App.LanguageIndex)) return;
    RecordLanguage();
    LocateSpokenSounds();
    if (App.PlayScreenWindow == nullptr) return;
    ReloadBoxMenu();
    ReloadNewGameButton();
    ReloadMagnifierCaption();
}
