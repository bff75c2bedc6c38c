// CutWorkspace: what a cut reads the picture and the template through: the picture's header
// and palette, the four coordinate maps, all the picture's rows and the atlas builder's work
// rows. The puzzle keeps it from one cut to the next, like its own arrays, so that a new game
// of a similar size reuses memory that is already there instead of asking the system for
// fresh pages (see KeptBuffer.h for what is kept and what is given back).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/AtlasBuilder.h"
#include "engine/LargeBlock.h"
#include "engine/PackedDib.h"

// The picture's rows as the cut reads them: bottom-up, one palette index a byte or blue,
// green, red.
using PictureRowBuffer = std::vector<uint8_t, LargeBlockAllocator<uint8_t>>;

struct CutWorkspace {
    std::unique_ptr<PackedDib> header;  // header and palette of the picture
    std::vector<int32_t> pictureColumnOfX;
    std::vector<int32_t> pictureRowOfY;
    std::vector<int32_t> templateColumnOfU;
    std::vector<int32_t> templateRowOfV;
    PictureRowBuffer pictureRows;
    AtlasWorkspace builder;

    // Gives every buffer back.
    void Release();
};
