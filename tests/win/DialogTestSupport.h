// Helpers of the dialogs' tests: the game's own message loop run until a condition holds,
// typing through the system's keyboard input, and the windows a dialog made.
#pragma once

#include <windows.h>

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

}  // namespace dlgtest
