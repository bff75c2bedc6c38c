// Native allocation of PackedDib blocks: the C heap.
#include <cstdlib>
#include <cstring>

#include "engine/PackedDib.h"

PackedDib* AllocPackedDib(size_t pixelBytes) {
    if (pixelBytes > SIZE_MAX - kDibPixelOffset) return nullptr;
    auto* dib = static_cast<PackedDib*>(std::malloc(kDibPixelOffset + pixelBytes));
    if (dib != nullptr) std::memset(&dib->header, 0, sizeof dib->header);
    return dib;
}

void FreePackedDib(PackedDib* dib) { std::free(dib); }
