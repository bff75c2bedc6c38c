// Effect sounds: WAVE resources of the executable, located once into the sound slots and played straight from memory
// with PlaySoundA. Callers test SoundEffectsOn before playing, except for the few sounds that play regardless (help,
// goodbye, the message window's answers, several sounds of the new-puzzle dialog); PlaySwitchedEffect does the test for
// them.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Asynchronous: returns at once; a new effect replaces the one playing; with the device busy
// the call gives up at once instead of waiting.
constexpr DWORD kEffectFlags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOWAIT;
// The same, returning only when the sound has ended.
constexpr DWORD kEffectSyncFlags = SND_NODEFAULT | SND_MEMORY | SND_NOWAIT;
static_assert(kEffectFlags == 0x2007 && kEffectSyncFlags == 0x2006, "PlaySoundA flags of the effects");

// WAVE resource `id` of the program's module (App.Instance), or null when it has none. The
// data belongs to the module and is never freed.
const void* LocateSound(uint32_t id);
// The same in a given module.
const void* LocateSoundIn(HMODULE module, uint32_t id);

// Locates `id` into its slot; a spoken sound goes into its base's slot.
void LocateIntoSlot(uint32_t id);
// The slot that holds `id` (any language of a spoken sound): null when not located.
const void* SoundSlot(uint32_t id);

// Plays a located sound; a null sound stops the effect that is playing. What PlaySoundA
// answers.
bool PlayEffect(const void* sound);
bool PlayEffectSync(const void* sound);
// Plays the slot of `id` (a spoken sound: its base's slot) only while
// SoundEffectsOn is set; false when it is clear.
bool PlaySwitchedEffect(uint32_t id);
// The click sound (465) if SoundEffectsOn is set: the board's click and every button's.
void PlayClickSound();

// Forgets every located sound, and whether the main menu located its own (tests start clean).
void ForgetLocatedSounds();
// Whether any slot holds a located sound.
bool AnySoundLocated();

// The main menu's step on WM_CREATE: only when SoundsLoaded is clear and SoundEffectsOn is
// set, sets SoundsLoaded and locates the main menu's sounds in their order.
void LocateMainMenuSounds();
// Start-up's step: every effect sound of every screen (the main menu's and the tools
// panel's), whatever the sound switch says, so that the first screen shown is never silent.
void LocateAllEffectSounds();
// The nine spoken sounds of the current language, whatever the flags say (ApplyLanguage).
void LocateSpokenSounds();
// The tools panel's five sounds, each time the panel is made.
void LocateToolsPanelSounds();
