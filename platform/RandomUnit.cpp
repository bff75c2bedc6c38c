#include "platform/RandomUnit.h"

#include <windows.h>

#include "app/AppGlobals.h"
#include "engine/RandomUnitCore.h"

double RandomUnit() {
    RandomLcg generator(App.RandomSeed);
    const double value = NextRandomUnit(App.RandomState, generator, [] {
        SYSTEMTIME now;
        GetSystemTime(&now);
        return RandomClockReading{now.wMilliseconds, now.wSecond};
    });
    App.RandomSeed = generator.Seed();
    return value;
}
