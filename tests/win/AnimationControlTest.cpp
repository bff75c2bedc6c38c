// The animation control under Wine: its settings and when they are refused, the frame it
// paints, the tick timer and what stops it, and real mouse input (the system's cursor moves,
// its left button goes down and up) with the notices the parent receives.
#include <gtest/gtest.h>

#include "AnimationTestSupport.h"

namespace {

using namespace animtest;

constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 12;
constexpr LPARAM kFastTicksMs = 20;
constexpr LPARAM kNoTicksMs = 60000;  // a period no test lasts

class AnimationControlTest : public AnimationFixture {
protected:
    void SetUp() override {
        AnimationFixture::SetUp();
        sheet_ = MakeSheet(kFrameWidth, kFrameHeight, 5, 2);
        other_ = MakeSheet(kFrameWidth, kFrameHeight, 5, 2);
        ASSERT_TRUE(sheet_ && other_);
    }
    // The usual order: grid, interval, then the sheet.
    void Configure(LPARAM interval = kNoTicksMs) {
        Send(ANM_SETFRAMEROWS, 2);
        Send(ANM_SETFRAMECOLUMNS, 5);
        Send(ANM_SETINTERVAL, interval);
        Send(CM_SETBITMAP, AsParam(sheet_));
    }
    // The colour at the middle of the control once it is `expected`, or after a second.
    uint32_t AwaitCentre(uint32_t expected) {
        uint32_t seen = 0;
        PumpUntil([&] { return (seen = ScreenPixel(anim_, kFrameWidth / 2, kFrameHeight / 2)) == expected; }, 1000);
        return seen;
    }
    // Starts the animation and waits for its first ticks.
    void StartAndSeeTicks() {
        parent_->notices.clear();
        Send(ANM_SETRUNNING, 1);
        ASSERT_TRUE(Running());
        ASSERT_TRUE(AwaitTicks(2));
    }
    // Expects the tick timer to be stopped: not running, and no tick arrives for a while.
    void ExpectStopped(const char* what) {
        EXPECT_FALSE(Running()) << what;
        parent_->notices.clear();
        PumpFor(10 * kFastTicksMs);
        EXPECT_EQ(TickCount(), 0) << what;
    }

    DibPtr sheet_, other_;
};

TEST_F(AnimationControlTest, DefaultsAndSettingsReadBack) {
    EXPECT_EQ(Send(ANM_GETINTERVAL, 0), LRESULT{kDefaultAnimationIntervalMs});
    EXPECT_EQ(Send(ANM_GETFRAMEROWS, 0), 1);
    EXPECT_EQ(Send(ANM_GETFRAMECOLUMNS, 0), 1);
    EXPECT_EQ(Send(ANM_GETFRAME, 0), 0);
    EXPECT_EQ(Send(ANM_GETMASKED, 0), 0);
    EXPECT_EQ(Send(ANM_GETUSERDATA, 0), 0);
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
    EXPECT_EQ(Send(ANM_GETBACKGROUNDDC, 0), 0);
    EXPECT_FALSE(Running());

    EXPECT_EQ(Send(ANM_SETUSERDATA, -7), 1);
    EXPECT_EQ(Send(ANM_GETUSERDATA, 0), -7);
    EXPECT_EQ(Send(ANM_SETINTERVAL, 200), 1);
    EXPECT_EQ(Send(ANM_GETINTERVAL, 0), 200);
    EXPECT_EQ(Send(ANM_SETFRAMEROWS, 0), 1) << "fewer than one row is refused";
    EXPECT_EQ(Send(ANM_GETFRAMEROWS, 0), 1);
    EXPECT_EQ(Send(ANM_SETFRAMECOLUMNS, 3), 1);
    EXPECT_EQ(Send(ANM_GETFRAMECOLUMNS, 0), 3);
    EXPECT_EQ(Send(ANM_SETFRAME, 4), 1);
    EXPECT_EQ(Send(ANM_GETFRAME, 0), 4);
}

TEST_F(AnimationControlTest, UnknownNumbersAnswerOneAndChangeNothing) {
    Configure();
    Send(ANM_SETFRAME, 3);
    for (UINT m = kFirstControlMessage; m <= kLastControlMessage; ++m) {
        const bool known = m <= CM_SETBITMAP || (m >= ANM_GETBACKGROUNDDC && m <= ANM_GETHOVER);
        if (!known) {
            EXPECT_EQ(SendMessageA(anim_, m, 0, 1), 1) << m;
        }
    }
    EXPECT_EQ(Send(ANM_GETFRAME, 0), 3);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(sheet_));
    EXPECT_FALSE(Running());
    EXPECT_TRUE(parent_->notices.empty());
}

TEST_F(AnimationControlTest, SizesItselfToOneFrameAndPaintsTheChosenFrame) {
    EXPECT_EQ(AwaitCentre(0), 0u) << "no sheet: black";
    Configure();
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(sheet_));
    EXPECT_EQ(ClientSize(anim_).cx, kFrameWidth);
    EXPECT_EQ(ClientSize(anim_).cy, kFrameHeight);
    EXPECT_EQ(AwaitCentre(FrameColour(0)), FrameColour(0));

    for (int frame : {7, 4, 5, 9}) {
        Send(ANM_SETFRAME, frame);
        EXPECT_EQ(AwaitCentre(FrameColour(frame)), FrameColour(frame)) << "frame " << frame;
    }
    // Frames outside the grid would come from beyond the picture: they show black.
    for (LPARAM outside : {10, 500, -1}) {
        Send(ANM_SETFRAME, outside);
        EXPECT_EQ(AwaitCentre(0), 0u) << "frame " << outside;
    }

    // The grid decides the frame size: one row of the same sheet makes frames twice as tall,
    // and frame 2 then holds frames 2 and 7 of the two-row grid.
    Send(ANM_SETFRAME, 2);
    Send(ANM_SETFRAMEROWS, 1);
    EXPECT_EQ(ClientSize(anim_).cy, 2 * kFrameHeight);
    EXPECT_EQ(AwaitCentre(FrameColour(2)), FrameColour(2));
    uint32_t lower = 0;
    PumpUntil([&] { return (lower = ScreenPixel(anim_, 1, 2 * kFrameHeight - 2)) == FrameColour(7); }, 1000);
    EXPECT_EQ(lower, FrameColour(7));
}

TEST_F(AnimationControlTest, RunningBeforeTheSheetDoesNothing) {
    Send(ANM_SETINTERVAL, kFastTicksMs);
    EXPECT_EQ(Send(ANM_SETRUNNING, 1), 1);
    EXPECT_FALSE(Running());
    PumpFor(10 * kFastTicksMs);
    EXPECT_EQ(TickCount(), 0);

    Send(CM_SETBITMAP, AsParam(sheet_));
    EXPECT_FALSE(Running()) << "the sheet does not start what was asked before it";
    PumpFor(10 * kFastTicksMs);
    EXPECT_EQ(TickCount(), 0);
    StartAndSeeTicks();
    EXPECT_EQ(Send(ANM_GETFRAME, 0), 0) << "ticking never changes the frame by itself";
    EXPECT_EQ(Send(ANM_SETRUNNING, 0), 1);
    ExpectStopped("stopped by its owner");
}

TEST_F(AnimationControlTest, EveryRecomputeStopsTheAnimation) {
    Configure(kFastTicksMs);

    StartAndSeeTicks();
    Send(CM_SETBITMAP, AsParam(other_));
    ExpectStopped("a new sheet");

    StartAndSeeTicks();
    Send(CM_SETBITMAP, AsParam(other_));
    ExpectStopped("the same sheet again");

    StartAndSeeTicks();
    Send(ANM_SETFRAMEROWS, 2);
    ExpectStopped("new rows, even the same number");

    StartAndSeeTicks();
    Send(ANM_SETFRAMECOLUMNS, 5);
    ExpectStopped("new columns");

    StartAndSeeTicks();
    Send(ANM_SETMASKED, 1);
    ExpectStopped("masked without a background");
    EXPECT_EQ(Send(ANM_SETRUNNING, 1), 1);
    EXPECT_FALSE(Running()) << "a masked sheet without a background is not ready";
    Send(ANM_SETMASKED, 0);

    StartAndSeeTicks();
    EXPECT_EQ(Send(ANM_SETBACKGROUNDDC, 0), 0) << "no context: refused";
    ExpectStopped("a refused background");
    EXPECT_EQ(Send(ANM_SETRUNNING, 1), 1);
    EXPECT_FALSE(Running()) << "a refused background leaves the control not ready until the next recompute";
    Send(ANM_SETFRAMEROWS, 2);
    StartAndSeeTicks();

    Send(CM_SETBITMAP, 0);
    ExpectStopped("no sheet");
    EXPECT_EQ(AwaitCentre(0), 0u);
}

TEST_F(AnimationControlTest, NewIntervalWaitsForTheNextStart) {
    Configure(kFastTicksMs);
    StartAndSeeTicks();

    EXPECT_EQ(Send(ANM_SETINTERVAL, kNoTicksMs), 1);
    EXPECT_EQ(Send(ANM_GETINTERVAL, 0), kNoTicksMs);
    parent_->notices.clear();
    EXPECT_TRUE(AwaitTicks(3)) << "the running timer keeps its period";

    Send(ANM_SETRUNNING, 0);
    Send(ANM_SETRUNNING, 1);
    EXPECT_TRUE(Running());
    parent_->notices.clear();
    PumpFor(15 * kFastTicksMs);
    EXPECT_EQ(TickCount(), 0) << "started again: the new period";

    Send(ANM_SETINTERVAL, kFastTicksMs);
    Send(ANM_SETRUNNING, 1);  // unchanged: nothing happens, the timer keeps its long period
    PumpFor(15 * kFastTicksMs);
    EXPECT_EQ(TickCount(), 0);
}

TEST_F(AnimationControlTest, DisabledControlSendsNoTicksAndIgnoresTheMouse) {
    Configure(kFastTicksMs);
    StartAndSeeTicks();
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 0);
    parent_->notices.clear();
    HoverAt(5, 5);
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    PumpFor(10 * kFastTicksMs);
    EXPECT_TRUE(parent_->notices.empty());
    EXPECT_TRUE(Running()) << "disabling does not stop the timer, it only silences it";

    Send(CM_SETENABLED, 1);
    EXPECT_TRUE(AwaitTicks(2));
}

TEST_F(AnimationControlTest, WithoutASheetItIgnoresTheMouse) {
    HoverAt(25, 25);
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
}

TEST_F(AnimationControlTest, HoverStartsOnMoveAndEndsByPolling) {
    Configure();
    HoverAt(5, 5);
    HoverAt(8, 6);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER})) << "one enter however often the mouse moves";
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 1);
    EXPECT_EQ(AwaitCentre(FrameColour(0)), FrameColour(0)) << "hovering does not change the picture";

    MoveCursorTo(kFarAway, 0);  // one jump: only the timer can tell
    EXPECT_LE(WaitForLeave(), kLeaveToleranceMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_LEAVE}));
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
}

TEST_F(AnimationControlTest, ClickOverTheControl) {
    Configure();
    HoverAt(5, 5);
    PressLeft();
    EXPECT_EQ(GetCapture(), anim_);
    ReleaseLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_CLICKED}));
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 1);
    MoveOff();
    EXPECT_LE(WaitForLeave(), kLeaveToleranceMs) << "polling again after the click";
}

TEST_F(AnimationControlTest, ReleaseWithoutAPressIsReportedButIsNoClick) {
    Configure();
    MoveOff();
    PressLeft();  // goes down on the parent
    HoverAt(5, 5);
    ReleaseLeft();  // comes up on the control
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_RELEASED}));
    EXPECT_EQ(GetCapture(), nullptr);

    // The same release sent as the system would send it.
    parent_->notices.clear();
    SendMessageA(anim_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(parent_->Codes(), Codes({CN_RELEASED}));
}

TEST_F(AnimationControlTest, PressDragOffAndBackCountsTheFrameRectangle) {
    Configure();
    HoverAt(5, 5);
    PressLeft();
    HoverAt(kFrameWidth + 6, 5);
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
    HoverAt(5, 5);
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 1);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_ENTER, CN_RELEASED, CN_CLICKED}));
}

TEST_F(AnimationControlTest, PressDragOffReleaseElsewhere) {
    Configure();
    HoverAt(5, 5);
    PressLeft();
    MoveOff();
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_RELEASED})) << "no click, no late leave";
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
}

TEST_F(AnimationControlTest, ReleaseOnTheFramesEdgeStillEndsTheHover) {
    Configure();
    HoverAt(5, 5);
    PressLeft();
    // x = width lies in the frame's rectangle (both ends count) but outside the window.
    HoverAt(kFrameWidth, 5);
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 1);
    ReleaseLeft();
    EXPECT_FALSE(parent_->Received(CN_CLICKED)) << "the window under the cursor is the parent";
    EXPECT_LE(WaitForLeave(), kLeaveToleranceMs) << "a hover the poll no longer watched would never end";
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_LEAVE}));
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
}

TEST_F(AnimationControlTest, AParentTakingTheCaptureEndsThePress) {
    Configure();
    HoverAt(5, 5);
    PressLeft();
    MoveOff();
    SetCapture(parent_->get());
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_RELEASED})) << "no click";
    EXPECT_EQ(GetCapture(), parent_->get()) << "the control does not take the new capture away";
    ReleaseLeft();
    ReleaseCapture();
}

TEST_F(AnimationControlTest, DisablingOrLosingTheSheetEndsAPressSilently) {
    Configure(kFastTicksMs);
    HoverAt(5, 5);
    PressLeft();
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Send(ANM_GETHOVER, 0), 0);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));

    Send(CM_SETENABLED, 1);
    MoveOff();
    parent_->notices.clear();
    HoverAt(5, 5);
    PressLeft();
    Send(ANM_SETRUNNING, 1);
    EXPECT_EQ(Send(ANM_SETBACKGROUNDDC, 0), 0);
    EXPECT_EQ(GetCapture(), nullptr) << "a control that is not ready must not keep the capture";
    EXPECT_FALSE(Running());
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
}

// Masked mode: the frame goes through its mask over the owner's background.
class MaskedAnimationTest : public AnimationFixture {
protected:
    static constexpr int kWidth = 20;
    static constexpr int kHeight = 10;
    static constexpr uint32_t kBackground = 0x20A040;
    static constexpr uint32_t kPictureA = 0xD02020;
    static constexpr uint32_t kPictureB = 0x2020D0;

    void SetUp() override {
        AnimationFixture::SetUp();
        // Two frames side by side, each a picture band above its mask band. Frame 0 is opaque
        // on its left half, frame 1 on its top half.
        sheet_ = BlankPicture(2 * kWidth, 2 * kHeight, {kPictureA, kPictureB, kBackground});
        ASSERT_TRUE(sheet_);
        FillBlock(*sheet_, 0, 0, kWidth / 2, kHeight, 1);
        FillBlock(*sheet_, kWidth / 2, kHeight, kWidth / 2, kHeight, kWhiteIndex);
        FillBlock(*sheet_, kWidth, 0, kWidth, kHeight / 2, 2);
        FillBlock(*sheet_, kWidth, kHeight + kHeight / 2, kWidth, kHeight / 2, kWhiteIndex);

        ScreenDC screen;
        background_ = MemoryDC(screen.get());
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
        previous_ = SelectObject(background_.get(), bitmap_.get());
        GdiObject<HBRUSH> brush(
            CreateSolidBrush(RGB(kBackground >> 16, (kBackground >> 8) & 0xFF, kBackground & 0xFF)));
        RECT all{0, 0, kWidth, kHeight};
        FillRect(background_.get(), &all, brush.get());
    }
    void TearDown() override {
        AnimationFixture::TearDown();
        SelectObject(background_.get(), previous_);
    }
    uint32_t AwaitPixel(int x, int y, uint32_t expected) {
        uint32_t seen = 0;
        PumpUntil([&] { return (seen = ScreenPixel(anim_, x, y)) == expected; }, 1000);
        return seen;
    }

    DibPtr sheet_;
    MemoryDC background_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(MaskedAnimationTest, DrawsThroughTheMaskOverTheBackground) {
    Send(ANM_SETFRAMECOLUMNS, 2);
    EXPECT_EQ(Send(ANM_SETMASKED, 1), 1);
    Send(CM_SETBITMAP, AsParam(sheet_));
    Send(ANM_SETRUNNING, 1);
    EXPECT_FALSE(Running()) << "no background yet";
    EXPECT_EQ(ClientSize(anim_).cx, kPlaceholderSize) << "not ready: not sized yet";
    EXPECT_EQ(AwaitPixel(3, 3, 0), 0u);

    EXPECT_EQ(Send(ANM_SETBACKGROUNDDC, reinterpret_cast<LPARAM>(background_.get())), 1);
    EXPECT_EQ(Send(ANM_GETBACKGROUNDDC, 0), reinterpret_cast<LPARAM>(background_.get()));
    EXPECT_EQ(ClientSize(anim_).cx, kWidth);
    EXPECT_EQ(ClientSize(anim_).cy, kHeight) << "a masked row is a picture band and a mask band";
    EXPECT_EQ(AwaitPixel(3, 3, kPictureA), kPictureA);
    EXPECT_EQ(AwaitPixel(kWidth - 3, 3, kBackground), kBackground) << "transparent: the background";

    Send(ANM_SETFRAME, 1);
    EXPECT_EQ(AwaitPixel(kWidth - 3, 2, kPictureB), kPictureB);
    EXPECT_EQ(AwaitPixel(3, kHeight - 2, kBackground), kBackground);
    Send(ANM_SETRUNNING, 1);
    EXPECT_TRUE(Running());

    // A background of another size than the frame: not ready, black, stopped.
    GdiObject<HBITMAP> larger;
    {
        ScreenDC screen;
        larger.reset(CreateCompatibleBitmap(screen.get(), kWidth + 1, kHeight));
    }
    MemoryDC other(nullptr);
    const HGDIOBJ old = SelectObject(other.get(), larger.get());
    EXPECT_EQ(Send(ANM_SETBACKGROUNDDC, reinterpret_cast<LPARAM>(other.get())), 1);
    EXPECT_FALSE(Running());
    EXPECT_EQ(AwaitPixel(3, 3, 0), 0u);
    SelectObject(other.get(), old);

    // Not masked any more: the background no longer matters, and the sheet is read as plain
    // frames twice as tall.
    Send(ANM_SETMASKED, 0);
    EXPECT_EQ(ClientSize(anim_).cy, 2 * kHeight);
    Send(ANM_SETFRAME, 0);
    EXPECT_EQ(AwaitPixel(3, 3, kPictureA), kPictureA);
    EXPECT_EQ(AwaitPixel(kWidth - 3, kHeight + 3, 0xFFFFFF), 0xFFFFFFu) << "the mask band shows as a picture";
}

}  // namespace
