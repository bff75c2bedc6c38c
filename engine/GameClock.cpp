// The clock's rules; see GameClock.h.
#include "engine/GameClock.h"

#include <utility>

namespace {

constexpr uint32_t kSecondsPerMinute = 60;
constexpr uint32_t kSecondsPerHour = 3600;
constexpr uint32_t kTwoDigits = 10;

bool AppendField(AppString& text, uint32_t value) {
    if (value < kTwoDigits && !text.Append("0")) return false;
    return text.AppendInt(static_cast<int32_t>(value));
}

}  // namespace

ClockReading SplitElapsed(uint32_t elapsed) {
    ClockReading reading;
    reading.hours = elapsed / kSecondsPerHour;
    reading.minutes = elapsed / kSecondsPerMinute - reading.hours * kSecondsPerMinute;
    reading.seconds = elapsed % kSecondsPerMinute;
    return reading;
}

bool ComposeElapsedText(AppString& text, uint32_t hours, uint32_t minutes, uint32_t seconds) {
    // Hours beyond the signed range cannot come from a 32-bit count of seconds.
    constexpr uint32_t kLargestField = 0x7FFFFFFF;
    if (hours > kLargestField || minutes > kLargestField || seconds > kLargestField) return false;
    AppString composed("");
    if (!AppendField(composed, hours) || !composed.Append(":") || !AppendField(composed, minutes) ||
        !composed.Append(":") || !AppendField(composed, seconds))
        return false;
    text = std::move(composed);
    return true;
}

bool StartClockOnPickUp(PuzzleDocument& doc) {
    if (doc.ClockArmed == 0) return false;
    doc.ClockArmed = 0;
    doc.ClockPaused = 0;
    return true;
}

uintptr_t StopClock(PuzzleDocument& doc) {
    doc.ClockArmed = 0;
    return std::exchange(doc.ClockTimerId, 0);
}

uintptr_t RestoreClock(PuzzleDocument& doc, uint32_t storedSeconds, bool solved) {
    const uintptr_t running = std::exchange(doc.ClockTimerId, 0);
    doc.ElapsedSeconds = storedSeconds;
    doc.ClockArmed = solved ? 0 : 1;
    doc.ClockPaused = 0;
    return running;
}

bool TickClock(PuzzleDocument& doc, ClockReading* reading) {
    if (doc.ClockPaused != 0) return false;
    ++doc.ElapsedSeconds;
    *reading = SplitElapsed(doc.ElapsedSeconds);
    return true;
}

void PauseClock(PuzzleDocument& doc) { doc.ClockPaused = 1; }

void ResumeClock(PuzzleDocument& doc) { doc.ClockPaused = 0; }
