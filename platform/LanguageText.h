// Texts of the current language: string-table entries at base + LanguageIndex.
#pragma once

#include <cstdint>

// String base + LanguageIndex of the program's module into `buffer` (at most capacity - 1
// characters). A missing string gives an empty text. The number of characters read.
int LoadLanguageString(uint32_t base, char* buffer, int capacity);
