// PuzzleDocument: the one puzzle in play. It holds the grid and the sizes the cutter chose,
// the image of every cut piece, the piece records, the stacking order of the seven surfaces
// and the play status, and it owns the reader of the picture the puzzle was cut from.
// Subsystem 4 reads and writes its fields directly; the operations here are the ones that
// must keep the stacks consistent: moving stack entries, moving pieces between surfaces,
// relabelling groups and clearing the game.
//
// The stacks of the seven surfaces are slices of one array, the OrderBuffer, in surface
// order: box 0's stack first, the board's last, each from its topmost piece down. A
// surface's stackStart is where its slice begins, so stackStart(s + 1) = stackStart(s) +
// count(s) and the counts add up to the piece count.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/BmpFileReader.h"
#include "engine/BoardChanges.h"
#include "engine/BoxNames.h"
#include "engine/CutWorkspace.h"
#include "engine/LargeBlock.h"
#include "engine/Piece.h"
#include "engine/PieceShapes.h"
#include "engine/Surface.h"

// Piece numbers in stacking order, all seven stacks concatenated.
using OrderBuffer = std::vector<uint32_t>;
// 32-bit image of every cut piece, bottom-up rows: blue, green, red, inside flag (1 = the
// pixel belongs to the piece; 0 = transparent, with blue, green and red 0 as well). It lives
// in a large block of its own (LargeBlock.h), not zeroed: the cutter writes every byte.
using PieceAtlas = std::vector<uint8_t, LargeBlockAllocator<uint8_t>>;

struct PuzzleDocument {
    // Grid and sizes, chosen by the pickers and the cutter.
    int32_t rows = 0;
    int32_t cols = 0;
    double scale = 0.0;     // picture pixels to board pixels
    double fitScale = 0.0;  // scale at which the whole picture fits the board
    double minScale = 0.0;  // scale at which the picture's smaller side is 135 pixels
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int32_t marginX = 0;  // room for the tabs on each side of a cell
    int32_t marginY = 0;
    int32_t pieceWidth = 0;  // cellWidth + 2 * marginX
    int32_t pieceHeight = 0;
    uint32_t templateRows = 0;
    uint32_t templateCols = 0;
    uint32_t templateId = 0;

    // The arrays of a cut puzzle, all empty when there is none.
    PieceAtlas atlas;
    int32_t atlasWidth = 0;           // pixels: pieceWidth * cols
    int32_t atlasHeightMinusOne = 0;  // for the bottom-up row arithmetic
    std::vector<Piece> pieces;        // indexed by piece number = row * cols + column
    OrderBuffer order;
    // Work arrays of the surface painter, pieceCount entries each; they carry nothing from
    // one paint to the next. (Stack moves rotate in place and need none.)
    std::array<std::vector<uint32_t>, 3> paintScratch;
    // Which pixels of each piece image belong to the piece, for the painter.
    PieceShapes shapes;
    // The cut's work buffers, kept with the arrays above from one game to the next.
    CutWorkspace cutWork;

    std::array<Surface, kSurfaceCount> surfaces;
    // The captions of the six boxes; they outlive games (a new game keeps them, a loaded one
    // brings its own).
    BoxNames boxNames = DefaultBoxNames();

    // Play status.
    uint32_t hintsUsed = 0;
    uint32_t ElapsedSeconds = 0;
    uint8_t solved = 0;
    uint8_t dirty = 0;
    uint8_t ClockArmed = 0;      // the clock starts on the next piece pick-up
    uint8_t ClockPaused = 0;     // while set, the clock's ticks are ignored
    uintptr_t ClockTimerId = 0;  // the running 1-second timer, 0 when none runs

    // The picture the puzzle was cut from; a picture counts as loaded while it is open.
    BmpFileReader picture;

    // Pieces of the cut puzzle (0 when there is none).
    int32_t PieceCount() const { return static_cast<int32_t>(order.size()); }

    // Allocates the piece records, the OrderBuffer, the painter's arrays (pieceCount entries
    // each) and an atlas of atlasBytes bytes, all zeroed, replacing any previous ones. On
    // failure (a count below 1 or memory exhausted) every one of them is left empty.
    // Counts and stacks are left to the caller, and so are the shapes: the painter indexes
    // them from the atlas when it first finds them missing (PieceShapes.h).
    bool AllocateArrays(int32_t pieceCount, size_t atlasBytes);
    // Every piece on the board in number order: OrderBuffer[n] = n, the boxes empty.
    void PutAllPiecesOnBoard();
    // Sets every stackStart from the counts (box 0 at the start of the OrderBuffer).
    void RestackFromCounts();
    // The first entry of a surface's stack.
    uint32_t* Stack(int surface) { return order.data() + surfaces[static_cast<size_t>(surface)].stackStart; }
    // True when counts, stack starts and OrderBuffer agree: counts not negative and adding
    // up to the piece count, each stack behind the previous, every piece exactly once.
    bool StacksAreConsistent() const;
    // The surface's slice lies inside the OrderBuffer (it always does unless a loaded file was
    // damaged); the rules check it before they index a stack.
    bool StackReadable(int surface) const;

    // Moves `count` entries at `source` so that they start at `destination`, shifting the
    // entries in between by `count` places; positions index the OrderBuffer. False, with
    // nothing moved, when either range runs past the buffer.
    bool MoveStackEntries(int32_t source, int32_t count, int32_t destination);
    // Moves the top `count` entries of surface `from` to the top of surface `to`, keeping
    // their order, and moves the stack starts of the surfaces in between. Records the notice
    // for `to`'s parent when it received its first pieces and for `from`'s when it became
    // empty. False, with nothing changed, for equal or invalid surfaces or a count the source
    // does not hold.
    bool MoveTopEntries(int from, int to, int32_t count, BoardChanges& changes);
    // Gives `piece`'s group the label `newLabel`: every piece on `surface` carrying the
    // piece's current label takes the new one; a loose piece simply takes it.
    void RelabelGroup(int surface, uint32_t piece, uint32_t newLabel);

    // Ends the game: frees the arrays and the cut's work buffers, empties every surface (a notice for the parent of
    // each that held pieces), closes the picture and disarms the clock. What the windows then do: stop the clock,
    // reload the magnifier, show the arrow cursor and, with redraw, repaint every surface and show 00:00:00. rows and
    // cols keep their values.
    BoardChanges ClearGame(bool redraw);
    // True only for a cut puzzle that changed since it was started, loaded or saved and is
    // not solved.
    bool HasUnsavedChanges() const { return !atlas.empty() && dirty == 1 && solved == 0; }

private:
    void ReleaseArrays();
};
