#include "engine/JustifiedText.h"

#include <algorithm>
#include <limits>

namespace {

// The text as the layout sees it: characters up to `length`, and '\0' for "no more text".
class TextCursor {
public:
    explicit TextCursor(std::string_view text)
        : text_(text.substr(0, text.find('\0'))),
          length_(static_cast<int32_t>(
              std::min<size_t>(text_.size(), static_cast<size_t>(std::numeric_limits<int32_t>::max())))) {}

    char At(int32_t position) const { return position < length_ ? text_[static_cast<size_t>(position)] : '\0'; }
    const char* Data(int32_t position) const { return text_.data() + position; }

private:
    std::string_view text_;
    int32_t length_;
};

bool EndsLine(char c) { return c == '\0' || c == '\n'; }

// Walks one word on from `i` (relative to the line's start): the spaces before it, then its
// characters, up to a line break or the end, or up to the last space before the next word.
int32_t ScanWord(const TextCursor& text, int32_t lineStart, int32_t i) {
    bool spaceSeen = false;
    for (;;) {
        const char c = text.At(lineStart + i);
        if (c == ' ') {
            spaceSeen = true;
            ++i;
        } else if (EndsLine(c)) {
            return i;
        } else if (!spaceSeen) {
            ++i;
        } else {
            return i - 1;
        }
    }
}

// How many of the first `scanned` characters of a word too wide for the box go on this row:
// as many as stay narrower than the box, and never fewer than one, so the layout moves on.
int32_t CutTooWideWord(const TextCursor& text,
                       int32_t lineStart,
                       int32_t scanned,
                       int32_t boxWidth,
                       const TextMeasure& measure) {
    int32_t kept = 1;
    while (kept + 1 < scanned && measure(text.Data(lineStart), kept + 1) < boxWidth) ++kept;
    return kept;
}

}  // namespace

std::vector<JustifiedLine> LayOutJustifiedText(std::string_view source, int32_t boxWidth, const TextMeasure& measure) {
    const TextCursor text(source);
    std::vector<JustifiedLine> lines;
    int32_t lineStart = 0;
    for (int32_t row = 0;; ++row) {
        int32_t scanned = 0;      // characters looked at so far
        int32_t fittingEnd = -1;  // where the words that fit end, -1 before any
        int32_t fittingWidth = 0;
        int32_t words = 0;
        int32_t width = 0;
        char next = '\0';
        for (;;) {
            scanned = ScanWord(text, lineStart, scanned);
            ++words;
            next = text.At(lineStart + scanned);
            if (scanned == 0 && EndsLine(next)) break;
            width = scanned == 0 ? 0 : measure(text.Data(lineStart), scanned);
            if (width >= boxWidth || EndsLine(next)) break;
            fittingEnd = scanned;
            fittingWidth = width;
            ++scanned;  // over the space before the next word
        }

        if (scanned == 0 && EndsLine(next)) {
            if (next == '\0') return lines;
            lineStart += 1;  // a blank row
        } else if (width >= boxWidth && fittingEnd >= 0) {
            if (fittingEnd > 0) {
                lines.push_back({lineStart, fittingEnd, row, true, boxWidth - fittingWidth, words});
            }
            lineStart += fittingEnd + 1;  // the last space before the word that did not fit
        } else if (width >= boxWidth) {
            const int32_t kept = CutTooWideWord(text, lineStart, scanned, boxWidth, measure);
            lines.push_back({lineStart, kept, row, false, 0, 0});
            lineStart += kept;
            // A single character wider than the box was all there was: the space or "\n"
            // after it ends its line, as after any other line.
            const char after = text.At(lineStart);
            if (kept >= scanned && (after == ' ' || after == '\n')) lineStart += 1;
        } else {
            const bool endsText = next == '\0';
            lines.push_back(
                {lineStart, scanned, row, !endsText, endsText ? 0 : boxWidth - width, endsText ? 0 : words});
            if (endsText) return lines;
            lineStart += scanned + 1;  // over the "\n"
        }
    }
}
