// Box names: the six boxes start as "Box 1" .. "Box 6"; a new name keeps 23 characters at
// most, so that it always ends inside the 24 bytes a saved game gives it.
#include <gtest/gtest.h>

#include <string>

#include "engine/BoxNames.h"
#include "engine/PuzzleDocument.h"

namespace {

TEST(BoxNames, StartAsBoxOneToSixAndKeepTwentyThreeCharactersAtMost) {
    PuzzleDocument doc;
    const char* defaults[kBoxCount] = {"Box 1", "Box 2", "Box 3", "Box 4", "Box 5", "Box 6"};
    for (int box = 0; box < kBoxCount; ++box)
        EXPECT_STREQ(doc.boxNames[static_cast<size_t>(box)].data(), defaults[box]);

    const struct {
        std::string typed;
        const char* kept;
    } cases[] = {
        {"Sky", "Sky"},
        {"", ""},
        {"exactly twenty-three ch", "exactly twenty-three ch"},
        {"twenty-four characters!!", "twenty-four characters!"},
        {std::string("cut\0here", 8), "cut"},
    };
    for (const auto& c : cases) {
        const BoxName name = MakeBoxName(c.typed);
        EXPECT_STREQ(name.data(), c.kept);
        EXPECT_EQ(name.back(), '\0');
    }
}

}  // namespace
