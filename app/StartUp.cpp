#include "app/StartUp.h"

#include "app/AppGlobals.h"
#include "app/LowColourDialog.h"
#include "app/MainMenu.h"
#include "app/MessageLoop.h"
#include "app/SharedImages.h"
#include "app/VideoWindow.h"
#include "app/WindowClasses.h"
#include "board/SurfaceWindows.h"
#include "controls/ControlClasses.h"
#include "gfx/GdiHandles.h"
#include "gfx/ResourcePackFile.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"

namespace {
constexpr uint32_t kEnglish = 1;
}

bool DisplayHasTooFewColours() {
    ScreenDC screen;
    return GetDeviceCaps(screen.get(), BITSPIXEL) < kMinimumBitsPerPixel;
}

int RunProgram(HINSTANCE instance) {
    App.Instance = instance;
    // Every run starts in English; no stored language is read.
    App.LanguageIndex = kEnglish;

    if (DisplayHasTooFewColours()) {
        ShowLowColourMessage(kLowColourStringBase + App.LanguageIndex);
    } else {
        RegisterControlClasses(instance);
        FillModuleFolder(instance);
        // The INI file has no folder in its name, so it lies in the Windows directory.
        WritePrivateProfileStringA(kIniSection, "App", App.ModuleFolder, kIniFile);
        RegisterWindowClasses(instance);
        OpenResourcePack(ProgramPath(kPackFile).Text());
        Shared.MinimiseButtonImage.LoadById(kMinimiseButtonImageId);
        Shared.CloseButtonImage.LoadById(kCloseButtonImageId);
        // Every screen plays effect sounds, whichever of them comes first.
        LocateAllEffectSounds();
        // The introductory clip opens the main menu when it ends; without the clip the menu
        // opens at once, and without a menu there is nothing to run.
        if (!PlayVideo(nullptr) && CreateMainMenu() == nullptr) {
            PostQuitMessage(0);
        } else {
            // The first cut's memory is made ready while the clip plays or the player looks
            // at the menu; started only now, it takes nothing from the launch itself.
            StartCutWarmup(ProgramFile().Text());
        }
    }

    const WPARAM exitCode = RunMessageLoop();
    CloseResourcePack();
    return static_cast<int>(exitCode);
}
