// Saving and loading the game in play; see PuzzleFile.h.
#include "engine/PuzzleFile.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "engine/BinaryFile.h"
#include "engine/CutGeometry.h"
#include "engine/Hint.h"
#include "engine/PieceReach.h"
#include "engine/PuzzleStats.h"

namespace {

constexpr char kImageFolderName[] = "Image\\";
constexpr size_t kDriveRootChars = 3;  // "D:\"
constexpr size_t kMaxPathChars = kPicturePathBytes - 1;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The temporary file a save writes first: the target's name with its last character replaced,
// in the same folder (so that the final replacement stays on one volume) and no longer than
// the target (so that it fits wherever the target fits).
bool TemporaryPathFor(const char* path, std::string* temporary) {
    if (path == nullptr || path[0] == '\0') return false;
    *temporary = path;
    char& last = temporary->back();
    if (IsSeparator(last)) return false;
    last = last == '~' ? '#' : '~';
    return true;
}

// Writes `bytes` to `temporary`, flushes it and puts it in place of `target`. Whatever fails,
// the temporary file is removed and `target` stays as it was.
SaveOutcome WriteReplacing(const std::vector<uint8_t>& bytes, const std::string& temporary, const char* target) {
    BinaryFile file;
    if (!file.CreateWrite(temporary.c_str())) return SaveOutcome::CannotCreate;
    const bool written = file.WriteAll(bytes.data(), bytes.size()) && file.Flush();
    file.Close();
    if (!written) {
        std::remove(temporary.c_str());
        return SaveOutcome::WriteFailed;
    }
    if (!BinaryFile::Replace(temporary.c_str(), target)) {
        std::remove(temporary.c_str());
        return SaveOutcome::ReplaceFailed;
    }
    return SaveOutcome::Saved;
}

// Reads and checks the file: the header first, then its size against the one the header
// implies, and only then the rest, into a buffer of that checked size.
LoadOutcome ReadPuzzleFile(const char* path, SavedGame* game, PuzzleFileProblem* problem) {
    BinaryFile file;
    if (!file.OpenRead(path, BinaryFile::Share::Shared)) return LoadOutcome::CannotOpen;
    const int64_t size = file.Size();
    uint8_t header[kPuzzleFileHeaderBytes];
    *problem = PuzzleFileProblem::WrongSize;
    if (size < static_cast<int64_t>(sizeof header) || !file.ReadExact(header, sizeof header))
        return LoadOutcome::Damaged;
    uint64_t fileBytes = 0;
    *problem = ParsePuzzleFileHeader(header, game, &fileBytes);
    if (*problem != PuzzleFileProblem::None) return LoadOutcome::Damaged;
    *problem = PuzzleFileProblem::WrongSize;
    if (static_cast<uint64_t>(size) != fileBytes) return LoadOutcome::Damaged;
    std::vector<uint8_t> body(static_cast<size_t>(fileBytes - sizeof header));
    if (!file.ReadExact(body.data(), body.size())) return LoadOutcome::Damaged;
    *problem = ParsePuzzleFileBody(body.data(), body.size(), game);
    return *problem == PuzzleFileProblem::None ? LoadOutcome::Loaded : LoadOutcome::Damaged;
}

// What the windows do once a saved game is in play.
BoardChanges ChangesOfLoad(const SavedGame& game) {
    BoardChanges changes;
    changes.repaintAll = true;
    for (int box = 0; box < kBoxCount; ++box) {
        changes.HideBox(box);
        changes.Notify(
            box, game.counts[static_cast<size_t>(box)] != 0 ? SurfaceNotice::NowHoldsPieces : SurfaceNotice::NowEmpty);
    }
    changes.boxNamesChanged = true;
    changes.restoreClock = true;
    changes.magnifierChanged = true;
    changes.arrowCursor = true;
    return changes;
}

// The new puzzle, cut aside in `cut`, becomes the game in play with the stacks, pieces and
// status of `game`. Only moves and plain copies: nothing here can fail.
void InstallLoadedGame(PuzzleDocument& doc, PuzzleDocument& cut, SavedGame& game) noexcept {
    doc.rows = cut.rows;
    doc.cols = cut.cols;
    doc.scale = cut.scale;
    doc.cellWidth = cut.cellWidth;
    doc.cellHeight = cut.cellHeight;
    doc.marginX = cut.marginX;
    doc.marginY = cut.marginY;
    doc.pieceWidth = cut.pieceWidth;
    doc.pieceHeight = cut.pieceHeight;
    doc.templateRows = cut.templateRows;
    doc.templateCols = cut.templateCols;
    doc.templateId = cut.templateId;
    doc.atlas = std::move(cut.atlas);
    doc.atlasWidth = cut.atlasWidth;
    doc.atlasHeightMinusOne = cut.atlasHeightMinusOne;
    doc.paintScratch = std::move(cut.paintScratch);
    // The painter finds where pieces show through their shapes: the old game's would paint a
    // loaded game of the same piece size with the old game's outlines.
    doc.shapes = std::move(cut.shapes);
    doc.picture = std::move(cut.picture);

    doc.pieces = std::move(game.pieces);
    doc.order = std::move(game.order);
    for (size_t s = 0; s < doc.surfaces.size(); ++s) doc.surfaces[s].count = game.counts[s];
    doc.RestackFromCounts();
    doc.boxNames = game.boxNames;
    doc.hintsUsed = game.hintsUsed;
    doc.ElapsedSeconds = game.elapsedSeconds;
    doc.solved = game.solved;
    doc.dirty = 0;
}

}  // namespace

SaveOutcome DescribeGameInPlay(const PuzzleDocument& doc, std::string_view mediaRoot, SavedGame* game) {
    if (!HasPuzzle(doc) || !doc.picture.IsOpen() || !doc.StacksAreConsistent() ||
        static_cast<int64_t>(doc.rows) * doc.cols != doc.PieceCount())
        return SaveOutcome::NoPuzzle;
    const size_t nameBytes = doc.picture.GetName(nullptr, 0);
    if (nameBytes > kPicturePathBytes) return SaveOutcome::PicturePathTooLong;
    std::string picturePath(nameBytes, '\0');
    doc.picture.GetName(picturePath.data(), picturePath.size());
    picturePath.pop_back();  // the terminator

    *game = SavedGame{};
    const std::string imageFolder = std::string(mediaRoot) + kImageFolderName;
    game->inImageFolder =
        mediaRoot.size() == kDriveRootChars && picturePath.compare(0, imageFolder.size(), imageFolder) == 0;
    game->templateRows = doc.templateRows;
    game->templateCols = doc.templateCols;
    game->templateId = doc.templateId;
    game->picturePath = std::move(picturePath);
    game->boxNames = doc.boxNames;
    game->rows = doc.rows;
    game->cols = doc.cols;
    game->scale = doc.scale;
    game->hintsUsed = doc.hintsUsed;
    game->elapsedSeconds = doc.ElapsedSeconds;
    game->solved = doc.solved;
    for (size_t s = 0; s < doc.surfaces.size(); ++s) game->counts[s] = doc.surfaces[s].count;
    game->order = doc.order;
    game->pieces = doc.pieces;
    return SaveOutcome::Saved;
}

SaveOutcome SaveGame(PuzzleDocument& doc, const char* path, std::string_view mediaRoot) {
    try {
        SavedGame game;
        const SaveOutcome described = DescribeGameInPlay(doc, mediaRoot, &game);
        if (described != SaveOutcome::Saved) return described;
        std::vector<uint8_t> bytes;
        if (!SerializeSavedGame(game, &bytes)) return SaveOutcome::UnloadableGame;
        // A file the loader would refuse is worse than none: the player would believe the
        // game kept. The check costs one pass over the pieces.
        SavedGame reread;
        if (ParsePuzzleFile(bytes.data(), bytes.size(), &reread) != PuzzleFileProblem::None)
            return SaveOutcome::UnloadableGame;
        std::string temporary;
        if (!TemporaryPathFor(path, &temporary)) return SaveOutcome::BadPath;
        const SaveOutcome outcome = WriteReplacing(bytes, temporary, path);
        if (outcome == SaveOutcome::Saved) doc.dirty = 0;
        return outcome;
    } catch (const std::bad_alloc&) {
        return SaveOutcome::OutOfMemory;
    }
}

bool ResolvePicturePath(const SavedGame& game,
                        std::string_view mediaRoot,
                        std::string_view gameFolder,
                        std::string* path) {
    if (!game.inImageFolder) {
        *path = game.picturePath;
    } else if (!mediaRoot.empty()) {
        // The same folder on the media's present drive letter.
        *path = game.picturePath;
        (*path)[0] = mediaRoot[0];
    } else {
        // The parser made sure the stored path begins with a drive root.
        *path = std::string(gameFolder) + game.picturePath.substr(kDriveRootChars);
    }
    return !path->empty() && path->size() <= kMaxPathChars;
}

LoadGameResult ApplySavedGame(PuzzleDocument& doc, SavedGame game, const PuzzleFileEnvironment& env) {
    LoadGameResult result;
    try {
        std::string picturePath;
        PuzzleDocument cut;
        if (!ResolvePicturePath(game, env.mediaRoot, env.gameFolder, &picturePath) ||
            !cut.picture.Open(picturePath.c_str())) {
            result.outcome = LoadOutcome::PictureMissing;
            return result;
        }
        const PictureSize size = cut.picture.GetSize();
        CutGeometry geometry;
        if (ComputeCutGeometry(size.width, std::abs(size.height), game.scale, game.rows, game.cols, &geometry) !=
                GeometryCheck::Ok ||
            geometry.atlasBytes > kMaxLoadedAtlasBytes) {
            result.outcome = LoadOutcome::PictureUnusable;
            return result;
        }
        cut.scale = game.scale;
        cut.rows = game.rows;
        cut.cols = game.cols;
        const CutResult cutResult = Cut(cut, env.cut, static_cast<int32_t>(game.templateRows),
                                        static_cast<int32_t>(game.templateCols), game.templateId, false);
        if (!cutResult.ok) {
            // What the failed cut did concerns the puzzle cut aside, not the game in play;
            // only the wait cursor it showed must go.
            result.outcome = LoadOutcome::CutFailed;
            result.changes.arrowCursor = true;
            return result;
        }
        BoardChanges changes = ChangesOfLoad(game);
        InstallLoadedGame(doc, cut, game);
        // A game saved on a larger screen may have pieces beyond this screen's board.
        BringPiecesWithinReach(doc);
        result.outcome = LoadOutcome::Loaded;
        result.hintsAllowed = HintsAllowed(doc.hintsUsed, doc.PieceCount());
        result.changes = std::move(changes);
    } catch (const std::bad_alloc&) {
        result = LoadGameResult{};
        result.outcome = LoadOutcome::OutOfMemory;
        result.changes.arrowCursor = true;
    }
    return result;
}

LoadGameResult LoadGame(PuzzleDocument& doc, const char* path, const PuzzleFileEnvironment& env) {
    LoadGameResult result;
    try {
        SavedGame game;
        result.outcome = ReadPuzzleFile(path, &game, &result.problem);
        if (result.outcome != LoadOutcome::Loaded) return result;
        return ApplySavedGame(doc, std::move(game), env);
    } catch (const std::bad_alloc&) {
        result.outcome = LoadOutcome::OutOfMemory;
        return result;
    }
}
