// CQVSLIDE, the slider: a masked thumb that slides along a straight track between two points
// of the parent's client area, in any direction. The control places and sizes its own window
// over the track (the thumb overhangs both ends by half its size) and copies the parent's
// background picture under it, so that it looks transparent.
//
// It is ready once it has the background, the thumb sheet and a track whose ends differ;
// until then it is a black 50 x 50 window at the track's start and ignores the mouse. The
// value min sits at the start, max at the end. Only the thumb is hot: the mouse over it
// reports CN_ENTER, a press on it starts a drag (presses elsewhere on the track do nothing),
// and every move of the drag that changes the value reports CN_CHANGED. The owner answers
// CN_CHANGED with SLD_SETTHUMBFRAME, which draws the thumb at its new place (owners show a
// different knob for each part of the range that way); SLD_SETVALUE and range changes redraw
// it themselves.
//
// The back buffer takes the background's depth and palette: give an 8-bit background and a
// thumb sheet with the same palette (masks at index 0 for opaque and 255 for transparent,
// pictures at 0 where transparent), or both in 24 bits.
//
// Messages: CM_GETENABLED .. CM_SETBITMAP (the thumb sheet, always read as masked) and the
// SLD_ numbers below; start and end are packed as x in the low and y in the high signed
// 16 bits. Notifications: CN_PRESSED, CN_RELEASED, CN_ENTER, CN_LEAVE, CN_CHANGED.
#pragma once

#include <windows.h>

constexpr char kSliderClass[] = "CQVSLIDE";

constexpr UINT SLD_GETBACKGROUND = WM_USER + 310;    // 1334
constexpr UINT SLD_SETBACKGROUND = WM_USER + 311;    // 1335: the parent's picture; null is refused (0)
constexpr UINT SLD_GETTHUMBFRAME = WM_USER + 312;    // 1336
constexpr UINT SLD_SETTHUMBFRAME = WM_USER + 313;    // 1337: draws that frame at the thumb's place
constexpr UINT SLD_GETFRAMEROWS = WM_USER + 314;     // 1338
constexpr UINT SLD_SETFRAMEROWS = WM_USER + 315;     // 1339
constexpr UINT SLD_GETFRAMECOLUMNS = WM_USER + 316;  // 1340
constexpr UINT SLD_SETFRAMECOLUMNS = WM_USER + 317;  // 1341
constexpr UINT SLD_GETMAX = WM_USER + 318;           // 1342
constexpr UINT SLD_SETMAX = WM_USER + 319;           // 1343
constexpr UINT SLD_GETMIN = WM_USER + 320;           // 1344
constexpr UINT SLD_SETMIN = WM_USER + 321;           // 1345
constexpr UINT SLD_GETVALUE = WM_USER + 322;         // 1346
constexpr UINT SLD_SETVALUE = WM_USER + 323;         // 1347: ignored during a drag; no notice
constexpr UINT SLD_GETSTEP = WM_USER + 324;          // 1348
constexpr UINT SLD_SETSTEP = WM_USER + 325;          // 1349
constexpr UINT SLD_GETSTART = WM_USER + 326;         // 1350
constexpr UINT SLD_SETSTART = WM_USER + 327;         // 1351: the end stays where it was
constexpr UINT SLD_GETEND = WM_USER + 328;           // 1352
constexpr UINT SLD_SETEND = WM_USER + 329;           // 1353

bool RegisterSliderClass(HINSTANCE instance);
