// The animated-button drivers against a real animation control under Wine. The control's own
// tick timer runs with a period no test lasts; ticks are handed to the drivers by the tests,
// so every frame sequence is exact. One test lets real ticks and the real pointer drive the
// ten-frame driver as an owner window would.
#include <gtest/gtest.h>

#include "AnimationTestSupport.h"
#include "controls/AnimationDrivers.h"

namespace {

using namespace animtest;

constexpr LPARAM kNoTicksMs = 60000;
using Frames = std::vector<int>;

class DriverTest : public AnimationFixture {
protected:
    void SetUp() override {
        AnimationFixture::SetUp();
        sheet_ = MakeSheet(12, 10, 5, 2);
        ASSERT_TRUE(sheet_);
        Send(ANM_SETFRAMEROWS, 2);
        Send(ANM_SETFRAMECOLUMNS, 5);
        Send(ANM_SETINTERVAL, kNoTicksMs);
        Send(CM_SETBITMAP, AsParam(sheet_));
    }

    int Frame() { return static_cast<int>(Send(ANM_GETFRAME, 0)); }
    LRESULT UserData() { return Send(ANM_GETUSERDATA, 0); }

    // `count` ticks through `driver`; the frames shown after each.
    template <typename Driver>
    Frames Ticks(Driver driver, int count) {
        Frames shown;
        for (int i = 0; i < count; ++i) {
            driver(anim_, CN_TICK);
            shown.push_back(Frame());
        }
        return shown;
    }
    Frames TenFrameTicks(int count) { return Ticks(TenFrameStep, count); }
    // Ten-frame ticks until frame `frame` shows (at most 30).
    void TenFrameTicksTo(int frame) {
        for (int i = 0; i < 30 && Frame() != frame; ++i) TenFrameStep(anim_, CN_TICK);
        ASSERT_EQ(Frame(), frame);
    }

    DibPtr sheet_;
};

// --- Ten-frame ----------------------------------------------------------------------------------

TEST_F(DriverTest, TenFrameEnteredAndLeftQuicklyRunsBackToZeroAndStops) {
    EXPECT_FALSE(TenFrameStep(anim_, CN_ENTER));
    EXPECT_TRUE(Running());
    EXPECT_EQ(UserData(), kTenFrameOpening);
    EXPECT_EQ(TenFrameTicks(3), Frames({1, 2, 3}));

    EXPECT_FALSE(TenFrameStep(anim_, CN_LEAVE));
    EXPECT_EQ(UserData(), kTenFrameClosing);
    EXPECT_TRUE(Running());
    EXPECT_EQ(TenFrameTicks(3), Frames({2, 1, 0}));
    EXPECT_FALSE(Running()) << "stopped on reaching frame 0";
    EXPECT_EQ(UserData(), kTenFrameIdle);

    EXPECT_FALSE(TenFrameStep(anim_, CN_TICK)) << "a stray tick while idle";
    EXPECT_EQ(Frame(), 0);
    EXPECT_FALSE(TenFrameStep(anim_, CN_PRESSED));
    EXPECT_FALSE(TenFrameStep(anim_, CN_RELEASED));
    EXPECT_EQ(UserData(), kTenFrameIdle);
    EXPECT_FALSE(Running());
}

TEST_F(DriverTest, TenFrameOpensThenLoopsFiveToNineAndReportsFrameNine) {
    TenFrameStep(anim_, CN_ENTER);
    Frames shown;
    std::vector<int> reported;
    for (int i = 0; i < 15; ++i) {
        if (TenFrameStep(anim_, CN_TICK)) reported.push_back(Frame());
        shown.push_back(Frame());
        if (Frame() == 4) {
            EXPECT_EQ(UserData(), kTenFrameOpening);
        }
        if (Frame() == 5) {
            EXPECT_EQ(UserData(), kTenFrameLooping) << "looping from frame 5 on";
        }
    }
    EXPECT_EQ(shown, Frames({1, 2, 3, 4, 5, 6, 7, 8, 9, 5, 6, 7, 8, 9, 5}));
    EXPECT_EQ(reported, std::vector<int>({9, 9})) << "true exactly when frame 9 shows";
    EXPECT_TRUE(Running());
}

TEST_F(DriverTest, TenFrameReEnteringWhileClosing) {
    // Closing from the loop, re-entered at frame 6: the loop resumes at once.
    TenFrameStep(anim_, CN_ENTER);
    TenFrameTicksTo(8);
    TenFrameStep(anim_, CN_LEAVE);
    EXPECT_EQ(TenFrameTicks(2), Frames({7, 6}));
    TenFrameStep(anim_, CN_ENTER);
    EXPECT_EQ(UserData(), kTenFrameLooping);
    EXPECT_EQ(TenFrameTicks(5), Frames({7, 8, 9, 5, 6}));

    // Closing further down, re-entered at frame 3: the opening resumes.
    TenFrameStep(anim_, CN_LEAVE);
    EXPECT_EQ(TenFrameTicks(3), Frames({5, 4, 3}));
    TenFrameStep(anim_, CN_ENTER);
    EXPECT_EQ(UserData(), kTenFrameOpening);
    EXPECT_EQ(TenFrameTicks(1), Frames({4}));
    EXPECT_EQ(UserData(), kTenFrameOpening);
    EXPECT_EQ(TenFrameTicks(1), Frames({5}));
    EXPECT_EQ(UserData(), kTenFrameLooping);
}

TEST_F(DriverTest, TenFrameTickWhileClosingAtFrameZeroStopsAtOnce) {
    TenFrameStep(anim_, CN_LEAVE);  // the pointer leaves a button that never opened
    EXPECT_EQ(UserData(), kTenFrameClosing);
    EXPECT_EQ(TenFrameTicks(1), Frames({0}));
    EXPECT_FALSE(Running());
    EXPECT_EQ(UserData(), kTenFrameIdle);
}

TEST_F(DriverTest, TenFrameRecoversWhenANewSheetStoppedItHalfway) {
    TenFrameStep(anim_, CN_ENTER);
    TenFrameTicksTo(6);
    Send(CM_SETBITMAP, AsParam(sheet_));
    EXPECT_FALSE(Running()) << "a recompute stops the animation";

    TenFrameStep(anim_, CN_LEAVE);
    EXPECT_TRUE(Running()) << "the closing runs, or the button would stay open at frame 6";
    EXPECT_EQ(TenFrameTicks(2), Frames({5, 4}));

    Send(ANM_SETFRAMEROWS, 2);
    EXPECT_FALSE(Running());
    TenFrameStep(anim_, CN_ENTER);
    EXPECT_TRUE(Running()) << "and so does the opening";
    EXPECT_EQ(TenFrameTicks(1), Frames({5}));
}

// --- Blink (ButtonHoverStep) --------------------------------------------------------------------

TEST_F(DriverTest, BlinkAlternatesWhileHoveredAndHoldsFrameTwoWhilePressed) {
    EXPECT_TRUE(ButtonHoverStep(anim_, CN_ENTER)) << "a start: the owner plays its hover sound";
    EXPECT_TRUE(Running());
    EXPECT_EQ(Ticks(ButtonHoverStep, 4), Frames({1, 0, 1, 0}));

    EXPECT_FALSE(ButtonHoverStep(anim_, CN_PRESSED));
    EXPECT_FALSE(Running());
    EXPECT_EQ(Frame(), 2);
    EXPECT_EQ(UserData(), 1);

    EXPECT_FALSE(ButtonHoverStep(anim_, CN_LEAVE)) << "dragged off while held";
    EXPECT_EQ(Frame(), 0);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(ButtonHoverStep(anim_, CN_ENTER)) << "dragged back while held: no start, no sound";
    EXPECT_EQ(Frame(), 2);
    EXPECT_FALSE(Running());

    EXPECT_FALSE(ButtonHoverStep(anim_, CN_RELEASED));
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(UserData(), 0);
    EXPECT_FALSE(Running()) << "the control says the pointer is not over it";

    EXPECT_FALSE(ButtonHoverStep(anim_, CN_CLICKED));
    EXPECT_FALSE(ButtonHoverStep(anim_, CN_LEAVE));
    EXPECT_FALSE(Running());
    EXPECT_EQ(Frame(), 0);
}

TEST_F(DriverTest, BlinkRestartsOnReleaseWhileThePointerIsOver) {
    HoverAt(4, 4);  // the owner of this test routes nothing: only the control's hover flag is set
    ASSERT_EQ(Send(ANM_GETHOVER, 0), 1);
    ButtonHoverStep(anim_, CN_PRESSED);
    ButtonHoverStep(anim_, CN_RELEASED);
    EXPECT_TRUE(Running());
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(Ticks(ButtonHoverStep, 1), Frames({1}));
}

// --- Swing ------------------------------------------------------------------------------------

// Ticks through the swing driver: the frames shown, and the ticks (by index) that asked for the sound.
struct SwingRun {
    Frames frames;
    std::vector<int> soundTicks;
};

TEST_F(DriverTest, SwingSwingsBetweenTheEndsWithTheSoundOnLeavingEach) {
    HoverAt(4, 4);
    ASSERT_EQ(Send(ANM_GETHOVER, 0), 1);
    EXPECT_FALSE(SwingHoverStep(anim_, CN_ENTER));
    EXPECT_TRUE(Running());
    SwingRun run;
    for (int i = 0; i < 19; ++i) {
        if (SwingHoverStep(anim_, CN_TICK)) run.soundTicks.push_back(i);
        run.frames.push_back(Frame());
    }
    EXPECT_EQ(run.frames, Frames({1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1}));
    EXPECT_EQ(run.soundTicks, std::vector<int>({0, 9, 18})) << "leaving 0, leaving 9, leaving 0";
    EXPECT_TRUE(Running());
}

TEST_F(DriverTest, SwingRunsBackToZeroAndStopsOnceThePointerHasLeft) {
    HoverAt(4, 4);
    SwingHoverStep(anim_, CN_ENTER);
    Ticks(SwingHoverStep, 4);
    ASSERT_EQ(Frame(), 4);
    MoveOff();
    ASSERT_TRUE(PumpUntil([&] { return Send(ANM_GETHOVER, 0) == 0; }, kWaitMs));
    EXPECT_FALSE(SwingHoverStep(anim_, CN_LEAVE));
    EXPECT_EQ(UserData(), kSwingBackward);
    EXPECT_EQ(Ticks(SwingHoverStep, 4), Frames({3, 2, 1, 0}));
    EXPECT_TRUE(Running());
    EXPECT_EQ(Ticks(SwingHoverStep, 1), Frames({0}));
    EXPECT_FALSE(Running());
    EXPECT_EQ(UserData(), kSwingForward);
    for (UINT other : {CN_PRESSED, CN_RELEASED, CN_CLICKED}) EXPECT_FALSE(SwingHoverStep(anim_, other));
}

TEST_F(DriverTest, SwingReEnteredAtFrameZeroTurnsRoundThereNeverBelow) {
    HoverAt(4, 4);
    SwingHoverStep(anim_, CN_ENTER);
    SwingHoverStep(anim_, CN_LEAVE);  // left and came back before the tick at frame 0
    EXPECT_EQ(Ticks(SwingHoverStep, 3), Frames({0, 1, 2}));
    EXPECT_EQ(UserData(), kSwingForward);
}

// --- Four-phase ---------------------------------------------------------------------------------

TEST_F(DriverTest, FourPhaseLoopsAndShowsFrameFourWhileHeld) {
    FourPhaseStep(anim_, CN_ENTER);
    EXPECT_TRUE(Running());
    EXPECT_EQ(Ticks(FourPhaseStep, 6), Frames({1, 2, 3, 0, 1, 2}));

    FourPhaseStep(anim_, CN_LEAVE);
    EXPECT_FALSE(Running());
    EXPECT_EQ(Frame(), 2) << "the loop keeps its frame when the pointer leaves";

    FourPhaseStep(anim_, CN_ENTER);
    FourPhaseStep(anim_, CN_PRESSED);
    EXPECT_FALSE(Running());
    EXPECT_EQ(Frame(), 4);
    EXPECT_EQ(UserData(), 1);
    FourPhaseStep(anim_, CN_LEAVE);
    FourPhaseStep(anim_, CN_ENTER);
    EXPECT_FALSE(Running()) << "crossings while held change nothing";
    EXPECT_EQ(Frame(), 4);

    FourPhaseStep(anim_, CN_RELEASED);
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(UserData(), 0);
    EXPECT_FALSE(Running());

    HoverAt(4, 4);
    FourPhaseStep(anim_, CN_PRESSED);
    EXPECT_EQ(Ticks(FourPhaseStep, 1), Frames({1})) << "a tick at the held frame: (4 + 1) mod 4";
    FourPhaseStep(anim_, CN_RELEASED);
    EXPECT_TRUE(Running()) << "released with the pointer over it";
}

// --- Wrap-around (AnimHoverStep) ----------------------------------------------------------------

TEST_F(DriverTest, WrapAroundLoopsAndFinishesItsRoundAfterTheLeave) {
    EXPECT_EQ(AnimHoverStep(anim_, CN_ENTER), kNoTickFrame);
    EXPECT_TRUE(Running());
    EXPECT_EQ(UserData(), 0);
    EXPECT_EQ(Ticks(AnimHoverStep, 12), Frames({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2}));
    EXPECT_TRUE(Running()) << "passing frame 0 while hovered does not stop it";

    EXPECT_EQ(AnimHoverStep(anim_, CN_LEAVE), kNoTickFrame);
    EXPECT_EQ(UserData(), 1);
    std::vector<int> results;
    for (int i = 0; i < 8; ++i) results.push_back(AnimHoverStep(anim_, CN_TICK));
    EXPECT_EQ(results, std::vector<int>({3, 4, 5, 6, 7, 8, 9, 0})) << "each tick reports the frame it showed";
    EXPECT_FALSE(Running());
    EXPECT_EQ(Frame(), 0);

    for (UINT other : {CN_PRESSED, CN_RELEASED, CN_CLICKED}) EXPECT_EQ(AnimHoverStep(anim_, other), kNoTickFrame);
    EXPECT_FALSE(Running());
}

TEST_F(DriverTest, WrapAroundReEnteredBeforeFrameZeroKeepsLooping) {
    AnimHoverStep(anim_, CN_ENTER);
    Ticks(AnimHoverStep, 7);
    AnimHoverStep(anim_, CN_LEAVE);
    AnimHoverStep(anim_, CN_ENTER);
    EXPECT_EQ(Ticks(AnimHoverStep, 4), Frames({8, 9, 0, 1}));
    EXPECT_TRUE(Running());
}

// --- An owner window with real input ---------------------------------------------------------

TEST_F(DriverTest, TenFrameDrivenByItsOwnerWithTheRealPointer) {
    constexpr LPARAM kTickMs = 30;
    Frames shown;
    parent_->onNotice = [&](UINT code, HWND control) {
        if (code == CN_CLICKED) return;
        TenFrameStep(control, code);
        if (code == CN_TICK) shown.push_back(static_cast<int>(SendMessageA(control, ANM_GETFRAME, 0, 0)));
    };
    Send(ANM_SETINTERVAL, kTickMs);
    Send(CM_SETBITMAP, AsParam(sheet_));  // the interval applies from the next start

    HoverAt(4, 4);
    ASSERT_TRUE(PumpUntil([&] { return Frame() >= 2; }, 3000));
    MoveCursorTo(kFarAway, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Running(); }, 5000)) << "it closes and stops";
    EXPECT_EQ(UserData(), kTenFrameIdle);
    EXPECT_EQ(Frame(), 0);

    // Opening by single frames (looping 5 to 9 if the leave was slow to come), then closing
    // by single frames down to 0: the way a player sees it whatever the machine's speed.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.front(), 1);
    EXPECT_EQ(shown.back(), 0);
    bool closing = false;
    for (size_t i = 1; i < shown.size(); ++i) {
        const int step = shown[i] - shown[i - 1];
        if (closing) {
            EXPECT_EQ(step, -1) << "at tick " << i;
        } else if (step == -1) {
            closing = true;
        } else {
            EXPECT_TRUE(step == 1 || (shown[i - 1] == 9 && shown[i] == 5)) << "at tick " << i;
        }
    }
    EXPECT_TRUE(closing);
}

}  // namespace
