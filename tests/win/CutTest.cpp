// The cut on the Windows side. The screen format the drag draws in is read from a bitmap
// with GetDIBits; as the runner fixes the screen's depth for a whole run, the formats are
// tried on memory DIB sections of 16, 24 and 32 bits, and colours written in each format
// are read back through GDI. Then the drag images of the
// real screen, and cuts with the game's environment: the six templates of the game's pack,
// the first game in the blocks of the start-up warm-up, a template the pack lacks, and
// Cut-and-show.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include <psapi.h>

#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/DragImages.h"
#include "board/PuzzleSurface.h"
#include "board/SurfaceWindows.h"
#include "engine/Cut.h"
#include "engine/CutWarmup.h"
#include "engine/ScreenPixelFormat.h"
#include "gfx/GdiHandles.h"
#include "gfx/ResourcePackFile.h"
#include "platform/ProgramFolder.h"

namespace {

using wintest::PixelCanvas;

// ---- Formats of memory DIB sections ----------------------------------------------------

struct SectionFormat {
    const char* name;
    int bits;
    DWORD compression;
    DWORD red, green, blue;  // masks given to the section (bit fields only)
    bool drawable;
    DWORD expectRed, expectGreen, expectBlue;  // masks the format must carry
};

const SectionFormat kFormats[] = {
    {"16bit565", 16, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F, true, 0xF800, 0x07E0, 0x001F},
    {"16bit555fields", 16, BI_BITFIELDS, 0x7C00, 0x03E0, 0x001F, true, 0x7C00, 0x03E0, 0x001F},
    {"16bitRgb", 16, BI_RGB, 0, 0, 0, true, 0x7C00, 0x03E0, 0x001F},
    {"24bit", 24, BI_RGB, 0, 0, 0, true, 0xFF0000, 0x00FF00, 0x0000FF},
    {"32bitRgb", 32, BI_RGB, 0, 0, 0, true, 0xFF0000, 0x00FF00, 0x0000FF},
    {"32bitFields", 32, BI_BITFIELDS, 0xFF0000, 0x00FF00, 0x0000FF, true, 0xFF0000, 0x00FF00, 0x0000FF},
    {"32bitSwapped", 32, BI_BITFIELDS, 0x0000FF, 0x00FF00, 0xFF0000, false, 0, 0, 0},
    // Palette bitmaps: GetDIBits writes a whole colour table behind the header.
    {"8bitPalette", 8, BI_RGB, 0, 0, 0, false, 0, 0, 0},
    {"4bitPalette", 4, BI_RGB, 0, 0, 0, false, 0, 0, 0},
};
constexpr size_t kDrawableFormats = 6;  // the first six

// A top-down DIB section of `width` x 1 pixels in the format.
class Section {
public:
    Section(const SectionFormat& f, int width) {
        std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(DWORD), 0);
        auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = -1;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(f.bits);
        info->bmiHeader.biCompression = f.compression;
        auto* masks = reinterpret_cast<DWORD*>(info->bmiColors);
        masks[0] = f.red;
        masks[1] = f.green;
        masks[2] = f.blue;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Section() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    uint8_t* bits() const { return bits_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint8_t* bits_ = nullptr;
};

int BitsIn(DWORD mask) {
    int n = 0;
    for (; mask != 0; mask &= mask - 1) ++n;
    return n;
}

class SectionFormatTest : public ::testing::TestWithParam<SectionFormat> {};

TEST_P(SectionFormatTest, IsReadBackAndAcceptedOnlyWhereTheDragCanDraw) {
    const SectionFormat& f = GetParam();
    Section section(f, 8);
    ASSERT_NE(section.bitmap(), nullptr);
    ScreenPixelFormat format;
    ASSERT_EQ(ReadScreenPixelFormat(section.dc(), section.bitmap(), &format), f.drawable);
    if (!f.drawable) return;
    EXPECT_EQ(format.bitCount, f.bits);
    EXPECT_EQ(format.redMask, f.expectRed);
    EXPECT_EQ(format.greenMask, f.expectGreen);
    EXPECT_EQ(format.blueMask, f.expectBlue);
}

INSTANTIATE_TEST_SUITE_P(Depths, SectionFormatTest, ::testing::ValuesIn(kFormats), [](const auto& param) {
    return std::string(param.param.name);
});

class SectionColourTest : public ::testing::TestWithParam<SectionFormat> {};

// Colours stored in the format and shown through GDI come back with every bit the format
// keeps: the top 5 or 6 bits of each channel at 16 bits, all 8 at 24 and 32 bits.
TEST_P(SectionColourTest, ColoursWrittenInTheFormatShowAsThemselves) {
    const SectionFormat& f = GetParam();
    ScreenPixelFormat format;
    ASSERT_TRUE(DescribeScreenFormat(f.bits, f.compression, f.red, f.green, f.blue, &format));
    const RGBQUAD colours[] = {{0, 0, 255, 0}, {0, 255, 0, 0},     {255, 0, 0, 0}, {50, 100, 200, 0},
                               {8, 4, 8, 0},   {255, 255, 255, 0}, {0, 0, 0, 0},   {131, 67, 253, 0}};
    const int count = static_cast<int>(sizeof colours / sizeof colours[0]);
    Section section(f, count);
    for (int x = 0; x < count; ++x)
        StoreScreenPixel(format, section.bits() + x * format.BytesPerPixel(), colours[x].rgbBlue, colours[x].rgbGreen,
                         colours[x].rgbRed);
    GdiFlush();
    PixelCanvas canvas(count, 1);
    ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, count, 1, section.dc(), 0, 0, SRCCOPY));
    const int keepRed = BitsIn(format.redMask), keepGreen = BitsIn(format.greenMask),
              keepBlue = BitsIn(format.blueMask);
    for (int x = 0; x < count; ++x) {
        const uint32_t shown = canvas.Pixel(x, 0);
        EXPECT_EQ((shown >> 16 & 0xFF) >> (8 - keepRed), colours[x].rgbRed >> (8 - keepRed)) << x;
        EXPECT_EQ((shown >> 8 & 0xFF) >> (8 - keepGreen), colours[x].rgbGreen >> (8 - keepGreen)) << x;
        EXPECT_EQ((shown & 0xFF) >> (8 - keepBlue), colours[x].rgbBlue >> (8 - keepBlue)) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(DrawableDepths,
                         SectionColourTest,
                         ::testing::ValuesIn(kFormats, kFormats + kDrawableFormats),
                         [](const auto& param) { return std::string(param.param.name); });

// ---- The screen ------------------------------------------------------------------------

TEST(CutDragImages, AreMadeInTheScreensFormatForTheSpriteSize) {
    ScreenDC screen;
    const int screenBits = GetDeviceCaps(screen.get(), BITSPIXEL);
    const std::shared_ptr<PieceDragImages> images = MakeDragImages(73, 61);
    ASSERT_NE(images, nullptr);
    // The sprite is the piece and its shadow, larger than the piece.
    const Point sprite = SpriteSize(73, 61);
    EXPECT_GT(sprite.x, 73);
    EXPECT_GT(sprite.y, 61);
    EXPECT_EQ(images->save.GetSize(), sprite);
    EXPECT_EQ(images->compose.GetSize(), (Point{2 * sprite.x, 2 * sprite.y}));
    EXPECT_EQ(images->canvas.format.bitCount, screenBits);
    EXPECT_EQ(images->canvas.stride, DibRowBytes(2 * sprite.x, screenBits));
    EXPECT_EQ(images->lifted.width, sprite.x);
    EXPECT_EQ(images->lifted.height, sprite.y);
    EXPECT_NE(images->canvas.bits, nullptr);
    EXPECT_EQ(MakeDragImages(0, 61), nullptr);
}

// ---- Cuts with the game's environment --------------------------------------------------

// A 24-bit 300 x 200 picture of smooth colours.
std::string WritePicture() {
    const std::string path = wintest::TempPath("cut_picture.bmp");
    const int32_t width = 300, height = 200, rowBytes = (width * 3 + 3) & ~3;
    std::vector<uint8_t> file(54 + static_cast<size_t>(rowBytes) * height, 0);
    auto put = [&file](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
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
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = &file[54 + static_cast<size_t>(y) * rowBytes + 3 * static_cast<size_t>(x)];
            p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = static_cast<uint8_t>(x + y);
        }
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
    return path;
}

class GameCut : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string pack = std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf";
        ASSERT_TRUE(Pack.Open(pack.c_str())) << "the game's pack is built by the native tree: " << pack;
        picture_ = WritePicture();
        ASSERT_TRUE(doc.picture.Open(picture_.c_str()));
        doc.scale = 1.5;  // 450 x 300 board pixels
        doc.rows = 4;
        doc.cols = 6;  // cells 75 x 75, margins 24, pieces 123 x 123
        Board.DragImages.reset();
    }
    void TearDown() override {
        doc.picture.Close();
        Pack.Close();
        Board.DragImages.reset();
        DeleteFileA(picture_.c_str());
    }
    PuzzleDocument doc;
    std::string picture_;
};

TEST_F(GameCut, CutsWithEachOfTheSixTemplatesOfThePack) {
    const CutEnvironment env = GameCutEnvironment();
    for (uint32_t id = 3000; id <= 3005; ++id) {
        ASSERT_TRUE(Cut(doc, env, 2, 2, id, true).ok) << id;
        EXPECT_EQ(doc.pieceWidth, 123);
        EXPECT_EQ(doc.surfaces[kBoardSurface].count, 24);
        EXPECT_TRUE(doc.StacksAreConsistent());
        for (const Piece& p : doc.pieces) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, App.BoardAreaWidth - doc.pieceWidth);
            EXPECT_GE(p.y, (App.BoardAreaHeight - doc.pieceHeight) / 2);
        }
        // The cut installed drag images for its own piece size.
        ASSERT_NE(Board.DragImages, nullptr);
        EXPECT_EQ(Board.DragImages->spriteWidth, SpriteSize(123, 123).x);
        // Every piece keeps its cell's centre: the templates put no tab there.
        const int64_t centreRow = doc.atlasHeightMinusOne - (doc.pieceHeight / 2);
        for (int32_t c = 0; c < doc.cols; ++c) {
            const size_t at =
                static_cast<size_t>((centreRow * doc.atlasWidth + c * doc.pieceWidth + doc.pieceWidth / 2) * 4);
            EXPECT_EQ(doc.atlas[at + 3], 1) << id << " piece " << c;
        }
    }
}

// Start-up's warm-up prepares the largest puzzle of this screen's board area, reading the
// running program's own file into the picture rows, and the game's cuts take its blocks over,
// once.
TEST_F(GameCut, TheGamesCutsTakeWhatTheStartUpWarmupPrepared) {
    StartCutWarmup(ProgramFile().Text());
    Board.CutMemory.WaitUntilDone();  // as when the player chooses after the warm-up ended
    const CutEnvironment env = GameCutEnvironment();
    ASSERT_TRUE(env.takeWarmBlocks);
    const WarmCutBlocks blocks = env.takeWarmBlocks();
    const PictureRowBuffer& rows = blocks.work.pictureRows;
    EXPECT_TRUE(rows.size() > 2 && rows[0] == 'M' && rows[1] == 'Z') << "the program file begins the rows";
    EXPECT_EQ(blocks.atlas.size(), LargestCutOfBoard(App.BoardAreaWidth, App.BoardAreaHeight).geometry.atlasBytes);
    EXPECT_GT(blocks.atlas.size(), 0u);
    EXPECT_TRUE(env.takeWarmBlocks().atlas.empty()) << "handed over once";
}

// How many pages of [from, to) of a block are in the process's working set; `from` lies on a
// page. SIZE_MAX when the system cannot tell.
size_t PagesInWorkingSet(const uint8_t* block, size_t from, size_t to) {
    constexpr size_t kPage = 4096;
    std::vector<PSAPI_WORKING_SET_EX_INFORMATION> pages((to - from + kPage - 1) / kPage);
    for (size_t k = 0; k < pages.size(); ++k) pages[k].VirtualAddress = const_cast<uint8_t*>(block + from + k * kPage);
    if (!QueryWorkingSetEx(GetCurrentProcess(), pages.data(), static_cast<DWORD>(pages.size() * sizeof(pages[0]))))
        return SIZE_MAX;
    size_t valid = 0;
    for (const auto& page : pages) valid += page.VirtualAttributes.Valid;
    return valid;
}

// The usual first game (450 x 300 board pixels) is far smaller than the largest puzzle the
// warm-up prepared, here one that finished before the player chose: it is built in the warmed
// atlas, whose idle tail leaves the working set, and its atlas is the one a cut in fresh memory
// builds.
TEST_F(GameCut, ASmallerFirstGameIsBuiltInTheWarmedAtlas) {
    PuzzleDocument cold;
    ASSERT_TRUE(cold.picture.Open(picture_.c_str()));
    cold.scale = doc.scale;
    cold.rows = doc.rows;
    cold.cols = doc.cols;
    CutEnvironment env = GameCutEnvironment();
    env.takeWarmBlocks = nullptr;
    ASSERT_TRUE(Cut(cold, env, 2, 2, 3001, true).ok);
    cold.picture.Close();

    const LargestCut largest = LargestCutOfBoard(App.BoardAreaWidth, App.BoardAreaHeight);
    CutWarmup warmup;
    ASSERT_TRUE(warmup.Start([largest](const std::atomic<bool>& stop) { return TouchCutBlocks(largest, &stop); }));
    warmup.WaitUntilDone();
    const uint8_t* warmAtlas = nullptr;
    env.takeWarmBlocks = [&] {
        WarmCutBlocks blocks = warmup.Take();
        warmAtlas = blocks.atlas.data();
        EXPECT_EQ(PagesInWorkingSet(warmAtlas, 0, blocks.atlas.size()), (blocks.atlas.size() + 4095) / 4096)
            << "the warm-up wrote every page";
        return blocks;
    };
    ASSERT_TRUE(Cut(doc, env, 2, 2, 3001, true).ok);
    const size_t largestBytes = largest.geometry.atlasBytes;
    ASSERT_GT(largestBytes, 2 * doc.atlas.size()) << "the game leaves most of the warmed atlas idle";
    EXPECT_EQ(doc.atlas.data(), warmAtlas);
    EXPECT_EQ(doc.atlas.capacity(), largestBytes);
    EXPECT_TRUE(std::equal(doc.atlas.begin(), doc.atlas.end(), cold.atlas.begin(), cold.atlas.end()));
    const size_t firstIdlePage = (doc.atlas.size() + 4095) / 4096 * 4096;
    EXPECT_EQ(PagesInWorkingSet(doc.atlas.data(), firstIdlePage, largestBytes), 0u) << "the idle tail";
    EXPECT_EQ(PagesInWorkingSet(doc.atlas.data(), 0, firstIdlePage), firstIdlePage / 4096) << "the pages in use";
}

TEST_F(GameCut, ATemplateThePackLacksFailsAndGivesTheArrowBack) {
    const CutEnvironment env = GameCutEnvironment();
    ASSERT_TRUE(Cut(doc, env, 2, 2, 3001, true).ok);
    const std::shared_ptr<PieceDragImages> images = Board.DragImages;
    const std::vector<uint8_t> atlas(doc.atlas.begin(), doc.atlas.end());
    const CutResult failed = Cut(doc, env, 2, 2, 2999, true);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(std::equal(atlas.begin(), atlas.end(), doc.atlas.begin(), doc.atlas.end()));
    EXPECT_EQ(Board.DragImages, images) << "the drag images of the puzzle in play stay";
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT)) << "the cut showed the wait cursor";
    ApplyBoardChanges(failed.changes);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW)) << "and the failed cut ends the wait";
}

TEST_F(GameCut, CutAndShowRepaintsEvenWhenTheCutFails) {
    const CutEnvironment env = GameCutEnvironment();
    const CutResult cut = CutAndShow(doc, env, 3004);
    EXPECT_TRUE(cut.ok);
    EXPECT_EQ(doc.templateId, 3004u);
    EXPECT_TRUE(cut.changes.repaintAll);
    doc.picture.Close();
    const CutResult failed = CutAndShow(doc, env, 3002);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.changes.repaintAll);
}

}  // namespace
