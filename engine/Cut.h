// Cut: turns the open picture into a puzzle. It sizes the pieces from the picture, the
// scale and the grid of the PuzzleDocument, builds the PieceAtlas from a shape template
// repeated over the grid, and for a new game deals the pieces out on the board.
//
// What the cut needs from the Windows side comes in through CutEnvironment, so that the
// whole cut runs natively in tests and benchmarks with a template, a random source and a
// board size of their own. Everything that can fail for a reason other than memory is
// checked before anything of the puzzle in play is touched: a cut that fails for a missing
// picture, a picture too small, a missing or malformed template, a screen format the drag
// cannot draw in or a picture that cannot be read leaves the puzzle as it was (only the
// template values it was asked for are recorded). A cut that runs out of memory ends the
// game: it frees what it allocated and clears the game with redraw.
//
// The new puzzle is built in the memory of the old one and in the work buffers the last cut
// left (the puzzle keeps both, see KeptBuffer.h): a new game of a similar size touches no
// fresh memory, which on the largest puzzles costs more than the cut's own work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/CutWarmup.h"
#include "engine/PackedDib.h"
#include "engine/PuzzleDocument.h"

// The buffers a cut allocates, in the order it allocates them.
enum class CutBuffer {
    PictureHeader,  // header and 256 palette entries of the picture
    PictureColumnMap,
    PictureRowMap,
    TemplateColumnMap,
    TemplateRowMap,
    PictureRows,
    Atlas,
    Pieces,
    Order,
    PainterScratch,  // three of them
    BuilderRows,     // the atlas builder's work rows
    PieceShapes,     // the shape of every piece, for the painter
};

// Installs drag images prepared for a cut; called only when the cut succeeds.
using DragImagesInstaller = std::function<void()>;

struct CutEnvironment {
    // The template bitmap with this pack identifier, or null when there is none.
    std::function<std::unique_ptr<PackedDib, PackedDibDeleter>(uint32_t id)> loadTemplate;
    // Prepares the drag images for pieces of this size, without replacing those in use;
    // returns an empty function when the screen's pixel format is not one the drag can draw
    // in. Unset: no drag images are made.
    std::function<DragImagesInstaller(int32_t pieceWidth, int32_t pieceHeight)> prepareDragImages;
    // Pseudo-random numbers in [0, 1) for dealing.
    std::function<double()> randomUnit;
    // Size of the board window, over which the pieces are dealt.
    int32_t boardWidth = 0;
    int32_t boardHeight = 0;
    std::function<void()> showWaitCursor;
    // Asked before each buffer is allocated; returning false makes that allocation fail as
    // if memory were short. Unset: every allocation is attempted.
    std::function<bool(CutBuffer buffer, uint64_t bytes)> allocationGate;
    // The blocks a warm-up prepared ahead of the first cut (CutWarmup.h), asked for once the
    // cut is sure to go ahead; the puzzle's arrays that have no memory yet take them over.
    // Unset: the cut takes its memory as it comes.
    std::function<WarmCutBlocks()> takeWarmBlocks;
};

struct CutResult {
    bool ok = false;
    // What the windows then do: stop the clock, reload the magnifier, show 00:00:00 for a
    // dealt game, and always the arrow cursor again; a cut that ran out of memory also
    // cleared the game (its changes).
    BoardChanges changes;
};

// Cuts the open picture of `doc` with the templateRows x templateCols template `templateId`.
// With deal, a new game starts: every piece lies loose on the board at a random place in a
// random stacking order, and the play status is reset. Without (loading a puzzle file), the
// piece records are fresh and stacks and counts are left for the loader.
CutResult Cut(PuzzleDocument& doc,
              const CutEnvironment& env,
              int32_t templateRows,
              int32_t templateCols,
              uint32_t templateId,
              bool deal);

// The new-puzzle dialog's entry: a dealt cut with a 2 x 2 template, then every surface
// repainted in full, whatever the cut's result.
CutResult CutAndShow(PuzzleDocument& doc, const CutEnvironment& env, uint32_t templateId);
