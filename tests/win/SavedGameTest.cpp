// Saved games on the Windows side: the file replaced in one step by MoveFileExA, a game of
// the pack's templates saved and saved again through CreateFileA, WriteFile and
// FlushFileBuffers and loaded back over another game, and what the load asks of the windows
// carried out: the boxes show their names and the clock shows the stored time, armed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/GameClockTimer.h"
#include "board/SurfaceWindows.h"
#include "engine/BinaryFile.h"
#include "engine/Cut.h"
#include "engine/PuzzleFile.h"
#include "gfx/ResourcePackFile.h"

namespace {

std::string ReadWhole(const std::string& path) {
    BinaryFile in;
    if (!in.OpenRead(path.c_str())) return "(none)";
    std::string bytes(static_cast<size_t>(in.Size()), '\0');
    in.ReadExact(bytes.data(), bytes.size());
    return bytes;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    BinaryFile out;
    return out.CreateWrite(path.c_str()) && out.WriteAll(bytes.data(), bytes.size()) && out.Flush();
}

TEST(BinaryFileReplace, PutsTheNewFileInTheOldOnesPlaceOrLeavesBothAsTheyWere) {
    const std::string target = wintest::TempPath("replace_target.vpf");
    const std::string source = wintest::TempPath("replace_source.vp~");
    ASSERT_TRUE(WriteWhole(target, "old"));
    ASSERT_TRUE(WriteWhole(source, "new file"));
    EXPECT_TRUE(BinaryFile::Replace(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadWhole(target), "new file");
    EXPECT_EQ(GetFileAttributesA(source.c_str()), INVALID_FILE_ATTRIBUTES) << "the source is gone";

    EXPECT_FALSE(BinaryFile::Replace(source.c_str(), target.c_str())) << "no source any more";
    EXPECT_EQ(ReadWhole(target), "new file");
    DeleteFileA(target.c_str());
}

// A 24-bit 200 x 150 picture written through the engine's own file type.
std::string WritePicture(const std::string& path) {
    const int32_t width = 200, height = 150, rowBytes = (width * 3 + 3) & ~3;
    std::string file(54 + static_cast<size_t>(rowBytes) * height, '\0');
    auto put = [&file](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()));
    put(10, 54);
    put(14, 40);
    put(18, width);
    put(22, height);
    file[26] = 1;
    file[28] = 24;
    for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<char>(i * 7);
    return WriteWhole(path, file) ? path : std::string();
}

class SavedGameOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string pack = std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf";
        ASSERT_TRUE(Pack.Open(pack.c_str())) << "the game's pack is built by the native tree: " << pack;
        picture_ = WritePicture(wintest::TempPath("saved_picture.bmp"));
        ASSERT_FALSE(picture_.empty());
        for (HWND& box : App.BoxWindows)
            box = CreateWindowExA(0, "STATIC", "Box", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, App.Instance, nullptr);
        Board.DragImages.reset();
    }
    void TearDown() override {
        Board.Puzzle.ClearGame(false);
        for (HWND& box : App.BoxWindows) {
            DestroyWindow(box);
            box = nullptr;
        }
        Pack.Close();
        Board.DragImages.reset();
        DeleteFileA(picture_.c_str());
        DeleteFileA(saved_.c_str());
    }
    // A new game on the picture: rows x cols at scale 1.
    void StartGame(int32_t rows, int32_t cols, uint32_t templateId) {
        PuzzleDocument& doc = Board.Puzzle;
        ASSERT_TRUE(doc.picture.Open(picture_.c_str()));
        doc.scale = 1.0;
        doc.rows = rows;
        doc.cols = cols;
        const CutResult cut = Cut(doc, GameCutEnvironment(), 2, 2, templateId, true);
        ASSERT_TRUE(cut.ok);
        ApplyBoardChanges(cut.changes);
    }

    std::string picture_;
    std::string saved_ = wintest::TempPath("saved_game.vpf");
};

TEST_F(SavedGameOnWindows, IsWrittenReplacedAndLoadedOverAnotherGame) {
    PuzzleDocument& doc = Board.Puzzle;
    StartGame(3, 4, 3002);
    BoardChanges moved;
    ASSERT_TRUE(doc.MoveTopEntries(kBoardSurface, 2, 3, moved));
    ASSERT_EQ(SaveGame(doc, saved_.c_str(), ""), SaveOutcome::Saved);
    ASSERT_TRUE(doc.MoveTopEntries(kBoardSurface, 0, 2, moved));
    doc.boxNames[0] = MakeBoxName("Corners");
    doc.ElapsedSeconds = 3723;  // 01:02:03
    doc.hintsUsed = 1;
    ASSERT_EQ(SaveGame(doc, saved_.c_str(), ""), SaveOutcome::Saved) << "over the first save";
    EXPECT_EQ(ReadWhole(saved_).size(), 508u + 20 * 12);
    EXPECT_EQ(GetFileAttributesA((saved_.substr(0, saved_.size() - 1) + "~").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no temporary file is left";
    const std::vector<Piece> pieces = doc.pieces;
    const OrderBuffer order = doc.order;

    StartGame(4, 5, 3005);
    ASSERT_EQ(doc.PieceCount(), 20);
    PuzzleFileEnvironment env;
    env.cut = GameCutEnvironment();
    const LoadGameResult loaded = LoadGame(doc, saved_.c_str(), env);
    ASSERT_EQ(loaded.outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(loaded.hintsAllowed) << "1 hint of the 2 a game of 12 pieces allows";
    EXPECT_EQ(doc.templateId, 3002u);
    EXPECT_EQ(doc.order, order);
    EXPECT_EQ(doc.surfaces[0].count, 2);
    EXPECT_EQ(doc.surfaces[2].count, 3);
    ASSERT_EQ(doc.pieces.size(), pieces.size());
    for (size_t n = 0; n < pieces.size(); ++n) {
        EXPECT_EQ(doc.pieces[n].x, pieces[n].x);
        EXPECT_EQ(doc.pieces[n].y, pieces[n].y);
    }

    ApplyBoardChanges(loaded.changes);
    char caption[32];
    GetWindowTextA(App.BoxWindows[0], caption, sizeof caption);
    EXPECT_STREQ(caption, "Corners");
    GetWindowTextA(App.BoxWindows[5], caption, sizeof caption);
    EXPECT_STREQ(caption, "Box 6");
    EXPECT_STREQ(ElapsedText(), "01:02:03");
    EXPECT_EQ(doc.ClockArmed, 1) << "the clock waits for the next pick-up";
    EXPECT_EQ(doc.ClockTimerId, 0u);
    EXPECT_EQ(doc.dirty, 0);
}

}  // namespace
