#include "app/LowColourDialog.h"

#include "app/AppGlobals.h"

namespace {

constexpr int kMessageCapacity = 300;

INT_PTR CALLBACK LowColourDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept {
    switch (message) {
        case WM_COMMAND:
            // The OK button and the caption's close box both arrive with notification code 0.
            if (HIWORD(wParam) == 0) DestroyWindow(dialog);
            return TRUE;
        case WM_DESTROY: PostQuitMessage(0); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

HWND ShowLowColourMessage(UINT stringId) {
    char text[kMessageCapacity + 1] = {};
    LoadStringA(App.Instance, stringId, text, kMessageCapacity);
    HWND dialog =
        CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(kLowColourDialogTemplate), nullptr, LowColourDialogProc, 0);
    if (dialog != nullptr)
        SendDlgItemMessageA(dialog, kLowColourTextControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return dialog;
}
