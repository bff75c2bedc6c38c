// What all six control classes share, under Wine: registration, the common messages, the
// answer to numbers a class does not know, black painting without a bitmap, NotifyParent,
// and the helpers that keep a capture taken by another window.
#include <gtest/gtest.h>

#include <array>

#include "ControlTestSupport.h"
#include "controls/ControlClasses.h"

namespace {

using namespace ctltest;

struct ExpectedClass {
    const char* name;
    UINT style;
};
constexpr std::array<ExpectedClass, 6> kClasses{{{"CQVCOMMAND", 0},
                                                 {"CQVCHECK", 0},
                                                 {"CQVSLIDE", 0},
                                                 {"CQVSROLL", CS_OWNDC},
                                                 {"CQVANIM", CS_OWNDC},
                                                 {"CQVTXT", 0}}};

bool IsRegistered(const char* name) {
    WNDCLASSA info{};
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &info) != 0;
}

void UnregisterAll() {
    for (const ExpectedClass& c : kClasses) UnregisterClassA(c.name, GetModuleHandleA(nullptr));
}

TEST(RegisterControlClassesTest, RegistersInOrderAndStopsAtTheFirstFailure) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterAll();
    // A class already taken by someone else fails; the classes after it are not tried.
    WNDCLASSA squatter{};
    squatter.lpfnWndProc = DefWindowProcA;
    squatter.hInstance = instance;
    squatter.lpszClassName = "CQVSLIDE";
    ASSERT_NE(RegisterClassA(&squatter), 0);
    EXPECT_FALSE(RegisterControlClasses(instance));
    EXPECT_TRUE(IsRegistered("CQVCOMMAND"));
    EXPECT_TRUE(IsRegistered("CQVCHECK"));
    EXPECT_FALSE(IsRegistered("CQVSROLL"));
    EXPECT_FALSE(IsRegistered("CQVTXT"));

    UnregisterAll();
    EXPECT_TRUE(RegisterControlClasses(instance));
    for (const ExpectedClass& c : kClasses) {
        WNDCLASSA info{};
        ASSERT_TRUE(GetClassInfoA(instance, c.name, &info)) << c.name;
        EXPECT_EQ(info.style, c.style) << c.name;
        EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW)) << c.name;
        EXPECT_EQ(info.hIcon, nullptr) << c.name;
        EXPECT_EQ(info.hbrBackground, nullptr) << c.name;
        EXPECT_EQ(info.lpszMenuName, nullptr) << c.name;
        EXPECT_EQ(info.cbClsExtra, 0) << c.name;
        EXPECT_EQ(info.cbWndExtra, 0) << c.name;
    }
    EXPECT_FALSE(RegisterControlClasses(instance)) << "registered twice, the first class fails";
}

class EveryControlClassTest : public ::testing::TestWithParam<ExpectedClass> {
protected:
    void SetUp() override {
        EnsureControlClasses();
        parent_ = std::make_unique<TestParent>(100, 100, 200, 150);
        control_ = parent_->AddControl(GetParam().name, 30, 40);
        ASSERT_NE(control_, nullptr);
        PumpUntil([this] { return ScreenPixel(control_, kPlaceholderSize / 2, kPlaceholderSize / 2) == 0; }, 1000);
    }
    LRESULT Send(UINT message, LPARAM argument) { return SendMessageA(control_, message, 0, argument); }

    std::unique_ptr<TestParent> parent_;
    HWND control_ = nullptr;
};

TEST_P(EveryControlClassTest, StartsEnabledWithoutBitmapAndPaintsBlack) {
    EXPECT_NE(GetWindowLongPtrA(control_, GWLP_USERDATA), 0) << "the state block is in the user-data slot";
    EXPECT_EQ(Send(CM_GETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), 0);
    EXPECT_EQ(ClientSize(control_).cx, kPlaceholderSize);
    for (int at : {0, kPlaceholderSize / 2, kPlaceholderSize - 1}) EXPECT_EQ(ScreenPixel(control_, at, at), 0u) << at;
    EXPECT_EQ(ScreenPixel(parent_->get(), 10, 10), kParentColour) << "the parent is not black";
}

TEST_P(EveryControlClassTest, UnknownNumbersAnswerOneAndChangeNothing) {
    for (UINT m = CM_SETBITMAP + 1; m < CM_GETDISABLEDFRAME; ++m) EXPECT_EQ(SendMessageA(control_, m, 0, 1), 1) << m;
    EXPECT_EQ(SendMessageA(control_, 1330, 0, 0), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETBITMAP, 0), 0);
    EXPECT_EQ(ClientSize(control_).cy, kPlaceholderSize);
    EXPECT_TRUE(parent_->notices.empty());
}

TEST_P(EveryControlClassTest, KeepsTheEnabledFlagAndClosesOnWmClose) {
    EXPECT_EQ(Send(CM_SETENABLED, 0), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 0);
    EXPECT_EQ(Send(CM_SETENABLED, 5), 1);
    EXPECT_EQ(Send(CM_GETENABLED, 0), 1);
    SendMessageA(control_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(control_));
}

INSTANTIATE_TEST_SUITE_P(Classes,
                         EveryControlClassTest,
                         ::testing::ValuesIn(kClasses),
                         [](const ::testing::TestParamInfo<ExpectedClass>& param) {
                             return std::string(param.param.name);
                         });

TEST(NotifyParentTest, SendsCodeAndOwnHandleBeforeReturning) {
    EnsureControlClasses();
    TestParent parent(100, 100, 200, 150);
    HWND control = parent.AddControl("CQVTXT", 10, 10);
    NotifyParent(control, CN_TICK);
    ASSERT_EQ(parent.notices.size(), 1u) << "sent, not posted";
    EXPECT_EQ(parent.notices[0].code, CN_TICK);
    EXPECT_EQ(parent.notices[0].control, control);

    DestroyWindow(control);
    NotifyParent(control, CN_CLICKED);  // a destroyed control has no parent to tell
    EXPECT_EQ(parent.notices.size(), 1u);
}

TEST(MeasureStripTest, TruncatesTheFrameHeight) {
    PackedDib strip{};
    strip.header.biWidth = 40;
    strip.header.biHeight = 62;
    StripLayout layout = MeasureStrip(&strip, 3);
    EXPECT_EQ(layout.width, 40);
    EXPECT_EQ(layout.frameHeight, 20);
    EXPECT_EQ(MeasureStrip(&strip, 4).frameHeight, 15);
    EXPECT_EQ(MeasureStrip(nullptr, 3).width, 0);
    strip.header.biHeight = -60;  // a top-down header makes no frames
    EXPECT_EQ(MeasureStrip(&strip, 3).frameHeight, 0);
}

}  // namespace
