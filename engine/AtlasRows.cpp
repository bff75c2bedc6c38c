// Widening, stretching and storing atlas rows; see AtlasRows.h.
#include "engine/AtlasRows.h"

#include <cstring>
#include <new>

#include "engine/PieceShapes.h"

// The vector path needs SSE2, which every x86-64 processor has; a 32-bit build for any x86
// takes the plain loops unless its compiler was told SSE2 is there.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || (defined(__i386__) && defined(__SSE2__)))
#define VEXLA_X86_VECTORS 1
#include <immintrin.h>
#endif

namespace {

constexpr uint32_t kInsideFlag = 0x01000000u;  // the fourth byte of a pixel in memory
constexpr int32_t kBlock = 8;                  // columns of one stretch block

#if defined(VEXLA_X86_VECTORS)
bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

bool HasSse2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("sse2") != 0;
    }();
    return has;
}

// Whether `vectors` may be used: asked for (or the widest is) and the processor has them.
bool Use(RowVectors vectors, RowVectors asked) {
    if (asked != RowVectors::Widest && asked != vectors) return false;
    return RowVectorsAvailable(vectors);
}
#endif

int32_t MaskIndex(int32_t c, const MaskedAtlasRow& row) {
    if (c == 0) return row.templateCols;
    if (c == row.cols - 1) return row.templateCols + 1;
    return c % row.templateCols;
}

// Pixels first .. last - 1 of the row, one by one.
void StorePixels(uint32_t* destination, const MaskedAtlasRow& row, int32_t first, int32_t last) {
    for (int32_t k = first; k < last; ++k) {
        const int32_t c = k / row.pieceWidth;
        const int32_t u = k % row.pieceWidth;
        destination[k] =
            row.scaled[static_cast<size_t>(c) * static_cast<size_t>(row.cellWidth) + static_cast<size_t>(u)] &
            row.masks[static_cast<size_t>(MaskIndex(c, row)) * static_cast<size_t>(row.pieceWidth) +
                      static_cast<size_t>(u)];
    }
}

// Bits first .. last - 1 of RecordInsideBits, one by one.
void RecordInsideBitsPlain(const uint32_t* scaled, const uint32_t* masks, int32_t first, int32_t last, uint64_t* bits) {
    for (int32_t u = first; u < last; ++u)
        if (((scaled[u] & masks[u]) >> 24) != 0) bits[u / kShapeWordBits] |= uint64_t{1} << (u % kShapeWordBits);
}

#if defined(VEXLA_X86_VECTORS)
// Pixels before the first `alignment`-byte boundary of the destination.
int32_t HeadPixels(const uint32_t* destination, size_t alignment, int32_t total) {
    const auto misalignment = reinterpret_cast<uintptr_t>(destination) % alignment;
    const auto head = static_cast<int32_t>(((alignment - misalignment) % alignment) / sizeof(uint32_t));
    return head < total ? head : total;
}
#endif

// Where the vector loops stand in the row: piece c, its column u, and its rows.
struct Segment {
    int32_t c = 0;
    int32_t u = 0;
    const uint32_t* scaled = nullptr;
    const uint32_t* mask = nullptr;

    Segment(const MaskedAtlasRow& row, int32_t k) { Enter(row, k / row.pieceWidth, k % row.pieceWidth); }
    void Enter(const MaskedAtlasRow& row, int32_t piece, int32_t column) {
        c = piece;
        u = column;
        scaled = row.scaled + static_cast<ptrdiff_t>(c) * row.cellWidth;
        mask = row.masks + static_cast<ptrdiff_t>(MaskIndex(c, row)) * row.pieceWidth;
    }
};

#if defined(VEXLA_X86_VECTORS)

// The eight pixels from `at` on, moving `at` past them. A step that crosses from one piece
// into the next takes its first lanes from the one and the rest from the other (a piece is at
// least eight pixels wide here, so a step crosses at most once).
__attribute__((target("avx2"))) inline __m256i NextEightPixels(const MaskedAtlasRow& row, Segment& at) {
    constexpr int32_t kLanes = 8;
    const __m256i first = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at.scaled + at.u)),
                                           _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at.mask + at.u)));
    if (at.u + kLanes <= row.pieceWidth) {
        at.u += kLanes;
        return first;
    }
    const int32_t fromFirst = row.pieceWidth - at.u;
    at.Enter(row, at.c + 1, 0);
    const __m256i second = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at.scaled - fromFirst)),
                                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at.mask - fromFirst)));
    at.u = kLanes - fromFirst;
    const __m256i takeFirst =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(fromFirst), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    return _mm256_blendv_epi8(second, first, takeFirst);
}

// Eight pixels a step with 32-byte streaming stores. The ragged ends of the row (before the
// first 32-byte boundary and after the last whole step) are one ordinary eight-pixel store
// each, overlapping the streamed pixels with the same values: a pixel at a time there cost
// as much as the rest of the row's arithmetic.
__attribute__((target("avx2"))) void StoreRowAvx2(uint32_t* destination, const MaskedAtlasRow& row) {
    constexpr int32_t kLanes = 8;
    const int32_t total = row.cols * row.pieceWidth;  // at least one piece of eight
    int32_t k = HeadPixels(destination, 32, total);
    if (k > 0) {
        Segment head(row, 0);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination), NextEightPixels(row, head));
    }
    Segment at(row, k);
    for (; k + kLanes <= total; k += kLanes)
        _mm256_stream_si256(reinterpret_cast<__m256i*>(destination + k), NextEightPixels(row, at));
    if (k < total) {
        Segment tail(row, total - kLanes);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + total - kLanes), NextEightPixels(row, tail));
    }
}

// The same four pixels a step with SSE2.
__attribute__((target("sse2"))) inline __m128i NextFourPixels(const MaskedAtlasRow& row, Segment& at) {
    constexpr int32_t kLanes = 4;
    const __m128i first = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at.scaled + at.u)),
                                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(at.mask + at.u)));
    if (at.u + kLanes <= row.pieceWidth) {
        at.u += kLanes;
        return first;
    }
    const int32_t fromFirst = row.pieceWidth - at.u;
    at.Enter(row, at.c + 1, 0);
    const __m128i second = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at.scaled - fromFirst)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(at.mask - fromFirst)));
    at.u = kLanes - fromFirst;
    const __m128i takeFirst = _mm_cmpgt_epi32(_mm_set1_epi32(fromFirst), _mm_setr_epi32(0, 1, 2, 3));
    return _mm_or_si128(_mm_and_si128(takeFirst, first), _mm_andnot_si128(takeFirst, second));
}

__attribute__((target("sse2"))) void StoreRowSse2(uint32_t* destination, const MaskedAtlasRow& row) {
    constexpr int32_t kLanes = 4;
    const int32_t total = row.cols * row.pieceWidth;  // at least one piece of four
    int32_t k = HeadPixels(destination, 16, total);
    if (k > 0) {
        Segment head(row, 0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), NextFourPixels(row, head));
    }
    Segment at(row, k);
    for (; k + kLanes <= total; k += kLanes)
        _mm_stream_si128(reinterpret_cast<__m128i*>(destination + k), NextFourPixels(row, at));
    if (k < total) {
        Segment tail(row, total - kLanes);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + total - kLanes), NextFourPixels(row, tail));
    }
}

// Eight pixels a step: the inside flags of eight masked pixels become eight bits at once.
__attribute__((target("avx2"))) void RecordInsideBitsAvx2(const uint32_t* scaled,
                                                          const uint32_t* masks,
                                                          int32_t width,
                                                          uint64_t* bits) {
    const __m256i zero = _mm256_setzero_si256();
    int32_t u = 0;
    for (; u + 8 <= width; u += 8) {
        const __m256i pixels = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(scaled + u)),
                                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(masks + u)));
        const __m256i outside = _mm256_cmpeq_epi32(_mm256_srli_epi32(pixels, 24), zero);
        const auto inside = static_cast<uint64_t>(~_mm256_movemask_ps(_mm256_castsi256_ps(outside)) & 0xFF);
        bits[u / kShapeWordBits] |= inside << (u % kShapeWordBits);  // u is a multiple of eight: one word
    }
    RecordInsideBitsPlain(scaled, masks, u, width, bits);
}

__attribute__((target("avx2"))) void WidenPaletteAvx2(const uint8_t* source,
                                                      int32_t width,
                                                      const uint32_t* palette32,
                                                      uint32_t* out) {
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i index = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + x)));
        const __m256i pixels = _mm256_i32gather_epi32(reinterpret_cast<const int*>(palette32), index, 4);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), pixels);
    }
    for (; x < width; ++x) out[x] = palette32[source[x]];
}

// Eight blue-green-red pixels from 24 bytes: the two halves of the register take bytes 0..15
// and 12..27, and a shuffle spreads each half's four pixels to four bytes each.
__attribute__((target("avx2"))) void WidenRgbAvx2(const uint8_t* source, int32_t width, uint32_t* out) {
    const __m256i halves = _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6);
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5,
                                            -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i flag = _mm256_set1_epi32(static_cast<int>(kInsideFlag));
    int32_t x = 0;
    // Each step reads 32 bytes for its 24, so the last steps are left to the plain loop.
    for (; x + 11 <= width; x += 8) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + 3 * static_cast<size_t>(x)));
        const __m256i pixels = _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, halves), spread);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_or_si256(pixels, flag));
    }
    for (; x < width; ++x) {
        const uint8_t* p = source + 3 * static_cast<size_t>(x);
        out[x] = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) | kInsideFlag;
    }
}

__attribute__((target("avx2"))) void StretchAvx2(const uint32_t* pictureRow,
                                                 const int32_t* columnOfX,
                                                 const int32_t* blocks,
                                                 int32_t length,
                                                 uint32_t* out) {
    int32_t x = 0;
    for (; x + kBlock <= length; x += kBlock, blocks += kBlock + 1) {
        __m256i pixels;
        if (blocks[0] >= 0) {
            const __m256i near =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pictureRow + static_cast<ptrdiff_t>(blocks[0])));
            pixels =
                _mm256_permutevar8x32_epi32(near, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(blocks + 1)));
        } else {
            pixels = _mm256_i32gather_epi32(reinterpret_cast<const int*>(pictureRow),
                                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columnOfX + x)), 4);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), pixels);
    }
    for (; x < length; ++x) out[x] = pictureRow[columnOfX[x]];
}

#endif

}  // namespace

bool RowVectorsAvailable(RowVectors vectors) {
    switch (vectors) {
        case RowVectors::Widest:
        case RowVectors::Plain: return true;
#if defined(VEXLA_X86_VECTORS)
        case RowVectors::Avx2: return HasAvx2();
        case RowVectors::Sse2: return HasSse2();
#else
        case RowVectors::Avx2:
        case RowVectors::Sse2: return false;
#endif
    }
    return false;
}

void WidenPictureRow(const uint8_t* source,
                     int32_t bitCount,
                     int32_t width,
                     const uint32_t* palette32,
                     uint32_t* out,
                     RowVectors vectors) {
#if defined(VEXLA_X86_VECTORS)
    if (Use(RowVectors::Avx2, vectors)) {
        if (bitCount == 8)
            WidenPaletteAvx2(source, width, palette32, out);
        else
            WidenRgbAvx2(source, width, out);
        return;
    }
#endif
    if (bitCount == 8) {
        for (int32_t x = 0; x < width; ++x) out[x] = palette32[source[x]];
        return;
    }
    for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = source + 3 * static_cast<size_t>(x);
        out[x] = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) | kInsideFlag;
    }
}

bool RowStretch::Reserve(int32_t length) {
    try {
        const size_t entries = static_cast<size_t>(length / kBlock) * (kBlock + 1);
        if (blocks_.capacity() < entries || blocks_.capacity() / 2 > entries) std::vector<int32_t>().swap(blocks_);
        blocks_.reserve(entries);
    } catch (const std::bad_alloc&) {
        Release();
        return false;
    }
    return true;
}

void RowStretch::Prepare(const int32_t* columnOfX, int32_t length) {
    columnOfX_ = columnOfX;
    length_ = length;
    blocks_.assign(static_cast<size_t>(length / kBlock) * (kBlock + 1), 0);  // within the reserve
    // A block whose columns lie within eight picture columns is one load and one permute;
    // a picture shrunk to the board skips columns, and its blocks are gathered instead.
    for (int32_t b = 0; b < length / kBlock; ++b) {
        int32_t* block = blocks_.data() + static_cast<size_t>(b) * (kBlock + 1);
        const int32_t* columns = columnOfX + static_cast<ptrdiff_t>(b) * kBlock;
        bool near = true;
        for (int32_t j = 0; j < kBlock; ++j) {
            const int32_t offset = columns[j] - columns[0];
            near = near && offset >= 0 && offset < kBlock;
            block[1 + j] = offset;
        }
        block[0] = near ? columns[0] : -1;
    }
}

void RowStretch::Apply(const uint32_t* pictureRow, uint32_t* out, RowVectors vectors) const {
#if defined(VEXLA_X86_VECTORS)
    if (Use(RowVectors::Avx2, vectors)) {
        StretchAvx2(pictureRow, columnOfX_, blocks_.data(), length_, out);
        return;
    }
#endif
    for (int32_t x = 0; x < length_; ++x) out[x] = pictureRow[columnOfX_[x]];
}

void RowStretch::Release() {
    columnOfX_ = nullptr;
    length_ = 0;
    std::vector<int32_t>().swap(blocks_);
}

void StoreMaskedRow(uint32_t* destination, const MaskedAtlasRow& row, RowVectors vectors) {
#if defined(VEXLA_X86_VECTORS)
    if (row.pieceWidth >= 8 && Use(RowVectors::Avx2, vectors)) {
        StoreRowAvx2(destination, row);
        return;
    }
    if (row.pieceWidth >= 4 && Use(RowVectors::Sse2, vectors)) {
        StoreRowSse2(destination, row);
        return;
    }
#endif
    StorePixels(destination, row, 0, row.cols * row.pieceWidth);
}

void RecordInsideBits(const uint32_t* scaled,
                      const uint32_t* masks,
                      int32_t width,
                      uint64_t* bits,
                      RowVectors vectors) {
#if defined(VEXLA_X86_VECTORS)
    if (Use(RowVectors::Avx2, vectors)) {
        RecordInsideBitsAvx2(scaled, masks, width, bits);
        return;
    }
#endif
    RecordInsideBitsPlain(scaled, masks, 0, width, bits);
}

void FinishAtlasRows() {
#if defined(VEXLA_X86_VECTORS)
    _mm_sfence();
#endif
}
