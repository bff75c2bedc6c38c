#include "engine/ResourcePack.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kMaxEntries = 65536;  // the entry index is a 16-bit counter
constexpr uint32_t kMaxPaletteEntries = 256;
// The interface's bitmaps are backgrounds and sprite sheets no larger than a few screens, so
// a record wider or taller than this is damage, not art. The cap also keeps every size that
// drawing code later derives from the header (row bytes, back buffers, scaled copies) far
// inside 32 bits, which the header's own fields alone do not promise.
constexpr int32_t kMaxRecordSide = 16384;

// A record is usable when its header describes an uncompressed bitmap of a sane size whose
// rows all lie inside the pixel bytes it declares, so that whoever draws or combines it never
// reads past the block.
bool IsUsableHeader(const BitmapInfoHeader& h) {
    if (h.biSize < kDibHeaderSize || h.biWidth <= 0 || h.biHeight <= 0) return false;
    if (h.biWidth > kMaxRecordSide || h.biHeight > kMaxRecordSide) return false;
    if (h.biClrUsed > kMaxPaletteEntries || h.biSizeImage == 0) return false;
    // The row check below holds for plain rows only; compressed or masked layouts would have
    // the drawing code interpret the bytes otherwise.
    if (h.biCompression != 0) return false;
    switch (h.biBitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: return false;
    }
    // Rows padded to 4 bytes, counted in 64 bits: in 32 bits a row of a wide deep record
    // wraps round to a few bytes and the whole picture would seem to fit.
    const uint64_t rowBytes = (static_cast<uint64_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    return rowBytes * static_cast<uint64_t>(h.biHeight) <= h.biSizeImage;
}

}  // namespace

bool ResourcePack::Open(const char* path) {
    Close();
    if (!file_.OpenRead(path, BinaryFile::Share::Exclusive)) return false;

    int64_t size = file_.Size();
    uint32_t count = 0;
    if (size < 4 || !file_.Seek(size - 4) || !file_.ReadExact(&count, sizeof count)) {
        Close();
        return false;
    }
    // The directory must fit between the start of the file and the count.
    uint64_t directoryBytes = static_cast<uint64_t>(count) * sizeof(PackDirectoryEntry);
    if (directoryBytes > static_cast<uint64_t>(size - 4)) {
        Close();
        return false;
    }
    std::unique_ptr<PackDirectoryEntry[]> directory(new (std::nothrow) PackDirectoryEntry[count == 0 ? 1 : count]);
    if (!directory || !file_.Seek(size - 4 - static_cast<int64_t>(directoryBytes)) ||
        !file_.ReadExact(directory.get(), static_cast<size_t>(directoryBytes))) {
        Close();
        return false;
    }
    directory_ = std::move(directory);
    count_ = count;
    return true;
}

void ResourcePack::Close() {
    file_.Close();
    directory_.reset();
    count_ = 0;
}

int32_t ResourcePack::Find(uint32_t id) const {
    uint32_t limit = std::min(count_, kMaxEntries);
    for (uint32_t i = 0; i < limit; ++i) {
        if (directory_[i].id == id) return static_cast<int32_t>(i);
    }
    return -1;
}

std::unique_ptr<PackedDib, PackedDibDeleter> ResourcePack::Read(uint32_t id) {
    int32_t index = Find(id);
    if (index < 0) return nullptr;

    const uint64_t offset = directory_[index].Offset();
    BitmapInfoHeader header{};
    if (offset > static_cast<uint64_t>(INT64_MAX) || !file_.Seek(static_cast<int64_t>(offset)) ||
        !file_.ReadExact(&header, sizeof header) || !IsUsableHeader(header)) {
        return nullptr;
    }
    // Palette and pixels must lie inside the file before anything is allocated for them.
    const uint64_t paletteBytes = 4ull * header.biClrUsed;
    const uint64_t end = offset + sizeof header + paletteBytes + header.biSizeImage;
    const int64_t fileSize = file_.Size();
    if (fileSize < 0 || end > static_cast<uint64_t>(fileSize)) return nullptr;

    std::unique_ptr<PackedDib, PackedDibDeleter> dib(AllocPackedDib(header.biSizeImage));
    if (!dib) return nullptr;
    dib->header = header;
    // In the block the palette always starts at byte 40, and Windows finds it at biSize.
    dib->header.biSize = kDibHeaderSize;
    // Unused palette room is cleared so that the block is the same whatever was there before.
    std::memset(dib->palette, 0, sizeof dib->palette);
    if (paletteBytes > 0 && !file_.ReadExact(dib->palette, static_cast<size_t>(paletteBytes))) return nullptr;
    if (!file_.ReadExact(dib->Pixels(), header.biSizeImage)) return nullptr;
    return dib;
}
