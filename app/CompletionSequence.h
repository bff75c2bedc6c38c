// What follows a completed puzzle, after its clip: the wallpaper question, the print question
// when a default printer exists, and the hall of honour when the score enters it. Each
// question opens once the previous message window has gone; a question that cannot be asked
// counts as answered no, so the sequence always reaches its end with the play screen usable.
#pragma once

// Asks whether the picture should become the desktop's wallpaper; WallpaperStep gets the answer.
void AskWallpaperQuestion();
// Play resumes; on yes the picture fitted to the screen becomes the wallpaper. Then the print
// question when a default printer opens, else the hall of honour.
void WallpaperStep(bool answer);
// On yes the picture is printed as one centred page; then the hall of honour.
void PrintStep(bool answer);
