// The check box under Wine with real input: clicks check and uncheck it, radio groups are kept
// by their owner, and the frame the box shows is read back from the screen.
#include <gtest/gtest.h>

#include <array>

#include "ControlTestSupport.h"
#include "controls/CheckBox.h"

namespace {

using namespace ctltest;

constexpr int kWidth = 30;
constexpr int kFrameHeight = 16;

// Frames of a 4-frame strip; a 5-frame strip has the disabled picture in front of them.
constexpr int kUnchecked = 0;
constexpr int kUncheckedHover = 1;
constexpr int kChecked = 2;
constexpr int kCheckedHover = 3;

class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, 300, 200);
        box_ = AddBox(20, 30);
        ASSERT_NE(box_, nullptr);
        strip4_ = MakeStrip(kWidth, kFrameHeight, 4);
        strip5_ = MakeStrip(kWidth, kFrameHeight, 5);
        ASSERT_TRUE(strip4_ && strip5_);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    HWND AddBox(int x, int y) { return parent_->AddControl(kCheckBoxClass, x, y); }
    LRESULT Send(UINT message, LPARAM argument, HWND box = nullptr) {
        return SendMessageA(box != nullptr ? box : box_, message, 0, argument);
    }
    int AwaitFrame(int expected, HWND box = nullptr) { return AwaitStripFrame(box != nullptr ? box : box_, expected); }

    void Hover(HWND box = nullptr) { MoveCursorTo(ScreenPointOf(box != nullptr ? box : box_, 10, 8)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }
    void Click(HWND box = nullptr) {
        Hover(box);
        PressLeft();
        ReleaseLeft();
    }

    std::unique_ptr<TestParent> parent_;
    HWND box_ = nullptr;
    std::unique_ptr<DibImage> strip4_, strip5_;
};

TEST_F(CheckBoxTest, SizesItselfToOneFrameOfFourOrFive) {
    EXPECT_EQ(AwaitFrame(kBlackFrame), kBlackFrame) << "no strip yet";
    EXPECT_EQ(Send(CM_SETDISABLEDFRAME, 1), 1);
    EXPECT_EQ(ClientSize(box_).cy, kPlaceholderSize) << "without a strip only the flag is stored";

    EXPECT_EQ(Send(CM_SETBITMAP, AsParam(*strip5_)), 1);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(*strip5_));
    EXPECT_EQ(ClientSize(box_).cx, kWidth);
    EXPECT_EQ(ClientSize(box_).cy, kFrameHeight);
    EXPECT_EQ(AwaitFrame(1 + kUnchecked), 1 + kUnchecked);

    Send(CM_SETDISABLEDFRAME, 0);
    Send(CM_SETBITMAP, AsParam(*strip4_));
    EXPECT_EQ(Send(CM_GETDISABLEDFRAME, 0), 0);
    EXPECT_EQ(ClientSize(box_).cy, kFrameHeight);
    EXPECT_EQ(AwaitFrame(kUnchecked), kUnchecked);
}

TEST_F(CheckBoxTest, ClicksToggleAPlainBox) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Hover();
    EXPECT_EQ(AwaitFrame(kUncheckedHover), kUncheckedHover);
    PressLeft();
    EXPECT_EQ(GetCapture(), box_);
    EXPECT_EQ(AwaitFrame(kChecked), kChecked) << "pressed over it: what a click would give";
    ReleaseLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 1);
    EXPECT_EQ(AwaitFrame(kCheckedHover), kCheckedHover);

    PressLeft();
    EXPECT_EQ(AwaitFrame(kUnchecked), kUnchecked);
    ReleaseLeft();
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 0);
    EXPECT_EQ(AwaitFrame(kUncheckedHover), kUncheckedHover);
    EXPECT_EQ(parent_->Codes(),
              Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_CLICKED, CN_PRESSED, CN_RELEASED, CN_CLICKED}));

    MoveCursorTo(kFarAway, 0);  // one jump: only the poll can tell
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);
    EXPECT_EQ(AwaitFrame(kUnchecked), kUnchecked);
}

TEST_F(CheckBoxTest, APressDraggedOffAndReleasedElsewhereChangesNothing) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Send(CHK_SETCHECK, 1);
    Hover();
    PressLeft();
    std::vector<int> frames{AwaitFrame(kUnchecked)};
    MoveOff();
    frames.push_back(AwaitFrame(kChecked));
    Hover();
    frames.push_back(AwaitFrame(kUnchecked));
    MoveOff();
    frames.push_back(AwaitFrame(kChecked));
    ReleaseLeft();
    frames.push_back(AwaitFrame(kChecked));
    EXPECT_EQ(frames, (std::vector<int>{kUnchecked, kChecked, kUnchecked, kChecked, kChecked}))
        << "the would-be state over it, the real state off it, never a hover picture";
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 1);
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_LEAVE, CN_ENTER, CN_LEAVE, CN_RELEASED}))
        << "no click, no late leave";
}

TEST_F(CheckBoxTest, RadioGroupKeptByItsOwner) {
    std::array<HWND, 3> group{box_, AddBox(80, 30), AddBox(140, 30)};
    HWND checked = nullptr;
    std::vector<std::pair<UINT, HWND>> seen;
    parent_->onNotice = [&](UINT code, HWND control) {
        if (code == CN_CLICKED || code == CN_UNCHECKED) seen.emplace_back(code, control);
        if (code != CN_CLICKED) return;
        if (checked != nullptr) Send(CHK_SETCHECK, 0, checked);
        checked = control;
    };
    for (HWND box : group) {
        Send(CHK_SETRADIO, 1, box);
        Send(CM_SETBITMAP, AsParam(*strip4_), box);
    }
    EXPECT_EQ(Send(CHK_GETRADIO, 0), 1);

    Click(group[0]);
    Click(group[1]);
    Click(group[1]);  // a checked radio box stays checked: no click
    Click(group[2]);
    using Seen = std::vector<std::pair<UINT, HWND>>;
    EXPECT_EQ(seen, (Seen{{CN_CLICKED, group[0]},
                          {CN_CLICKED, group[1]},
                          {CN_UNCHECKED, group[0]},
                          {CN_CLICKED, group[2]},
                          {CN_UNCHECKED, group[1]}}));
    EXPECT_EQ(Send(CHK_GETCHECK, 0, group[0]), 0);
    EXPECT_EQ(Send(CHK_GETCHECK, 0, group[1]), 0);
    EXPECT_EQ(Send(CHK_GETCHECK, 0, group[2]), 1);
    EXPECT_EQ(AwaitFrame(kUnchecked, group[1]), kUnchecked);

    // Pressed, the checked radio box previews the unchecked picture; released, it is checked
    // again under the cursor.
    PressLeft();
    EXPECT_EQ(AwaitFrame(kUnchecked, group[2]), kUnchecked);
    ReleaseLeft();
    EXPECT_EQ(AwaitFrame(kCheckedHover, group[2]), kCheckedHover);
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(CheckBoxTest, UncheckingByTheOwnerNotifiesOnlyEnabledRadioBoxes) {
    struct Case {
        bool radio;
        bool enabled;
        bool notified;
    };
    for (const Case& c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
        HWND box = AddBox(200, 100);
        Send(CM_SETBITMAP, AsParam(*strip4_), box);
        Send(CHK_SETRADIO, c.radio, box);
        Send(CHK_SETCHECK, 1, box);
        Send(CM_SETENABLED, c.enabled, box);
        parent_->notices.clear();
        EXPECT_EQ(Send(CHK_SETCHECK, 0, box), 1);
        EXPECT_EQ(Send(CHK_GETCHECK, 0, box), 0);
        EXPECT_EQ(parent_->Codes(), c.notified ? Codes({CN_UNCHECKED}) : Codes{})
            << "radio " << c.radio << ", enabled " << c.enabled;
        DestroyWindow(box);
    }
}

TEST_F(CheckBoxTest, SettingTheCurrentStateDoesNothingNotEvenARepaint) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Send(CHK_SETRADIO, 1);
    Send(CHK_SETCHECK, 1);
    EXPECT_EQ(AwaitFrame(kChecked), kChecked);
    ValidateRect(box_, nullptr);
    for (LPARAM same : {1, 7}) EXPECT_EQ(Send(CHK_SETCHECK, same), 1);
    EXPECT_FALSE(GetUpdateRect(box_, nullptr, FALSE));
    EXPECT_TRUE(parent_->notices.empty());
}

TEST_F(CheckBoxTest, CheckedByItsOwnerUnderTheCursorItKeepsAHoverPicture) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Hover();
    Send(CHK_SETCHECK, 1);
    EXPECT_EQ(AwaitFrame(kCheckedHover), kCheckedHover);
    MoveCursorTo(ScreenPointOf(box_, 12, 9));
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER})) << "still the same visit";
    MoveOff();
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);
    EXPECT_EQ(AwaitFrame(kChecked), kChecked);
}

TEST_F(CheckBoxTest, DisabledBoxShowsFrameZeroAndIgnoresTheMouse) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Send(CHK_SETCHECK, 1);
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 0);
    EXPECT_EQ(AwaitFrame(kUnchecked), kUnchecked) << "without a disabled frame: the unchecked picture";
    Click();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(parent_->notices.empty());
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 1);

    Send(CM_SETDISABLEDFRAME, 1);
    Send(CM_SETBITMAP, AsParam(*strip5_));
    EXPECT_EQ(AwaitFrame(0), 0) << "the disabled picture";
    MoveOff();
    Send(CM_SETENABLED, 1);
    EXPECT_EQ(AwaitFrame(1 + kChecked), 1 + kChecked);
}

TEST_F(CheckBoxTest, DisablingOrLosingTheStripEndsAPressSilently) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Hover();
    PressLeft();
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));

    // A missing pack picture gives a null strip: the box keeps its size, turns black and inert.
    Send(CM_SETENABLED, 1);
    MoveOff();
    parent_->notices.clear();
    Hover();
    PressLeft();
    EXPECT_EQ(Send(CM_SETBITMAP, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(ClientSize(box_).cx, kWidth);
    EXPECT_EQ(AwaitFrame(kBlackFrame), kBlackFrame);
    ReleaseLeft();
    Click();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 0);
}

TEST_F(CheckBoxTest, OwnersMayDestroyTheBoxOnRelease) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    parent_->onNotice = [](UINT code, HWND control) {
        if (code == CN_RELEASED) DestroyWindow(control);
    };
    Click();
    EXPECT_FALSE(IsWindow(box_));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED})) << "a destroyed box reports nothing";
}

TEST_F(CheckBoxTest, UnknownNumbersAnswerOneAndChangeNothing) {
    Send(CM_SETBITMAP, AsParam(*strip4_));
    Send(CHK_SETCHECK, 1);
    for (UINT m = kFirstControlMessage; m <= kLastControlMessage; ++m) {
        const bool known = m <= CM_SETBITMAP || (m >= CM_GETDISABLEDFRAME && m <= CHK_SETRADIO);
        if (!known) {
            EXPECT_EQ(SendMessageA(box_, m, 0, 0), 1) << m;
        }
    }
    EXPECT_EQ(Send(CHK_GETCHECK, 0), 1);
    EXPECT_EQ(Send(CHK_GETRADIO, 0), 0);
    EXPECT_EQ(AwaitFrame(kChecked), kChecked);
}

}  // namespace
