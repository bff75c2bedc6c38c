#include <gtest/gtest.h>

#include <cstring>

#include "engine/ModuleFolder.h"

namespace {

AppString SystemWritten(const char* text) {
    AppString s(260);
    std::strcpy(s.Buffer(), text);
    s.Recount();
    return s;
}

TEST(ModuleFolderTest, KeepsTheFolderWithItsBackslash) {
    AppString s = SystemWritten("C:\\Games\\Vexla\\Vexla.exe");
    TrimToFolder(s);
    EXPECT_STREQ(s.Text(), "C:\\Games\\Vexla\\");
    EXPECT_EQ(s.Length(), 16);
}

TEST(ModuleFolderTest, PathsWithoutAUsableBackslashStayWhole) {
    AppString leading = SystemWritten("\\Vexla.exe");
    TrimToFolder(leading);
    EXPECT_STREQ(leading.Text(), "\\Vexla.exe");
    EXPECT_EQ(leading.Length(), 11);

    AppString none = SystemWritten("Vexla.exe");
    TrimToFolder(none);
    EXPECT_STREQ(none.Text(), "Vexla.exe");

    AppString never;
    TrimToFolder(never);
    EXPECT_EQ(never.Length(), 0);
}

TEST(ModuleFolderTest, FullBuffersAreCutWithinTheirBytes) {
    // A 259-character path fills the buffer; its last backslash, at 258, is still a cut.
    std::string near(258, 'a');
    near += "\\";
    AppString s = SystemWritten(near.c_str());
    TrimToFolder(s);
    EXPECT_EQ(s.Length(), 260);
    // A buffer the system filled to the brim (no terminator) is read only within its bytes.
    AppString full(260);
    std::memset(full.Buffer(), 'b', 260);
    full.Buffer()[100] = '\\';
    full.Recount();
    TrimToFolder(full);
    EXPECT_EQ(full.Length(), 101 + 1);
}

}  // namespace
