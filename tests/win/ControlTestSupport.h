// Helpers for the control tests: a parent window that records the notices its controls send,
// real mouse input through the system (the cursor really moves, buttons really go down), the
// screen's pixels, and image strips whose frames can be told apart by colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "controls/ControlClasses.h"
#include "controls/ControlProtocol.h"
#include "engine/ResourcePack.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"

namespace ctltest {

constexpr DWORD kVisibleControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;  // 0x54000000
constexpr int kPlaceholderSize = 50;
constexpr uint32_t kParentColour = 0x304050;  // what the parent paints around its controls
constexpr DWORD kSettleMs = 60;               // time for queued input and paints to arrive
// How long a test waits for what the system does in its own time (the X server moving the
// pointer, a paint reaching the screen, a timer firing) before it gives up: long enough for a
// machine busy with several builds, and waited out only when the test fails anyway.
constexpr DWORD kWaitMs = 10000;

// The six classes, registered once per test program (a test of the registration itself may
// unregister them and leave them registered again).
inline void EnsureControlClasses() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA info{};
    if (!GetClassInfoA(instance, "CQVCOMMAND", &info)) RegisterControlClasses(instance);
}

inline void PumpFor(DWORD ms) { wintest::Pump(ms); }

// Pumps until `done` holds or `timeoutMs` has passed; true when it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        wintest::Pump(5);
    }
    return true;
}

struct Notice {
    UINT code;
    HWND control;
};

// A top-level window painted in kParentColour that records every NotifyParent it receives
// and lets a test act from inside the notification, as a real owner would.
class TestParent {
public:
    TestParent(int x, int y, int width, int height) {
        static const bool registered = RegisterParentClass();
        (void)registered;
        window_ = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), this);
        SetForegroundWindow(window_);
        PumpFor(kSettleMs);
    }
    ~TestParent() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND get() const { return window_; }

    HWND AddControl(const char* className, int x, int y, DWORD style = kVisibleControlStyle) {
        return CreateWindowExA(0, className, nullptr, style, x, y, kPlaceholderSize, kPlaceholderSize, window_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Notice& n : notices) codes.push_back(n.code);
        return codes;
    }
    bool Received(UINT code) const {
        for (const Notice& n : notices)
            if (n.code == code) return true;
        return false;
    }

    std::vector<Notice> notices;
    std::function<void(UINT code, HWND control)> onNotice;

private:
    static constexpr char kClassName[] = "VexlaControlTestParent";

    static bool RegisterParentClass() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestParent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message == NotifyParentMessage) {
            const auto control = reinterpret_cast<HWND>(lParam);
            self->notices.push_back({static_cast<UINT>(wParam), control});
            if (self->onNotice) self->onNotice(static_cast<UINT>(wParam), control);
            return 0;
        }
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            GdiObject<HBRUSH> brush(
                CreateSolidBrush(RGB(kParentColour >> 16, (kParentColour >> 8) & 0xFF, kParentColour & 0xFF)));
            FillRect(dc, &ps.rcPaint, brush.get());
            EndPaint(window, &ps);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// --- Real input -------------------------------------------------------------------------------

inline POINT ScreenPointOf(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

inline bool CursorIsAt(POINT screen) {
    POINT now{};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

// Moves the pointer as a player's mouse would, then waits until the system reports it there
// and lets the moves it caused arrive for `settleMs`.
// Under Wine the X server's pointer itself is moved (xdotool, started through Wine's spawner
// of Unix programs), so the motion arrives once and in order. SetCursorPos is the fallback: in
// Wine's virtual desktop its warp sometimes comes back as a motion event after the next move,
// replaying a stale position.
inline void MoveCursorTo(POINT screen, DWORD settleMs = kSettleMs) {
    using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);
    static const auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    std::string x = std::to_string(screen.x), y = std::to_string(screen.y);
    char tool[] = "xdotool", verb[] = "mousemove";
    char* const argv[] = {tool, verb, x.data(), y.data(), nullptr};
    const auto arrived = [screen] { return CursorIsAt(screen); };
    if (spawn == nullptr || spawn(argv, TRUE) != 0 || !PumpUntil(arrived, kWaitMs)) {
        SetCursorPos(screen.x, screen.y);
        PumpUntil(arrived, kWaitMs);
    }
    PumpFor(settleMs);
}

inline void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    PumpFor(kSettleMs);
}
inline void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN); }
inline void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP); }

// --- Pixels -----------------------------------------------------------------------------------

// The colour on screen at a window's client point, as 0xRRGGBB.
inline uint32_t ScreenPixel(HWND window, int x, int y) {
    const POINT p = ScreenPointOf(window, x, y);
    ScreenDC screen;
    const COLORREF c = GetPixel(screen.get(), p.x, p.y);
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

inline SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// --- Strips -----------------------------------------------------------------------------------

// Frame i of a test strip has a band of kBandRows rows in BandColour(i) at its top and the
// body in BodyColour(i), so a frame drawn from the wrong rows shows the wrong pair. Rows below
// the last whole frame are in kLeftoverColour.
constexpr int kBandRows = 4;
constexpr int kMaxFrames = 5;
constexpr uint32_t kLeftoverColour = 0xFF00FF;

constexpr uint32_t BandColour(int frame) {
    constexpr uint32_t bands[kMaxFrames] = {0xC80000, 0x00C800, 0x0000C8, 0xC8C800, 0x00C8C8};
    return bands[frame];
}
constexpr uint32_t BodyColour(int frame) {
    constexpr uint32_t bodies[kMaxFrames] = {0x640000, 0x006400, 0x000064, 0x646400, 0x006464};
    return bodies[frame];
}

// A strip kept alive for a test: the pack file is removed once the picture is read.
inline std::unique_ptr<DibImage> MakeStrip(int width, int frameHeight, int frames, int leftoverRows = 0) {
    std::vector<RgbQuad> palette;
    auto add = [&palette](uint32_t rgb) {
        palette.push_back({uint8_t(rgb & 0xFF), uint8_t((rgb >> 8) & 0xFF), uint8_t(rgb >> 16), 0});
        return uint8_t(palette.size() - 1);
    };
    const int height = frameHeight * frames + leftoverRows;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height));
    for (int f = 0; f < frames; ++f) {
        const uint8_t band = add(BandColour(f));
        const uint8_t body = add(BodyColour(f));
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < width; ++x)
                pixels[size_t(f * frameHeight + y) * width + x] = y < kBandRows ? band : body;
    }
    const uint8_t leftover = add(kLeftoverColour);
    for (int y = frameHeight * frames; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = leftover;

    static int serial = 0;
    const std::string path = wintest::TempPath("strip" + std::to_string(++serial) + ".rf");
    PackWriter writer;
    writer.AddImage8(1, width, height, palette, pixels.data(), width);
    auto image = std::make_unique<DibImage>();
    ResourcePack pack;
    if (!writer.WriteTo(path) || !pack.Open(path.c_str()) || !image->LoadFromPack(pack, 1)) image.reset();
    pack.Close();
    DeleteFileA(path.c_str());
    return image;
}

inline LPARAM AsParam(const DibImage& image) { return reinterpret_cast<LPARAM>(image.GetDib()); }

}  // namespace ctltest
