#include "engine/SoundIds.h"

namespace {
constexpr uint32_t kFirstPlainSound = kSolveToolSound;
constexpr uint32_t kLastPlainSound = kAnimatedHoverSound;
constexpr int32_t kPlainSlotCount = static_cast<int32_t>(kLastPlainSound - kFirstPlainSound + 1);
constexpr int32_t kHallSlot = kPlainSlotCount;
constexpr int32_t kFirstSpokenSlot = kHallSlot + 1;
constexpr uint32_t kFirstSpokenBase = kSpokenOkBase;
constexpr uint32_t kLastSpokenBase = kSpokenHelpBase;

static_assert(kFirstSpokenSlot + static_cast<int32_t>(kSpokenBaseCount) == kSoundSlotCount, "slot count");
}  // namespace

bool IsSpokenBase(uint32_t id) { return id >= kFirstSpokenBase && id <= kLastSpokenBase && id % kSpokenBaseStep == 0; }

uint32_t SoundResourceId(uint32_t idOrBase, uint32_t languageIndex) {
    return IsSpokenBase(idOrBase) ? idOrBase + languageIndex : idOrBase;
}

int32_t SoundSlotIndex(uint32_t id) {
    if (id >= kFirstPlainSound && id <= kLastPlainSound) return static_cast<int32_t>(id - kFirstPlainSound);
    if (id == kHallOfHonourSound) return kHallSlot;
    const uint32_t language = id % kSpokenBaseStep;
    const uint32_t base = id - language;
    if (language < kLanguageCount && IsSpokenBase(base))
        return kFirstSpokenSlot + static_cast<int32_t>((base - kFirstSpokenBase) / kSpokenBaseStep);
    return -1;
}
