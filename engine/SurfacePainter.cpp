// Painting surfaces into their back buffers; see SurfacePainter.h.
#include "engine/SurfacePainter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr int32_t kBackBufferBits = 24;
constexpr int32_t kBytesPerAtlasPixel = 4;
constexpr int32_t kBytesPerBufferPixel = 3;
constexpr int32_t kInsideFlag = 3;  // byte of an atlas pixel that says it belongs to the piece

int32_t BufferRowBytes(int32_t width) { return DibRowBytes(width, kBackBufferBits); }

// Rectangles that meet along an edge count as touching, as in the tile collection.
bool Touches(const Rect& a, int32_t x, int32_t y, int32_t width, int32_t height) {
    return x <= a.x + a.width && a.x <= x + width && y <= a.y + a.height && a.y <= y + height;
}

Rect Clip(const Rect& area, int32_t width, int32_t height) {
    const int64_t left = std::max<int64_t>(area.x, 0);
    const int64_t top = std::max<int64_t>(area.y, 0);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(area.x) + area.width, width);
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(area.y) + area.height, height);
    if (right <= left || bottom <= top) return Rect{};
    return Rect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                static_cast<int32_t>(bottom - top)};
}

// The board texture as the painter reads it: 8 bits a pixel through the palette.
struct TextureView {
    const uint8_t* pixels = nullptr;
    const RgbQuad* palette = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t rowBytes = 0;

    explicit TextureView(const PackedDib* texture) {
        if (texture == nullptr || texture->header.biBitCount != 8 || texture->header.biWidth < 1 ||
            texture->header.biHeight == 0)
            return;
        const int32_t rows = texture->header.biHeight < 0 ? -texture->header.biHeight : texture->header.biHeight;
        const int32_t stride = DibRowBytes(texture->header.biWidth, 8);
        if (static_cast<int64_t>(stride) * rows > texture->header.biSizeImage) return;
        pixels = texture->Pixels();
        palette = texture->palette;
        width = texture->header.biWidth;
        height = rows;
        rowBytes = stride;
    }
    bool Usable() const { return pixels != nullptr; }
};

// One collected piece as seen by one row of a tile.
struct RowPiece {
    int32_t left;
    int32_t right;         // one past the last column
    const uint8_t* atlas;  // the piece's atlas row, at local column 0
    bool hatched;          // a marked piece on an even local row
};

class Painter {
public:
    Painter(PuzzleDocument& doc, Surface& surface, const TextureView& texture)
        : doc_(doc), surface_(surface), texture_(texture), rowBytes_(BufferRowBytes(surface.clientWidth)) {}

    void PaintTile(const Rect& tile, int32_t firstIndex) {
        const int32_t count = Collect(tile, firstIndex);
        const uint32_t* collected = doc_.paintScratch[0].data();
        rowPieces_.resize(static_cast<size_t>(count));
        for (int32_t py = tile.y; py < tile.y + tile.height; ++py) {
            size_t inRow = 0;
            for (int32_t k = 0; k < count; ++k) {
                const uint32_t number = collected[k];
                const Piece& piece = doc_.pieces[number];
                const int32_t v = py - piece.y;
                if (v < 0 || v >= doc_.pieceHeight) continue;
                rowPieces_[inRow++] = RowPiece{piece.x, piece.x + doc_.pieceWidth, AtlasPixel(doc_, number, 0, v),
                                               piece.notSelected == 0 && v % 2 == 0};
            }
            PaintRow(py, tile.x, tile.x + tile.width, inRow);
        }
    }

private:
    // Pieces whose images touch the tile, in stack order, into the first scratch array.
    int32_t Collect(const Rect& tile, int32_t firstIndex) {
        const int surfaceIndex = static_cast<int>(&surface_ - doc_.surfaces.data());
        const uint32_t* stack = doc_.Stack(surfaceIndex);
        uint32_t* collected = doc_.paintScratch[0].data();
        int32_t count = 0;
        for (int32_t i = firstIndex; i < surface_.count; ++i) {
            const Piece& piece = doc_.pieces[stack[i]];
            if (Touches(tile, piece.x, piece.y, doc_.pieceWidth, doc_.pieceHeight)) collected[count++] = stack[i];
        }
        return count;
    }

    void PaintRow(int32_t py, int32_t left, int32_t right, size_t inRow) {
        uint8_t* out = surface_.backBuffer.data() +
                       static_cast<size_t>(surface_.clientHeight - 1 - py) * static_cast<size_t>(rowBytes_) +
                       static_cast<size_t>(left) * kBytesPerBufferPixel;
        const uint8_t* textureRow = texture_.Usable() ? texture_.pixels + static_cast<size_t>(py % texture_.height) *
                                                                              static_cast<size_t>(texture_.rowBytes)
                                                      : nullptr;
        for (int32_t px = left; px < right; ++px, out += kBytesPerBufferPixel) {
            const uint8_t* found = nullptr;
            bool invert = false;
            for (size_t k = 0; k < inRow; ++k) {
                const RowPiece& piece = rowPieces_[k];
                if (px < piece.left || px >= piece.right) continue;
                const int32_t u = px - piece.left;
                const uint8_t* pixel = piece.atlas + static_cast<size_t>(u) * kBytesPerAtlasPixel;
                if (pixel[kInsideFlag] == 0) continue;
                found = pixel;
                invert = piece.hatched && u % kHatchColumnStep == 0;
                break;
            }
            if (found != nullptr) {
                if (invert) {
                    out[0] = static_cast<uint8_t>(255 - found[0]);
                    out[1] = static_cast<uint8_t>(255 - found[1]);
                    out[2] = static_cast<uint8_t>(255 - found[2]);
                } else {
                    out[0] = found[0];
                    out[1] = found[1];
                    out[2] = found[2];
                }
            } else if (textureRow != nullptr) {
                const RgbQuad& colour = texture_.palette[textureRow[px % texture_.width]];
                out[0] = colour.rgbBlue;
                out[1] = colour.rgbGreen;
                out[2] = colour.rgbRed;
            } else {
                out[0] = out[1] = out[2] = 0;
            }
        }
    }

    PuzzleDocument& doc_;
    Surface& surface_;
    const TextureView& texture_;
    const int32_t rowBytes_;
    std::vector<RowPiece> rowPieces_;
};

// Whether the document's arrays can be read for the surface's stack.
bool PiecesReadable(const PuzzleDocument& doc, const Surface& surface) {
    const auto n = static_cast<size_t>(doc.PieceCount());
    if (surface.count <= 0 || doc.pieces.size() != n || doc.paintScratch[0].size() < n || doc.pieceWidth < 1 ||
        doc.pieceHeight < 1)
        return false;
    const size_t atlasBytes =
        static_cast<size_t>(doc.atlasWidth) * static_cast<size_t>(doc.atlasHeightMinusOne + 1) * kBytesPerAtlasPixel;
    return doc.atlas.size() >= atlasBytes && surface.stackStart >= 0 &&
           static_cast<size_t>(surface.stackStart) + static_cast<size_t>(surface.count) <= n;
}

void PaintTiles(PuzzleDocument& doc, Surface& s, const Rect& clipped, bool skipTop, const PackedDib* texture);

}  // namespace

const uint8_t* AtlasPixel(const PuzzleDocument& doc, uint32_t piece, int32_t u, int32_t v) {
    const auto cols = static_cast<uint32_t>(doc.cols);
    const int32_t row = static_cast<int32_t>(piece / cols);
    const int32_t column = static_cast<int32_t>(piece % cols);
    const int64_t memoryRow =
        static_cast<int64_t>(doc.atlasHeightMinusOne) - (static_cast<int64_t>(row) * doc.pieceHeight + v);
    const int64_t memoryColumn = static_cast<int64_t>(column) * doc.pieceWidth + u;
    return doc.atlas.data() + static_cast<size_t>((memoryRow * doc.atlasWidth + memoryColumn) * kBytesPerAtlasPixel);
}

int32_t PieceUnder(const PuzzleDocument& doc, int surface, Point point) {
    if (!IsSurface(surface)) return -1;
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    if (!PiecesReadable(doc, s)) return -1;
    const uint32_t* stack = doc.order.data() + s.stackStart;
    for (int32_t i = 0; i < s.count; ++i) {
        const Piece& piece = doc.pieces[stack[i]];
        const int64_t u = static_cast<int64_t>(point.x) - piece.x;
        const int64_t v = static_cast<int64_t>(point.y) - piece.y;
        if (u <= 0 || u >= doc.pieceWidth || v <= 0 || v >= doc.pieceHeight) continue;
        if (AtlasPixel(doc, stack[i], static_cast<int32_t>(u), static_cast<int32_t>(v))[kInsideFlag] != 0) return i;
    }
    return -1;
}

bool AllocateBackBuffer(Surface& surface, int32_t width, int32_t height) {
    if (width < 0 || height < 0) return false;
    std::vector<uint8_t> buffer;
    try {
        buffer.assign(static_cast<size_t>(BufferRowBytes(width)) * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    surface.backBuffer.swap(buffer);
    surface.clientWidth = width;
    surface.clientHeight = height;
    surface.backBufferHeader = BitmapInfoHeader{};
    surface.backBufferHeader.biSize = kDibHeaderSize;
    surface.backBufferHeader.biWidth = width;
    surface.backBufferHeader.biHeight = height;
    surface.backBufferHeader.biPlanes = 1;
    surface.backBufferHeader.biBitCount = kBackBufferBits;
    return true;
}

bool ResizeBackBuffer(Surface& surface, int32_t width, int32_t height, BackBufferGrowth* growth) {
    constexpr int32_t kSmallestSize = 2;
    if (width < kSmallestSize || height < kSmallestSize) return false;
    Surface resized;
    if (!AllocateBackBuffer(resized, width, height)) return false;
    const int32_t oldWidth = surface.clientWidth;
    const int32_t oldHeight = surface.clientHeight;
    const int32_t sharedWidth = std::min(oldWidth, width);
    const int32_t sharedHeight = std::min(oldHeight, height);
    const size_t oldRowBytes = static_cast<size_t>(BufferRowBytes(oldWidth));
    const size_t newRowBytes = static_cast<size_t>(BufferRowBytes(width));
    if (surface.backBuffer.size() >= oldRowBytes * static_cast<size_t>(std::max(oldHeight, 0))) {
        // Rows are stored bottom-up: screen row y is memory row (height - 1 - y).
        for (int32_t y = 0; y < sharedHeight; ++y) {
            std::memcpy(resized.backBuffer.data() + static_cast<size_t>(height - 1 - y) * newRowBytes,
                        surface.backBuffer.data() + static_cast<size_t>(oldHeight - 1 - y) * oldRowBytes,
                        static_cast<size_t>(sharedWidth) * kBytesPerBufferPixel);
        }
    }
    surface.backBuffer.swap(resized.backBuffer);
    surface.backBufferHeader = resized.backBufferHeader;
    surface.clientWidth = width;
    surface.clientHeight = height;
    if (growth != nullptr) {
        growth->rightStrip = width > oldWidth ? Rect{oldWidth, 0, width - oldWidth, sharedHeight} : Rect{};
        growth->bottomStrip = height > oldHeight ? Rect{0, oldHeight, width, height - oldHeight} : Rect{};
    }
    return true;
}

Rect PaintSurfaceRegion(PuzzleDocument& doc, int surface, const Rect& area, bool skipTop, const PackedDib* texture) {
    if (!IsSurface(surface)) return Rect{};
    Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    if (s.clientWidth < 1 || s.clientHeight < 1 ||
        s.backBuffer.size() < static_cast<size_t>(BufferRowBytes(s.clientWidth)) * static_cast<size_t>(s.clientHeight))
        return Rect{};
    const Rect clipped = Clip(area, s.clientWidth, s.clientHeight);
    if (clipped.width == 0) return clipped;

    // The painter's row lists are the only allocation here; window procedures call this, so
    // a shortage of memory leaves the area unpainted rather than escaping as an exception.
    try {
        PaintTiles(doc, s, clipped, skipTop, texture);
    } catch (const std::bad_alloc&) {
        return Rect{};
    }
    return clipped;
}

namespace {

void PaintTiles(PuzzleDocument& doc, Surface& s, const Rect& clipped, bool skipTop, const PackedDib* texture) {
    const TextureView textureView(texture);
    Painter painter(doc, s, textureView);
    // A surface whose pieces cannot be read (no puzzle) shows the texture alone.
    const int32_t firstIndex = PiecesReadable(doc, s) ? (skipTop ? 1 : 0) : s.count;
    if (clipped.width > doc.pieceWidth && clipped.height > doc.pieceHeight) {
        const int32_t tileWidth = clipped.width / kPaintTilesPerSide;
        const int32_t tileHeight = clipped.height / kPaintTilesPerSide;
        constexpr int32_t kLast = kPaintTilesPerSide - 1;
        for (int32_t j = 0; j < kPaintTilesPerSide; ++j) {
            for (int32_t i = 0; i < kPaintTilesPerSide; ++i) {
                Rect tile{clipped.x + i * tileWidth, clipped.y + j * tileHeight, tileWidth, tileHeight};
                if (i == kLast) tile.width = clipped.width - kLast * tileWidth;
                if (j == kLast) tile.height = clipped.height - kLast * tileHeight;
                painter.PaintTile(tile, firstIndex);
            }
        }
    } else {
        painter.PaintTile(clipped, firstIndex);
    }
}

}  // namespace
