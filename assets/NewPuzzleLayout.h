// Where the new-puzzle dialog puts its children on its background, as the dialog's window
// places them, and the background's own regions that receive them. The painters of the
// dialog's bitmaps draw each child over the patch of background it covers.
#pragma once

#include "assets/Bitmap.h"

namespace newpuzzle {

constexpr int kDialogW = 552, kDialogH = 372;
constexpr int kBorder = 10;
// The title picture covers the top rows; its plate sits in the middle.
constexpr int kTitleH = 60;
constexpr int kTitlePlateW = 270, kTitlePlateH = 42;
constexpr int kTitlePlateX = (kDialogW - kTitlePlateW) / 2, kTitlePlateY = 10;
// The tabs stand on the work tray, which holds every page's children.
constexpr int kTabY = 62;
constexpr int kPictureTabX = 10, kShapeTabX = 148, kSizeTabX = 276, kPiecesTabX = 410;
constexpr int kTrayX = 12, kTrayY = 100, kTrayW = kDialogW - 2 * kTrayX, kTrayH = 193;
// The buttons stand on a shelf below the tray.
constexpr int kShelfY = 296;
constexpr int kHelpX = 111, kHelpY = 298;
constexpr int kViewX = 219, kViewY = 314;
constexpr int kAcceptX = 317, kAcceptY = 313;
constexpr int kCancelX = 456, kCancelY = 313;
// Page 0: the category boxes (the sixth, the player's own pictures, follows the five at the
// same spacing) and the picture scroller beside the preview boxes.
constexpr int kCategoryX = 37, kCategoryStep = 71, kCategoryY = 103;
constexpr int kPictureScrollerX = 500, kPictureScrollerY = 146;
// Pages 1 to 3: the scroller of the shape, size or count, the shape display, the fit and
// actual-size buttons.
constexpr int kScrollerX = 288, kScrollerY = 113;
constexpr int kShapeDisplayX = 110, kShapeDisplayY = 119;
constexpr int kFitX = 376, kFitY = 111;
constexpr int kActualX = 376, kActualY = 197;

}  // namespace newpuzzle

// The dialog's background with its English title, shared by the painters of its children.
const Bitmap& NewPuzzleBackground();
