// Helpers for the control tests: a parent window that records the notices its controls send,
// real mouse input through the system (the cursor really moves, buttons really go down), the
// screen's pixels, and image strips whose frames can be told apart by colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "controls/ControlClasses.h"
#include "controls/ControlProtocol.h"
#include "engine/ResourcePack.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"

namespace ctltest {

constexpr DWORD kVisibleControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;  // 0x54000000
constexpr int kPlaceholderSize = 50;
constexpr uint32_t kParentColour = 0x304050;  // what the parent paints around its controls
constexpr DWORD kSettleMs = 60;               // time for queued input and paints to arrive
constexpr POINT kFarAway{900, 700};           // far from every window of the tests
constexpr DWORD kLeaveToleranceMs = 400;      // one 120 ms poll, with room for a slow machine

using Codes = std::vector<UINT>;
using DibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;
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

    // The picture the parent paints at its (0, 0), as the game's windows paint theirs; the
    // rest stays kParentColour. Controls that copy their parent's background are given the same.
    void SetBackground(const PackedDib* picture) {
        background_ = picture;
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
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
            if (self != nullptr && self->background_ != nullptr) {
                const BitmapInfoHeader& h = self->background_->header;
                DrawBlock(dc, 0, 0, h.biWidth, h.biHeight, self->background_, 0, 0);
            }
            EndPaint(window, &ps);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    const PackedDib* background_ = nullptr;
};

// Pumps until `code` arrives; the time it took, or kLeaveToleranceMs * 4 when it never came.
inline DWORD WaitForNotice(const TestParent& parent, UINT code) {
    const DWORD start = GetTickCount();
    if (!PumpUntil([&] { return parent.Received(code); }, kLeaveToleranceMs * 4)) return kLeaveToleranceMs * 4;
    return GetTickCount() - start;
}

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

// Moves the pointer by (dx, dy) from wherever it is, as a mouse does: a control that warped the
// cursor meanwhile sees the move continue from the warped place. The X server stops the pointer
// at the screen's edges. Waits until the system reports the pointer moved.
inline void MoveCursorBy(int dx, int dy, DWORD settleMs = kSettleMs) {
    using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);
    static const auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    POINT before{};
    GetCursorPos(&before);
    std::string x = std::to_string(dx), y = std::to_string(dy);
    char tool[] = "xdotool", verb[] = "mousemove_relative", endOfOptions[] = "--";
    char* const argv[] = {tool, verb, endOfOptions, x.data(), y.data(), nullptr};
    if (spawn == nullptr || spawn(argv, TRUE) != 0) {
        SetCursorPos(before.x + dx, before.y + dy);
    }
    PumpUntil([before] { return !CursorIsAt(before); }, 1000);
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

// Every pixel of a window's client area as the screen shows it, row by row, as 0xRRGGBB.
inline std::vector<uint32_t> ClientPixels(HWND window) {
    const SIZE size = ClientSize(window);
    wintest::PixelCanvas canvas(size.cx, size.cy);
    const POINT corner = ScreenPointOf(window, 0, 0);
    {
        ScreenDC screen;
        BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, screen.get(), corner.x, corner.y, SRCCOPY);
    }
    std::vector<uint32_t> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

inline int CountColour(const std::vector<uint32_t>& pixels, uint32_t colour) {
    int count = 0;
    for (uint32_t p : pixels) count += p == colour ? 1 : 0;
    return count;
}

// The colour at a client point once it is `expected`, or whatever it is after a second.
inline uint32_t AwaitPixel(HWND window, int x, int y, uint32_t expected) {
    uint32_t seen = 0;
    PumpUntil([&] { return (seen = ScreenPixel(window, x, y)) == expected; }, 1000);
    return seen;
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
inline LPARAM AsParam(const DibPtr& dib) { return reinterpret_cast<LPARAM>(dib.get()); }

// The frame of a test strip a control shows, told by the colours at both corners of its band
// and of its body; kBlackFrame for a black control, kUnknownFrame for anything else.
constexpr int kBlackFrame = -1;
constexpr int kUnknownFrame = -2;

inline int StripFrameOnScreen(HWND control) {
    const SIZE size = ClientSize(control);
    const int right = size.cx - 1, bottom = size.cy - 1;
    const uint32_t band = ScreenPixel(control, 0, 0);
    if (band == 0 && ScreenPixel(control, right, bottom) == 0) return kBlackFrame;
    for (int f = 0; f < kMaxFrames; ++f) {
        if (band == BandColour(f) && ScreenPixel(control, right, kBandRows - 1) == BandColour(f) &&
            ScreenPixel(control, 0, kBandRows) == BodyColour(f) && ScreenPixel(control, right, bottom) == BodyColour(f))
            return f;
    }
    return kUnknownFrame;
}

// Lets pending paints reach the screen and returns the frame shown: `expected` as soon as it
// appears, otherwise whatever is there after a second.
inline int AwaitStripFrame(HWND control, int expected) {
    int seen = kUnknownFrame;
    PumpUntil([&] { return (seen = StripFrameOnScreen(control)) == expected; }, 1000);
    return seen;
}

// --- Pictures built in memory -------------------------------------------------------------------

constexpr uint8_t kBlackIndex = 0;    // also the transparent picture and the opaque mask
constexpr uint8_t kWhiteIndex = 255;  // the transparent mask

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

}  // namespace ctltest
