// PieceShapes: which pixels of each piece image belong to the piece, one bit a pixel, so that
// the painter can decide 64 pixels at a time which pieces show where and where their edges
// lie (the bevel of PieceBevel.h is worked out from these bits).
//
// A cut gives many pieces the same shape: a piece's shape depends only on its template piece
// and on whether it lies in the first or last row or column (the outer edge is made straight
// there and clipped to the picture). So the bits are kept once per shape, and every piece
// names its shape. The cutter records the shapes as it builds the atlas; a puzzle whose atlas
// was made some other way has its shapes indexed from the atlas's inside flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PuzzleDocument;

constexpr int32_t kShapeWordBits = 64;

struct PieceShapes {
    int32_t width = 0;  // pieceWidth
    int32_t height = 0;
    // Words of one shape row: enough for width bits and one zero word more, so that reading
    // 64 bits from any bit of the row never leaves it.
    int32_t wordsPerRow = 0;
    // Shape s, row v (0 = top), bit u: word (s * height + v) * wordsPerRow + u / 64, bit u % 64.
    std::vector<uint64_t> bits;
    std::vector<uint32_t> shapeOfPiece;

    // The bits of row v of the piece's image (0 <= v < height).
    const uint64_t* Row(uint32_t piece, int32_t v) const {
        return bits.data() +
               (static_cast<size_t>(shapeOfPiece[piece]) * static_cast<size_t>(height) + static_cast<size_t>(v)) *
                   static_cast<size_t>(wordsPerRow);
    }
    // The same row of shape `shape`, to be filled.
    uint64_t* ShapeRow(uint32_t shape, int32_t v) {
        return bits.data() + (static_cast<size_t>(shape) * static_cast<size_t>(height) + static_cast<size_t>(v)) *
                                 static_cast<size_t>(wordsPerRow);
    }
    size_t ShapeCount() const { return height > 0 && wordsPerRow > 0 ? bits.size() / (height * wordsPerRow) : 0; }
    // True when the shapes describe pieces of this size and this count.
    bool Describe(int32_t pieceWidth, int32_t pieceHeight, size_t pieceCount) const {
        return width == pieceWidth && height == pieceHeight && shapeOfPiece.size() == pieceCount && pieceCount > 0;
    }
    void Release();
};

// Words a shape row of `width` bits takes (with the spare zero word).
constexpr int32_t ShapeWordsPerRow(int32_t width) { return (width + kShapeWordBits - 1) / kShapeWordBits + 1; }

// Bits [start, start + 64) of a row of ShapeWordsPerRow(width) words; bits outside
// 0 .. width - 1 read as 0. `start` may be negative or beyond the row.
inline uint64_t ShapeWindow(const uint64_t* row, int32_t wordsPerRow, int32_t start) {
    if (start <= -kShapeWordBits || start >= (wordsPerRow - 1) * kShapeWordBits) return 0;
    if (start < 0) return row[0] << -start;
    const int32_t word = start / kShapeWordBits;
    const int32_t shift = start % kShapeWordBits;
    if (shift == 0) return row[word];
    return (row[word] >> shift) | (row[word + 1] << (kShapeWordBits - shift));
}

// Indexes the shapes of a puzzle from its atlas's inside flags: every piece's bits, pieces of
// equal bits sharing a shape. For atlases made without the cutter (tests, benchmarks); it
// reads the whole atlas. False (shapes emptied) when the atlas does not match the sizes or
// memory is short.
bool IndexPieceShapes(PuzzleDocument& doc);
