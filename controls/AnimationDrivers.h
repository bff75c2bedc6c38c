// The drivers of animated buttons: small routines that turn the notifications of a CQVANIM
// control into hover, press and idle animations. An owner passes every code an animated
// button sends, except CN_CLICKED (which runs the button's action), to the button's driver,
// with the control's handle. A driver keeps its state in the control's user data
// (ANM_GETUSERDATA / ANM_SETUSERDATA) and talks to the control only through its messages,
// so one routine serves every window with such a button.
#pragma once

#include <windows.h>

#include <cstdint>

// The blink driver. Frames 0 (rest) and 1 (lit) alternate while the pointer is over the
// button, frame 2 shows while it is held down; the user data tells that it is held. True when
// the pointer came over a button that is not held and the blinking started: the owner plays
// its hover sound then.
bool ButtonHoverStep(HWND control, UINT code);

// The four-phase driver: frames 0 to 3 loop while the pointer is over the button, frame 4
// shows while it is held (the user data tells that it is). The loop keeps its frame when the
// pointer leaves.
void FourPhaseStep(HWND control, UINT code);

// The ten-frame driver: frames 0 to 4 open the button when the pointer comes over it, 5 to 9
// then loop, and when the pointer leaves the frames run back down to 0 and stop. Re-entering
// while it closes resumes the loop at once from frame 5 or above, and the opening below.
// True when a tick shows frame 9: the owner plays its sound then.
bool TenFrameStep(HWND control, UINT code);

// The ten-frame driver's states, kept in the user data.
enum TenFrameState : int32_t {
    kTenFrameIdle = 0,
    kTenFrameOpening = 1,
    kTenFrameLooping = 2,
    kTenFrameClosing = 3,
};

// The swing driver: while the pointer is over the button it swings 0 -> 9 -> 0 -> 9 ...; when
// the pointer leaves, it runs back down to frame 0 and stops there. The user data holds the
// direction (kSwingForward, kSwingBackward). True when a tick left frame 0 or frame 9: the
// owner plays its sound then.
bool SwingHoverStep(HWND control, UINT code);

enum SwingDirection : int32_t {
    kSwingForward = 0,
    kSwingBackward = 1,
};

// The wrap-around driver: frames 0 to 9 loop from the moment the pointer comes over the
// button, and after it has left (the user data tells that it has) the loop runs on until it
// is back at frame 0. Returns the frame a tick showed, so that the owner can play a sound at
// a frame of its choice, and kNoTickFrame for every other code.
int32_t AnimHoverStep(HWND control, UINT code);

constexpr int32_t kNoTickFrame = -1;
