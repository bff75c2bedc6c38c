// Writes a puzzle file one drop from completion with the game's own cutter and saver, for the
// end-to-end tests of the completion sequence:
//
//   AlmostDoneGame <pack> <picture.bmp> <out.vpf>
//
// The picture is cut into 2 x 2 pieces at half the scale that fits the board; pieces 0 to 2
// lie joined in their solved places in the middle of the board and piece 3 lies loose, on top,
// near the board's top-left corner. Prints "fromX fromY toX toY": the middle of piece 3 and
// the middle of its place, in screen coordinates of the full-screen play screen.
#include <windows.h>

#include <cstdio>

#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "board/BoardGlobals.h"
#include "board/SurfaceWindows.h"
#include "engine/Cut.h"
#include "engine/PuzzleFile.h"
#include "engine/ScaleRules.h"
#include "engine/Solve.h"
#include "gfx/ResourcePackFile.h"

namespace {

constexpr int32_t kBoardLeft = 49;  // the board's place on the play screen
constexpr int32_t kBoardTop = 78;
constexpr int32_t kLoosePieceAt = 8;
constexpr uint32_t kTemplateId = 3000;

// The middle of a piece whose image's top-left is (x, y) on the board, on the screen.
POINT ScreenMiddle(const PuzzleDocument& doc, int32_t x, int32_t y) {
    return POINT{kBoardLeft + x + doc.marginX + doc.cellWidth / 2, kBoardTop + y + doc.marginY + doc.cellHeight / 2};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: AlmostDoneGame <pack> <picture.bmp> <out.vpf>\n");
        return 2;
    }
    App.Instance = GetModuleHandleA(nullptr);
    if (!Pack.Open(argv[1])) return 3;
    for (HWND& box : App.BoxWindows)
        box = CreateWindowExA(0, "STATIC", "Box", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, App.Instance, nullptr);

    PuzzleDocument& doc = Board.Puzzle;
    if (!doc.picture.Open(argv[2])) return 4;
    PrepareBoardCreation(doc, Board.Scale, Point{App.BoardAreaWidth, App.BoardAreaHeight}, 2, 2, kTemplateId);
    doc.scale = doc.fitScale / 2 > doc.minScale ? doc.fitScale / 2 : doc.minScale;
    doc.rows = 2;
    doc.cols = 2;
    Surface& board = doc.surfaces[kBoardSurface];
    board.clientWidth = App.BoardAreaWidth;
    board.clientHeight = App.BoardAreaHeight;
    if (!Cut(doc, GameCutEnvironment(), 2, 2, kTemplateId, true).ok) return 5;
    board.clientWidth = App.BoardAreaWidth;
    board.clientHeight = App.BoardAreaHeight;
    SolvePuzzle(doc);

    // Undo the last join: piece 3 loose and on top, the other three one group (label 3).
    doc.solved = 0;
    doc.ClockArmed = 1;
    Piece& last = doc.pieces[3];
    const POINT to = ScreenMiddle(doc, last.x, last.y);
    last.group = 0;
    last.x = kLoosePieceAt;
    last.y = kLoosePieceAt;
    for (int k = 0; k < 3; ++k) doc.pieces[static_cast<size_t>(k)].group = 3;
    doc.order = {3, 0, 1, 2};
    const POINT from = ScreenMiddle(doc, last.x, last.y);

    if (SaveGame(doc, argv[3], "") != SaveOutcome::Saved) return 6;
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(from.x), static_cast<long>(from.y), static_cast<long>(to.x),
                static_cast<long>(to.y));
    return 0;
}
