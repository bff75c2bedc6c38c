// Points, frame positions and CombineRects, with expectations worked out by hand.
#include "engine/Geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(PointArithmetic, AddSubtractNewAndInPlace) {
    const Point a{3, -4};
    const Point b{10, 20};
    EXPECT_EQ(a + b, (Point{13, 16}));
    EXPECT_EQ(a - b, (Point{-7, -24}));

    Point moved = a;
    moved += b;
    EXPECT_EQ(moved, (Point{13, 16}));
    moved -= Point{13, 0};
    EXPECT_EQ(moved, (Point{0, 16}));
    EXPECT_NE(moved, (Point{16, 0}));
    EXPECT_EQ(a, (Point{3, -4}));  // the operands of + and - are untouched
}

TEST(PointArithmetic, ScaleAndDivideTruncateTowardsZero) {
    EXPECT_EQ((Point{7, -7} * 0.5), (Point{3, -3}));
    EXPECT_EQ((Point{10, -10} * 1.99), (Point{19, -19}));  // 19.9 and -19.9
    EXPECT_EQ((Point{7, -7} / 2.0), (Point{3, -3}));
    EXPECT_EQ((Point{100, 50} / 3.0), (Point{33, 16}));
    EXPECT_EQ((Point{5, -5} / -2.0), (Point{-2, 2}));
}

TEST(PointArithmetic, ResultsBeyondThirtyTwoBitsStopAtTheEnds) {
    EXPECT_EQ((Point{2000000000, -2000000000} * 2.0), (Point{INT32_MAX, INT32_MIN}));
    EXPECT_EQ((Point{5, -5} / 0.0), (Point{INT32_MAX, INT32_MIN}));
    EXPECT_EQ((Point{0, 1} / 0.0), (Point{0, INT32_MAX}));  // 0 / 0 is not a number: 0
    EXPECT_EQ((Point{1, 1} * std::numeric_limits<double>::quiet_NaN()), (Point{0, 0}));
}

TEST(PointArithmetic, DotProduct) {
    EXPECT_EQ(Dot({3, 4}, {5, -6}), 15 - 24);
    EXPECT_EQ(Dot({0, 0}, {9, 9}), 0);
    // 2 * 65536 * 65536 overflows 32 bits.
    EXPECT_EQ(Dot({65536, 65536}, {65536, 65536}), int64_t{8589934592});
}

TEST(FrameOriginTest, RowByRowAndMaskedRowsDoubleHeight) {
    // Index 5 of 4 columns: column 1, row 1.
    EXPECT_EQ(FrameOrigin(10, 20, 5, 4, false), (Point{10, 20}));
    EXPECT_EQ(FrameOrigin(10, 20, 5, 4, true), (Point{10, 40}));
    EXPECT_EQ(FrameOrigin(10, 20, 0, 4, true), (Point{0, 0}));
    EXPECT_EQ(FrameOrigin(10, 20, 3, 4, false), (Point{30, 0}));
    EXPECT_EQ(FrameOrigin(32, 32, 11, 1, false), (Point{0, 352}));
}

TEST(FrameOriginTest, NoColumnsNoFrames) {
    EXPECT_EQ(FrameOrigin(10, 20, 5, 0, false), (Point{0, 0}));
    EXPECT_EQ(FrameOrigin(10, 20, 5, -3, true), (Point{0, 0}));
}

TEST(CombineRectsIntersection, OverlapGivesTheCommonPart) {
    const RectCombination c = CombineRects({0, 0, 10, 10}, {5, 3, 10, 4}, kRectIntersection);
    EXPECT_TRUE(c.overlap);
    EXPECT_EQ(c.rect, (Rect{5, 3, 5, 4}));

    const RectCombination inside = CombineRects({2, 2, 3, 3}, {0, 0, 10, 10}, kRectIntersection);
    EXPECT_TRUE(inside.overlap);
    EXPECT_EQ(inside.rect, (Rect{2, 2, 3, 3}));

    // Starting left of and above the other.
    const RectCombination clipped = CombineRects({-4, -6, 10, 10}, {0, 0, 8, 8}, kRectIntersection);
    EXPECT_EQ(clipped.rect, (Rect{0, 0, 6, 4}));
}

TEST(CombineRectsIntersection, TouchingEdgesOverlapWithAZeroSide) {
    const RectCombination side = CombineRects({0, 0, 10, 10}, {10, 2, 5, 5}, kRectIntersection);
    EXPECT_TRUE(side.overlap);
    EXPECT_EQ(side.rect, (Rect{10, 2, 0, 5}));

    const RectCombination below = CombineRects({0, 10, 4, 4}, {0, 0, 10, 10}, kRectIntersection);
    EXPECT_TRUE(below.overlap);
    EXPECT_EQ(below.rect, (Rect{0, 10, 4, 0}));

    const RectCombination corner = CombineRects({0, 0, 5, 5}, {5, 5, 5, 5}, kRectIntersection);
    EXPECT_TRUE(corner.overlap);
    EXPECT_EQ(corner.rect, (Rect{5, 5, 0, 0}));
}

TEST(CombineRectsIntersection, ApartGivesAZeroRectangle) {
    const RectCombination right = CombineRects({0, 0, 10, 10}, {11, 0, 5, 5}, kRectIntersection);
    EXPECT_FALSE(right.overlap);
    EXPECT_EQ(right.rect, (Rect{}));

    // Overlapping on one axis only is not enough.
    EXPECT_FALSE(CombineRects({0, 0, 10, 10}, {2, 20, 5, 5}, kRectIntersection).overlap);
    EXPECT_FALSE(CombineRects({0, 20, 10, 10}, {2, 0, 5, 5}, kRectIntersection).overlap);
    EXPECT_FALSE(CombineRects({20, 0, 10, 10}, {2, 0, 5, 5}, kRectIntersection).overlap);
}

TEST(CombineRectsUnion, BoundsBothWhetherOrNotTheyOverlap) {
    const RectCombination apart = CombineRects({0, 0, 10, 10}, {20, 5, 5, 10}, kRectUnion);
    EXPECT_FALSE(apart.overlap);
    EXPECT_EQ(apart.rect, (Rect{0, 0, 25, 15}));

    const RectCombination crossing = CombineRects({5, -2, 10, 4}, {0, 0, 8, 8}, kRectUnion);
    EXPECT_TRUE(crossing.overlap);
    EXPECT_EQ(crossing.rect, (Rect{0, -2, 15, 10}));
}

TEST(CombineRectsOtherOperations, OnlyTheOverlapFlag) {
    for (const int32_t operation : {0, 3, -1, 100}) {
        const RectCombination overlapping = CombineRects({0, 0, 10, 10}, {5, 5, 10, 10}, operation);
        EXPECT_TRUE(overlapping.overlap);
        EXPECT_EQ(overlapping.rect, (Rect{}));
        EXPECT_FALSE(CombineRects({0, 0, 10, 10}, {50, 50, 1, 1}, operation).overlap);
    }
}

TEST(CombineRectsExtremes, EdgesPastThirtyTwoBitsDoNotWrap) {
    // INT32_MAX - 10 + 100 would wrap to a negative right edge in 32 bits.
    const RectCombination far = CombineRects({INT32_MAX - 10, 0, 100, 10}, {0, 0, 50, 50}, kRectIntersection);
    EXPECT_FALSE(far.overlap);

    const RectCombination clipped = CombineRects({-5, 0, INT32_MAX, 10}, {0, 0, 50, 50}, kRectIntersection);
    EXPECT_TRUE(clipped.overlap);
    EXPECT_EQ(clipped.rect, (Rect{0, 0, 50, 10}));

    const RectCombination widest = CombineRects({INT32_MIN, 0, 1, 1}, {INT32_MAX - 1, 0, 1, 1}, kRectUnion);
    EXPECT_EQ(widest.rect.width, INT32_MAX);  // 2^32 - 1 wide: stops at the end of the range
}

}  // namespace
