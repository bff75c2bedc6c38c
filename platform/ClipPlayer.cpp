#include "platform/ClipPlayer.h"

#include <digitalv.h>

namespace {

template <typename Parameters>
DWORD_PTR AsParam(Parameters& parameters) {
    return reinterpret_cast<DWORD_PTR>(&parameters);
}

}  // namespace

MciDevice OpenClip(const char* path) {
    if (path == nullptr || path[0] == '\0') return MciDevice();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, AsParam(open)) != 0) return MciDevice();
    return MciDevice(open.wDeviceID);
}

bool QueryClipSize(MCIDEVICEID device, ClipSize& size) {
    // MCI rectangles carry the width and height in the right and bottom fields.
    MCI_ANIM_RECT_PARMS where{};
    if (mciSendCommandA(device, MCI_WHERE, MCI_ANIM_WHERE_SOURCE, AsParam(where)) != 0) return false;
    size.width = where.rc.right;
    size.height = where.rc.bottom;
    return true;
}

bool PlaceClip(MCIDEVICEID device, LONG x, LONG y, ClipSize size) {
    MCI_ANIM_RECT_PARMS put{};
    put.rc = RECT{x, y, size.width, size.height};
    return mciSendCommandA(device, MCI_PUT, MCI_ANIM_PUT_DESTINATION | MCI_ANIM_RECT, AsParam(put)) == 0;
}

bool ShowClipIn(MCIDEVICEID device, HWND window, bool stretch) {
    MCI_ANIM_WINDOW_PARMSA show{};
    show.hWnd = window;
    const DWORD flags = MCI_ANIM_WINDOW_HWND | MCI_WAIT | (stretch ? MCI_ANIM_WINDOW_ENABLE_STRETCH : 0);
    return mciSendCommandA(device, MCI_WINDOW, flags, AsParam(show)) == 0;
}

bool PlayClip(MCIDEVICEID device, HWND notifyWindow) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
    return mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, AsParam(play)) == 0;
}

void RealizeClipPalette(MCIDEVICEID device) {
    MCI_GENERIC_PARMS realize{};
    mciSendCommandA(device, MCI_REALIZE, MCI_ANIM_REALIZE_NORM | MCI_WAIT, AsParam(realize));
}
