// Large blocks on Windows: committed virtual memory of their own, given back whole when freed.
// (Large pages need a privilege players do not have, so ordinary pages are used.)
#include <windows.h>

#include "engine/LargeBlock.h"

namespace {

size_t PageSize() noexcept {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize != 0 ? info.dwPageSize : 4096;
}

}  // namespace

void* AllocateLargeBlock(size_t bytes) noexcept {
    return VirtualAlloc(nullptr, bytes == 0 ? 1 : bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeBlock(void* block, size_t) noexcept {
    if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

void ReleaseLargeBlockTail(void* block, size_t blockBytes, size_t usedBytes) noexcept {
    if (block == nullptr || usedBytes >= blockBytes) return;
    // The tail stays committed: the vector may grow into it again without asking us, so it
    // must stay readable and writable. MEM_RESET tells the system its contents are of no
    // further interest (it neither writes them to the paging file nor keeps them once the
    // page leaves the working set), and VirtualUnlock on pages that were never locked takes
    // them out of the working set now; it then reports ERROR_NOT_LOCKED, which is expected.
    // Both act on every page the range touches, so the range starts on the first page that
    // holds no used byte.
    const size_t page = PageSize();
    const size_t from = (usedBytes + page - 1) / page * page;
    const size_t end = (blockBytes + page - 1) / page * page;
    if (from >= end) return;
    void* const tail = static_cast<char*>(block) + from;
    if (VirtualAlloc(tail, end - from, MEM_RESET, PAGE_READWRITE) != nullptr) VirtualUnlock(tail, end - from);
}
