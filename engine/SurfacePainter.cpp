// Painting surfaces into their back buffers; see SurfacePainter.h.
#include "engine/SurfacePainter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "engine/PieceBevel.h"

namespace {

constexpr int32_t kBackBufferBits = 24;
constexpr int32_t kBytesPerAtlasPixel = 4;
constexpr int32_t kBytesPerBufferPixel = 3;
constexpr int32_t kInsideFlag = 3;  // byte of an atlas pixel that says it belongs to the piece

int32_t BufferRowBytes(int32_t width) { return DibRowBytes(width, kBackBufferBits); }

int32_t CountTrailingZeros(uint64_t bits) { return __builtin_ctzll(bits); }
int32_t CountLeadingZeros(uint64_t bits) { return __builtin_clzll(bits); }
int32_t PopCount(uint64_t bits) { return __builtin_popcountll(bits); }
constexpr int32_t kLinePixels = 16;  // atlas pixels in a 64-byte cache line

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

// 64 pixels of a piece row that the piece covers: bit b is local column u0 + b.
struct Cover {
    uint32_t piece;
    int32_t v;
    int32_t u0;
    uint64_t fresh;
};

// The painter's pass over an area, row by row. Each row keeps the set of its pixels that no
// piece has covered yet, one bit a pixel. The pieces that reach the row are taken from the top
// of the stack down; each covers, 64 pixels at a time, the uncovered pixels that lie inside
// its shape, and those are copied from the atlas (with the bevel and the selection's hatching)
// and taken out of the set. A row is done when the set is empty, however many pieces lie
// below; what is left when the pieces run out shows the board texture. So every pixel is
// written once, and covered pieces cost a few word operations a row.
class Painter {
public:
    Painter(PuzzleDocument& doc, Surface& surface, const TextureView& texture, const Rect& area)
        : doc_(doc),
          surface_(surface),
          texture_(texture),
          area_(area),
          rowBytes_(BufferRowBytes(surface.clientWidth)),
          uncoveredWords_(ShapeWordsPerRow(area.width)),
          uncovered_(static_cast<size_t>(uncoveredWords_), 0),
          wholeRow_(static_cast<size_t>(uncoveredWords_), 0),
          covers_(static_cast<size_t>(area.width)) {
        for (int32_t level = -kBevelDepth; level <= kBevelDepth; ++level)
            shadeTables_[level + kBevelDepth] = ShadeTable(level);
        for (int32_t word = 0; word * kShapeWordBits < area.width; ++word) {
            const int32_t bits = std::min(kShapeWordBits, area.width - word * kShapeWordBits);
            wholeRow_[static_cast<size_t>(word)] = bits == kShapeWordBits ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
        }
    }

    // Paints the area with the pieces of the stack from stack index firstIndex on.
    void Paint(int32_t firstIndex) {
        const int32_t count = CollectTouching(firstIndex);
        const int32_t band = std::max<int32_t>(1, doc_.pieceHeight / 2);
        for (int32_t top = area_.y; top < area_.y + area_.height; top += band) {
            const int32_t bottom = std::min(top + band, area_.y + area_.height);
            const int32_t inBand = CollectBand(count, top, bottom);
            for (int32_t py = top; py < bottom; ++py) PaintRow(py, inBand);
        }
    }

private:
    // Pieces whose images touch the area, in stack order, into the first scratch array.
    int32_t CollectTouching(int32_t firstIndex) {
        const int surfaceIndex = static_cast<int>(&surface_ - doc_.surfaces.data());
        const uint32_t* stack = doc_.Stack(surfaceIndex);
        uint32_t* collected = doc_.paintScratch[0].data();
        int32_t count = 0;
        for (int32_t i = firstIndex; i < surface_.count; ++i) {
            const Piece& piece = doc_.pieces[stack[i]];
            if (Touches(area_, piece.x, piece.y, doc_.pieceWidth, doc_.pieceHeight)) collected[count++] = stack[i];
        }
        return count;
    }

    // Of those, the ones that reach rows top .. bottom - 1, into the second scratch array.
    int32_t CollectBand(int32_t count, int32_t top, int32_t bottom) {
        const uint32_t* collected = doc_.paintScratch[0].data();
        uint32_t* band = doc_.paintScratch[1].data();
        int32_t inBand = 0;
        for (int32_t k = 0; k < count; ++k) {
            const Piece& piece = doc_.pieces[collected[k]];
            if (piece.y < bottom && piece.y + doc_.pieceHeight > top) band[inBand++] = collected[k];
        }
        return inBand;
    }

    void PaintRow(int32_t py, int32_t inBand) {
        uint8_t* out = surface_.backBuffer.data() +
                       static_cast<size_t>(surface_.clientHeight - 1 - py) * static_cast<size_t>(rowBytes_);
        std::copy(wholeRow_.begin(), wholeRow_.end(), uncovered_.begin());
        // First which piece shows where, from the bits alone, asking for the atlas lines each
        // will copy as it is found; then the copies, by when the lines are on their way.
        int32_t left = area_.width;
        size_t covers = 0;
        const uint32_t* band = doc_.paintScratch[1].data();
        for (int32_t k = 0; k < inBand && left > 0; ++k) {
            const uint32_t number = band[k];
            const int32_t v = py - doc_.pieces[number].y;
            if (v < 0 || v >= doc_.pieceHeight) continue;
            left -= FindCovers(number, v, covers);
        }
        std::optional<PieceOutline> outline;
        for (size_t c = 0; c < covers; ++c) {
            const Cover& cover = covers_[c];
            // A piece's covers of a row come one after the other and share its outline.
            if (c == 0 || covers_[c - 1].piece != cover.piece) outline.emplace(doc_, cover.piece, false);
            PaintCover(out, cover, *outline);
        }
        if (left > 0) PaintTexture(out, py);
    }

    // The 64-pixel stretches of row v of a piece that it covers, appended to covers_; returns
    // how many pixels it covers.
    int32_t FindCovers(uint32_t number, int32_t v, size_t& covers) {
        const PieceShapes& shapes = doc_.shapes;
        const uint64_t* inside = shapes.Row(number, v);
        const int32_t base = doc_.pieces[number].x - area_.x;  // the row bit of the piece's column 0
        int32_t covered = 0;
        for (int32_t word = 0; word < shapes.wordsPerRow - 1; ++word) {
            if (inside[word] == 0) continue;
            const int32_t u0 = word * kShapeWordBits;
            const uint64_t fresh = inside[word] & ShapeWindow(uncovered_.data(), uncoveredWords_, base + u0);
            if (fresh == 0) continue;
            Uncover(base + u0, fresh);
            covered += PopCount(fresh);
            const uint8_t* atlas = AtlasPixel(doc_, number, u0, v);
            const int32_t first = CountTrailingZeros(fresh);
            const int32_t last = kShapeWordBits - 1 - CountLeadingZeros(fresh);
            for (int32_t bit = first; bit <= last + kLinePixels - 1; bit += kLinePixels)
                __builtin_prefetch(atlas + 4 * static_cast<size_t>(std::min(bit, last)));
            covers_[covers++] = Cover{number, v, u0, fresh};
        }
        return covered;
    }

    void PaintCover(uint8_t* out, const Cover& cover, const PieceOutline& outline) {
        const Piece& piece = doc_.pieces[cover.piece];
        const int32_t x0 = piece.x + cover.u0;
        CopyRuns(out, x0, AtlasPixel(doc_, cover.piece, cover.u0, cover.v), cover.fresh);
        if (outline.Bevelled()) {
            const BevelBits bevel = outline.Bevel(cover.v, cover.u0);
            Shade(out, x0, cover.fresh & bevel.Any(), bevel);
        }
        if (piece.notSelected == 0 && cover.v % 2 == 0) Hatch(out, x0, cover.u0, cover.fresh);
    }

    void Uncover(int32_t start, uint64_t bits) {
        if (start < 0) {
            uncovered_[0] &= ~(bits >> -start);
            return;
        }
        const auto word = static_cast<size_t>(start / kShapeWordBits);
        const int32_t shift = start % kShapeWordBits;
        uncovered_[word] &= ~(bits << shift);
        if (shift != 0) uncovered_[word + 1] &= ~(bits >> (kShapeWordBits - shift));
    }

    // Copies the atlas pixels of every run of set bits; bit b is board column x0 + b.
    static void CopyRuns(uint8_t* out, int32_t x0, const uint8_t* atlas, uint64_t bits) {
        while (bits != 0) {
            const int32_t first = CountTrailingZeros(bits);
            const uint64_t rest = bits >> first;
            const int32_t run = ~rest == 0 ? kShapeWordBits - first : CountTrailingZeros(~rest);
            uint8_t* to = out + static_cast<size_t>(x0 + first) * kBytesPerBufferPixel;
            const uint8_t* from = atlas + static_cast<size_t>(first) * kBytesPerAtlasPixel;
            // Four bytes a pixel, the fourth overwritten by the next pixel; the last one three.
            for (int32_t i = 1; i < run; ++i, to += kBytesPerBufferPixel, from += kBytesPerAtlasPixel)
                std::memcpy(to, from, kBytesPerAtlasPixel);
            std::memcpy(to, from, kBytesPerBufferPixel);
            bits = run + first >= kShapeWordBits ? 0 : bits & (~uint64_t{0} << (first + run));
        }
    }

    void Shade(uint8_t* out, int32_t x0, uint64_t bits, const BevelBits& bevel) const {
        while (bits != 0) {
            const int32_t bit = CountTrailingZeros(bits);
            bits &= bits - 1;
            const int32_t level = bevel.Level(bit);
            if (level == 0) continue;
            const uint8_t* table = shadeTables_[level + kBevelDepth];
            uint8_t* pixel = out + static_cast<size_t>(x0 + bit) * kBytesPerBufferPixel;
            pixel[0] = table[pixel[0]];
            pixel[1] = table[pixel[1]];
            pixel[2] = table[pixel[2]];
        }
    }

    // Inverts the pixels of local columns divisible by 3 among `bits`; bit b is local column u0 + b.
    static void Hatch(uint8_t* out, int32_t x0, int32_t u0, uint64_t bits) {
        for (int32_t bit = (kHatchColumnStep - u0 % kHatchColumnStep) % kHatchColumnStep; bit < kShapeWordBits;
             bit += kHatchColumnStep) {
            if (((bits >> bit) & 1u) == 0) continue;
            uint8_t* pixel = out + static_cast<size_t>(x0 + bit) * kBytesPerBufferPixel;
            for (int c = 0; c < kBytesPerBufferPixel; ++c) pixel[c] = static_cast<uint8_t>(255 - pixel[c]);
        }
    }

    // The pixels no piece covered show the board texture (black without one). The texture's
    // row is laid out twice over as back-buffer pixels, so that every stretch of up to one
    // period is a single copy.
    void PaintTexture(uint8_t* out, int32_t py) {
        const int32_t period = texture_.Usable() ? texture_.width : 1;
        textureRow_.assign(static_cast<size_t>(2 * period) * kBytesPerBufferPixel, 0);
        if (texture_.Usable()) {
            const uint8_t* indices =
                texture_.pixels + static_cast<size_t>(py % texture_.height) * static_cast<size_t>(texture_.rowBytes);
            for (int32_t i = 0; i < 2 * period; ++i) {
                const RgbQuad& colour = texture_.palette[indices[i % period]];
                uint8_t* pixel = &textureRow_[static_cast<size_t>(i) * kBytesPerBufferPixel];
                pixel[0] = colour.rgbBlue;
                pixel[1] = colour.rgbGreen;
                pixel[2] = colour.rgbRed;
            }
        }
        for (int32_t word = 0; word < uncoveredWords_; ++word) {
            uint64_t bits = uncovered_[static_cast<size_t>(word)];
            while (bits != 0) {
                const int32_t first = CountTrailingZeros(bits);
                const uint64_t rest = bits >> first;
                const int32_t run = ~rest == 0 ? kShapeWordBits - first : CountTrailingZeros(~rest);
                bits = first + run >= kShapeWordBits ? 0 : bits & (~uint64_t{0} << (first + run));
                const int32_t end = area_.x + word * kShapeWordBits + first + run;
                for (int32_t px = end - run; px < end;) {
                    const int32_t count = std::min(end - px, period);
                    std::memcpy(out + static_cast<size_t>(px) * kBytesPerBufferPixel,
                                &textureRow_[static_cast<size_t>(px % period) * kBytesPerBufferPixel],
                                static_cast<size_t>(count) * kBytesPerBufferPixel);
                    px += count;
                }
            }
        }
    }

    PuzzleDocument& doc_;
    Surface& surface_;
    const TextureView& texture_;
    const Rect area_;
    const int32_t rowBytes_;
    const int32_t uncoveredWords_;
    std::vector<uint64_t> uncovered_;  // the row's pixels no piece covered yet, area column 0 at bit 0
    std::vector<uint64_t> wholeRow_;   // every pixel of a row of the area
    std::vector<Cover> covers_;        // what the pieces cover of the row being painted
    const uint8_t* shadeTables_[kBevelLevels] = {};
    std::vector<uint8_t> textureRow_;  // the texture's row in use, two periods of back-buffer pixels
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
           static_cast<size_t>(surface.stackStart) + static_cast<size_t>(surface.count) <= n &&
           doc.paintScratch[1].size() >= n;
}

// The shapes the painter reads, indexed from the atlas when the puzzle came without them.
bool ShapesReady(PuzzleDocument& doc) {
    return doc.shapes.Describe(doc.pieceWidth, doc.pieceHeight, doc.pieces.size()) || IndexPieceShapes(doc);
}

void PaintArea(PuzzleDocument& doc, Surface& s, const Rect& clipped, bool skipTop, const PackedDib* texture);

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
        PaintArea(doc, s, clipped, skipTop, texture);
    } catch (const std::bad_alloc&) {
        return Rect{};
    }
    return clipped;
}

namespace {

void PaintArea(PuzzleDocument& doc, Surface& s, const Rect& clipped, bool skipTop, const PackedDib* texture) {
    const TextureView textureView(texture);
    Painter painter(doc, s, textureView, clipped);
    // A surface whose pieces cannot be read (no puzzle) shows the texture alone.
    const bool readable = PiecesReadable(doc, s) && ShapesReady(doc);
    painter.Paint(readable ? (skipTop ? 1 : 0) : s.count);
}

}  // namespace
