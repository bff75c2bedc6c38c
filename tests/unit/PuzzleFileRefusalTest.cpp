// Files a load must refuse: each field of a saved game broken in turn, and files that are
// sound but whose picture, template or cut cannot be had. Every one is refused with its
// reason and leaves the game in play exactly as it was, with nothing for the windows to do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/PuzzleFile.h"
#include "tests/unit/PuzzleFileTestSupport.h"

namespace {

using cuttest::CutBench;
using filetest::GameInPlay;

// The saved game every damage starts from: 3 x 4 pieces after a little play, so that it has
// pieces in boxes, a group on box 2 (pieces 0 and 1, label 2), a group on the board (pieces
// 10 and 11, label 12) and marked loose pieces.
constexpr uint32_t kPieces = 12;
constexpr size_t kCountsAt = 480;
constexpr size_t kOrderAt = 508;
constexpr size_t kPiecesAt = kOrderAt + 4 * kPieces;

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void PutDouble(std::vector<uint8_t>& bytes, size_t at, double value) {
    std::memcpy(&bytes[at], &value, sizeof value);  // the test machine is little-endian, as the file
}

size_t PieceAt(uint32_t piece) { return kPiecesAt + 16 * piece; }

// A loose, unmarked piece that lies in a box, for a label that would join it to the group on
// the board.
uint32_t LoosePieceInABox(const PuzzleDocument& doc) {
    for (int32_t i = 0; i < doc.surfaces[kBoardSurface].stackStart; ++i) {
        const uint32_t piece = doc.order[static_cast<size_t>(i)];
        if (doc.pieces[piece].group == 0 && doc.pieces[piece].notSelected == 1) return piece;
    }
    return kPieces;
}

class PuzzleFileRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(filetest::StartGame(bench, 3, 4, 3001));
        filetest::PlayABit(bench.doc);
        ASSERT_EQ(boardtest::BrokenInvariant(bench.doc), "");
        const std::string path = folder.PathOf("good.vpf");
        ASSERT_EQ(SaveGame(bench.doc, path.c_str(), ""), SaveOutcome::Saved);
        good = filetest::ReadWhole(path);
        ASSERT_EQ(good.size(), 508 + 20 * kPieces);
        bench.doc.dirty = 1;  // the game in play goes on
    }

    // Loads `bytes` into the game in play; it must be refused for `outcome` (and `problem`)
    // without any change to the game or anything for the windows to do but the arrow cursor.
    void ExpectRefused(const std::vector<uint8_t>& bytes,
                       LoadOutcome outcome,
                       PuzzleFileProblem problem,
                       const PuzzleFileEnvironment& env) {
        const std::string path = folder.Write("damaged.vpf", bytes);
        ASSERT_FALSE(path.empty());
        const GameInPlay before(bench.doc);
        const LoadGameResult result = LoadGame(bench.doc, path.c_str(), env);
        EXPECT_EQ(result.outcome, outcome);
        EXPECT_EQ(result.problem, problem);
        EXPECT_EQ(GameInPlay(bench.doc).DifferenceFrom(before), "");
        const BoardChanges& c = result.changes;
        EXPECT_TRUE(c.repaints.empty() && c.notices.empty() && c.boxesToHide == 0 && !c.repaintAll && !c.stopClock &&
                    !c.restoreClock && !c.clockAtZero && !c.boxNamesChanged && !c.magnifierChanged)
            << "the windows are asked to change something";
    }

    ScratchFolder folder{"refusal"};
    CutBench bench;
    std::vector<uint8_t> good;
};

TEST_F(PuzzleFileRefusal, EachBrokenFieldIsRefusedForItsReason) {
    using P = PuzzleFileProblem;
    const uint32_t loose = LoosePieceInABox(bench.doc);
    ASSERT_LT(loose, kPieces);
    const struct {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        PuzzleFileProblem problem;
    } cases[] = {
        {"one byte short", [](auto& b) { b.pop_back(); }, P::WrongSize},
        {"one byte long", [](auto& b) { b.push_back(0); }, P::WrongSize},
        {"shorter than a header", [](auto& b) { b.resize(479); }, P::WrongSize},
        {"empty", [](auto& b) { b.clear(); }, P::WrongSize},
        {"magic's last character", [](auto& b) { b[24] = '1'; }, P::WrongMagic},
        {"magic's terminator", [](auto& b) { b[25] = ' '; }, P::WrongMagic},
        {"magic's first character", [](auto& b) { b[0] = 'v'; }, P::WrongMagic},
        {"image-folder flag 2", [](auto& b) { b[26] = 2; }, P::BadImageFolder},
        {"image-folder flag on a path without a drive root", [](auto& b) { b[26] = 1; }, P::BadImageFolder},
        {"template rows 0", [](auto& b) { PutU32(b, 28, 0); }, P::BadTemplate},
        {"template columns 65", [](auto& b) { PutU32(b, 32, 65); }, P::BadTemplate},
        {"empty picture path", [](auto& b) { b[40] = 0; }, P::BadPicturePath},
        {"picture path without terminator", [](auto& b) { std::memset(&b[40], 'p', 260); }, P::BadPicturePath},
        {"box 3's name without terminator", [](auto& b) { std::memset(&b[300 + 2 * 24], 'x', 24); }, P::BadBoxName},
        {"rows 1", [](auto& b) { PutU32(b, 444, 1); }, P::BadGrid},
        {"columns 1025", [](auto& b) { PutU32(b, 448, 1025); }, P::BadGrid},
        {"rows 2^32 - 1", [](auto& b) { PutU32(b, 444, 0xFFFFFFFF); }, P::BadGrid},
        {"rows and columns of 65536 (N wraps to 0 in 32 bits)",
         [](auto& b) {
             PutU32(b, 444, 0x10000);
             PutU32(b, 448, 0x10000);
         },
         P::BadGrid},
        {"rows that want a larger file", [](auto& b) { PutU32(b, 444, 4); }, P::WrongSize},
        {"scale 0", [](auto& b) { PutDouble(b, 456, 0.0); }, P::BadScale},
        {"scale -1", [](auto& b) { PutDouble(b, 456, -1.0); }, P::BadScale},
        {"scale NaN", [](auto& b) { PutDouble(b, 456, std::nan("")); }, P::BadScale},
        {"scale infinite", [](auto& b) { PutDouble(b, 456, HUGE_VAL); }, P::BadScale},
        {"hints above N", [](auto& b) { PutU32(b, 464, kPieces + 1); }, P::BadHintCount},
        {"solved 2", [](auto& b) { b[472] = 2; }, P::BadSolvedFlag},
        {"solved while in pieces", [](auto& b) { b[472] = 1; }, P::SolvedButNotWhole},
        {"a negative count",
         [](auto& b) {
             PutU32(b, kCountsAt, 0xFFFFFFFF);
             PutU32(b, kCountsAt + 24, U32(b, kCountsAt + 24) + 1 + U32(b, kCountsAt));
         },
         P::BadCounts},
        {"counts adding up to N + 1", [](auto& b) { PutU32(b, kCountsAt + 24, U32(b, kCountsAt + 24) + 1); },
         P::BadCounts},
        {"a piece twice in the order", [](auto& b) { PutU32(b, kOrderAt + 4, U32(b, kOrderAt)); }, P::BadOrder},
        {"piece number N in the order", [](auto& b) { PutU32(b, kOrderAt + 8, kPieces); }, P::BadOrder},
        {"a label above N", [](auto& b) { PutU32(b, PieceAt(5), kPieces + 1); }, P::BadGroup},
        {"a label whose piece is loose", [](auto& b) { PutU32(b, PieceAt(2), 4); }, P::BadGroup},
        {"a label below the piece", [](auto& b) { PutU32(b, PieceAt(5), 2); }, P::BadGroup},
        {"a group on two surfaces", [&](auto& b) { PutU32(b, PieceAt(loose), kPieces); }, P::BadGroup},
        {"selection flag 2", [](auto& b) { b[PieceAt(4) + 4] = 2; }, P::BadSelection},
        {"a marked piece in a group", [](auto& b) { b[PieceAt(1) + 4] = 0; }, P::BadSelection},
        {"x beyond 2^20", [](auto& b) { PutU32(b, PieceAt(6) + 8, (1u << 20) + 1); }, P::BadCoordinate},
        {"y at the smallest 32-bit number", [](auto& b) { PutU32(b, PieceAt(7) + 12, 0x80000000u); }, P::BadCoordinate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        ExpectRefused(bytes, LoadOutcome::Damaged, c.problem, filetest::EnvironmentOf(bench));
    }
}

TEST_F(PuzzleFileRefusal, SoundFileWhosePictureTemplateOrCutCannotBeHadIsRefused) {
    using O = LoadOutcome;
    const PuzzleFileEnvironment plain = filetest::EnvironmentOf(bench);
    PuzzleFileEnvironment noDragImages = plain;
    noDragImages.cut.prepareDragImages = [](int32_t, int32_t) { return DragImagesInstaller(); };
    PuzzleFileEnvironment noMemory = plain;
    noMemory.cut.allocationGate = [](CutBuffer buffer, uint64_t) { return buffer != CutBuffer::Atlas; };
    const struct {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
        const PuzzleFileEnvironment& env;
        LoadOutcome outcome;
    } cases[] = {
        {"a picture that is not there", [](auto& b) { std::memcpy(&b[40], "/nowhere/p.bmp", 15); }, plain,
         O::PictureMissing},
        {"a file that is no picture",
         [&](auto& b) {
             const std::string self = folder.PathOf("damaged.vpf");
             std::memcpy(&b[40], self.c_str(), self.size() + 1);
         },
         plain, O::PictureMissing},
        {"a scale that leaves the picture under 45 pixels", [](auto& b) { PutDouble(b, 456, 0.5); }, plain,
         O::PictureUnusable},
        {"a scale that asks for gigabytes of atlas", [](auto& b) { PutDouble(b, 456, 300.0); }, plain,
         O::PictureUnusable},
        {"a template the game does not have", [](auto& b) { PutU32(b, 36, 4000); }, plain, O::CutFailed},
        {"a template of another grid", [](auto& b) { PutU32(b, 28, 3); }, plain, O::CutFailed},
        {"a screen the drag cannot draw on", [](auto&) {}, noDragImages, O::CutFailed},
        {"no memory for the atlas", [](auto&) {}, noMemory, O::CutFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = good;
        c.change(bytes);
        ExpectRefused(bytes, c.outcome, PuzzleFileProblem::None, c.env);
    }
}

TEST_F(PuzzleFileRefusal, FileThatCannotBeOpenedIsRefused) {
    const GameInPlay before(bench.doc);
    const LoadGameResult result =
        LoadGame(bench.doc, folder.PathOf("absent.vpf").c_str(), filetest::EnvironmentOf(bench));
    EXPECT_EQ(result.outcome, LoadOutcome::CannotOpen);
    EXPECT_EQ(GameInPlay(bench.doc).DifferenceFrom(before), "");
}

}  // namespace
