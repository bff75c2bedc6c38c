#include "platform/OwnedPopup.h"

void CloseGivingOwnerBack(HWND popup, HWND owner) {
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    DestroyWindow(popup);
}
