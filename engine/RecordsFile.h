// RecordsFile: the hall of honour's table of the ten best scores and its file "Records.qvr",
// which lies beside the executable. The file is exactly 296 bytes, little-endian:
//
//   0   9 bytes   the tag "QvRecords", no terminator
//   9   3 bytes   reserved: zero in a new table, kept as read otherwise
//   12  u32       the entry count, always 10
//   16  10 x 28   the entries, place 1 first: a 24-byte name (at most 23 characters and
//                 their terminator) and the score as an i32
//
// Entries run from the highest score down; among equal scores the older entry stays above.
// A fresh install shows the default table: ten names of 23 dashes with score 0.
//
// The file is only ever replaced whole (written beside it, flushed, moved over it), so a
// reader sees the old table or the new one, never half of each. A file that could not be
// opened is left alone, since another program may simply be holding it; only a file that is
// really not a records file (wrong size, tag or count) is deleted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr char kRecordsFileName[] = "Records.qvr";
constexpr int32_t kRecordsCount = 10;
constexpr size_t kRecordNameBytes = 24;
// The longest name a record keeps, and the longest the name prompt lets the player type.
constexpr size_t kRecordNameMaxChars = kRecordNameBytes - 1;
constexpr size_t kRecordsFileBytes = 296;

struct RecordEntry {
    char name[kRecordNameBytes];  // terminated within its 24 bytes
    int32_t score;
};

struct RecordsTable {
    uint8_t reserved[3];
    RecordEntry entries[kRecordsCount];  // place 1 first
};

using RecordsBytes = std::array<uint8_t, kRecordsFileBytes>;

// The table of a fresh install: ten rows of 23 "-" and score 0, reserved bytes zero.
RecordsTable DefaultRecords() noexcept;

// Reads a table from the bytes of a records file. False, `table` untouched, unless the bytes
// are exactly 296 with the tag and a count of 10. Every name comes out terminated within its
// 24 bytes, whatever the file holds there; the other bytes are kept as read.
bool ParseRecords(const uint8_t* bytes, size_t size, RecordsTable* table) noexcept;
// The 296 bytes of the file for `table`, every name terminated within its 24 bytes.
RecordsBytes SerializeRecords(const RecordsTable& table) noexcept;

// The place (0 for place 1) a new score takes: below every entry whose score is greater or
// equal, found by walking up from the tenth. kRecordsCount when it is not greater than the
// tenth score, so a score of 0 never enters the default table.
int32_t RankForScore(const RecordsTable& table, int32_t score) noexcept;
// Enters `name` (its first 23 characters) with `score` at RankForScore's place: the entries
// below move down one place and the tenth drops out. Returns the place, or kRecordsCount with
// the table unchanged when the score does not enter or the name is null or empty.
int32_t InsertRecord(RecordsTable& table, const char* name, int32_t score) noexcept;

enum class RecordsSource {
    File,        // read from the file
    NoFile,      // there was no file: the default table
    Unreadable,  // the file is there but could not be opened or read: the default table, file kept
    Malformed,   // the file had the wrong size, tag or count: the default table, file deleted
};

struct LoadedRecords {
    RecordsTable table;
    RecordsSource source;
};

// The table in the file at `path`, or the default table when there is none to read (see
// RecordsSource for what happens to the file then).
LoadedRecords LoadRecords(const char* path) noexcept;

// Writes `table` to "<path>.tmp", flushes it and moves it over `path` in one step. False when
// any step failed; `path` is then exactly as it was and the temporary file is gone.
bool WriteRecords(const char* path, const RecordsTable& table) noexcept;

struct AddedRecord {
    RecordsTable table;  // the table to show: the one read, with the new entry when it entered
    int32_t rank;        // the new entry's place, or kRecordsCount when it did not enter
    bool written;        // the file now holds `table`
};

// Enters a result into the file as it is now: reads it afresh, ranks and inserts the score
// on what it read, and writes the table back. A file that is there but cannot be read is
// never overwritten (its entries would be lost): the entry is then shown but not written.
AddedRecord AddRecord(const char* path, const char* name, int32_t score) noexcept;

// Deletes the file, so that the default table shows from now on. True when no file is left.
bool EraseRecords(const char* path) noexcept;
