// The per-window state of every window kind: one block of the kind's own type, made on
// WM_CREATE, kept behind GWLP_USERDATA and freed when the window is gone. Until WM_CREATE has
// attached it (and after it is freed) there is none, and window procedures leave such messages
// to DefWindowProcA.
//
// A kind frees its block on WM_NCDESTROY, the last message a window gets: its children have
// been destroyed by then, so images and menus the children show are released after them.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

template <typename State>
State* WindowStateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Makes the block from `args` and attaches it. Null when memory is short (or the constructor
// throws): the caller's WM_CREATE then answers -1 and the window is not made.
template <typename State, typename... Args>
State* AttachWindowState(HWND window, Args&&... args) noexcept {
    State* state = nullptr;
    try {
        state = new State(std::forward<Args>(args)...);
    } catch (...) {
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return state;
}

// Detaches and frees the block; nothing when there is none.
template <typename State>
void FreeWindowState(HWND window) noexcept {
    State* state = WindowStateOf<State>(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete state;
}
