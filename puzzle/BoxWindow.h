// The box windows (CWNDBOX): six small tool windows of the play screen, each holding one
// surface that fills its client area. A box passes its surface's notices on to its button on
// the play screen, whose picture shows whether the box holds pieces. Closing a box only hides
// it; the boxes live as long as the play screen.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kBoxClass[] = "CWNDBOX";
constexpr DWORD kBoxStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kBoxExStyle = WS_EX_TOOLWINDOW;
constexpr int32_t kBoxLeft = 60;  // box i at (60 + 10 i, 78 + 10 i)
constexpr int32_t kBoxTop = 78;
constexpr int32_t kBoxStep = 10;
constexpr int32_t kBoxOuterSize = 300;
// Pictures of box button i: 300 + i while the box is empty, 310 + i while it holds pieces.
constexpr uint32_t kEmptyBoxImageBase = 300;
constexpr uint32_t kFilledBoxImageBase = 310;
// The box menu's one command.
constexpr UINT kRenameBoxCommand = 40001;

bool RegisterBoxClass(HINSTANCE instance);
// Creates the six hidden boxes, owned by the play screen, into App.BoxWindows.
void CreateBoxWindows(HWND playScreen);
// The box's caption for box i (0..5): "Box 1" .. "Box 6".
void BoxCaption(int32_t box, char (&caption)[8]);
