// Piece shapes; see PieceShapes.h.
#include "engine/PieceShapes.h"

#include <map>
#include <new>

#include "engine/PuzzleDocument.h"
#include "engine/SurfacePainter.h"

namespace {

constexpr int32_t kInsideFlag = 3;

}  // namespace

void PieceShapes::Release() {
    width = height = wordsPerRow = 0;
    std::vector<uint64_t>().swap(bits);
    std::vector<uint32_t>().swap(shapeOfPiece);
}

bool IndexPieceShapes(PuzzleDocument& doc) {
    PieceShapes& shapes = doc.shapes;
    const auto n = static_cast<size_t>(doc.PieceCount());
    const size_t atlasBytes =
        static_cast<size_t>(doc.atlasWidth) * static_cast<size_t>(doc.atlasHeightMinusOne + 1) * 4;
    shapes.Release();
    if (n == 0 || doc.pieceWidth < 1 || doc.pieceHeight < 1 || doc.atlas.size() < atlasBytes ||
        static_cast<int64_t>(doc.pieceWidth) * doc.cols > doc.atlasWidth)
        return false;
    try {
        const int32_t words = ShapeWordsPerRow(doc.pieceWidth);
        const size_t shapeWords = static_cast<size_t>(words) * static_cast<size_t>(doc.pieceHeight);
        std::map<std::vector<uint64_t>, uint32_t> known;
        std::vector<uint64_t> piece(shapeWords);
        shapes.shapeOfPiece.resize(n);
        for (uint32_t p = 0; p < n; ++p) {
            std::fill(piece.begin(), piece.end(), 0);
            for (int32_t v = 0; v < doc.pieceHeight; ++v) {
                const uint8_t* row = AtlasPixel(doc, p, 0, v);
                uint64_t* bits = piece.data() + static_cast<size_t>(v) * static_cast<size_t>(words);
                for (int32_t u = 0; u < doc.pieceWidth; ++u)
                    if (row[4 * static_cast<size_t>(u) + kInsideFlag] != 0)
                        bits[u / kShapeWordBits] |= uint64_t{1} << (u % kShapeWordBits);
            }
            const auto found = known.emplace(piece, static_cast<uint32_t>(known.size()));
            if (found.second) shapes.bits.insert(shapes.bits.end(), piece.begin(), piece.end());
            shapes.shapeOfPiece[p] = found.first->second;
        }
        shapes.width = doc.pieceWidth;
        shapes.height = doc.pieceHeight;
        shapes.wordsPerRow = words;
    } catch (const std::bad_alloc&) {
        shapes.Release();
        return false;
    }
    return true;
}
