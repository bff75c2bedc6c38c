#include "app/CompletionSequence.h"

#include <string>

#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "board/BoardGlobals.h"
#include "dialogs/HallOfHonour.h"
#include "dialogs/MessageWindow.h"
#include "engine/LanguageIds.h"
#include "gfx/GdiHandles.h"
#include "platform/DesktopWallpaper.h"
#include "platform/PicturePrinter.h"

namespace {

constexpr size_t kPicturePathCapacity = 260;

// The default printer's device context, open from before the print question until its answer,
// so that the question is asked only when the printer really opens.
PrinterDeviceContext g_printer;

bool AskPrintQuestion() {
    std::string name;
    if (!DefaultPrinterExists(&name)) return false;
    g_printer = PrinterDeviceContext(name.c_str());
    if (!g_printer) return false;
    if (AskUser(kPrintStringBase, App.PlayScreenWindow, PrintStep, 0) != nullptr) return true;
    g_printer.reset();
    return false;
}

}  // namespace

void AskWallpaperQuestion() {
    if (AskUser(kWallpaperStringBase, App.PlayScreenWindow, WallpaperStep, 0) == nullptr) WallpaperStep(false);
}

void WallpaperStep(bool answer) {
    ResumePlay();
    if (answer) SetPictureAsWallpaper(Board.Puzzle.picture, Point{App.ScreenWidth, App.ScreenHeight});
    if (!AskPrintQuestion()) QualifyForHonour();
}

void PrintStep(bool answer) {
    if (answer && g_printer) {
        char path[kPicturePathCapacity] = "";
        Board.Puzzle.picture.GetName(path, sizeof path);
        PrintPicture(g_printer.get(), path);
    }
    g_printer.reset();
    QualifyForHonour();
}
