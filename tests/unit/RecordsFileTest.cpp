// The hall of honour's records: the 296-byte file layout, the default table, the place a new
// score takes and what entering it does, and the file itself: what is kept, what is deleted,
// and saves that either replace the file whole or leave it as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BinaryFile.h"
#include "engine/RecordsFile.h"

namespace {

struct Row {
    std::string name;
    int32_t score;
};

// The bytes of a records file, laid out here by hand: tag, 3 reserved bytes, count, entries.
std::vector<uint8_t> FileBytes(const std::vector<Row>& rows,
                               const char* tag = "QvRecords",
                               uint32_t count = 10,
                               uint8_t reserved = 0) {
    std::vector<uint8_t> bytes(16 + 28 * rows.size(), 0);
    std::memcpy(bytes.data(), tag, 9);
    bytes[9] = bytes[10] = bytes[11] = reserved;
    for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(count >> (8 * i));
    for (size_t k = 0; k < rows.size(); ++k) {
        uint8_t* entry = bytes.data() + 16 + 28 * k;
        std::memcpy(entry, rows[k].name.data(), std::min<size_t>(rows[k].name.size(), 24));
        for (int i = 0; i < 4; ++i)
            entry[24 + i] = static_cast<uint8_t>(static_cast<uint32_t>(rows[k].score) >> (8 * i));
    }
    return bytes;
}

std::vector<Row> DashRows() { return std::vector<Row>(10, Row{std::string(23, '-'), 0}); }

// Ten rows with scores 900, 800, 700, 700, 600 ... 200, named A to J.
std::vector<Row> SampleRows() {
    const int32_t scores[] = {900, 800, 700, 700, 600, 500, 400, 300, 200, 100};
    std::vector<Row> rows;
    for (int k = 0; k < 10; ++k) rows.push_back({std::string(1, static_cast<char>('A' + k)), scores[k]});
    return rows;
}

RecordsTable TableOf(const std::vector<Row>& rows) {
    const std::vector<uint8_t> bytes = FileBytes(rows);
    RecordsTable table{};
    EXPECT_TRUE(ParseRecords(bytes.data(), bytes.size(), &table));
    return table;
}

std::vector<Row> RowsOf(const RecordsTable& table) {
    std::vector<Row> rows;
    for (const RecordEntry& entry : table.entries) rows.push_back({entry.name, entry.score});
    return rows;
}

bool operator==(const Row& a, const Row& b) { return a.name == b.name && a.score == b.score; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name << ":" << row.score; }

std::vector<uint8_t> BytesOf(const RecordsBytes& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(RecordsTable, DefaultTableIsTenDashedRowsInTheFileLayout) {
    EXPECT_EQ(BytesOf(SerializeRecords(DefaultRecords())), FileBytes(DashRows()));
}

TEST(RecordsTable, OnlyExactly296BytesWithTagAndCountTenParse) {
    struct Refused {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> longer = FileBytes(SampleRows());
    longer.push_back(0);
    std::vector<uint8_t> shorter = FileBytes(SampleRows());
    shorter.pop_back();
    const Refused refused[] = {
        {"empty", {}},
        {"header only", FileBytes({})},
        {"one byte short", shorter},
        {"one byte long", longer},
        {"tag of another case", FileBytes(SampleRows(), "QvRECORDS")},
        {"tag of another file", FileBytes(SampleRows(), "VexlaPack")},
        {"count 9", FileBytes(SampleRows(), "QvRecords", 9)},
        {"count 11", FileBytes(SampleRows(), "QvRecords", 11)},
        {"count 10 big-endian", FileBytes(SampleRows(), "QvRecords", 0x0A000000)},
    };
    const RecordsTable before = TableOf(SampleRows());
    for (const Refused& r : refused) {
        RecordsTable table = before;
        EXPECT_FALSE(ParseRecords(r.bytes.data(), r.bytes.size(), &table)) << r.what;
        EXPECT_EQ(RowsOf(table), RowsOf(before)) << r.what << ": a refused file leaves the table alone";
    }
    const std::vector<uint8_t> good = FileBytes(SampleRows());
    EXPECT_FALSE(ParseRecords(nullptr, good.size(), nullptr));
    EXPECT_FALSE(ParseRecords(good.data(), good.size(), nullptr));
}

TEST(RecordsTable, ParsedFilesRoundTripWithNamesTerminatedInTheirField) {
    // A name filling all 24 bytes loses its last character to the terminator; bytes after a
    // terminator, the reserved bytes and negative scores are kept as read.
    std::vector<Row> rows = SampleRows();
    rows[0].name = std::string(24, 'x');
    rows[1].name = std::string("Eva\0old-bytes", 13);
    rows[2].score = -7;
    const std::vector<uint8_t> file = FileBytes(rows, "QvRecords", 10, 0xAB);
    RecordsTable table{};
    ASSERT_TRUE(ParseRecords(file.data(), file.size(), &table));
    EXPECT_EQ(std::string(table.entries[0].name), std::string(23, 'x'));
    EXPECT_EQ(std::string(table.entries[1].name), "Eva");
    EXPECT_EQ(table.entries[2].score, -7);

    std::vector<uint8_t> expected = file;
    expected[16 + 23] = 0;
    EXPECT_EQ(BytesOf(SerializeRecords(table)), expected);

    table.entries[5].name[23] = 'y';  // a name left unterminated in memory
    EXPECT_EQ(SerializeRecords(table)[16 + 28 * 5 + 23], 0) << "saved terminated as well";
}

TEST(RecordsTable, PlaceOfANewScore) {
    // Scores 900 800 700 700 600 500 400 300 200 100; places counted from 0.
    const struct {
        int32_t score;
        int32_t rank;
    } cases[] = {
        {1000, 0},
        {900, 1},
        {701, 2},
        {700, 4} /* below both 700s */,
        {650, 4},
        {101, 9},
        {100, 10} /* equal to the tenth: does not enter */,
        {-1, 10},
    };
    const RecordsTable sample = TableOf(SampleRows());
    for (const auto& c : cases) EXPECT_EQ(RankForScore(sample, c.score), c.rank) << c.score;

    const RecordsTable fresh = DefaultRecords();
    EXPECT_EQ(RankForScore(fresh, 1), 0) << "any score above 0 enters a fresh table first";
    EXPECT_EQ(RankForScore(fresh, 0), 10) << "0 never enters";
}

TEST(RecordsTable, EnteringMovesTheRowsBelowDownAndDropsTheTenth) {
    RecordsTable table = TableOf(SampleRows());
    EXPECT_EQ(InsertRecord(table, "Nia", 700), 4);
    EXPECT_EQ(RowsOf(table), (std::vector<Row>{{"A", 900},
                                               {"B", 800},
                                               {"C", 700},
                                               {"D", 700},
                                               {"Nia", 700},
                                               {"E", 600},
                                               {"F", 500},
                                               {"G", 400},
                                               {"H", 300},
                                               {"I", 200}}));

    EXPECT_EQ(InsertRecord(table, std::string(30, 'L').c_str(), 5000), 0);
    EXPECT_EQ(std::string(table.entries[0].name), std::string(23, 'L')) << "names keep their first 23 characters";
    EXPECT_EQ(table.entries[0].name[23], '\0');
}

TEST(RecordsTable, NoEntryWithoutANameOrAGoodEnoughScore) {
    const RecordsTable before = TableOf(SampleRows());
    const struct {
        const char* name;
        int32_t score;
    } refused[] = {{nullptr, 5000}, {"", 5000}, {"Ode", 100}, {"Ode", -50}};
    for (const auto& r : refused) {
        RecordsTable table = before;
        EXPECT_EQ(InsertRecord(table, r.name, r.score), kRecordsCount);
        EXPECT_EQ(RowsOf(table), RowsOf(before));
    }
}

class RecordsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("vexla_records_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / kRecordsFileName).string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void Put(const std::vector<uint8_t>& bytes) {
        BinaryFile f;
        ASSERT_TRUE(f.CreateWrite(path_.c_str()));
        ASSERT_TRUE(f.WriteAll(bytes.data(), bytes.size()));
    }
    std::vector<uint8_t> OnDisk() const {
        BinaryFile f;
        if (!f.OpenRead(path_.c_str())) return {};
        std::vector<uint8_t> bytes(static_cast<size_t>(f.Size()));
        EXPECT_TRUE(f.ReadExact(bytes.data(), bytes.size()));
        return bytes;
    }
    // Nothing but the records file (when there is one) in the folder: no temporary left over.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.push_back(entry.path().filename());
        return names;
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(RecordsFileTest, NoFileGivesTheDefaultTableAndWritesNothing) {
    const LoadedRecords loaded = LoadRecords(path_.c_str());
    EXPECT_EQ(loaded.source, RecordsSource::NoFile);
    EXPECT_EQ(RowsOf(loaded.table), DashRows());
    EXPECT_TRUE(FolderContents().empty());
}

TEST_F(RecordsFileTest, AWrittenTableIsTheWholeFileAndReadsBack) {
    Put(FileBytes(SampleRows(), "QvRecords", 10, 7));  // an older file, to be replaced
    const std::vector<Row> rows(10, Row{"Zed", 42});
    ASSERT_TRUE(WriteRecords(path_.c_str(), TableOf(rows)));
    EXPECT_EQ(OnDisk(), FileBytes(rows));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{kRecordsFileName});

    const LoadedRecords loaded = LoadRecords(path_.c_str());
    EXPECT_EQ(loaded.source, RecordsSource::File);
    EXPECT_EQ(RowsOf(loaded.table), rows);
}

TEST_F(RecordsFileTest, MalformedFilesAreDeletedAndGiveTheDefaultTable) {
    const std::vector<uint8_t> good = FileBytes(SampleRows());
    std::vector<uint8_t> longer = good;
    longer.push_back('!');
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } malformed[] = {
        {"empty", {}},
        {"short", std::vector<uint8_t>(good.begin(), good.begin() + 200)},
        {"longer than 296 bytes", longer},
        {"wrong tag", FileBytes(SampleRows(), "QvRecordz")},
        {"count 9", FileBytes(SampleRows(), "QvRecords", 9)},
    };
    for (const auto& m : malformed) {
        SCOPED_TRACE(m.what);
        Put(m.bytes);
        const LoadedRecords loaded = LoadRecords(path_.c_str());
        EXPECT_EQ(loaded.source, RecordsSource::Malformed);
        EXPECT_EQ(RowsOf(loaded.table), DashRows());
        EXPECT_FALSE(BinaryFile::Exists(path_.c_str()));
    }
}

TEST_F(RecordsFileTest, AFailedSaveLeavesTheOldFileByteForByte) {
    const std::vector<uint8_t> old = FileBytes(SampleRows(), "QvRecords", 10, 3);
    Put(old);
    // A folder where the temporary file has to go: it cannot be created.
    std::filesystem::create_directory(path_ + ".tmp");
    EXPECT_FALSE(WriteRecords(path_.c_str(), DefaultRecords()));
    EXPECT_EQ(OnDisk(), old);
    std::filesystem::remove(path_ + ".tmp");

    // The records path is a folder: the temporary file is written but cannot replace it.
    const std::string folder = (dir_ / "Sub").string();
    std::filesystem::create_directories(std::filesystem::path(folder) / "inside");
    EXPECT_FALSE(WriteRecords(folder.c_str(), DefaultRecords()));
    EXPECT_FALSE(BinaryFile::Exists((folder + ".tmp").c_str())) << "the temporary file is cleaned up";
    EXPECT_EQ(OnDisk(), old);
}

TEST_F(RecordsFileTest, ANewResultIsRankedOnTheFileAsItIsWhenWritten) {
    // The hall showed a fresh table, where 150 would come first; meanwhile another game
    // filled the file, so 150 enters tenth.
    ASSERT_EQ(RankForScore(LoadRecords(path_.c_str()).table, 150), 0);
    Put(FileBytes(SampleRows()));
    const AddedRecord added = AddRecord(path_.c_str(), "Late", 150);
    EXPECT_EQ(added.rank, 9);
    EXPECT_TRUE(added.written);
    std::vector<Row> expected = SampleRows();
    expected[9] = {"Late", 150};
    EXPECT_EQ(RowsOf(added.table), expected);
    EXPECT_EQ(RowsOf(LoadRecords(path_.c_str()).table), expected);
}

TEST_F(RecordsFileTest, AResultStartsAFreshTableWhenThereIsNoGoodFile) {
    Put(FileBytes(SampleRows(), "QvRecords", 7));
    const AddedRecord added = AddRecord(path_.c_str(), "Ann", 10);
    EXPECT_EQ(added.rank, 0);
    EXPECT_TRUE(added.written);
    std::vector<Row> expected = DashRows();
    expected.insert(expected.begin(), Row{"Ann", 10});
    expected.pop_back();
    EXPECT_EQ(RowsOf(LoadRecords(path_.c_str()).table), expected);
}

TEST_F(RecordsFileTest, AResultThatDoesNotEnterWritesNothing) {
    const AddedRecord zero = AddRecord(path_.c_str(), "Nil", 0);
    EXPECT_EQ(zero.rank, kRecordsCount);
    EXPECT_FALSE(zero.written);
    EXPECT_TRUE(FolderContents().empty());

    const std::vector<uint8_t> old = FileBytes(SampleRows());
    Put(old);
    EXPECT_FALSE(AddRecord(path_.c_str(), "", 5000).written) << "no name, no entry";
    EXPECT_EQ(OnDisk(), old);
}

TEST_F(RecordsFileTest, ErasingDeletesTheFile) {
    Put(FileBytes(SampleRows()));
    EXPECT_TRUE(EraseRecords(path_.c_str()));
    EXPECT_EQ(LoadRecords(path_.c_str()).source, RecordsSource::NoFile);
    EXPECT_TRUE(EraseRecords(path_.c_str())) << "nothing there is erased too";
}

}  // namespace
