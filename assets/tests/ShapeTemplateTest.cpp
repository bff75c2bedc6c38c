// The shape templates: labels, connectivity, reach and, above all, that the pieces they
// make fit together when the cutter repeats a template over a grid.
#include <gtest/gtest.h>

#include <array>
#include <queue>
#include <set>

#include "assets/ShapeTemplates.h"

namespace {

struct Template {
    std::vector<uint8_t> labels;
    int At(int x, int y) const { return labels[static_cast<size_t>(y) * kTemplateSide + x]; }
};

const Template& Get(int family) {
    static std::array<Template, kTemplateFamilies> cache;
    if (cache[family].labels.empty()) cache[family].labels = MakeShapeTemplate(family);
    return cache[family];
}

class ShapeTemplate : public ::testing::TestWithParam<int> {};

TEST_P(ShapeTemplate, IsASquareMapOfLabelsOneToTwelve) {
    const Template& t = Get(GetParam());
    ASSERT_EQ(t.labels.size(), size_t(532) * 532);
    std::set<int> seen;
    for (uint8_t v : t.labels) {
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 12);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 12u) << "every piece and every border region is present";
}

TEST_P(ShapeTemplate, BodyCentresCarryTheirPieceLabels) {
    const Template& t = Get(GetParam());
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) EXPECT_EQ(t.At(166 + 200 * j, 166 + 200 * i), i * 2 + j + 1);
    // The four border strips, half-way along each body square, well outside any tab.
    EXPECT_EQ(t.At(166, 2), 5);
    EXPECT_EQ(t.At(366, 2), 6);
    EXPECT_EQ(t.At(529, 166), 7);
    EXPECT_EQ(t.At(529, 366), 8);
    EXPECT_EQ(t.At(166, 529), 9);
    EXPECT_EQ(t.At(366, 529), 10);
    EXPECT_EQ(t.At(2, 166), 11);
    EXPECT_EQ(t.At(2, 366), 12);
}

TEST_P(ShapeTemplate, EachPieceIsOneConnectedRegionWithinReach) {
    const Template& t = Get(GetParam());
    for (int label = 1; label <= 4; ++label) {
        int i = (label - 1) / 2, j = (label - 1) % 2;
        // Flood from the body centre; every pixel of the label must be reached.
        std::vector<uint8_t> seen(t.labels.size(), 0);
        std::queue<std::pair<int, int>> todo;
        todo.push({166 + 200 * j, 166 + 200 * i});
        seen[(166 + 200 * i) * kTemplateSide + 166 + 200 * j] = 1;
        size_t reached = 0;
        while (!todo.empty()) {
            auto [x, y] = todo.front();
            todo.pop();
            ++reached;
            const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k], ny = y + dy[k];
                if (nx < 0 || ny < 0 || nx >= kTemplateSide || ny >= kTemplateSide) continue;
                size_t idx = static_cast<size_t>(ny) * kTemplateSide + nx;
                if (seen[idx] || t.labels[idx] != label) continue;
                seen[idx] = 1;
                todo.push({nx, ny});
            }
        }
        size_t total = 0;
        for (int y = 0; y < kTemplateSide; ++y)
            for (int x = 0; x < kTemplateSide; ++x) {
                if (t.At(x, y) != label) continue;
                ++total;
                // The cutter reads template columns 0..331 from the piece's corner.
                EXPECT_TRUE(x >= 200 * j && x < 200 * j + 332 && y >= 200 * i && y < 200 * i + 332)
                    << "label " << label << " at (" << x << ", " << y << ") is beyond the 66-pixel reach";
            }
        EXPECT_EQ(reached, total) << "piece " << label << " falls apart";
        // A piece keeps most of its body: tabs and blanks nibble at the edges only.
        EXPECT_GT(total, size_t(200 * 200 * 3 / 4));
    }
}

// The top border is what row 1 pushes past its bottom edge, and the bottom of row 1's body
// is what row 0 would push up past its top edge; likewise left and right.
TEST_P(ShapeTemplate, BordersAreCounterpartsOfTheOppositeEdges) {
    const Template& t = Get(GetParam());
    for (int j = 0; j < 2; ++j)
        for (int x = 66 + 200 * j; x < 266 + 200 * j; ++x)
            for (int y = 0; y < 132; ++y) {
                // Above row 0's edge: row 0's tab there <=> row 2 (= row 0) reaching past row 1.
                if (y < 66)
                    ASSERT_EQ(t.At(x, y) == 1 + j, t.At(x, y + 400) == 9 + j) << x << "," << y;
                else
                    ASSERT_EQ(t.At(x, y) == 5 + j, t.At(x, y + 400) == 3 + j) << x << "," << y;
            }
    for (int i = 0; i < 2; ++i)
        for (int y = 66 + 200 * i; y < 266 + 200 * i; ++y)
            for (int x = 0; x < 132; ++x) {
                if (x < 66)
                    ASSERT_EQ(t.At(x, y) == 2 * i + 1, t.At(x + 400, y) == 7 + i) << x << "," << y;
                else
                    ASSERT_EQ(t.At(x, y) == 11 + i, t.At(x + 400, y) == 2 * i + 2) << x << "," << y;
            }
}

// Cuts a rows x cols puzzle of 200-pixel cells with the template the way the cutter does
// (margin 66, template coordinates equal to piece coordinates at this scale, border rules)
// and counts for every board pixel how many pieces claim it: exactly one, everywhere.
void ExpectPiecesTile(const Template& t, int rows, int cols) {
    const int cell = 200, margin = 66, piece = cell + 2 * margin;
    const int W = cols * cell, H = rows * cell, R = 2, C = 2, K = R * C + 1;
    std::vector<uint8_t> cover(static_cast<size_t>(W) * H, 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int i = r % R, j = c % C, own = i * C + j + 1;
            int up = i > 0 ? own - C : K + j;
            int right = j < C - 1 ? own + 1 : K + C + i;
            int down = i < R - 1 ? own + C : K + R + C + j;
            int left = j > 0 ? own - 1 : K + R + 2 * C + i;
            for (int v = 0; v < piece; ++v)
                for (int u = 0; u < piece; ++u) {
                    int px = c * cell - margin + u, py = r * cell - margin + v;
                    if (px < 0 || px >= W || py < 0 || py >= H) continue;
                    int tc = std::min(u, 331), tr = std::min(v, 331);
                    int L = t.At(200 * j + tc, 200 * i + tr);
                    bool opaque;
                    if (L == own)
                        opaque = !((r == 0 && v < margin) || (c == 0 && u < margin) ||
                                   (r == rows - 1 && v > cell + margin) || (c == cols - 1 && u > cell + margin));
                    else if (L == up)
                        opaque = r == 0 && v >= margin;
                    else if (L == right)
                        opaque = c == cols - 1 && u <= cell + margin;
                    else if (L == down)
                        opaque = r == rows - 1 && v <= cell + margin;
                    else if (L == left)
                        opaque = c == 0 && u >= margin;
                    else
                        opaque = false;
                    if (opaque) ++cover[static_cast<size_t>(py) * W + px];
                }
        }
    int holes = 0, overlaps = 0;
    for (uint8_t n : cover) {
        holes += n == 0;
        overlaps += n > 1;
    }
    EXPECT_EQ(holes, 0) << rows << " x " << cols << ": board pixels no piece covers";
    EXPECT_EQ(overlaps, 0) << rows << " x " << cols << ": board pixels two pieces cover";
}

TEST_P(ShapeTemplate, PiecesTileAGridOfTwoByTwo) { ExpectPiecesTile(Get(GetParam()), 2, 2); }
TEST_P(ShapeTemplate, PiecesTileAnOddGridWhereTheTemplateWrapsMidway) { ExpectPiecesTile(Get(GetParam()), 3, 5); }

INSTANTIATE_TEST_SUITE_P(AllFamilies, ShapeTemplate, ::testing::Range(0, kTemplateFamilies));

TEST(ShapeTemplates, TheSixFamiliesDiffer) {
    for (int a = 0; a < kTemplateFamilies; ++a)
        for (int b = a + 1; b < kTemplateFamilies; ++b) {
            const auto& la = Get(a).labels;
            const auto& lb = Get(b).labels;
            size_t differ = 0;
            for (size_t k = 0; k < la.size(); ++k) differ += la[k] != lb[k];
            EXPECT_GT(differ, size_t(5000)) << TemplateFamilyName(a) << " vs " << TemplateFamilyName(b);
        }
}

}  // namespace
