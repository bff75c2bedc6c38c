// LargeBlock: memory for the cut's big arrays (the piece atlas, the picture's rows) taken
// straight from the system instead of the heap, and the allocator that puts a std::vector
// on it.
//
// The atlas of the largest puzzle is tens of megabytes. Fresh memory costs a page fault per
// page the first time it is written, and on a virtual machine a fault can cost more than
// writing the page itself; so blocks of two megabytes or more are aligned to the system's
// huge pages and the system is asked to back them with those (one fault per 2 MB instead of
// 512), where it offers that. The puzzle also keeps its blocks from one game to the next (see
// KeptBuffer.h), so that a later cut of a similar size touches no fresh memory at all; a much
// smaller game keeps the block but gives the pages of its idle tail back.
//
// The allocator leaves new elements as the system hands them out instead of zeroing them:
// the cutter writes every byte of the atlas and of the picture's rows in its one pass, and
// zeroing first would be a second pass over tens of megabytes. Construction with a value
// (assign(n, 0), push_back) works as usual.
#pragma once

#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

// A block of at least `bytes` bytes, page aligned, or null when the system has none.
void* AllocateLargeBlock(size_t bytes) noexcept;
// Gives back a block of AllocateLargeBlock with the size it was asked for.
void FreeLargeBlock(void* block, size_t bytes) noexcept;
// Gives the whole pages of a block (of the size it was asked for) beyond its first `usedBytes`
// back to the system while the block stays where it is, readable and writable: their contents
// are lost, and a page written again later comes back in as fresh memory does. Pages that
// also hold used bytes are kept (on systems with huge pages, the huge pages in use).
void ReleaseLargeBlockTail(void* block, size_t blockBytes, size_t usedBytes) noexcept;

template <typename T>
class LargeBlockAllocator {
public:
    using value_type = T;

    LargeBlockAllocator() noexcept = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        if (count > std::numeric_limits<size_t>::max() / sizeof(T)) throw std::bad_alloc();
        void* block = AllocateLargeBlock(count * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t count) noexcept { FreeLargeBlock(block, count * sizeof(T)); }

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible<U>::value) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
    template <typename U>
    bool operator!=(const LargeBlockAllocator<U>&) const noexcept {
        return false;
    }
};
