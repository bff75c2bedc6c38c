#include "platform/Help.h"

#include <shellapi.h>

#include "app/AppGlobals.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"

AppString HelpPagePath() {
    AppString path = ProgramPath("Help\\");
    path.AppendInt(static_cast<int32_t>(App.LanguageIndex));
    path.Append("\\Index.htm");
    return path;
}

void OpenHelp(HWND owner) {
    // The help sound plays whatever the sound switch says: its slot holds the current language.
    PlayEffect(SoundSlot(kHelpSoundBase));
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
