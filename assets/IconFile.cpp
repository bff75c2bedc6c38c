#include "assets/IconFile.h"

#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// Below half opacity a pixel counts as transparent in the AND mask.
constexpr uint32_t kMaskAlpha = 128;

size_t MaskRowBytes(int size) { return static_cast<size_t>((size + 31) / 32) * 4; }

// BITMAPINFOHEADER (height doubled: picture and mask), the picture bottom-up in BGRA, then
// the AND mask bottom-up.
std::vector<uint8_t> EncodeImage(const IconImage& image) {
    const int n = image.size;
    const size_t pictureBytes = static_cast<size_t>(n) * n * 4;
    const size_t maskBytes = MaskRowBytes(n) * static_cast<size_t>(n);
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(n));
    Put32(out, static_cast<uint32_t>(2 * n));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(pictureBytes + maskBytes));
    for (int k = 0; k < 4; ++k) Put32(out, 0);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const uint32_t p = image.argb[static_cast<size_t>(y) * n + x];
            out.push_back(static_cast<uint8_t>(p & 0xff));
            out.push_back(static_cast<uint8_t>((p >> 8) & 0xff));
            out.push_back(static_cast<uint8_t>((p >> 16) & 0xff));
            out.push_back(static_cast<uint8_t>(p >> 24));
        }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskRowBytes(n), 0);
        for (int x = 0; x < n; ++x)
            if ((image.argb[static_cast<size_t>(y) * n + x] >> 24) < kMaskAlpha)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images, bool cursor) {
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, static_cast<uint32_t>(images.size()));
    std::vector<std::vector<uint8_t>> encoded;
    for (const IconImage& image : images) encoded.push_back(EncodeImage(image));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        out.push_back(static_cast<uint8_t>(image.size));
        out.push_back(static_cast<uint8_t>(image.size));
        out.push_back(0);  // no palette
        out.push_back(0);
        // Icons give planes and bit count here; cursors give their hot spot instead.
        Put16(out, cursor ? static_cast<uint32_t>(image.hotX) : 1);
        Put16(out, cursor ? static_cast<uint32_t>(image.hotY) : 32);
        Put32(out, static_cast<uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const auto& e : encoded) out.insert(out.end(), e.begin(), e.end());
    return out;
}

bool WriteIconFile(const std::string& path, const std::vector<IconImage>& images, bool cursor) {
    const std::vector<uint8_t> bytes = EncodeIconFile(images, cursor);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}
