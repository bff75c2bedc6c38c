// The records file against Windows' sharing rules: a file another program holds is never
// deleted or overwritten, and a save that cannot replace it leaves it byte for byte; a file
// no one holds is replaced whole by MoveFileExA, with no temporary file left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "engine/BinaryFile.h"
#include "engine/RecordsFile.h"

namespace {

class RecordsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = wintest::TempPath("Records.qvr");
        DeleteFileA(path_.c_str());
        DeleteFileA(Temporary().c_str());
    }
    void TearDown() override {
        if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
        DeleteFileA(path_.c_str());
        DeleteFileA(Temporary().c_str());
    }
    std::string Temporary() const { return path_ + ".tmp"; }

    // A table whose every row differs from the default one.
    static RecordsTable Sample() {
        RecordsTable table = DefaultRecords();
        for (int32_t k = 0; k < kRecordsCount; ++k) {
            table.entries[k] = RecordEntry{};
            table.entries[k].name[0] = static_cast<char>('A' + k);
            table.entries[k].score = 1000 - 10 * k;
        }
        return table;
    }
    std::vector<uint8_t> OnDisk() const {
        BinaryFile f;
        if (!f.OpenRead(path_.c_str())) return {};
        std::vector<uint8_t> bytes(static_cast<size_t>(f.Size()));
        EXPECT_TRUE(f.ReadExact(bytes.data(), bytes.size()));
        return bytes;
    }
    // Another program holding the file, with the access and sharing it chose.
    void Hold(DWORD access, DWORD share) {
        holder_ = CreateFileA(path_.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder_, INVALID_HANDLE_VALUE);
    }
    void Release() {
        CloseHandle(holder_);
        holder_ = INVALID_HANDLE_VALUE;
    }

    std::string path_;
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_F(RecordsFileTest, ASaveReplacesTheWholeFileAndLeavesNoTemporary) {
    ASSERT_TRUE(WriteRecords(path_.c_str(), DefaultRecords()));
    ASSERT_TRUE(WriteRecords(path_.c_str(), Sample()));
    const RecordsBytes expected = SerializeRecords(Sample());
    EXPECT_EQ(OnDisk(), std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_FALSE(BinaryFile::Exists(Temporary().c_str()));
    EXPECT_EQ(LoadRecords(path_.c_str()).source, RecordsSource::File);
}

TEST_F(RecordsFileTest, AFileHeldByAnotherProgramIsNeverHarmed) {
    const struct {
        const char* what;
        DWORD access;
        DWORD share;
        RecordsSource loadsAs;
    } holders[] = {
        {"held exclusively", GENERIC_READ, 0, RecordsSource::Unreadable},
        {"held open by a reader", GENERIC_READ, FILE_SHARE_READ, RecordsSource::File},
        {"held open by a writer", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, RecordsSource::Unreadable},
    };
    for (const auto& h : holders) {
        SCOPED_TRACE(h.what);
        ASSERT_TRUE(WriteRecords(path_.c_str(), Sample()));
        const std::vector<uint8_t> before = OnDisk();
        Hold(h.access, h.share);

        const LoadedRecords loaded = LoadRecords(path_.c_str());
        EXPECT_EQ(loaded.source, h.loadsAs);
        EXPECT_EQ(loaded.table.entries[0].score, h.loadsAs == RecordsSource::File ? 1000 : 0);
        EXPECT_FALSE(WriteRecords(path_.c_str(), DefaultRecords()));
        const AddedRecord added = AddRecord(path_.c_str(), "Held", 5000);
        EXPECT_EQ(added.rank, 0) << "the player still sees the new row";
        EXPECT_FALSE(added.written);
        EXPECT_FALSE(EraseRecords(path_.c_str()));
        EXPECT_FALSE(BinaryFile::Exists(Temporary().c_str()));

        Release();
        EXPECT_EQ(OnDisk(), before) << "the file is byte for byte as it was";
    }
}

TEST_F(RecordsFileTest, AMalformedFileIsDeletedOnceNoOneHoldsIt) {
    {
        BinaryFile f;
        ASSERT_TRUE(f.CreateWrite(path_.c_str()));
        ASSERT_TRUE(f.WriteAll("QvRecords", 9));
    }
    Hold(GENERIC_READ, 0);
    EXPECT_EQ(LoadRecords(path_.c_str()).source, RecordsSource::Unreadable);
    Release();
    EXPECT_TRUE(BinaryFile::Exists(path_.c_str()));
    EXPECT_EQ(LoadRecords(path_.c_str()).source, RecordsSource::Malformed);
    EXPECT_FALSE(BinaryFile::Exists(path_.c_str()));
}

}  // namespace
