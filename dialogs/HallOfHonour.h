// The hall of honour (CWNDHONOR): a movable pop-up over the play screen that shows the ten
// best scores of the records file with their players' names, an animated button that erases
// the table and an animated button that closes the window. The tools panel opens it to look;
// the end of a completed game opens it through QualifyForHonour when the score enters the
// table, and the message window then asks the player's name on top of it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/LanguageIds.h"
#include "engine/RecordsFile.h"

constexpr char kHallOfHonourClass[] = "CWNDHONOR";

constexpr uint32_t kHallBackgroundId = 700;
constexpr uint32_t kHonourEraseButtonImageId = 5000;
constexpr uint32_t kHallCloseButtonImageId = 6789;
// Control identifiers of the buttons, and of row i's name and score (place i + 1), whose
// window texts are the texts they show.
constexpr int32_t kHallEraseButtonId = 1;
constexpr int32_t kHallCloseButtonId = 2;
constexpr int32_t kHallNameIdBase = 100;
constexpr int32_t kHallScoreIdBase = 200;

bool RegisterHallOfHonourClass(HINSTANCE instance);

// Opens the window over the play screen (which it disables while open) and returns it; the
// window already open when there is one. Null when it cannot be made.
HWND OpenHallOfHonour();
// The open window, or null.
HWND HallOfHonourWindow();
// The table the open window shows (the default table when there is no window).
RecordsTable ShownRecords();

// The end of a completed game: when the game's score enters the table, opens the window and
// asks the player's name on top of it (SaveRecord receives the answer). False when the score
// does not enter, or the window or the question could not be made.
bool QualifyForHonour();
// The answer to the name prompt: confirmed with a name (EnteredName), the waiting result
// enters the records file; cancelled or empty, nothing changes.
void SaveRecord(bool confirmed);

// Keeps `score` as the result waiting for its player's name and returns the place it takes in
// the table as the file is now: kRecordsCount when it does not enter.
int32_t SetPendingHonourResult(int32_t score);
// Enters the waiting result with `name` into the records file, at its place in the table as the
// file is when it is written, and shows the new table in the open window. Nothing for a null or
// empty name.
void EnterPendingResult(const char* name);

// Where the records file lies: beside the executable.
std::string RecordsPath();
