// File-name lists and the file test against real files: a folder of 30 pictures fills a
// list whose block has grown to 350 bytes, names come back with and without extension,
// a pattern that matches nothing leaves an invalid list, and FileExists.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "WinTestSupport.h"
#include "gfx/NameList.h"
#include "platform/FileExists.h"

namespace {

class NameListTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = wintest::TempPath("names");
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& file : files_) DeleteFileA(file.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    void Touch(const std::string& name) {
        const std::string path = folder_ + "\\" + name;
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        CloseHandle(file);
        files_.push_back(path);
    }
    std::string Pattern(const char* wildcard) const { return folder_ + "\\" + wildcard; }

    std::string folder_;
    std::vector<std::string> files_;
};

TEST_F(NameListTest, ThirtyEightCharacterNamesGrowTheBlockTo350Bytes) {
    std::set<std::string> made;
    for (int i = 0; i < 30; ++i) {
        char name[16];
        snprintf(name, sizeof name, "pic%02d.bm", i);  // 8 characters
        Touch(name);
        made.insert(name);
    }
    NameList list;
    ASSERT_TRUE(list.Fill(Pattern("*.bm").c_str()));
    EXPECT_TRUE(list.IsValid());
    EXPECT_EQ(list.GetCount(), 30);
    EXPECT_EQ(list.GetCapacity(), 350);

    std::set<std::string> listed;
    char buffer[64];
    for (int i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(list.GetName(i, false, buffer, sizeof buffer), 10) << "8 characters + 2";
        listed.insert(buffer);
    }
    EXPECT_EQ(listed, made) << "every file once, in the file system's order";
    list.GetName(0, true, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer).size(), 5u) << "picNN without its extension";
}

TEST_F(NameListTest, NamesWithAndWithoutExtensionAndSmallBuffers) {
    Touch("foto3.bmp");
    NameList list;
    ASSERT_TRUE(list.Fill(Pattern("foto*.bmp").c_str()));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetCapacity(), 50) << "one short name fits the first block";
    char buffer[32];
    EXPECT_EQ(list.GetName(0, true, buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "foto3");
    list.GetName(0, false, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "foto3.bmp");
    list.GetName(0, false, buffer, 5);
    EXPECT_STREQ(buffer, "foto");
    EXPECT_EQ(list.GetName(1, false, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(NameListTest, APatternThatMatchesNothingLeavesAnInvalidList) {
    Touch("a.bmp");
    NameList list;
    ASSERT_TRUE(list.Fill(Pattern("*.bmp").c_str()));
    ASSERT_EQ(list.GetCount(), 1);

    EXPECT_FALSE(list.Fill(Pattern("*.none").c_str()));
    EXPECT_FALSE(list.IsValid());
    EXPECT_EQ(list.GetCount(), 0);
    char buffer[16] = "old";
    EXPECT_EQ(list.GetName(0, false, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");

    // Filled again, the list reuses its block.
    EXPECT_TRUE(list.Fill(Pattern("*.bmp").c_str()));
    EXPECT_EQ(list.GetCapacity(), 50);
    list.GetName(0, false, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "a.bmp");

    NameList never;
    EXPECT_EQ(never.GetName(0, false, buffer, sizeof buffer), 0);
    EXPECT_FALSE(never.Fill(nullptr));
}

TEST_F(NameListTest, FileExists) {
    Touch("here.txt");
    EXPECT_TRUE(FileExists((folder_ + "\\here.txt").c_str()));
    EXPECT_TRUE(FileExists(folder_.c_str())) << "a folder is found too";
    EXPECT_FALSE(FileExists((folder_ + "\\gone.txt").c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
}

}  // namespace
