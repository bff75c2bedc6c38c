// The video window (CWNDVIDEO): a black full-screen window that plays one AVI clip 1:1 in its
// middle. At start-up it plays the introductory clip Video\Present.avi and opens the main
// menu when the clip ends or the player clicks or releases a key; a completion clip chosen by
// the picture plays in it over the play screen and then lets the completion go on.
#pragma once

#include <windows.h>

constexpr char kVideoWindowClass[] = "CWNDVIDEO";
constexpr char kVideoFolder[] = "Video\\";
constexpr char kIntroClipFile[] = "Video\\Present.avi";

bool RegisterVideoWindowClass(HINSTANCE instance);
// Plays Video\<name>.avi below the program folder (the introductory clip for a null name) in
// a new video window, kept in App.VideoWindow. False when the file is missing or the clip
// cannot be opened and played: then no window exists.
bool PlayVideo(const char* name);
// Destroys the video window, if there is one, and clears App.VideoWindow.
void CloseVideoWindow();
