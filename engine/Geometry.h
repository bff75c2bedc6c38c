// Points, sizes and rectangles as all drawing code uses them. A Point is a position or a
// size; a Rect is an origin and a size. Conversions from double truncate towards zero.
#pragma once

#include <cstdint>

// Truncation towards zero that cannot leave the 32-bit range (out-of-range conversions are
// undefined in C++): beyond it the nearest end, and 0 for a value that is not a number.
int32_t TruncateToInt32(double value);

struct Point {
    int32_t x = 0;
    int32_t y = 0;

    Point& operator+=(Point other);
    Point& operator-=(Point other);
};

Point operator+(Point a, Point b);
Point operator-(Point a, Point b);
bool operator==(Point a, Point b);
bool operator!=(Point a, Point b);
// Each coordinate multiplied or divided, then truncated towards zero. A result beyond the
// 32-bit range stops at its nearest end (a division by zero too); 0 / 0 gives 0.
Point operator*(Point p, double factor);
Point operator/(Point p, double divisor);
// Widened, so that large coordinates cannot overflow.
int64_t Dot(Point a, Point b);

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    Point Origin() const { return {x, y}; }
    Point Size() const { return {width, height}; }
};

bool operator==(const Rect& a, const Rect& b);
bool operator!=(const Rect& a, const Rect& b);

// Top-left of frame `index` in a sheet of frames laid out row by row. A masked sheet keeps
// each row's mask below it, so its rows are twice as tall. A sheet of fewer than one column
// has no frames: (0, 0).
Point FrameOrigin(int32_t frameWidth, int32_t frameHeight, int32_t index, int32_t columns, bool masked);

// The operations of CombineRects; any other value only reports the overlap.
constexpr int32_t kRectUnion = 1;
constexpr int32_t kRectIntersection = 2;

struct RectCombination {
    bool overlap = false;
    Rect rect;
};

// Whether `a` and `b` overlap (rectangles that only touch along an edge do) and, for
// kRectIntersection, their common part (a zero rectangle when they do not overlap) or, for
// kRectUnion, the rectangle that bounds both. Other operations give a zero rectangle.
RectCombination CombineRects(const Rect& a, const Rect& b, int32_t operation);
