// The statistics window over a stand-in play screen: its three lines in every language; opened
// centred with the play screen disabled and the clock paused, closed by Enter or its OK button
// with both undone; and the figures it paints, told apart on screen from other figures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "controls/CommandButton.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/StatisticsWindow.h"
#include "engine/LanguageIds.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

class StatisticsWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kStatisticsWindowClass, &info)) RegisterStatisticsWindowClass(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first: " << DistPackPath();
        App.LanguageIndex = kLanguageEnglish;
        App.SoundEffectsOn = 0;
        ctltest::MoveCursorTo(ctltest::kFarAway);
        App.PlayScreenWindow = CreateWindowExA(0, "STATIC", "play", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                               nullptr, App.Instance, nullptr);
        Board.Puzzle.ClockPaused = 0;
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        DestroyWindow(App.PlayScreenWindow);
        App.PlayScreenWindow = nullptr;
        App.LanguageIndex = kLanguageEnglish;
    }
    HWND Open() {
        window_ = OpenStatistics();
        if (window_ != nullptr) SetForegroundWindow(window_);
        dlgtest::RunGameLoopUntil([this] { return GetForegroundWindow() == window_; }, kWaitMs);
        return window_;
    }

    HWND window_ = nullptr;
};

TEST_F(StatisticsWindowTest, ThreeLinesInEveryLanguage) {
    const char* expected[kLanguageCount] = {
        "Total de Piezas: 48\nPorcentaje: 75%\nPuntuaci\xF3n: 1234",
        "Number of pieces: 48\nPercentage: 75%\nScore: 1234",
        "Total de Pe\xE7"
        "as: 48\nPorcentagem: 75%\nPontua\xE7\xE3o: 1234",
        "Quantita di pezzi: 48\nPercentile: 75%\nRisultato: 1234",
        "Quantit\xE9 de pi\xE8"
        "ces: 48\nPourcentage: 75%\nScore: 1234",
        "St\xFC"
        "ckzahl: 48\nProzentsatz: 75%\nErgebnis: 1234",
    };
    for (uint32_t language = 0; language < kLanguageCount; ++language) {
        App.LanguageIndex = language;
        EXPECT_EQ(StatisticsText(48, 75, 1234), expected[language]) << language;
    }
}

TEST_F(StatisticsWindowTest, PausesTheClockWhileOpenAndClosesOnEnterOrOk) {
    enum class Close { Enter, ForwardedEnter, OkButton };
    for (Close how : {Close::Enter, Close::ForwardedEnter, Close::OkButton}) {
        ASSERT_NE(Open(), nullptr);
        RECT client{}, frame{};
        GetClientRect(window_, &client);
        GetWindowRect(window_, &frame);
        EXPECT_EQ(client.right, 500);
        EXPECT_EQ(client.bottom, 272);
        EXPECT_EQ(frame.left, CentredDialogRect(500, 272, App.ScreenWidth, App.ScreenHeight).left);
        EXPECT_EQ(GetWindow(window_, GW_OWNER), App.PlayScreenWindow);
        EXPECT_FALSE(IsWindowEnabled(App.PlayScreenWindow));
        EXPECT_EQ(Board.Puzzle.ClockPaused, 1);
        switch (how) {
            case Close::Enter: dlgtest::SendKey(VK_RETURN); break;
            case Close::ForwardedEnter: SendMessageA(window_, ChildCharMessage, VK_RETURN, 0); break;
            case Close::OkButton:
                dlgtest::ClickControl(dlgtest::ChildrenOfClass(window_, kCommandButtonClass).at(0));
                break;
        }
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([this] { return !IsWindow(window_); }, kWaitMs)) << static_cast<int>(how);
        EXPECT_TRUE(IsWindowEnabled(App.PlayScreenWindow));
        EXPECT_EQ(Board.Puzzle.ClockPaused, 0);
    }
}

// The pure red pixels of the figures' area: the red copy's glyphs, whatever lies under them.
std::vector<bool> RedMask(const std::vector<uint32_t>& pixels, int width) {
    std::vector<bool> mask;
    for (int y = kStatisticsTextRect.top; y < kStatisticsOkAt.y; ++y)
        for (int x = kStatisticsTextRect.left; x < width; ++x)
            mask.push_back(pixels[static_cast<size_t>(y * width + x)] == 0xFF0000);
    return mask;
}

// The figures drawn as the window draws them, on a plain canvas of its size.
std::vector<bool> ExpectedMask(const std::string& text, SIZE size) {
    wintest::PixelCanvas canvas(size.cx, size.cy);
    GdiObject<HFONT> font(CreateFontA(kStatisticsFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      "Comic Sans MS"));
    {
        SelectedObject selected(canvas.dc(), font.get());
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), RGB(255, 0, 0));
        RECT box = kStatisticsTextRect;
        DrawTextA(canvas.dc(), text.c_str(), -1, &box, DT_NOCLIP);
    }
    std::vector<uint32_t> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) pixels.push_back(canvas.Pixel(x, y));
    return RedMask(pixels, size.cx);
}

TEST_F(StatisticsWindowTest, PaintsTheFiguresOfTheGame) {
    // No puzzle is cut in this program: the figures are all 0.
    ASSERT_NE(Open(), nullptr);
    const SIZE size = ctltest::ClientSize(window_);
    const std::vector<bool> shown = ExpectedMask(StatisticsText(0, 0, 0), size);
    const std::vector<bool> other = ExpectedMask(StatisticsText(0, 0, 10), size);
    ASSERT_NE(shown, other);
    std::vector<bool> onScreen;
    dlgtest::RunGameLoopUntil(
        [&] {
            onScreen = RedMask(ctltest::ClientPixels(window_), size.cx);
            return onScreen == shown;
        },
        kWaitMs);
    EXPECT_EQ(onScreen, shown);
}

}  // namespace
