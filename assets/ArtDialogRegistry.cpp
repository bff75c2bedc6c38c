#include "assets/ArtDialogRegistry.h"

void RegisterDialogArt(PainterTable& table) {
    RegisterMessageArt(table);
    RegisterStatisticsArt(table);
    RegisterHonourArt(table);
    RegisterCongratulationArt(table);
    RegisterAboutArt(table);
    RegisterLanguageArt(table);
    RegisterHiddenPictureArt(table);
}
