// Row masking and streaming; see AtlasRows.h.
#include "engine/AtlasRows.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void MaskRow(uint32_t* out, const uint32_t* source, const uint32_t* mask, int32_t count) {
    int32_t k = 0;
#if defined(__SSE2__)
    for (; k + 4 <= count; k += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + k));
        const __m128i inside = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_and_si128(pixels, inside));
    }
#endif
    for (; k < count; ++k) out[k] = source[k] & mask[k];
}

void StoreAtlasRow(uint8_t* destination, const uint32_t* row, size_t bytes) {
#if defined(__SSE2__)
    constexpr size_t kLine = 16;
    // Plain stores up to the first 16-byte boundary (rows start 4-byte aligned), streaming
    // stores for the aligned middle, plain stores for what is left.
    const auto misalignment = static_cast<size_t>(reinterpret_cast<uintptr_t>(destination) % kLine);
    size_t head = misalignment == 0 ? 0 : kLine - misalignment;
    if (head > bytes) head = bytes;
    std::memcpy(destination, row, head);
    size_t done = head;
    const auto* source = reinterpret_cast<const uint8_t*>(row);
    for (; done + kLine <= bytes; done += kLine) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + done));
        _mm_stream_si128(reinterpret_cast<__m128i*>(destination + done), block);
    }
    std::memcpy(destination + done, source + done, bytes - done);
#else
    std::memcpy(destination, row, bytes);
#endif
}

void FinishAtlasRows() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}
