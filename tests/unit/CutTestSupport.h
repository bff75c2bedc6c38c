// Test helpers for the cutter: shape templates of our own that follow the game's label
// scheme, pictures whose every pixel can be predicted, a cutter environment that records
// what the cut asked for, a plain pixel-by-pixel statement of the cutting rules to compare
// the atlas with, and the check that the pieces, laid at their solved places, rebuild the
// picture.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Cut.h"
#include "engine/PackedDib.h"
#include "engine/PuzzleDocument.h"
#include "tests/unit/BmpTestFiles.h"
#include "tests/unit/BoardTestSupport.h"

namespace cuttest {

constexpr int kBody = 200;
constexpr int kReach = 66;

// ---- Shape templates -------------------------------------------------------------------

// Six tab families, different on purpose: tabs with a neck (the outline turns back on
// itself), square tabs, an edge that waves both ways (each side gives pixels away), no tabs
// at all, tabs that reach almost as far as a piece image can show, and mushrooms with a
// thin stem under a wide head.
enum Family { kRoundKnob, kSquareTab, kWavyEdge, kStraight, kDeepReach, kMushroom, kFamilyCount };

inline const char* FamilyName(int family) {
    static const char* names[kFamilyCount] = {"RoundKnob", "SquareTab", "WavyEdge",
                                              "Straight",  "DeepReach", "Mushroom"};
    return names[family];
}

inline int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
inline int Mod2(int v) { return ((v % 2) + 2) % 2; }

// Does the point at t along an edge and s across it (s > 0 on the receiving side) belong to
// the side that owns the tab?
inline bool OwnerKeeps(int family, double t, double s, double centre) {
    const double d = std::fabs(t - centre);
    switch (family) {
        case kRoundKnob:
            if (s < 0) return true;
            return (s <= 20 && d <= 8) || (t - centre) * (t - centre) + (s - 34) * (s - 34) <= 18 * 18;
        case kSquareTab: return s < 0 || (d <= 25 && s <= 40);
        case kWavyEdge: {
            const double w = (t > 30 && t < 170) ? 24 * std::sin(3 * M_PI * (t - 30) / 140) : 0;
            return s < w;
        }
        case kDeepReach:
            // Deepest pixel 59: a piece image of a 44-pixel cell still shows 63 template
            // pixels past the body.
            return s < 0 || (d <= 30 && s <= 59.5);
        case kMushroom: return s < 0 || (s <= 25 && d <= 6) || (s > 25 && s <= 45 && d <= 30);
        default: return s < 0;
    }
}

// Owner of the plane point (px, py), origin at the top-left corner of body square (0, 0).
// The tabs' directions and positions repeat every two cells, so any grid of templates tiles.
inline void OwnerOf(int family, int px, int py, int& I, int& J) {
    const int ci = FloorDiv(py, kBody), cj = FloorDiv(px, kBody);
    const double lx = px - cj * kBody + 0.5, ly = py - ci * kBody + 0.5;
    I = ci;
    J = cj;
    auto centre = [](int a, int b, int vertical) {
        return 100.0 + (vertical ? 7 : -5) * (Mod2(a) * 2 + Mod2(b) - 1.5);
    };
    // Horizontal edge below cell (a, b): its upper cell owns the tab when a + b is even.
    auto upperOwns = [](int a, int b) { return Mod2(a + b) == 0; };
    auto leftOwns = [](int a, int b) { return Mod2(a + b) == 1; };
    struct Edge {
        bool neighbourOwns;
        double t, depth;  // depth: distance into this cell from the edge
        int ni, nj;
        double c;
    };
    const Edge edges[4] = {
        {upperOwns(ci - 1, cj), lx, ly, ci - 1, cj, centre(ci - 1, cj, 0)},
        {!upperOwns(ci, cj), lx, kBody - ly, ci + 1, cj, centre(ci, cj, 0)},
        {leftOwns(ci, cj - 1), ly, lx, ci, cj - 1, centre(ci, cj - 1, 1)},
        {!leftOwns(ci, cj), ly, kBody - lx, ci, cj + 1, centre(ci, cj, 1)},
    };
    for (const Edge& e : edges) {
        // s measured from the owner towards the receiver.
        const double s = e.neighbourOwns ? e.depth : -e.depth;
        if (OwnerKeeps(family, e.t, s, e.c) == e.neighbourOwns) {
            I = e.ni;
            J = e.nj;
            return;
        }
    }
}

struct TemplateLabelsMap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> topDown;
    uint8_t At(int x, int y) const { return topDown[static_cast<size_t>(y) * width + x]; }
};

// An R x C template of a family. Pixels of template pieces carry the piece's label; tabs
// that reach into the grid from outside carry the label of the border strip they come
// from; the rest of the border is labelled by the strip it lies in. The four corner
// squares belong to no cell and get the labels that the cutting rules leave transparent
// wherever a piece image reaches them: the strip above for the top corners, the left strip
// for the bottom-left one, and for the bottom-right one a strip that is no neighbour of
// the last template piece. (Labelling a bottom corner with the strip below would fill it
// into the extra row of the bottom pieces, where it overlaps their neighbours.)
inline TemplateLabelsMap MakeTemplate(int family, int R = 2, int C = 2) {
    TemplateLabelsMap t;
    t.width = C * kBody + 2 * kReach;
    t.height = R * kBody + 2 * kReach;
    t.topDown.resize(static_cast<size_t>(t.width) * t.height);
    const int K = R * C + 1;
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) {
            int I, J;
            OwnerOf(family, x - kReach, y - kReach, I, J);
            const int col = std::min(std::max(FloorDiv(x - kReach, kBody), 0), C - 1);
            const int row = std::min(std::max(FloorDiv(y - kReach, kBody), 0), R - 1);
            const bool above = y < kReach, below = y >= t.height - kReach;
            const bool leftOf = x < kReach, rightOf = x >= t.width - kReach;
            const bool inRows = I >= 0 && I < R, inCols = J >= 0 && J < C;
            int label;
            if (inRows && inCols)
                label = I * C + J + 1;
            else if (above && (leftOf || rightOf))
                label = K + col;
            else if (below && leftOf)
                label = K + R + 2 * C + R - 1;
            else if (below && rightOf)
                label = R > 1 ? K + C : K + R + 2 * C;
            else if (above)
                label = K + col;
            else if (rightOf)
                label = K + C + row;
            else if (below)
                label = K + R + C + col;
            else if (leftOf)
                label = K + R + 2 * C + row;
            else if (I < 0)  // a border strip's tab inside the grid
                label = K + col;
            else if (J >= C)
                label = K + C + row;
            else if (I >= R)
                label = K + R + C + col;
            else
                label = K + R + 2 * C + row;
            t.topDown[static_cast<size_t>(y) * t.width + x] = static_cast<uint8_t>(label);
        }
    return t;
}

// Labels drawn at random from 0 .. 15 (4 labels past the scheme's 12): every rule gets
// exercised in every position, which the reference comparison wants.
inline TemplateLabelsMap NoiseTemplate(uint32_t seed, int R = 2, int C = 2) {
    TemplateLabelsMap t;
    t.width = C * kBody + 2 * kReach;
    t.height = R * kBody + 2 * kReach;
    t.topDown.resize(static_cast<size_t>(t.width) * t.height);
    uint32_t state = seed;
    for (uint8_t& label : t.topDown) {
        state = state * 1664525u + 1013904223u;
        label = static_cast<uint8_t>(state >> 28);
    }
    return t;
}

// A packed 8-bit bitmap of the labels, bottom-up as the pack delivers it (top-down when
// asked).
inline std::unique_ptr<PackedDib, PackedDibDeleter> TemplateDib(const TemplateLabelsMap& t, bool topDown = false) {
    const int32_t stride = DibRowBytes(t.width, 8);
    std::unique_ptr<PackedDib, PackedDibDeleter> dib(AllocPackedDib(static_cast<size_t>(stride) * t.height));
    BitmapInfoHeader& h = dib->header;
    h.biSize = 40;
    h.biWidth = t.width;
    h.biHeight = topDown ? -t.height : t.height;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = static_cast<uint32_t>(stride * t.height);
    std::memset(dib->palette, 0, sizeof dib->palette);
    for (int y = 0; y < t.height; ++y) {
        uint8_t* row = dib->Pixels() + static_cast<size_t>(topDown ? y : t.height - 1 - y) * stride;
        std::memset(row, 0, static_cast<size_t>(stride));
        std::memcpy(row, &t.topDown[static_cast<size_t>(y) * t.width], static_cast<size_t>(t.width));
    }
    return dib;
}

// ---- Pictures --------------------------------------------------------------------------

// Colour of picture pixel (x, y), y from the top, as blue | green << 8 | red << 16.
inline uint32_t Colour24(int32_t x, int32_t y) {
    const uint32_t blue = static_cast<uint32_t>(x * 5 + y) & 0xFF;
    const uint32_t green = static_cast<uint32_t>(y * 3 ^ x) & 0xFF;
    const uint32_t red = static_cast<uint32_t>((x >> 3) + 7 * (y >> 2)) & 0xFF;
    return blue | green << 8 | red << 16;
}
inline uint32_t Index8(int32_t x, int32_t y) { return static_cast<uint32_t>(x * 7 + y * 3) & 0xFF; }
// TestPalette of BmpTestFiles.h: entry i is blue i, green 2i, red 3i.
inline uint32_t PaletteColour(uint32_t index) {
    return (index & 0xFF) | ((2 * index) & 0xFF) << 8 | ((3 * index) & 0xFF) << 16;
}

inline BmpDescription PictureOf(int32_t width, int32_t height, uint16_t bitCount) {
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bitCount = bitCount;
    if (bitCount <= 8)
        d.pixel = [](int32_t x, int32_t y) { return Index8(x, y); };
    else
        d.pixel = [](int32_t x, int32_t y) { return Colour24(x, y); };
    return d;
}

// The colour the atlas must show for picture pixel (x, y) of a picture made by PictureOf
// (indices of fewer than 8 bits keep their low bits; 32-bit pixels have a zero fourth byte).
inline uint32_t ExpectedColour(uint16_t bitCount, int32_t x, int32_t y) {
    if (bitCount < 8) return PaletteColour(Index8(x, y) & ((1u << bitCount) - 1));
    return bitCount == 8 ? PaletteColour(Index8(x, y)) : Colour24(x, y);
}

// ---- The environment -------------------------------------------------------------------

// Random numbers from a list, repeated when it runs out; counts the draws.
class ScriptedRandom {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double operator()() { return values_[draws_++ % values_.size()]; }
    size_t Draws() const { return draws_; }

private:
    std::vector<double> values_;
    size_t draws_ = 0;
};

// A document with a picture open at a given scale and grid, an environment whose template
// loader serves the templates put into `templates`, and a record of what the cuts ask of the
// windows (`calls`, see boardtest::Describe).
class CutBench {
public:
    CutBench() : folder_("cut" + std::to_string(NextBenchNumber())) {
        env.loadTemplate = [this](uint32_t id) -> std::unique_ptr<PackedDib, PackedDibDeleter> {
            loads.push_back(id);
            auto found = templates.find(id);
            if (found == templates.end()) return nullptr;
            return TemplateDib(found->second, topDownTemplates);
        };
        env.showWaitCursor = [this] { calls += "wait;"; };
        env.boardWidth = 947;
        env.boardHeight = 640;
    }

    // A cut's result: what its changes ask of the windows joins `calls`; whether it cut.
    bool Take(const CutResult& result) {
        calls += boardtest::Describe(result.changes);
        return result.ok;
    }
    // Moves between stacks whose notices the test does not look at.
    bool Move(int from, int to, int32_t count) {
        BoardChanges ignored;
        return doc.MoveTopEntries(from, to, count, ignored);
    }

    // Writes the picture, opens it in the document and sets scale and grid.
    bool Open(const BmpDescription& picture, double scale, int32_t rows, int32_t cols) {
        const std::string path = folder_.Write("picture" + std::to_string(files_++) + ".bmp", BuildBmp(picture));
        doc.scale = scale;
        doc.rows = rows;
        doc.cols = cols;
        return !path.empty() && doc.picture.Open(path.c_str());
    }
    void AddTemplate(uint32_t id, const TemplateLabelsMap& t) { templates[id] = t; }

    PuzzleDocument doc;
    CutEnvironment env;
    std::map<uint32_t, TemplateLabelsMap> templates;
    bool topDownTemplates = false;
    std::vector<uint32_t> loads;
    std::string calls;

private:
    static int NextBenchNumber() {
        static int number = 0;
        return number++;
    }
    ScratchFolder folder_;
    int files_ = 0;
};

// ---- Reading the atlas -----------------------------------------------------------------

// Atlas pixel (u, v) of piece (r, c) as blue | green << 8 | red << 16 | flag << 24.
inline uint32_t AtlasAt(const PuzzleDocument& doc, int32_t r, int32_t c, int32_t u, int32_t v) {
    const int64_t row = doc.atlasHeightMinusOne - (static_cast<int64_t>(r) * doc.pieceHeight + v);
    const int64_t column = static_cast<int64_t>(c) * doc.pieceWidth + u;
    const uint8_t* p = &doc.atlas[static_cast<size_t>((row * doc.atlasWidth + column) * 4)];
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// ---- The rules, pixel by pixel ---------------------------------------------------------

// Step 8 of the cut as one plain loop, for comparison with the atlas builder: the same
// geometry, the maps computed here in exact integer arithmetic, and the decision in the
// order own, up, right, down, left.
inline std::vector<uint8_t> ReferenceAtlas(const PuzzleDocument& doc,
                                           const TemplateLabelsMap& t,
                                           int R,
                                           int C,
                                           int32_t pictureWidth,
                                           int32_t pictureHeight,
                                           uint16_t bitCount,
                                           int32_t W,
                                           int32_t H) {
    const int32_t cw = doc.cellWidth, ch = doc.cellHeight, mx = doc.marginX, my = doc.marginY;
    const int32_t pw = doc.pieceWidth, ph = doc.pieceHeight, rows = doc.rows, cols = doc.cols;
    auto templateCoordinate = [](int32_t u, int32_t margin, int32_t cell) {
        const int64_t scaled = static_cast<int64_t>(u - margin) * 200;
        const int64_t below = scaled >= 0 ? scaled / cell : -((-scaled + cell - 1) / cell);
        return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(below + 66, 0), 331));
    };
    std::vector<uint8_t> atlas(static_cast<size_t>(pw) * cols * ph * rows * 4, 0xEE);
    const int K = R * C + 1;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int i = r % R, j = c % C;
            const int own = i * C + j + 1;
            const int up = i > 0 ? own - C : K + j;
            const int right = j < C - 1 ? own + 1 : K + C + i;
            const int down = i < R - 1 ? own + C : K + R + C + j;
            const int left = j > 0 ? own - 1 : K + R + 2 * C + i;
            for (int32_t v = 0; v < ph; ++v)
                for (int32_t u = 0; u < pw; ++u) {
                    const int32_t px = c * cw - mx + u, py = r * ch - my + v;
                    bool inside = false;
                    if (px >= 0 && px < W && py >= 0 && py < H) {
                        const int L =
                            t.At(200 * j + templateCoordinate(u, mx, cw), 200 * i + templateCoordinate(v, my, ch));
                        if (L == own)
                            inside = !((r == 0 && v < my) || (c == 0 && u < mx) || (r == rows - 1 && v > ch + my) ||
                                       (c == cols - 1 && u > cw + mx));
                        else if (L == up)
                            inside = r == 0 && v >= my;
                        else if (L == right)
                            inside = c == cols - 1 && u <= cw + mx;
                        else if (L == down)
                            inside = r == rows - 1 && v <= ch + my;
                        else if (L == left)
                            inside = c == 0 && u >= mx;
                    }
                    uint32_t pixel = 0;
                    if (inside) {
                        const int32_t x = std::min(static_cast<int32_t>(px / doc.scale), pictureWidth - 1);
                        const int32_t y = std::min(static_cast<int32_t>(py / doc.scale), pictureHeight - 1);
                        pixel = ExpectedColour(bitCount, x, y) | 1u << 24;
                    }
                    const size_t row = static_cast<size_t>(rows * ph - 1 - (r * ph + v));
                    uint8_t* p = &atlas[(row * static_cast<size_t>(pw * cols) + static_cast<size_t>(c * pw + u)) * 4];
                    for (int b = 0; b < 4; ++b) p[b] = static_cast<uint8_t>(pixel >> (8 * b));
                }
        }
    return atlas;
}

// ---- Laying the pieces at their solved places ------------------------------------------

// What laying every piece at its solved place shows: how often each board pixel is
// covered, and the problems found on the way, worded for a failure message.
struct SolvedPicture {
    int64_t gaps = 0;      // puzzle pixels no piece covers
    int64_t overlaps = 0;  // pixels two pieces cover
    int64_t outside = 0;   // covered pixels outside the puzzle's rectangle
    int64_t wrongColour = 0;
    int64_t dirtyTransparent = 0;  // transparent pixels whose colour bytes are not 0
    std::string first;

    bool Clean() const { return gaps + overlaps + outside + wrongColour + dirtyTransparent == 0; }
    void Note(const char* what, int64_t x, int64_t y) {
        if (first.empty()) {
            std::ostringstream s;
            s << what << " at board (" << x << ", " << y << ")";
            first = s.str();
        }
    }
};

// Lays every piece of a cut at its solved place (its cell's corner minus the margins) and
// checks: every pixel of the puzzle's rectangle - the cells plus the extra column and row
// right of and below them, clipped to the scaled picture - is covered exactly once, nothing
// outside it is covered (so the outer edges are straight), every inside pixel shows the
// picture's pixel through the maps, and every transparent pixel is 0, 0, 0, 0. The single
// pixel where the extra column and row meet belongs to no cell and may stay uncovered.
inline SolvedPicture LaySolved(const PuzzleDocument& doc,
                               int32_t W,
                               int32_t H,
                               int32_t pictureWidth,
                               int32_t pictureHeight,
                               uint16_t bitCount) {
    SolvedPicture out;
    const int32_t cw = doc.cellWidth, ch = doc.cellHeight, mx = doc.marginX, my = doc.marginY;
    const int32_t spanW = doc.cols * cw + 2 * mx + 1, spanH = doc.rows * ch + 2 * my + 1;
    std::vector<uint8_t> hits(static_cast<size_t>(spanW) * spanH, 0);
    for (int32_t r = 0; r < doc.rows; ++r)
        for (int32_t c = 0; c < doc.cols; ++c)
            for (int32_t v = 0; v < doc.pieceHeight; ++v)
                for (int32_t u = 0; u < doc.pieceWidth; ++u) {
                    const int32_t px = c * cw - mx + u, py = r * ch - my + v;
                    const uint32_t pixel = AtlasAt(doc, r, c, u, v);
                    const uint32_t flag = pixel >> 24;
                    if (flag == 0) {
                        if (pixel != 0) {
                            ++out.dirtyTransparent;
                            out.Note("transparent pixel with colour", px, py);
                        }
                        continue;
                    }
                    if (flag != 1 || px < 0 || py < 0 || px >= W || py >= H) {
                        ++out.outside;
                        out.Note("pixel outside the picture", px, py);
                        continue;
                    }
                    uint8_t& count = hits[static_cast<size_t>(py + my) * spanW + (px + mx)];
                    if (++count == 2) {
                        ++out.overlaps;
                        out.Note("overlap", px, py);
                    }
                    const int32_t x = std::min(static_cast<int32_t>(px / doc.scale), pictureWidth - 1);
                    const int32_t y = std::min(static_cast<int32_t>(py / doc.scale), pictureHeight - 1);
                    if ((pixel & 0xFFFFFF) != ExpectedColour(bitCount, x, y)) {
                        ++out.wrongColour;
                        out.Note("wrong colour", px, py);
                    }
                }
    const int32_t right = std::min(W, doc.cols * cw + 1), bottom = std::min(H, doc.rows * ch + 1);
    for (int32_t py = -my; py < spanH - my; ++py)
        for (int32_t px = -mx; px < spanW - mx; ++px) {
            const uint8_t count = hits[static_cast<size_t>(py + my) * spanW + (px + mx)];
            const bool inPuzzle = px >= 0 && py >= 0 && px < right && py < bottom;
            const bool farCorner = px == doc.cols * cw && py == doc.rows * ch;
            if (inPuzzle && count == 0 && !farCorner) {
                ++out.gaps;
                out.Note("gap", px, py);
            } else if (!inPuzzle && count != 0) {
                ++out.outside;
                out.Note("covered outside the puzzle", px, py);
            }
        }
    return out;
}

}  // namespace cuttest
