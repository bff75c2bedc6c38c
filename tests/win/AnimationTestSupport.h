// Helpers for the animation tests: frame sheets whose frames can be told apart by colour, and
// a fixture with a parent window and one CQVANIM control in it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/AnimationControl.h"

namespace animtest {

using namespace ctltest;

constexpr int kMaxSheetFrames = 12;

// Frame i is filled with FrameColour(i), palette entry i + 1.
constexpr uint32_t FrameColour(int frame) {
    constexpr uint32_t colours[kMaxSheetFrames] = {0xC80000, 0x00C800, 0x0000C8, 0xC8C800, 0x00C8C8, 0xC800C8,
                                                   0x640000, 0x006400, 0x000064, 0x646400, 0x006464, 0x640064};
    return colours[frame];
}

// A sheet of columns x rows frames of frameWidth x frameHeight, frame i in FrameColour(i).
inline DibPtr MakeSheet(int frameWidth, int frameHeight, int columns, int rows) {
    std::vector<uint32_t> colours;
    for (int i = 0; i < columns * rows && i < kMaxSheetFrames; ++i) colours.push_back(FrameColour(i));
    DibPtr sheet = BlankPicture(frameWidth * columns, frameHeight * rows, colours);
    for (int i = 0; i < columns * rows && i < kMaxSheetFrames; ++i)
        FillBlock(*sheet, (i % columns) * frameWidth, (i / columns) * frameHeight, frameWidth, frameHeight,
                  uint8_t(i + 1));
    return sheet;
}

// A parent with one animation control at (20, 30); the control has no sheet yet.
class AnimationFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, 300, 200);
        anim_ = parent_->AddControl(kAnimationClass, 20, 30);
        ASSERT_NE(anim_, nullptr);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(anim_, message, 0, argument); }
    bool Running() { return Send(ANM_GETRUNNING, 0) != 0; }

    int TickCount() const {
        int ticks = 0;
        for (const Notice& n : parent_->notices) ticks += n.code == CN_TICK ? 1 : 0;
        return ticks;
    }
    // Pumps until `count` ticks have arrived since the notices were last cleared, at most `ms`.
    bool AwaitTicks(int count, DWORD ms = 3000) {
        return PumpUntil([&] { return TickCount() >= count; }, ms);
    }
    DWORD WaitForLeave() { return WaitForNotice(*parent_, CN_LEAVE); }

    void HoverAt(int x, int y) { MoveCursorTo(ScreenPointOf(anim_, x, y)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }

    std::unique_ptr<TestParent> parent_;
    HWND anim_ = nullptr;
};

}  // namespace animtest
