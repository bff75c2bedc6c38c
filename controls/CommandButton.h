// CQVCOMMAND, the push button: one frame of a vertical image strip chosen by its state
// (normal, hover, pressed, and optionally disabled). The caption is part of the picture.
//
// Strip layouts, frames from the top:
//   3 frames: normal (also shown while disabled), hover, pressed;
//   4 frames (CM_SETDISABLEDFRAME 1): disabled, normal, hover, pressed.
// Messages: CM_GETENABLED, CM_SETENABLED, CM_GETBITMAP, CM_SETBITMAP, CM_GETDISABLEDFRAME,
// CM_SETDISABLEDFRAME (ControlProtocol.h). Owners set the disabled-frame flag before the strip.
// Notifications: CN_PRESSED, CN_RELEASED, CN_ENTER, CN_LEAVE, CN_CLICKED.
#pragma once

#include <windows.h>

constexpr char kCommandButtonClass[] = "CQVCOMMAND";

bool RegisterCommandButtonClass(HINSTANCE instance);
