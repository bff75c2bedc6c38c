#include "engine/BoardChanges.h"

namespace {

bool HasArea(const Rect& r) { return r.width > 0 && r.height > 0; }

}  // namespace

void BoardChanges::Repaint(int surface, const Rect& area, bool invalidate, bool skipTop) {
    if (HasArea(area)) repaints.push_back(AreaToRepaint{surface, area, invalidate, skipTop});
}

void BoardChanges::RepaintPair(int surface, const Rect& a, const Rect& b) {
    if (HasArea(a) && HasArea(b)) {
        const RectCombination both = CombineRects(a, b, kRectUnion);
        if (both.overlap) {
            Repaint(surface, both.rect);
            return;
        }
    }
    Repaint(surface, a);
    Repaint(surface, b);
}

void BoardChanges::Notify(int surface, SurfaceNotice notice) { notices.push_back(SurfaceNoticeEvent{surface, notice}); }

void BoardChanges::HideBox(int box) {
    if (box >= 0 && box < kBoxCount) boxesToHide |= 1u << box;
}

void BoardChanges::Append(const BoardChanges& later) {
    repaints.insert(repaints.end(), later.repaints.begin(), later.repaints.end());
    notices.insert(notices.end(), later.notices.begin(), later.notices.end());
    boxesToHide |= later.boxesToHide;
    repaintAll = repaintAll || later.repaintAll;
    updateBoard = updateBoard || later.updateBoard;
    joinSound = joinSound || later.joinSound;
    completed = completed || later.completed;
    startClock = startClock || later.startClock;
    stopClock = stopClock || later.stopClock;
    clockAtZero = clockAtZero || later.clockAtZero;
    magnifierChanged = magnifierChanged || later.magnifierChanged;
    arrowCursor = arrowCursor || later.arrowCursor;
    boxNamesChanged = boxNamesChanged || later.boxNamesChanged;
    restoreClock = restoreClock || later.restoreClock;
}
