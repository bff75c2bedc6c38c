// Typed names of saved games; see TypedFileName.h.
#include "engine/TypedFileName.h"

#include <cctype>

#include "engine/PuzzleFileFormat.h"

namespace {

// Characters Windows forbids anywhere in a file name.
constexpr std::string_view kForbiddenCharacters = "<>:\"/\\|?*";
constexpr size_t kMaxPathChars = kPicturePathBytes - 1;

std::string_view StemOf(std::string_view typed) { return typed.substr(0, typed.find('.')); }

bool IsForbidden(char c) {
    return static_cast<unsigned char>(c) < 32 || kForbiddenCharacters.find(c) != std::string_view::npos;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Windows opens the device, not a file, for these names whatever extension follows, and it
// ignores spaces at the end of the name when it decides.
bool IsDeviceName(std::string_view stem) {
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (SameLetters(stem, device)) return true;
    }
    if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9') return false;
    return SameLetters(stem.substr(0, 3), "COM") || SameLetters(stem.substr(0, 3), "LPT");
}

}  // namespace

TypedNameCheck CheckTypedFileName(std::string_view folder, std::string_view typed) {
    const std::string_view stem = StemOf(typed);
    if (stem.find_first_not_of(' ') == std::string_view::npos) return TypedNameCheck::EmptyName;
    for (char c : stem) {
        if (IsForbidden(c)) return TypedNameCheck::ForbiddenCharacter;
    }
    if (IsDeviceName(stem)) return TypedNameCheck::ReservedName;
    if (folder.size() + stem.size() + (sizeof kPuzzleFileExtension - 1) > kMaxPathChars) return TypedNameCheck::TooLong;
    return TypedNameCheck::Accepted;
}

std::string SavePathForTypedName(std::string_view folder, std::string_view typed) {
    std::string path(folder);
    path += StemOf(typed);
    path += kPuzzleFileExtension;
    return path;
}
