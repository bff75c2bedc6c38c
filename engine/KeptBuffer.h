// KeptBuffer: how the puzzle's arrays and the cut's work buffers are kept from one game to the
// next, so that a smaller game does not hold on to a larger one's memory and a game of a
// similar size touches no fresh memory.
//
// A heap buffer is used again when it is large enough and no more than half of it would lie
// idle; otherwise it is given back before new memory is taken, so that the old and the new
// buffer never take up memory together.
//
// A large block (LargeBlock.h) large enough is always used again: where more than half of it
// would lie idle, the pages of its idle tail go back to the system in place and the block
// keeps its address. So the first game of a run builds in the blocks the warm-up touched for
// the largest puzzle (CutWarmup.h) whatever its size, and a later, larger game brings the
// tail's pages back in as it writes them, just as it would fresh memory. Only a block too
// small is given back for a new one.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/LargeBlock.h"

// Sizes `buffer` to `count` value-initialised elements. Throws as resize does when memory is
// short.
template <typename T, typename Allocator>
void FitKeptBuffer(std::vector<T, Allocator>& buffer, size_t count) {
    if (buffer.capacity() < count || buffer.capacity() / 2 > count) std::vector<T, Allocator>().swap(buffer);
    buffer.clear();
    buffer.resize(count);
}

// Sizes a large-block buffer to `count` elements, left as they were: the kept part holds the
// last game's bytes, a released tail whatever the system gives back. Throws as resize does
// when memory is short.
template <typename T>
void FitKeptBuffer(std::vector<T, LargeBlockAllocator<T>>& buffer, size_t count) {
    if (buffer.capacity() < count) std::vector<T, LargeBlockAllocator<T>>().swap(buffer);
    buffer.clear();
    if (buffer.capacity() / 2 > count)
        ReleaseLargeBlockTail(buffer.data(), buffer.capacity() * sizeof(T), count * sizeof(T));
    buffer.resize(count);
}
