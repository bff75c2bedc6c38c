#include "engine/RecordsFile.h"

#include <cstring>

#include "engine/BinaryFile.h"

namespace {

constexpr char kTag[] = "QvRecords";
constexpr size_t kTagBytes = sizeof kTag - 1;  // stored without its terminator
constexpr size_t kReservedAt = 9;
constexpr size_t kCountAt = 12;
constexpr size_t kEntriesAt = 16;
constexpr size_t kEntryBytes = 28;
constexpr size_t kScoreAt = kRecordNameBytes;  // within an entry
constexpr char kDefaultNameChar = '-';

// The temporary file is the records path with this added; the longest path it is made for.
constexpr char kTemporarySuffix[] = ".tmp";
constexpr size_t kMaxPathChars = 1024;

static_assert(kEntriesAt + kRecordsCount * kEntryBytes == kRecordsFileBytes, "the file is the header and ten entries");

uint32_t ReadU32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

void WriteU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void TerminateName(RecordEntry& entry) { entry.name[kRecordNameBytes - 1] = '\0'; }

}  // namespace

RecordsTable DefaultRecords() noexcept {
    RecordsTable table{};
    for (RecordEntry& entry : table.entries) {
        std::memset(entry.name, kDefaultNameChar, kRecordNameMaxChars);
        entry.name[kRecordNameMaxChars] = '\0';
        entry.score = 0;
    }
    return table;
}

bool ParseRecords(const uint8_t* bytes, size_t size, RecordsTable* table) noexcept {
    if (bytes == nullptr || table == nullptr || size != kRecordsFileBytes) return false;
    if (std::memcmp(bytes, kTag, kTagBytes) != 0) return false;
    if (ReadU32(bytes + kCountAt) != static_cast<uint32_t>(kRecordsCount)) return false;
    std::memcpy(table->reserved, bytes + kReservedAt, sizeof table->reserved);
    for (int32_t i = 0; i < kRecordsCount; ++i) {
        const uint8_t* at = bytes + kEntriesAt + static_cast<size_t>(i) * kEntryBytes;
        RecordEntry& entry = table->entries[i];
        std::memcpy(entry.name, at, kRecordNameBytes);
        TerminateName(entry);
        entry.score = static_cast<int32_t>(ReadU32(at + kScoreAt));
    }
    return true;
}

RecordsBytes SerializeRecords(const RecordsTable& table) noexcept {
    RecordsBytes bytes{};
    std::memcpy(bytes.data(), kTag, kTagBytes);
    std::memcpy(bytes.data() + kReservedAt, table.reserved, sizeof table.reserved);
    WriteU32(bytes.data() + kCountAt, static_cast<uint32_t>(kRecordsCount));
    for (int32_t i = 0; i < kRecordsCount; ++i) {
        uint8_t* at = bytes.data() + kEntriesAt + static_cast<size_t>(i) * kEntryBytes;
        std::memcpy(at, table.entries[i].name, kRecordNameBytes);
        at[kRecordNameBytes - 1] = 0;
        WriteU32(at + kScoreAt, static_cast<uint32_t>(table.entries[i].score));
    }
    return bytes;
}

int32_t RankForScore(const RecordsTable& table, int32_t score) noexcept {
    int32_t rank = kRecordsCount;
    while (rank >= 1 && score > table.entries[rank - 1].score) --rank;
    return rank;
}

int32_t InsertRecord(RecordsTable& table, const char* name, int32_t score) noexcept {
    if (name == nullptr || name[0] == '\0') return kRecordsCount;
    const int32_t rank = RankForScore(table, score);
    if (rank >= kRecordsCount) return kRecordsCount;
    for (int32_t k = kRecordsCount - 1; k > rank; --k) table.entries[k] = table.entries[k - 1];
    RecordEntry& entry = table.entries[rank];
    std::memset(entry.name, 0, kRecordNameBytes);
    for (size_t i = 0; i < kRecordNameMaxChars && name[i] != '\0'; ++i) entry.name[i] = name[i];
    entry.score = score;
    return rank;
}

LoadedRecords LoadRecords(const char* path) noexcept {
    LoadedRecords loaded{DefaultRecords(), RecordsSource::NoFile};
    BinaryFile file;
    if (!file.OpenRead(path)) {
        if (BinaryFile::Exists(path)) loaded.source = RecordsSource::Unreadable;
        return loaded;
    }
    const int64_t size = file.Size();
    if (size < 0) {
        loaded.source = RecordsSource::Unreadable;
        return loaded;
    }
    RecordsBytes bytes{};
    if (size == static_cast<int64_t>(kRecordsFileBytes)) {
        // The size was right, so a read that comes up short is a fault of the moment (the
        // disk, or a writer that is not ours), not a sign of a foreign file: keep the file.
        if (!file.ReadExact(bytes.data(), bytes.size())) {
            loaded.source = RecordsSource::Unreadable;
            return loaded;
        }
        if (ParseRecords(bytes.data(), bytes.size(), &loaded.table)) {
            loaded.source = RecordsSource::File;
            return loaded;
        }
    }
    file.Close();
    BinaryFile::Remove(path);
    loaded.source = RecordsSource::Malformed;
    return loaded;
}

bool WriteRecords(const char* path, const RecordsTable& table) noexcept {
    if (path == nullptr) return false;
    const size_t pathChars = std::strlen(path);
    if (pathChars == 0 || pathChars + sizeof kTemporarySuffix > kMaxPathChars) return false;
    char temporary[kMaxPathChars];
    std::memcpy(temporary, path, pathChars);
    std::memcpy(temporary + pathChars, kTemporarySuffix, sizeof kTemporarySuffix);

    const RecordsBytes bytes = SerializeRecords(table);
    BinaryFile file;
    if (!file.CreateWrite(temporary)) return false;
    const bool complete = file.WriteAll(bytes.data(), bytes.size()) && file.Flush();
    file.Close();
    if (complete && BinaryFile::Replace(temporary, path)) return true;
    BinaryFile::Remove(temporary);
    return false;
}

AddedRecord AddRecord(const char* path, const char* name, int32_t score) noexcept {
    const LoadedRecords loaded = LoadRecords(path);
    AddedRecord added{loaded.table, kRecordsCount, false};
    added.rank = InsertRecord(added.table, name, score);
    if (added.rank < kRecordsCount && loaded.source != RecordsSource::Unreadable) {
        added.written = WriteRecords(path, added.table);
    }
    return added;
}

bool EraseRecords(const char* path) noexcept {
    if (path == nullptr) return false;
    BinaryFile::Remove(path);
    return !BinaryFile::Exists(path);
}
