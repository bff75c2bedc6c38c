// The clock's thread timer; see GameClockTimer.h.
#include "board/GameClockTimer.h"

#include <utility>

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "engine/AppString.h"
#include "engine/GameClock.h"

namespace {

AppString& ElapsedTextString() {
    static AppString text("00:00:00");
    return text;
}

}  // namespace

const char* ElapsedText() { return ElapsedTextString().Text(); }

void CALLBACK ClockTick(HWND, UINT, UINT_PTR, DWORD) {
    ClockReading reading;
    if (TickClock(Board.Puzzle, &reading))
        FormatElapsed(Board.Puzzle.ElapsedSeconds, reading.hours, reading.minutes, reading.seconds);
}

void FormatElapsed(uint32_t, uint32_t hours, uint32_t minutes, uint32_t seconds) {
    ComposeElapsedText(ElapsedTextString(), hours, minutes, seconds);
    if (App.TimerWindow != nullptr) InvalidateRect(App.TimerWindow, nullptr, FALSE);
}

void PauseClock() { PauseClock(Board.Puzzle); }

void ResumeClock() { ResumeClock(Board.Puzzle); }

void StartClockTimer() {
    // One timer at most: a second start would leave the first ticking with no way to stop it.
    if (Board.Puzzle.ClockTimerId != 0) KillTimer(nullptr, Board.Puzzle.ClockTimerId);
    // A thread timer: no window, so the system chooses the identifier.
    Board.Puzzle.ClockTimerId = SetTimer(nullptr, 0, kClockIntervalMs, ClockTick);
}

void StopClockTimer() {
    // The timer only: whether the clock is armed is the engine's to say, and a cut arms the new
    // game's clock before its changes, which also end the old game's timer, are applied here.
    const UINT_PTR running = std::exchange(Board.Puzzle.ClockTimerId, 0);
    if (running != 0) KillTimer(nullptr, running);
}

void KillClockTimer() {
    if (Board.Puzzle.ClockTimerId != 0) KillTimer(nullptr, Board.Puzzle.ClockTimerId);
    Board.Puzzle.ClockTimerId = 0;
}

void RestoreStoredClock(uint32_t storedSeconds, bool solved) {
    const UINT_PTR running = RestoreClock(Board.Puzzle, storedSeconds, solved);
    if (running != 0) KillTimer(nullptr, running);
    const ClockReading reading = SplitElapsed(storedSeconds);
    FormatElapsed(storedSeconds, reading.hours, reading.minutes, reading.seconds);
}
