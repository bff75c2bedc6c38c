// The clock's thread timer; see GameClockTimer.h.
#include "puzzle/GameClockTimer.h"

#include "app/AppGlobals.h"
#include "puzzle/GameClock.h"

void CALLBACK ClockTick(HWND, UINT, UINT_PTR, DWORD) {
    ClockReading reading;
    if (TickClock(App.Puzzle, &reading))
        FormatElapsed(App.Puzzle.ElapsedSeconds, reading.hours, reading.minutes, reading.seconds);
}

void FormatElapsed(uint32_t, uint32_t hours, uint32_t minutes, uint32_t seconds) {
    ComposeElapsedText(App.ElapsedText, hours, minutes, seconds);
    if (App.TimerWindow != nullptr)
        InvalidateRect(App.TimerWindow, nullptr, FALSE);
}

void PauseClock() {
    PauseClock(App.Puzzle);
}

void ResumeClock() {
    ResumeClock(App.Puzzle);
}

void StartClockTimer() {
    // One timer at most: a second start would leave the first ticking with no way to stop it.
    if (App.Puzzle.ClockTimerId != 0)
        KillTimer(nullptr, App.Puzzle.ClockTimerId);
    // A thread timer: no window, so the system chooses the identifier.
    App.Puzzle.ClockTimerId = SetTimer(nullptr, 0, kClockIntervalMs, ClockTick);
}

void StopClockTimer() {
    const UINT_PTR running = StopClock(App.Puzzle);
    if (running != 0)
        KillTimer(nullptr, running);
}

void RestoreStoredClock(uint32_t storedSeconds, bool solved) {
    const UINT_PTR running = RestoreClock(App.Puzzle, storedSeconds, solved);
    if (running != 0)
        KillTimer(nullptr, running);
    const ClockReading reading = SplitElapsed(storedSeconds);
    FormatElapsed(storedSeconds, reading.hours, reading.minutes, reading.seconds);
}
