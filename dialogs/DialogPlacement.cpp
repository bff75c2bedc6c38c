#include "dialogs/DialogPlacement.h"

#include "app/AppGlobals.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"

static_assert(kDialogStyle == 0x92400000, "the style of the game's dialogs");

RECT CentredDialogRect(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, kDialogStyle, FALSE);
    const int32_t outerWidth = frame.right - frame.left;
    const int32_t outerHeight = frame.bottom - frame.top;
    const int32_t left = (screenWidth - outerWidth) / 2;
    const int32_t top = (screenHeight - outerHeight) / 2;
    return RECT{left, top, left + outerWidth, top + outerHeight};
}

void FitDialogToBackground(HWND dialog, int32_t width, int32_t height) {
    const RECT frame = CentredDialogRect(width, height, App.ScreenWidth, App.ScreenHeight);
    SetWindowPos(dialog, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

HWND CreateDialogButton(HWND dialog, POINT at, const void* image) {
    HWND button = CreateWindowExA(0, kCommandButtonClass, "", kDialogButtonStyle, at.x, at.y, kDialogControlSize,
                                  kDialogControlSize, dialog, nullptr, App.Instance, nullptr);
    if (button != nullptr) SendMessageA(button, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image));
    return button;
}
