// The block of a NameList, apart from the file search that fills it: a run of records, one
// per name, each a length byte L (the record's size: name length + 2), the name's bytes and
// a zero byte, and after the last record a zero length byte. The block grows 50 bytes at a
// time while it is written. Portable, so its layout and growth are tested natively.
#pragma once

#include <cstdint>
#include <functional>

constexpr int32_t kNameBlockGrowth = 50;
// Before each byte of a name is copied the block must hold the record so far plus this many.
constexpr int32_t kNameRecordSlack = 4;
// L = length + 2 has to fit in its byte: longer names are refused.
constexpr int32_t kNameMaxLength = 253;

// Writes records into a block it does not own. `grow` is asked for a larger block (the new
// size in bytes) and returns its start, which may have moved, or null when it cannot grow;
// the old contents must be kept.
class NameBlockWriter {
public:
    using GrowFunction = std::function<uint8_t*(int32_t newCapacity)>;

    NameBlockWriter(uint8_t* block, int32_t capacity, GrowFunction grow);

    // Appends one record. False for a null name, a name of more than kNameMaxLength
    // characters or a block that could not grow; the block then holds no end byte.
    bool Append(const char* name);
    // Writes the end byte. False when the block could not grow for it.
    bool Finish();

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }
    // Bytes written so far.
    int32_t Used() const { return used_; }
    uint8_t* Block() const { return block_; }

private:
    // Grows the block by kNameBlockGrowth bytes at a time until it holds `bytes`.
    bool Reserve(int32_t bytes);

    uint8_t* block_;
    int32_t capacity_;
    GrowFunction grow_;
    int32_t used_ = 0;
    int32_t count_ = 0;
};

// Name `index` of a block of `count` records and at most `blockSize` bytes: copies at most
// min(L - 1, bufferSize) - 1 characters, stopping before the first "." when
// `withoutExtension` is set, terminates the text and returns L. A null block, an index
// outside 0 to count - 1, a null buffer, a buffer of fewer than 2 bytes or a record that
// runs past the block give an empty text (when the buffer has room for one) and 0.
int32_t ReadNameRecord(const uint8_t* block,
                       int32_t blockSize,
                       int32_t count,
                       int32_t index,
                       bool withoutExtension,
                       char* buffer,
                       int32_t bufferSize);
