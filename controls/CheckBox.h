// CQVCHECK, the check box and radio box in one class: a strip with an unchecked and a checked
// picture, each with a hover variant, and optionally a disabled picture in front. A click
// toggles a plain box; a radio box is only ever checked by a click, and its owner unchecks the
// previously checked member of the group with CHK_SETCHECK 0.
//
// Strip layouts, frames from the top:
//   4 frames: unchecked, unchecked hover, checked, checked hover;
//   5 frames (CM_SETDISABLEDFRAME 1): disabled, then the four above.
// A disabled box shows frame 0: its disabled picture, or the unchecked one without it.
// While pressed the box previews what a click would give as long as the cursor is over it,
// and shows its real state when dragged off.
//
// Messages: CM_GETENABLED .. CM_SETBITMAP, CM_GETDISABLEDFRAME, CM_SETDISABLEDFRAME
// (ControlProtocol.h) and the CHK_ numbers below. Notifications: CN_PRESSED, CN_RELEASED,
// CN_ENTER, CN_LEAVE, CN_CLICKED (a click changed the state), CN_UNCHECKED (an enabled radio
// box was unchecked by CHK_SETCHECK).
#pragma once

#include <windows.h>

constexpr char kCheckBoxClass[] = "CQVCHECK";

constexpr UINT CHK_GETCHECK = WM_USER + 312;  // 1336
constexpr UINT CHK_SETCHECK = WM_USER + 313;  // 1337: nonzero checks; no CN_CLICKED
constexpr UINT CHK_GETRADIO = WM_USER + 314;  // 1338
constexpr UINT CHK_SETRADIO = WM_USER + 315;  // 1339: nonzero makes a radio box

bool RegisterCheckBoxClass(HINSTANCE instance);
