// The record block of the file-name list: layout, growth 50 bytes at a time, refusals, and
// reading names back with and without their extension.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/NameRecords.h"

namespace {

// A block on the heap that grows as a movable global block would: contents kept, start moved.
class GrowingBlock {
public:
    explicit GrowingBlock(int32_t size) : bytes_(new std::vector<uint8_t>(size, 0xEE)) {}
    NameBlockWriter Writer() {
        return NameBlockWriter(bytes_->data(), static_cast<int32_t>(bytes_->size()), [this](int32_t size) {
            ++grows_;
            if (failAt_ > 0 && size >= failAt_) return static_cast<uint8_t*>(nullptr);
            auto* moved = new std::vector<uint8_t>(*bytes_);
            moved->resize(size, 0xEE);
            bytes_.reset(moved);
            return bytes_->data();
        });
    }
    const uint8_t* Data() const { return bytes_->data(); }
    int32_t Size() const { return static_cast<int32_t>(bytes_->size()); }
    int grows_ = 0;
    int32_t failAt_ = 0;

private:
    std::unique_ptr<std::vector<uint8_t>> bytes_;
};

std::string NameAt(const NameBlockWriter& w, int32_t index, bool withoutExtension, int32_t bufferSize = 260) {
    std::vector<char> buffer(bufferSize > 0 ? bufferSize : 1, 'x');
    ReadNameRecord(w.Block(), w.Capacity(), w.Count(), index, withoutExtension, buffer.data(), bufferSize);
    return std::string(buffer.data());
}

TEST(NameRecords, RecordLayout) {
    GrowingBlock block(50);
    NameBlockWriter w = block.Writer();
    ASSERT_TRUE(w.Append("ab.c"));
    ASSERT_TRUE(w.Append("x"));
    ASSERT_TRUE(w.Finish());
    const std::vector<uint8_t> expected = {6, 'a', 'b', '.', 'c', 0, 3, 'x', 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(block.Data(), block.Data() + expected.size()), expected);
    EXPECT_EQ(w.Count(), 2);
    EXPECT_EQ(w.Used(), 9);
}

TEST(NameRecords, ThirtyNamesOfEightCharactersGrowTheBlockTo350Bytes) {
    GrowingBlock block(50);
    NameBlockWriter w = block.Writer();
    for (int i = 0; i < 30; ++i) {
        char name[9];
        snprintf(name, sizeof name, "foto%02d.x", i);
        name[8] = '\0';
        ASSERT_TRUE(w.Append(name));
    }
    ASSERT_TRUE(w.Finish());
    EXPECT_EQ(w.Capacity(), 350);
    EXPECT_EQ(block.Size(), 350);
    EXPECT_EQ(block.grows_, 6) << "50 bytes at a time";
    EXPECT_EQ(w.Used(), 300);
    EXPECT_EQ(block.Data()[300], 0) << "end byte";
    EXPECT_EQ(NameAt(w, 0, false), "foto00.x");
    EXPECT_EQ(NameAt(w, 29, false), "foto29.x") << "names survive every move of the block";
    EXPECT_EQ(NameAt(w, 17, true), "foto17");
}

TEST(NameRecords, GrowsBeforeTheRecordPlusFourNoLonger) {
    // Copying character i (from 0) needs the length byte, i characters and 4 bytes more: for
    // 46 characters the last one needs 1 + 45 + 4 = 50 bytes, which the first block has.
    GrowingBlock fits(50);
    NameBlockWriter a = fits.Writer();
    ASSERT_TRUE(a.Append(std::string(46, 'a').c_str()));
    EXPECT_EQ(a.Capacity(), 50);
    GrowingBlock grows(50);
    NameBlockWriter b = grows.Writer();
    ASSERT_TRUE(b.Append(std::string(47, 'a').c_str()));
    EXPECT_EQ(b.Capacity(), 100);
}

TEST(NameRecords, LongNamesAndFailedGrowthAreRefused) {
    GrowingBlock block(50);
    NameBlockWriter w = block.Writer();
    ASSERT_TRUE(w.Append(std::string(253, 'n').c_str())) << "the longest name whose length byte fits";
    EXPECT_EQ(block.Data()[0], 255);
    EXPECT_FALSE(w.Append(std::string(254, 'n').c_str())) << "its length byte would wrap to 0";
    EXPECT_FALSE(w.Append(std::string(255, 'n').c_str()));
    EXPECT_FALSE(w.Append(nullptr));
    EXPECT_EQ(w.Count(), 1);

    GrowingBlock tight(50);
    tight.failAt_ = 100;
    NameBlockWriter t = tight.Writer();
    EXPECT_FALSE(t.Append(std::string(60, 'q').c_str()));
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Capacity(), 50) << "a failed growth keeps the old block";
}

TEST(NameRecords, AnEmptyNameStillLeavesRoomForTheEndByte) {
    GrowingBlock block(2);
    NameBlockWriter w = block.Writer();
    ASSERT_TRUE(w.Append(""));
    ASSERT_TRUE(w.Finish());
    EXPECT_EQ(w.Capacity(), 52);
    EXPECT_EQ(block.Data()[0], 2);
    EXPECT_EQ(block.Data()[2], 0);
    EXPECT_EQ(NameAt(w, 0, false), "");
}

TEST(NameRecords, ReadingIntoSmallBuffersAndBadRequests) {
    GrowingBlock block(50);
    NameBlockWriter w = block.Writer();
    ASSERT_TRUE(w.Append("foto3.bmp"));
    ASSERT_TRUE(w.Append("readme"));
    ASSERT_TRUE(w.Finish());

    char buffer[16];
    EXPECT_EQ(ReadNameRecord(w.Block(), w.Capacity(), w.Count(), 0, false, buffer, 5), 11) << "L = 9 + 2";
    EXPECT_STREQ(buffer, "foto") << "a buffer of 5 takes the first 4 characters";
    EXPECT_EQ(NameAt(w, 0, true), "foto3");
    EXPECT_EQ(NameAt(w, 0, true, 3), "fo");
    EXPECT_EQ(NameAt(w, 1, true), "readme") << "a name without a dot stays whole";
    EXPECT_EQ(NameAt(w, 1, false, 7), "readme") << "exactly enough room";
    EXPECT_EQ(NameAt(w, 1, false, 2), "r");

    for (int32_t index : {-1, 2, 100}) {
        std::strcpy(buffer, "old");
        EXPECT_EQ(ReadNameRecord(w.Block(), w.Capacity(), w.Count(), index, false, buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, "") << index;
    }
    std::strcpy(buffer, "old");
    EXPECT_EQ(ReadNameRecord(w.Block(), w.Capacity(), w.Count(), 0, false, buffer, 1), 0);
    EXPECT_STREQ(buffer, "") << "a one-byte buffer gets the empty text";
    EXPECT_EQ(ReadNameRecord(w.Block(), w.Capacity(), w.Count(), 0, false, nullptr, 10), 0);
    EXPECT_EQ(ReadNameRecord(nullptr, 0, 2, 0, false, buffer, sizeof buffer), 0);
}

TEST(NameRecords, AReadNeverLeavesTheBlock) {
    // A count larger than the records written, over a block whose bytes past the end are
    // not records: the walk stops at the end byte instead of reading beyond the block.
    const uint8_t bytes[] = {4, 'a', 'b', 0, 0};
    char buffer[8] = "old";
    EXPECT_EQ(ReadNameRecord(bytes, sizeof bytes, 5, 1, false, buffer, sizeof buffer), 0);
    EXPECT_EQ(ReadNameRecord(bytes, sizeof bytes, 5, 3, false, buffer, sizeof buffer), 0);
    const uint8_t cut[] = {200, 'a', 'b'};
    EXPECT_EQ(ReadNameRecord(cut, sizeof cut, 1, 0, false, buffer, sizeof buffer), 0) << "record past the end";
}

}  // namespace
