#include "app/WindowClasses.h"

#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
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
    {"CWNDVIDEO", nullptr},
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
    {"CWNDCAMBIDIOMA", nullptr},
    {"CWNDABOUTPRODUC", nullptr},
    {"CWNDCAJASPROD", nullptr},
    {"CWNDIDIOMAPRINCIPAL", nullptr},
    {"CWNDVENTANATIMER", RegisterTimerWindowClass},
    {"CWNDESTAD", nullptr},
    {"CWNDSECRETO", nullptr},
};

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
    for (const WindowKind& kind : kWindowKinds) {
        if (kind.registerClass != nullptr) kind.registerClass(instance);
    }
}
