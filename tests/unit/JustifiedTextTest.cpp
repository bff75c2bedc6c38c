// Line breaking and justification of the message and about windows, measured with fake fonts:
// one where every character is 10 pixels wide and one with proportional widths. The fakes
// fail the test when asked to measure anything outside the text they were given.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/JustifiedText.h"

namespace {

// Sums the widths of the characters, checking that every range lies inside `text`.
TextMeasure FakeFont(std::string_view text, std::map<char, int32_t> widths = {}, int32_t otherWidth = 10) {
    return [text, widths, otherWidth](const char* start, int32_t count) {
        EXPECT_GE(start, text.data());
        EXPECT_GE(count, 0);
        EXPECT_LE(start + count, text.data() + text.size()) << "measured past the text";
        int32_t width = 0;
        for (int32_t i = 0; i < count; ++i) {
            const auto found = widths.find(start[i]);
            width += found != widths.end() ? found->second : otherWidth;
        }
        return width;
    };
}

// "row:[characters]", and " +extra/breaks" for a justified line.
std::vector<std::string> Describe(std::string_view text, const std::vector<JustifiedLine>& lines) {
    std::vector<std::string> out;
    for (const JustifiedLine& line : lines) {
        std::string d = std::to_string(line.row) + ":[" + std::string(text.substr(line.start, line.count)) + "]";
        if (line.justified) d += " +" + std::to_string(line.extraWidth) + "/" + std::to_string(line.breakCount);
        out.push_back(d);
    }
    return out;
}

struct LayoutCase {
    const char* what;
    std::string_view text;
    int32_t boxWidth;
    std::vector<std::string> lines;
};

TEST(JustifiedText, LinesOfAFixedWidthFont) {
    const LayoutCase cases[] = {
        {"empty text", "", 100, {}},
        {"the line that ends the text is not justified", "abc", 100, {"0:[abc]"}},
        {"two leading breaks start two rows down", "\n\nab", 100, {"2:[ab]"}},
        {"a blank row between lines", "a\n\nb", 100, {"0:[a] +90/1", "2:[b]"}},
        {"the word that does not fit starts the next line and counts as a break",
         "ab cd ef",
         60,
         {"0:[ab cd] +10/3", "1:[ef]"}},
        {"a width exactly the box's does not fit", "ab cd", 50, {"0:[ab] +30/2", "1:[cd]"}},
        {"one pixel more and it does", "ab cd", 51, {"0:[ab cd]"}},
        {"a line broken by a newline is justified", "ab\ncd", 100, {"0:[ab] +80/1", "1:[cd]"}},
        {"a newline at the very end", "ab\n", 100, {"0:[ab] +80/1"}},
        {"trailing spaces before a newline stay", "ab   \ncd", 100, {"0:[ab   ] +50/1", "1:[cd]"}},
        {"leading spaces stay", "   ab", 100, {"0:[   ab]"}},
        {"one leading space after a newline stays too", "\n ab", 100, {"1:[ ab]"}},
        {"at a width break all but the last space of the run stay", "ab   cd", 60, {"0:[ab  ] +20/2", "1:[cd]"}},
        {"a word wider than the box is cut where it stops fitting",
         "abcdefghij",
         35,
         {"0:[abc]", "1:[def]", "2:[ghi]", "3:[j]"}},
        {"a wide word after a short one", "ab abcdefgh", 45, {"0:[ab] +25/2", "1:[abcd]", "2:[efgh]"}},
        {"a character wider than the box still moves on", "ab", 5, {"0:[a]", "1:[b]"}},
        {"and ends its line like a word", "m\nab c", 5, {"0:[m]", "1:[a]", "2:[b]", "3:[c]"}},
        {"the text ends at its first NUL", std::string_view("ab\0cd", 5), 100, {"0:[ab]"}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Describe(c.text, LayOutJustifiedText(c.text, c.boxWidth, FakeFont(c.text))), c.lines);
    }
}

TEST(JustifiedText, ProportionalWidthsDecideWhatFits) {
    // m = 10, i = 2, space = 3: "mmm iii" is 39 pixels, "mmm iii mmm" 72.
    const std::map<char, int32_t> widths = {{'m', 10}, {'i', 2}, {' ', 3}};
    const std::string_view text = "mmm iii mmm iii";
    EXPECT_EQ(Describe(text, LayOutJustifiedText(text, 45, FakeFont(text, widths))),
              (std::vector<std::string>{"0:[mmm iii] +6/3", "1:[mmm iii]"}));
}

TEST(JustifiedText, TheGamesEnglishQuestionsLayOutAsWritten) {
    // Spaces 4 pixels and every other character 8, in the message window's 210-pixel box.
    const std::map<char, int32_t> widths = {{' ', 4}};
    const std::string_view rename = "\n\nWrite the new name of\n               the BOX :";
    EXPECT_EQ(Describe(rename, LayOutJustifiedText(rename, 210, FakeFont(rename, widths, 8))),
              (std::vector<std::string>{"2:[Write the new name of] +58/5", "3:[               the BOX :]"}));
    const std::string_view print = "\n\nDo you wish to print this puzzle?";
    EXPECT_EQ(Describe(print, LayOutJustifiedText(print, 210, FakeFont(print, widths, 8))),
              (std::vector<std::string>{"2:[Do you wish to print this] +30/7", "3:[puzzle?]"}));
}

TEST(JustifiedText, RandomTextsLoseNoCharacterAndStayInTheBox) {
    // Whatever the text and the box: the lines come in order, in rows going down, inside the
    // text; every character other than a space or a newline is drawn exactly once; a line is
    // narrower than the box unless it is one character.
    std::mt19937 random(1524);
    const std::map<char, int32_t> widths = {{'i', 3}, {'m', 14}, {' ', 5}};
    const char alphabet[] = {'a', 'i', 'm', ' ', ' ', '\n'};
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text) c = alphabet[random() % sizeof alphabet];
        const int32_t box = static_cast<int32_t>(random() % 80);
        const TextMeasure measure = FakeFont(text, widths);
        const std::vector<JustifiedLine> lines = LayOutJustifiedText(text, box, measure);
        SCOPED_TRACE("text \"" + text + "\", box " + std::to_string(box));

        std::string drawn, expected;
        for (char c : text)
            if (c != ' ' && c != '\n') expected += c;
        for (size_t k = 0; k < lines.size(); ++k) {
            const JustifiedLine& line = lines[k];
            ASSERT_GT(line.count, 0);
            ASSERT_LE(static_cast<size_t>(line.start + line.count), text.size());
            if (k > 0) {
                ASSERT_GE(line.start, lines[k - 1].start + lines[k - 1].count);
                ASSERT_GT(line.row, lines[k - 1].row);
            }
            const std::string piece = text.substr(line.start, line.count);
            ASSERT_EQ(piece.find('\n'), std::string::npos);
            for (char c : piece)
                if (c != ' ') drawn += c;
            if (line.count > 1) {
                EXPECT_LT(measure(text.data() + line.start, line.count), box) << piece;
            }
        }
        ASSERT_EQ(drawn, expected);
    }
}

}  // namespace
