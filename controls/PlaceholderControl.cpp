#include "controls/PlaceholderControl.h"

#include <cstdint>

#include "controls/ControlProtocol.h"
#include "platform/WindowKind.h"

namespace {

struct PlaceholderState {
    uint8_t enabled = 1;
    const PackedDib* bitmap = nullptr;  // owned by the caller, only kept
};

LRESULT OnSetEnabledPlaceholder(PlaceholderState& s, LPARAM enable) {
    s.enabled = enable != 0 ? 1 : 0;
    return kControlMessageDone;
}

LRESULT OnSetBitmapPlaceholder(PlaceholderState& s, LPARAM bitmap) {
    s.bitmap = reinterpret_cast<const PackedDib*>(bitmap);
    return kControlMessageDone;
}

LRESULT OnUnknownPlaceholderMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(control, message, wParam, lParam);
}

LRESULT CALLBACK PlaceholderControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return CreateControlState<PlaceholderState>(control);
    PlaceholderState* s = ControlStateOf<PlaceholderState>(control);
    if (s == nullptr) return DefWindowProcA(control, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<PlaceholderState>(control); return 0;
        case WM_CLOSE: DestroyWindow(control); return 0;
        case WM_PAINT: PaintBlack(control); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledPlaceholder(*s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->bitmap);
        case CM_SETBITMAP: return OnSetBitmapPlaceholder(*s, lParam);
        default: return OnUnknownPlaceholderMessage(control, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPlaceholderControlClass(HINSTANCE instance, const char* className, UINT style) {
    return RegisterWindowKind(instance, className, PlaceholderControlProc, style);
}
