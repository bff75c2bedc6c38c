// ScaledPicture: a small copy of a picture on disk as one PackedDib, ready to be drawn: the
// picture's header and palette, then its pixels resampled to the size asked for in the
// picture's own format. The magnifier and the size pickers show the picture in play this way
// without holding it whole in memory.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/BmpFileReader.h"
#include "engine/Geometry.h"
#include "engine/PackedDib.h"

using PackedDibPtr = std::unique_ptr<PackedDib, PackedDibDeleter>;

// The open picture of `reader` resampled to `size`. The header describes exactly the pixels
// that follow: the new width, a positive height (rows bottom-up, whatever order the file
// keeps, because DrawDib draws no other), an uncompressed image of the new byte count, and
// for pictures of up to 8 bits their palette. Null when nothing is open, the size has no
// area, memory is short or the read fails.
PackedDibPtr ReadScaledPicture(BmpFileReader& reader, Point size);
