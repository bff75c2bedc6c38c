// The board and the boxes on the Wine desktop, played with the real mouse: the screen shows
// every piece where the model says (screen pixels against the atlas and the board texture),
// a piece dragged from the board into a box and back, a piece joined by dropping it beside
// its neighbour, a rubber band marking loose pieces (hatched on screen), drops outside every
// surface and a lost capture putting the piece back, the clock starting on the first piece
// picked up, the puzzle completed inside a box, and the box window's own messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "SoundTestSupport.h"
#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/BoxWindow.h"
#include "board/GameClockTimer.h"
#include "board/PuzzleSurface.h"
#include "board/SurfaceWindows.h"
#include "controls/CommandButton.h"
#include "engine/DragSprite.h"
#include "engine/PieceBevel.h"
#include "engine/SoundIds.h"
#include "engine/SurfacePainter.h"
#include "gfx/ResourcePackFile.h"
#include "platform/Sound.h"
#include "tests/unit/BoardTestSupport.h"

namespace {

using ctltest::MoveCursorTo;
using ctltest::PressLeft;
using ctltest::PumpFor;
using ctltest::ReleaseLeft;

// A 320 x 240 picture cut at scale 1 into 3 rows of 4: cells 80 x 80, margins 26, images
// 132 x 132.
constexpr int32_t kPictureWidth = 320;
constexpr int32_t kPictureHeight = 240;
constexpr int32_t kCell = 80;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

// A 24-bit bottom-up .bmp whose every pixel differs from its neighbours.
std::string WriteTestPicture() {
    const std::string path = wintest::TempPath("board_picture.bmp");
    const int32_t rowBytes = (kPictureWidth * 3 + 3) & ~3;
    std::vector<uint8_t> file(54 + static_cast<size_t>(rowBytes) * kPictureHeight, 0);
    auto put = [&file](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, kPictureWidth, 4);
    put(22, kPictureHeight, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int32_t y = 0; y < kPictureHeight; ++y) {
        uint8_t* row = file.data() + 54 + static_cast<size_t>(kPictureHeight - 1 - y) * rowBytes;
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 3 + y);
            row[3 * x + 1] = static_cast<uint8_t>(y * 5 + x);
            row[3 * x + 2] = static_cast<uint8_t>(60 + (x ^ y));
        }
    }
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
    return path;
}

// The screen's pixels over a window's client area, as 0xRRGGBB, row by row from the top.
std::vector<uint32_t> GrabClient(HWND window) {
    const SIZE size = ctltest::ClientSize(window);
    const POINT origin = ctltest::ScreenPointOf(window, 0, 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScreenDC screen;
    MemoryDC memory(screen.get());
    GdiObject<HBITMAP> section(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ old = SelectObject(memory.get(), section.get());
    BitBlt(memory.get(), 0, 0, size.cx, size.cy, screen.get(), origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + static_cast<size_t>(size.cx) * size.cy);
    SelectObject(memory.get(), old);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

class BoardWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kPuzzleSurfaceClass, &info)) RegisterPuzzleSurfaceClass(App.Instance);
        if (!GetClassInfoA(App.Instance, kBoxClass, &info)) RegisterBoxClass(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
        picture_ = new std::string(WriteTestPicture());
    }
    static void TearDownTestSuite() {
        CloseResourcePack();
        DeleteFileA(picture_->c_str());
        delete picture_;
    }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "the game's pack is built into build/dist by the native build";
        App.SoundEffectsOn = 0;
        MoveCursorTo(POINT{1000, 760});
        host_ = std::make_unique<ctltest::TestParent>(0, 0, App.ScreenWidth, App.ScreenHeight);
        hostProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(host_->get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NotActivatedByClicks)));
        PuzzleDocument& doc = Board.Puzzle;
        ASSERT_TRUE(doc.picture.Open(picture_->c_str()));
        doc.scale = 1.0;
        doc.rows = 3;
        doc.cols = 4;
        doc.templateRows = 2;
        doc.templateCols = 2;
        doc.templateId = 3000;
        board_ = CreateBoard(host_->get());
        ASSERT_NE(board_, nullptr);
        ASSERT_EQ(doc.PieceCount(), 12) << "the board's first WM_SIZE cuts the picture";
        ASSERT_EQ(doc.pieceWidth, 132);
        ASSERT_NE(Board.DragImages, nullptr);
        EXPECT_EQ(doc.ClockArmed, 1);
        CreateBoxWindows(host_->get(), nullptr);
        completions_ = 0;
        host_->onNotice = [this](UINT code, HWND control) {
            if (control == board_ && code == static_cast<UINT>(SurfaceNotice::PuzzleCompleted)) ++completions_;
        };
        PumpFor(100);
    }

    void TearDown() override {
        StopClockTimer();
        for (HWND& box : App.BoxWindows) {
            if (box != nullptr) DestroyWindow(box);
        }
        if (IsWindow(board_)) DestroyWindow(board_);
        host_.reset();
        PumpFor(50);
    }

    // Every piece loose, in number order from the top of the board's stack, on a grid with
    // room between them; then the board is repainted.
    void LayOutPieces() {
        PuzzleDocument& doc = Board.Puzzle;
        for (uint32_t p = 0; p < 12; ++p) {
            doc.pieces[p] = Piece{};
            doc.pieces[p].x = 20 + 220 * static_cast<int32_t>(p % 4);
            doc.pieces[p].y = 10 + 200 * static_cast<int32_t>(p / 4);
            doc.order[p] = p;
        }
        doc.dirty = 0;
        RepaintAll();
    }
    void RepaintAll() {
        RepaintAllSurfaces();
        UpdateWindow(board_);
        PumpFor(100);
    }

    HWND BoxSurface(int box) const { return GetWindow(App.BoxWindows[box], GW_CHILD); }
    void ShowBox(int box) {
        SetWindowPos(App.BoxWindows[box], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpFor(150);
    }

    // The middle of a piece's cell, in screen pixels.
    POINT MiddleOf(uint32_t piece, HWND surface) const {
        const Piece& p = Board.Puzzle.pieces[piece];
        return ctltest::ScreenPointOf(surface, p.x + 26 + kCell / 2, p.y + 26 + kCell / 2);
    }

    // Presses at `from`, moves to `to` in a few steps as a hand would, and releases.
    void Drag(POINT from, POINT to) {
        MoveCursorTo(from);
        PressLeft();
        for (int step = 1; step <= 4; ++step)
            MoveCursorTo(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        ReleaseLeft();
        PumpFor(150);
    }

    // The first pixel of a surface's client area where the screen differs from the model,
    // as "x,y: screen vs model", or "". Pixels under `covering` (a window over the surface)
    // are skipped. While a piece is dragged (`lifted`) it is not drawn where it lies but, on
    // the surface where it is shown, at `sprite`: bevelled on every edge, with its shadow
    // darkening what lies below and right of it. Colours are compared at the screen's
    // precision: on a 16-bit screen (VEXLA_DEPTH=16) 5 bits a channel, since Wine's
    // screen-compatible bitmaps are 5-5-5 there and the drag's save image passes the
    // background through one; the shadow darkens those 5 bits, so it may lie one step off.
    std::string FirstWrongScreenPixel(HWND surfaceWindow,
                                      int surface,
                                      HWND covering = nullptr,
                                      bool lifted = false,
                                      const Point* sprite = nullptr,
                                      int* shadowed = nullptr) {
        const std::vector<uint32_t> shown = GrabClient(surfaceWindow);
        const SIZE size = ctltest::ClientSize(surfaceWindow);
        RECT hidden{};
        if (covering != nullptr && IsWindowVisible(covering)) {
            GetWindowRect(covering, &hidden);
            MapWindowPoints(nullptr, surfaceWindow, reinterpret_cast<POINT*>(&hidden), 2);
        }
        ScreenDC screen;
        const bool sixteenBits = GetDeviceCaps(screen.get(), BITSPIXEL) == 16;
        const uint32_t precision = sixteenBits ? 0xF8F8F8u : 0xFFFFFFu;
        const PuzzleDocument& doc = Board.Puzzle;
        const LiftedSprite* liftedSprite = Board.DragImages ? &Board.DragImages->lifted : nullptr;
        if (shadowed != nullptr) *shadowed = 0;
        for (int32_t y = 0; y < size.cy; ++y)
            for (int32_t x = 0; x < size.cx; ++x) {
                if (PtInRect(&hidden, POINT{x, y})) continue;
                uint32_t want = boardtest::ExpectedPixel(doc, surface, x, y, Board.BoardTexture.GetDib(), lifted);
                int32_t tolerance = 0;
                if (sprite != nullptr && liftedSprite != nullptr) {
                    const int32_t u = x - sprite->x, v = y - sprite->y;
                    if (u >= 0 && v >= 0 && u < liftedSprite->width && v < liftedSprite->height) {
                        const uint8_t alpha = liftedSprite->alpha[static_cast<size_t>(v) * liftedSprite->width + u];
                        if (LiftedPieceCovers(doc, u, v)) {
                            EXPECT_EQ(alpha, 255) << u << "," << v;
                            want = LiftedPiecePixel(doc, u, v);
                        } else if (alpha != 0) {
                            want = Darkened(want, 256u - alpha);
                            tolerance = sixteenBits ? 9 : 0;
                            if (shadowed != nullptr) ++*shadowed;
                        }
                    }
                }
                const uint32_t got = shown[static_cast<size_t>(y) * size.cx + x];
                if (!SameColour(got & precision, want & precision, tolerance)) {
                    char text[80];
                    snprintf(text, sizeof text, "%d,%d: %06x vs %06x", x, y, got, want);
                    return text;
                }
            }
        return "";
    }

    // Whether pixel (u, v) of the dragged piece's image belongs to the piece.
    static bool LiftedPieceCovers(const PuzzleDocument& doc, int32_t u, int32_t v) {
        return u >= 0 && v >= 0 && u < doc.pieceWidth && v < doc.pieceHeight &&
               AtlasPixel(doc, Board.Drag.piece, u, v)[3] != 0;
    }
    // The dragged piece's pixel: its picture, lit where the piece's own edge lies up and left
    // along the diagonal and shaded where it lies down and right (it is alone in the air),
    // hatched when marked.
    static uint32_t LiftedPiecePixel(const PuzzleDocument& doc, int32_t u, int32_t v) {
        int32_t level = 0;
        for (int32_t k = 1; k <= kBevelDepth; ++k)
            level += (LiftedPieceCovers(doc, u - k, v - k) ? 0 : 1) - (LiftedPieceCovers(doc, u + k, v + k) ? 0 : 1);
        const uint8_t* a = AtlasPixel(doc, Board.Drag.piece, u, v);
        uint8_t bgr[3] = {ShadeChannel(a[0], level), ShadeChannel(a[1], level), ShadeChannel(a[2], level)};
        if (doc.pieces[Board.Drag.piece].notSelected == 0 && v % 2 == 0 && u % kHatchColumnStep == 0)
            for (uint8_t& c : bgr) c = static_cast<uint8_t>(255 - c);
        return (uint32_t(bgr[2]) << 16) | (uint32_t(bgr[1]) << 8) | bgr[0];
    }
    static uint32_t Darkened(uint32_t rgb, uint32_t keep) {
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) out |= ((((rgb >> shift) & 0xFFu) * keep) >> 8) << shift;
        return out;
    }
    static bool SameColour(uint32_t a, uint32_t b, int32_t tolerance) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int32_t d = static_cast<int32_t>((a >> shift) & 0xFFu) - static_cast<int32_t>((b >> shift) & 0xFFu);
            if (d > tolerance || d < -tolerance) return false;
        }
        return true;
    }

    // Windows keeps owned windows above their owner. Wine's virtual desktop raises the owner
    // over them on screen when a click activates it (while its own z-order keeps the box on
    // top), so a box would vanish from the picture the moment the board is pressed. The host
    // stands in for the play screen without being activated by clicks.
    static LRESULT CALLBACK NotActivatedByClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        return CallWindowProcA(hostProc_, window, message, wParam, lParam);
    }

    static std::string* picture_;
    static WNDPROC hostProc_;
    std::unique_ptr<ctltest::TestParent> host_;
    HWND board_ = nullptr;
    int completions_ = 0;
};

std::string* BoardWindowTest::picture_ = nullptr;
WNDPROC BoardWindowTest::hostProc_ = nullptr;

TEST_F(BoardWindowTest, TheScreenShowsEveryPieceWhereTheModelSays) {
    // The dealt game: pieces anywhere in the lower half, overlapping in a random order.
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");
    // The board texture repeats every 50 pixels where no piece lies (the top rows are free).
    const std::vector<uint32_t> shown = GrabClient(board_);
    const auto width = static_cast<size_t>(App.BoardAreaWidth);
    EXPECT_EQ(shown[3 * width + 7], shown[3 * width + 57]);
    EXPECT_EQ(shown[3 * width + 7], shown[53 * width + 7]);

    // A marked piece is hatched.
    LayOutPieces();
    Board.Puzzle.pieces[5].notSelected = 0;
    RepaintAll();
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");
}

TEST_F(BoardWindowTest, APieceGoesFromTheBoardIntoABoxAndBack) {
    LayOutPieces();
    ShowBox(0);
    HWND box = BoxSurface(0);
    ASSERT_EQ(SurfaceOfWindow(box), 0);
    const uint32_t piece = 7;  // at (680, 210) on the board, clear of the box
    PuzzleDocument& doc = Board.Puzzle;
    const POINT grab = MiddleOf(piece, board_);
    const POINT into = ctltest::ScreenPointOf(box, 150, 140);
    ASSERT_EQ(WindowFromPoint(into), box);
    // Half way the piece is a sprite on the board over whatever lies there (the stack's top
    // is the piece itself, so the model's picture without it is what lies under the sprite).
    MoveCursorTo(grab);
    PressLeft();
    MoveCursorTo(ctltest::ScreenPointOf(board_, 700, 330));
    MoveCursorTo(ctltest::ScreenPointOf(board_, 560, 300));
    EXPECT_EQ(Board.Drag.DragState, kDragPiece);
    EXPECT_EQ(Board.Drag.position, (Point{560 - 66, 300 - 66}));
    int shadowed = 0;
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface, App.BoxWindows[0], true, &Board.Drag.position, &shadowed),
              "");
    EXPECT_GT(shadowed, doc.pieceWidth) << "the lifted piece casts its shadow on the board";
    // Over the box the sprite moves to the box's surface.
    MoveCursorTo(ctltest::ScreenPointOf(box, 200, 100));
    EXPECT_EQ(Board.Drag.viewSurface, 0);
    EXPECT_EQ(FirstWrongScreenPixel(box, 0, nullptr, false, &Board.Drag.position, &shadowed), "");
    EXPECT_GT(shadowed, doc.pieceWidth) << "and on the box";
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface, App.BoxWindows[0], true), "")
        << "the sprite left no trace on the board";
    MoveCursorTo(into);
    ReleaseLeft();
    PumpFor(150);

    ASSERT_EQ(doc.surfaces[0].count, 1);
    EXPECT_EQ(doc.Stack(0)[0], piece);
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 11);
    EXPECT_EQ(doc.pieces[piece].x, 150 - 66) << "where the mouse let go, less the grab offset";
    EXPECT_EQ(doc.pieces[piece].y, 140 - 66);
    EXPECT_EQ(doc.dirty, 1);
    EXPECT_EQ(FirstWrongScreenPixel(box, 0), "");
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface, App.BoxWindows[0]), "")
        << "the board shows the vacated place";

    const POINT back = ctltest::ScreenPointOf(board_, 600, 500);
    Drag(MiddleOf(piece, box), back);
    EXPECT_EQ(doc.surfaces[0].count, 0);
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 12);
    EXPECT_EQ(doc.Stack(kBoardSurface)[0], piece);
    EXPECT_EQ(doc.pieces[piece].x, 600 - 66);
    EXPECT_EQ(FirstWrongScreenPixel(box, 0), "");
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface, App.BoxWindows[0]), "");
    // The board never became empty or received its first piece: only box 1 reported, through
    // its window to the play screen (here the host), that it filled and emptied again.
    std::vector<UINT> fromBox;
    for (const ctltest::Notice& n : host_->notices) {
        EXPECT_NE(n.control, board_) << "the board reported " << n.code;
        if (n.control == App.BoxWindows[0]) fromBox.push_back(n.code);
    }
    EXPECT_EQ(fromBox, (std::vector<UINT>{static_cast<UINT>(SurfaceNotice::NowHoldsPieces),
                                          static_cast<UINT>(SurfaceNotice::NowEmpty)}));
}

TEST_F(BoardWindowTest, DroppingAPieceBesideItsNeighbourJoinsThem) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    // Piece 6 lies at (460, 210); its left neighbour 5 at (240, 210). Let go of 6 four
    // pixels right of and three above its place beside 5.
    const POINT grab = MiddleOf(6, board_);
    const POINT target = ctltest::ScreenPointOf(board_, 240 + kCell + 4 + 66, 210 - 3 + 66);
    Drag(grab, target);
    EXPECT_EQ(doc.pieces[6].group, 7u);
    EXPECT_EQ(doc.pieces[5].group, 7u);
    EXPECT_EQ(doc.pieces[6].x, 240 + kCell) << "snapped";
    EXPECT_EQ(doc.pieces[6].y, 210);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "") << "no trace of the sprite where it was let go";

    // Dragging 5 now brings 6 along.
    Drag(MiddleOf(5, board_), ctltest::ScreenPointOf(board_, 300 + 66, 420 + 66));
    EXPECT_EQ(doc.pieces[5].x, 300);
    EXPECT_EQ(doc.pieces[6].x, 300 + kCell);
    EXPECT_EQ(doc.pieces[6].y, 420);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");
}

TEST_F(BoardWindowTest, ARubberBandMarksTheLoosePiecesItTouches) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    doc.pieces[1].group = doc.pieces[0].group = 2;  // a group is never marked
    doc.pieces[1].x = doc.pieces[0].x + kCell;
    RepaintAll();
    // From empty space left of piece 4 to the middle of piece 6: touches 4, 5 and 6 only.
    Drag(ctltest::ScreenPointOf(board_, 5, 205), ctltest::ScreenPointOf(board_, 520, 300));
    for (uint32_t p = 0; p < 12; ++p) {
        const bool marked = p == 4 || p == 5 || p == 6;
        EXPECT_EQ(doc.pieces[p].notSelected, marked ? 0 : 1) << "piece " << p;
    }
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "") << "marked pieces hatched, no band left behind";

    // Dragging one of them moves all three, and they stay marked.
    Drag(MiddleOf(5, board_), ctltest::ScreenPointOf(board_, 240 + 66 + 30, 210 + 66 + 40));
    EXPECT_EQ(doc.pieces[4].x, 20 + 30);
    EXPECT_EQ(doc.pieces[6].y, 210 + 40);
    EXPECT_EQ(doc.pieces[2].y, 10) << "unmarked pieces stay";
    EXPECT_EQ(doc.pieces[6].notSelected, 0);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");
}

TEST_F(BoardWindowTest, ADropOutsideEverySurfaceOrALostCapturePutsThePieceBack) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    // The host's margin above the board is no surface.
    Drag(MiddleOf(9, board_), POINT{300, 30});
    EXPECT_EQ(doc.pieces[9].x, 240);
    EXPECT_EQ(doc.pieces[9].y, 410);
    EXPECT_EQ(doc.dirty, 0);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");

    MoveCursorTo(MiddleOf(9, board_));
    PressLeft();
    MoveCursorTo(ctltest::ScreenPointOf(board_, 700, 100));
    EXPECT_EQ(Board.Drag.DragState, kDragPiece);
    SetCapture(host_->get());  // another window takes the mouse
    PumpFor(100);
    EXPECT_EQ(Board.Drag.DragState, kDragIdle);
    ReleaseLeft();
    EXPECT_EQ(doc.pieces[9].x, 240);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "") << "the sprite was taken off the screen";
    ReleaseCapture();
}

TEST_F(BoardWindowTest, APieceLetGoOverAChildThatIsNoSurfaceGoesBack) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    // A button of the play screen lying over the board, as the box buttons and the timer do.
    const POINT over = ctltest::ScreenPointOf(board_, 700, 300);
    HWND button = host_->AddControl(kCommandButtonClass, over.x - 10, over.y - 10);
    ASSERT_NE(button, nullptr);
    SetWindowPos(button, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpFor(100);
    ASSERT_EQ(WindowFromPoint(over), button);
    Drag(MiddleOf(9, board_), over);
    EXPECT_EQ(doc.pieces[9].x, 240);
    EXPECT_EQ(doc.pieces[9].y, 410);
    EXPECT_EQ(doc.dirty, 0);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface, button), "");
    DestroyWindow(button);
}

TEST_F(BoardWindowTest, LosingTheCaptureDuringARubberBandMarksAsAReleaseWould) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    MoveCursorTo(ctltest::ScreenPointOf(board_, 5, 205));
    PressLeft();
    MoveCursorTo(ctltest::ScreenPointOf(board_, 300, 260));
    MoveCursorTo(ctltest::ScreenPointOf(board_, 520, 300));
    ASSERT_EQ(Board.Drag.DragState, kDragSelection);
    SetCapture(host_->get());  // another window takes the mouse
    PumpFor(100);
    EXPECT_EQ(Board.Drag.DragState, kDragIdle);
    ReleaseLeft();
    ReleaseCapture();
    PumpFor(100);
    for (uint32_t p = 0; p < 12; ++p) {
        const bool marked = p == 4 || p == 5 || p == 6;
        EXPECT_EQ(doc.pieces[p].notSelected, marked ? 0 : 1) << "piece " << p;
    }
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "") << "the band was erased";
}

TEST_F(BoardWindowTest, AJoinPlaysItsSoundOnlyWithTheSwitchOn) {
    wintest::SoundSink sink;
    if (!sink.Available()) GTEST_SKIP() << "no captured sound device";
    wintest::StopSoundOnExit stop;
    const std::vector<uint8_t> tone = wintest::MakeToneWave(300);
    wintest::ResourceModule module(wintest::ThisProgramPath(), {{kClickSound, tone}});
    ASSERT_NE(module.get(), nullptr);
    const HINSTANCE instance = App.Instance;
    App.Instance = module.get();
    LocateAllEffectSounds();
    App.Instance = instance;
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;

    // Piece 10 goes beside its left neighbour 9 with the switch off, piece 6 beside 5 with it on.
    App.SoundEffectsOn = 0;
    ASSERT_TRUE(sink.Empty());
    Drag(MiddleOf(10, board_), ctltest::ScreenPointOf(board_, 240 + kCell + 2 + 66, 410 + 66));
    EXPECT_EQ(doc.pieces[10].group, 11u);
    EXPECT_EQ(sink.WaitForSamples(1500), 0) << "switched off: silent";

    App.SoundEffectsOn = 1;
    Drag(MiddleOf(6, board_), ctltest::ScreenPointOf(board_, 240 + kCell + 2 + 66, 210 + 66));
    EXPECT_EQ(doc.pieces[6].group, 7u);
    EXPECT_GT(sink.WaitForSamples(5000), 0) << "switched on: the join sound reaches the device";
    App.SoundEffectsOn = 0;
    ForgetLocatedSounds();
}

TEST_F(BoardWindowTest, TheClockStartsOnTheFirstPieceNotOnEmptyBoard) {
    LayOutPieces();
    PuzzleDocument& doc = Board.Puzzle;
    Drag(ctltest::ScreenPointOf(board_, 5, 600), ctltest::ScreenPointOf(board_, 10, 620));
    EXPECT_EQ(doc.ClockArmed, 1);
    EXPECT_EQ(doc.ClockTimerId, 0u);

    MoveCursorTo(MiddleOf(3, board_));
    PressLeft();
    EXPECT_EQ(doc.ClockArmed, 0);
    EXPECT_NE(doc.ClockTimerId, 0u);
    ReleaseLeft();
    PumpFor(2300);
    EXPECT_GE(doc.ElapsedSeconds, 2u);
    char expected[16];
    snprintf(expected, sizeof expected, "00:00:%02u", doc.ElapsedSeconds);
    EXPECT_STREQ(ElapsedText(), expected);
    PauseClock();
    const uint32_t paused = doc.ElapsedSeconds;
    PumpFor(1200);
    EXPECT_EQ(doc.ElapsedSeconds, paused) << "paused ticks count nothing";
    ResumeClock();

    // A stored game takes over: the running timer stops, its time shows at once, and the
    // clock waits for the next pick-up.
    RestoreStoredClock(3725, false);
    EXPECT_STREQ(ElapsedText(), "01:02:05");
    EXPECT_EQ(doc.ClockTimerId, 0u);
    EXPECT_EQ(doc.ClockArmed, 1);
    PumpFor(1200);
    EXPECT_EQ(doc.ElapsedSeconds, 3725u) << "no timer is left running";
}

TEST_F(BoardWindowTest, PuttingTheLastPieceInPlaceInsideABoxCompletesThePuzzle) {
    PuzzleDocument& doc = Board.Puzzle;
    // Pieces 0..10 as one group in box 1, piece 10 at (20, 120); piece 11 on the board.
    for (uint32_t p = 0; p < 11; ++p) {
        doc.pieces[p] = Piece{};
        doc.pieces[p].group = 11;
        doc.pieces[p].x = 20 + (static_cast<int32_t>(p % 4) - 2) * kCell;
        doc.pieces[p].y = 120 + (static_cast<int32_t>(p / 4) - 2) * kCell;
    }
    doc.pieces[11] = Piece{};
    doc.pieces[11].x = 500;
    doc.pieces[11].y = 300;
    doc.order = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};  // the board's stack is the last slice
    doc.surfaces[0].count = 11;
    doc.surfaces[kBoardSurface].count = 1;
    doc.RestackFromCounts();
    ShowBox(0);
    RepaintAll();
    HWND box = BoxSurface(0);
    Drag(MiddleOf(11, board_), ctltest::ScreenPointOf(box, 20 + kCell + 2 + 66, 120 + 1 + 66));
    EXPECT_EQ(completions_, 1);
    EXPECT_EQ(doc.solved, 1);
    EXPECT_EQ(doc.surfaces[kBoardSurface].count, 12);
    EXPECT_FALSE(IsWindowVisible(App.BoxWindows[0])) << "every box is hidden";
    EXPECT_EQ(doc.ClockArmed, 0);
    // Centred on the board, whatever the screen's size: on 1024 x 768 the board area is
    // 947 x 640, so ((947 - 320) / 2 - 26, (640 - 240) / 2 - 26) = (287, 174).
    if (App.BoardAreaWidth == 947 && App.BoardAreaHeight == 640) {
        EXPECT_EQ(doc.pieces[0].x, 287);
        EXPECT_EQ(doc.pieces[0].y, 174);
    }
    EXPECT_EQ(doc.pieces[0].x, (App.BoardAreaWidth - kPictureWidth) / 2 - 26);
    EXPECT_EQ(doc.pieces[0].y, (App.BoardAreaHeight - kPictureHeight) / 2 - 26);
    PumpFor(100);
    EXPECT_EQ(FirstWrongScreenPixel(board_, kBoardSurface), "");
}

TEST_F(BoardWindowTest, BoxesHideOnCloseResizeTheirSurfaceAndIgnoreRenaming) {
    HWND boxWindow = App.BoxWindows[2];
    char caption[16] = {};
    GetWindowTextA(boxWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "Box 3");
    EXPECT_EQ(GetWindowLongPtrA(boxWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetAncestor(boxWindow, GA_PARENT), GetDesktopWindow()) << "a top-level window";
    EXPECT_EQ(GetWindow(boxWindow, GW_OWNER), host_->get());
    RECT outer{};
    GetWindowRect(boxWindow, &outer);
    EXPECT_EQ(outer.left, 80);
    EXPECT_EQ(outer.top, 98);
    EXPECT_EQ(outer.right - outer.left, 300);

    ShowBox(2);
    SendMessageA(boxWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(boxWindow));
    EXPECT_FALSE(IsWindowVisible(boxWindow));

    SetWindowPos(boxWindow, nullptr, 0, 0, 420, 360, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE client = ctltest::ClientSize(boxWindow);
    EXPECT_EQ(ctltest::ClientSize(BoxSurface(2)).cx, client.cx);
    EXPECT_EQ(Board.Puzzle.surfaces[2].clientHeight, client.cy) << "the back buffer follows";

    SendMessageA(boxWindow, WM_COMMAND, kRenameBoxCommand, 0);
    PumpFor(50);
    GetWindowTextA(boxWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "Box 3") << "renaming needs the message window, which does not exist yet";
}

}  // namespace
