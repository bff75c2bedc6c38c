// Words that fit: every language's text of every fixed box, measured with the face, weight and
// height the game draws it with, stays inside the room its window gives it. The texts come
// from the game's own string tables; the fonts from the system, as the game gets them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/StatisticsWindow.h"
#include "engine/JustifiedText.h"
#include "engine/LanguageIds.h"
#include "engine/PuzzleStats.h"
#include "gfx/GdiHandles.h"
#include "gfx/JustifiedTextDrawing.h"

namespace {

constexpr char kFace[] = "Comic Sans MS";

std::string Text(uint32_t id) {
    char buffer[400] = {};
    const int n = LoadStringA(App.Instance, id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

// A screen context with the game's font selected.
class Measurer {
public:
    Measurer(int height, int weight)
        : font_(CreateFontA(height,
                            0,
                            0,
                            0,
                            weight,
                            FALSE,
                            FALSE,
                            FALSE,
                            DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY,
                            DEFAULT_PITCH,
                            kFace)),
          selected_(screen_.get(), font_.get()) {}
    SIZE Measure(const char* text, int count) const {
        SIZE size{};
        GetTextExtentPoint32A(screen_.get(), text, count, &size);
        return size;
    }
    SIZE Measure(const std::string& text) const { return Measure(text.data(), static_cast<int>(text.size())); }
    TextMeasure Width() const {
        return [this](const char* text, int32_t count) { return static_cast<int32_t>(Measure(text, count).cx); };
    }

private:
    ScreenDC screen_;
    GdiObject<HFONT> font_;
    SelectedObject selected_;
};

// The ink of a justified text drawn as the game draws it, from its top-left at (0, 0): the
// rectangle just around every pixel it changed on a white canvas.
RECT InkOf(const std::string& text, const JustifiedTextStyle& style, int boxWidth) {
    constexpr int kCanvasWidth = 400, kCanvasHeight = 400;
    wintest::PixelCanvas canvas(kCanvasWidth, kCanvasHeight);
    canvas.Fill(255, 255, 255);
    DrawJustifiedText(canvas.dc(), text.c_str(), style, 0, 0, boxWidth);
    RECT ink{kCanvasWidth, kCanvasHeight, 0, 0};
    for (int y = 0; y < kCanvasHeight; ++y)
        for (int x = 0; x < kCanvasWidth; ++x) {
            if (canvas.Pixel(x, y) == 0xFFFFFF) continue;
            ink.left = std::min<LONG>(ink.left, x);
            ink.top = std::min<LONG>(ink.top, y);
            ink.right = std::max<LONG>(ink.right, x + 1);
            ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    return ink;
}

// Justified texts, drawn by the game's own renderer: the ink stays inside the box's width (no
// line runs past it, no word wider than the box) and above `bottomLimit`, counted from the
// text's top.
struct JustifiedBox {
    uint32_t base;
    const char* where;
    int weight;
    int height;
    int width;
    int bottomLimit;
};

TEST(TextFit, JustifiedTextsStayInTheirBoxes) {
    const int messageRoom = kMessageEditRect.top - kMessageTextAt.y;  // questions with a name to type
    const int messageFullRoom = 134;                                  // the text box of the others
    const JustifiedBox boxes[] = {
        {kRenameBoxStringBase, "message window, renaming", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageRoom},
        {kHonourNameStringBase, "message window, hall of honour", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageRoom},
        {kEraseFileStringBase, "message window, erasing", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kGameChangedStringBase, "message window, changed game", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kWallpaperStringBase, "message window, wallpaper", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kPrintStringBase, "message window, printing", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kFileRefusedStringBase, "message window, file refused", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kSaveFailedStringBase, "message window, save failed", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kNameRefusedStringBase, "message window, name refused", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kNothingToSaveStringBase, "message window, nothing to save", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kPictureMissingStringBase, "message window, picture missing", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kEraseFailedStringBase, "message window, erase failed", FW_NORMAL, kMessageFontHeight, kMessageTextWidth,
         messageFullRoom},
        {kProductPage1StringBase, "product page 1", 600, 22, 217, 264},
        {kProductPage2StringBase, "product page 2", 600, 22, 217, 264},
        {kProductPage3StringBase, "product page 3", 600, 22, 217, 264},
        {kProductPage4StringBase, "product page 4", 600, 22, 217, 264},
    };
    for (const JustifiedBox& box : boxes) {
        const JustifiedTextStyle style{kFace, box.weight, box.height, RGB(0, 0, 0), false, RGB(0, 0, 0), 0};
        for (uint32_t language = 0; language < kLanguageCount; ++language) {
            const std::string text = Text(box.base + language);
            ASSERT_FALSE(text.empty()) << box.base + language;
            const RECT ink = InkOf(text, style, box.width);
            EXPECT_LE(ink.right, box.width) << box.where << ", string " << box.base + language;
            EXPECT_LE(ink.bottom, box.bottomLimit) << box.where << ", string " << box.base + language;
            EXPECT_GT(ink.bottom, 0) << box.where << ", string " << box.base + language << " drew nothing";
        }
    }
}

TEST(TextFit, StatisticsWithTheLargestFiguresStayOnTheSheet) {
    // The sheet under the figures reaches from the text's left edge to x 470 and down to the OK
    // button; the text is drawn without clipping, so the sheet is its room.
    constexpr int kSheetRight = 470;
    constexpr int kButtonTop = kStatisticsOkAt.y;
    const Measurer font(kStatisticsFontHeight, FW_NORMAL);
    const uint32_t savedLanguage = App.LanguageIndex;
    for (uint32_t language = 0; language < kLanguageCount; ++language) {
        App.LanguageIndex = language;
        const std::string text = StatisticsText(99999, 100, kLargestScore);
        size_t start = 0;
        int rows = 0;
        for (;;) {
            const size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            EXPECT_LE(kStatisticsTextRect.left + font.Measure(line).cx, kSheetRight)
                << "language " << language << ": \"" << line << "\"";
            ++rows;
            if (end == std::string::npos) break;
            start = end + 1;
        }
        EXPECT_EQ(rows, 3);
        EXPECT_LE(kStatisticsTextRect.top + rows * font.Measure("0").cy, kButtonTop) << "language " << language;
    }
    App.LanguageIndex = savedLanguage;
}

TEST(TextFit, HallOfHonourTitleFitsItsRibbon) {
    // A text control of height 60 shows at most 15 characters of the title, centred on the
    // 568-pixel background, over the ribbon's 62 rows.
    constexpr size_t kShownCharacters = 15;
    constexpr int kBackgroundWidth = 568;
    constexpr int kRibbonHeight = 62;
    const Measurer font(60, FW_NORMAL);
    for (uint32_t language = 0; language < kLanguageCount; ++language) {
        const std::string title = Text(kHallTitleStringBase + language).substr(0, kShownCharacters);
        const SIZE size = font.Measure(title);
        EXPECT_LT(size.cx, kBackgroundWidth) << title;
        EXPECT_LE(size.cy, kRibbonHeight) << title;
    }
}

}  // namespace
