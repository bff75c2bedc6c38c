// The name a player types for a saved game. The file window joins it to the folder chosen in
// its tree: the name is cut at its first "." (or kept whole when it has none) and given the
// extension ".vpf", so "game" and "game.txt" both save "game.vpf" and "a.b.c" saves "a.vpf".
// A name Windows cannot hold is refused with its reason before anything is written.
#pragma once

#include <string>
#include <string_view>

enum class TypedNameCheck {
    Accepted,
    EmptyName,           // nothing (or only spaces) before the first "."
    ForbiddenCharacter,  // one of < > : " / \ | ? * or a control character
    ReservedName,        // a device name of Windows: CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9
    TooLong,             // folder, name and ".vpf" need more than 259 characters
};

// Checks the name `typed` for a file in `folder` (which ends in its separator).
TypedNameCheck CheckTypedFileName(std::string_view folder, std::string_view typed);

// folder + the name up to its first "." + ".vpf"; for names CheckTypedFileName accepts.
std::string SavePathForTypedName(std::string_view folder, std::string_view typed);
