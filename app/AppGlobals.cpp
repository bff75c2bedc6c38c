#include "app/AppGlobals.h"

#include "engine/AppString.h"

AppGlobals App;
AppString EnteredName;

AppGlobals::AppGlobals()
    : ScreenWidth(GetSystemMetrics(SM_CXSCREEN)),
      ScreenHeight(GetSystemMetrics(SM_CYSCREEN)),
      BoardAreaWidth(ScreenWidth - kBoardAreaMarginX),
      BoardAreaHeight(ScreenHeight - kBoardAreaMarginY),
      SoundEffectsOn(mixerGetNumDevs() != 0 ? 1 : 0) {}
