// The validating parser of the puzzle file; see PuzzleFileFormat.h.
#include <cmath>
#include <cstring>

#include "engine/CutTemplate.h"
#include "engine/LittleEndian.h"
#include "engine/PuzzleFileFormat.h"

namespace {

// Length of the zero-terminated text in a field, or the field's size when no zero ends it.
size_t TextLength(const uint8_t* field, size_t fieldBytes) {
    const void* zero = std::memchr(field, 0, fieldBytes);
    return zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field) : fieldBytes;
}

// A path that begins with a drive root: a letter, a colon and a backslash.
bool StartsWithDriveRoot(const std::string& path) {
    return path.size() > 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
           path[1] == ':' && path[2] == '\\';
}

PuzzleFileProblem CheckTexts(const uint8_t* header, SavedGame* game) {
    if (std::memcmp(header + kMagicAt, kPuzzleFileMagic, sizeof kPuzzleFileMagic) != 0)
        return PuzzleFileProblem::WrongMagic;
    const size_t pathLength = TextLength(header + kPicturePathAt, kPicturePathBytes);
    if (pathLength == 0 || pathLength == kPicturePathBytes) return PuzzleFileProblem::BadPicturePath;
    for (size_t box = 0; box < game->boxNames.size(); ++box) {
        const uint8_t* field = header + kBoxNamesAt + box * kBoxNameBytes;
        if (TextLength(field, kBoxNameBytes) == kBoxNameBytes) return PuzzleFileProblem::BadBoxName;
        std::memcpy(game->boxNames[box].data(), field, kBoxNameBytes);
        // What follows the terminator is not the name's: it is left out.
        const size_t length = TextLength(field, kBoxNameBytes);
        std::memset(game->boxNames[box].data() + length, 0, kBoxNameBytes - length);
    }
    game->picturePath.assign(reinterpret_cast<const char*>(header + kPicturePathAt), pathLength);
    const uint8_t flag = header[kImageFolderFlagAt];
    if (flag > 1 || (flag == 1 && !StartsWithDriveRoot(game->picturePath))) return PuzzleFileProblem::BadImageFolder;
    game->inImageFolder = flag == 1;
    return PuzzleFileProblem::None;
}

// Surface of every piece, from the counts and the OrderBuffer (already checked).
std::vector<uint8_t> SurfaceOfEachPiece(const SavedGame& game) {
    std::vector<uint8_t> surfaceOf(game.order.size(), 0);
    size_t at = 0;
    for (size_t s = 0; s < game.counts.size(); ++s) {
        for (int32_t i = 0; i < game.counts[s]; ++i) surfaceOf[game.order[at++]] = static_cast<uint8_t>(s);
    }
    return surfaceOf;
}

PuzzleFileProblem CheckCountsAndOrder(const SavedGame& game) {
    int64_t total = 0;
    for (int32_t count : game.counts) {
        if (count < 0) return PuzzleFileProblem::BadCounts;
        total += count;
    }
    if (total != static_cast<int64_t>(game.order.size())) return PuzzleFileProblem::BadCounts;
    std::vector<bool> seen(game.order.size(), false);
    for (uint32_t piece : game.order) {
        if (piece >= seen.size() || seen[piece]) return PuzzleFileProblem::BadOrder;
        seen[piece] = true;
    }
    return PuzzleFileProblem::None;
}

PuzzleFileProblem CheckPieces(const SavedGame& game) {
    const auto pieceCount = static_cast<uint32_t>(game.pieces.size());
    const std::vector<uint8_t> surfaceOf = SurfaceOfEachPiece(game);
    for (uint32_t n = 0; n < pieceCount; ++n) {
        const Piece& piece = game.pieces[n];
        if (piece.x < -kMaxPieceCoordinate || piece.x > kMaxPieceCoordinate || piece.y < -kMaxPieceCoordinate ||
            piece.y > kMaxPieceCoordinate)
            return PuzzleFileProblem::BadCoordinate;
        if (piece.notSelected > 1 || (piece.group != 0 && piece.notSelected == 0))
            return PuzzleFileProblem::BadSelection;
        if (piece.group == 0) continue;
        // A label is its largest member + 1: the member numbered label - 1 carries it, no
        // member lies above it, and every member lies on that member's surface.
        const uint32_t label = piece.group;
        if (label > pieceCount || n >= label) return PuzzleFileProblem::BadGroup;
        if (game.pieces[label - 1].group != label || surfaceOf[n] != surfaceOf[label - 1])
            return PuzzleFileProblem::BadGroup;
    }
    return PuzzleFileProblem::None;
}

PuzzleFileProblem CheckSolved(const SavedGame& game) {
    if (game.solved == 0) return PuzzleFileProblem::None;
    const auto pieceCount = static_cast<uint32_t>(game.pieces.size());
    if (game.counts[kBoardSurface] != static_cast<int32_t>(pieceCount)) return PuzzleFileProblem::SolvedButNotWhole;
    for (const Piece& piece : game.pieces) {
        if (piece.group != pieceCount) return PuzzleFileProblem::SolvedButNotWhole;
    }
    return PuzzleFileProblem::None;
}

}  // namespace

PuzzleFileProblem ParsePuzzleFileHeader(const uint8_t* header, SavedGame* game, uint64_t* fileBytes) {
    *game = SavedGame{};
    *fileBytes = 0;
    if (const PuzzleFileProblem problem = CheckTexts(header, game); problem != PuzzleFileProblem::None) return problem;

    game->templateRows = LoadLittle32(header + kTemplateRowsAt);
    game->templateCols = LoadLittle32(header + kTemplateColsAt);
    game->templateId = LoadLittle32(header + kTemplateIdAt);
    constexpr auto kLargestTemplate = static_cast<uint32_t>(kMaxTemplateGrid);
    if (game->templateRows < 1 || game->templateRows > kLargestTemplate || game->templateCols < 1 ||
        game->templateCols > kLargestTemplate)
        return PuzzleFileProblem::BadTemplate;

    const uint32_t rows = LoadLittle32(header + kRowsAt);
    const uint32_t cols = LoadLittle32(header + kColsAt);
    constexpr auto kLargestSide = static_cast<uint32_t>(kMaxSavedGridSide);
    if (rows < 2 || cols < 2 || rows > kLargestSide || cols > kLargestSide) return PuzzleFileProblem::BadGrid;
    game->rows = static_cast<int32_t>(rows);
    game->cols = static_cast<int32_t>(cols);

    game->scale = LoadLittleDouble(header + kScaleAt);
    if (!std::isfinite(game->scale) || game->scale <= 0.0) return PuzzleFileProblem::BadScale;

    game->hintsUsed = LoadLittle32(header + kHintsUsedAt);
    if (static_cast<uint64_t>(game->hintsUsed) > static_cast<uint64_t>(rows) * cols)
        return PuzzleFileProblem::BadHintCount;
    game->elapsedSeconds = LoadLittle32(header + kElapsedSecondsAt);
    game->solved = header[kSolvedAt];
    if (game->solved > 1) return PuzzleFileProblem::BadSolvedFlag;

    *fileBytes = PuzzleFileBytes(rows, cols);
    return PuzzleFileProblem::None;
}

PuzzleFileProblem ParsePuzzleFileBody(const uint8_t* body, size_t size, SavedGame* game) {
    const uint64_t pieceCount = static_cast<uint64_t>(game->rows) * static_cast<uint64_t>(game->cols);
    if (game->rows < 2 || game->cols < 2 || size != PuzzleFileBytes(game->rows, game->cols) - kPuzzleFileHeaderBytes)
        return PuzzleFileProblem::WrongSize;

    const uint8_t* at = body;
    for (int32_t& count : game->counts) {
        count = static_cast<int32_t>(LoadLittle32(at));
        at += 4;
    }
    game->order.resize(static_cast<size_t>(pieceCount));
    for (uint32_t& piece : game->order) {
        piece = LoadLittle32(at);
        at += 4;
    }
    game->pieces.resize(static_cast<size_t>(pieceCount));
    for (Piece& piece : game->pieces) {
        piece = Piece{};  // the padding bytes are not the file's to set
        piece.group = LoadLittle32(at);
        piece.notSelected = at[4];
        piece.x = static_cast<int32_t>(LoadLittle32(at + 8));
        piece.y = static_cast<int32_t>(LoadLittle32(at + 12));
        at += sizeof(Piece);
    }

    if (const PuzzleFileProblem problem = CheckCountsAndOrder(*game); problem != PuzzleFileProblem::None)
        return problem;
    if (const PuzzleFileProblem problem = CheckPieces(*game); problem != PuzzleFileProblem::None) return problem;
    return CheckSolved(*game);
}

PuzzleFileProblem ParsePuzzleFile(const uint8_t* data, size_t size, SavedGame* game) {
    if (size < kPuzzleFileHeaderBytes) {
        *game = SavedGame{};
        return PuzzleFileProblem::WrongSize;
    }
    uint64_t fileBytes = 0;
    if (const PuzzleFileProblem problem = ParsePuzzleFileHeader(data, game, &fileBytes);
        problem != PuzzleFileProblem::None)
        return problem;
    if (size != fileBytes) return PuzzleFileProblem::WrongSize;
    return ParsePuzzleFileBody(data + kPuzzleFileHeaderBytes, size - kPuzzleFileHeaderBytes, game);
}
