// NameList: the names of all files that match a wildcard pattern, kept in one movable
// memory block (the record layout of NameRecords.h) and read back by index, with or
// without their extension. Names come in the order the file system reports them.
#pragma once

#include <windows.h>

#include <cstdint>

class NameList {
public:
    NameList() = default;
    ~NameList();
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;

    // Lists the files matching `pattern`. The block is made on the first fill (50 bytes) and
    // reused afterwards. False, and the list not valid, for a pattern that matches nothing,
    // a failed allocation or a name too long for its record.
    bool Fill(const char* pattern);
    // Name `index` into `buffer` (see ReadNameRecord): the record's length byte, or 0 and an
    // empty text for a list that is not valid or a bad request.
    int32_t GetName(int32_t index, bool withoutExtension, char* buffer, int32_t bufferSize) const;
    int32_t GetCount() const { return count_; }
    int32_t GetCapacity() const { return capacity_; }
    bool IsValid() const { return valid_; }

private:
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    bool valid_ = false;
    HGLOBAL block_ = nullptr;
};
