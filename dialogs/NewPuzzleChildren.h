// The new-puzzle dialog's children: what the dialog owns, the child builder run on WM_CREATE
// (every child at its place with its picture and settings, hidden unless the first page shows
// it) and the page layout that shows each page's children and hides the others'.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "dialogs/BackgroundDrag.h"
#include "dialogs/NewPuzzleDialog.h"
#include "gfx/DibImage.h"
#include "gfx/NameList.h"

// What the dialog owns. The images outlive the children that show them: the block is freed on
// WM_NCDESTROY.
struct NewPuzzleState {
    DibImage background;
    DibImage acceptImage;
    DibImage cancelImage;
    DibImage viewImage;
    DibImage helpImage;
    std::array<DibImage, kNewPuzzlePageCount> tabImages;
    std::array<DibImage, kCategoryCount> categoryImages;
    DibImage fitImage;
    DibImage actualSizeImage;
    DibImage valueScrollerImage;
    DibImage pictureScrollerImage;
    DibImage shapeDisplayImage;
    NameList pictures;            // the .bmp names of the category shown
    bool ownPicturePage = false;  // the sixth category's page could be made
    BackgroundDrag drag;
};

// Sends a control message; 0 for a child that does not exist.
LRESULT SendToControl(HWND control, UINT message, LPARAM argument);
LRESULT SendToChild(HWND dialog, int32_t id, UINT message, LPARAM argument);

// The background with the title of the player's language drawn into it.
void LoadNewPuzzleBackground(NewPuzzleState& state);
// Creates every child of the dialog but the own-picture page (made before, so that the sixth
// category's box is made only with it), for the page and category in AppGlobals.
void BuildNewPuzzleChildren(HWND dialog, NewPuzzleState& state);

// Shows the children of the page in AppGlobals (and of its category) and hides the others.
void ShowPageChildren(HWND dialog, const NewPuzzleState& state);
// The piece-count texts, shown only on their page while a picture is open.
void ShowCountTexts(HWND dialog);
// Text `index` of the piece-count texts; an empty value is refused.
void SetCountText(HWND dialog, int32_t index, const char* value);
