// Helpers shared by the Win32 tests: temporary files, packs, pumping messages, pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/PackWriter.h"

namespace wintest {

// A fresh folder under the system's temporary folder, removed at the end of the test run
// only when empty (tests write small files).
inline std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "vexla_wintest_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// Writes `bytes` as the whole content of the file at `path`.
inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return written == bytes.size();
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Dispatches whatever is queued for `ms` milliseconds. The queue is emptied once more after
// the time is up, so a thread the machine kept asleep past the end still handles what became
// due meanwhile (timers, paints) before the caller looks.
inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        const bool last = GetTickCount() - start >= ms;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (last) return;
        Sleep(5);
    }
}

// A 24-bit top-down DIB section to draw into and read back, pixel by pixel.
class PixelCanvas {
public:
    PixelCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        Fill(0x12, 0x34, 0x56);
    }
    ~PixelCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return dc_; }
    void Fill(uint8_t r, uint8_t g, uint8_t b) {
        GdiFlush();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                uint8_t* p = At(x, y);
                p[0] = b, p[1] = g, p[2] = r;
            }
    }
    // Red, green, blue packed as 0xRRGGBB.
    uint32_t Pixel(int x, int y) {
        GdiFlush();
        const uint8_t* p = At(x, y);
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }

private:
    uint8_t* At(int x, int y) { return bits_ + y * (((width_ * 3) + 3) & ~3) + x * 3; }
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint8_t* bits_ = nullptr;
};

}  // namespace wintest
