// The picture the cut benchmarks cut: a bottom-up .bmp of smooth colour with some texture, so
// that no run of equal bytes flatters anything. 8-bit pictures carry a 256-colour palette,
// others are 24-bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/BinaryFile.h"

namespace bench {

inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

inline std::vector<uint8_t> TexturedPicture(int32_t width, int32_t height, int bits) {
    const size_t palette = bits == 8 ? 1024 : 0;
    const size_t rowBytes = static_cast<size_t>(((width * bits + 31) / 32) * 4);
    const size_t offset = 54 + palette;
    std::vector<uint8_t> file(offset + rowBytes * static_cast<size_t>(height), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = static_cast<uint8_t>(bits);
    for (size_t i = 0; i < palette / 4; ++i) {
        file[54 + 4 * i] = static_cast<uint8_t>(i);
        file[55 + 4 * i] = static_cast<uint8_t>(255 - i);
        file[56 + 4 * i] = static_cast<uint8_t>(i * 7);
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = &file[offset + rowBytes * static_cast<size_t>(y)];
        for (int32_t x = 0; x < width; ++x) {
            const auto value = static_cast<uint8_t>((x / 3 + y / 2 + ((x * y) & 15)) & 0xFF);
            if (bits == 8) {
                row[x] = value;
            } else {
                row[3 * x] = value;
                row[3 * x + 1] = static_cast<uint8_t>(x + y);
                row[3 * x + 2] = static_cast<uint8_t>(y * 3);
            }
        }
    }
    return file;
}

// Writes the picture to `path`; false when it cannot be written.
inline bool WriteTexturedPicture(const char* path, int32_t width, int32_t height, int bits) {
    const std::vector<uint8_t> file = TexturedPicture(width, height, bits);
    BinaryFile out;
    return out.CreateWrite(path) && out.WriteAll(file.data(), file.size());
}

}  // namespace bench
