#include "app/WindowClasses.h"

#include "app/MainMenu.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "dialogs/TimerWindow.h"
#include "puzzle/BoxWindow.h"
#include "puzzle/PuzzleSurface.h"

bool RegisterWindowKind(HINSTANCE instance, const char* className, WNDPROC procedure, UINT style,
                        bool blackBackground) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = blackBackground ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

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
    {"CWNDIMAGECANT", nullptr},
    {"CWNDIMAGETAM", nullptr},
    {"CWNDPREVLUPA", nullptr},
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
