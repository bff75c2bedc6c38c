// Large blocks on POSIX systems: anonymous mappings, aligned to 2 MB and marked for
// transparent huge pages. Blocks from 64 KB up take whole huge pages: a picture's rows of a
// megabyte then cost one fault instead of 256, which on a virtual machine saves milliseconds,
// for at most one huge page of memory more than asked for.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "engine/LargeBlock.h"

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kSmallestHugeBlock = size_t{64} << 10;

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

void* Map(size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

// The length a block of `bytes` takes: whole huge pages from kSmallestHugeBlock on.
size_t MappedLength(size_t bytes) { return bytes < kSmallestHugeBlock ? bytes : RoundUp(bytes, kHugePage); }

size_t PageSize() {
    const long page = sysconf(_SC_PAGESIZE);
    return page > 0 ? static_cast<size_t>(page) : 4096;
}

}  // namespace

void* AllocateLargeBlock(size_t bytes) noexcept {
    if (bytes == 0) bytes = 1;
    if (bytes < kSmallestHugeBlock || bytes > SIZE_MAX - 2 * kHugePage) return Map(bytes);
    // Map one huge page more than needed and trim both ends so that the block starts on a
    // huge page boundary; only aligned ranges can be backed by huge pages.
    const size_t length = MappedLength(bytes);
    auto* raw = static_cast<char*>(Map(length + kHugePage));
    if (raw == nullptr) return nullptr;
    const auto address = reinterpret_cast<uintptr_t>(raw);
    char* start = raw + (RoundUp(address, kHugePage) - address);
    const auto head = static_cast<size_t>(start - raw);
    if (head > 0) munmap(raw, head);
    if (kHugePage - head > 0) munmap(start + length, kHugePage - head);
#if defined(MADV_HUGEPAGE)
    madvise(start, length, MADV_HUGEPAGE);  // advice only: without huge pages the block still works
#endif
    return start;
}

void FreeLargeBlock(void* block, size_t bytes) noexcept {
    if (block == nullptr) return;
    if (bytes == 0) bytes = 1;
    munmap(block, MappedLength(bytes));
}

void ReleaseLargeBlockTail(void* block, size_t blockBytes, size_t usedBytes) noexcept {
    if (block == nullptr || usedBytes >= blockBytes) return;
    // A block of huge pages gives back whole huge pages only: releasing part of one would split
    // it into small pages, and the part in use would then fault page by page.
    const size_t page = PageSize();
    const size_t step = blockBytes < kSmallestHugeBlock ? page : kHugePage;
    const size_t from = RoundUp(usedBytes, step);
    const size_t end = RoundUp(MappedLength(blockBytes), page);
    if (from >= end) return;
    // Anonymous private pages: dropped at once, and read back as zeros if touched again.
    madvise(static_cast<char*>(block) + from, end - from, MADV_DONTNEED);
}
