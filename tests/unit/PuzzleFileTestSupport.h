// Test helpers for saved games: a game in play cut from a picture of our own with one of six
// template families, a little play on it (pieces in every box, groups on boxes and on the
// board, marked pieces, renamed boxes, the clock and a hint), a record of everything of the
// game in play that a refused load must leave alone, and files read back whole.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/BoxNames.h"
#include "engine/PuzzleFile.h"
#include "tests/unit/BoardTestSupport.h"
#include "tests/unit/CutTestSupport.h"

namespace filetest {

constexpr uint32_t kFirstTemplate = 3000;

// A bench serving the six template families as 3000 .. 3005. The templates are drawn once
// for the whole test program: drawing one takes far longer than a small cut.
inline void AddAllTemplates(cuttest::CutBench& bench) {
    static const std::vector<cuttest::TemplateLabelsMap> templates = [] {
        std::vector<cuttest::TemplateLabelsMap> drawn;
        for (int family = 0; family < cuttest::kFamilyCount; ++family) drawn.push_back(cuttest::MakeTemplate(family));
        return drawn;
    }();
    for (int family = 0; family < cuttest::kFamilyCount; ++family)
        bench.AddTemplate(kFirstTemplate + static_cast<uint32_t>(family), templates[static_cast<size_t>(family)]);
}

// A dealt rows x cols game of a 24-bit picture of 12 x 12 pixels a cell (48 pixels a side
// at least, as the cut wants 45), cut with `templateId`.
inline bool StartGame(cuttest::CutBench& bench, int32_t rows, int32_t cols, uint32_t templateId) {
    AddAllTemplates(bench);
    const int32_t width = std::max(48, 12 * cols), height = std::max(48, 12 * rows);
    if (!bench.Open(cuttest::PictureOf(width, height, 24), 1.0, rows, cols)) return false;
    return Cut(bench.doc, bench.env, 2, 2, templateId, true).ok;
}

// Puts `members` into one group at their solved offsets, the lowest-numbered at (x, y).
inline void MakeGroup(PuzzleDocument& doc, const std::vector<uint32_t>& members, int32_t x, int32_t y) {
    const uint32_t anchor = *std::min_element(members.begin(), members.end());
    const uint32_t label = *std::max_element(members.begin(), members.end()) + 1;
    const auto cols = static_cast<uint32_t>(doc.cols);
    for (uint32_t m : members) {
        Piece& piece = doc.pieces[m];
        piece.group = label;
        piece.notSelected = 1;
        piece.x = x + (static_cast<int32_t>(m % cols) - static_cast<int32_t>(anchor % cols)) * doc.cellWidth;
        piece.y = y + (static_cast<int32_t>(m / cols) - static_cast<int32_t>(anchor / cols)) * doc.cellHeight;
    }
}

// A game in progress: pieces spread over the seven surfaces in a scrambled stacking order;
// groups of the first two pieces (on box 2), of the last two (on the board) and, with four
// rows or more, of the first piece of rows 1 and 2 (on box 5); every third loose piece
// marked; boxes 2 and 5 renamed; an hour, two minutes and some seconds on the clock; a hint.
inline void PlayABit(PuzzleDocument& doc) {
    const auto n = static_cast<uint32_t>(doc.PieceCount());
    const auto cols = static_cast<uint32_t>(doc.cols);
    std::vector<int> surfaceOf(n);
    for (uint32_t p = 0; p < n; ++p) surfaceOf[p] = static_cast<int>((p * 5 + 3) % kSurfaceCount);
    std::vector<std::pair<std::vector<uint32_t>, int>> groups = {{{0, 1}, 1}, {{n - 2, n - 1}, kBoardSurface}};
    if (doc.rows >= 4) groups.push_back({{cols, 2 * cols}, 4});
    for (const auto& group : groups)
        for (uint32_t m : group.first) surfaceOf[m] = group.second;

    OrderBuffer order;
    for (int s = 0; s < kSurfaceCount; ++s) {
        std::vector<uint32_t> stack;
        for (uint32_t p = 0; p < n; ++p)
            if (surfaceOf[p] == s) stack.push_back(p);
        std::stable_sort(stack.begin(), stack.end(),
                         [n](uint32_t a, uint32_t b) { return (a * 7919u) % n < (b * 7919u) % n; });
        doc.surfaces[static_cast<size_t>(s)].count = static_cast<int32_t>(stack.size());
        order.insert(order.end(), stack.begin(), stack.end());
    }
    doc.order = order;
    doc.RestackFromCounts();
    for (uint32_t p = 0; p < n; ++p) {
        Piece& piece = doc.pieces[p];
        piece.group = 0;
        piece.notSelected = p % 3 == 0 ? 0 : 1;
        piece.x = 10 + static_cast<int32_t>((p * 37) % 300);
        piece.y = 5 + static_cast<int32_t>((p * 53) % 200);
    }
    int32_t at = 20;
    for (const auto& group : groups) {
        MakeGroup(doc, group.first, at, at + 7);
        at += 40;
    }
    doc.boxNames[1] = MakeBoxName("Sky corner");
    doc.boxNames[4] = MakeBoxName("Edges and 23 characters");
    doc.ElapsedSeconds = 3723 + n;
    doc.hintsUsed = 1;
    doc.dirty = 1;
}

// Everything of the game in play that a refused load must leave as it was, and that a load
// must bring back as it was saved.
struct GameInPlay {
    explicit GameInPlay(const PuzzleDocument& d)
        : atlas(d.atlas.begin(), d.atlas.end()),
          pieces(reinterpret_cast<const uint8_t*>(d.pieces.data()),
                 reinterpret_cast<const uint8_t*>(d.pieces.data() + d.pieces.size())),
          order(d.order),
          geometry{d.rows,    d.cols,       d.cellWidth,   d.cellHeight, d.marginX,
                   d.marginY, d.pieceWidth, d.pieceHeight, d.atlasWidth, d.atlasHeightMinusOne},
          templateUsed{d.templateRows, d.templateCols, d.templateId},
          status{d.hintsUsed, d.ElapsedSeconds, d.solved, d.dirty, d.ClockArmed},
          scale(d.scale),
          boxNames(d.boxNames),
          picture(d.picture.GetName(nullptr, 0), '\0') {
        d.picture.GetName(picture.data(), picture.size());
        for (const Surface& s : d.surfaces) stacks.emplace_back(s.count, s.stackStart);
    }
    // The first part in which two games differ, "" when they agree.
    std::string DifferenceFrom(const GameInPlay& o) const {
        if (geometry != o.geometry || scale != o.scale) return "grid, scale or piece geometry";
        if (templateUsed != o.templateUsed) return "template";
        if (atlas != o.atlas) return "atlas";
        if (pieces != o.pieces) return "piece records";
        if (order != o.order || stacks != o.stacks) return "stacks";
        if (boxNames != o.boxNames) return "box names";
        if (status != o.status) return "hints, clock, solved or dirty";
        if (picture != o.picture) return "picture";
        return "";
    }
    std::vector<uint8_t> atlas, pieces;
    std::vector<uint32_t> order;
    std::vector<int32_t> geometry;
    std::vector<uint32_t> templateUsed;
    std::vector<uint32_t> status;
    double scale;
    BoxNames boxNames;
    std::string picture;
    std::vector<std::pair<int32_t, int32_t>> stacks;
};

inline std::vector<uint8_t> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline PuzzleFileEnvironment EnvironmentOf(const cuttest::CutBench& bench) {
    PuzzleFileEnvironment env;
    env.cut = bench.env;
    return env;
}

}  // namespace filetest
