#include "platform/WindowKind.h"

bool RegisterWindowKind(HINSTANCE instance,
                        const char* className,
                        WNDPROC procedure,
                        UINT style,
                        ClassBackground background,
                        HCURSOR cursor) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = cursor != nullptr ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground =
        background == ClassBackground::Black ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

HCURSOR LoadResourceCursor(HINSTANCE instance, int id) {
    HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(id));
    return cursor != nullptr ? cursor : LoadCursorA(nullptr, IDC_ARROW);
}
