// ApplyLanguage: records the current language and reloads what is held open in the old one.
#pragma once

// Records LanguageIndex ("Idioma" in Vexla.ini) and applies it: the nine spoken sounds are
// located anew, whatever the sound flags say; once the play screen exists, the box windows
// get the menu bar of the language, the new-game button its picture and the picture
// magnifier its caption. Windows that do not exist are left out. An index that is no
// language changes nothing.
void ApplyLanguage();
