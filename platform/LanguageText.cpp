#include "platform/LanguageText.h"

#include <windows.h>

#include "app/AppGlobals.h"

int LoadLanguageString(uint32_t base, char* buffer, int capacity) {
    if (buffer == nullptr || capacity < 1) return 0;
    buffer[0] = '\0';
    return LoadStringA(App.Instance, base + App.LanguageIndex, buffer, capacity);
}
