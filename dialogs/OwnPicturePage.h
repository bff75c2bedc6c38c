// The new-puzzle dialog's sixth category: the player's own pictures. In the place of the
// shipped pictures' four boxes and scroller it shows a folder tree (".bmp", JPEG and PNG files
// from the desktop and the drives, the game's imported-photo folder suggested) and the custom
// preview box of the picture chosen in it.
//
// Choosing a file in the tree imports it (platform/PictureImport: a JPEG or PNG photo becomes a
// .bmp in the game's own folder) and opens the result in the puzzle's picture reader. A file
// that cannot be imported or is refused by the reader gives the player a message and leaves
// the picture reader, the custom box and the dialog as they were.
#pragma once

#include <windows.h>

#include <string>

class DibImage;

// Creates the tree and the custom box, hidden, as children of `dialog`; `background` is the
// dialog's background bitmap (must outlive them). False when either cannot be made.
bool CreateOwnPicturePage(HWND dialog, const DibImage* background);
// Shows or hides the page's children (the dialog's layout step).
void ShowOwnPicturePage(bool shown);
// Handles a notice of one of the page's children. Answers true when the notice came from
// the page (whatever it did); `pictureChanged` is then set when a new picture was opened in
// the puzzle's picture reader, so that the dialog chooses it (pickers, counts, accept button).
bool HandleOwnPictureNotice(HWND control, UINT code, bool& pictureChanged);
// The .bmp last opened through the page (empty until one was), kept between openings of the
// dialog in one run.
const std::string& OwnPicturePath();
// The custom box (tests look at it), null while the page does not exist.
HWND OwnPictureBox();
