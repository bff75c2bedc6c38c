// The timer window (CWNDVENTANATIMER): a small plate at the top of the play screen on which
// the game clock's text, ElapsedText, is painted in red digits on a black box.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kTimerWindowClass[] = "CWNDVENTANATIMER";
constexpr uint32_t kTimerBackgroundId = 442;
constexpr int32_t kTimerWindowWidth = 126;
constexpr int32_t kTimerWindowHeight = 39;
constexpr int32_t kTimerWindowTop = 23;
constexpr int32_t kTimerWindowCentreOffset = 63;
constexpr RECT kTimerTextRect = {7, 9, 101, 30};
constexpr int32_t kTimerFontHeight = 25;
constexpr COLORREF kTimerTextColour = RGB(255, 0, 0);
constexpr COLORREF kTimerBoxColour = RGB(0, 0, 0);

bool RegisterTimerWindowClass(HINSTANCE instance);
// Creates the timer window as a child of the play screen, into TimerWindow.
HWND CreateTimerWindow(HWND playScreen);
// Where the timer window sits for a screen `screenWidth` pixels wide.
int32_t TimerWindowLeft(int32_t screenWidth);
