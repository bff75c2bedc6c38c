// Helpers for the animation tests: frame sheets whose frames can be told apart by colour, and
// a fixture with a parent window and one CQVANIM control in it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ControlTestSupport.h"
#include "controls/AnimationControl.h"

namespace animtest {

using namespace ctltest;
using DibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;
using Codes = std::vector<UINT>;

constexpr int kMaxSheetFrames = 12;
constexpr uint8_t kBlackIndex = 0;        // also the transparent picture and the opaque mask
constexpr uint8_t kWhiteIndex = 255;      // the transparent mask
constexpr POINT kFarAway{900, 700};       // far from every window of the tests
constexpr DWORD kLeaveToleranceMs = 400;  // one 120 ms poll, with room for a slow machine

// Frame i is filled with FrameColour(i), palette entry i + 1.
constexpr uint32_t FrameColour(int frame) {
    constexpr uint32_t colours[kMaxSheetFrames] = {0xC80000, 0x00C800, 0x0000C8, 0xC8C800, 0x00C8C8, 0xC800C8,
                                                   0x640000, 0x006400, 0x000064, 0x646400, 0x006464, 0x640064};
    return colours[frame];
}

inline RgbQuad Quad(uint32_t rgb) {
    return RgbQuad{uint8_t(rgb & 0xFF), uint8_t((rgb >> 8) & 0xFF), uint8_t(rgb >> 16), 0};
}

// An 8-bit picture with index 0 black, 255 white and `colours` from index 1; all pixels 0.
inline DibPtr BlankPicture(int width, int height, const std::vector<uint32_t>& colours) {
    const int32_t row = DibRowBytes(width, 8);
    DibPtr dib(AllocPackedDib(static_cast<size_t>(row) * height));
    if (!dib) return dib;
    BitmapInfoHeader& h = dib->header;
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = static_cast<uint32_t>(row * height);
    h.biClrUsed = 256;
    for (RgbQuad& q : dib->palette) q = Quad(0);
    dib->palette[kWhiteIndex] = Quad(0xFFFFFF);
    for (size_t i = 0; i < colours.size(); ++i) dib->palette[i + 1] = Quad(colours[i]);
    std::memset(dib->Pixels(), kBlackIndex, h.biSizeImage);
    return dib;
}

// Sets the w x h block at (x, y), counted from the top-left, to palette index `value`.
inline void FillBlock(PackedDib& dib, int x, int y, int w, int h, uint8_t value) {
    const int32_t row = DibRowBytes(dib.header.biWidth, 8);
    for (int yy = y; yy < y + h; ++yy)
        std::memset(dib.Pixels() + (dib.header.biHeight - 1 - yy) * row + x, value, size_t(w));
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

inline LPARAM AsParam(const DibPtr& dib) { return reinterpret_cast<LPARAM>(dib.get()); }

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
    // Pumps until CN_LEAVE arrives; the time it took, or kLeaveToleranceMs * 4 when it never came.
    DWORD WaitForLeave() {
        const DWORD start = GetTickCount();
        if (!PumpUntil([this] { return parent_->Received(CN_LEAVE); }, kLeaveToleranceMs * 4))
            return kLeaveToleranceMs * 4;
        return GetTickCount() - start;
    }

    void HoverAt(int x, int y) { MoveCursorTo(ScreenPointOf(anim_, x, y)); }
    void MoveOff() { MoveCursorTo(ScreenPointOf(parent_->get(), 250, 150)); }

    std::unique_ptr<TestParent> parent_;
    HWND anim_ = nullptr;
};

}  // namespace animtest
