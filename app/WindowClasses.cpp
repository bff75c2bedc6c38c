#include "app/WindowClasses.h"

#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "board/BoxWindow.h"
#include "board/PictureMagnifier.h"
#include "board/PieceCountPicker.h"
#include "board/PuzzleSurface.h"
#include "board/ZoomPicker.h"
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
    {"CWNDMENSAJE", nullptr},
    {"CWNDVIDEO", nullptr},
    {"CWNDBACK", RegisterPlayScreenClass},
    {"CWNDBARRAHER", RegisterToolStripClass},
    {"CWNDHerramientas", RegisterToolsPanelClass},
    {"CWNDBARRAOPC", nullptr},
    {"CWNDOPCIONES", nullptr},
    {"CWNDBOX", RegisterBoxClass},
    {"CWNDPUZZLE", RegisterPuzzleSurfaceClass},
    {"CWNDIMAGECANT", RegisterPieceCountPickerClass},
    {"CWNDIMAGETAM", RegisterZoomPickerClass},
    {"CWNDPREVLUPA", RegisterPictureMagnifierClass},
    {"CWNDMUSICA", nullptr},
    {"CWNDHONOR", nullptr},
    {"CWNDMNUARCH", nullptr},
    {"CWNDNEW", nullptr},
    {"CWNDPREVCUSTOM", nullptr},
    {"CWNDPREVFS", nullptr},
    {"CWNDPREVIEW", nullptr},
    {"CWNDFILE", nullptr},
    {"CWNDFELIZ", nullptr},
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
