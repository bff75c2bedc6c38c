#include "gfx/NameList.h"

#include "engine/NameRecords.h"

namespace {

// A FindFirstFileA search, closed on every way out.
class FileSearch {
public:
    FileSearch(const char* pattern, WIN32_FIND_DATAA& found) : handle_(FindFirstFileA(pattern, &found)) {}
    ~FileSearch() {
        if (IsOpen()) FindClose(handle_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& found) { return FindNextFileA(handle_, &found) != FALSE; }

private:
    HANDLE handle_;
};

// The block locked while the list is written, unlocked on every way out. A movable block may
// move when it grows, so it is unlocked around each reallocation.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL& block) : block_(block), bytes_(static_cast<uint8_t*>(GlobalLock(block))) {}
    ~LockedBlock() {
        if (bytes_ != nullptr) GlobalUnlock(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    uint8_t* Bytes() const { return bytes_; }

    uint8_t* Grow(int32_t newCapacity) {
        GlobalUnlock(block_);
        bytes_ = nullptr;
        HGLOBAL grown = GlobalReAlloc(block_, static_cast<SIZE_T>(newCapacity), GMEM_MOVEABLE);
        if (grown != nullptr) block_ = grown;
        bytes_ = static_cast<uint8_t*>(GlobalLock(block_));
        return grown != nullptr ? bytes_ : nullptr;
    }

private:
    HGLOBAL& block_;
    uint8_t* bytes_;
};

}  // namespace

NameList::~NameList() {
    if (block_ != nullptr) GlobalFree(block_);
}

bool NameList::Fill(const char* pattern) {
    count_ = 0;
    valid_ = false;
    if (pattern == nullptr) return false;
    WIN32_FIND_DATAA found;
    FileSearch search(pattern, found);
    if (!search.IsOpen()) return false;
    if (block_ == nullptr) {
        block_ = GlobalAlloc(GMEM_MOVEABLE, kNameBlockGrowth);
        if (block_ == nullptr) return false;
        capacity_ = kNameBlockGrowth;
    }
    LockedBlock locked(block_);
    if (locked.Bytes() == nullptr) return false;
    NameBlockWriter writer(locked.Bytes(), capacity_, [&locked](int32_t size) { return locked.Grow(size); });
    bool ok = true;
    do {
        ok = writer.Append(found.cFileName);
        capacity_ = writer.Capacity();
        count_ = writer.Count();
    } while (ok && search.Next(found));
    if (!ok || !writer.Finish()) {
        capacity_ = writer.Capacity();
        return false;
    }
    capacity_ = writer.Capacity();
    valid_ = true;
    return true;
}

int32_t NameList::GetName(int32_t index, bool withoutExtension, char* buffer, int32_t bufferSize) const {
    const int32_t count = valid_ ? count_ : 0;
    const auto* bytes = block_ != nullptr && valid_ ? static_cast<const uint8_t*>(GlobalLock(block_)) : nullptr;
    const int32_t length = ReadNameRecord(bytes, capacity_, count, index, withoutExtension, buffer, bufferSize);
    if (bytes != nullptr) GlobalUnlock(block_);
    return length;
}
