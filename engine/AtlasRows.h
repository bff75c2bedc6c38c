// The row operations the atlas builder spends its time in: widening a picture row to atlas
// pixels, stretching it to the board's scale, writing a finished atlas row and reading a
// piece's shape off it. The atlas is far larger than any cache and is not read again during
// the cut, so its rows go to memory with streaming stores, which do not first read the lines
// they fill; the other rows stay in the cache. Where the processor has AVX2 (asked once at
// run time) they work on eight pixels at a time, with SSE2 on four, and elsewhere one by
// one; all give the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Which instructions a row operation uses: the widest the processor has, or a narrower one
// (the tests check that every one gives the same bytes).
enum class RowVectors { Widest, Avx2, Sse2, Plain };
// Whether the processor can run `vectors`.
bool RowVectorsAvailable(RowVectors vectors);

// Entries the row operations may read beyond both ends of the rows they are given (the
// scaled row, the masks, the widened picture row): the rows are allocated with that much room
// on each side.
constexpr int32_t kRowPadding = 8;

// The widened picture row: atlas pixels (blue, green, red, inside flag 1) of picture pixels
// 0 .. width - 1. `source` is one palette index a byte (bitCount 8, through palette32, which
// holds the 256 palette entries as atlas pixels) or blue, green, red (bitCount 24).
void WidenPictureRow(const uint8_t* source,
                     int32_t bitCount,
                     int32_t width,
                     const uint32_t* palette32,
                     uint32_t* out,
                     RowVectors vectors = RowVectors::Widest);

// out[x] = pictureRow[columnOfX[x]] for x in 0 .. length - 1: the picture row at the board's
// scale. Prepared once a cut from the column map; the map must outlive the stretch.
class RowStretch {
public:
    // Room for a map of up to `length` columns; false when memory is short.
    bool Reserve(int32_t length);
    // Takes the map (length no more than reserved).
    void Prepare(const int32_t* columnOfX, int32_t length);
    // `pictureRow` must be readable kRowPadding entries beyond its last used column.
    void Apply(const uint32_t* pictureRow, uint32_t* out, RowVectors vectors = RowVectors::Widest) const;
    void Release();

private:
    const int32_t* columnOfX_ = nullptr;
    int32_t length_ = 0;
    // Per block of eight columns: the first picture column, or -1 when the block reaches
    // further than eight picture columns, then the eight offsets from it.
    std::vector<int32_t> blocks_;
};

// One atlas row of a piece row: piece c's pieceWidth pixels are
// scaled[c * cellWidth + u] & masks[which(c) * pieceWidth + u], where which(c) is templateCols
// for the first column, templateCols + 1 for the last and c mod templateCols for the others.
// `scaled` and `masks` must be readable kRowPadding entries beyond both ends.
struct MaskedAtlasRow {
    const uint32_t* scaled = nullptr;
    const uint32_t* masks = nullptr;
    int32_t pieceWidth = 0;
    int32_t cellWidth = 0;
    int32_t cols = 0;
    int32_t templateCols = 1;
};

// Writes the cols * pieceWidth pixels of the row to `destination` (4-byte aligned).
void StoreMaskedRow(uint32_t* destination, const MaskedAtlasRow& row, RowVectors vectors = RowVectors::Widest);

// Sets bit u of `bits` (a shape row of PieceShapes.h, lowest bit first) for every u in
// 0 .. width - 1 whose pixel scaled[u] & masks[u] carries the inside flag; the other bits
// are left as they are.
void RecordInsideBits(const uint32_t* scaled,
                      const uint32_t* masks,
                      int32_t width,
                      uint64_t* bits,
                      RowVectors vectors = RowVectors::Widest);

// Makes the rows stored so far visible to later loads; call once after the last row.
void FinishAtlasRows();
