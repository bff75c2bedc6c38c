#include "platform/BackgroundMusic.h"

#include "platform/Handles.h"

namespace {

MciDevice& Slot() {
    static MciDevice device;
    return device;
}

DWORD_PTR Parameters(MCI_GENERIC_PARMS& parameters) { return reinterpret_cast<DWORD_PTR>(&parameters); }

}  // namespace

void TakeMusicDevice(MCIDEVICEID device) { Slot().reset(device); }

MCIDEVICEID MusicDevice() { return Slot().get(); }

void PauseMusic() {
    if (MusicDevice() == 0) return;
    MCI_GENERIC_PARMS pause{};
    mciSendCommandA(MusicDevice(), MCI_PAUSE, 0, Parameters(pause));
}

void ResumeMusic(HWND notifyWindow) {
    if (MusicDevice() == 0) return;
    MCI_GENERIC_PARMS resume{};
    resume.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
    mciSendCommandA(MusicDevice(), MCI_RESUME, MCI_NOTIFY, Parameters(resume));
}

void RestartMusic(HWND notifyWindow) {
    if (MusicDevice() == 0) return;
    MCI_SEEK_PARMS seek{};
    mciSendCommandA(MusicDevice(), MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
    mciSendCommandA(MusicDevice(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void StopMusic() {
    if (MusicDevice() == 0) return;
    MCI_GENERIC_PARMS stop{};
    mciSendCommandA(MusicDevice(), MCI_STOP, 0, Parameters(stop));
}

void CloseMusic() { Slot().reset(); }
