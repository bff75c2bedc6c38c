#include "app/AppGlobals.h"

#include <mmsystem.h>

AppGlobals App;

AppGlobals::AppGlobals()
    : ScreenWidth(GetSystemMetrics(SM_CXSCREEN)),
      ScreenHeight(GetSystemMetrics(SM_CYSCREEN)),
      BoardAreaWidth(ScreenWidth - kBoardAreaMarginX),
      BoardAreaHeight(ScreenHeight - kBoardAreaMarginY),
      SoundEffectsOn(mixerGetNumDevs() != 0 ? 1 : 0) {}

void OpenResourcePack(const char* path) { App.Pack.Open(path); }

void CloseResourcePack() { App.Pack.Close(); }

double RandomUnit() {
    return NextRandomUnit(App.RandomState, App.RandomGenerator, [] {
        SYSTEMTIME now;
        GetSystemTime(&now);
        return RandomClockReading{now.wMilliseconds, now.wSecond};
    });
}
