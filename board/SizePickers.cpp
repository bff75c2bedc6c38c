// What the size pickers share; see SizePickers.h.
#include "board/SizePickers.h"

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/PieceCountPicker.h"
#include "board/ZoomPicker.h"
#include "engine/ScaleRules.h"
#include "platform/WindowKind.h"

namespace {

void ShowPickerCursor(HWND picker, int id) {
    HCURSOR cursor = LoadResourceCursor(App.Instance, id);
    SetClassLongPtrA(picker, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    SetCursor(cursor);
}

}  // namespace

Point BoardAreaInPlay() { return Point{App.BoardAreaWidth, App.BoardAreaHeight}; }

void ChoosePictureInPickers() {
    ChoosePictureScale(Board.Puzzle, Board.Scale, BoardAreaInPlay());
    ReloadZoomPickerPreview();
    ReloadPieceCountPickerPreview();
    InvalidatePickers();
}

void FitPictureInPickers() {
    FitPictureScale(Board.Puzzle, Board.Scale);
    InvalidatePickers();
}

void ActualSizeInPickers() {
    ActualPictureSize(Board.Puzzle, Board.Scale);
    InvalidatePickers();
}

void SetZoomInPickers(int32_t percent) {
    SetZoomPercentage(Board.Puzzle, Board.Scale, percent);
    InvalidatePickers();
}

void SetPieceCountInPickers(int32_t position) {
    SetPieceCountPosition(Board.Puzzle, Board.Scale, position);
    InvalidatePickers();
}

void InvalidatePickers() {
    for (HWND picker : {App.ZoomPickerWindow, App.PieceCountPickerWindow})
        if (picker != nullptr) InvalidateRect(picker, nullptr, FALSE);
}

void BeginPickerDrag(HWND picker) {
    SetCapture(picker);
    ShowPickerCursor(picker, kPickerHeldCursorId);
}

void EndPickerDrag(HWND picker) {
    if (GetCapture() == picker) ReleaseCapture();
    ShowPickerCursor(picker, kPickerCursorId);
}
