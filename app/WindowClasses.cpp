#include "app/WindowClasses.h"

#include "app/HiddenPicture.h"
#include "app/LanguageChangeWindow.h"
#include "app/LanguagePanel.h"
#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "app/VideoWindow.h"
#include "board/BoxWindow.h"
#include "board/PuzzleSurface.h"
#include "dialogs/Congratulation.h"
#include "dialogs/HallOfHonour.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/TimerWindow.h"

namespace {

struct WindowKind {
    const char* className;
    bool (*registerClass)(HINSTANCE);  // null until that window kind exists
};

// The order in which start-up registers the classes. A kind whose window is not built yet
// keeps its place with no function.
constexpr WindowKind kWindowKinds[] = {
    {"CWNDFILEMAN", nullptr},
    {"CWNDPRINC", RegisterMainMenuClass},
    {"CWNDMENSAJE", RegisterMessageWindowClass},
    {"CWNDVIDEO", RegisterVideoWindowClass},
    {"CWNDBACK", RegisterPlayScreenClass},
    {"CWNDBARRAHER", RegisterToolStripClass},
    {"CWNDHerramientas", RegisterToolsPanelClass},
    {"CWNDBARRAOPC", nullptr},
    {"CWNDOPCIONES", nullptr},
    {"CWNDBOX", RegisterBoxClass},
    {"CWNDPUZZLE", RegisterPuzzleSurfaceClass},
    {"CWNDIMAGECANT", nullptr},
    {"CWNDIMAGETAM", nullptr},
    {"CWNDPREVLUPA", nullptr},
    {"CWNDMUSICA", nullptr},
    {"CWNDHONOR", RegisterHallOfHonourClass},
    {"CWNDMNUARCH", nullptr},
    {"CWNDNEW", nullptr},
    {"CWNDPREVCUSTOM", nullptr},
    {"CWNDPREVFS", nullptr},
    {"CWNDPREVIEW", nullptr},
    {"CWNDFILE", nullptr},
    {"CWNDFELIZ", RegisterCongratulationClass},
    {"CWNDCAMBIDIOMA", RegisterLanguageChangeClass},
    {"CWNDABOUTPRODUC", nullptr},
    {"CWNDCAJASPROD", nullptr},
    {"CWNDIDIOMAPRINCIPAL", RegisterLanguagePanelClass},
    {"CWNDVENTANATIMER", RegisterTimerWindowClass},
    {"CWNDESTAD", nullptr},
    {"CWNDSECRETO", RegisterHiddenPictureClass},
};

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
    for (const WindowKind& kind : kWindowKinds) {
        if (kind.registerClass != nullptr) kind.registerClass(instance);
    }
}
