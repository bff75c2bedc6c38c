// Fuzz target of the records parser. The input's first five bytes are a score (four bytes)
// and a name length (one byte, taken from the file bytes that follow); the rest is the file.
// Whatever the bytes: a table is read only from 296 bytes with the tag and count 10, every
// name read comes out terminated, writing it back changes at most the names' last bytes, and
// a new score enters at the place the rank rule promises with the rows below moved down.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/RecordsFile.h"

namespace {

constexpr size_t kParameterBytes = 5;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "records broke a promise: %s\n", what);
        std::abort();
    }
}

bool Terminated(const RecordEntry& entry) { return std::memchr(entry.name, '\0', kRecordNameBytes) != nullptr; }

bool SameEntry(const RecordEntry& a, const RecordEntry& b) {
    return a.score == b.score && std::memcmp(a.name, b.name, kRecordNameBytes) == 0;
}

void CheckRoundTrip(const uint8_t* file, const RecordsTable& table) {
    const RecordsBytes written = SerializeRecords(table);
    for (size_t at = 0; at < kRecordsFileBytes; ++at) {
        const bool nameEnd = at >= 16 && (at - 16) % 28 == kRecordNameBytes - 1;
        Check(written[at] == (nameEnd ? 0 : file[at]), "written bytes differ from the file read");
    }
    RecordsTable again{};
    Check(ParseRecords(written.data(), written.size(), &again), "written table reads back");
    for (int32_t k = 0; k < kRecordsCount; ++k) Check(SameEntry(again.entries[k], table.entries[k]), "round trip");
}

void CheckInsert(const RecordsTable& before, const char* name, size_t nameChars, int32_t score) {
    const int32_t rank = RankForScore(before, score);
    Check(rank >= 0 && rank <= kRecordsCount, "rank within the table");
    for (int32_t k = rank; k < kRecordsCount; ++k) Check(score > before.entries[k].score, "rank below a lower score");
    Check(rank == 0 || rank == kRecordsCount || before.entries[rank - 1].score >= score, "rank above a score as high");

    RecordsTable after = before;
    const int32_t placed = InsertRecord(after, name, score);
    const bool enters = nameChars > 0 && rank < kRecordsCount;
    Check(placed == (enters ? rank : kRecordsCount), "insert at the rank");
    for (int32_t k = 0; k < kRecordsCount; ++k) {
        Check(Terminated(after.entries[k]), "inserted table terminated");
        if (!enters || k < rank) {
            Check(SameEntry(after.entries[k], before.entries[k]), "rows above kept");
        } else if (k > rank) {
            Check(SameEntry(after.entries[k], before.entries[k - 1]), "rows below moved down one");
        }
    }
    if (enters) {
        const size_t kept = nameChars < kRecordNameMaxChars ? nameChars : kRecordNameMaxChars;
        Check(after.entries[rank].score == score, "new score");
        Check(std::strlen(after.entries[rank].name) == kept && std::memcmp(after.entries[rank].name, name, kept) == 0,
              "new name, its first 23 characters");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kParameterBytes) return 0;
    int32_t score = 0;
    std::memcpy(&score, data, sizeof score);
    const uint8_t* file = data + kParameterBytes;
    const size_t fileSize = size - kParameterBytes;

    // The name: up to 31 bytes of the file, cut at its first NUL as a C string would be.
    char name[32] = {};
    const size_t wanted = data[4] % sizeof name;
    std::memcpy(name, file, wanted < fileSize ? wanted : fileSize);
    const size_t nameChars = std::strlen(name);

    RecordsTable table = DefaultRecords();
    const bool read = ParseRecords(file, fileSize, &table);
    const bool wellFormed = fileSize == kRecordsFileBytes && std::memcmp(file, "QvRecords", 9) == 0 && file[12] == 10 &&
                            file[13] == 0 && file[14] == 0 && file[15] == 0;
    Check(read == wellFormed, "parsed exactly the well-formed files");
    for (const RecordEntry& entry : table.entries) Check(Terminated(entry), "names terminated");
    if (read) CheckRoundTrip(file, table);
    CheckInsert(table, name, nameChars, score);
    return 0;
}
