// KeptBuffer: how the puzzle's arrays and the cut's work buffers are kept from one game to the
// next. A buffer is used again when it is large enough and no more than half of it would lie
// idle; otherwise it is given back before new memory is taken, so that a smaller game does not
// hold on to a larger one's memory and the old and the new buffer never take up memory
// together.
#pragma once

#include <cstddef>
#include <vector>

// Sizes `buffer` to `count` elements, new ones as resize makes them (left as they were with
// the large-block allocator, value-initialised otherwise). Throws as resize does when memory
// is short.
template <typename T, typename Allocator>
void FitKeptBuffer(std::vector<T, Allocator>& buffer, size_t count) {
    if (buffer.capacity() < count || buffer.capacity() / 2 > count) std::vector<T, Allocator>().swap(buffer);
    buffer.clear();
    buffer.resize(count);
}
