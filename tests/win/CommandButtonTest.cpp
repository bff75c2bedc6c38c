// The push button under Wine with real input: the system's cursor moves and its left button
// goes down and up, and the frame the button shows is read back from the screen.
#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "controls/CommandButton.h"

namespace {

using namespace ctltest;

constexpr int kWidth = 40;
constexpr int kFrameHeight = 20;
constexpr int kBlack = kBlackFrame;

class CommandButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, 300, 200);
        button_ = parent_->AddControl(kCommandButtonClass, 20, 30);
        ASSERT_NE(button_, nullptr);
        strip3_ = MakeStrip(kWidth, kFrameHeight, 3);
        strip4_ = MakeStrip(kWidth, kFrameHeight, 4);
        ASSERT_TRUE(strip3_ && strip4_);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(button_, message, 0, argument); }
    uint32_t AwaitPixel(int x, int y, uint32_t expected) { return ctltest::AwaitPixel(button_, x, y, expected); }
    int AwaitFrame(int expected) { return AwaitStripFrame(button_, expected); }

    void Hover() { MoveCursorTo(ScreenPointOf(button_, 10, 10)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }
    DWORD WaitForLeave() { return WaitForNotice(*parent_, CN_LEAVE); }

    std::unique_ptr<TestParent> parent_;
    HWND button_ = nullptr;
    std::unique_ptr<DibImage> strip3_, strip4_;
};

TEST_F(CommandButtonTest, SizesItselfToOneFrameAndNeverShowsLeftoverRows) {
    EXPECT_EQ(AwaitFrame(kBlack), kBlack) << "no strip yet";
    EXPECT_EQ(ClientSize(button_).cx, kPlaceholderSize);

    auto uneven = MakeStrip(kWidth, kFrameHeight, 3, 2);  // 62 rows: frames of 20, 2 rows left over
    EXPECT_EQ(Send(CM_SETBITMAP, AsParam(*uneven)), 1);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(*uneven));
    EXPECT_EQ(ClientSize(button_).cx, kWidth);
    EXPECT_EQ(ClientSize(button_).cy, kFrameHeight);
    EXPECT_EQ(AwaitFrame(0), 0);

    Hover();
    PressLeft();
    EXPECT_EQ(AwaitFrame(2), 2) << "the pressed frame stops before the leftover rows";
    ReleaseLeft();
}

TEST_F(CommandButtonTest, DisabledFrameFlagBeforeAndAfterTheStrip) {
    EXPECT_EQ(Send(CM_SETDISABLEDFRAME, 7), 1);
    EXPECT_EQ(Send(CM_GETDISABLEDFRAME, 0), 1);
    EXPECT_EQ(ClientSize(button_).cy, kPlaceholderSize) << "without a strip only the flag is stored";
    EXPECT_EQ(AwaitFrame(kBlack), kBlack);

    Send(CM_SETBITMAP, AsParam(*strip4_));
    EXPECT_EQ(ClientSize(button_).cy, kFrameHeight);
    EXPECT_EQ(AwaitFrame(1), 1) << "frame 1 is the normal picture of a 4-frame strip";

    // The same 80 rows read as three frames: 26 rows each.
    EXPECT_EQ(Send(CM_SETDISABLEDFRAME, 0), 1);
    EXPECT_EQ(ClientSize(button_).cy, 4 * kFrameHeight / 3);
    EXPECT_EQ(AwaitPixel(5, 1, BandColour(0)), BandColour(0));
    EXPECT_EQ(AwaitPixel(5, kFrameHeight + 1, BandColour(1)), BandColour(1));
}

TEST_F(CommandButtonTest, WithoutAStripItPaintsBlackAndIgnoresTheMouse) {
    EXPECT_EQ(AwaitPixel(kPlaceholderSize / 2, kPlaceholderSize / 2, 0u), 0u);
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());
}

TEST_F(CommandButtonTest, HoverEndsByPollingAfterThePointerLeaves) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    MoveCursorTo(ScreenPointOf(button_, 12, 12));
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER})) << "one enter however often the mouse moves";
    EXPECT_EQ(AwaitFrame(1), 1);

    // One jump far away: the button gets no further WM_MOUSEMOVE, only its timer can tell.
    MoveCursorTo(kFarAway, 0);
    EXPECT_LE(WaitForLeave(), kLeaveToleranceMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_LEAVE}));
    EXPECT_EQ(AwaitFrame(0), 0);
}

TEST_F(CommandButtonTest, ClickOverTheButton) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_EQ(AwaitFrame(2), 2);
    ReleaseLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(AwaitFrame(1), 1) << "released over it: hover again, and polling again";
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_CLICKED}));
    MoveOff();
    EXPECT_LE(WaitForLeave(), kLeaveToleranceMs);
}

TEST_F(CommandButtonTest, PressDragOffDragBackReleaseOver) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    std::vector<int> frames{AwaitFrame(2)};
    MoveOff();
    frames.push_back(AwaitFrame(1));
    Hover();
    frames.push_back(AwaitFrame(2));
    ReleaseLeft();
    frames.push_back(AwaitFrame(1));
    EXPECT_EQ(frames, (std::vector<int>{2, 1, 2, 1}));
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_ENTER, CN_RELEASED, CN_CLICKED}));
}

TEST_F(CommandButtonTest, PressDragOffReleaseElsewhere) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    MoveOff();
    EXPECT_EQ(AwaitFrame(1), 1) << "dragged off while pressed: the hover frame";
    ReleaseLeft();
    EXPECT_EQ(AwaitFrame(0), 0);
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_RELEASED})) << "no click, no late leave";
}

TEST_F(CommandButtonTest, DisabledButtonShowsFrameZeroAndIgnoresTheMouse) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 0);
    EXPECT_EQ(AwaitFrame(0), 0) << "3 frames: the normal picture";
    Hover();
    PressLeft();
    ReleaseLeft();
    EXPECT_EQ(AwaitFrame(0), 0);
    EXPECT_TRUE(parent_->notices.empty());

    Send(CM_SETDISABLEDFRAME, 1);
    Send(CM_SETBITMAP, AsParam(*strip4_));
    EXPECT_EQ(AwaitFrame(0), 0) << "4 frames: the disabled picture";
    EXPECT_EQ(Send(CM_SETENABLED, 1), 1);
    EXPECT_EQ(AwaitFrame(1), 1);
}

TEST_F(CommandButtonTest, DisablingAHoveredButtonStopsItsPolling) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    Send(CM_SETENABLED, 0);
    MoveOff();
    Send(CM_SETENABLED, 1);
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER})) << "a timer left running would report a leave";
    EXPECT_EQ(AwaitFrame(0), 0);
}

TEST_F(CommandButtonTest, DisablingWhilePressedReleasesTheCaptureWithoutANotice) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
    EXPECT_EQ(AwaitFrame(0), 0);

    // The same from inside the owner's CN_PRESSED handler.
    parent_->notices.clear();
    Send(CM_SETENABLED, 1);
    parent_->onNotice = [this](UINT code, HWND) {
        if (code == CN_PRESSED) Send(CM_SETENABLED, 0);
    };
    MoveOff();
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
}

TEST_F(CommandButtonTest, AParentTakingTheCaptureEndsThePress) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    MoveOff();
    SetCapture(parent_->get());
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_RELEASED})) << "no click";
    EXPECT_EQ(GetCapture(), parent_->get()) << "the button does not take the new capture away";
    EXPECT_EQ(AwaitFrame(0), 0);
    ReleaseLeft();
    ReleaseCapture();

    // Taken from inside CN_PRESSED with the cursor still over the button: the press ends as a
    // release over it would.
    parent_->notices.clear();
    parent_->onNotice = [this](UINT code, HWND) {
        if (code == CN_PRESSED) SetCapture(parent_->get());
    };
    Hover();
    PressLeft();
    EXPECT_EQ(GetCapture(), parent_->get());
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_CLICKED}));
    EXPECT_EQ(AwaitFrame(1), 1);
    ReleaseLeft();
    ReleaseCapture();
}

TEST_F(CommandButtonTest, OwnersMayDestroyOrUnconfigureTheButtonDuringAPress) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    Hover();
    PressLeft();
    EXPECT_EQ(Send(CM_SETBITMAP, 0), 1) << "taking the strip away ends the press silently";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(AwaitFrame(kBlack), kBlack);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));

    Send(CM_SETBITMAP, AsParam(*strip3_));
    parent_->notices.clear();
    parent_->onNotice = [this](UINT code, HWND control) {
        if (code == CN_RELEASED) DestroyWindow(control);
    };
    MoveOff();
    Hover();
    PressLeft();
    ReleaseLeft();
    EXPECT_FALSE(IsWindow(button_));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED})) << "a destroyed button reports nothing";
}

TEST_F(CommandButtonTest, UnknownNumbersAnswerOneAndChangeNothing) {
    Send(CM_SETDISABLEDFRAME, 1);
    Send(CM_SETBITMAP, AsParam(*strip4_));
    for (UINT m = kFirstControlMessage; m <= kLastControlMessage; ++m) {
        const bool known = m <= CM_SETBITMAP || m == CM_GETDISABLEDFRAME || m == CM_SETDISABLEDFRAME;
        if (!known) {
            EXPECT_EQ(SendMessageA(button_, m, 0, 0), 1) << m;
        }
    }
    EXPECT_EQ(SendMessageA(button_, 1330, 0, 1), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETDISABLEDFRAME, 0), 1);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(*strip4_));
    EXPECT_EQ(ClientSize(button_).cy, kFrameHeight);
    EXPECT_EQ(AwaitFrame(1), 1);
}

TEST_F(CommandButtonTest, AStretchedButtonPaintsBlackBeyondItsFrame) {
    Send(CM_SETBITMAP, AsParam(*strip3_));
    SetWindowPos(button_, nullptr, 0, 0, kWidth + 10, kFrameHeight + 10, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(kSettleMs);
    EXPECT_EQ(AwaitPixel(1, 1, BandColour(0)), BandColour(0));
    EXPECT_EQ(AwaitPixel(kWidth + 5, 1, 0u), 0u);
    EXPECT_EQ(AwaitPixel(1, kFrameHeight + 5, 0u), 0u) << "not the next frame's rows";
}

}  // namespace
