// Helpers of the dialogs' tests: the game's own message loop run until a condition holds,
// typing through the system's keyboard input, and the windows a dialog made.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "app/MessageLoop.h"

namespace dlgtest {

// Runs the game's own loop (which offers a child's characters to its parent) until `done`
// holds or `timeoutMs` has passed; true when it held.
inline bool RunGameLoopUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    static const std::function<bool()>* condition = nullptr;
    static DWORD deadline = 0;
    static bool held = false;
    condition = &done;
    deadline = GetTickCount() + timeoutMs;
    held = done();
    if (held) return true;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        held = (*condition)();
        if (held || static_cast<LONG>(GetTickCount() - deadline) > 0) PostQuitMessage(0);
    });
    RunMessageLoop();
    KillTimer(nullptr, timer);
    return held;
}

inline void SendKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Each character as the keyboard would send it to the window with the focus.
inline void TypeText(const std::string& text) {
    for (char c : text) {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wScan = keys[1].ki.wScan = static_cast<unsigned char>(c);
        keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
        keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }
}

// The children of `parent` of window class `className`.
inline std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) == 0) found.push_back(child);
    }
    return found;
}

inline std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The colour of a 24-bit packed picture at (x, y) from its top-left, as 0xRRGGBB.
inline uint32_t DibPixel(const PackedDib* dib, int x, int y) {
    const int height = dib->header.biHeight;
    const int row = height > 0 ? height - 1 - y : y;
    const uint8_t* p = dib->Pixels() + row * DibRowBytes(dib->header.biWidth, 24) + x * 3;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

// Clicks the middle of a control with the real mouse.
inline void ClickControl(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    ctltest::MoveCursorTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    ctltest::PressLeft();
    ctltest::ReleaseLeft();
}

// Saves the whole screen as <name>.bmp in the runner's screenshot folder (VEXLA_SCREENSHOTS,
// a Linux path, reached through Wine's drive Z:), so that a reviewer can look at a dialog the
// test showed. Nothing happens outside the runner.
inline void SaveScreenshot(const std::string& name) {
    const char* folder = std::getenv("VEXLA_SCREENSHOTS");
    if (folder == nullptr || folder[0] != '/') return;
    std::string path = std::string("Z:") + folder + "/" + name + ".bmp";
    std::replace(path.begin(), path.end(), '/', '\\');
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    wintest::PixelCanvas canvas(width, height);
    {
        ScreenDC screen;
        BitBlt(canvas.dc(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    }
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as .bmp files usually are
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> pixels(info.biSizeImage);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = canvas.Pixel(x, y);
            uint8_t* p = pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes + static_cast<size_t>(x) * 3;
            p[0] = static_cast<uint8_t>(rgb), p[1] = static_cast<uint8_t>(rgb >> 8),
            p[2] = static_cast<uint8_t>(rgb >> 16);
        }
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), info.biSizeImage, &written, nullptr);
    CloseHandle(out);
}

}  // namespace dlgtest
