// The board's costs on the largest puzzle of two screens: on 1024 x 768, 42 x 28 = 1176
// pieces of 45-pixel cells (images 73 x 73) on the 947 x 640 board; on 1920 x 1080, 81 x 42 =
// 3402 of them on the 1843 x 952 board.
//  - A full repaint of the board's back buffer, with the pieces as dealt (all in the lower
//    half, deeply overlapping) and as solved (the picture whole, centred): milliseconds and
//    painted pixels per second. Loose pieces are painted with their bevel.
//  - One drag step's own work: the step's rectangles and the lifted piece's sprite (the piece
//    and its shadow) written into the compose image in the screen's format (32 and 16 bits);
//    the blits are the system's and are not measured here. Making the sprite happens once, at
//    the pick-up, and is measured on its own.
//  - One drop that joins: the piece brought to the top with its company, the neighbour
//    search through the stack, the labels, and the repaint of the vacated and covered areas.
// The atlas is made here (each image its cell plus four square tabs) rather than cut from a
// picture: painting only cares which pixels are inside.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/DragSprite.h"
#include "engine/DropRules.h"
#include "engine/JoinRules.h"
#include "engine/SurfacePainter.h"

namespace {

constexpr int32_t kCell = 45;
constexpr int32_t kTab = 12;
constexpr int32_t kTextureSide = 50;

struct Screen {
    int32_t rows, cols, boardWidth, boardHeight;
};
// The board area is the screen less 77 x 128; the finest grid has cells of 45 pixels at
// twice the fitting scale.
const Screen kScreens[] = {{28, 42, 947, 640}, {42, 81, 1843, 952}};

bool Inside(const PuzzleDocument& doc, int32_t u, int32_t v) {
    const int32_t left = doc.marginX, top = doc.marginY;
    const int32_t right = left + doc.cellWidth, bottom = top + doc.cellHeight;
    if (u >= left && u < right && v >= top && v < bottom) return true;
    const int32_t midU = left + doc.cellWidth / 2, midV = top + doc.cellHeight / 2;
    const bool acrossU = u >= midU - kTab / 2 && u < midU + kTab / 2;
    const bool acrossV = v >= midV - kTab / 2 && v < midV + kTab / 2;
    return (acrossU && (v >= top - kTab && v < bottom + kTab)) || (acrossV && (u >= left - kTab && u < right + kTab));
}

struct Board {
    Screen screen;
    PuzzleDocument doc;
    std::vector<uint8_t> texture;

    explicit Board(const Screen& s) : screen(s) {
        doc.rows = s.rows;
        doc.cols = s.cols;
        doc.cellWidth = doc.cellHeight = kCell;
        doc.marginX = doc.marginY = static_cast<int32_t>(kCell * 0.33);
        doc.pieceWidth = doc.pieceHeight = kCell + 2 * doc.marginX;
        doc.atlasWidth = doc.pieceWidth * s.cols;
        doc.atlasHeightMinusOne = doc.pieceHeight * s.rows - 1;
        doc.AllocateArrays(s.rows * s.cols, static_cast<size_t>(doc.atlasWidth) * doc.pieceHeight * s.rows * 4);
        for (uint32_t p = 0; p < static_cast<uint32_t>(s.rows * s.cols); ++p)
            for (int32_t v = 0; v < doc.pieceHeight; ++v)
                for (int32_t u = 0; u < doc.pieceWidth; ++u) {
                    auto* pixel = const_cast<uint8_t*>(AtlasPixel(doc, p, u, v));
                    if (Inside(doc, u, v)) {
                        pixel[0] = static_cast<uint8_t>(p + u);
                        pixel[1] = static_cast<uint8_t>(v * 3);
                        pixel[2] = static_cast<uint8_t>(p >> 2);
                        pixel[3] = 1;
                    }
                }
        IndexPieceShapes(doc);
        doc.PutAllPiecesOnBoard();
        for (int surface = 0; surface < kSurfaceCount; ++surface)
            AllocateBackBuffer(doc.surfaces[static_cast<size_t>(surface)],
                               surface == kBoardSurface ? s.boardWidth : 292,
                               surface == kBoardSurface ? s.boardHeight : 276);
        MakeTexture();
    }

    // What the window side does with a drop's changes: the areas repainted in the back buffer.
    void Apply(const BoardChanges& changes) {
        for (const AreaToRepaint& r : changes.repaints)
            PaintSurfaceRegion(doc, r.surface, r.area, r.skipTop, Texture());
    }

    const PackedDib* Texture() const { return reinterpret_cast<const PackedDib*>(texture.data()); }

    void MakeTexture() {
        const int32_t rowBytes = DibRowBytes(kTextureSide, 8);
        texture.assign(kDibPixelOffset + static_cast<size_t>(rowBytes) * kTextureSide, 0);
        auto* dib = reinterpret_cast<PackedDib*>(texture.data());
        dib->header.biSize = kDibHeaderSize;
        dib->header.biWidth = kTextureSide;
        dib->header.biHeight = kTextureSide;
        dib->header.biPlanes = 1;
        dib->header.biBitCount = 8;
        dib->header.biSizeImage = static_cast<uint32_t>(rowBytes * kTextureSide);
        for (int i = 0; i < 256; ++i) dib->palette[i] = RgbQuad{static_cast<uint8_t>(i), 90, 60, 0};
        for (int32_t i = 0; i < rowBytes * kTextureSide; ++i) dib->Pixels()[i] = static_cast<uint8_t>(i * 7);
    }

    // As a new game deals them: anywhere across, in the lower half, shuffled.
    void Deal() {
        std::mt19937 random(42);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (Piece& piece : doc.pieces) {
            piece = Piece{};
            piece.y = static_cast<int32_t>((unit(random) + 1.0) * (screen.boardHeight - doc.pieceHeight) * 0.5);
            piece.x = static_cast<int32_t>(unit(random) * (screen.boardWidth - doc.pieceWidth));
        }
        std::shuffle(doc.order.begin(), doc.order.end(), random);
    }

    // The picture whole and centred, one group.
    void Solve() {
        const int32_t n = screen.rows * screen.cols;
        const int32_t ox = (screen.boardWidth - kCell * screen.cols) / 2 - doc.marginX;
        const int32_t oy = (screen.boardHeight - kCell * screen.rows) / 2 - doc.marginY;
        for (int32_t p = 0; p < n; ++p) {
            Piece& piece = doc.pieces[static_cast<size_t>(p)];
            piece.x = p % screen.cols * kCell + ox;
            piece.y = p / screen.cols * kCell + oy;
            piece.group = static_cast<uint32_t>(n);
        }
        doc.solved = 1;
    }
};

const Screen& ScreenOf(const benchmark::State& state) { return kScreens[state.range(0)]; }

void SetLabel(benchmark::State& state) {
    const Screen& s = ScreenOf(state);
    state.SetLabel(std::to_string(s.rows * s.cols) + " pieces on " + std::to_string(s.boardWidth) + "x" +
                   std::to_string(s.boardHeight));
}

void RepaintBoard(benchmark::State& state, bool solved) {
    Board board(ScreenOf(state));
    if (solved)
        board.Solve();
    else
        board.Deal();
    const Rect whole{0, 0, board.screen.boardWidth, board.screen.boardHeight};
    for (auto _ : state) {
        PaintSurfaceRegion(board.doc, kBoardSurface, whole, false, board.Texture());
        benchmark::DoNotOptimize(board.doc.surfaces[kBoardSurface].backBuffer.data());
    }
    const double pixels = static_cast<double>(whole.width) * whole.height;
    state.counters["pixels_per_s"] =
        benchmark::Counter(pixels * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    SetLabel(state);
}

void BM_FullBoardRepaintDealt(benchmark::State& state) { RepaintBoard(state, false); }
void BM_FullBoardRepaintSolved(benchmark::State& state) { RepaintBoard(state, true); }

ScreenPixelFormat FormatOf(int32_t bitCount) {
    ScreenPixelFormat format;
    if (bitCount == 16)
        DescribeScreenFormat(16, kCompressionBitFields, 0xF800, 0x07E0, 0x001F, &format);
    else
        DescribeScreenFormat(32, kCompressionBitFields, kRed888, kGreen888, kBlue888, &format);
    return format;
}

// The pick-up's part: the lifted piece's sprite, bevel and shadow, made once per drag.
void BM_LiftPiece(benchmark::State& state) {
    Board board(kScreens[0]);
    board.Deal();
    LiftedSprite sprite;
    sprite.Reserve(board.doc.pieceWidth, board.doc.pieceHeight);
    const ScreenPixelFormat format = FormatOf(32);
    for (auto _ : state) {
        RenderLiftedSprite(board.doc, board.doc.order[0], format, sprite);
        benchmark::DoNotOptimize(sprite.alpha.data());
    }
}

void DragStep(benchmark::State& state, int32_t bitCount) {
    Board board(kScreens[0]);
    board.Deal();
    const ScreenPixelFormat format = FormatOf(bitCount);
    const Point size = SpriteSize(board.doc.pieceWidth, board.doc.pieceHeight);
    const int32_t width = 2 * size.x, height = 2 * size.y;
    std::vector<uint8_t> bits(static_cast<size_t>(DibRowBytes(width, bitCount)) * height, 0x80);
    SpriteCanvas canvas{bits.data(), DibRowBytes(width, bitCount), width, height, format};
    const uint32_t piece = board.doc.order[0];
    board.doc.pieces[piece].notSelected = 0;  // hatched
    LiftedSprite sprite;
    sprite.Reserve(board.doc.pieceWidth, board.doc.pieceHeight);
    RenderLiftedSprite(board.doc, piece, format, sprite);
    Point from{300, 300};
    for (auto _ : state) {
        const Point to{from.x + 3, from.y + 2};
        const DragStepPlan plan = PlanDragStep(from, to, size.x, size.y);
        DrawLiftedSprite(sprite, canvas, plan.pieceAt);
        benchmark::DoNotOptimize(bits.data());
        from = to.x > 600 ? Point{300, 300} : to;
    }
}

void BM_DragStep32(benchmark::State& state) { DragStep(state, 32); }
void BM_DragStep16(benchmark::State& state) { DragStep(state, 16); }

// The top piece of the dealt board is dropped 3 pixels off its place beside its left
// neighbour, which is lifted to lie somewhere in the middle of the stack.
void BM_DropWithJoin(benchmark::State& state) {
    Board board(ScreenOf(state));
    board.Deal();
    const auto cols = static_cast<uint32_t>(board.screen.cols);
    const uint32_t piece = cols * 10 + 20;
    const uint32_t left = piece - 1;
    for (auto _ : state) {
        state.PauseTiming();
        for (uint32_t p : {piece, left}) board.doc.pieces[p].group = 0;
        board.doc.pieces[left].x = 400;
        board.doc.pieces[left].y = 420;
        board.doc.pieces[piece].x = 100;
        board.doc.pieces[piece].y = 300;
        uint32_t* stack = board.doc.Stack(kBoardSurface);
        const auto count = board.doc.surfaces[kBoardSurface].count;
        std::iter_swap(std::find(stack, stack + count, piece), stack);
        std::iter_swap(std::find(stack, stack + count, left), stack + count / 2);
        DragSession drag;
        drag.DragState = kDragPiece;
        drag.surface = kBoardSurface;
        drag.viewSurface = kBoardSurface;
        drag.piece = piece;
        state.ResumeTiming();
        const DropResult dropped = Drop(board.doc, drag, kBoardSurface, Point{400 + kCell + 3, 420 - 2});
        board.Apply(dropped.changes);
        benchmark::DoNotOptimize(dropped.outcome);
    }
    SetLabel(state);
}

}  // namespace

BENCHMARK(BM_FullBoardRepaintDealt)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullBoardRepaintSolved)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiftPiece)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStep32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStep16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropWithJoin)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
