#include "engine/PhotoOrientation.h"

#include <algorithm>

namespace {

constexpr uint8_t kMarkerStart = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kDirectoryEntryBytes = 12;

// Reads 16- and 32-bit values of a TIFF block in the byte order its header names.
class TiffBytes {
public:
    TiffBytes(const uint8_t* bytes, size_t size, bool bigEndian) : bytes_(bytes), size_(size), bigEndian_(bigEndian) {}
    bool U16(size_t at, uint16_t* out) const {
        if (at > size_ || size_ - at < 2) return false;
        *out = bigEndian_ ? uint16_t(bytes_[at] << 8 | bytes_[at + 1]) : uint16_t(bytes_[at + 1] << 8 | bytes_[at]);
        return true;
    }
    bool U32(size_t at, uint32_t* out) const {
        uint16_t first = 0, second = 0;
        if (!U16(at, &first) || !U16(at + 2, &second)) return false;
        *out = bigEndian_ ? uint32_t{first} << 16 | second : uint32_t{second} << 16 | first;
        return true;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
    bool bigEndian_;
};

// The orientation tag of the TIFF block that follows "Exif\0\0"; 0 when it has none.
uint16_t OrientationInTiff(const uint8_t* tiff, size_t size) {
    if (size < 8) return 0;
    const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
    if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I')) return 0;
    const TiffBytes read(tiff, size, bigEndian);
    uint16_t magic = 0, entries = 0;
    uint32_t directory = 0;
    if (!read.U16(2, &magic) || magic != 42 || !read.U32(4, &directory) || !read.U16(directory, &entries)) return 0;
    for (uint16_t i = 0; i < entries; ++i) {
        const size_t entry = size_t{directory} + 2 + i * kDirectoryEntryBytes;
        uint16_t tag = 0, type = 0, value = 0;
        if (!read.U16(entry, &tag) || !read.U16(entry + 2, &type)) return 0;
        if (tag != kOrientationTag) continue;
        return type == kShortType && read.U16(entry + 8, &value) ? value : 0;
    }
    return 0;
}

}  // namespace

PhotoOrientation ReadPhotoOrientation(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size < 4 || bytes[0] != kMarkerStart || bytes[1] != kStartOfImage)
        return PhotoOrientation::AsStored;
    size_t at = 2;
    // Segments until the picture data: each is FF, a marker and a big-endian length that counts
    // itself but not the marker.
    while (size - at >= 4 && bytes[at] == kMarkerStart && bytes[at + 1] != kStartOfScan) {
        const uint8_t marker = bytes[at + 1];
        const size_t length = size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        if (length < 2) break;
        const uint8_t* body = bytes + at + 4;
        const size_t bodySize = length - 2;
        const size_t available = size - at - 4;
        constexpr uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
        if (marker == kApp1 && bodySize >= sizeof kExif && available >= sizeof kExif &&
            std::equal(kExif, kExif + sizeof kExif, body)) {
            const uint16_t value = OrientationInTiff(body + sizeof kExif, std::min(bodySize, available) - sizeof kExif);
            return value >= 1 && value <= 8 ? static_cast<PhotoOrientation>(value) : PhotoOrientation::AsStored;
        }
        at += 2 + length;
        if (at > size) break;
    }
    return PhotoOrientation::AsStored;
}

bool SwapsSides(PhotoOrientation orientation) { return static_cast<uint8_t>(orientation) >= 5; }

PhotoPoint StoredPixelOf(PhotoOrientation orientation, PhotoPoint shown, int64_t width, int64_t height) {
    const int64_t x = shown.x, y = shown.y;
    switch (orientation) {
        case PhotoOrientation::AsStored: return {x, y};
        case PhotoOrientation::Mirrored: return {width - 1 - x, y};
        case PhotoOrientation::UpsideDown: return {width - 1 - x, height - 1 - y};
        case PhotoOrientation::MirroredUpsideDown: return {x, height - 1 - y};
        case PhotoOrientation::Transposed: return {y, x};
        case PhotoOrientation::TurnedClockwise: return {y, height - 1 - x};
        case PhotoOrientation::Transversed: return {width - 1 - y, height - 1 - x};
        case PhotoOrientation::TurnedAnticlockwise: return {width - 1 - y, x};
    }
    return {x, y};
}
