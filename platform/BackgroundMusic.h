// The background-music slot: one MCI device that the game would loop behind play. The play
// screen pauses it with play, resumes it, loops it when it ends and closes it at the end; the
// music window stops, closes or restarts it. No screen chooses a piece of music, so the slot
// normally stays empty and every step below then does nothing.
#pragma once

#include <windows.h>
#include <mmsystem.h>

// Hands an open device to the slot (closing the one it held).
void TakeMusicDevice(MCIDEVICEID device);
// The device in the slot, 0 when none is open.
MCIDEVICEID MusicDevice();

void PauseMusic();
// Resumes the music with the end notified to `notifyWindow`.
void ResumeMusic(HWND notifyWindow);
// From its start, with the end notified to `notifyWindow` (the loop, and the music window's
// Cancel).
void RestartMusic(HWND notifyWindow);
void StopMusic();
void CloseMusic();
