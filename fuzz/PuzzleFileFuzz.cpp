// Fuzz target of the puzzle-file parser. The input is a whole file. A file the parser accepts
// must describe a game every rule of the board can run on - counts that add up, an OrderBuffer
// that is a permutation, labels that are their largest member + 1 on one surface - and must
// come out of the serialiser as the same bytes (less those the format leaves undefined), so
// that a saved game reads back as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/PuzzleFileFormat.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "parser broke a promise: %s\n", what);
        std::abort();
    }
}

void CheckAcceptedGame(const SavedGame& game, size_t size) {
    const uint64_t n = static_cast<uint64_t>(game.rows) * static_cast<uint64_t>(game.cols);
    Check(game.rows >= 2 && game.cols >= 2 && game.rows <= kMaxSavedGridSide && game.cols <= kMaxSavedGridSide, "grid");
    Check(size == PuzzleFileBytes(game.rows, game.cols) && game.order.size() == n && game.pieces.size() == n, "size");
    Check(!game.picturePath.empty() && game.picturePath.size() < kPicturePathBytes, "picture path");
    for (const BoxName& name : game.boxNames) Check(name.back() == '\0', "box name terminated");

    std::vector<int> surfaceOf(n, -1);
    uint64_t at = 0;
    for (size_t s = 0; s < game.counts.size(); ++s) {
        Check(game.counts[s] >= 0 && at + static_cast<uint64_t>(game.counts[s]) <= n, "count");
        for (int32_t i = 0; i < game.counts[s]; ++i) {
            const uint32_t piece = game.order[at++];
            Check(piece < n && surfaceOf[piece] < 0, "order is a permutation");
            surfaceOf[piece] = static_cast<int>(s);
        }
    }
    Check(at == n, "counts add up");
    for (uint32_t p = 0; p < n; ++p) {
        const Piece& piece = game.pieces[p];
        Check(piece.notSelected <= 1 && (piece.group == 0 || piece.notSelected == 1), "selection");
        if (piece.group == 0) continue;
        Check(piece.group <= n && p < piece.group && game.pieces[piece.group - 1].group == piece.group, "label");
        Check(surfaceOf[p] == surfaceOf[piece.group - 1], "group on one surface");
    }
}

// The input with the bytes the format leaves undefined set to zero, as the serialiser writes
// them: reserved fields, piece padding and whatever follows a terminator.
std::vector<uint8_t> Canonical(const uint8_t* data, size_t size, const SavedGame& game) {
    std::vector<uint8_t> bytes(data, data + size);
    bytes[27] = 0;
    std::memset(&bytes[452], 0, 4);
    std::memset(&bytes[473], 0, 7);
    std::memset(&bytes[kPicturePathAt + game.picturePath.size()], 0, kPicturePathBytes - game.picturePath.size());
    for (size_t box = 0; box < game.boxNames.size(); ++box) {
        const size_t length = std::strlen(game.boxNames[box].data());
        std::memset(&bytes[kBoxNamesAt + box * kBoxNameBytes + length], 0, kBoxNameBytes - length);
    }
    for (size_t p = 0; p < game.pieces.size(); ++p) {
        std::memset(&bytes[kPuzzleFileBodyStart + 4 * game.pieces.size() + sizeof(Piece) * p + 5], 0, 3);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SavedGame game;
    if (ParsePuzzleFile(data, size, &game) != PuzzleFileProblem::None) return 0;
    CheckAcceptedGame(game, size);
    std::vector<uint8_t> written;
    Check(SerializeSavedGame(game, &written), "an accepted game serialises");
    Check(written == Canonical(data, size, game), "serialised bytes equal the file's");
    return 0;
}
