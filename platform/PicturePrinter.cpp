#include "platform/PicturePrinter.h"

#include <winspool.h>

#include <new>
#include <vector>

#include "engine/PictureFit.h"
#include "gfx/DibImage.h"

namespace {

constexpr DWORD kPrinterInfoLevel = 5;

// The first printer the enumeration calls the default, or empty. Only entries the call says it
// returned are read.
std::string EnumeratedDefaultPrinter() {
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, kPrinterInfoLevel, nullptr, 0, &needed, &returned);
    if (needed < sizeof(PRINTER_INFO_5A)) return {};
    std::vector<BYTE> buffer(needed);
    returned = 0;
    if (!EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, kPrinterInfoLevel, buffer.data(), needed, &needed, &returned) ||
        returned < 1) {
        return {};
    }
    const auto* first = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
    return first->pPrinterName != nullptr ? first->pPrinterName : std::string();
}

std::string SystemDefaultPrinter() {
    DWORD size = 0;
    if (GetDefaultPrinterA(nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
    std::vector<char> name(size + 1, '\0');
    DWORD capacity = size;
    if (!GetDefaultPrinterA(name.data(), &capacity)) return {};
    return name.data();
}

// Draws the picture on the page already started; false when the printer refused it.
bool DrawCentred(HDC printer, const DibImage& picture, Rect placed, Point size) {
    SetStretchBltMode(printer, COLORONCOLOR);
    SetStretchBltMode(picture.GetDC(), COLORONCOLOR);
    return StretchBlt(printer, placed.x, placed.y, placed.width, placed.height, picture.GetDC(), 0, 0, size.x, size.y,
                      SRCCOPY) != FALSE;
}

}  // namespace

bool DefaultPrinterExists(std::string* name) noexcept {
    try {
        std::string found = EnumeratedDefaultPrinter();
        if (found.empty()) found = SystemDefaultPrinter();
        const bool exists = !found.empty();
        if (name != nullptr) *name = std::move(found);
        return exists;
    } catch (const std::bad_alloc&) {
        if (name != nullptr) name->clear();
        return false;
    }
}

bool PrintPicture(HDC printer, const char* picturePath) noexcept {
    if (printer == nullptr || picturePath == nullptr) return false;
    try {
        // Read before anything goes to the printer, so an unreadable picture costs no sheet.
        DibImage picture(true);
        if (!picture.LoadFromFile(picturePath)) return false;
        const Point size = picture.GetSize();
        const Rect placed =
            PlaceOnPrintedPage(size, {GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)});
        if (placed.width == 0) return false;

        DOCINFOA document{};
        document.cbSize = sizeof document;
        document.lpszDocName = kPrintDocumentName;
        if (StartDocA(printer, &document) <= 0) return false;
        if (StartPage(printer) <= 0 || !DrawCentred(printer, picture, placed, size) || EndPage(printer) <= 0) {
            AbortDoc(printer);
            return false;
        }
        return EndDoc(printer) > 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
