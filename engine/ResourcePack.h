// ResourcePack: the file "vexla.rf" that holds every bitmap of the interface. Its layout:
// bitmap records anywhere, then a directory of 16-byte entries, then the 32-bit entry count
// as the last four bytes of the file. A record is a 40-byte BITMAPINFOHEADER, biClrUsed
// palette entries and biSizeImage pixel bytes. The directory is read once at opening and
// kept; every load positions the file and reads one record.
//
// This type is portable; the program keeps one instance in its globals for the whole run.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/BinaryFile.h"
#include "engine/PackedDib.h"

#pragma pack(push, 1)
struct PackDirectoryEntry {
    uint32_t id;
    uint32_t recordLength;  // written by our pack writer, never read by the game
    uint32_t offsetLow;     // 64-bit offset of the record, low double word first
    uint32_t offsetHigh;
    uint64_t Offset() const { return (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow; }
};
#pragma pack(pop)
static_assert(sizeof(PackDirectoryEntry) == 16, "a directory entry is 16 bytes");

// The game's pack is opened exclusively, as Windows share mode 0: a second copy of the
// program started meanwhile cannot open it.
class ResourcePack {
public:
    // Opens the file and reads its directory. A directory that does not fit inside the file
    // (a count of more entries than the file can hold) is refused: false, pack closed.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }
    uint32_t Count() const { return count_; }

    // Index of the first entry with this id, or -1. The search never passes Count() and, as
    // the entry index is a 16-bit counter, never passes 65536 entries.
    int32_t Find(uint32_t id) const;

    // Reads the bitmap `id` into a new PackedDib (header at 0, palette at 40, pixels at 1064;
    // the copied header says biSize 40 whatever the record said). Null for an unknown id, a
    // record whose header is not a usable bitmap (sizes that do not agree, a side of more than
    // 16384 pixels, a compressed layout, a palette of more than 256 entries, data past the end
    // of the file), a failed read, or a failed allocation.
    std::unique_ptr<PackedDib, PackedDibDeleter> Read(uint32_t id);

private:
    BinaryFile file_;
    std::unique_ptr<PackDirectoryEntry[]> directory_;
    uint32_t count_ = 0;
};
