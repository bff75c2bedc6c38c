// Test helpers for the .bmp reader: a builder of .bmp files from a description (pixel
// values from a function of the position, so expected results can be computed from the
// same function), and a scratch folder that disappears with the test.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "engine/BinaryFile.h"
#include "engine/BmpRowCopy.h"

struct BmpDescription {
    int32_t width = 4;
    int32_t height = 3;  // negative: stored top-down
    uint16_t bitCount = 8;
    uint32_t colorsUsed = 0;
    uint32_t paletteEntries = 0;   // entries written; 0 = what colorsUsed or the depth implies
    uint32_t infoHeaderSize = 40;  // bytes past 40 are written as zeros
    uint32_t gapBeforePixels = 0;
    bool pixelOffsetZero = false;  // leave the file header's pixel offset at 0
    uint32_t compression = 0;
    uint16_t planes = 1;
    // Value of the pixel at (x, y), y counted from the top: a palette index, a 16-bit pixel,
    // or blue | green << 8 | red << 16 (| fourth byte << 24 for 32 bits).
    std::function<uint32_t(int32_t x, int32_t y)> pixel = [](int32_t x, int32_t y) {
        return static_cast<uint32_t>(x + 3 * y);
    };
};

inline uint32_t PaletteEntriesOf(const BmpDescription& d) {
    if (d.paletteEntries != 0) return d.paletteEntries;
    if (d.colorsUsed != 0) return d.colorsUsed;
    return d.bitCount == 4 ? 16 : d.bitCount == 8 ? 256 : 0;
}

// Palette entry i is blue i, green 2i, red 3i (mod 256), reserved 0.
inline std::vector<uint8_t> TestPalette(uint32_t entries) {
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < entries; ++i) {
        bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(static_cast<uint8_t>(2 * i));
        bytes.push_back(static_cast<uint8_t>(3 * i));
        bytes.push_back(0);
    }
    return bytes;
}

// Writes pixel value `value` at index x of a row of `bitCount` bits (row zeroed beforehand).
inline void PutTestPixel(uint8_t* row, int32_t x, int32_t bitCount, uint32_t value) {
    if (bitCount < 8) {
        const int32_t perByte = 8 / bitCount;
        const int32_t shift = (perByte - 1 - x % perByte) * bitCount;
        row[x / perByte] = static_cast<uint8_t>(row[x / perByte] | ((value & ((1u << bitCount) - 1)) << shift));
        return;
    }
    for (int32_t b = 0; b < bitCount / 8; ++b) row[x * (bitCount / 8) + b] = static_cast<uint8_t>(value >> (8 * b));
}

inline void PutLittleEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// The stored pixel rows alone, in file order.
inline std::vector<uint8_t> StoredPixels(const BmpDescription& d) {
    const auto rowBytes = static_cast<size_t>(BmpRowBytes(d.width, d.bitCount));
    const int32_t rows = d.height < 0 ? -d.height : d.height;
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(rows), 0);
    for (int32_t stored = 0; stored < rows; ++stored) {
        const int32_t y = d.height > 0 ? rows - 1 - stored : stored;
        for (int32_t x = 0; x < d.width; ++x)
            PutTestPixel(pixels.data() + rowBytes * static_cast<size_t>(stored), x, d.bitCount, d.pixel(x, y));
    }
    return pixels;
}

inline std::vector<uint8_t> BuildBmp(const BmpDescription& d) {
    const std::vector<uint8_t> palette = TestPalette(PaletteEntriesOf(d));
    const std::vector<uint8_t> pixels = StoredPixels(d);
    const size_t pixelOffset = 14 + d.infoHeaderSize + palette.size() + d.gapBeforePixels;
    std::vector<uint8_t> bytes(pixelOffset, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<uint32_t>(pixelOffset + pixels.size()), 4);
    PutLittleEndian(bytes, 10, d.pixelOffsetZero ? 0 : static_cast<uint32_t>(pixelOffset), 4);
    PutLittleEndian(bytes, 14, d.infoHeaderSize, 4);
    PutLittleEndian(bytes, 18, static_cast<uint32_t>(d.width), 4);
    PutLittleEndian(bytes, 22, static_cast<uint32_t>(d.height), 4);
    PutLittleEndian(bytes, 26, d.planes, 2);
    PutLittleEndian(bytes, 28, d.bitCount, 2);
    PutLittleEndian(bytes, 30, d.compression, 4);
    PutLittleEndian(bytes, 34, static_cast<uint32_t>(pixels.size()), 4);
    PutLittleEndian(bytes, 46, d.colorsUsed, 4);
    if (!palette.empty()) std::memcpy(bytes.data() + 14 + d.infoHeaderSize, palette.data(), palette.size());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

// A folder of its own under the system's temporary folder, removed again at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& purpose)
        : path_(std::filesystem::temp_directory_path() / ("vexla_" + purpose + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string file = (path_ / name).string();
        BinaryFile out;
        if (!out.CreateWrite(file.c_str()) || !out.WriteAll(bytes.data(), bytes.size())) return {};
        return file;
    }
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
