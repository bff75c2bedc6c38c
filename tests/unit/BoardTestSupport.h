// Test helpers for the board rules: a puzzle built without the cutter (every piece image is
// its cell, plus a square tab on the right for all but the last column, so the corners of
// each image are transparent), a recorder of what the rules ask the window side to do, a
// plain painter to compare back buffers with, and the invariants of the model.
//
// The plain painter works out the bevel its own way, on the board: a pixel of piece P counts
// the three pixels up and left of it along the diagonal that no piece of P's group (P itself
// when loose) covers with an inside pixel, less the three down and right; the level's colour
// comes from the engine's ShadeChannel.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/BoardChanges.h"
#include "engine/DropRules.h"
#include "engine/Hint.h"
#include "engine/JoinRules.h"
#include "engine/PackedDib.h"
#include "engine/PieceAreas.h"
#include "engine/PieceBevel.h"
#include "engine/PuzzleDocument.h"
#include "engine/SurfacePainter.h"

namespace boardtest {

constexpr int32_t kTabSize = 4;  // side of the square tab, pixels

// Colour of pixel (u, v) of a piece: distinct per piece and per pixel, never all zero.
inline void AtlasColour(uint32_t piece, int32_t u, int32_t v, uint8_t* bgr) {
    bgr[0] = static_cast<uint8_t>(piece * 37 + 1);
    bgr[1] = static_cast<uint8_t>(u * 5 + 3);
    bgr[2] = static_cast<uint8_t>(v * 7 + 11);
}

// Is local (u, v) inside piece `piece`'s image?
inline bool InsideShape(const PuzzleDocument& doc, uint32_t piece, int32_t u, int32_t v) {
    const int32_t cellLeft = doc.marginX, cellTop = doc.marginY;
    const int32_t cellRight = cellLeft + doc.cellWidth, cellBottom = cellTop + doc.cellHeight;
    if (u >= cellLeft && u < cellRight && v >= cellTop && v < cellBottom) return true;
    const bool lastColumn = static_cast<int32_t>(piece % static_cast<uint32_t>(doc.cols)) == doc.cols - 1;
    const int32_t middle = cellTop + doc.cellHeight / 2;
    return !lastColumn && u >= cellRight && u < cellRight + kTabSize && v >= middle - kTabSize / 2 &&
           v < middle + kTabSize / 2;
}

// A cut-like puzzle of rows x cols cells; every piece loose and ordinary on the board in
// number order, at (0, 0). Surfaces get client sizes and back buffers: the board
// boardWidth x boardHeight, each box boxSize x boxSize.
inline void MakePuzzle(PuzzleDocument& doc,
                       int32_t rows,
                       int32_t cols,
                       int32_t cellWidth,
                       int32_t cellHeight,
                       int32_t boardWidth = 400,
                       int32_t boardHeight = 300,
                       int32_t boxSize = 120) {
    doc.rows = rows;
    doc.cols = cols;
    doc.cellWidth = cellWidth;
    doc.cellHeight = cellHeight;
    doc.marginX = static_cast<int32_t>(cellWidth * 0.33);
    doc.marginY = static_cast<int32_t>(cellHeight * 0.33);
    doc.pieceWidth = cellWidth + 2 * doc.marginX;
    doc.pieceHeight = cellHeight + 2 * doc.marginY;
    doc.atlasWidth = doc.pieceWidth * cols;
    const int32_t atlasHeight = doc.pieceHeight * rows;
    doc.atlasHeightMinusOne = atlasHeight - 1;
    ASSERT_TRUE(doc.AllocateArrays(rows * cols, static_cast<size_t>(doc.atlasWidth) * atlasHeight * 4));
    for (uint32_t piece = 0; piece < static_cast<uint32_t>(rows * cols); ++piece) {
        for (int32_t v = 0; v < doc.pieceHeight; ++v) {
            for (int32_t u = 0; u < doc.pieceWidth; ++u) {
                uint8_t* pixel = const_cast<uint8_t*>(AtlasPixel(doc, piece, u, v));
                if (InsideShape(doc, piece, u, v)) {
                    AtlasColour(piece, u, v, pixel);
                    pixel[3] = 1;
                }
            }
        }
    }
    doc.PutAllPiecesOnBoard();
    for (int s = 0; s < kSurfaceCount; ++s) {
        const bool board = s == kBoardSurface;
        ASSERT_TRUE(AllocateBackBuffer(doc.surfaces[static_cast<size_t>(s)], board ? boardWidth : boxSize,
                                       board ? boardHeight : boxSize));
    }
    doc.solved = 0;
    doc.ClockArmed = 1;
}

// A 50 x 50 8-bit texture whose palette entry i is (i, 255 - i, 7) and whose pixel at
// (x, stored row r) is (x + 3r) mod 256.
inline std::vector<uint8_t> MakeTexture() {
    constexpr int32_t kSide = 50;
    const int32_t rowBytes = DibRowBytes(kSide, 8);
    std::vector<uint8_t> block(kDibPixelOffset + static_cast<size_t>(rowBytes) * kSide, 0);
    auto* dib = reinterpret_cast<PackedDib*>(block.data());
    dib->header.biSize = kDibHeaderSize;
    dib->header.biWidth = kSide;
    dib->header.biHeight = kSide;
    dib->header.biPlanes = 1;
    dib->header.biBitCount = 8;
    dib->header.biSizeImage = static_cast<uint32_t>(rowBytes * kSide);
    for (int i = 0; i < 256; ++i)
        dib->palette[i] = RgbQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0};
    for (int r = 0; r < kSide; ++r)
        for (int x = 0; x < kSide; ++x) dib->Pixels()[r * rowBytes + x] = static_cast<uint8_t>((x + 3 * r) % 256);
    return block;
}

inline const PackedDib* AsDib(const std::vector<uint8_t>& block) {
    return reinterpret_cast<const PackedDib*>(block.data());
}

// Blue, green, red of back-buffer pixel (x, y) of a surface, y counted from the top.
inline uint32_t BufferPixel(const Surface& s, int32_t x, int32_t y) {
    const int32_t rowBytes = DibRowBytes(s.clientWidth, 24);
    const uint8_t* p = s.backBuffer.data() + static_cast<size_t>(s.clientHeight - 1 - y) * rowBytes + x * 3;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

// Does an inside pixel of `piece` or of a piece of its group on the surface lie at (x, y)?
inline bool GroupCovers(const PuzzleDocument& doc, int surface, uint32_t piece, int32_t x, int32_t y) {
    const Piece& own = doc.pieces[piece];
    const int32_t ownU = x - own.x, ownV = y - own.y;
    if (ownU >= 0 && ownV >= 0 && ownU < doc.pieceWidth && ownV < doc.pieceHeight &&
        AtlasPixel(doc, piece, ownU, ownV)[3] != 0)
        return true;
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    const uint32_t* stack = doc.order.data() + s.stackStart;
    const uint32_t group = doc.pieces[piece].group;
    for (int32_t i = 0; i < s.count; ++i) {
        const uint32_t other = stack[i];
        if (other != piece && (group == 0 || doc.pieces[other].group != group)) continue;
        const Piece& p = doc.pieces[other];
        const int32_t u = x - p.x, v = y - p.y;
        if (u >= 0 && v >= 0 && u < doc.pieceWidth && v < doc.pieceHeight && AtlasPixel(doc, other, u, v)[3] != 0)
            return true;
    }
    return false;
}

// The bevel level of a pixel of `piece` at (x, y) on the board (0 in a finished puzzle).
inline int32_t BevelLevelAt(const PuzzleDocument& doc, int surface, uint32_t piece, int32_t x, int32_t y) {
    if (doc.solved != 0) return 0;
    int32_t level = 0;
    for (int32_t k = 1; k <= kBevelDepth; ++k) {
        level += GroupCovers(doc, surface, piece, x - k, y - k) ? 0 : 1;
        level -= GroupCovers(doc, surface, piece, x + k, y + k) ? 0 : 1;
    }
    return level;
}

// What a pixel of a surface should show, found the plain way: the first piece from the top
// of the stack whose image has an inside pixel there, bevelled and hatched if marked, else
// the texture.
inline uint32_t ExpectedPixel(const PuzzleDocument& doc,
                              int surface,
                              int32_t x,
                              int32_t y,
                              const PackedDib* texture,
                              bool skipTop = false) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    const uint32_t* stack = doc.order.data() + s.stackStart;
    for (int32_t i = skipTop ? 1 : 0; i < s.count; ++i) {
        const Piece& p = doc.pieces[stack[i]];
        const int32_t u = x - p.x, v = y - p.y;
        if (u < 0 || v < 0 || u >= doc.pieceWidth || v >= doc.pieceHeight) continue;
        const uint8_t* a = AtlasPixel(doc, stack[i], u, v);
        if (a[3] == 0) continue;
        const int32_t level = BevelLevelAt(doc, surface, stack[i], x, y);
        uint8_t bgr[3] = {ShadeChannel(a[0], level), ShadeChannel(a[1], level), ShadeChannel(a[2], level)};
        if (p.notSelected == 0 && v % 2 == 0 && u % 3 == 0)
            for (uint8_t& c : bgr) c = static_cast<uint8_t>(255 - c);
        return (uint32_t(bgr[2]) << 16) | (uint32_t(bgr[1]) << 8) | bgr[0];
    }
    if (texture == nullptr) return 0;
    const int32_t rowBytes = DibRowBytes(texture->header.biWidth, 8);
    const uint8_t index = texture->Pixels()[(y % 50) * rowBytes + (x % 50)];
    const RgbQuad& c = texture->palette[index];
    return (uint32_t(c.rgbRed) << 16) | (uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
}

// The first pixel where the surface's back buffer differs from what the model says, as
// "x,y", or "" when all agree.
inline std::string FirstWrongPixel(const PuzzleDocument& doc, int surface, const PackedDib* texture) {
    const Surface& s = doc.surfaces[static_cast<size_t>(surface)];
    for (int32_t y = 0; y < s.clientHeight; ++y)
        for (int32_t x = 0; x < s.clientWidth; ++x)
            if (BufferPixel(s, x, y) != ExpectedPixel(doc, surface, x, y, texture))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// What the rules' changes asked the window side to do, gathered change list by change list;
// with a texture, the areas to repaint are really painted, as the window side would.
struct Recorder {
    struct Paint {
        int surface;
        Rect area;
        bool invalidate;
        bool skipTop;
    };
    std::vector<Paint> paints;
    std::vector<std::pair<int, SurfaceNotice>> notices;
    std::vector<int> hidden;
    int sounds = 0;
    int completions = 0;
    int clockStops = 0;
    int updates = 0;
    PuzzleDocument* doc = nullptr;
    const PackedDib* texture = nullptr;

    void Attach(PuzzleDocument& document, const PackedDib* paintWith = nullptr) {
        doc = &document;
        texture = paintWith;
    }
    void Take(const BoardChanges& changes) {
        for (const AreaToRepaint& r : changes.repaints) {
            paints.push_back(Paint{r.surface, r.area, r.invalidate, r.skipTop});
            if (texture != nullptr && doc != nullptr) PaintSurfaceRegion(*doc, r.surface, r.area, r.skipTop, texture);
        }
        if (changes.repaintAll && doc != nullptr)
            for (int s = 0; s < kSurfaceCount; ++s) {
                paints.push_back(Paint{s, SurfaceRect(*doc, s), true, false});
                if (texture != nullptr) PaintSurfaceRegion(*doc, s, SurfaceRect(*doc, s), false, texture);
            }
        for (const SurfaceNoticeEvent& n : changes.notices) notices.emplace_back(n.surface, n.notice);
        for (int box = 0; box < kBoxCount; ++box)
            if ((changes.boxesToHide & (1u << box)) != 0) hidden.push_back(box);
        sounds += changes.joinSound ? 1 : 0;
        completions += changes.completed ? 1 : 0;
        clockStops += changes.stopClock ? 1 : 0;
        updates += changes.updateBoard ? 1 : 0;
    }
    // The rules' results, recorded and handed back as the tests read them.
    PickUpResult Take(PickUpResult result) {
        Take(result.changes);
        return result;
    }
    DropOutcome Take(const DropResult& result) {
        Take(result.changes);
        return result.outcome;
    }
    bool Take(const HintResult& result) {
        Take(result.changes);
        return result.moreAllowed;
    }
    JoinOutcome JoinPieces(PuzzleDocument& d, int destination, int source, uint32_t piece, Point position) {
        BoardChanges changes;
        const JoinOutcome outcome = ::JoinPieces(d, destination, source, piece, position, changes);
        Take(changes);
        return outcome;
    }
    bool MoveTopEntries(PuzzleDocument& d, int from, int to, int32_t count) {
        BoardChanges changes;
        const bool moved = d.MoveTopEntries(from, to, count, changes);
        Take(changes);
        return moved;
    }
    void Clear() {
        PuzzleDocument* d = doc;
        const PackedDib* t = texture;
        *this = Recorder{};
        Attach(*d, t);
    }
    bool Painted(int surface, const Rect& area, bool invalidate) const {
        return std::any_of(paints.begin(), paints.end(), [&](const Paint& p) {
            return p.surface == surface && p.area == area && p.invalidate == invalidate;
        });
    }
};

// The window side's calls a change list stands for, in one fixed order, as
// "notify<surface>=<code>;repaint;clock-zero;stop-clock;magnifier;arrow;" (only those set).
inline std::string Describe(const BoardChanges& changes) {
    std::string calls;
    for (const SurfaceNoticeEvent& n : changes.notices)
        calls += "notify" + std::to_string(n.surface) + "=" + std::to_string(static_cast<int>(n.notice)) + ";";
    if (changes.repaintAll) calls += "repaint;";
    if (changes.clockAtZero) calls += "clock-zero;";
    if (changes.stopClock) calls += "stop-clock;";
    if (changes.magnifierChanged) calls += "magnifier;";
    if (changes.arrowCursor) calls += "arrow;";
    return calls;
}

// Puts `piece` at (x, y) on the board without any rule.
inline void Place(PuzzleDocument& doc, uint32_t piece, int32_t x, int32_t y) {
    doc.pieces[piece].x = x;
    doc.pieces[piece].y = y;
}

// The stack of a surface, top first.
inline std::vector<uint32_t> StackOf(PuzzleDocument& doc, int surface) {
    const uint32_t* stack = doc.Stack(surface);
    return std::vector<uint32_t>(stack, stack + doc.surfaces[static_cast<size_t>(surface)].count);
}

// Makes `order` the board's stack (top first); the boxes stay empty.
inline void SetBoardStack(PuzzleDocument& doc, const std::vector<uint32_t>& order) {
    ASSERT_EQ(order.size(), doc.order.size());
    doc.order = order;
}

// The model's invariants, as one failure message per broken rule ("" when all hold).
inline std::string BrokenInvariant(const PuzzleDocument& doc) {
    if (!doc.StacksAreConsistent()) return "stacks: counts, starts or the OrderBuffer permutation";
    const auto n = static_cast<uint32_t>(doc.PieceCount());
    std::vector<int> surfaceOf(n, -1);
    for (int s = 0; s < kSurfaceCount; ++s) {
        const Surface& surface = doc.surfaces[static_cast<size_t>(s)];
        for (int32_t i = 0; i < surface.count; ++i)
            surfaceOf[doc.order[static_cast<size_t>(surface.stackStart + i)]] = s;
    }
    // Per label: members, largest member, surfaces and solved offsets.
    std::vector<uint32_t> largest(n + 1, 0);
    std::vector<int> anyMember(n + 1, -1);
    for (uint32_t p = 0; p < n; ++p) {
        const Piece& piece = doc.pieces[p];
        if (piece.group > n)
            return "piece " + std::to_string(p) + " carries label " + std::to_string(piece.group) + " above N";
        if (piece.group == 0) continue;
        if (piece.notSelected == 0) return "grouped piece " + std::to_string(p) + " is marked";
        largest[piece.group] = std::max(largest[piece.group], p);
        const int first = anyMember[piece.group];
        if (first < 0) {
            anyMember[piece.group] = static_cast<int>(p);
            continue;
        }
        const auto a = static_cast<int32_t>(p), b = first;
        const Piece& other = doc.pieces[static_cast<size_t>(b)];
        if (surfaceOf[p] != surfaceOf[static_cast<size_t>(b)])
            return "group " + std::to_string(piece.group) + " spans two surfaces";
        const int32_t dx = (a % doc.cols - b % doc.cols) * doc.cellWidth;
        const int32_t dy = (a / doc.cols - b / doc.cols) * doc.cellHeight;
        if (piece.x - other.x != dx || piece.y - other.y != dy)
            return "group " + std::to_string(piece.group) + ": pieces " + std::to_string(a) + " and " +
                   std::to_string(b) + " left their solved offsets";
    }
    for (uint32_t label = 1; label <= n; ++label)
        if (anyMember[label] >= 0 && largest[label] + 1 != label)
            return "group " + std::to_string(label) + " has largest member " + std::to_string(largest[label]);
    return "";
}

}  // namespace boardtest
