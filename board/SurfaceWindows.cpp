#include "board/SurfaceWindows.h"

#include <exception>
#include <string>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/BoxWindow.h"
#include "board/DragImages.h"
#include "board/GameClockTimer.h"
#include "board/PictureMagnifier.h"
#include "controls/ControlProtocol.h"
#include "engine/PieceAreas.h"
#include "engine/SurfacePainter.h"
#include "gfx/ResourcePackFile.h"
#include "platform/RandomUnit.h"
#include "platform/Sound.h"

namespace {

void SetStandardCursor(LPCSTR which) { SetCursor(LoadCursorA(nullptr, which)); }

void NotifySurfaceParent(int surface, SurfaceNotice notice) {
    if (HWND window = WindowOfSurface(surface)) NotifyParent(window, static_cast<UINT>(notice));
}

void HideBoxOf(int surface) {
    HWND window = WindowOfSurface(surface);
    HWND box = window != nullptr ? GetParent(window) : nullptr;
    if (box != nullptr) SetWindowPos(box, nullptr, 0, 0, 0, 0, kHideBoxFlags);
}

void ShowBoxNames() {
    static_assert(kBoxCount == kBoxWindowCount, "one name for each box window");
    for (int box = 0; box < kBoxCount; ++box) {
        if (App.BoxWindows[box] != nullptr)
            SetWindowTextA(App.BoxWindows[box], Board.Puzzle.boxNames[static_cast<size_t>(box)].data());
    }
}

}  // namespace

HWND WindowOfSurface(int surface) { return IsSurface(surface) ? Board.SurfaceWindows[surface] : nullptr; }

void SetWindowOfSurface(int surface, HWND window) {
    if (IsSurface(surface)) Board.SurfaceWindows[surface] = window;
}

int SurfaceOfWindow(HWND window) {
    if (window == nullptr || (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0) return -1;
    const int surface = SurfaceFromControlId(GetDlgCtrlID(window));
    return surface >= 0 && WindowOfSurface(surface) == window ? surface : -1;
}

void PaintSurface(int surface, const Rect& area, bool invalidate, bool skipTop) {
    if (!IsSurface(surface)) return;
    const Rect painted = PaintSurfaceRegion(Board.Puzzle, surface, area, skipTop, Board.BoardTexture.GetDib());
    HWND window = WindowOfSurface(surface);
    if (invalidate && window != nullptr && painted.width > 0 && painted.height > 0) {
        RECT r{painted.x, painted.y, painted.x + painted.width, painted.y + painted.height};
        InvalidateRect(window, &r, FALSE);
    }
}

void RepaintAllSurfaces() {
    for (int surface = 0; surface < kSurfaceCount; ++surface)
        PaintSurface(surface, SurfaceRect(Board.Puzzle, surface), true, false);
}

void ApplyBoardChanges(const BoardChanges& changes) {
    for (const AreaToRepaint& r : changes.repaints) PaintSurface(r.surface, r.area, r.invalidate, r.skipTop);
    if (changes.repaintAll) RepaintAllSurfaces();
    for (const SurfaceNoticeEvent& n : changes.notices) NotifySurfaceParent(n.surface, n.notice);
    for (int box = 0; box < kBoxCount; ++box)
        if ((changes.boxesToHide & (1u << box)) != 0) HideBoxOf(box);
    if (changes.updateBoard)
        if (HWND board = WindowOfSurface(kBoardSurface)) UpdateWindow(board);
    if (changes.stopClock) KillClockTimer();
    if (changes.startClock) StartClockTimer();
    if (changes.clockAtZero) FormatElapsed(0, 0, 0, 0);
    if (changes.magnifierChanged) UpdateMagnifier();
    if (changes.arrowCursor) SetStandardCursor(IDC_ARROW);
    if (changes.restoreClock) RestoreStoredClock(Board.Puzzle.ElapsedSeconds, Board.Puzzle.solved != 0);
    if (changes.boxNamesChanged) ShowBoxNames();
    if (changes.joinSound) PlayClickSound();
    if (changes.completed) NotifySurfaceParent(kBoardSurface, SurfaceNotice::PuzzleCompleted);
}

CutEnvironment GameCutEnvironment() {
    CutEnvironment env;
    env.loadTemplate = [](uint32_t id) { return Pack.Read(id); };
    env.prepareDragImages = PrepareDragImages;
    env.randomUnit = RandomUnit;
    env.boardWidth = App.BoardAreaWidth;
    env.boardHeight = App.BoardAreaHeight;
    env.showWaitCursor = [] { SetStandardCursor(IDC_WAIT); };
    env.takeWarmBlocks = [] { return Board.CutMemory.Take(); };
    return env;
}

void StartCutWarmup(const char* readFrom) {
    const LargestCut largest = LargestCutOfBoard(App.BoardAreaWidth, App.BoardAreaHeight);
    try {
        Board.CutMemory.Start([largest, path = std::string(readFrom)](const std::atomic<bool>& stop) {
            return TouchCutBlocks(largest, &stop, path.empty() ? nullptr : path.c_str());
        });
    } catch (const std::exception&) {
        // No memory for the path: the first cut takes fresh memory, as it always could.
    }
}
