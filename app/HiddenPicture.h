// The hidden picture window (CWNDSECRETO): a thank-you picture (pack 508) that the main menu's
// logo opens after Shift, Ctrl and Q. It is modal in effect: its owner stays disabled until
// it closes. Any character key closes it; it can be dragged by its picture.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kHiddenPictureClass[] = "CWNDSECRETO";
constexpr uint32_t kHiddenPictureImageId = 508;

bool RegisterHiddenPictureClass(HINSTANCE instance);
// Opens the window centred on the screen over `owner`, which is disabled meanwhile. Null (and
// the owner enabled again) when the window cannot be made.
HWND OpenHiddenPicture(HWND owner);
