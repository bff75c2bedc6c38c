// Windows allocation of PackedDib blocks: fixed global memory, as packed DIBs have always
// been handed around on this platform.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "engine/PackedDib.h"

PackedDib* AllocPackedDib(size_t pixelBytes) {
    if (pixelBytes > SIZE_MAX - kDibPixelOffset) return nullptr;
    auto* dib = static_cast<PackedDib*>(GlobalAlloc(GMEM_FIXED, kDibPixelOffset + pixelBytes));
    if (dib != nullptr) std::memset(&dib->header, 0, sizeof dib->header);
    return dib;
}

void FreePackedDib(PackedDib* dib) {
    if (dib != nullptr) GlobalFree(dib);
}
