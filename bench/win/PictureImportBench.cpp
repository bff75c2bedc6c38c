// How long the import of a player's photo takes on Wine: a 12-megapixel camera photo (4000 x
// 3000) as JPEG, as JPEG turned by its EXIF orientation (read in bands of columns), and as PNG,
// each decoded into a .bmp in a scratch folder. Prints the median of a few imports and the
// photo's megapixels per second; a measurement, never a test.
//
//   scripts/wine-run.sh build/win64/bench/win/bench_picture_import.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/BinaryFile.h"
#include "platform/PictureImport.h"
#include "tests/win/PhotoTestSupport.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kRuns = 3;

// A smooth photo-like picture: colour ramps across and down with a ripple, so that the
// encoders have real work to do.
uint32_t PhotoPixel(int x, int y) {
    const auto r = static_cast<uint32_t>(x * 255 / kWidth);
    const auto g = static_cast<uint32_t>(y * 255 / kHeight);
    const auto b = static_cast<uint32_t>(((x / 7) ^ (y / 5)) & 0xFF);
    return 0xFF000000u | r << 16 | g << 8 | b;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Turns a JPEG a quarter clockwise by an EXIF block right after its start marker.
bool AddTurn(const std::string& path) {
    BinaryFile in;
    if (!in.OpenRead(path.c_str())) return false;
    std::vector<uint8_t> jpeg(static_cast<size_t>(in.Size()));
    if (!in.ReadExact(jpeg.data(), jpeg.size())) return false;
    in.Close();
    const std::vector<uint8_t> app1 = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                                       1,    0,    0x12, 0x01, 3,   0,   1,   0,   0, 0, 6,   0,   0,  0, 0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    BinaryFile out;
    return out.CreateWrite(path.c_str()) && out.WriteAll(jpeg.data(), jpeg.size());
}

void Measure(const char* what, const std::string& photo, const std::string& folder) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const PictureImportResult result = ImportPicture(photo.c_str(), folder);
        QueryPerformanceCounter(&end);
        if (result.status != PictureImportStatus::Imported) {
            std::printf("%-14s import failed (%d)\n", what, static_cast<int>(result.status));
            return;
        }
        seconds.push_back(Seconds(start, end));
        DeleteFileA(result.path.c_str());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("%-14s %7.0f ms  %5.1f Mpx/s\n", what, median * 1000.0, kWidth * double{kHeight} / 1e6 / median);
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "vexla_import_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(base.c_str(), nullptr);
    const std::string folder = base + "\\MyPictures\\";
    const std::string jpeg = base + "\\Photo.jpg", turned = base + "\\Turned.jpg", png = base + "\\Photo.png";
    if (!phototest::WritePhoto(jpeg, GUID_ContainerFormatJpeg, kWidth, kHeight, PhotoPixel) ||
        !phototest::WritePhoto(turned, GUID_ContainerFormatJpeg, kWidth, kHeight, PhotoPixel) || !AddTurn(turned) ||
        !phototest::WritePhoto(png, GUID_ContainerFormatPng, kWidth, kHeight, PhotoPixel)) {
        std::printf("could not make the photos\n");
        return 1;
    }
    std::printf("import of a %d x %d photo, median of %d\n", kWidth, kHeight, kRuns);
    Measure("JPEG", jpeg, folder);
    Measure("JPEG turned", turned, folder);
    Measure("PNG", png, folder);
    for (const std::string& path : {jpeg, turned, png}) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(base.c_str());
    return 0;
}
