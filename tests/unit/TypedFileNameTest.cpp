// Names a player types for a saved game: the name up to its first "." becomes the file's
// name with ".vpf"; names Windows cannot hold are refused with their reason.
#include <gtest/gtest.h>

#include <string>

#include "engine/TypedFileName.h"

namespace {

TEST(TypedFileName, NameIsCutAtItsFirstDotOrRefusedForItsReason) {
    const std::string folder = "C:\\Games\\Vexla\\folder\\";  // 22 characters
    using C = TypedNameCheck;
    const struct {
        std::string typed;
        TypedNameCheck check;
        const char* path;  // for accepted names
    } cases[] = {
        {"game", C::Accepted, "C:\\Games\\Vexla\\folder\\game.vpf"},
        {"game.txt", C::Accepted, "C:\\Games\\Vexla\\folder\\game.vpf"},
        {"a.b.c", C::Accepted, "C:\\Games\\Vexla\\folder\\a.vpf"},
        {"my game 2", C::Accepted, "C:\\Games\\Vexla\\folder\\my game 2.vpf"},
        {"console", C::Accepted, "C:\\Games\\Vexla\\folder\\console.vpf"},
        {"COM0", C::Accepted, "C:\\Games\\Vexla\\folder\\COM0.vpf"},
        {"\xE9t\xE9", C::Accepted, "C:\\Games\\Vexla\\folder\\\xE9t\xE9.vpf"},
        {"", C::EmptyName, nullptr},
        {".vpf", C::EmptyName, nullptr},
        {"   ", C::EmptyName, nullptr},
        {"   .old", C::EmptyName, nullptr},
        {"a<b", C::ForbiddenCharacter, nullptr},
        {"a>b", C::ForbiddenCharacter, nullptr},
        {"c:game", C::ForbiddenCharacter, nullptr},
        {"say \"hi\"", C::ForbiddenCharacter, nullptr},
        {"up/down", C::ForbiddenCharacter, nullptr},
        {"..\\escape", C::EmptyName, nullptr},
        {"in\\side", C::ForbiddenCharacter, nullptr},
        {"a|b", C::ForbiddenCharacter, nullptr},
        {"what?", C::ForbiddenCharacter, nullptr},
        {"star*", C::ForbiddenCharacter, nullptr},
        {"tab\there", C::ForbiddenCharacter, nullptr},
        {std::string("nul\0byte", 8), C::ForbiddenCharacter, nullptr},
        {"CON", C::ReservedName, nullptr},
        {"con.txt", C::ReservedName, nullptr},
        {"Prn ", C::ReservedName, nullptr},
        {"aux", C::ReservedName, nullptr},
        {"NUL", C::ReservedName, nullptr},
        {"com1", C::ReservedName, nullptr},
        {"LPT9", C::ReservedName, nullptr},
        // 22 + 233 + 4 = 259 characters fit; one more does not.
        {std::string(233, 'n'), C::Accepted, nullptr},
        {std::string(234, 'n'), C::TooLong, nullptr},
        {std::string(233, 'n') + ".a much longer extension that is dropped", C::Accepted, nullptr},
        {std::string(1000, 'n'), C::TooLong, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        EXPECT_EQ(CheckTypedFileName(folder, c.typed), c.check);
        if (c.check == C::Accepted) {
            const std::string path = SavePathForTypedName(folder, c.typed);
            EXPECT_LE(path.size(), 259u);
            if (c.path != nullptr) {
                EXPECT_EQ(path, c.path);
            }
        }
    }
}

}  // namespace
