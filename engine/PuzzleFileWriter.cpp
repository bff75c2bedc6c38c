// The serialiser of the puzzle file; see PuzzleFileFormat.h.
#include <cstring>

#include "engine/LittleEndian.h"
#include "engine/PuzzleFileFormat.h"

uint64_t PuzzleFileBytes(int64_t rows, int64_t cols) {
    return kPuzzleFileBodyStart + kPuzzleFileBytesPerPiece * static_cast<uint64_t>(rows) * static_cast<uint64_t>(cols);
}

bool SerializeSavedGame(const SavedGame& game, std::vector<uint8_t>* bytes) {
    bytes->clear();
    if (game.rows < 1 || game.cols < 1) return false;
    const uint64_t pieceCount = static_cast<uint64_t>(game.rows) * static_cast<uint64_t>(game.cols);
    if (game.order.size() != pieceCount || game.pieces.size() != pieceCount) return false;
    if (game.picturePath.size() >= kPicturePathBytes || game.picturePath.find('\0') != std::string::npos) return false;

    bytes->assign(static_cast<size_t>(PuzzleFileBytes(game.rows, game.cols)), 0);
    uint8_t* header = bytes->data();
    std::memcpy(header + kMagicAt, kPuzzleFileMagic, sizeof kPuzzleFileMagic);
    header[kImageFolderFlagAt] = game.inImageFolder ? 1 : 0;
    StoreLittle32(header + kTemplateRowsAt, game.templateRows);
    StoreLittle32(header + kTemplateColsAt, game.templateCols);
    StoreLittle32(header + kTemplateIdAt, game.templateId);
    std::memcpy(header + kPicturePathAt, game.picturePath.data(), game.picturePath.size());
    for (size_t box = 0; box < game.boxNames.size(); ++box) {
        uint8_t* field = header + kBoxNamesAt + box * kBoxNameBytes;
        std::memcpy(field, game.boxNames[box].data(), kBoxNameBytes);
        field[kBoxNameBytes - 1] = 0;  // a name always ends inside its field
    }
    StoreLittle32(header + kRowsAt, static_cast<uint32_t>(game.rows));
    StoreLittle32(header + kColsAt, static_cast<uint32_t>(game.cols));
    StoreLittleDouble(header + kScaleAt, game.scale);
    StoreLittle32(header + kHintsUsedAt, game.hintsUsed);
    StoreLittle32(header + kElapsedSecondsAt, game.elapsedSeconds);
    header[kSolvedAt] = game.solved;

    uint8_t* at = header + kPuzzleFileHeaderBytes;
    for (int32_t count : game.counts) {
        StoreLittle32(at, static_cast<uint32_t>(count));
        at += 4;
    }
    for (uint32_t piece : game.order) {
        StoreLittle32(at, piece);
        at += 4;
    }
    for (const Piece& piece : game.pieces) {
        StoreLittle32(at, piece.group);
        at[4] = piece.notSelected;  // the three padding bytes stay zero
        StoreLittle32(at + 8, static_cast<uint32_t>(piece.x));
        StoreLittle32(at + 12, static_cast<uint32_t>(piece.y));
        at += sizeof(Piece);
    }
    return true;
}
