// The clock's faces as the game's own timer window draws them, for the end-to-end scripts to
// read the time off a screenshot by comparison instead of by counting changes they saw.
#pragma once

// Shows a timer window (the game's window kind, on the game's pack) at the place the play
// screen gives it, makes it show 0, 1, ... count - 1 seconds of play and writes the text box
// of each face, one under the other, as a 24-bit .bmp. 0 on success.
int WriteTimerFaces(const char* packPath, int count, const char* outPath);
