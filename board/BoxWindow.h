// The box windows (CWNDBOX): six small tool windows of the play screen, each holding one
// surface that fills its client area. A box passes its surface's notices on to the play
// screen, whose box button shows whether the box holds pieces. Closing a box only hides
// it; the boxes live as long as the play screen.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kBoxClass[] = "CWNDBOX";
constexpr DWORD kBoxStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kBoxExStyle = WS_EX_TOOLWINDOW;
// Hiding a box leaves the activation, the stacking order and its owner alone.
constexpr UINT kHideBoxFlags =
    SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
constexpr int32_t kBoxLeft = 60;  // box i at (60 + 10 i, 78 + 10 i)
constexpr int32_t kBoxTop = 78;
constexpr int32_t kBoxStep = 10;
constexpr int32_t kBoxOuterSize = 300;
// The box menu's one command.
constexpr UINT kRenameBoxCommand = 40001;

bool RegisterBoxClass(HINSTANCE instance);
// Creates the six hidden boxes, owned by the play screen, into App.BoxWindows, each with
// `menu` as its menu bar (the play screen keeps owning it). A box passes its surface's notices
// (SurfaceNotice::NowEmpty, NowHoldsPieces) on to the play screen with NotifyParent.
void CreateBoxWindows(HWND playScreen, HMENU menu);
// The box's caption for box i (0..5): "Box 1" .. "Box 6".
void BoxCaption(int32_t box, char (&caption)[8]);
