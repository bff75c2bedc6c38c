// AppString: the refusal limit, exact buffer sizes, lengths that count the terminating zero,
// and the empty-side rule of concatenation.
#include "engine/AppString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Repeat(char c, size_t count) { return std::string(count, c); }

TEST(AppStringConstruction, EmptyAllocatesNothing) {
    AppString s;
    EXPECT_EQ(s.Buffer(), nullptr);
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_STREQ(s.Text(), "");
}

TEST(AppStringConstruction, CapacitySetsLengthAndCapacityUntilRecount) {
    AppString s(260);
    ASSERT_NE(s.Buffer(), nullptr);
    EXPECT_EQ(s.Length(), 260);
    EXPECT_EQ(s.Capacity(), 260);

    std::strcpy(s.Buffer(), "C:\\Games\\");
    s.Recount();
    EXPECT_EQ(s.Length(), 10);
    EXPECT_EQ(s.Capacity(), 260);
    EXPECT_STREQ(s.Text(), "C:\\Games\\");
}

TEST(AppStringConstruction, RecountNeverPassesTheCapacity) {
    AppString s(4);
    std::memcpy(s.Buffer(), "abcd", 4);  // no zero inside the buffer
    s.Recount();
    EXPECT_EQ(s.Length(), 4);
    EXPECT_STREQ(s.Text(), "abc");  // the last byte became the terminator
}

TEST(AppStringConstruction, NonPositiveCapacityAllocatesNothing) {
    AppString zero(0);
    AppString negative(-5);
    EXPECT_EQ(zero.Buffer(), nullptr);
    EXPECT_EQ(negative.Buffer(), nullptr);
    EXPECT_EQ(negative.Length(), 0);
    negative.Recount();
    EXPECT_EQ(negative.Length(), 0);
}

TEST(AppStringAssign, NineHundredNinetyNineCharactersAreTakenAThousandRefused) {
    AppString s;
    const std::string longest = Repeat('a', 999);
    ASSERT_TRUE(s.Assign(longest.c_str()));
    EXPECT_EQ(s.Length(), 1000);
    EXPECT_EQ(s.Capacity(), 1000);

    const std::string tooLong = Repeat('b', 1000);
    EXPECT_FALSE(s.Assign(tooLong.c_str()));
    EXPECT_EQ(s.Length(), 1000);
    EXPECT_EQ(s.Text()[0], 'a');

    EXPECT_FALSE(s.Assign(Repeat('c', 5000).c_str()));
    EXPECT_EQ(s.Text()[0], 'a');
    EXPECT_FALSE(s.Assign(nullptr));
    EXPECT_EQ(s.Text()[0], 'a');
}

TEST(AppStringAssign, GrowsToExactlyTheTextAndNeverShrinks) {
    AppString s;
    ASSERT_TRUE(s.Assign("abc"));
    EXPECT_EQ(s.Length(), 4);
    EXPECT_EQ(s.Capacity(), 4);

    ASSERT_TRUE(s.Assign("abcdefg"));
    EXPECT_EQ(s.Capacity(), 8);

    ASSERT_TRUE(s.Assign("xy"));  // fits: the buffer stays
    EXPECT_EQ(s.Length(), 3);
    EXPECT_EQ(s.Capacity(), 8);
    EXPECT_STREQ(s.Text(), "xy");

    ASSERT_TRUE(s.Assign(""));
    EXPECT_EQ(s.Length(), 1);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(AppStringAssign, OwnTextIsSafe) {
    AppString s("hello");
    ASSERT_TRUE(s.Assign(s.Text() + 2));
    EXPECT_STREQ(s.Text(), "llo");
}

TEST(AppStringAppend, GrowsToExactlyTheNewLength) {
    AppString s("abc");
    ASSERT_TRUE(s.Append("de"));
    EXPECT_STREQ(s.Text(), "abcde");
    EXPECT_EQ(s.Length(), 6);
    EXPECT_EQ(s.Capacity(), 6);

    AppString folder(260);
    std::strcpy(folder.Buffer(), "C:\\");
    folder.Recount();
    ASSERT_TRUE(folder.Append("vexla.rf"));
    EXPECT_EQ(folder.Capacity(), 260);  // room enough: no new buffer
    EXPECT_EQ(folder.Length(), 12);
}

TEST(AppStringAppend, ToANeverAssignedString) {
    AppString s;
    ASSERT_TRUE(s.Append("xyz"));
    EXPECT_STREQ(s.Text(), "xyz");
    EXPECT_EQ(s.Length(), 4);
    EXPECT_EQ(s.Capacity(), 4);
}

TEST(AppStringAppend, TheLimitAppliesToTheAppendedTextAlone) {
    AppString s(Repeat('a', 999).c_str());
    ASSERT_TRUE(s.Append(Repeat('b', 999).c_str()));
    EXPECT_EQ(s.Length(), 1999);
    EXPECT_EQ(s.Capacity(), 1999);

    EXPECT_FALSE(s.Append(Repeat('c', 1000).c_str()));
    EXPECT_EQ(s.Length(), 1999);
    EXPECT_FALSE(s.Append(nullptr));
}

TEST(AppStringAppend, OwnTextIsSafeWhileTheBufferGrows) {
    AppString s("abc");
    ASSERT_TRUE(s.Append(s.Text()));
    EXPECT_STREQ(s.Text(), "abcabc");
}

TEST(AppStringAppend, Integers) {
    AppString s("n=");
    ASSERT_TRUE(s.AppendInt(0));
    EXPECT_STREQ(s.Text(), "n=0");
    EXPECT_EQ(s.Capacity(), 4);

    ASSERT_TRUE(s.AppendInt(-42));
    EXPECT_STREQ(s.Text(), "n=0-42");
    EXPECT_EQ(s.Length(), 7);

    AppString extremes;
    ASSERT_TRUE(extremes.AppendInt(2147483647));
    ASSERT_TRUE(extremes.AppendInt(-2147483647 - 1));
    EXPECT_STREQ(extremes.Text(), "2147483647-2147483648");
    EXPECT_EQ(extremes.Capacity(), 22);

    AppString folder("Help\\");
    folder.AppendInt(1);
    EXPECT_STREQ(folder.Text(), "Help\\1");
}

TEST(AppStringConcatenation, BothSidesPresent) {
    const AppString left("Image\\");
    const AppString right("foto0.bmp");
    const AppString joined = left + right;
    EXPECT_STREQ(joined.Text(), "Image\\foto0.bmp");
    EXPECT_EQ(joined.Length(), 16);
    EXPECT_EQ(joined.Capacity(), 16);

    EXPECT_STREQ((left + "x").Text(), "Image\\x");
    EXPECT_STREQ(("C:\\" + left).Text(), "C:\\Image\\");
    EXPECT_EQ((left + "x").Capacity(), 8);
}

TEST(AppStringConcatenation, AnEmptySideGivesACopyOfTheOther) {
    const AppString never;
    const AppString blank("");
    const AppString word("word");

    const AppString a = never + word;
    EXPECT_STREQ(a.Text(), "word");
    EXPECT_EQ(a.Capacity(), 5);
    EXPECT_STREQ((word + blank).Text(), "word");
    EXPECT_STREQ((blank + "tail").Text(), "tail");
    EXPECT_STREQ(("" + word).Text(), "word");
    EXPECT_STREQ((word + nullptr).Text(), "word");

    // A copy of a never-assigned string is still one: no buffer, length 0.
    const AppString nothing = never + "";
    EXPECT_EQ(nothing.Length(), 0);
    EXPECT_EQ(nothing.Buffer(), nullptr);
    EXPECT_EQ((blank + never).Length(), 0);
}

TEST(AppStringConcatenation, ATooLongTextCountsAsEmpty) {
    const AppString word("word");
    const std::string tooLong = Repeat('z', 1000);
    EXPECT_EQ(word + tooLong.c_str(), "word");
    EXPECT_EQ(tooLong.c_str() + word, "word");
}

TEST(AppStringPrefix, FirstCharactersOrTheWhole) {
    const AppString s("abcdef");
    const AppString three = s.Prefix(3);
    EXPECT_STREQ(three.Text(), "abc");
    EXPECT_EQ(three.Capacity(), 4);
    EXPECT_STREQ(s.Prefix(6).Text(), "abcdef");
    EXPECT_STREQ(s.Prefix(100).Text(), "abcdef");
    EXPECT_EQ(s.Prefix(0).Length(), 1);
    EXPECT_EQ(s.Prefix(-3).Length(), 1);
    EXPECT_EQ(AppString().Prefix(3).Length(), 0);
}

TEST(AppStringEquality, LengthsFirstThenBytes) {
    const AppString abc("abc");
    EXPECT_TRUE(abc == "abc");
    EXPECT_TRUE(abc == AppString("abc"));
    EXPECT_FALSE(abc == "abd");
    EXPECT_FALSE(abc == "ab");
    EXPECT_FALSE(abc == "abcd");
    EXPECT_TRUE(abc != AppString("abd"));

    // Same text, but one string still counts its whole capacity: not equal.
    AppString sized(8);
    std::strcpy(sized.Buffer(), "abc");
    EXPECT_FALSE(sized == abc);
    sized.Recount();
    EXPECT_TRUE(sized == abc);

    EXPECT_TRUE(AppString() == AppString());
    EXPECT_TRUE(AppString() == nullptr);
    EXPECT_FALSE(AppString() == "");
    EXPECT_FALSE(AppString("") == AppString());
}

TEST(AppStringCopyAndMove, CopyIsExactMoveEmptiesTheSource) {
    AppString sized(64);
    std::strcpy(sized.Buffer(), "abc");
    sized.Recount();

    const AppString copy(sized);
    EXPECT_STREQ(copy.Text(), "abc");
    EXPECT_EQ(copy.Capacity(), 4);
    EXPECT_NE(copy.Text(), sized.Text());

    AppString assigned("something longer");
    assigned = copy;
    EXPECT_STREQ(assigned.Text(), "abc");
    EXPECT_EQ(assigned.Capacity(), 4);
    const AppString& same = assigned;
    assigned = same;  // self-assignment keeps the text
    EXPECT_STREQ(assigned.Text(), "abc");

    AppString moved(std::move(sized));
    EXPECT_STREQ(moved.Text(), "abc");
    EXPECT_EQ(moved.Capacity(), 64);
    EXPECT_EQ(sized.Buffer(), nullptr);  // NOLINT(bugprone-use-after-move): moved-from is empty by contract
    EXPECT_EQ(sized.Length(), 0);

    AppString target("old");
    target = std::move(moved);
    EXPECT_STREQ(target.Text(), "abc");
    EXPECT_EQ(moved.Length(), 0);  // NOLINT(bugprone-use-after-move)

    const AppString never;
    const AppString emptyCopy(never);
    EXPECT_EQ(emptyCopy.Buffer(), nullptr);
    EXPECT_EQ(emptyCopy.Length(), 0);
}

}  // namespace
