// PieceBevel: the narrow bevel that makes a piece read as a piece. Where a piece's edge meets
// anything that is not joined to it (the board, a box, a loose neighbour), its pixels within
// kBevelDepth of the edge are blended towards white where the edge faces the upper left and
// towards black where it faces the lower right; where two pieces are joined nothing is drawn,
// so a group looks like one cut-out. The picture in the atlas stays untouched: the bevel is
// worked out while painting, from the pieces' shapes (PieceShapes.h) and their groups.
//
// A pixel's level counts how many of the three pixels up and left of it along the diagonal
// (at 1, 2 and 3 pixels) lie outside its group, less how many of the three down and right do:
// +3 on the pixels that face the light right at the edge, fading to 0 three pixels in; -3 to 0
// on the shaded side. A finished puzzle has no free edges of pieces left to show: it is drawn
// as the picture itself.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/PieceShapes.h"

struct PuzzleDocument;

constexpr int32_t kBevelDepth = 3;
constexpr int32_t kBevelLevels = 2 * kBevelDepth + 1;  // -3 .. 3

// A colour channel at bevel level `level` (-kBevelDepth .. kBevelDepth): level 0 keeps it,
// higher levels blend it further towards 255, lower ones towards 0.
uint8_t ShadeChannel(uint8_t value, int32_t level);
// The 256 values of ShadeChannel at one level, for painting loops.
const uint8_t* ShadeTable(int32_t level);

// For 64 pixels of a piece row: light[k] has the bits of the pixels whose diagonal neighbour
// k + 1 pixels up and left lies outside the group, dark[k] those whose neighbour k + 1
// pixels down and right does.
struct BevelBits {
    uint64_t light[kBevelDepth] = {};
    uint64_t dark[kBevelDepth] = {};

    // The pixels with a level other than 0 are among these.
    uint64_t Any() const {
        uint64_t any = 0;
        for (int32_t k = 0; k < kBevelDepth; ++k) any |= light[k] | dark[k];
        return any;
    }
    // The level of pixel `bit`.
    int32_t Level(int32_t bit) const {
        int32_t level = 0;
        for (int32_t k = 0; k < kBevelDepth; ++k)
            level += static_cast<int32_t>((light[k] >> bit) & 1u) - static_cast<int32_t>((dark[k] >> bit) & 1u);
        return level;
    }
};

// The pixels of a piece's group around the piece, in the piece's own coordinates: the piece
// itself and those of its eight grid neighbours that are joined to it (members further away
// never come within kBevelDepth of it). Built for one piece at a time while painting.
class PieceOutline {
public:
    // A piece as it lies in its group, or alone (`asLoose`: a lifted piece shows all its edges).
    PieceOutline(const PuzzleDocument& doc, uint32_t piece, bool asLoose);

    // Whether the piece shows a bevel at all (not in a finished puzzle).
    bool Bevelled() const { return bevelled_; }
    // Bits [start, start + 64) of row v of the group's pixels (v and start may lie outside the
    // piece's image).
    uint64_t GroupWindow(int32_t v, int32_t start) const {
        uint64_t bits = 0;
        for (int m = 0; m < memberCount_; ++m) {
            const Member& member = members_[m];
            const int32_t row = v - member.dy;
            if (row < 0 || row >= height_) continue;
            bits |= ShapeWindow(member.rows + static_cast<ptrdiff_t>(row) * words_, words_, start - member.dx);
        }
        return bits;
    }
    // The bevel of the 64 pixels of row v from column start on.
    BevelBits Bevel(int32_t v, int32_t start) const {
        BevelBits bevel;
        if (!bevelled_) return bevel;
        for (int32_t k = 1; k <= kBevelDepth; ++k) {
            bevel.light[k - 1] = ~GroupWindow(v - k, start - k);
            bevel.dark[k - 1] = ~GroupWindow(v + k, start + k);
        }
        return bevel;
    }

private:
    struct Member {
        const uint64_t* rows;  // the member's shape, row 0
        int32_t dx;            // its image's offset from the piece's
        int32_t dy;
    };
    static constexpr int kMaxMembers = 9;
    Member members_[kMaxMembers];  // the first memberCount_ are set
    int memberCount_ = 0;
    int32_t height_ = 0;
    int32_t words_ = 0;
    bool bevelled_ = false;
};
