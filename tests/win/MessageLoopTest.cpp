// The program's message loop under Wine: characters for child windows are offered to their
// parents first, and a WM_QUIT found while draining paints ends the loop.
#include <gtest/gtest.h>

#include <vector>

#include "app/AppGlobals.h"
#include "app/MessageLoop.h"

namespace {

struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
};
std::vector<Seen> g_seen;
int g_paints = 0;

constexpr UINT kPostQuitWithPaintPending = WM_APP + 1;
constexpr UINT kPostQuit = WM_APP + 2;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR: g_seen.push_back({window, message, wParam}); return 0;
        case ChildCharMessage:
            g_seen.push_back({window, message, wParam});
            return wParam == 'a' ? 1 : 0;  // the parent consumes 'a' and lets the rest through
        case WM_PAINT: {
            ++g_paints;
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
            return 0;
        }
        case kPostQuit: PostQuitMessage(static_cast<int>(wParam)); return 0;
        case kPostQuitWithPaintPending:
            InvalidateRect(window, nullptr, FALSE);
            PostQuitMessage(9);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = RecordingProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "VexlaLoopTest";
            registered = RegisterClassA(&wc) != 0;
        }
        parent_ = CreateWindowExA(0, "VexlaLoopTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        child_ = CreateWindowExA(0, "VexlaLoopTest", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent_, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(child_, nullptr);
        // Let the first paints go before the test starts counting.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        g_seen.clear();
        g_paints = 0;
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND parent_ = nullptr;
    HWND child_ = nullptr;
};

TEST_F(MessageLoopTest, ChildCharactersGoToTheParentFirst) {
    PostMessageA(child_, WM_CHAR, 'a', 1);
    PostMessageA(parent_, WM_CHAR, 'b', 1);
    PostMessageA(child_, WM_CHAR, 'c', 1);
    // A quit posted now would end the loop at the first paint drain, before 'b' and 'c'.
    PostMessageA(parent_, kPostQuit, 5, 0);
    EXPECT_EQ(RunMessageLoop(), 5u);

    ASSERT_EQ(g_seen.size(), 4u);
    EXPECT_EQ(g_seen[0].window, parent_);  // 'a' offered and consumed
    EXPECT_EQ(g_seen[0].message, ChildCharMessage);
    EXPECT_EQ(g_seen[0].wParam, WPARAM('a'));
    EXPECT_EQ(g_seen[1].window, parent_);  // 'b' for a top-level window is never offered
    EXPECT_EQ(g_seen[1].message, UINT(WM_CHAR));
    EXPECT_EQ(g_seen[2].message, ChildCharMessage);  // 'c' offered, refused...
    EXPECT_EQ(g_seen[3].window, child_);             // ...and delivered to the child
    EXPECT_EQ(g_seen[3].message, UINT(WM_CHAR));
    EXPECT_EQ(g_seen[3].wParam, WPARAM('c'));
}

TEST_F(MessageLoopTest, AQuitFoundWhileDrainingPaintsEndsTheLoop) {
    // Should the drain lose the WM_QUIT, this later one would end the loop instead.
    const UINT_PTR rescue = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
    PostMessageA(parent_, kPostQuitWithPaintPending, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 9u);
    KillTimer(nullptr, rescue);
    EXPECT_EQ(g_paints, 0) << "the loop ended before painting";
}

}  // namespace
