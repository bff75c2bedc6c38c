// CQVSROLL, the scroller: a vertical spin control of three zones stacked from the top. The top
// arrow raises the value by one step and the bottom arrow lowers it, each repeating while held
// (after the repeat delay the arrow ticks at the repeat interval and steps on every second
// tick, its picture blinking between pressed and normal). Dragging in the middle zone changes
// the value by one step for every vertical movement larger than the drag threshold, up to
// raise and down to lower; the cursor wraps between the top and bottom rows of the screen so
// that a drag never runs out of room. The look does not depend on the value.
//
// Strip layout, zone by zone from the top: zone k owns a block of frames as tall as that zone,
// normal, hover and pressed (and a disabled frame in front of them with
// SCR_SETDISABLEDFRAME 1); the control is as tall as the three zones together. It is ready
// once it has a strip whose frame height equals the sum of the three zone heights; until then
// it is black and ignores the mouse.
//
// Messages: CM_GETENABLED .. CM_SETBITMAP and the SCR_ numbers below. SCR_SETVALUE neither
// repaints nor notifies. Notifications: CN_PRESSED, CN_RELEASED, CN_ENTER, CN_LEAVE,
// CN_CHANGED and the zone codes of ScrollerZoneCode.
#pragma once

#include <windows.h>

constexpr char kScrollerClass[] = "CQVSROLL";

constexpr UINT SCR_GETTOPHEIGHT = WM_USER + 310;       // 1334
constexpr UINT SCR_SETTOPHEIGHT = WM_USER + 311;       // 1335: heights below 1 are ignored
constexpr UINT SCR_GETMIDDLEHEIGHT = WM_USER + 312;    // 1336
constexpr UINT SCR_SETMIDDLEHEIGHT = WM_USER + 313;    // 1337
constexpr UINT SCR_GETBOTTOMHEIGHT = WM_USER + 314;    // 1338
constexpr UINT SCR_SETBOTTOMHEIGHT = WM_USER + 315;    // 1339
constexpr UINT SCR_GETMAX = WM_USER + 316;             // 1340
constexpr UINT SCR_SETMAX = WM_USER + 317;             // 1341
constexpr UINT SCR_GETMIN = WM_USER + 318;             // 1342
constexpr UINT SCR_SETMIN = WM_USER + 319;             // 1343
constexpr UINT SCR_GETVALUE = WM_USER + 320;           // 1344
constexpr UINT SCR_SETVALUE = WM_USER + 321;           // 1345
constexpr UINT SCR_GETSTEP = WM_USER + 322;            // 1346
constexpr UINT SCR_SETSTEP = WM_USER + 323;            // 1347
constexpr UINT SCR_GETDRAGTHRESHOLD = WM_USER + 324;   // 1348
constexpr UINT SCR_SETDRAGTHRESHOLD = WM_USER + 325;   // 1349: pixels; below 1 is ignored
constexpr UINT SCR_GETDISABLEDFRAME = WM_USER + 326;   // 1350
constexpr UINT SCR_SETDISABLEDFRAME = WM_USER + 327;   // 1351
constexpr UINT SCR_GETREPEATDELAY = WM_USER + 328;     // 1352
constexpr UINT SCR_SETREPEATDELAY = WM_USER + 329;     // 1353: ms before an arrow repeats
constexpr UINT SCR_GETREPEATINTERVAL = WM_USER + 330;  // 1354
constexpr UINT SCR_SETREPEATINTERVAL = WM_USER + 331;  // 1355: ms between repeat ticks

constexpr UINT kDefaultRepeatDelayMs = 400;
constexpr UINT kDefaultRepeatIntervalMs = 150;

enum ScrollerZone : int {
    kNoZone = 0,
    kTopZone = 1,
    kMiddleZone = 2,
    kBottomZone = 3,
};

// The zone codes a scroller sends besides the common ones: the mouse entered (5, 6, 7) or
// left (8, 9, 10) a zone, the button went down on it (11, 12, 13) or came up over it
// (14, 15, 16), for the top, middle and bottom zone in turn.
enum class ScrollerZoneEvent : UINT { Entered = 4, Left = 7, Pressed = 10, Released = 13 };
constexpr UINT ScrollerZoneCode(ScrollerZoneEvent event, int zone) { return static_cast<UINT>(event) + zone; }

bool RegisterScrollerClass(HINSTANCE instance);
