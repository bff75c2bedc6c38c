// The game clock on the Windows side: the 1-second thread timer (no window) whose procedure,
// ClockTick, counts the playing time of Board.Puzzle and shows it on the timer window, and the
// switches other windows use. The rules of when it runs live in GameClock.h.
#pragma once

#include <windows.h>

#include <cstdint>

// The timer procedure given to SetTimer: one second of play, unless paused.
void CALLBACK ClockTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// The clock's text as the timer window shows it, "00:00:00" before the first tick.
const char* ElapsedText();

// Rebuilds ElapsedText from the hours, minutes and seconds (the total is not used) and
// repaints the timer window without erasing.
void FormatElapsed(uint32_t totalSeconds, uint32_t hours, uint32_t minutes, uint32_t seconds);

// Windows that halt the game while they are open bracket their lives with these.
void PauseClock();
void ResumeClock();

// Starts the 1-second timer (the first pick-up of a game found the clock armed).
void StartClockTimer();
// The puzzle is finished or discarded: the clock's timer is killed (the engine operation that
// ended the game has disarmed the clock already, or armed the next game's).
void StopClockTimer();
// The clock's timer killed, if one runs; whether the clock is armed is the engine's to say
// (what ApplyBoardChanges does for an operation that stopped the clock).
void KillClockTimer();
// A stored game was loaded: any running timer is killed, the clock takes the stored time
// (and shows it) and is armed unless the game was stored solved.
void RestoreStoredClock(uint32_t storedSeconds, bool solved);
