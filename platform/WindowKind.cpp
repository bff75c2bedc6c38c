#include "platform/WindowKind.h"

bool RegisterWindowKind(HINSTANCE instance,
                        const char* className,
                        WNDPROC procedure,
                        UINT style,
                        ClassBackground background) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground =
        background == ClassBackground::Black ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}
