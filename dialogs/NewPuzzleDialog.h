// The new-puzzle dialog (CWNDNEW): the movable pop-up over the play screen in which the player
// sets up the next game. Four tabs choose its page: the picture (five categories of shipped
// pictures, shown four at a time with a scroller), the piece shape, the size of the picture on
// the board and the number of pieces (each with its picker and a scroller). Accept cuts the
// chosen picture with the chosen shape and deals it; cancel leaves the board as it is.
//
// Every change goes straight to the puzzle in play: the chosen picture is opened in its
// picture reader and the scale rules keep its size and grid, so that accept only has to cut.
// The play screen is disabled and the game clock paused while the dialog is open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/CutFirstBoard.h"
#include "engine/Geometry.h"

constexpr char kNewPuzzleClass[] = "CWNDNEW";

// Pack images of the dialog (the language-dependent ones are bases plus the language index).
constexpr uint32_t kNewPuzzleBackgroundId = 572;
constexpr uint32_t kNewPuzzleTitleBase = 2140;
constexpr uint32_t kNewPuzzleAcceptImageId = 563;
constexpr uint32_t kNewPuzzleCancelImageId = 565;
constexpr uint32_t kNewPuzzleViewImageId = 577;
constexpr uint32_t kNewPuzzleHelpImageId = 564;
constexpr uint32_t kFitButtonImageId = 580;
constexpr uint32_t kActualSizeButtonImageId = 581;
constexpr uint32_t kValueScrollerImageId = 579;
constexpr uint32_t kPictureScrollerImageId = 578;
constexpr uint32_t kShapeDisplayImageId = 583;

// The pages, in the order of their tabs.
enum NewPuzzlePageIndex : int32_t {
    kPicturePage = 0,
    kShapePage = 1,
    kSizePage = 2,
    kPieceCountPage = 3,
    kNewPuzzlePageCount = 4,
};

// Shipped picture categories: the folders Image\0\ to Image\4\ below the program folder.
// The sixth category holds the player's own pictures, chosen anywhere on disk.
constexpr int32_t kShippedCategoryCount = 5;
constexpr int32_t kOwnPictureCategory = 5;
constexpr int32_t kCategoryCount = 6;
constexpr uint32_t kOwnPictureCategoryImageId = 568;
// The six piece shapes: templates kFirstShapeTemplateId + 0 .. 5, each cut over a 2 x 2 grid.
constexpr int32_t kPieceShapeCount = kShapeTemplateChoices;
// Preview boxes on the picture page.
constexpr int32_t kPreviewBoxCount = 4;

// Control identifiers: tabs 100 + page, category boxes 200 + category, preview boxes
// 300 + box; the others are the dialog's own, so that each child can be found by its number.
constexpr int32_t kFirstTabId = 100;
constexpr int32_t kFirstCategoryId = 200;
constexpr int32_t kFirstPreviewBoxId = 300;
constexpr int32_t kAcceptButtonId = 1;
constexpr int32_t kCancelButtonId = 2;
constexpr int32_t kViewButtonId = 3;
constexpr int32_t kHelpButtonId = 4;
constexpr int32_t kFitButtonId = 5;
constexpr int32_t kActualSizeButtonId = 6;
constexpr int32_t kSizeScrollerId = 10;
constexpr int32_t kCountScrollerId = 11;
constexpr int32_t kShapeScrollerId = 12;
constexpr int32_t kPictureScrollerId = 13;
constexpr int32_t kShapeDisplayId = 14;
// Texts of the piece-count page: labels 0, 2, 4 and the numbers 1 (rows), 3 (columns) and
// 5 (pieces).
constexpr int32_t kFirstCountTextId = 20;
constexpr int32_t kCountTextCount = 6;

// Keys the dialog answers.
constexpr WPARAM kAcceptKey = 13;  // Enter
constexpr WPARAM kCancelKey = 27;  // Escape

bool RegisterNewPuzzleClass(HINSTANCE instance);

// Opens the dialog over the play screen, centred on the screen, with the play screen disabled
// until the dialog closes; the dialog already open when there is one. Null, with the play
// screen usable, when it cannot be made.
HWND OpenNewPuzzleDialog();

// The folder of a picture category, ending in a backslash.
std::string PictureCategoryFolder(int32_t category);

// Where the picture scroller's range lets the first box start for a list of `count` names:
// never past the last name, so that the first box always shows a picture of a list that has
// one.
int32_t LastFirstShownPicture(int32_t count);
