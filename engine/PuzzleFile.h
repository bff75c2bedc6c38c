// PuzzleFile: saving the game in play to a puzzle file and loading one back (the layout and
// its parser are in PuzzleFileFormat.h).
//
// A save never destroys the previous file before the new one is complete: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and the temporary file then
// takes the old one's place in one step. Any failure on the way (a short write among them)
// removes the temporary file and leaves the old one as it was. With no puzzle in play nothing
// is written.
//
// A load reads and checks the whole file before anything is sized from it, and cuts the
// picture again into a puzzle of its own, aside from the game in play. Only when the file was
// accepted, the picture opened and the cut succeeded does the new puzzle replace the one in
// play, in steps that cannot fail; a refused file of any kind leaves the game in play as it
// was. What the windows must then do comes back as BoardChanges: repaint every surface, hide
// the boxes and tell each box's parent whether it holds pieces, show the box names, restore
// the clock from the stored time (armed unless the game was stored solved), reload the
// magnifier and show the arrow cursor again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/BoardChanges.h"
#include "engine/Cut.h"
#include "engine/PuzzleDocument.h"
#include "engine/PuzzleFileFormat.h"

// Largest atlas a loaded game may ask the cut for. The game's own largest puzzles need a few
// dozen megabytes; a file asking for more than this is refused before any memory is taken.
constexpr uint64_t kMaxLoadedAtlasBytes = uint64_t{512} << 20;

struct PuzzleFileEnvironment {
    // How the picture is cut (templates, drag images, the wait cursor).
    CutEnvironment cut;
    // The root folder of the media, a drive root such as "D:\", or empty. A picture saved
    // from its Image folder is looked for under it, on whatever drive letter it has now.
    std::string mediaRoot;
    // The game's own folder, ending in its separator: with no media root, pictures saved from
    // a media Image folder are looked for in the Image folder here.
    std::string gameFolder;
};

enum class SaveOutcome {
    Saved,
    NoPuzzle,            // nothing to save; nothing written
    PicturePathTooLong,  // the picture's path does not fit the file's 260 bytes
    UnloadableGame,      // the game in play breaks a rule the loader checks; nothing written
    BadPath,             // an empty path or one that names a folder
    CannotCreate,        // the temporary file could not be created
    WriteFailed,         // a write (a short one too) or the flush failed; the old file is kept
    ReplaceFailed,       // the old file could not be replaced; it is kept
    OutOfMemory,
};

// The game in play as a puzzle file describes it: Saved when it could be described (nothing
// is written), NoPuzzle or PicturePathTooLong when not. The picture counts as lying in the
// media's Image folder when its path begins with a media root of three characters and "Image\".
SaveOutcome DescribeGameInPlay(const PuzzleDocument& doc, std::string_view mediaRoot, SavedGame* game);

// Saves the game in play to `path`; on success the game counts as saved (dirty 0).
SaveOutcome SaveGame(PuzzleDocument& doc, const char* path, std::string_view mediaRoot);

enum class LoadOutcome {
    Loaded,
    CannotOpen,       // the file cannot be opened
    Damaged,          // the file was refused; `problem` says why
    PictureMissing,   // the picture it names cannot be found or read as a picture
    PictureUnusable,  // the picture does not give the stored grid at the stored scale
    CutFailed,        // no template, no drag images, or no memory for the cut
    OutOfMemory,
};

struct LoadGameResult {
    LoadOutcome outcome = LoadOutcome::CannotOpen;
    PuzzleFileProblem problem = PuzzleFileProblem::None;
    // Whether the loaded game still allows hints (fewer taken than a fifth of its pieces).
    bool hintsAllowed = false;
    // Empty unless loaded, but for the arrow cursor once a cut showed the wait cursor.
    BoardChanges changes;
};

// Where the picture of a saved game is to be opened: the path as stored; or, for a picture
// saved from the media's Image folder, the path on the media root's drive letter, or with no
// media root the same path below the game's own folder. False when that path would not fit
// in 259 characters.
bool ResolvePicturePath(const SavedGame& game,
                        std::string_view mediaRoot,
                        std::string_view gameFolder,
                        std::string* path);

// Makes an accepted saved game the game in play (see the top of this file).
LoadGameResult ApplySavedGame(PuzzleDocument& doc, SavedGame game, const PuzzleFileEnvironment& env);

// Reads, checks and applies the puzzle file at `path`.
LoadGameResult LoadGame(PuzzleDocument& doc, const char* path, const PuzzleFileEnvironment& env);
