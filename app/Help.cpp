#include "app/Help.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "app/AppGlobals.h"

namespace {

// Plays a WAVE resource of the executable from memory without waiting for it. Resources stay
// mapped for the life of the process, so the memory outlives the asynchronous playback.
void PlayWaveResourceAsync(UINT id) {
    HRSRC found = FindResourceA(App.Instance, MAKEINTRESOURCEA(id), "WAVE");
    if (found == nullptr) return;
    HGLOBAL loaded = LoadResource(App.Instance, found);
    const void* wave = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (wave != nullptr) PlaySoundA(static_cast<LPCSTR>(wave), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace

AppString HelpPagePath() {
    AppString path = App.ModuleFolder + "Help\\";
    path.AppendInt(static_cast<int32_t>(App.LanguageIndex));
    path.Append("\\Index.htm");
    return path;
}

void OpenHelp(HWND owner) {
    PlayWaveResourceAsync(kHelpSoundBase + App.LanguageIndex);
    AppString path = HelpPagePath();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // No error box from the shell when the page is missing: help fails silently.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = path.Text();
    info.nShow = SW_HIDE;
    if (ShellExecuteExA(&info) && info.hProcess != nullptr) CloseHandle(info.hProcess);
}
