// Sound slots and locating orders, and the language digit recorded in the INI file.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"

namespace {

TEST(SoundIds, EverySoundHasItsOwnSlot) {
    std::vector<uint32_t> all = {457, 458, 459, 460, 461, 462, 463, 464, 465, 467, 468, 469, 470, 502};
    for (uint32_t base : kSpokenBases) all.push_back(base);
    std::set<int32_t> slots;
    for (uint32_t id : all) {
        const int32_t slot = SoundSlotIndex(id);
        EXPECT_GE(slot, 0) << id;
        EXPECT_LT(slot, kSoundSlotCount) << id;
        EXPECT_TRUE(slots.insert(slot).second) << id << " shares slot " << slot;
    }
}

TEST(SoundIds, SpokenSoundsOfEveryLanguageShareTheirBasesSlot) {
    for (uint32_t base : kSpokenBases)
        for (uint32_t language = 0; language < kLanguageCount; ++language)
            EXPECT_EQ(SoundSlotIndex(base + language), SoundSlotIndex(base)) << base + language;
}

TEST(SoundIds, IdentifiersWithoutASlot) {
    for (uint32_t id : {0u, 456u, 471u, 501u, 503u, 1000u, 1009u, 1016u, 1019u, 1096u, 1100u, 1101u})
        EXPECT_EQ(SoundSlotIndex(id), -1) << id;
}

TEST(SoundIds, ResourceIdAddsTheLanguageToSpokenBasesOnly) {
    EXPECT_EQ(SoundResourceId(kSpokenOkBase, kLanguageEnglish), 1011u);
    EXPECT_EQ(SoundResourceId(kSpokenHelpBase, kLanguageGerman), 1095u);
    EXPECT_EQ(SoundResourceId(kClickSound, kLanguageGerman), 465u);
    EXPECT_EQ(SoundResourceId(kHallOfHonourSound, kLanguageFrench), 502u);
    EXPECT_FALSE(IsSpokenBase(1000));
    EXPECT_FALSE(IsSpokenBase(1011));
    EXPECT_FALSE(IsSpokenBase(1100));
}

TEST(SoundIds, MainMenuOrder) {
    const std::vector<uint32_t> expected = {468, 467,  1031, 469, 470,  1091, 463,  464,  465, 461,
                                            459, 1011, 1021, 502, 1071, 1061, 1081, 1051, 1041};
    std::vector<uint32_t> english;
    for (uint32_t entry : kMainMenuSoundOrder) english.push_back(SoundResourceId(entry, kLanguageEnglish));
    EXPECT_EQ(english, expected);
    std::set<uint32_t> spoken;
    for (uint32_t entry : kMainMenuSoundOrder)
        if (IsSpokenBase(entry)) spoken.insert(entry);
    EXPECT_EQ(spoken.size(), kSpokenBaseCount) << "the main menu locates all nine spoken sounds";
}

TEST(LanguageIds, DigitOfEachLanguage) {
    EXPECT_EQ(LanguageDigit(kLanguageSpanish), '0');
    EXPECT_EQ(LanguageDigit(kLanguageEnglish), '1');
    EXPECT_EQ(LanguageDigit(kLanguageGerman), '5');
    EXPECT_TRUE(IsLanguage(5));
    EXPECT_FALSE(IsLanguage(6));
    EXPECT_EQ(LanguageDigit(6), '\0') << "no digit for an index that is no language";
    EXPECT_EQ(LanguageDigit(0xFFFFFFFFu), '\0');
}

}  // namespace
