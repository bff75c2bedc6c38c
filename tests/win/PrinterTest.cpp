// The default printer and the printed page under Wine. The runner gives a test exactly the
// printers it asks for: none (Printer.*, run as win.PrinterTest), or with VEXLA_PRINTER=pdf a
// private CUPS queue "PDF" (PdfPrinter.* too, run by print-to-pdf.sh, which then reads the PDF
// that came out and checks the page).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "WinTestSupport.h"
#include "engine/BinaryFile.h"
#include "gfx/GdiHandles.h"
#include "platform/PicturePrinter.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

std::string RunnersPrinter() {
    const char* printer = std::getenv("VEXLA_PRINTER");
    return printer != nullptr && std::string(printer) == "pdf" ? "PDF" : "";
}

// A red 24-bit picture in a file of its own.
class PictureFile {
public:
    PictureFile() : path_(wintest::TempPath("print.bmp")) {
        BmpDescription d;
        d.width = 40;
        d.height = 30;
        d.bitCount = 24;
        d.pixel = [](int32_t, int32_t) { return 0xFF0000u; };
        const std::vector<uint8_t> bytes = BuildBmp(d);
        BinaryFile file;
        ok_ = file.CreateWrite(path_.c_str()) && file.WriteAll(bytes.data(), bytes.size());
    }
    ~PictureFile() { DeleteFileA(path_.c_str()); }
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;
    const char* path() const { return path_.c_str(); }
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

TEST(Printer, DefaultIsTheRunnersPrinter) {
    std::string name = "stale";
    EXPECT_EQ(DefaultPrinterExists(&name), !RunnersPrinter().empty());
    EXPECT_EQ(name, RunnersPrinter());
    EXPECT_EQ(DefaultPrinterExists(nullptr), !RunnersPrinter().empty());
}

// A device context that is not a printer refuses the document: nothing may be drawn on it.
TEST(Printer, RefusedDocumentDrawsNothing) {
    PictureFile picture;
    ASSERT_TRUE(picture.ok());
    wintest::PixelCanvas canvas(64, 64);
    canvas.Fill(255, 255, 255);
    EXPECT_FALSE(PrintPicture(canvas.dc(), picture.path()));
    for (int y = 0; y < 64; y += 7)
        for (int x = 0; x < 64; x += 7) ASSERT_EQ(canvas.Pixel(x, y), 0xFFFFFFu) << x << ", " << y;
}

TEST(Printer, RefusesMissingPrinterOrPicture) {
    PictureFile picture;
    ASSERT_TRUE(picture.ok());
    EXPECT_FALSE(PrintPicture(nullptr, picture.path()));
    wintest::PixelCanvas canvas(8, 8);
    EXPECT_FALSE(PrintPicture(canvas.dc(), nullptr));
}

// With the PDF printer. print-to-pdf.sh counts the jobs: the refused pictures must send none.
TEST(PdfPrinter, UnreadablePictureSendsNoJob) {
    std::string name;
    ASSERT_TRUE(DefaultPrinterExists(&name));
    const PrinterDeviceContext printer(name.c_str());
    ASSERT_TRUE(printer);
    const std::string missing = wintest::TempPath("missing.bmp");
    const std::string corrupt = wintest::TempPath("corrupt.bmp");
    {
        BinaryFile file;
        ASSERT_TRUE(file.CreateWrite(corrupt.c_str()) && file.WriteAll("BM not a picture", 16));
    }
    EXPECT_FALSE(PrintPicture(printer.get(), missing.c_str()));
    EXPECT_FALSE(PrintPicture(printer.get(), corrupt.c_str()));
    DeleteFileA(corrupt.c_str());
}

// The picture print-to-pdf.sh made (VEXLA_PRINT_PICTURE) goes out as one page.
TEST(PdfPrinter, PrintsThePicture) {
    const char* picture = std::getenv("VEXLA_PRINT_PICTURE");
    ASSERT_NE(picture, nullptr) << "print-to-pdf.sh names the picture";
    std::string name;
    ASSERT_TRUE(DefaultPrinterExists(&name));
    const PrinterDeviceContext printer(name.c_str());
    ASSERT_TRUE(printer);
    EXPECT_TRUE(PrintPicture(printer.get(), picture));
}

}  // namespace
