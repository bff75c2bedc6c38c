// See TimerFaces.h. The faces come from the same window procedure, font and background bitmap
// the game uses, drawn by the same Wine on the same display, so a face on the game's screen is
// one of them pixel for pixel.
#include "TimerFaces.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/AppGlobals.h"
#include "board/GameClockTimer.h"
#include "dialogs/TimerWindow.h"
#include "engine/BinaryFile.h"
#include "engine/GameClock.h"
#include "gfx/GdiHandles.h"
#include "gfx/ResourcePackFile.h"

namespace {

constexpr char kHostClass[] = "VexlaProbeTimerHost";
constexpr int32_t kFaceWidth = kTimerTextRect.right - kTimerTextRect.left;
constexpr int32_t kFaceHeight = kTimerTextRect.bottom - kTimerTextRect.top;

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

bool RegisterHostClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = App.Instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kHostClass;
    return RegisterClassA(&wc) != 0;
}

// A bottom-up 24-bit section holding every face, one under the other.
struct FaceStrip {
    BITMAPINFO info{};
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap;

    FaceStrip(HDC compatible, int count) : bitmap(nullptr) {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kFaceWidth;
        info.bmiHeader.biHeight = kFaceHeight * count;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biSizeImage = RowBytes() * static_cast<uint32_t>(info.bmiHeader.biHeight);
        bitmap.reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    static uint32_t RowBytes() { return (static_cast<uint32_t>(kFaceWidth) * 3 + 3) & ~3u; }

    bool WriteTo(const char* path) const {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + info.bmiHeader.biSizeImage;
        BinaryFile out;
        return out.CreateWrite(path) && out.WriteAll(&file, sizeof file) &&
               out.WriteAll(&info.bmiHeader, sizeof(BITMAPINFOHEADER)) &&
               out.WriteAll(bits, info.bmiHeader.biSizeImage);
    }
};

bool CaptureFaces(HWND timer, int count, const char* outPath) {
    WindowDC timerDc(timer);
    MemoryDC memory(timerDc.get());
    FaceStrip strip(timerDc.get(), count);
    if (!strip.bitmap) return false;
    SelectedObject selected(memory.get(), strip.bitmap.get());
    for (int face = 0; face < count; ++face) {
        const ClockReading reading = SplitElapsed(static_cast<uint32_t>(face));
        FormatElapsed(static_cast<uint32_t>(face), reading.hours, reading.minutes, reading.seconds);
        UpdateWindow(timer);  // paints now: FormatElapsed invalidated the whole window
        BitBlt(memory.get(), 0, face * kFaceHeight, kFaceWidth, kFaceHeight, timerDc.get(), kTimerTextRect.left,
               kTimerTextRect.top, SRCCOPY);
    }
    GdiFlush();
    return strip.WriteTo(outPath);
}

}  // namespace

int WriteTimerFaces(const char* packPath, int count, const char* outPath) {
    if (count < 1) return 2;
    App.Instance = GetModuleHandleA(nullptr);
    App.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    OpenResourcePack(packPath);
    if (!Pack.IsOpen() || !RegisterTimerWindowClass(App.Instance) || !RegisterHostClass()) return 1;
    // A strip as wide as the screen along its top, where the play screen would be: the timer
    // window takes the place and size it has in the game.
    HWND host =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kHostClass, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                        App.ScreenWidth, kTimerWindowTop + kTimerWindowHeight, nullptr, nullptr, App.Instance, nullptr);
    HWND timer = host != nullptr ? CreateTimerWindow(host) : nullptr;
    PumpPending();
    const bool written = timer != nullptr && CaptureFaces(timer, count, outPath);
    if (host != nullptr) DestroyWindow(host);
    PumpPending();
    CloseResourcePack();
    return written ? 0 : 1;
}
