// The painters of the dialog windows, one group per window; RegisterDialogArt (declared in
// ArtRegistry.h) registers them all.
#pragma once

#include "assets/ArtRegistry.h"

void RegisterMessageArt(PainterTable& table);
void RegisterStatisticsArt(PainterTable& table);
void RegisterHonourArt(PainterTable& table);
void RegisterCongratulationArt(PainterTable& table);
void RegisterAboutArt(PainterTable& table);
void RegisterLanguageArt(PainterTable& table);
void RegisterHiddenPictureArt(PainterTable& table);
