#include "app/WindowClasses.h"

#include "app/HiddenPicture.h"
#include "app/LanguageChangeWindow.h"
#include "app/LanguagePanel.h"
#include "app/MainMenu.h"
#include "app/OptionsBar.h"
#include "app/OptionsPanel.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "app/ToolsPanel.h"
#include "app/VideoWindow.h"
#include "board/BoxWindow.h"
#include "board/PictureMagnifier.h"
#include "board/PieceCountPicker.h"
#include "board/PuzzleSurface.h"
#include "board/ZoomPicker.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Congratulation.h"
#include "dialogs/FileMenu.h"
#include "dialogs/FileWindow.h"
#include "dialogs/FolderTree.h"
#include "dialogs/HallOfHonour.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/MusicWindow.h"
#include "dialogs/NewPuzzleDialog.h"
#include "dialogs/PicturePreview.h"
#include "dialogs/PreviewBox.h"
#include "dialogs/StatisticsWindow.h"
#include "dialogs/TimerWindow.h"

namespace {

struct WindowKind {
    const char* className;
    bool (*registerClass)(HINSTANCE);  // null until that window kind exists
};

// The order in which start-up registers the classes. A kind whose window is not built yet
// keeps its place with no function.
constexpr WindowKind kWindowKinds[] = {
    {"CWNDFILEMAN", RegisterFolderTreeClass},
    {"CWNDPRINC", RegisterMainMenuClass},
    {"CWNDMENSAJE", RegisterMessageWindowClass},
    {"CWNDVIDEO", RegisterVideoWindowClass},
    {"CWNDBACK", RegisterPlayScreenClass},
    {"CWNDBARRAHER", RegisterToolStripClass},
    {"CWNDHerramientas", RegisterToolsPanelClass},
    {"CWNDBARRAOPC", RegisterOptionsBarClass},
    {"CWNDOPCIONES", RegisterOptionsPanelClass},
    {"CWNDBOX", RegisterBoxClass},
    {"CWNDPUZZLE", RegisterPuzzleSurfaceClass},
    {"CWNDIMAGECANT", RegisterPieceCountPickerClass},
    {"CWNDIMAGETAM", RegisterZoomPickerClass},
    {"CWNDPREVLUPA", RegisterPictureMagnifierClass},
    {"CWNDMUSICA", RegisterMusicWindowClass},
    {"CWNDHONOR", RegisterHallOfHonourClass},
    {"CWNDMNUARCH", RegisterFileMenuClass},
    {"CWNDNEW", RegisterNewPuzzleClass},
    {"CWNDPREVCUSTOM", RegisterCustomPreviewBoxClass},
    {"CWNDPREVFS", RegisterPreviewBoxClass},
    {"CWNDPREVIEW", RegisterPicturePreviewClass},
    {"CWNDFILE", RegisterFileWindowClass},
    {"CWNDFELIZ", RegisterCongratulationClass},
    {"CWNDCAMBIDIOMA", RegisterLanguageChangeClass},
    {"CWNDABOUTPRODUC", RegisterAboutWindowClass},
    {"CWNDCAJASPROD", nullptr},
    {"CWNDIDIOMAPRINCIPAL", RegisterLanguagePanelClass},
    {"CWNDVENTANATIMER", RegisterTimerWindowClass},
    {"CWNDESTAD", RegisterStatisticsWindowClass},
    {"CWNDSECRETO", RegisterHiddenPictureClass},
};

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
    for (const WindowKind& kind : kWindowKinds) {
        if (kind.registerClass != nullptr) kind.registerClass(instance);
    }
}
