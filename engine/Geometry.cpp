// Point arithmetic, frame positions in sprite sheets and the one rectangle combiner that
// every clip and bounding box of the program goes through.
#include "engine/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int32_t ClampToInt32(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

// Where an edge lies against the span [low, high] of the other rectangle on the same axis.
enum EdgeClass { kBeforeSpan = 0, kInSpan = 1, kAfterSpan = 2 };

EdgeClass ClassifyEdge(int64_t edge, int64_t low, int64_t high) {
    if (edge < low) return kBeforeSpan;
    if (edge > high) return kAfterSpan;
    return kInSpan;
}

}  // namespace

int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

Point& Point::operator+=(Point other) {
    x += other.x;
    y += other.y;
    return *this;
}

Point& Point::operator-=(Point other) {
    x -= other.x;
    y -= other.y;
    return *this;
}

Point operator+(Point a, Point b) { return a += b; }
Point operator-(Point a, Point b) { return a -= b; }
bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
bool operator!=(Point a, Point b) { return !(a == b); }

Point operator*(Point p, double factor) { return {TruncateToInt32(p.x * factor), TruncateToInt32(p.y * factor)}; }
Point operator/(Point p, double divisor) { return {TruncateToInt32(p.x / divisor), TruncateToInt32(p.y / divisor)}; }

int64_t Dot(Point a, Point b) { return static_cast<int64_t>(a.x) * b.x + static_cast<int64_t>(a.y) * b.y; }

bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

Point FrameOrigin(int32_t frameWidth, int32_t frameHeight, int32_t index, int32_t columns, bool masked) {
    if (columns < 1) return {};
    const int64_t rowHeight = masked ? int64_t{frameHeight} * 2 : int64_t{frameHeight};
    return {ClampToInt32(int64_t{index % columns} * frameWidth), ClampToInt32(int64_t{index / columns} * rowHeight)};
}

RectCombination CombineRects(const Rect& a, const Rect& b, int32_t operation) {
    // Edges in 64 bits: origin + size may pass the 32-bit range.
    const int64_t aLeft = a.x, aTop = a.y;
    const int64_t aRight = aLeft + a.width, aBottom = aTop + a.height;
    const int64_t bLeft = b.x, bTop = b.y;
    const int64_t bRight = bLeft + b.width, bBottom = bTop + b.height;

    RectCombination result;
    result.overlap =
        ClassifyEdge(aRight, bLeft, bRight) != kBeforeSpan && ClassifyEdge(aLeft, bLeft, bRight) != kAfterSpan &&
        ClassifyEdge(aBottom, bTop, bBottom) != kBeforeSpan && ClassifyEdge(aTop, bTop, bBottom) != kAfterSpan;

    if (operation == kRectIntersection && result.overlap) {
        const int64_t left = std::max(aLeft, bLeft), top = std::max(aTop, bTop);
        result.rect = {ClampToInt32(left), ClampToInt32(top), ClampToInt32(std::min(aRight, bRight) - left),
                       ClampToInt32(std::min(aBottom, bBottom) - top)};
    } else if (operation == kRectUnion) {
        const int64_t left = std::min(aLeft, bLeft), top = std::min(aTop, bTop);
        result.rect = {ClampToInt32(left), ClampToInt32(top), ClampToInt32(std::max(aRight, bRight) - left),
                       ClampToInt32(std::max(aBottom, bBottom) - top)};
    }
    return result;
}
