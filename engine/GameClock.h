// GameClock: the rules of the game clock, apart from the timer that drives it. The clock
// counts whole seconds of play in the document's ElapsedSeconds. A new puzzle arms it; the
// player's first pick-up starts its 1-second timer; pausing makes the ticks count nothing
// while the timer runs on; finishing or discarding the puzzle disarms it and stops the
// timer. The window side owns the timer itself (SetTimer and KillTimer with no window) and
// the text the timer window shows; these functions say when to start and stop it and what
// a tick shows.
#pragma once

#include <cstdint>

#include "engine/AppString.h"
#include "engine/PuzzleDocument.h"

constexpr uint32_t kClockIntervalMs = 1000;

struct ClockReading {
    uint32_t hours = 0;
    uint32_t minutes = 0;
    uint32_t seconds = 0;
};

// Hours, minutes and seconds of a count of seconds; the hours are not limited.
ClockReading SplitElapsed(uint32_t elapsed);

// The clock's text: hours, minutes and seconds separated by ":", each with a leading "0"
// below 10, so 00:00:00, 01:02:05, 100:00:00. False, text unchanged, if it cannot be stored.
bool ComposeElapsedText(AppString& text, uint32_t hours, uint32_t minutes, uint32_t seconds);

// A press on a piece: when the clock is armed it is disarmed and unpaused, and the result
// says that the timer must be started now (its identifier then goes to ClockTimerId).
bool StartClockOnPickUp(PuzzleDocument& doc);

// The puzzle is finished or discarded: the clock is disarmed and forgets its timer. Returns
// the identifier of the timer to kill, 0 when none runs.
uintptr_t StopClock(PuzzleDocument& doc);

// A puzzle file was loaded with `storedSeconds` of play: the count takes the stored time,
// the clock is armed unless the puzzle was stored solved, and unpaused. Returns the
// identifier of a timer still running from the previous game, to kill, or 0.
uintptr_t RestoreClock(PuzzleDocument& doc, uint32_t storedSeconds, bool solved);

// One tick of the timer: nothing while paused (false); otherwise one more second, and the
// reading to show.
bool TickClock(PuzzleDocument& doc, ClockReading* reading);

void PauseClock(PuzzleDocument& doc);
void ResumeClock(PuzzleDocument& doc);
