#include "app/Language.h"

#include <windows.h>

#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "engine/LanguageIds.h"
#include "platform/Sound.h"

namespace {

void RecordLanguage() {
    const char digit[] = {LanguageDigit(App.LanguageIndex), '\0'};
    WritePrivateProfileStringA(kLanguageIniSection, kLanguageIniKey, digit, kLanguageIniFile);
}

}  // namespace

void ApplyLanguage() {
    if (!IsLanguage(App.LanguageIndex)) return;
    RecordLanguage();
    LocateSpokenSounds();
    if (App.PlayScreenWindow != nullptr) ApplyLanguageToPlayScreen();
}
