// The puzzle file's byte layout (saved games, "*.vpf"), and the two pure halves of reading
// and writing it: a serialiser from a game description to bytes, and a validating parser
// from bytes to a game description or a refusal with its reason. Neither touches a file or
// the game in play; PuzzleFile.h does that.
//
// A file is a 480-byte header, the seven stack counts (28 bytes), the OrderBuffer (4 N bytes)
// and the piece records (16 N bytes), N = rows x cols, all numbers little-endian: exactly
// 508 + 20 N bytes. It names the picture and the shape template instead of holding the cut
// pieces; loading cuts the picture again, which reproduces the same atlas.
//
// The parser accepts only what the game itself can produce, so nothing read from a file can
// make a later rule index outside an array: the exact size, the whole magic text, a grid of
// at least 2 x 2 within kMaxSavedGridSide, a finite positive scale, counts that are not
// negative and add up to N, an OrderBuffer that is a permutation, group labels that are their
// largest member + 1 with every member on one surface, flags of 0 or 1, only loose pieces
// marked, a solved game only as one group of everything on the board, hints not above N,
// coordinates within kMaxPieceCoordinate, and every text terminated inside its field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/BoxNames.h"
#include "engine/Piece.h"
#include "engine/Surface.h"

constexpr char kPuzzleFileMagic[] = "Velmorane Puzzle File 1.0";
constexpr char kPuzzleFilePattern[] = "*.vpf";
constexpr char kPuzzleFileExtension[] = ".vpf";

constexpr size_t kPuzzleFileHeaderBytes = 480;
constexpr size_t kPuzzleFileCountsBytes = 4 * kSurfaceCount;
constexpr size_t kPuzzleFileBodyStart = kPuzzleFileHeaderBytes + kPuzzleFileCountsBytes;  // 508
constexpr size_t kPuzzleFileBytesPerPiece = 4 + sizeof(Piece);                            // 20

// Header offsets.
constexpr size_t kMagicAt = 0;
constexpr size_t kImageFolderFlagAt = 26;
constexpr size_t kTemplateRowsAt = 28;
constexpr size_t kTemplateColsAt = 32;
constexpr size_t kTemplateIdAt = 36;
constexpr size_t kPicturePathAt = 40;
constexpr size_t kPicturePathBytes = 260;
constexpr size_t kBoxNamesAt = 300;
constexpr size_t kRowsAt = 444;
constexpr size_t kColsAt = 448;
constexpr size_t kScaleAt = 456;
constexpr size_t kHintsUsedAt = 464;
constexpr size_t kElapsedSecondsAt = 468;
constexpr size_t kSolvedAt = 472;

// Largest number of rows or columns a file may carry: far more than any screen can show at
// the pickers' smallest cells, small enough that the body stays a few megabytes.
constexpr int32_t kMaxSavedGridSide = 1024;
// Largest distance of a piece from its surface's origin, in either direction: far beyond any
// board, small enough that no sum of a position and a piece size leaves 32 bits.
constexpr int32_t kMaxPieceCoordinate = 1 << 20;

// A saved game, as the file describes it.
struct SavedGame {
    // The picture lies in the media's Image folder: on loading, its drive root is replaced.
    bool inImageFolder = false;
    uint32_t templateRows = 0;
    uint32_t templateCols = 0;
    uint32_t templateId = 0;
    std::string picturePath;  // at most 259 characters
    BoxNames boxNames = DefaultBoxNames();
    int32_t rows = 0;
    int32_t cols = 0;
    double scale = 0.0;
    uint32_t hintsUsed = 0;
    uint32_t elapsedSeconds = 0;
    uint8_t solved = 0;
    std::array<int32_t, kSurfaceCount> counts{};  // boxes 1 to 6, then the board
    std::vector<uint32_t> order;                  // the seven stacks, each from the top down
    std::vector<Piece> pieces;                    // in piece-number order
};

// Why a file was refused.
enum class PuzzleFileProblem {
    None,
    WrongSize,         // not 508 + 20 N bytes (a file shorter than a header among them)
    WrongMagic,        // the text at offset 0 is not the magic text with its terminator
    BadImageFolder,    // a flag other than 0 or 1, or 1 on a path that starts with no drive root
    BadTemplate,       // a template grid outside 1 .. kMaxTemplateGrid
    BadPicturePath,    // empty, or no terminator within its 260 bytes
    BadBoxName,        // no terminator within its 24 bytes
    BadGrid,           // rows or columns below 2 or above kMaxSavedGridSide
    BadScale,          // not a finite number above 0
    BadHintCount,      // more hints taken than there are pieces
    BadSolvedFlag,     // other than 0 or 1
    BadCounts,         // a negative count, or counts that do not add up to N
    BadOrder,          // the OrderBuffer is not a permutation of 0 .. N - 1
    BadGroup,          // a label above N or not its largest member + 1, or members on two surfaces
    BadSelection,      // a flag other than 0 or 1, or a piece of a group marked
    BadCoordinate,     // a position beyond kMaxPieceCoordinate
    SolvedButNotWhole  // stored solved, but not one group of all pieces on the board
};

// The exact size of a file of a rows x cols puzzle, in 64 bits.
uint64_t PuzzleFileBytes(int64_t rows, int64_t cols);

// The file's bytes for `game`, whose order and pieces hold rows x cols entries and whose
// picture path has 259 characters at most and no zero byte. Bytes the format leaves undefined
// (reserved fields, padding, what follows a terminator) are written as zeros. False, with
// `bytes` empty, for a game the format cannot hold.
bool SerializeSavedGame(const SavedGame& game, std::vector<uint8_t>* bytes);

// The header alone (kPuzzleFileHeaderBytes bytes): its fields checked and taken into `game`,
// and the size the whole file must then have. Lets a reader check a file's size before it
// reads, or makes room for, the rest.
PuzzleFileProblem ParsePuzzleFileHeader(const uint8_t* header, SavedGame* game, uint64_t* fileBytes);
// The counts, the OrderBuffer and the piece records that follow a header ParsePuzzleFileHeader
// accepted into `game`: `size` must be the file's size less the header.
PuzzleFileProblem ParsePuzzleFileBody(const uint8_t* body, size_t size, SavedGame* game);
// A whole file held in memory: header and body. `game` is complete only when None is returned.
PuzzleFileProblem ParsePuzzleFile(const uint8_t* data, size_t size, SavedGame* game);
