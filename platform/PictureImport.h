// The player's own pictures: a .bmp is used where it lies; a JPEG or PNG photo is decoded
// through the system's imaging component (WIC) into a 24-bit bottom-up .bmp in a folder of the
// game's own, so that the cutter, the previews and the puzzle files only ever see .bmp files.
//
// An import either gives a .bmp the picture reader accepts, or fails with a reason and leaves
// nothing behind: the decoded picture is written under a temporary name, checked with the
// picture reader, and only then given its final name, which never replaces an earlier import.
#pragma once

#include <cstdint>
#include <string>

enum class PictureImportStatus {
    Imported,      // `path` names a .bmp the picture reader accepts
    NotFound,      // no such file
    Unsupported,   // neither .bmp, JPEG nor PNG by its extension
    CannotDecode,  // the imaging component could not read the file (damaged, empty, not a picture)
    TooLarge,      // more pixels than the game cuts (kMaxImportedSide, kMaxImportedPixels)
    Refused,       // the picture reader refuses the .bmp (a damaged or unusual .bmp)
    CannotWrite,   // the game's picture folder or the new file could not be written
};

// Largest photo taken in: a side the cutter's coordinates carry with room to spare, and a
// pixel count whose 24-bit copy (about 150 MB) the cutter can still hold whole.
constexpr int32_t kMaxImportedSide = 16384;
constexpr uint64_t kMaxImportedPixels = 50'000'000;

struct PictureImportResult {
    PictureImportStatus status = PictureImportStatus::CannotDecode;
    std::string path;  // the .bmp to cut when status is Imported, else empty
};

// The folder beside the executable that imported photos go to: "MyPictures\".
std::string ImportedPictureFolder();

// Makes `source` usable as a puzzle picture. JPEG and PNG files are decoded into a new .bmp in
// `folder` (created when missing; ends with a backslash) named after the photo, with " (2)",
// " (3)" ... added when that name is taken. A photo is turned the way its EXIF orientation says
// (as every photo viewer shows it); photos with transparency are shown on white.
PictureImportResult ImportPicture(const char* source, const std::string& folder) noexcept;
