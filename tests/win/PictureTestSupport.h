// Pictures whose look after resampling is known without resampling them: .bmp files of
// kBlockColumns x kBlockRows blocks in the eight corner colours of the colour cube (exact in
// every pixel format, 16 bits included), and the client area of a window read back pixel by
// pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"

namespace pictest {

constexpr int kBlockColumns = 4;
constexpr int kBlockRows = 2;

// 0xRRGGBB of block (column, row); a 1-bit picture has only black and white, in a chequer.
inline uint32_t BlockColour(int column, int row, int bitCount) {
    const int block = row * kBlockColumns + column;
    if (bitCount == 1) return ((column + row) & 1) != 0 ? 0xFFFFFF : 0x000000;
    constexpr uint32_t kCorners[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF, 0x000000};
    return kCorners[block];
}

// Writes a width x height picture of blocks in `bitCount` bits (1, 4, 8, 16, 24 or 32),
// stored top-down when asked; returns its path. Palette pictures keep the colours in a
// palette (index = block, shuffled so that an index read as a colour would show).
inline std::string WriteBlockPicture(const std::string& name, int width, int height, int bitCount, bool topDown) {
    const std::string path = wintest::TempPath(name);
    // The reader wants 1- and 16-bit pictures to say how many colours they use.
    const int paletteEntries = bitCount <= 8 ? (bitCount == 1 ? 2 : 1 << bitCount) : bitCount == 16 ? 1 : 0;
    std::vector<RGBQUAD> palette(static_cast<size_t>(paletteEntries));
    auto indexOf = [bitCount](int column, int row) {
        return bitCount == 1 ? ((column + row) & 1) : 7 - (row * kBlockColumns + column);
    };
    for (int row = 0; row < kBlockRows && bitCount <= 8; ++row)
        for (int column = 0; column < kBlockColumns; ++column) {
            const uint32_t c = BlockColour(column, row, bitCount);
            palette[static_cast<size_t>(indexOf(column, row))] =
                RGBQUAD{uint8_t(c & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t(c >> 16), 0};
        }
    const int rowBytes = ((width * bitCount + 31) / 32) * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* line = pixels.data() + static_cast<size_t>(topDown ? y : height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const int column = x * kBlockColumns / width, row = y * kBlockRows / height;
            const uint32_t c = BlockColour(column, row, bitCount);
            const uint32_t index = static_cast<uint32_t>(indexOf(column, row));
            switch (bitCount) {
                case 1: line[x / 8] = uint8_t(line[x / 8] | (index << (7 - x % 8))); break;
                case 4: line[x / 2] = uint8_t(line[x / 2] | (index << (x % 2 == 0 ? 4 : 0))); break;
                case 8: line[x] = uint8_t(index); break;
                case 16: {
                    const uint16_t v = uint16_t(((c >> 19) & 0x1F) << 10 | ((c >> 11) & 0x1F) << 5 | ((c >> 3) & 0x1F));
                    line[2 * x] = uint8_t(v & 0xFF);
                    line[2 * x + 1] = uint8_t(v >> 8);
                    break;
                }
                default:
                    for (int b = 0; b < 3; ++b) line[x * (bitCount / 8) + b] = uint8_t(c >> (8 * b));
                    break;
            }
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + palette.size() * sizeof(RGBQUAD));
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = topDown ? -height : height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitCount);
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    info.biClrUsed = static_cast<DWORD>(paletteEntries);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return "";
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    if (!palette.empty()) std::fwrite(palette.data(), sizeof(RGBQUAD), palette.size(), out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
    return path;
}

// The client area of a shown window as it is on the screen, read back into memory in one go.
class ClientPixels {
public:
    explicit ClientPixels(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        width_ = r.right;
        height_ = r.bottom;
        canvas_ = std::make_unique<wintest::PixelCanvas>(width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1);
        HDC dc = GetDC(window);
        BitBlt(canvas_->dc(), 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    }
    int width() const { return width_; }
    int height() const { return height_; }
    uint32_t at(int x, int y) const { return canvas_->Pixel(x, y); }

    // Saves the pixels as `name`.bmp among the screenshots the runner collects, for a person to
    // look at; nothing when the test runs outside the runner.
    void SaveForReview(const std::string& name) const {
        const char* folder = std::getenv("VEXLA_SCREENSHOTS");
        if (folder == nullptr || *folder == '\0') return;
        const std::string path = std::string("Z:") + folder + "/" + name + ".bmp";
        const int rowBytes = (width_ * 3 + 3) & ~3;
        std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes) * height_, 0);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const uint32_t c = at(x, y);
                uint8_t* p = pixels.data() + static_cast<size_t>(height_ - 1 - y) * rowBytes + x * 3;
                p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
            }
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
        info.biSize = sizeof info;
        info.biWidth = width_;
        info.biHeight = height_;
        info.biPlanes = 1;
        info.biBitCount = 24;
        info.biSizeImage = static_cast<DWORD>(pixels.size());
        FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) return;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }

private:
    int width_ = 0, height_ = 0;
    std::unique_ptr<wintest::PixelCanvas> canvas_;
};

}  // namespace pictest
