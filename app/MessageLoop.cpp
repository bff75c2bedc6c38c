#include "app/MessageLoop.h"

#include "app/AppGlobals.h"

namespace {

bool OfferCharToParent(const MSG& msg) {
    if (msg.message != WM_CHAR || msg.hwnd == nullptr) return false;
    if ((GetWindowLongPtrA(msg.hwnd, GWL_STYLE) & WS_CHILD) == 0) return false;
    return SendMessageA(GetParent(msg.hwnd), ChildCharMessage, msg.wParam, msg.lParam) != 0;
}

}  // namespace

WPARAM RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!OfferCharToParent(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return msg.wParam;
            DispatchMessageA(&msg);
        }
    }
    return msg.wParam;
}
