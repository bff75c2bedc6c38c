// Printing the picture in play: finding the default printer, and printing the picture as one
// page, centred, filling four fifths of the page in its limiting direction
// (engine/PictureFit.h). The caller opens the printer's device context
// (PrinterDeviceContext in gfx/GdiHandles.h) with the name found here, so that it can ask the
// player only when the printer really opens.
#pragma once

#include <windows.h>

#include <string>

// The name the spooler shows for the printed page.
constexpr char kPrintDocumentName[] = "Vexla Puzzle";

// Whether the system has a default printer; its name goes to `name` when one is given (and
// is cleared otherwise). Asks the printer enumeration for the default first, which only
// Windows 95, 98 and Me answer, then GetDefaultPrinterA, which NT-based Windows and Wine do.
bool DefaultPrinterExists(std::string* name) noexcept;

// Prints the .bmp file at `picturePath` on `printer` as one page. Nothing reaches the printer
// when the picture cannot be read, the printer reports no page size, or the document cannot be
// started; a page that fails once started is abandoned (AbortDoc) rather than sent half drawn.
// True only when the whole page went to the spooler.
bool PrintPicture(HDC printer, const char* picturePath) noexcept;
