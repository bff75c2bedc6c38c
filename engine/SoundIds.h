// The effect sounds: identifiers of the executable's WAVE resources, the slots that hold them
// once located, and the order in which each window locates its set. Spoken sounds exist per
// language at base + LanguageIndex and share one slot per base, which always holds the
// current language's recording.
#pragma once

#include <cstdint>

#include "engine/LanguageIds.h"

// Sounds for every language.
constexpr uint32_t kSolveToolSound = 457;      // tools panel: solve tool at frame 0 or 4
constexpr uint32_t kHintsGoneSound = 458;      // tools panel: hint tool when the hints run out
constexpr uint32_t kLogoSound = 459;           // main menu logo, hint tool, congratulation window
constexpr uint32_t kMusicToolSound = 460;      // tools panel: music tool on its way up
constexpr uint32_t kHonourToolSound = 461;     // honour tool at frame 3
constexpr uint32_t kStatsToolSound = 462;      // tools panel: statistics tool at frame 6
constexpr uint32_t kHoverSound = 463;          // CN_ENTER on buttons
constexpr uint32_t kUnplayedSound464 = 464;    // located, never played
constexpr uint32_t kClickSound = 465;          // CN_CLICKED on buttons, the board's click
constexpr uint32_t kUnplayedSound467 = 467;    // located, never played
constexpr uint32_t kNewPuzzleSound = 468;      // new-puzzle dialog, options
constexpr uint32_t kAboutSound = 469;          // about-products window, options
constexpr uint32_t kAnimatedHoverSound = 470;  // hover of animated buttons
constexpr uint32_t kHallOfHonourSound = 502;

// Spoken sounds: base + LanguageIndex. The executable carries the English ones only.
constexpr uint32_t kSpokenOkBase = 1010;      // message window: OK
constexpr uint32_t kSpokenCancelBase = 1020;  // message window: Cancel
constexpr uint32_t kSpokenUnplayed1030Base = 1030;
constexpr uint32_t kSpokenUnplayed1040Base = 1040;
constexpr uint32_t kSpokenPlayBase = 1050;       // main menu play button
constexpr uint32_t kSpokenExitHoverBase = 1060;  // hover of the exit animation
constexpr uint32_t kSpokenGoodbyeBase = 1070;    // exit animation, played to its end
constexpr uint32_t kSpokenUnplayed1080Base = 1080;
constexpr uint32_t kSpokenHelpBase = 1090;  // OpenHelp
constexpr uint32_t kSpokenBaseCount = 9;
constexpr uint32_t kSpokenBaseStep = 10;

constexpr uint32_t kSpokenBases[kSpokenBaseCount] = {
    kSpokenOkBase,        kSpokenCancelBase,  kSpokenUnplayed1030Base, kSpokenUnplayed1040Base, kSpokenPlayBase,
    kSpokenExitHoverBase, kSpokenGoodbyeBase, kSpokenUnplayed1080Base, kSpokenHelpBase};

// The first main menu with the sounds switched on locates these, in this order; spoken
// sounds are given by their base.
constexpr uint32_t kMainMenuSoundOrder[] = {kNewPuzzleSound,
                                            kUnplayedSound467,
                                            kSpokenUnplayed1030Base,
                                            kAboutSound,
                                            kAnimatedHoverSound,
                                            kSpokenHelpBase,
                                            kHoverSound,
                                            kUnplayedSound464,
                                            kClickSound,
                                            kHonourToolSound,
                                            kLogoSound,
                                            kSpokenOkBase,
                                            kSpokenCancelBase,
                                            kHallOfHonourSound,
                                            kSpokenGoodbyeBase,
                                            kSpokenExitHoverBase,
                                            kSpokenUnplayed1080Base,
                                            kSpokenPlayBase,
                                            kSpokenUnplayed1040Base};

// The tools panel locates these each time it is made.
constexpr uint32_t kToolsPanelSoundOrder[] = {kSolveToolSound, kHintsGoneSound, kMusicToolSound, kHonourToolSound,
                                              kStatsToolSound};

// One slot per sound of 457 to 470, one for 502, one per spoken base.
constexpr int32_t kSoundSlotCount = 24;

// Whether `id` is the base of a spoken sound (1010, 1020, ..., 1090).
bool IsSpokenBase(uint32_t id);
// The WAVE resource to locate for an entry of the orders above: base + language for a spoken
// base, the identifier itself otherwise.
uint32_t SoundResourceId(uint32_t idOrBase, uint32_t languageIndex);
// The slot that holds `id`: a spoken sound of any of the six languages has its base's slot.
// -1 for an identifier that has no slot.
int32_t SoundSlotIndex(uint32_t id);
