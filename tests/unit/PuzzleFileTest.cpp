// Saved games as a player makes them: round trips over every grid and template with pieces in
// boxes and groups, renamed boxes, the clock and hints; the byte layout other copies of the
// game read; saves that fail without harming the previous file; the picture found again
// through the media root or the game's own folder.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/GameClock.h"
#include "engine/PuzzleFile.h"
#include "engine/Solve.h"
#include "tests/unit/PuzzleFileTestSupport.h"

namespace {

using cuttest::CutBench;
using filetest::GameInPlay;

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// The names in a folder, to see that a save left nothing behind.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Saves `saved`'s game, loads it into another game in play and checks that it came back whole.
void ExpectRoundTrip(CutBench& saved, const std::string& path) {
    const auto n = static_cast<uint64_t>(saved.doc.PieceCount());
    ASSERT_EQ(boardtest::BrokenInvariant(saved.doc), "");
    ASSERT_EQ(SaveGame(saved.doc, path.c_str(), ""), SaveOutcome::Saved);
    EXPECT_EQ(saved.doc.dirty, 0);
    EXPECT_EQ(std::filesystem::file_size(path), 508 + 20 * n);

    CutBench loaded;
    ASSERT_TRUE(filetest::StartGame(loaded, 3, 5, 3001));
    loaded.doc.dirty = 1;
    const LoadGameResult result = LoadGame(loaded.doc, path.c_str(), filetest::EnvironmentOf(loaded));
    ASSERT_EQ(result.outcome, LoadOutcome::Loaded);
    // The window side restores the clock when asked to: it waits for a pick-up unless solved.
    ASSERT_TRUE(result.changes.restoreClock);
    RestoreClock(loaded.doc, loaded.doc.ElapsedSeconds, loaded.doc.solved != 0);
    EXPECT_EQ(loaded.doc.ClockArmed, saved.doc.solved == 0 ? 1 : 0);
    EXPECT_EQ(GameInPlay(loaded.doc).DifferenceFrom(GameInPlay(saved.doc)), "");
    // The painter's piece shapes are the loaded cut's, not those of the game it replaced.
    EXPECT_EQ(loaded.doc.shapes.shapeOfPiece, saved.doc.shapes.shapeOfPiece);
    EXPECT_EQ(loaded.doc.shapes.bits, saved.doc.shapes.bits);
    // A fifth of the pieces allows a second hint from 10 pieces on.
    EXPECT_EQ(result.hintsAllowed, saved.doc.solved == 0 && saved.doc.hintsUsed == 1 && n >= 10);

    const BoardChanges& c = result.changes;
    EXPECT_TRUE(c.repaintAll && c.boxNamesChanged && c.magnifierChanged && c.arrowCursor);
    EXPECT_EQ(c.boxesToHide, 0x3Fu);
    ASSERT_EQ(c.notices.size(), 6u);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(c.notices[static_cast<size_t>(box)].surface, box);
        EXPECT_EQ(c.notices[static_cast<size_t>(box)].notice, saved.doc.surfaces[static_cast<size_t>(box)].count != 0
                                                                  ? SurfaceNotice::NowHoldsPieces
                                                                  : SurfaceNotice::NowEmpty);
    }
}

TEST(PuzzleFileRoundTrip, EveryGridAndTemplateComesBackAsSaved) {
    // Every grid from 2 x 2 to 8 x 8, and the largest the game deals on a 1024 x 768 screen;
    // the six templates in turn.
    std::vector<std::pair<int32_t, int32_t>> grids;
    for (int32_t rows = 2; rows <= 8; ++rows)
        for (int32_t cols = 2; cols <= 8; ++cols) grids.emplace_back(rows, cols);
    grids.emplace_back(28, 42);
    ScratchFolder folder("roundtrip");
    for (size_t i = 0; i < grids.size(); ++i) {
        const auto [rows, cols] = grids[i];
        const uint32_t templateId = filetest::kFirstTemplate + static_cast<uint32_t>(i % cuttest::kFamilyCount);
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(cols) + ", template " + std::to_string(templateId));
        CutBench saved;
        ASSERT_TRUE(filetest::StartGame(saved, rows, cols, templateId));
        filetest::PlayABit(saved.doc);
        ExpectRoundTrip(saved, folder.PathOf("game.vpf"));
    }
}

TEST(PuzzleFileRoundTrip, SolvedGameComesBackSolvedWithItsHintsUsedUp) {
    ScratchFolder folder("solved");
    CutBench saved;
    ASSERT_TRUE(filetest::StartGame(saved, 3, 4, 3002));
    SolvePuzzle(saved.doc);
    saved.doc.hintsUsed = 2;  // a fifth of 12 pieces: none left
    saved.doc.ElapsedSeconds = 500;
    ExpectRoundTrip(saved, folder.PathOf("solved.vpf"));
}

// A game saved on a 1920 x 1080 screen, opened on a 1024 x 768 one: the piece that lay at the
// far right of the large board comes to the right edge of the small one, the rest stay.
TEST(PuzzleFileRoundTrip, PiecesBeyondASmallerBoardComeBackWithinReach) {
    ScratchFolder folder("smaller");
    CutBench saved;
    ASSERT_TRUE(filetest::StartGame(saved, 3, 4, 3001));
    const uint32_t far = saved.doc.Stack(kBoardSurface)[0];
    saved.doc.pieces[far].x = 1700;
    ASSERT_EQ(SaveGame(saved.doc, folder.PathOf("large.vpf").c_str(), ""), SaveOutcome::Saved);

    CutBench loaded;
    ASSERT_TRUE(filetest::StartGame(loaded, 2, 2, 3000));
    loaded.doc.surfaces[kBoardSurface].clientWidth = 947;
    loaded.doc.surfaces[kBoardSurface].clientHeight = 640;
    ASSERT_EQ(LoadGame(loaded.doc, folder.PathOf("large.vpf").c_str(), filetest::EnvironmentOf(loaded)).outcome,
              LoadOutcome::Loaded);
    EXPECT_EQ(loaded.doc.pieces[far].x, 947 - loaded.doc.cellWidth - loaded.doc.marginX);
    EXPECT_EQ(loaded.doc.pieces[far].y, saved.doc.pieces[far].y);
    for (uint32_t p = 0; p < 12; ++p) {
        if (p != far) {
            EXPECT_EQ(loaded.doc.pieces[p].x, saved.doc.pieces[p].x) << "piece " << p;
        }
    }
}

// A fresh game of 4 x 5 pieces, as another copy of the game reads it: the fields at their
// offsets, little-endian, and nothing but zeros where the layout reserves bytes.
TEST(PuzzleFileLayout, FreshFourByFiveGameIsNineHundredAndEightBytesInTheirPlaces) {
    ScratchFolder folder("layout");
    CutBench bench;
    ASSERT_TRUE(filetest::StartGame(bench, 4, 5, 3004));
    bench.doc.hintsUsed = 3;
    bench.doc.ElapsedSeconds = 0x01020304;
    bench.doc.boxNames[5] = MakeBoxName("Sixth");
    const std::string path = folder.PathOf("fresh.vpf");
    ASSERT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::Saved);
    const std::vector<uint8_t> bytes = filetest::ReadWhole(path);
    ASSERT_EQ(bytes.size(), 908u);

    EXPECT_EQ(std::memcmp(bytes.data(), "Velmorane Puzzle File 1.0", 26), 0);
    EXPECT_EQ(bytes[26], 0) << "not in a media Image folder";
    EXPECT_EQ(bytes[27], 0);
    EXPECT_EQ(U32At(bytes, 28), 2u);
    EXPECT_EQ(U32At(bytes, 32), 2u);
    EXPECT_EQ(U32At(bytes, 36), 3004u);
    char picture[260];
    const size_t pictureBytes = bench.doc.picture.GetName(picture, sizeof picture);
    ASSERT_EQ(pictureBytes, std::strlen(picture) + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[40])), picture);
    EXPECT_TRUE(std::all_of(&bytes[40 + std::strlen(picture)], &bytes[300], [](uint8_t b) { return b == 0; }));
    const char* names[6] = {"Box 1", "Box 2", "Box 3", "Box 4", "Box 5", "Sixth"};
    for (size_t box = 0; box < 6; ++box) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[300 + 24 * box])), names[box]);
        EXPECT_EQ(bytes[300 + 24 * box + 23], 0);
    }
    EXPECT_EQ(U32At(bytes, 444), 4u);
    EXPECT_EQ(U32At(bytes, 448), 5u);
    EXPECT_EQ(U32At(bytes, 452), 0u);
    EXPECT_EQ(U32At(bytes, 456), 0u) << "1.0 as an IEEE double: low word 0";
    EXPECT_EQ(U32At(bytes, 460), 0x3FF00000u) << "1.0 as an IEEE double: high word";
    EXPECT_EQ(U32At(bytes, 464), 3u);
    EXPECT_EQ(U32At(bytes, 468), 0x01020304u);
    EXPECT_TRUE(std::all_of(&bytes[472], &bytes[480], [](uint8_t b) { return b == 0; })) << "solved 0, reserved";
    for (size_t s = 0; s < 6; ++s) EXPECT_EQ(U32At(bytes, 480 + 4 * s), 0u) << "box " << s + 1;
    EXPECT_EQ(U32At(bytes, 504), 20u) << "every piece on the board";
    for (size_t i = 0; i < 20; ++i) EXPECT_EQ(U32At(bytes, 508 + 4 * i), bench.doc.order[i]);
    for (size_t n = 0; n < 20; ++n) {
        const size_t at = 588 + 16 * n;
        const Piece& piece = bench.doc.pieces[n];
        EXPECT_EQ(U32At(bytes, at), 0u) << "loose";
        EXPECT_EQ(U32At(bytes, at + 4), 1u) << "not selected, zero padding";
        EXPECT_EQ(static_cast<int32_t>(U32At(bytes, at + 8)), piece.x);
        EXPECT_EQ(static_cast<int32_t>(U32At(bytes, at + 12)), piece.y);
    }
}

TEST(PuzzleFileSave, WithNoPuzzleInPlayNothingIsWritten) {
    ScratchFolder folder("nopuzzle");
    PuzzleDocument empty;
    const std::string absent = folder.PathOf("absent.vpf");
    const std::string kept = folder.Write("kept.vpf", {1, 2, 3});
    EXPECT_EQ(SaveGame(empty, absent.c_str(), ""), SaveOutcome::NoPuzzle);
    EXPECT_EQ(SaveGame(empty, kept.c_str(), ""), SaveOutcome::NoPuzzle);
    EXPECT_EQ(FilesIn(folder.PathOf("")), std::vector<std::string>{"kept.vpf"});
    EXPECT_EQ(filetest::ReadWhole(kept), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(PuzzleFileSave, GameTheLoaderWouldRefuseIsNotWritten) {
    ScratchFolder folder("unloadable");
    CutBench bench;
    ASSERT_TRUE(filetest::StartGame(bench, 2, 3, 3000));
    bench.doc.pieces[4].x = 1 << 21;  // beyond any board
    const std::string path = folder.PathOf("game.vpf");
    EXPECT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::UnloadableGame);
    EXPECT_TRUE(FilesIn(folder.PathOf("")).empty());
    EXPECT_EQ(bench.doc.dirty, 1);
}

TEST(PuzzleFileSave, SavingAgainReplacesTheOldFileWholeAndLeavesNoTemporaryFile) {
    ScratchFolder folder("again");
    CutBench bench;
    ASSERT_TRUE(filetest::StartGame(bench, 2, 3, 3000));
    const std::string path = folder.PathOf("game.vpf");
    ASSERT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::Saved);
    filetest::PlayABit(bench.doc);
    ASSERT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::Saved);
    EXPECT_EQ(FilesIn(folder.PathOf("")), std::vector<std::string>{"game.vpf"});
    CutBench loaded;
    ASSERT_TRUE(filetest::StartGame(loaded, 2, 2, 3000));
    ASSERT_EQ(LoadGame(loaded.doc, path.c_str(), filetest::EnvironmentOf(loaded)).outcome, LoadOutcome::Loaded);
    EXPECT_EQ(GameInPlay(loaded.doc).DifferenceFrom(GameInPlay(bench.doc)), "") << "the second save, not the first";
}

// The file system lets only part of the file through (a full disk does the same): the save
// fails and the previous file is kept byte for byte.
TEST(PuzzleFileSave, ShortWriteFailsAndKeepsThePreviousFile) {
    ScratchFolder folder("short");
    CutBench bench;
    ASSERT_TRUE(filetest::StartGame(bench, 4, 5, 3000));
    const std::string path = folder.PathOf("game.vpf");
    ASSERT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::Saved);
    const std::vector<uint8_t> previous = filetest::ReadWhole(path);
    filetest::PlayABit(bench.doc);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 600;  // of 908 bytes
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveOutcome outcome = SaveGame(bench.doc, path.c_str(), "");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome, SaveOutcome::WriteFailed);
    EXPECT_EQ(bench.doc.dirty, 1) << "the game is not saved";
    EXPECT_EQ(filetest::ReadWhole(path), previous);
    EXPECT_EQ(FilesIn(folder.PathOf("")), std::vector<std::string>{"game.vpf"});
}

TEST(PuzzleFileSave, TargetThatCannotBeReplacedIsKept) {
    ScratchFolder folder("blocked");
    CutBench bench;
    ASSERT_TRUE(filetest::StartGame(bench, 2, 2, 3000));
    const std::string folderNamedLikeAGame = folder.PathOf("game.vpf");
    std::filesystem::create_directory(folderNamedLikeAGame);
    EXPECT_EQ(SaveGame(bench.doc, folderNamedLikeAGame.c_str(), ""), SaveOutcome::ReplaceFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folderNamedLikeAGame));
    EXPECT_EQ(FilesIn(folder.PathOf("")), std::vector<std::string>{"game.vpf"});
    EXPECT_EQ(SaveGame(bench.doc, (folderNamedLikeAGame + "/").c_str(), ""), SaveOutcome::BadPath);
    EXPECT_EQ(SaveGame(bench.doc, "", ""), SaveOutcome::BadPath);
    EXPECT_EQ(bench.doc.dirty, 1);
}

TEST(PuzzleFilePicture, StoredPathIsResolvedAgainstTheMediaRootOrTheGameFolder) {
    const std::string longFolder(250, 'f');
    struct Case {
        bool inImageFolder;
        const char* stored;
        const char* mediaRoot;
        std::string gameFolder;
        const char* expected;  // null: refused
    } cases[] = {
        {false, "C:\\Pictures\\cat.bmp", "", "G:\\Vexla\\", "C:\\Pictures\\cat.bmp"},
        {false, "C:\\Pictures\\cat.bmp", "E:\\", "G:\\Vexla\\", "C:\\Pictures\\cat.bmp"},
        {true, "D:\\Image\\foto3.bmp", "E:\\", "G:\\Vexla\\", "E:\\Image\\foto3.bmp"},
        {true, "D:\\Image\\foto3.bmp", "", "G:\\Vexla\\", "G:\\Vexla\\Image\\foto3.bmp"},
        {true, "D:\\Image\\foto3.bmp", "", longFolder, nullptr},
    };
    for (const Case& c : cases) {
        SavedGame game;
        game.inImageFolder = c.inImageFolder;
        game.picturePath = c.stored;
        std::string path;
        const bool resolved = ResolvePicturePath(game, c.mediaRoot, c.gameFolder, &path);
        EXPECT_EQ(resolved, c.expected != nullptr) << c.stored << " / " << c.mediaRoot;
        if (resolved && c.expected != nullptr) {
            EXPECT_EQ(path, c.expected);
        }
    }
}

// Moves the working folder for the test's lifetime, so that pictures can carry Windows-shaped
// relative names ("D:\Image\p.bmp" is a plain file name here).
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& to) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(to);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST(PuzzleFilePicture, PictureFromTheMediaImageFolderIsFoundOnAnotherDriveOrBesideTheGame) {
    ScratchFolder folder("media");
    WorkingFolder inside(folder.PathOf(""));
    const std::vector<uint8_t> picture = BuildBmp(cuttest::PictureOf(60, 48, 24));
    for (const char* name : {"D:\\Image\\p.bmp", "E:\\Image\\p.bmp", "game\\Image\\p.bmp"}) {
        BinaryFile out;
        ASSERT_TRUE(out.CreateWrite(name) && out.WriteAll(picture.data(), picture.size()));
    }
    CutBench bench;
    filetest::AddAllTemplates(bench);
    bench.doc.scale = 1.0;
    bench.doc.rows = 3;
    bench.doc.cols = 4;
    ASSERT_TRUE(bench.doc.picture.Open("D:\\Image\\p.bmp"));
    ASSERT_TRUE(Cut(bench.doc, bench.env, 2, 2, 3003, true).ok);
    ASSERT_EQ(SaveGame(bench.doc, "saved.vpf", "D:\\"), SaveOutcome::Saved);
    EXPECT_EQ(filetest::ReadWhole("saved.vpf")[26], 1) << "in the media's Image folder";

    PuzzleFileEnvironment env = filetest::EnvironmentOf(bench);
    env.mediaRoot = "E:\\";
    ASSERT_EQ(LoadGame(bench.doc, "saved.vpf", env).outcome, LoadOutcome::Loaded);
    char name[260];
    bench.doc.picture.GetName(name, sizeof name);
    EXPECT_STREQ(name, "E:\\Image\\p.bmp");

    env.mediaRoot = "";
    env.gameFolder = "game\\";
    ASSERT_EQ(LoadGame(bench.doc, "saved.vpf", env).outcome, LoadOutcome::Loaded);
    bench.doc.picture.GetName(name, sizeof name);
    EXPECT_STREQ(name, "game\\Image\\p.bmp");
}

}  // namespace
