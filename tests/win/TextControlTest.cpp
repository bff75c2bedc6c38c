// The text control under Wine: its size against the system's own measure of the text, the
// text, shadow and hover weight as they appear on the screen over the parent's picture, and
// real mouse input with the notices the parent receives.
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/TextControl.h"

namespace {

using namespace ctltest;

constexpr int kParentWidth = 300;
constexpr int kParentHeight = 200;
constexpr uint32_t kLeftColour = 0x3060A0;   // the parent's picture, left of kSplitX
constexpr uint32_t kRightColour = 0xA0C060;  // and right of it
constexpr int kSplitX = 40;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr uint32_t kRedPixel = 0xFF0000;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr uint32_t kBluePixel = 0x0000FF;
constexpr uint32_t kBlackPixel = 0x000000;
constexpr int kBigHeight = 28;  // tall enough for solid strokes

// The first row and column holding `colour`, or (-1, -1).
POINT FirstOf(const std::vector<uint32_t>& pixels, int width, uint32_t colour) {
    POINT first{-1, -1};
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != colour) continue;
        const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
        if (first.y < 0) first.y = y;
        if (first.x < 0 || x < first.x) first.x = x;
    }
    return first;
}

SIZE TextExtent(const char* text, int height, int weight) {
    ScreenDC screen;
    GdiObject<HFONT> font(CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kTextFace));
    SelectedObject selected(screen.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text, static_cast<int>(strlen(text)), &size);
    return size;
}

class TextControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, kParentWidth, kParentHeight);
        picture_ = BlankPicture(kParentWidth, kParentHeight, {kLeftColour, kRightColour});
        ASSERT_TRUE(picture_);
        FillBlock(*picture_, 0, 0, kSplitX, kParentHeight, 1);
        FillBlock(*picture_, kSplitX, 0, kParentWidth - kSplitX, kParentHeight, 2);
        parent_->SetBackground(picture_.get());
        text_ = parent_->AddControl(kTextControlClass, 20, 30);
        ASSERT_NE(text_, nullptr);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(text_, message, 0, argument); }
    LRESULT SetText(const char* text) { return Send(TXT_SETTEXT, reinterpret_cast<LPARAM>(text)); }
    LRESULT SetFace(const char* face) { return Send(TXT_SETFACE, reinterpret_cast<LPARAM>(face)); }

    // A hot red text on its shadow, as the game's links are.
    void MakeLink(const char* text = "Hall") {
        Send(TXT_SETFONTHEIGHT, kBigHeight);
        Send(TXT_SETCOLOR, kRed);
        Send(TXT_SETSHADOW, 1);
        SetText(text);
        SetFace(kTextFace);
        Send(CM_SETBITMAP, AsParam(picture_));
    }
    // The control's pixels once the screen shows `count` pixels or more of `colour` (or after a
    // second).
    std::vector<uint32_t> AwaitPixels(uint32_t colour, int count) {
        std::vector<uint32_t> pixels;
        PumpUntil([&] { return CountColour(pixels = ClientPixels(text_), colour) >= count; }, 1000);
        return pixels;
    }

    void Hover() { MoveCursorTo(ScreenPointOf(text_, 6, 6)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }

    std::unique_ptr<TestParent> parent_;
    DibPtr picture_;
    HWND text_ = nullptr;
};

TEST_F(TextControlTest, SizeIsTheLargerExtentOfBothWeightsPlusTheOffset) {
    struct Case {
        const char* text;
        int height;
        int weight;
        int hoverWeight;
        int offset;
    };
    const Case cases[] = {
        {"Rows", 10, 400, 700, 2},              // the defaults
        {"Number of pieces", 18, 600, 600, 2},  // the new-puzzle dialog's labels
        {"WWW", 24, 700, 400, 0},               // the rest weight is the heavier one
        {"il1|", 30, 100, 900, 5},
    };
    for (const Case& c : cases) {
        Send(TXT_SETFONTHEIGHT, c.height);
        Send(TXT_SETWEIGHT, c.weight);
        Send(TXT_SETHOVERWEIGHT, c.hoverWeight);
        Send(TXT_SETOFFSET, c.offset);
        EXPECT_EQ(SetText(c.text), 1);
        EXPECT_EQ(SetFace(kTextFace), 1);
        Send(CM_SETBITMAP, AsParam(picture_));
        const SIZE rest = TextExtent(c.text, c.height, c.weight);
        const SIZE hover = TextExtent(c.text, c.height, c.hoverWeight);
        EXPECT_EQ(ClientSize(text_).cx, std::max(rest.cx, hover.cx) + c.offset) << c.text;
        EXPECT_EQ(ClientSize(text_).cy, std::max(rest.cy, hover.cy) + c.offset) << c.text;
    }
    EXPECT_NE(TextExtent("WWW", 24, 700).cx, TextExtent("WWW", 24, 400).cx) << "the weights really measure apart";
}

TEST_F(TextControlTest, RefusesNullEmptyAndOverlongTextsAndFaces) {
    Send(CM_SETBITMAP, AsParam(picture_));
    EXPECT_EQ(SetFace(kTextFace), 1);
    EXPECT_EQ(SetText("Short"), 1);
    const SIZE shortSize = ClientSize(text_);

    const std::string longest(kRefusedTextLength - 1, 'm');
    EXPECT_EQ(SetText(longest.c_str()), 1);
    const SIZE longSize = ClientSize(text_);
    EXPECT_GT(longSize.cx, shortSize.cx);

    const std::string tooLong(kRefusedTextLength, 'i');
    for (const char* refused : {static_cast<const char*>(nullptr), "", tooLong.c_str()}) {
        EXPECT_EQ(SetText(refused), 0);
        EXPECT_EQ(ClientSize(text_).cx, longSize.cx) << "the old text stays";
    }

    const std::string longestFace(kRefusedFaceLength - 1, 'f');
    const std::string tooLongFace(kRefusedFaceLength, 'f');
    EXPECT_EQ(SetFace(longestFace.c_str()), 1);
    EXPECT_EQ(SetFace(tooLongFace.c_str()), 0);
    EXPECT_EQ(SetFace(nullptr), 0);
    EXPECT_EQ(SetFace(""), 1) << "an empty face name is the system's choice";
    EXPECT_GT(ClientSize(text_).cx, 1);
}

TEST_F(TextControlTest, WithoutABackgroundItStaysBlackAndInert) {
    SetText("Columns");
    SetFace(kTextFace);
    EXPECT_EQ(ClientSize(text_).cx, kPlaceholderSize);
    EXPECT_EQ(AwaitPixel(text_, 5, 5, kBlackPixel), kBlackPixel);
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());

    Send(CM_SETBITMAP, AsParam(picture_));
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(picture_));
    EXPECT_LT(ClientSize(text_).cx, kPlaceholderSize);
    Send(CM_SETBITMAP, 0);
    EXPECT_EQ(AwaitPixel(text_, 1, 1, kBlackPixel), kBlackPixel) << "a missing picture: black again";
}

TEST_F(TextControlTest, PrintedOnTheParentsPictureWithItsShadow) {
    MakeLink("Hall of honour");
    ASSERT_GT(ClientSize(text_).cx, kSplitX);
    // The control covers the picture's split: the colours on either side come from the picture
    // at the control's place, so the text looks printed on it.
    const int splitInside = kSplitX - 20;
    const int bottom = ClientSize(text_).cy - 1;
    EXPECT_EQ(AwaitPixel(text_, splitInside - 1, bottom, kLeftColour), kLeftColour);
    EXPECT_EQ(AwaitPixel(text_, splitInside, bottom, kRightColour), kRightColour);

    const auto withShadow = AwaitPixels(kBlackPixel, 1);
    EXPECT_GT(CountColour(withShadow, kRedPixel), 0);
    EXPECT_GT(CountColour(withShadow, kBlackPixel), 0) << "the shadow";
    Send(TXT_SETSHADOWCOLOR, kBlue);
    EXPECT_GT(CountColour(AwaitPixels(kBluePixel, 1), kBluePixel), 0);

    Send(TXT_SETSHADOW, 0);
    EXPECT_EQ(Send(TXT_GETSHADOW, 0), 0);
    PumpUntil([&] { return CountColour(ClientPixels(text_), kBluePixel) == 0; }, 1000);
    const auto plain = ClientPixels(text_);
    EXPECT_EQ(CountColour(plain, kBluePixel), 0);
    EXPECT_GT(CountColour(plain, kRedPixel), 0);
}

TEST_F(TextControlTest, HoverIsHeavierAndPressedMovesOntoTheShadow) {
    MakeLink();
    const int rest = CountColour(AwaitPixels(kRedPixel, 1), kRedPixel);
    ASSERT_GT(rest, 0);
    Hover();
    const auto hovered = AwaitPixels(kRedPixel, rest + rest / 4);
    EXPECT_GT(CountColour(hovered, kRedPixel), rest + rest / 4) << "weight 700 under the mouse";
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER}));

    PressLeft();
    std::vector<uint32_t> pressed;
    PumpUntil([&] { return CountColour(pressed = ClientPixels(text_), kBlackPixel) == 0; }, 1000);
    EXPECT_EQ(CountColour(pressed, kBlackPixel), 0) << "pressed over it: no shadow";
    const int width = ClientSize(text_).cx;
    const POINT before = FirstOf(hovered, width, kRedPixel), after = FirstOf(pressed, width, kRedPixel);
    const LRESULT offset = Send(TXT_GETOFFSET, 0);
    EXPECT_EQ(after.x, before.x + offset) << "moved onto the shadow's place";
    EXPECT_EQ(after.y, before.y + offset);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_CLICKED}));
    EXPECT_GT(CountColour(AwaitPixels(kBlackPixel, 1), kBlackPixel), 0) << "the shadow is back";

    MoveCursorTo(kFarAway, 0);  // one jump: only the poll can tell
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);
    PumpUntil([&] { return CountColour(ClientPixels(text_), kRedPixel) <= rest; }, 1000);
    EXPECT_EQ(CountColour(ClientPixels(text_), kRedPixel), rest) << "back to the normal weight";
}

TEST_F(TextControlTest, PressDraggedOffAndReleasedElsewhereIsNoClick) {
    MakeLink();
    Hover();
    PressLeft();
    MoveOff();
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_RELEASED})) << "no click, no late leave";
    EXPECT_EQ(GetCapture(), nullptr);

    // A release over it without a press on it counts as a click.
    parent_->notices.clear();
    PressLeft();  // goes down on the parent
    Hover();
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_RELEASED, CN_CLICKED}));
}

TEST_F(TextControlTest, DisabledLabelsDrawInTheirDisabledColourAndIgnoreTheMouse) {
    // The new-puzzle dialog's labels: disabled, weight 600, height 18, shadow off.
    Send(TXT_SETWEIGHT, 600);
    Send(TXT_SETFONTHEIGHT, kBigHeight);
    Send(TXT_SETDISABLEDCOLOR, kRed);
    EXPECT_EQ(Send(TXT_GETDISABLEDCOLOR, 0), LRESULT{kRed});
    Send(CM_SETENABLED, 0);
    SetText("Pieces");
    SetFace(kTextFace);
    Send(CM_SETBITMAP, AsParam(picture_));
    const auto pixels = AwaitPixels(kRedPixel, 1);
    EXPECT_GT(CountColour(pixels, kRedPixel), 0);
    EXPECT_EQ(CountColour(pixels, 0xFFFFFF), 0) << "not the enabled colour";
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());
}

TEST_F(TextControlTest, DisablingAHoveredTextShowsAtTheNextRepaint) {
    MakeLink();
    Send(TXT_SETDISABLEDCOLOR, kBlue);
    Hover();
    AwaitPixels(kRedPixel, 1);
    ValidateRect(text_, nullptr);
    Send(CM_SETENABLED, 0);
    EXPECT_FALSE(GetUpdateRect(text_, nullptr, FALSE)) << "disabling does not repaint";
    MoveOff();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER})) << "the hover ended silently";
    InvalidateRect(text_, nullptr, FALSE);
    EXPECT_GT(CountColour(AwaitPixels(kBluePixel, 1), kBluePixel), 0);
}

TEST_F(TextControlTest, OwnersMayTakeTheBackgroundAwayDuringAPress) {
    MakeLink();
    Hover();
    PressLeft();
    Send(CM_SETBITMAP, 0);
    EXPECT_EQ(GetCapture(), nullptr) << "a control that is not ready must not keep the capture";
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
}

TEST_F(TextControlTest, SettingsReadBackAndUnknownNumbersAnswerOne) {
    const struct {
        UINT get, set;
        LPARAM defaultValue, newValue;
    } settings[] = {
        {TXT_GETSHADOW, TXT_SETSHADOW, 0, 1},
        {TXT_GETSHADOWCOLOR, TXT_SETSHADOWCOLOR, 0x000000, 0x123456},
        {TXT_GETCOLOR, TXT_SETCOLOR, 0xFFFFFF, 0x00FF00},
        {TXT_GETDISABLEDCOLOR, TXT_SETDISABLEDCOLOR, 0xA4A0A0, 0x0000FF},
        {TXT_GETOFFSET, TXT_SETOFFSET, 2, 3},
        {TXT_GETFONTHEIGHT, TXT_SETFONTHEIGHT, 10, 18},
        {TXT_GETWEIGHT, TXT_SETWEIGHT, 400, 600},
        {TXT_GETHOVERWEIGHT, TXT_SETHOVERWEIGHT, 700, 800},
    };
    for (const auto& s : settings) {
        EXPECT_EQ(Send(s.get, 0), s.defaultValue) << s.get;
        EXPECT_EQ(Send(s.set, s.newValue), 1) << s.set;
        EXPECT_EQ(Send(s.get, 0), s.newValue) << s.get;
    }
    EXPECT_EQ(Send(TXT_SETFACE - 2, 0), 1) << "1350 is known to no text control";
    for (UINT m = TXT_SETFACE + 1; m <= kLastControlMessage; ++m) EXPECT_EQ(Send(m, 0), 1) << m;
}

}  // namespace
