// The slider under Wine: where it places itself over its track, where its thumb lands on the
// screen for a value (over an 8-bit and a 24-bit background), dragging the thumb with the real
// mouse, and the settings that leave it not ready.
#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "controls/Slider.h"

namespace {

using namespace ctltest;

constexpr int kParentSize = 300;
constexpr uint32_t kBandA = 0x2E5E8E;  // the parent's picture: bands of kBandRows rows
constexpr uint32_t kBandB = 0x8E6E2E;
constexpr int kPictureBandRows = 10;
constexpr uint32_t kThumbColours[2] = {0xD04020, 0x20D040};
constexpr uint8_t kBandAIndex = 1, kBandBIndex = 2, kThumbIndex = 3;
constexpr int kThumbWidth = 14;
constexpr int kThumbHeight = 10;
constexpr int kCorner = 3;  // the thumb's top-left corner is transparent

// The music window's volume slider.
constexpr POINT kStart{123, 215};
constexpr POINT kEnd{123, 68};
constexpr int kMax = 99;

constexpr uint32_t BandColourAt(int y) { return (y / kPictureBandRows) % 2 == 0 ? kBandA : kBandB; }

LPARAM Packed(POINT p) { return MAKELPARAM(p.x, p.y); }

// The same picture in 24 bits: the palette spelled out pixel by pixel.
DibPtr To24Bits(const PackedDib& source) {
    const int width = source.header.biWidth, height = source.header.biHeight;
    const int32_t row = DibRowBytes(width, 24), sourceRow = DibRowBytes(width, 8);
    DibPtr dib(AllocPackedDib(static_cast<size_t>(row) * height));
    dib->header = source.header;
    dib->header.biBitCount = 24;
    dib->header.biClrUsed = 0;
    dib->header.biSizeImage = static_cast<uint32_t>(row * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const RgbQuad& q = source.palette[source.Pixels()[y * sourceRow + x]];
            uint8_t* p = dib->Pixels() + y * row + x * 3;
            p[0] = q.rgbBlue, p[1] = q.rgbGreen, p[2] = q.rgbRed;
        }
    return dib;
}

class SliderTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        EnsureControlClasses();
        MoveCursorTo(kFarAway);
        parent_ = std::make_unique<TestParent>(100, 100, kParentSize, kParentSize);
        const std::vector<uint32_t> palette{kBandA, kBandB, kThumbColours[0], kThumbColours[1]};
        background_ = BlankPicture(kParentSize, kParentSize, palette);
        for (int y = 0; y < kParentSize; y += kPictureBandRows)
            FillBlock(*background_, 0, y, kParentSize, kPictureBandRows,
                      BandColourAt(y) == kBandA ? kBandAIndex : kBandBIndex);
        // Two frames side by side, each a picture band above its mask band.
        thumbs_ = BlankPicture(2 * kThumbWidth, 2 * kThumbHeight, palette);
        for (int f = 0; f < 2; ++f) {
            FillBlock(*thumbs_, f * kThumbWidth, 0, kThumbWidth, kThumbHeight, uint8_t(kThumbIndex + f));
            FillBlock(*thumbs_, f * kThumbWidth, 0, kCorner, kCorner, kBlackIndex);
            FillBlock(*thumbs_, f * kThumbWidth, kThumbHeight, kCorner, kCorner, kWhiteIndex);
        }
        if (GetParam() == 24) {
            background_ = To24Bits(*background_);
            thumbs_ = To24Bits(*thumbs_);
        }
        parent_->SetBackground(background_.get());
        slider_ = parent_->AddControl(kSliderClass, 20, 20);
        ASSERT_NE(slider_, nullptr);
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) ReleaseLeft();
        parent_.reset();
    }

    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(slider_, message, 0, argument); }

    // The music window's order: range, thumb grid, sheet, background, track.
    void Configure() {
        Send(SLD_SETMAX, kMax);
        Send(SLD_SETFRAMECOLUMNS, 2);
        Send(CM_SETBITMAP, AsParam(thumbs_));
        Send(SLD_SETBACKGROUND, AsParam(background_));
        Send(SLD_SETSTART, Packed(kStart));
        Send(SLD_SETEND, Packed(kEnd));
    }
    RECT PlaceInParent() {
        RECT r{};
        GetWindowRect(slider_, &r);
        MapWindowPoints(nullptr, parent_->get(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // The screen's colour at a point of the parent once it is `expected`, or after a second.
    uint32_t AwaitParentPixel(int x, int y, uint32_t expected) { return AwaitPixel(parent_->get(), x, y, expected); }
    void ExpectThumbCentredAt(int centreY, uint32_t colour) {
        EXPECT_EQ(AwaitParentPixel(kStart.x, centreY, colour), colour) << "thumb centre at y " << centreY;
        const int top = centreY - kThumbHeight / 2, left = kStart.x - kThumbWidth / 2;
        EXPECT_EQ(AwaitParentPixel(left + 1, top + 1, BandColourAt(top + 1)), BandColourAt(top + 1))
            << "the background through the thumb's transparent corner";
        EXPECT_EQ(AwaitParentPixel(kStart.x, top - 2, BandColourAt(top - 2)), BandColourAt(top - 2)) << "above it";
        EXPECT_EQ(AwaitParentPixel(kStart.x, top + kThumbHeight + 1, BandColourAt(top + kThumbHeight + 1)),
                  BandColourAt(top + kThumbHeight + 1))
            << "below it";
    }
    void HoverAtParent(int x, int y) { MoveCursorTo(ScreenPointOf(parent_->get(), x, y)); }

    std::unique_ptr<TestParent> parent_;
    DibPtr background_, thumbs_;
    HWND slider_ = nullptr;
};

TEST_P(SliderTest, PlacesItselfOverItsTrack) {
    Configure();
    const RECT place = PlaceInParent();
    EXPECT_EQ(place.left, kStart.x - kThumbWidth / 2);
    EXPECT_EQ(place.top, kEnd.y - kThumbHeight / 2);
    EXPECT_EQ(place.right - place.left, kThumbWidth);
    EXPECT_EQ(place.bottom - place.top, 147 + kThumbHeight);
    EXPECT_EQ(Send(SLD_GETSTART, 0), Packed(kStart));
    EXPECT_EQ(Send(SLD_GETEND, 0), Packed(kEnd));

    // A new start keeps the end where it was; a track in any direction works.
    Send(SLD_SETSTART, MAKELPARAM(200, 20));
    EXPECT_EQ(Send(SLD_GETEND, 0), Packed(kEnd));
    const RECT diagonal = PlaceInParent();
    EXPECT_EQ(diagonal.left, kEnd.x - kThumbWidth / 2);
    EXPECT_EQ(diagonal.top, 20 - kThumbHeight / 2);
    EXPECT_EQ(diagonal.right - diagonal.left, 77 + kThumbWidth);
    EXPECT_EQ(diagonal.bottom - diagonal.top, 48 + kThumbHeight);
}

TEST_P(SliderTest, ThumbLandsWhereItsValueSays) {
    Configure();
    struct Case {
        LPARAM value;
        LRESULT stored;
        int centreY;  // 215 - 147 * value / 99, truncated towards the start
    };
    for (const Case& c : {Case{50, 50, 141}, Case{0, 0, 215}, Case{500, 99, 68}, Case{-5, 0, 215}, Case{27, 25, 178},
                          Case{99, 95, 74}}) {
        EXPECT_EQ(Send(SLD_SETVALUE, c.value), 1);
        EXPECT_EQ(Send(SLD_GETVALUE, 0), c.stored) << c.value << " on the step grid, inside the range";
        ExpectThumbCentredAt(c.centreY, kThumbColours[0]);
    }
    Send(SLD_SETMAX, 100);  // 95 of 0..100
    ExpectThumbCentredAt(76, kThumbColours[0]);
    EXPECT_EQ(Send(SLD_SETTHUMBFRAME, 1), 1);
    EXPECT_EQ(Send(SLD_GETTHUMBFRAME, 0), 1);
    ExpectThumbCentredAt(76, kThumbColours[1]);
    EXPECT_TRUE(parent_->notices.empty()) << "values set by the owner are not reported";
}

TEST_P(SliderTest, DraggingTheThumbChangesTheValue) {
    Configure();
    parent_->onNotice = [this](UINT code, HWND) {
        if (code == CN_CHANGED) Send(SLD_SETTHUMBFRAME, Send(SLD_GETVALUE, 0) == kMax ? 1 : 0);
    };
    HoverAtParent(kStart.x, 141);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER}));
    PressLeft();
    EXPECT_EQ(GetCapture(), slider_);

    HoverAtParent(kStart.x, kEnd.y - 30);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), kMax) << "beyond the end";
    ExpectThumbCentredAt(kEnd.y, kThumbColours[1]);
    EXPECT_EQ(Send(SLD_SETVALUE, 10), 1);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), kMax) << "ignored during a drag";

    HoverAtParent(kStart.x + 40, kStart.y + 30);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 0) << "beyond the start, and off to the side";
    ExpectThumbCentredAt(kStart.y, kThumbColours[0]);

    HoverAtParent(kStart.x, (kStart.y + kEnd.y) / 2);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 50) << "the middle of the track";
    ExpectThumbCentredAt(141, kThumbColours[0]);
    ReleaseLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_CHANGED, CN_CHANGED, CN_CHANGED, CN_RELEASED}))
        << "released on the thumb: still over it";

    MoveCursorTo(kFarAway, 0);
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);
}

TEST_P(SliderTest, OnlyTheThumbIsHot) {
    Configure();
    HoverAtParent(kStart.x, 100);  // on the track, away from the thumb at 141
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    HoverAtParent(kStart.x, 110);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 50);

    HoverAtParent(kStart.x, 140);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER}));
    HoverAtParent(kStart.x, 110);  // off the thumb, still over the slider: the poll tells
    EXPECT_LE(WaitForNotice(*parent_, CN_LEAVE), kLeaveToleranceMs);

    // Dragged and released off the thumb: the leave comes with the release.
    parent_->notices.clear();
    HoverAtParent(kStart.x, 141);
    PressLeft();
    HoverAtParent(kStart.x + 30, 141);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED, CN_RELEASED, CN_LEAVE}));
}

TEST_P(SliderTest, DisablingOrLosingTheTrackEndsADragSilently) {
    Configure();
    HoverAtParent(kStart.x, 141);
    PressLeft();
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    HoverAtParent(kStart.x, 100);
    ReleaseLeft();
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 50);

    Send(CM_SETENABLED, 1);
    parent_->notices.clear();
    HoverAtParent(kStart.x, 141);
    PressLeft();
    Send(SLD_SETEND, Packed(kStart));
    EXPECT_EQ(GetCapture(), nullptr) << "a slider that is not ready must not keep the capture";
    ReleaseLeft();
    PumpFor(3 * kHoverPollMs);
    EXPECT_EQ(parent_->Codes(), Codes({CN_ENTER, CN_PRESSED}));
}

TEST_P(SliderTest, NotReadyItSitsAtItsStartBlackAndInert) {
    const auto expectUnready = [this](const char* why) {
        const RECT place = PlaceInParent();
        EXPECT_EQ(place.left, kStart.x) << why;
        EXPECT_EQ(place.top, kStart.y) << why;
        EXPECT_EQ(place.right - place.left, kPlaceholderSize) << why;
        EXPECT_EQ(AwaitPixel(slider_, 25, 25, 0u), 0u) << why;
    };
    Configure();
    Send(SLD_SETEND, Packed(kStart));
    expectUnready("start equal to end");
    HoverAtParent(kStart.x + 3, kStart.y + 3);
    PressLeft();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseLeft();
    EXPECT_TRUE(parent_->notices.empty());

    Send(SLD_SETEND, Packed(kEnd));
    EXPECT_EQ(Send(SLD_SETBACKGROUND, 0), 0) << "a missing background is refused";
    EXPECT_EQ(Send(SLD_GETBACKGROUND, 0), 0);
    expectUnready("no background");

    Send(SLD_SETBACKGROUND, AsParam(background_));
    EXPECT_EQ(Send(CM_SETBITMAP, 0), 1);
    expectUnready("no thumb sheet");
    Send(CM_SETBITMAP, AsParam(thumbs_));
    EXPECT_EQ(Send(CM_GETBITMAP, 0), AsParam(thumbs_));
    ExpectThumbCentredAt(141, kThumbColours[0]);
}

TEST_P(SliderTest, RangeAndStepRules) {
    struct Case {
        UINT message;
        LPARAM argument;
        LRESULT min, max, value, step;
    };
    // From the defaults 0..100, value 50, step 5.
    const Case cases[] = {
        {SLD_SETSTEP, 0, 0, 100, 50, 50},  // below 1: half the range
        {SLD_SETSTEP, 101, 0, 100, 50, 50},  {SLD_SETMAX, 40, 0, 40, 40, 5},
        {SLD_SETMAX, -10, -10, -10, -10, 0},  // below min: min and value follow; no range, no step
        {SLD_SETMIN, 70, 70, 100, 70, 5},    {SLD_SETMIN, 120, 120, 120, 120, 0},
    };
    for (const Case& c : cases) {
        HWND slider = parent_->AddControl(kSliderClass, 10, 10);
        SendMessageA(slider, c.message, 0, c.argument);
        EXPECT_EQ(SendMessageA(slider, SLD_GETMIN, 0, 0), c.min) << c.message << " " << c.argument;
        EXPECT_EQ(SendMessageA(slider, SLD_GETMAX, 0, 0), c.max) << c.message << " " << c.argument;
        EXPECT_EQ(SendMessageA(slider, SLD_GETVALUE, 0, 0), c.value) << c.message << " " << c.argument;
        EXPECT_EQ(SendMessageA(slider, SLD_GETSTEP, 0, 0), c.step) << c.message << " " << c.argument;
        DestroyWindow(slider);
    }
}

TEST_P(SliderTest, AStepOfZeroLeavesValuesUnrounded) {
    Configure();
    Send(SLD_SETMAX, 1);
    Send(SLD_SETSTEP, 5);
    EXPECT_EQ(Send(SLD_GETSTEP, 0), 0);
    Send(SLD_SETVALUE, 1);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 1);
    ExpectThumbCentredAt(kEnd.y, kThumbColours[0]);
    HoverAtParent(kStart.x, kEnd.y);
    PressLeft();
    HoverAtParent(kStart.x, kStart.y - 10);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 0) << "dragged near the start";
    HoverAtParent(kStart.x, kEnd.y + 10);
    EXPECT_EQ(Send(SLD_GETVALUE, 0), 1);
    ReleaseLeft();
}

INSTANTIATE_TEST_SUITE_P(Depths, SliderTest, ::testing::Values(8, 24), [](const ::testing::TestParamInfo<int>& p) {
    return std::to_string(p.param) + "bit";
});

}  // namespace
