#include "engine/WallpaperBmp.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "engine/BinaryFile.h"
#include "engine/PackedDib.h"
#include "engine/PictureFit.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kHeadersBytes = kFileHeaderBytes + sizeof(BitmapInfoHeader);  // 54
constexpr char kTemporarySuffix[] = ".tmp";

void PutLittleEndian32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

bool BuildWallpaperBmp(BmpFileReader& picture, Point screen, std::vector<uint8_t>* out) noexcept {
    BitmapInfoHeader header{};
    if (out == nullptr || !picture.GetHeader(&header)) return false;
    const Point fitted = FitKeepingProportions({header.biWidth, header.biHeight}, screen);
    // A positive height asks the reader for bottom-up rows, whatever order the file keeps.
    const size_t imageBytes = picture.ScaledImageBytes(fitted.x, fitted.y);
    if (imageBytes == 0) return false;
    const uint32_t paletteEntries = picture.PaletteSize();
    const size_t pixelOffset = kHeadersBytes + 4 * static_cast<size_t>(paletteEntries);
    if (imageBytes > UINT32_MAX - pixelOffset) return false;  // bfSize is 32 bits
    const size_t fileBytes = pixelOffset + imageBytes;

    std::vector<uint8_t> bytes;
    std::vector<RgbQuad> palette;
    try {
        bytes.resize(fileBytes);
        palette.resize(paletteEntries);
    } catch (const std::bad_alloc&) {
        return false;
    }
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian32(&bytes[2], static_cast<uint32_t>(fileBytes));
    PutLittleEndian32(&bytes[10], static_cast<uint32_t>(pixelOffset));  // reserved fields stay 0

    header.biWidth = fitted.x;
    header.biHeight = fitted.y;
    header.biSizeImage = static_cast<uint32_t>(imageBytes);
    std::memcpy(&bytes[kFileHeaderBytes], &header, sizeof header);
    if (paletteEntries != 0) {
        if (!picture.ReadPalette(0, paletteEntries, palette.data())) return false;
        std::memcpy(&bytes[kHeadersBytes], palette.data(), 4 * static_cast<size_t>(paletteEntries));
    }
    if (!picture.ReadScaled(fitted.x, fitted.y, &bytes[pixelOffset], imageBytes)) return false;
    *out = std::move(bytes);
    return true;
}

bool WriteWallpaperBmp(const char* path, BmpFileReader& picture, Point screen) noexcept {
    if (path == nullptr || path[0] == '\0') return false;
    try {
        std::vector<uint8_t> bytes;
        if (!BuildWallpaperBmp(picture, screen, &bytes)) return false;
        const std::string temporary = std::string(path) + kTemporarySuffix;
        BinaryFile file;
        if (!file.CreateWrite(temporary.c_str())) return false;
        const bool complete = file.WriteAll(bytes.data(), bytes.size()) && file.Flush();
        file.Close();
        if (complete && BinaryFile::Replace(temporary.c_str(), path)) return true;
        BinaryFile::Remove(temporary.c_str());
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
