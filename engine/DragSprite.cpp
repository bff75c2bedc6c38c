// The drag's rectangles and the lifted piece's sprite; see DragSprite.h.
#include "engine/DragSprite.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/PieceBevel.h"
#include "engine/SurfacePainter.h"

namespace {

constexpr uint8_t kPieceAlpha = 255;
constexpr int32_t kBlurSide = 2 * kShadowSoftness + 1;

// The sprite's piece pixels: the atlas colours, bevelled all round, hatched when marked.
void RenderPiece(const PuzzleDocument& doc, uint32_t piece, LiftedSprite& sprite) {
    const PieceOutline outline(doc, piece, true);
    const bool marked = doc.pieces[piece].notSelected == 0;
    for (int32_t v = 0; v < doc.pieceHeight; ++v) {
        const uint8_t* atlas = AtlasPixel(doc, piece, 0, v);
        const uint64_t* inside = doc.shapes.Row(piece, v);
        for (int32_t u0 = 0; u0 < doc.pieceWidth; u0 += kShapeWordBits) {
            const uint64_t bits = inside[u0 / kShapeWordBits];
            if (bits == 0) continue;
            const BevelBits bevel = outline.Bevel(v, u0);
            for (int32_t bit = 0; bit < kShapeWordBits && u0 + bit < doc.pieceWidth; ++bit) {
                if (((bits >> bit) & 1u) == 0) continue;
                const int32_t u = u0 + bit;
                const uint8_t* from = atlas + 4 * static_cast<size_t>(u);
                const uint8_t* shade = ShadeTable(bevel.Level(bit));
                uint8_t bgr[3] = {shade[from[0]], shade[from[1]], shade[from[2]]};
                if (marked && v % 2 == 0 && u % kHatchColumnStep == 0)
                    for (uint8_t& c : bgr) c = static_cast<uint8_t>(255 - c);
                const size_t at = static_cast<size_t>(v) * static_cast<size_t>(sprite.width) + static_cast<size_t>(u);
                sprite.alpha[at] = kPieceAlpha;
                uint8_t packed[4] = {};
                StoreScreenPixel(sprite.format, packed, bgr[0], bgr[1], bgr[2]);
                sprite.colour[at] = LoadScreenPixel(sprite.format, packed);
            }
        }
    }
}

// The shadow where no piece pixel lies: the piece's silhouette moved down and right and
// averaged over a square of kBlurSide pixels (first along the rows, then down the columns).
void RenderShadow(const PuzzleDocument& doc, uint32_t piece, LiftedSprite& sprite) {
    const int32_t width = sprite.width;
    const int32_t height = sprite.height;
    auto silhouette = [&](int32_t x, int32_t y) {
        const int32_t u = x - kShadowOffset, v = y - kShadowOffset;
        if (u < 0 || v < 0 || u >= doc.pieceWidth || v >= doc.pieceHeight) return 0;
        return static_cast<int>((doc.shapes.Row(piece, v)[u / kShapeWordBits] >> (u % kShapeWordBits)) & 1u);
    };
    uint16_t* rows = sprite.work.data();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            int sum = 0;
            for (int32_t dx = -kShadowSoftness; dx <= kShadowSoftness; ++dx) sum += silhouette(x + dx, y);
            rows[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<uint16_t>(sum);
        }
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
            if (sprite.alpha[at] == kPieceAlpha) continue;
            uint32_t sum = 0;
            for (int32_t dy = -kShadowSoftness; dy <= kShadowSoftness; ++dy) {
                if (y + dy < 0 || y + dy >= height) continue;
                sum += rows[static_cast<size_t>(y + dy) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            }
            sprite.alpha[at] = static_cast<uint8_t>(sum * kShadowStrength / (kBlurSide * kBlurSide));
        }
}

// The sprite's rows into the canvas, for pixels of kBytes bytes; each row only between its
// first and last pixel that show anything.
template <int kBytes>
void DrawRows(const LiftedSprite& sprite, const SpriteCanvas& canvas, Point at) {
    const ScreenPixelFormat& format = canvas.format;
    const int32_t firstY = std::max(0, -at.y);
    const int32_t lastY = std::min(sprite.height, canvas.height - at.y);
    for (int32_t y = firstY; y < lastY; ++y) {
        const int32_t firstX = std::max<int32_t>(sprite.span[static_cast<size_t>(2 * y)], -at.x);
        const int32_t lastX = std::min<int32_t>(sprite.span[static_cast<size_t>(2 * y + 1)], canvas.width - at.x);
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(sprite.width);
        const uint8_t* alpha = sprite.alpha.data() + row;
        const uint32_t* colour = sprite.colour.data() + row;
        uint8_t* out = canvas.bits + static_cast<size_t>(at.y + y) * static_cast<size_t>(canvas.stride) +
                       static_cast<size_t>(at.x) * kBytes;
        for (int32_t x = firstX; x < lastX; ++x) {
            const uint8_t a = alpha[x];
            if (a == 0) continue;
            uint8_t* pixel = out + static_cast<size_t>(x) * kBytes;
            if (a == kPieceAlpha) {
                std::memcpy(pixel, &colour[x], kBytes);  // little-endian: the value's low bytes
            } else if (kBytes == 2) {
                DarkenScreenPixel(format, pixel, 256u - a);
            } else {
                const uint32_t keep = 256u - a;
                pixel[0] = static_cast<uint8_t>((pixel[0] * keep) >> 8);
                pixel[1] = static_cast<uint8_t>((pixel[1] * keep) >> 8);
                pixel[2] = static_cast<uint8_t>((pixel[2] * keep) >> 8);
            }
        }
    }
}

// Per row, the first and one past the last pixel with anything to draw.
void FindSpans(LiftedSprite& sprite) {
    for (int32_t y = 0; y < sprite.height; ++y) {
        const uint8_t* alpha = sprite.alpha.data() + static_cast<size_t>(y) * static_cast<size_t>(sprite.width);
        int32_t first = 0, last = sprite.width;
        while (first < last && alpha[first] == 0) ++first;
        while (last > first && alpha[last - 1] == 0) --last;
        sprite.span[static_cast<size_t>(2 * y)] = static_cast<int16_t>(first);
        sprite.span[static_cast<size_t>(2 * y + 1)] = static_cast<int16_t>(last);
    }
}

}  // namespace

Point SpriteSize(int32_t pieceWidth, int32_t pieceHeight) {
    return Point{pieceWidth + kShadowReach, pieceHeight + kShadowReach};
}

DragStepPlan PlanDragStep(Point from, Point to, int32_t width, int32_t height) {
    const Rect before{from.x, from.y, width, height};
    const Rect after{to.x, to.y, width, height};
    const RectCombination both = CombineRects(before, after, kRectUnion);
    DragStepPlan plan;
    plan.overlap = both.overlap;
    if (both.overlap) {
        plan.shown = both.rect;
        plan.pieceAt = to - both.rect.Origin();
        plan.oldPieceAt = from - both.rect.Origin();
    } else {
        plan.shown = after;
    }
    return plan;
}

bool LiftedSprite::Reserve(int32_t pieceWidth, int32_t pieceHeight) {
    if (pieceWidth < 1 || pieceHeight < 1) return false;
    const Point size = SpriteSize(pieceWidth, pieceHeight);
    const size_t pixels = static_cast<size_t>(size.x) * static_cast<size_t>(size.y);
    try {
        alpha.assign(pixels, 0);
        colour.assign(pixels, 0);
        work.assign(pixels, 0);
        span.assign(2 * static_cast<size_t>(size.y), 0);
    } catch (const std::bad_alloc&) {
        *this = LiftedSprite{};
        return false;
    }
    width = size.x;
    height = size.y;
    return true;
}

bool RenderLiftedSprite(PuzzleDocument& doc, uint32_t piece, const ScreenPixelFormat& format, LiftedSprite& sprite) {
    const Point size = SpriteSize(doc.pieceWidth, doc.pieceHeight);
    if (piece >= doc.pieces.size() || size.x != sprite.width || size.y != sprite.height ||
        sprite.alpha.size() != static_cast<size_t>(size.x) * static_cast<size_t>(size.y))
        return false;
    if (!doc.shapes.Describe(doc.pieceWidth, doc.pieceHeight, doc.pieces.size()) && !IndexPieceShapes(doc))
        return false;
    sprite.format = format;
    std::fill(sprite.alpha.begin(), sprite.alpha.end(), 0);
    RenderPiece(doc, piece, sprite);
    RenderShadow(doc, piece, sprite);
    FindSpans(sprite);
    return true;
}

void DrawLiftedSprite(const LiftedSprite& sprite, const SpriteCanvas& canvas, Point at) {
    if (canvas.bits == nullptr || sprite.format.bitCount != canvas.format.bitCount) return;
    switch (canvas.format.bitCount) {
        case 16: DrawRows<2>(sprite, canvas, at); break;
        case 24: DrawRows<3>(sprite, canvas, at); break;
        case 32: DrawRows<4>(sprite, canvas, at); break;
        default: break;
    }
}
