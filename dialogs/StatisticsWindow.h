// The statistics window (CWNDESTAD): a small movable pop-up, opened from the tools panel, that
// shows the number of pieces, the percentage put together and the score of the game in play.
// The play screen is disabled and the game clock paused while it is open; OK or Enter closes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

constexpr char kStatisticsWindowClass[] = "CWNDESTAD";

constexpr uint32_t kStatisticsBackgroundId = 445;
constexpr uint32_t kStatisticsTitleBase = 1700;  // + LanguageIndex
constexpr uint32_t kStatisticsOkImageId = 444;
constexpr POINT kStatisticsTitleAt{17, 4};
constexpr POINT kStatisticsTitleSize{243, 54};
constexpr POINT kStatisticsOkAt{289, 207};
constexpr int32_t kStatisticsFontHeight = 29;
constexpr int32_t kStatisticsTextCapacity = 200;
// The red figures, and their black shadow one pixel lower and to the right.
constexpr RECT kStatisticsTextRect{151, 59, 409, 244};
constexpr RECT kStatisticsShadowRect{152, 60, 410, 245};

bool RegisterStatisticsWindowClass(HINSTANCE instance);

// Opens the window over the play screen (App.PlayScreenWindow); null when it could not be made,
// and the play screen is usable again.
HWND OpenStatistics();

// The three lines the window shows, in the current language: "Number of pieces: 48",
// "Percentage: 75%", "Score: 1234" in English.
std::string StatisticsText(uint32_t pieces, uint32_t percentage, uint32_t score);
