#include "app/StartUp.h"

#include "app/AppGlobals.h"
#include "app/LowColourDialog.h"
#include "app/MessageLoop.h"
#include "app/PlayScreen.h"
#include "app/ModuleFolder.h"
#include "app/WindowClasses.h"
#include "controls/ControlClasses.h"
#include "gfx/GdiHandles.h"

namespace {
constexpr uint32_t kEnglish = 1;
}

bool DisplayHasTooFewColours() {
    ScreenDC screen;
    return GetDeviceCaps(screen.get(), BITSPIXEL) < kMinimumBitsPerPixel;
}

void FillModuleFolder() {
    GetModuleFileNameA(App.Instance, App.ModuleFolder.Buffer(), static_cast<DWORD>(App.ModuleFolder.Capacity()));
    App.ModuleFolder.Recount();
    TrimToFolder(App.ModuleFolder);
}

int RunProgram(HINSTANCE instance) {
    App.Instance = instance;
    // Every run starts in English; no stored language is read.
    App.LanguageIndex = kEnglish;

    if (DisplayHasTooFewColours()) {
        ShowLowColourMessage(kLowColourStringBase + App.LanguageIndex);
    } else {
        RegisterControlClasses(instance);
        FillModuleFolder();
        // The INI file has no folder in its name, so it lies in the Windows directory.
        WritePrivateProfileStringA(kIniSection, "App", App.ModuleFolder.Text(), kIniFile);
        RegisterWindowClasses(instance);
        OpenResourcePack((App.ModuleFolder + kPackFile).Text());
        App.MinimiseButtonImage.LoadById(kMinimiseButtonImageId);
        App.CloseButtonImage.LoadById(kCloseButtonImageId);
        // No introductory clip and no way into the game from the main menu yet: the game
        // opens straight on the play screen.
        OpenPlayScreen();
    }

    const WPARAM exitCode = RunMessageLoop();
    CloseResourcePack();
    return static_cast<int>(exitCode);
}
