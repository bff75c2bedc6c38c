// ScaleRules: how large the picture in play is shown on the board (scale) and into how many
// rows and columns it is cut. The new-puzzle dialog's buttons, sliders and the two size
// pickers call these rules, and so does board creation; they keep scale, rows and cols of the
// PuzzleDocument and the pickers' own fields (ScaleFields) consistent with each other.
//
// The zoom runs from minScale (the picture's smaller side is 135 board pixels, so that it can
// always be cut) up to twice the scale at which the picture fits the board. A picture so long
// and thin that twice its fitting scale does not even reach minScale has no zoom range at
// all: it is then shown at the one scale minScale, and the zoom reads 0 %. Every scale change
// resets the grid to the finest one whose cells are at least 45 pixels.
//
// A picture counts as loaded while the document's reader is open; without one the getters
// answer 1 and the setters change nothing.
#pragma once

#include <cstdint>

#include "engine/Geometry.h"
#include "engine/PuzzleDocument.h"

// The finest grid has cells of at least kFinestCell board pixels, the coarsest of about
// kCoarsestCell; never fewer than kFewestCells rows or columns.
constexpr double kFinestCell = 45.0;
constexpr double kCoarsestCell = 150.0;
constexpr int32_t kFewestCells = 2;
// minScale brings the picture's smaller side to this many board pixels.
constexpr double kSmallestPictureSide = 135.0;
// Board creation fits the picture into the board area less this margin on each side.
constexpr int32_t kBoardCreationMargin = 15;
// Piece sizes the piece-count picker offers, in board pixels.
constexpr int32_t kSmallestPieceSize = 45;
constexpr int32_t kLargestPieceSize = 150;
// A drag in the zoom picker along its whole diagonal changes the scale by 1 / this.
constexpr double kZoomDragSlowness = 200.0;

// The area the two pickers share in the new-puzzle dialog, and the magnifier's largest
// client area.
constexpr Point kPickerArea{240, 188};
constexpr Point kMagnifierArea{240, 180};

// What the pickers keep beside the PuzzleDocument's scale, rows and cols.
struct ScaleFields {
    // The grid when pieces are about 150 pixels: max(2, scaled side / 150).
    int32_t minCols = 0;
    int32_t minRows = 0;
    // Steps of the piece-count slider, from the coarsest grid (0) to the finest; set by every
    // scale change, with the columns and rows each step adds.
    int32_t countRange = 0;
    double colsPerStep = 0.0;
    double rowsPerStep = 0.0;
    // The piece size shown to the player; 45 after a scale change.
    int32_t shownPieceSize = 0;
    // Where the drags in the pickers started from.
    int32_t sizeAtPress = 0;
    double scaleAtPress = 0.0;
    // The board area fitted into the pickers' area: the zoom picker is a miniature board.
    double boardMiniScale = 0.0;
    int32_t boardMiniWidth = 0;
    int32_t boardMiniHeight = 0;
    // The previews of the picture chosen: the zoom picker's at the miniature's scale (drawn
    // scaled again by the picture's scale), the piece-count picker's fitted into the pickers'
    // area at countOffset.
    Point zoomPreviewSize;
    Point countPreviewSize;
    int32_t countOffsetX = 0;
    int32_t countOffsetY = 0;
};

// The factor that fits a picture into a box keeping its proportions: box width / picture
// width when the picture, made that wide, is no higher than the box, else box height /
// picture height. 0 for a picture or box without area.
double FitFactor(Point picture, Point box);
// `value` times the factor that fits `picture` into `box`, truncated and never below 1 x 1
// (a picture always has pixels to show, however thin it is). Worked out as value x box side /
// picture side, so that the side that fits is exactly the box's: the factor as a double can
// fall just short (947 x (240 / 947) is not 240 in doubles) and truncation would lose a pixel.
Point FitScaledSize(Point value, Point picture, Point box);
// The picture's size fitted into the box: FitScaledSize(picture, picture, box).
Point FittedPictureSize(Point picture, Point box);

// Width and height (without its sign) of the document's picture; 0 x 0 when none is loaded
// or its header gives no area.
Point LoadedPictureSize(const PuzzleDocument& doc);

// The zoom picker's miniature of a board area of `boardArea`.
void FitBoardMiniature(ScaleFields& fields, Point boardArea);

// The player chose a picture (already opened in the document's reader): it fits the board
// area (fitScale, and scale unless it has no zoom range), minScale follows from its smaller
// side, the grid is recomputed and the preview sizes are set. False, nothing changed, with
// no picture.
bool ChoosePictureScale(PuzzleDocument& doc, ScaleFields& fields, Point boardArea);
// Board creation: records the template values, fits the picture into the board area less
// the margin (scale and fitScale), sets minScale and recomputes. The board window then cuts
// on its first WM_SIZE. False, with only the template values recorded, with no picture.
bool PrepareBoardCreation(PuzzleDocument& doc,
                          ScaleFields& fields,
                          Point boardArea,
                          uint32_t templateRows,
                          uint32_t templateCols,
                          uint32_t templateId);
// After a scale change: the finest grid of cells of at least 45 pixels, the coarsest grid,
// the slider's steps, and a shown piece size of 45.
void RecomputeGrid(PuzzleDocument& doc, ScaleFields& fields);

// True when the picture has a zoom range: twice its fitting scale exceeds minScale.
bool HasZoomRange(const PuzzleDocument& doc);
// The fit command: scale = fitScale (minScale without a zoom range), then recompute.
bool FitPictureScale(PuzzleDocument& doc, ScaleFields& fields);
// The actual-size command: scale 1, kept inside the zoom range, then recompute.
bool ActualPictureSize(PuzzleDocument& doc, ScaleFields& fields);
// The zoom as a percentage of the range minScale (0) .. 2 x fitScale (100), truncated and
// kept within 0 .. 100; 0 without a zoom range, 1 with no picture.
int32_t ZoomPercentage(const PuzzleDocument& doc);
// Sets the zoom to `percent` (kept within 0 .. 100) of the range, then recomputes.
bool SetZoomPercentage(PuzzleDocument& doc, ScaleFields& fields, int32_t percent);

// The piece-count slider: position rows + cols - (minRows + minCols), range countRange (1
// with no picture).
int32_t PieceCountPosition(const PuzzleDocument& doc, const ScaleFields& fields);
int32_t PieceCountRange(const PuzzleDocument& doc, const ScaleFields& fields);
// Sets the grid for slider position `position` (kept within 0 .. countRange) and the piece
// size shown with it.
bool SetPieceCountPosition(PuzzleDocument& doc, ScaleFields& fields, int32_t position);

// A drag in the zoom picker: begun with the scale at the press; each move by `moved` pixels
// in a picker of `pickerSize` projects the move on the picker's diagonal (towards the bottom
// right enlarges) and sets the scale from it, kept within the zoom range. True when the
// scale changed (the grid is then recomputed).
void BeginZoomDrag(const PuzzleDocument& doc, ScaleFields& fields);
bool DragZoom(PuzzleDocument& doc, ScaleFields& fields, Point moved, Point pickerSize);
// A drag in the piece-count picker: begun with the shown piece size at the press; each move
// by `moved` pixels over a preview of `previewSize` gives a piece size of 45 .. 150 pixels
// and the grid of that cell size. True when rows or cols changed (the shown size then too).
void BeginPieceSizeDrag(ScaleFields& fields);
bool DragPieceSize(PuzzleDocument& doc, ScaleFields& fields, Point moved, Point previewSize);
