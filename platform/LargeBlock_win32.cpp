// Large blocks on Windows: committed virtual memory of their own, given back whole when freed.
// (Large pages need a privilege players do not have, so ordinary pages are used.)
#include <windows.h>

#include "engine/LargeBlock.h"

void* AllocateLargeBlock(size_t bytes) noexcept {
    return VirtualAlloc(nullptr, bytes == 0 ? 1 : bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeBlock(void* block, size_t) noexcept {
    if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}
