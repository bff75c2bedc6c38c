// Renaming a box: the typed name (23 characters at most) replaces that box's name only, marks
// the game changed and asks the boxes to show it; an empty name, the same name or a box out
// of range changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "engine/BoxRenaming.h"

namespace {

TEST(BoxRenaming, TypedNameReplacesOnlyThatBox) {
    const struct {
        int box;
        std::string typed;
        const char* expected;  // the box's name afterwards; null: nothing changed
    } cases[] = {
        {0, "Sky", "Sky"},     {5, "a name of thirty characters!!!", "a name of thirty charac"},
        {2, "", nullptr},      {3, std::string("\0hidden", 7), nullptr},
        {1, "Box 2", nullptr}, {-1, "Sky", nullptr},
        {6, "Sky", nullptr},
    };
    for (const auto& c : cases) {
        PuzzleDocument doc;
        const BoxNames before = doc.boxNames;
        const BoardChanges changes = RenameBox(doc, c.box, c.typed);
        BoxNames expected = before;
        if (c.expected != nullptr) expected[static_cast<size_t>(c.box)] = MakeBoxName(c.expected);
        EXPECT_EQ(doc.boxNames, expected) << c.box << " " << c.typed;
        EXPECT_EQ(changes.boxNamesChanged, c.expected != nullptr) << c.typed;
        EXPECT_EQ(doc.dirty, c.expected != nullptr ? 1 : 0) << c.typed;
    }
}

}  // namespace
