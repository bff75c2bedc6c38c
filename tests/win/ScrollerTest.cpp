// The scroller under Wine with real input: its zones light up and report themselves, a click
// on an arrow steps once, a held arrow repeats at its documented pace, a middle drag steps per
// movement with the cursor wrapping round the screen, and whatever ends a press ends the
// repeat with it.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlTestSupport.h"
#include "controls/Scroller.h"

namespace {

using namespace ctltest;

constexpr int kWidth = 20;
constexpr int kZoneHeights[3] = {10, 16, 10};
constexpr int kScrollerHeight = 36;
constexpr int kNormal = 0, kHover = 1, kPressed = 2;  // frames of a zone's block without a disabled frame
constexpr LPARAM kNeverMs = 60000;                    // a delay or interval no test lasts

constexpr int ZoneTop(int zone) { return zone == kTopZone ? 0 : zone == kMiddleZone ? 10 : 26; }

// Frame f of zone z is painted in ZoneColour(z, f); a block has up to four frames.
constexpr uint32_t ZoneColour(int zone, int frame) {
    constexpr uint32_t colours[3][4] = {{0xB00000, 0xB05000, 0xB0A000, 0x600000},
                                        {0x00B000, 0x00B050, 0x00B0A0, 0x006000},
                                        {0x0000B0, 0x5000B0, 0xA000B0, 0x000060}};
    return colours[zone - 1][frame];
}

// The strip of a scroller with the test's zone heights: zone by zone, each zone's block of
// 3 frames (4 with a disabled frame) as tall as the zone.
DibPtr MakeZoneStrip(int frames) {
    std::vector<uint32_t> palette;
    for (int z = kTopZone; z <= kBottomZone; ++z)
        for (int f = 0; f < 4; ++f) palette.push_back(ZoneColour(z, f));
    DibPtr strip = BlankPicture(kWidth, frames * kScrollerHeight, palette);
    for (int z = kTopZone; z <= kBottomZone; ++z)
        for (int f = 0; f < frames; ++f)
            FillBlock(*strip, 0, frames * ZoneTop(z) + f * kZoneHeights[z - 1], kWidth, kZoneHeights[z - 1],
                      uint8_t(1 + (z - 1) * 4 + f));
    return strip;
}

class ScrollerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, 300, 200);
        scroller_ = parent_->AddControl(kScrollerClass, 20, 30);
        ASSERT_NE(scroller_, nullptr);
        strip_ = MakeZoneStrip(3);
        ASSERT_TRUE(strip_);
        parent_->onNotice = [this](UINT code, HWND) { times_.push_back({code, GetTickCount()}); };
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(scroller_, message, 0, argument); }
    LRESULT Value() { return Send(SCR_GETVALUE, 0); }
    void Configure() {
        Send(SCR_SETTOPHEIGHT, kZoneHeights[0]);
        Send(SCR_SETMIDDLEHEIGHT, kZoneHeights[1]);
        Send(SCR_SETBOTTOMHEIGHT, kZoneHeights[2]);
        Send(CM_SETBITMAP, AsParam(strip_));
    }

    // The frame a zone shows, told by the colour at its middle: -1 black, -2 anything else.
    int ZoneFrame(int zone) {
        const uint32_t seen = ScreenPixel(scroller_, kWidth / 2, ZoneTop(zone) + kZoneHeights[zone - 1] / 2);
        if (seen == 0) return kBlackFrame;
        for (int f = 0; f < 4; ++f)
            if (seen == ZoneColour(zone, f)) return f;
        return kUnknownFrame;
    }
    int AwaitZoneFrame(int zone, int expected) {
        int seen = kUnknownFrame;
        PumpUntil([&] { return (seen = ZoneFrame(zone)) == expected; }, 1000);
        return seen;
    }

    void HoverZone(int zone) { MoveCursorTo(ScreenPointOf(scroller_, kWidth / 2, ZoneTop(zone) + 3)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }
    void Click(int zone) {
        HoverZone(zone);
        PressLeft();
        ReleaseLeft();
    }
    std::vector<DWORD> TimesOf(UINT code) const {
        std::vector<DWORD> times;
        for (const auto& t : times_)
            if (t.first == code) times.push_back(t.second);
        return times;
    }

    std::unique_ptr<TestParent> parent_;
    HWND scroller_ = nullptr;
    DibPtr strip_;
    std::vector<std::pair<UINT, DWORD>> times_;
};

constexpr UINT Entered(int zone) { return ScrollerZoneCode(ScrollerZoneEvent::Entered, zone); }
constexpr UINT Left(int zone) { return ScrollerZoneCode(ScrollerZoneEvent::Left, zone); }
constexpr UINT Pressed(int zone) { return ScrollerZoneCode(ScrollerZoneEvent::Pressed, zone); }
constexpr UINT Released(int zone) { return ScrollerZoneCode(ScrollerZoneEvent::Released, zone); }

TEST(ScrollerZoneCodeTest, NumbersOfTheProtocol) {
    EXPECT_EQ((Codes{Entered(1), Entered(2), Entered(3), Left(1), Left(2), Left(3)}), (Codes{5, 6, 7, 8, 9, 10}));
    EXPECT_EQ((Codes{Pressed(1), Pressed(2), Pressed(3), Released(1), Released(2), Released(3)}),
              (Codes{11, 12, 13, 14, 15, 16}));
}

TEST_F(ScrollerTest, ReadyOnlyWhenTheZonesFillTheFrame) {
    Send(CM_SETBITMAP, AsParam(strip_));
    EXPECT_EQ(ClientSize(scroller_).cx, kWidth);
    EXPECT_EQ(ClientSize(scroller_).cy, kScrollerHeight);
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kBlackFrame), kBlackFrame) << "no zone heights yet";
    Send(SCR_SETTOPHEIGHT, 10);
    Send(SCR_SETMIDDLEHEIGHT, 16);
    Send(SCR_SETBOTTOMHEIGHT, 9);
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kBlackFrame), kBlackFrame) << "35 rows of 36";
    HoverZone(kTopZone);
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty()) << "inert";

    EXPECT_EQ(Send(SCR_SETBOTTOMHEIGHT, 0), 1);
    EXPECT_EQ(Send(SCR_GETBOTTOMHEIGHT, 0), 9) << "heights below 1 are ignored";
    Send(SCR_SETBOTTOMHEIGHT, 10);
    for (int zone : {kTopZone, kMiddleZone, kBottomZone})
        EXPECT_EQ(AwaitZoneFrame(zone, kNormal), kNormal) << "zone " << zone;

    // The same strip read as four frames per zone no longer fits.
    Send(SCR_SETDISABLEDFRAME, 1);
    EXPECT_EQ(Send(SCR_GETDISABLEDFRAME, 0), 1);
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kBlackFrame), kBlackFrame);
}

TEST_F(ScrollerTest, ZonesLightUpAndReportEnterAndLeave) {
    Configure();
    HoverZone(kTopZone);
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kHover), kHover);
    HoverZone(kMiddleZone);
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kHover), kHover);
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kNormal), kNormal);
    MoveCursorTo(kFarAway, 0);  // one jump: only the poll can tell
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kNormal), kNormal);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, Entered(1), Left(1), Entered(2), Left(2), CN_LEAVE}));
}

TEST_F(ScrollerTest, AClickOnAnArrowStepsOnce) {
    Configure();
    Send(SCR_SETREPEATDELAY, kNeverMs);
    Click(kTopZone);
    EXPECT_EQ(Value(), 55);
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kHover), kHover);
    Click(kBottomZone);
    Click(kBottomZone);
    EXPECT_EQ(Value(), 45);
    EXPECT_EQ(parent_->Codes(),
              Codes({CN_ENTER, Entered(1), CN_PRESSED, Pressed(1), CN_CHANGED, Released(1), CN_RELEASED, Left(1),
                     Entered(3), CN_PRESSED, Pressed(3), CN_CHANGED, Released(3), CN_RELEASED, CN_PRESSED, Pressed(3),
                     CN_CHANGED, Released(3), CN_RELEASED}));
    Click(kMiddleZone);
    EXPECT_EQ(Value(), 45) << "a click in the middle is no step";
}

TEST_F(ScrollerTest, AHeldArrowStepsAtTheDocumentedPace) {
    Configure();
    HoverZone(kTopZone);
    PressLeft();
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kPressed), kPressed);
    ASSERT_TRUE(PumpUntil([this] { return TimesOf(CN_CHANGED).size() >= 4; }, 5000));
    ReleaseLeft();
    const DWORD pressedAt = TimesOf(CN_PRESSED).at(0);
    const std::vector<DWORD> steps = TimesOf(CN_CHANGED);
    // 400 ms of delay and one tick of 150 ms, then two ticks per step; timers never come early
    // but may come late on a busy machine.
    EXPECT_GE(steps[0] - pressedAt, 530u);
    EXPECT_LE(steps[0] - pressedAt, 1500u);
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_GE(steps[i] - steps[i - 1], 280u) << "step " << i;
        EXPECT_LE(steps[i] - steps[i - 1], 1000u) << "step " << i;
    }
    EXPECT_EQ(Value(), 50 + 5 * static_cast<LRESULT>(steps.size())) << "one step per report";
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kHover), kHover) << "released over it";
}

TEST_F(ScrollerTest, ReleasedAfterTheDelayButBeforeARepeatItDoesNotStep) {
    Configure();
    Send(SCR_SETREPEATDELAY, 20);
    Send(SCR_SETREPEATINTERVAL, kNeverMs);
    EXPECT_EQ(Send(SCR_GETREPEATDELAY, 0), 20);
    EXPECT_EQ(Send(SCR_GETREPEATINTERVAL, 0), kNeverMs);
    HoverZone(kBottomZone);
    PressLeft();
    // Once the delay is over the held arrow waits for its first tick with its normal picture.
    EXPECT_EQ(AwaitZoneFrame(kBottomZone, kNormal), kNormal);
    ReleaseLeft();
    EXPECT_EQ(Value(), 50);
    EXPECT_FALSE(parent_->Received(CN_CHANGED));
}

TEST_F(ScrollerTest, AnArrowDraggedOffPausesAndReleasedElsewhereChangesNothing) {
    Configure();
    Send(SCR_SETREPEATDELAY, kNeverMs);
    HoverZone(kTopZone);
    PressLeft();
    MoveOff();
    EXPECT_EQ(AwaitZoneFrame(kTopZone, kNormal), kNormal);
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(Value(), 50);
    EXPECT_EQ(parent_->Codes(),
              Codes({CN_ENTER, Entered(1), CN_PRESSED, Pressed(1), Left(1), CN_LEAVE, Released(1), CN_RELEASED}));

    // Dragged back over the arrow, the repeat resumes at once.
    Send(SCR_SETREPEATINTERVAL, 20);
    parent_->notices.clear();
    HoverZone(kTopZone);
    PressLeft();
    MoveOff();
    HoverZone(kTopZone);
    EXPECT_TRUE(PumpUntil([this] { return Value() > 50; }, 2000));
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes()[4], Left(1));
    EXPECT_EQ(parent_->Codes()[6], Entered(1));
}

TEST_F(ScrollerTest, AMiddleDragStepsPerMovementAndWrapsTheCursor) {
    Configure();
    Send(SCR_SETMAX, 1000);
    Send(SCR_SETSTEP, 1);
    RECT screen{};
    GetClientRect(GetDesktopWindow(), &screen);
    // The press is synthetic, so the X server holds no grab that would bring the captured
    // moves from over other programs' windows: the test's own window covers the whole screen.
    SetWindowPos(parent_->get(), nullptr, 0, 0, screen.right, screen.bottom, SWP_NOZORDER);
    HoverZone(kMiddleZone);
    PressLeft();

    // Slow movements add up until they pass the threshold of 5 pixels.
    MoveCursorBy(0, -2);
    MoveCursorBy(0, -2);
    EXPECT_EQ(Value(), 50);
    MoveCursorBy(0, -2);
    EXPECT_EQ(Value(), 51) << "6 pixels up: one step up";

    // Up to the top edge of the screen, and on from the bottom edge.
    LRESULT atTheTop = 0;
    bool wrapped = false;
    for (int moves = 0; moves < 60 && !wrapped; ++moves) {
        const LRESULT before = Value();
        MoveCursorBy(0, -20);
        EXPECT_GT(Value(), before) << "every movement past the threshold is one step";
        POINT cursor{};
        GetCursorPos(&cursor);
        wrapped = cursor.y > screen.bottom / 2;
        atTheTop = Value();
    }
    ASSERT_TRUE(wrapped) << "the cursor came back from the bottom edge";
    for (int moves = 0; moves < 3; ++moves) MoveCursorBy(0, -20);
    EXPECT_GT(Value(), atTheTop) << "and the value keeps rising";

    const LRESULT high = Value();
    MoveCursorBy(0, 20);
    EXPECT_EQ(Value(), high - 1) << "down lowers it";
    MoveOff();
    ReleaseLeft();
    const Codes codes = parent_->Codes();
    EXPECT_EQ(Codes(codes.end() - 4, codes.end()), Codes({Released(2), CN_RELEASED, Left(2), CN_LEAVE}))
        << "released off the scroller";
}

TEST_F(ScrollerTest, ValueAndStepRules) {
    struct Case {
        UINT message;
        LPARAM argument;
        LRESULT value, step;
    };
    // From the defaults 0..100, value 50, step 5.
    const Case cases[] = {
        {SCR_SETVALUE, 53, 50, 5}, {SCR_SETVALUE, 500, 100, 5}, {SCR_SETVALUE, -3, 0, 5}, {SCR_SETSTEP, 7, 50, 7},
        {SCR_SETSTEP, 200, 50, 1}, {SCR_SETSTEP, -4, 50, 1},    {SCR_SETMAX, 1, 1, 0},  // the range 0..1 leaves no room
                                                                                        // for a step
    };
    for (const Case& c : cases) {
        HWND scroller = parent_->AddControl(kScrollerClass, 100, 10);
        SendMessageA(scroller, c.message, 0, c.argument);
        EXPECT_EQ(SendMessageA(scroller, SCR_GETVALUE, 0, 0), c.value) << c.message << " " << c.argument;
        EXPECT_EQ(SendMessageA(scroller, SCR_GETSTEP, 0, 0), c.step) << c.message << " " << c.argument;
        DestroyWindow(scroller);
    }

    // A step of 0 stores values as given and the arrows no longer move them.
    Configure();
    Send(SCR_SETMAX, 1);
    EXPECT_EQ(Send(SCR_GETSTEP, 0), 0);
    Send(SCR_SETVALUE, 1);
    EXPECT_EQ(Value(), 1);
    Send(SCR_SETREPEATDELAY, kNeverMs);
    Click(kBottomZone);
    EXPECT_EQ(Value(), 1);
    EXPECT_FALSE(parent_->Received(CN_CHANGED));
    EXPECT_EQ(Send(SCR_SETDRAGTHRESHOLD, 0), 1);
    EXPECT_EQ(Send(SCR_GETDRAGTHRESHOLD, 0), 5) << "below 1 is ignored";
}

TEST_F(ScrollerTest, DisablingOrLosingTheStripEndsThePressAndTheRepeat) {
    Configure();
    Send(SCR_SETREPEATDELAY, 20);
    Send(SCR_SETREPEATINTERVAL, 20);
    struct Case {
        const char* what;
        UINT message;
        LPARAM argument;
        int frameAfter;
    };
    // A missing pack picture gives a null strip: the scroller keeps its size and turns black.
    for (const Case& c :
         {Case{"disabled", CM_SETENABLED, 0, kNormal}, Case{"no strip", CM_SETBITMAP, 0, kBlackFrame}}) {
        MoveOff();
        parent_->notices.clear();
        HoverZone(kTopZone);
        PressLeft();
        ASSERT_TRUE(PumpUntil([this] { return parent_->Received(CN_CHANGED); }, 2000)) << c.what;
        EXPECT_EQ(Send(c.message, c.argument), 1) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
        const LRESULT value = Value();
        const size_t notices = parent_->notices.size();
        PumpFor(10 * 20);
        EXPECT_EQ(Value(), value) << c.what << ": no repeat tick after it";
        ReleaseLeft();
        PumpFor(3 * kHoverPollMs);
        EXPECT_EQ(parent_->notices.size(), notices) << c.what << ": the release and the cursor are ignored";
        EXPECT_EQ(ClientSize(scroller_).cy, kScrollerHeight) << c.what;
        EXPECT_EQ(AwaitZoneFrame(kTopZone, c.frameAfter), c.frameAfter) << c.what;
        Send(CM_SETENABLED, 1);
        Send(CM_SETBITMAP, AsParam(strip_));
    }
}

TEST_F(ScrollerTest, DisabledZonesShowTheirDisabledFrames) {
    auto strip4 = MakeZoneStrip(4);
    Configure();
    Send(SCR_SETDISABLEDFRAME, 1);
    Send(CM_SETBITMAP, AsParam(strip4));
    Send(CM_SETENABLED, 0);
    for (int zone : {kTopZone, kMiddleZone, kBottomZone}) EXPECT_EQ(AwaitZoneFrame(zone, 0), 0) << "zone " << zone;
    Send(CM_SETENABLED, 1);
    for (int zone : {kTopZone, kMiddleZone, kBottomZone})
        EXPECT_EQ(AwaitZoneFrame(zone, 1 + kNormal), 1 + kNormal) << "zone " << zone;
    HoverZone(kBottomZone);
    EXPECT_EQ(AwaitZoneFrame(kBottomZone, 1 + kHover), 1 + kHover);
}

TEST_F(ScrollerTest, OwnersMayDisableOrDestroyTheScrollerWhileItReports) {
    Configure();
    Send(SCR_SETREPEATDELAY, kNeverMs);
    parent_->onNotice = [this](UINT code, HWND) {
        if (code == CN_CHANGED) Send(CM_SETENABLED, 0);
    };
    Click(kTopZone);
    EXPECT_EQ(Value(), 55);
    EXPECT_EQ(GetCapture(), nullptr);
    PumpFor(3 * kHoverPollMs);
    const Codes codes = parent_->Codes();
    EXPECT_EQ(Codes(codes.end() - 3, codes.end()), Codes({CN_CHANGED, Released(1), CN_RELEASED}))
        << "every notice of the release was decided before the first";

    // Destroyed in the middle of a repeat.
    Send(CM_SETENABLED, 1);
    Send(SCR_SETREPEATDELAY, 20);
    Send(SCR_SETREPEATINTERVAL, 20);
    parent_->notices.clear();
    parent_->onNotice = [](UINT code, HWND control) {
        if (code == CN_CHANGED) DestroyWindow(control);
    };
    MoveOff();
    HoverZone(kTopZone);
    PressLeft();
    ASSERT_TRUE(PumpUntil([this] { return !IsWindow(scroller_); }, 2000));
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes().back(), CN_CHANGED) << "a destroyed scroller reports nothing";
}

TEST_F(ScrollerTest, UnknownNumbersAnswerOneAndChangeNothing) {
    Configure();
    for (UINT m = kFirstControlMessage; m <= kLastControlMessage; ++m) {
        const bool known = m <= CM_SETBITMAP || (m >= SCR_GETTOPHEIGHT && m <= SCR_SETREPEATINTERVAL);
        if (!known) {
            EXPECT_EQ(Send(m, 7), 1) << m;
        }
    }
    EXPECT_EQ(Value(), 50);
    EXPECT_EQ(Send(SCR_GETMIN, 0), 0);
    EXPECT_EQ(Send(SCR_GETMAX, 0), 100);
    EXPECT_EQ(Send(SCR_GETSTEP, 0), 5);
    EXPECT_EQ(Send(SCR_GETTOPHEIGHT, 0), kZoneHeights[0]);
    EXPECT_EQ(Send(SCR_GETMIDDLEHEIGHT, 0), kZoneHeights[1]);
    EXPECT_EQ(Send(SCR_GETREPEATDELAY, 0), LRESULT{kDefaultRepeatDelayMs});
    EXPECT_EQ(Send(SCR_GETREPEATINTERVAL, 0), LRESULT{kDefaultRepeatIntervalMs});
    EXPECT_EQ(AwaitZoneFrame(kMiddleZone, kNormal), kNormal);
}

}  // namespace
