// Fuzz target of the resource pack reader. The input is the pack file itself: it is opened,
// every id its directory names is looked up and read, then an id it does not name. The
// target reads the directory out of the input on its own, so that it can hold the reader to
// what it promises: which files open, which entry an id finds, and blocks that hold the
// record's bytes and nothing the header does not account for. The sanitizers see every
// byte of each block touched.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

#include <unistd.h>

#include "engine/BinaryFile.h"
#include "engine/ResourcePack.h"

namespace {

constexpr size_t kCountBytes = 4;
constexpr size_t kEntryBytes = 16;
constexpr uint32_t kSearchLimit = 65536;  // entries a lookup may pass
constexpr int32_t kMaxSide = 16384;

const std::string& ScratchPath() {
    static const std::string path = [] {
        std::filesystem::path dir = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                        : std::filesystem::temp_directory_path();
        return (dir / ("vexla-pack-fuzz-" + std::to_string(::getpid()) + ".rf")).string();
    }();
    return path;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "pack reader broke a promise: %s\n", what);
        std::abort();
    }
}

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// The file as the directory describes it.
struct Directory {
    const uint8_t* data;
    size_t size;
    uint32_t count;
    size_t start;

    uint32_t Id(uint32_t i) const { return Le32(data + start + kEntryBytes * i); }
    uint64_t Offset(uint32_t i) const {
        const uint8_t* e = data + start + kEntryBytes * i;
        return uint64_t{Le32(e + 8)} | (uint64_t{Le32(e + 12)} << 32);
    }
};

// A block the reader handed out: a usable header, the record's own palette and pixels, the
// palette room past the record's entries cleared.
void CheckBlock(const PackedDib& dib, const Directory& dir, uint32_t entry) {
    const BitmapInfoHeader& h = dib.header;
    Check(h.biSize == kDibHeaderSize, "header size field");
    Check(h.biWidth > 0 && h.biWidth <= kMaxSide && h.biHeight > 0 && h.biHeight <= kMaxSide, "sides");
    Check(h.biCompression == 0 && h.biClrUsed <= kDibPaletteRoom && h.biSizeImage > 0, "layout");
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(h.biWidth)} * h.biBitCount + 31) / 32 * 4;
    Check(rowBytes * static_cast<uint32_t>(h.biHeight) <= h.biSizeImage, "rows inside the pixel bytes");

    const uint64_t offset = dir.Offset(entry);
    const uint64_t paletteBytes = 4ull * h.biClrUsed;
    Check(offset + kDibHeaderSize + paletteBytes + h.biSizeImage <= dir.size, "record inside the file");
    const uint8_t* record = dir.data + offset;
    Check(std::memcmp(reinterpret_cast<const uint8_t*>(&h) + 4, record + 4, kDibHeaderSize - 4) == 0, "header copy");
    Check(std::memcmp(dib.palette, record + kDibHeaderSize, paletteBytes) == 0, "palette copy");
    for (uint32_t i = h.biClrUsed; i < kDibPaletteRoom; ++i)
        Check(Le32(reinterpret_cast<const uint8_t*>(&dib.palette[i])) == 0, "palette room cleared");
    Check(std::memcmp(dib.Pixels(), record + kDibHeaderSize + paletteBytes, h.biSizeImage) == 0, "pixel copy");
}

void Exercise(ResourcePack& pack, const Directory& dir) {
    Check(pack.IsOpen() && pack.Count() == dir.count, "count");
    std::unordered_map<uint32_t, uint32_t> firstEntry;
    for (uint32_t i = 0; i < dir.count; ++i) {
        const uint32_t id = dir.Id(i);
        const auto known = firstEntry.emplace(id, i);
        if (!known.second) continue;  // a later entry of the same id is never reached
        const int32_t found = pack.Find(id);
        if (i >= kSearchLimit) {
            Check(found == -1, "lookup past the searchable entries");
            continue;
        }
        Check(found == static_cast<int32_t>(i), "lookup finds the first entry of an id");
        auto dib = pack.Read(id);
        if (dib) CheckBlock(*dib, dir, i);
    }

    uint32_t absent = UINT32_MAX;
    while (firstEntry.count(absent) != 0) --absent;
    Check(pack.Find(absent) == -1 && pack.Read(absent) == nullptr, "an id the directory does not name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        BinaryFile file;
        if (!file.CreateWrite(ScratchPath().c_str())) return 0;
        if (size > 0 && !file.WriteAll(data, size)) return 0;
    }
    // A pack opens exactly when its count and the directory that count implies fit the file.
    Directory dir{data, size, 0, 0};
    bool fits = false;
    if (size >= kCountBytes) {
        dir.count = Le32(data + size - kCountBytes);
        const uint64_t directoryBytes = uint64_t{dir.count} * kEntryBytes;
        fits = directoryBytes <= size - kCountBytes;
        dir.start = fits ? size - kCountBytes - static_cast<size_t>(directoryBytes) : 0;
    }

    ResourcePack pack;
    const bool opened = pack.Open(ScratchPath().c_str());
    Check(opened == fits, "which packs open");
    if (opened) Exercise(pack, dir);
    pack.Close();
    Check(!pack.IsOpen() && pack.Count() == 0 && pack.Find(0) == -1 && pack.Read(0) == nullptr, "Close");
    return 0;
}
