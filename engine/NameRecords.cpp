#include "engine/NameRecords.h"

#include <cstring>
#include <utility>

namespace {
constexpr int32_t kRecordOverhead = 2;  // the length byte and the zero after the name
constexpr int32_t kMinimumBuffer = 2;
}  // namespace

NameBlockWriter::NameBlockWriter(uint8_t* block, int32_t capacity, GrowFunction grow)
    : block_(block), capacity_(block != nullptr ? capacity : 0), grow_(std::move(grow)) {}

bool NameBlockWriter::Reserve(int32_t bytes) {
    while (capacity_ < bytes) {
        if (!grow_) return false;
        uint8_t* grown = grow_(capacity_ + kNameBlockGrowth);
        if (grown == nullptr) return false;
        block_ = grown;
        capacity_ += kNameBlockGrowth;
    }
    return true;
}

bool NameBlockWriter::Append(const char* name) {
    if (name == nullptr) return false;
    const size_t length = std::strlen(name);
    if (length > static_cast<size_t>(kNameMaxLength)) return false;
    const int32_t start = used_;
    // An empty name copies no byte, so its record and the end byte are made room for here.
    if (!Reserve(start + kRecordOverhead + 1)) return false;
    for (int32_t i = 0; i < static_cast<int32_t>(length); ++i) {
        if (!Reserve(start + 1 + i + kNameRecordSlack)) return false;
        block_[start + 1 + i] = static_cast<uint8_t>(name[i]);
    }
    block_[start] = static_cast<uint8_t>(length + kRecordOverhead);
    block_[start + 1 + static_cast<int32_t>(length)] = 0;
    used_ = start + static_cast<int32_t>(length) + kRecordOverhead;
    ++count_;
    return true;
}

bool NameBlockWriter::Finish() {
    if (!Reserve(used_ + 1)) return false;
    block_[used_] = 0;
    return true;
}

int32_t ReadNameRecord(const uint8_t* block,
                       int32_t blockSize,
                       int32_t count,
                       int32_t index,
                       bool withoutExtension,
                       char* buffer,
                       int32_t bufferSize) {
    if (buffer != nullptr && bufferSize > 0) buffer[0] = '\0';
    if (block == nullptr || index < 0 || index >= count || buffer == nullptr || bufferSize < kMinimumBuffer) return 0;
    int32_t at = 0;
    for (int32_t i = 0; i < index; ++i) {
        if (at >= blockSize || block[at] < kRecordOverhead) return 0;
        at += block[at];
    }
    if (at >= blockSize) return 0;
    const int32_t recordLength = block[at];
    if (recordLength < kRecordOverhead || at + recordLength > blockSize) return 0;
    const int32_t limit = (recordLength - 1 < bufferSize ? recordLength - 1 : bufferSize) - 1;
    const char* name = reinterpret_cast<const char*>(block + at + 1);
    int32_t copied = 0;
    while (copied < limit && name[copied] != '\0' && !(withoutExtension && name[copied] == '.')) {
        buffer[copied] = name[copied];
        ++copied;
    }
    buffer[copied] = '\0';
    return recordLength;
}
