// The cut of the largest puzzles on Wine, where fresh memory comes in 4 KB pages: on a
// 1024 x 768 and on a 1920 x 1080 screen, a picture of the board area's shape at twice the
// fitting scale cut into the finest grid with the pack's round-knob template (as bench_cut
// does natively). Measured: the first cut as the game makes it (a fresh document whose
// blocks the start-up warm-up prepared beforehand, CutWarmup.h), the cold first cut (a
// fresh document, fresh memory), the repeated cut, and the floor beside them: copying the
// atlas's bytes between two buffers already in use. Also the warm-up's own time, which the
// worker thread spends at start-up. As in bench_cut, a first cut follows the player's pause
// (5 ms here) and is compared with the held copy after the same pause as well; the repeated
// cut is measured back to back and after the pause. Prints medians and ranges of wall
// milliseconds (the CPU clock Wine offers counts in 10 ms steps); a measurement, never a test.
//
//   scripts/wine-run.sh build/win64/bench/win/bench_first_cut.exe [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/TexturedPicture.h"
#include "engine/BinaryFile.h"
#include "engine/Cut.h"
#include "engine/CutWarmup.h"
#include "engine/ResourcePack.h"

namespace {

constexpr uint32_t kRoundKnobTemplate = 3000;
constexpr double kZoomEnd = 2.0;
constexpr double kFinestCell = 45.0;

struct Screen {
    const char* name;
    int32_t boardWidth;
    int32_t boardHeight;
};
const Screen kScreens[] = {{"1024x768", 947, 640}, {"1920x1080", 1843, 952}};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool WritePicture(const std::string& path, int32_t width, int32_t height, int bits) {
    return bench::WriteTexturedPicture(path.c_str(), width, height, bits);
}

struct Spread {
    double median, low, high;
};

Spread SpreadOf(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return Spread{ms[ms.size() / 2], ms.front(), ms.back()};
}

// The player's pause before a click, during which the processor idles; kept out of the
// measured time.
void PlayersPause() { Sleep(5); }

// `ownFloor` is the held copy measured the same way: after the pause, or back to back.
void Print(const char* what, const std::vector<double>& ms, double floor, double ownFloor) {
    const Spread s = SpreadOf(ms);
    std::printf("  %-28s %7.2f ms (%.2f-%.2f)  %5.2f x own copy  %5.2f x copy\n", what, s.median, s.low, s.high,
                s.median / ownFloor, s.median / floor);
}

struct Bench {
    ResourcePack* pack;
    std::string programPath;  // what the game's warm-up reads into the picture rows' memory: its own file
    std::string picture;
    Screen screen;
    int32_t rows, cols;

    CutEnvironment Environment() const {
        CutEnvironment env;
        env.loadTemplate = [this](uint32_t id) { return pack->Read(id); };
        env.boardWidth = screen.boardWidth;
        env.boardHeight = screen.boardHeight;
        env.randomUnit = [] { return 0.5; };
        return env;
    }
    bool Open(PuzzleDocument& doc) const {
        if (!doc.picture.Open(picture.c_str())) return false;
        doc.scale = kZoomEnd;
        doc.rows = rows;
        doc.cols = cols;
        return true;
    }
    // One first cut in a fresh document, warmed beforehand or cold; -1 when it fails.
    double FirstCut(bool warmed) const {
        auto doc = std::make_unique<PuzzleDocument>();
        if (!Open(*doc)) return -1;
        CutEnvironment env = Environment();
        CutWarmup warmup;
        if (warmed) {
            const LargestCut sizes = LargestCutOfBoard(screen.boardWidth, screen.boardHeight);
            warmup.Start(
                [&](const std::atomic<bool>& stop) { return TouchCutBlocks(sizes, &stop, programPath.c_str()); });
            // In the game the warm-up has ended, its thread too, long before the player asks for
            // a puzzle.
            warmup.WaitUntilDone();
            env.takeWarmBlocks = [&warmup] { return warmup.Take(); };
        }
        PlayersPause();
        const double start = Now();
        const bool ok = Cut(*doc, env, 2, 2, kRoundKnobTemplate, true).ok;
        const double ms = Now() - start;
        return ok ? ms : -1;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module);
    folder.erase(folder.find_last_of('\\') + 1);
    const std::string packPath = folder + "..\\..\\..\\dist\\vexla.rf";
    ResourcePack pack;
    if (!pack.Open(packPath.c_str())) {
        std::printf("no pack at %s (build the native tree first)\n", packPath.c_str());
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::printf(
        "cuts of the largest puzzle, wall ms, median (range) of %d; ratios of the medians to the held copy\n"
        "first: the game's first cut, its arrays and work buffers taken and touched by the warm-up\n"
        "       thread at start-up (sized for the screen's largest puzzle); first cold: a fresh document, fresh "
        "memory\n",
        runs);
    for (const Screen& screen : kScreens) {
        const LargestCut sizes = LargestCutOfBoard(screen.boardWidth, screen.boardHeight);
        std::vector<double> copy, copyAfterPause, warmup;
        {
            std::vector<uint8_t> from(sizes.geometry.atlasBytes, 7), to(sizes.geometry.atlasBytes, 1);
            for (int run = 0; run < 2 * runs; ++run) {
                const bool afterPause = run % 2 == 1;
                if (afterPause) PlayersPause();
                const double start = Now();
                std::memcpy(to.data(), from.data(), to.size());
                (afterPause ? copyAfterPause : copy).push_back(Now() - start);
                if (to[to.size() / 2] != 7) return 1;
            }
        }
        for (int run = 0; run < runs; ++run) {
            const double start = Now();
            WarmCutBlocks blocks = TouchCutBlocks(sizes);
            warmup.push_back(Now() - start);
        }
        const double floor = SpreadOf(copy).median;
        const double floorAfterPause = SpreadOf(copyAfterPause).median;
        std::printf("\n%s, atlas %.1f MB\n", screen.name, static_cast<double>(sizes.geometry.atlasBytes) / 1e6);
        Print("held copy", copy, floor, floor);
        Print("held copy after a pause", copyAfterPause, floor, floorAfterPause);
        Print("warm-up (worker, start-up)", warmup, floor, floor);
        for (int bits : {8, 24}) {
            Bench bench{&pack,
                        module,
                        std::string(temp) + "vexla_first_cut_" + std::to_string(GetCurrentProcessId()) + ".bmp",
                        screen,
                        static_cast<int32_t>(screen.boardHeight * kZoomEnd / kFinestCell),
                        static_cast<int32_t>(screen.boardWidth * kZoomEnd / kFinestCell)};
            if (!WritePicture(bench.picture, screen.boardWidth, screen.boardHeight, bits)) return 1;
            std::vector<double> first, cold, repeated, repeatedAfterPause;
            for (int run = 0; run < runs; ++run) {
                first.push_back(bench.FirstCut(true));
                cold.push_back(bench.FirstCut(false));
            }
            PuzzleDocument doc;
            if (!bench.Open(doc) || !Cut(doc, bench.Environment(), 2, 2, kRoundKnobTemplate, true).ok) return 1;
            for (int run = 0; run < 2 * runs; ++run) {
                const bool afterPause = run % 2 == 1;
                if (afterPause) PlayersPause();
                const double start = Now();
                if (!Cut(doc, bench.Environment(), 2, 2, kRoundKnobTemplate, true).ok) return 1;
                (afterPause ? repeatedAfterPause : repeated).push_back(Now() - start);
            }
            doc.picture.Close();
            DeleteFileA(bench.picture.c_str());
            if (std::find(first.begin(), first.end(), -1.0) != first.end() ||
                std::find(cold.begin(), cold.end(), -1.0) != cold.end()) {
                std::printf("  %d-bit: a cut failed\n", bits);
                return 1;
            }
            std::printf(" %d-bit picture, %d x %d pieces\n", bits, bench.cols, bench.rows);
            Print("first", first, floor, floorAfterPause);
            Print("first cold", cold, floor, floorAfterPause);
            Print("repeated", repeated, floor, floor);
            Print("repeated after a pause", repeatedAfterPause, floor, floorAfterPause);
        }
    }
    return 0;
}
