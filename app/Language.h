// The current language at work: texts loaded at base + LanguageIndex, and ApplyLanguage,
// which records the language and reloads what is held open in the old one.
#pragma once

#include <windows.h>

#include <cstdint>

// String base + LanguageIndex of the program's module into `buffer` (at most capacity - 1
// characters). A missing string gives an empty text. The number of characters read.
int LoadLanguageString(uint32_t base, char* buffer, int capacity);

// Records LanguageIndex ("Idioma" in Vexla.ini) and applies it: the nine spoken sounds are
// located anew, whatever the sound flags say; once the play screen exists, the box windows
// get the menu bar of the language, the new-game button its picture and the picture
// magnifier its caption. Windows that do not exist are left out. An index that is no
// language changes nothing.
void ApplyLanguage();
