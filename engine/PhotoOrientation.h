// Which way up a photo is meant to be shown. Cameras and phones store the sensor's rows as they
// came and write the turn the picture needs into the EXIF orientation tag of the JPEG; every
// photo viewer applies it, so a photo imported without it would lie on its side.
//
// Only the tag is read, from the bytes of the file's start: the markers before the picture data,
// the "Exif" APP1 segment, its TIFF header (either byte order) and the first image directory.
// Every offset is checked against the bytes given; anything unexpected means "as stored".
#pragma once

#include <cstddef>
#include <cstdint>

// The eight EXIF orientations: how the stored picture is turned to be shown.
enum class PhotoOrientation : uint8_t {
    AsStored = 1,
    Mirrored = 2,    // left and right swapped
    UpsideDown = 3,  // turned half way
    MirroredUpsideDown = 4,
    Transposed = 5,       // mirrored, then turned a quarter anticlockwise
    TurnedClockwise = 6,  // turned a quarter clockwise
    Transversed = 7,      // mirrored, then turned a quarter clockwise
    TurnedAnticlockwise = 8,
};

// Bytes of a file's start that hold its EXIF block in practice (APP1 is at most 64 KB and
// comes first).
constexpr size_t kPhotoHeaderBytes = 70 * 1024;

// The orientation a JPEG's start says; AsStored for anything else (other formats, no tag,
// a damaged or truncated block, a value outside 1 to 8).
PhotoOrientation ReadPhotoOrientation(const uint8_t* bytes, size_t size);

// Whether the shown picture has the stored picture's width and height swapped.
bool SwapsSides(PhotoOrientation orientation);

struct PhotoPoint {
    int64_t x = 0;
    int64_t y = 0;
};
// The stored pixel shown at `shown` (0, 0 top left) for a stored picture of width x height.
PhotoPoint StoredPixelOf(PhotoOrientation orientation, PhotoPoint shown, int64_t width, int64_t height);
