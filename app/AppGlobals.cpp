#include "app/AppGlobals.h"

AppGlobals App;

AppGlobals::AppGlobals()
    : ScreenWidth(GetSystemMetrics(SM_CXSCREEN)),
      ScreenHeight(GetSystemMetrics(SM_CYSCREEN)),
      BoardAreaWidth(ScreenWidth - kBoardAreaMarginX),
      BoardAreaHeight(ScreenHeight - kBoardAreaMarginY),
      SoundEffectsOn(mixerGetNumDevs() != 0 ? 1 : 0) {}
