#include "tools/PackWriter.h"

#include <cstring>

#include "engine/BinaryFile.h"

namespace {

void AppendBytes(std::vector<uint8_t>& out, const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    out.insert(out.end(), p, p + n);
}

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    AppendBytes(out, b, 4);
}

BitmapInfoHeader MakeHeader(int32_t width, int32_t height, uint16_t bits, uint32_t colours) {
    BitmapInfoHeader h{};
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;  // positive: rows stored bottom-up
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biSizeImage = static_cast<uint32_t>(DibRowBytes(width, bits)) * static_cast<uint32_t>(height);
    h.biClrUsed = colours;
    return h;
}

// Turns top-down rows of `rowBytes` meaningful bytes into padded bottom-up DIB rows.
std::vector<uint8_t> StoreRows(const uint8_t* topDown,
                               int32_t stride,
                               int32_t rowBytes,
                               int32_t paddedRow,
                               int32_t height) {
    std::vector<uint8_t> stored(static_cast<size_t>(paddedRow) * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* src = topDown + static_cast<size_t>(y) * static_cast<size_t>(stride);
        std::memcpy(&stored[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(paddedRow)], src,
                    static_cast<size_t>(rowBytes));
    }
    return stored;
}

}  // namespace

void PackWriter::AddImage8(uint32_t id,
                           int32_t width,
                           int32_t height,
                           const std::vector<RgbQuad>& palette,
                           const uint8_t* topDownPixels,
                           int32_t stride) {
    BitmapInfoHeader h = MakeHeader(width, height, 8, static_cast<uint32_t>(palette.size()));
    AddRaw(id, h, palette, StoreRows(topDownPixels, stride, width, DibRowBytes(width, 8), height));
}

void PackWriter::AddImage24(uint32_t id, int32_t width, int32_t height, const uint8_t* topDownBgr, int32_t stride) {
    BitmapInfoHeader h = MakeHeader(width, height, 24, 0);
    AddRaw(id, h, {}, StoreRows(topDownBgr, stride, width * 3, DibRowBytes(width, 24), height));
}

void PackWriter::AddRaw(uint32_t id,
                        const BitmapInfoHeader& header,
                        const std::vector<RgbQuad>& palette,
                        const std::vector<uint8_t>& storedPixels) {
    Entry e{id, records_.size(), 0};
    AppendBytes(records_, &header, sizeof header);
    if (!palette.empty()) AppendBytes(records_, palette.data(), palette.size() * sizeof(RgbQuad));
    if (!storedPixels.empty()) AppendBytes(records_, storedPixels.data(), storedPixels.size());
    e.length = static_cast<uint32_t>(records_.size() - e.offset);
    entries_.push_back(e);
}

std::vector<uint8_t> PackWriter::Bytes() const {
    std::vector<uint8_t> out = records_;
    for (const Entry& e : entries_) {
        AppendU32(out, e.id);
        AppendU32(out, e.length);
        AppendU32(out, static_cast<uint32_t>(e.offset));
        AppendU32(out, static_cast<uint32_t>(e.offset >> 32));
    }
    AppendU32(out, static_cast<uint32_t>(entries_.size()));
    return out;
}

bool PackWriter::WriteTo(const std::string& path) const {
    std::vector<uint8_t> bytes = Bytes();
    BinaryFile file;
    return file.CreateWrite(path.c_str()) && file.WriteAll(bytes.data(), bytes.size());
}
