// JustifiedText: how the message window and the about window break their texts into lines
// and justify them. The drawing side measures with the font it draws with and applies the
// result line by line (text justification on, the line drawn, justification off).
//
// A line collects words while it stays narrower than the box. When the next word does not
// fit, the line ends before the run of spaces in front of that word, keeping all but the last
// of those spaces; the last one is skipped, so the next line begins with the word. "\n" ends
// a line and an empty one leaves a blank row. Leading spaces, and trailing spaces before a
// "\n", stay in their line and take part in the justification: the texts use them to place
// their lines. Every line but the one that ends the text is justified, and its break count
// is the number of words looked at for it, the word that did not fit included, which the
// shipped texts are laid out for. A word wider than the box on its own is cut wherever its
// characters stop fitting and goes on in the next row; no character is lost.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// Width in pixels of the first `count` characters at `text`.
using TextMeasure = std::function<int32_t(const char* text, int32_t count)>;

struct JustifiedLine {
    int32_t start;  // offset of its first character in the text
    int32_t count;  // characters drawn
    int32_t row;    // rows below the first: drawn at top + row x the height of a space
    bool justified;
    int32_t extraWidth;  // box width - the line's width, spread over its breaks when justified
    int32_t breakCount;  // the words looked at for the line, when justified
};

// Lays out `text` (up to its end or its first NUL, whichever comes first) in a box
// `boxWidth` pixels wide. Lines of no characters are left out; the rows of the others count
// them. Lines may run below any box height. The result is allocated: std::bad_alloc is the
// caller's to catch.
std::vector<JustifiedLine> LayOutJustifiedText(std::string_view text, int32_t boxWidth, const TextMeasure& measure);
