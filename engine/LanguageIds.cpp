#include "engine/LanguageIds.h"

bool IsLanguage(uint32_t languageIndex) { return languageIndex < kLanguageCount; }

char LanguageDigit(uint32_t languageIndex) {
    return IsLanguage(languageIndex) ? static_cast<char>('0' + languageIndex) : '\0';
}
