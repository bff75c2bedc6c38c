#include "platform/Sound.h"

#include "app/AppGlobals.h"
#include "engine/SoundIds.h"

#include <array>

namespace {
constexpr char kWaveResourceType[] = "WAVE";

// The located sounds, one slot per sound (SoundSlotIndex): the WAVE resource, which belongs to
// the executable image, or null until located or when it is missing.
std::array<const void*, kSoundSlotCount> SoundSlots{};

// Null for an identifier without a slot.
const void** SlotFor(uint32_t id) {
    const int32_t index = SoundSlotIndex(id);
    return index >= 0 ? &SoundSlots[static_cast<size_t>(index)] : nullptr;
}
}  // namespace

const void* LocateSoundIn(HMODULE module, uint32_t id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), kWaveResourceType);
    if (found == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

const void* LocateSound(uint32_t id) { return LocateSoundIn(App.Instance, id); }

void LocateIntoSlot(uint32_t id) {
    if (const void** slot = SlotFor(id)) *slot = LocateSound(id);
}

const void* SoundSlot(uint32_t id) {
    const void** slot = SlotFor(id);
    return slot != nullptr ? *slot : nullptr;
}

bool PlayEffect(const void* sound) { return PlaySoundA(static_cast<LPCSTR>(sound), nullptr, kEffectFlags) != FALSE; }

bool PlayEffectSync(const void* sound) {
    return PlaySoundA(static_cast<LPCSTR>(sound), nullptr, kEffectSyncFlags) != FALSE;
}

bool PlaySwitchedEffect(uint32_t id) {
    if (!App.SoundEffectsOn) return false;
    return PlayEffect(SoundSlot(id));
}

void PlayClickSound() { PlaySwitchedEffect(kClickSound); }

void ForgetLocatedSounds() { SoundSlots.fill(nullptr); }

bool AnySoundLocated() {
    for (const void* slot : SoundSlots)
        if (slot != nullptr) return true;
    return false;
}

void LocateMainMenuSounds() {
    if (App.SoundsLoaded || !App.SoundEffectsOn) return;
    App.SoundsLoaded = 1;
    for (uint32_t entry : kMainMenuSoundOrder) LocateIntoSlot(SoundResourceId(entry, App.LanguageIndex));
}

void LocateSpokenSounds() {
    for (uint32_t base : kSpokenBases) LocateIntoSlot(SoundResourceId(base, App.LanguageIndex));
}

void LocateAllEffectSounds() {
    App.SoundsLoaded = 1;
    for (uint32_t entry : kMainMenuSoundOrder) LocateIntoSlot(SoundResourceId(entry, App.LanguageIndex));
    LocateToolsPanelSounds();
}

void LocateToolsPanelSounds() {
    for (uint32_t id : kToolsPanelSoundOrder) LocateIntoSlot(id);
}
