// The cut of the largest puzzles: on a 1024 x 768 screen a picture shaped like the
// 947 x 640 board area at twice the fitting scale, 1894 x 1280 board pixels in 42 x 28
// pieces; on a 1920 x 1080 screen the same for the 1843 x 952 board, 3686 x 1904 in 81 x 42
// pieces. Both from an 8-bit and from a 24-bit picture, with the game's round-knob template.
//
// Three cuts are measured: the first cut of a run as the game makes it (a fresh document whose
// arrays and work buffers a warm-up thread took from the system and touched before the
// cut was asked for, as the game does at start-up: CutWarmup.h), the cold first cut (a fresh
// document without a warm-up: every buffer comes fresh from the system) and the repeated cut
// (a new game of the same size replacing the last one, whose memory the puzzle keeps). The
// warm-up itself is measured on its own: what it costs the worker thread at start-up. Beside them the floor
// is measured in the same run: copying the atlas's bytes between two buffers already in use
// (the held copy), writing them into such a buffer (memset) and into a fresh large block (the
// cost of fresh pages). At the end the program prints, per cut, the median CPU time of the
// repetitions with their range, the ratio of the medians to the held copy measured the same
// way (see below) and to the back-to-back one, the peak resident memory of the process
// during a cut beside what it held before the cut, and the page faults the cut took.
//
// A cut in the game always follows a pause: the player's click after the processor sat idle.
// After a pause the processor works slower for a while (its caches cold, on a virtual machine
// often another core, its clock still rising), and a plain copy slows as much as the cut does.
// So the first cut, which the game never makes back to back, is measured after a pause of
// 5 ms, and beside it the held copy after the same pause; the repeated cut is measured both
// back to back (beside the back-to-back copy) and after the pause.
//
// Times are CPU times of the benchmark's thread: the machines this runs on are shared, and
// wall time there counts whatever else was running.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "assets/ShapeTemplates.h"
#include "bench/TexturedPicture.h"
#include "engine/AtlasBuilder.h"
#include "engine/BinaryFile.h"
#include "engine/Cut.h"
#include "engine/CutGeometry.h"
#include "engine/CutWarmup.h"
#include "engine/LargeBlock.h"
#include "engine/PuzzleDocument.h"

namespace {

constexpr int32_t kSmallestCell = 45;  // the pickers' finest grid
constexpr uint32_t kTemplateId = 3000;

struct Screen {
    const char* name;
    int32_t boardWidth;  // board area: screen minus 77 x 128
    int32_t boardHeight;
};
const Screen kScreens[] = {{"1024x768", 947, 640}, {"1920x1080", 1843, 952}};
const int kDepths[] = {8, 24};

// A picture of the board's own shape fits it at scale 1, so twice the fitting scale is 2;
// the finest grid has cells of at least 45 pixels.
struct Case {
    Screen screen;
    int bits;
    std::string path;
    double scale = 2.0;
    int32_t rows = 0, cols = 0;
    uint64_t atlasBytes = 0;
    uint64_t atlasPixels = 0;
};

std::filesystem::path Folder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vexla_bench_" + std::to_string(::getpid()));
    return folder;
}

std::string WritePicture(int32_t width, int32_t height, int bits) {
    std::filesystem::create_directories(Folder());
    const std::string path =
        (Folder() / (std::to_string(width) + "x" + std::to_string(height) + "_" + std::to_string(bits) + ".bmp"))
            .string();
    return bench::WriteTexturedPicture(path.c_str(), width, height, bits) ? path : std::string();
}

Case& CaseFor(int screenIndex, int bits) {
    static std::map<std::pair<int, int>, Case> cases;
    Case& c = cases[{screenIndex, bits}];
    if (c.path.empty()) {
        c.screen = kScreens[screenIndex];
        c.bits = bits;
        c.path = WritePicture(c.screen.boardWidth, c.screen.boardHeight, bits);
        c.cols = std::max(2, static_cast<int32_t>(c.screen.boardWidth * c.scale / kSmallestCell));
        c.rows = std::max(2, static_cast<int32_t>(c.screen.boardHeight * c.scale / kSmallestCell));
        CutGeometry g;
        ComputeCutGeometry(c.screen.boardWidth, c.screen.boardHeight, c.scale, c.rows, c.cols, &g);
        c.atlasBytes = g.atlasBytes;
        c.atlasPixels = g.atlasBytes / 4;
    }
    return c;
}

const std::vector<uint8_t>& TemplateLabels() {
    static const std::vector<uint8_t> labels = MakeShapeTemplate(0);
    return labels;
}

// The template as the pack delivers it: bottom-up rows of 532 labels.
std::unique_ptr<PackedDib, PackedDibDeleter> LoadTemplate(uint32_t) {
    const std::vector<uint8_t>& labels = TemplateLabels();
    const int32_t stride = DibRowBytes(kTemplateSide, 8);
    std::unique_ptr<PackedDib, PackedDibDeleter> dib(AllocPackedDib(static_cast<size_t>(stride) * kTemplateSide));
    std::memset(dib.get(), 0, kDibPixelOffset);
    BitmapInfoHeader& h = dib->header;
    h.biSize = 40;
    h.biWidth = kTemplateSide;
    h.biHeight = kTemplateSide;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = static_cast<uint32_t>(stride * kTemplateSide);
    for (int y = 0; y < kTemplateSide; ++y)
        std::memcpy(dib->Pixels() + static_cast<size_t>(kTemplateSide - 1 - y) * stride,
                    &labels[static_cast<size_t>(y) * kTemplateSide], kTemplateSide);
    return dib;
}

// The player's pause before a click, during which the processor idles; callers keep it out
// of the measured time.
void PlayersPause() { ::usleep(5000); }

std::string Label(const Case& c) { return std::string(c.screen.name) + "/" + std::to_string(c.bits) + "bit"; }

// ---- Memory ----------------------------------------------------------------------------

// A line "Key:   N kB" of /proc/self/status, in bytes (0 where there is none).
uint64_t StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::stoull(line.substr(prefix.size())) * 1024;
    return 0;
}

// Starts a new peak of the resident memory (VmHWM) from what is resident now.
void ResetResidentPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The page faults this thread has taken so far: a cut into memory already backed takes none.
long ThreadFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

struct CutMemory {
    uint64_t before = 0;  // resident before the cut
    uint64_t peak = 0;    // the most resident during it
    long faults = 0;      // page faults during the cut
};

// ---- The cut ---------------------------------------------------------------------------

CutEnvironment MakeEnvironment(const Case& c, uint32_t& seed) {
    CutEnvironment env;
    env.loadTemplate = LoadTemplate;
    env.boardWidth = c.screen.boardWidth;
    env.boardHeight = c.screen.boardHeight;
    env.randomUnit = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0;
    };
    return env;
}

bool OpenCase(PuzzleDocument& doc, const Case& c) {
    if (!doc.picture.Open(c.path.c_str())) return false;
    doc.scale = c.scale;
    doc.rows = c.rows;
    doc.cols = c.cols;
    return true;
}

void Report(benchmark::State& state, const Case& c, const CutMemory& memory) {
    state.SetLabel(Label(c) + " " + std::to_string(c.cols) + "x" + std::to_string(c.rows));
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(c.atlasPixels) / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["beforeMB"] = static_cast<double>(memory.before) / 1e6;
    state.counters["peakMB"] = static_cast<double>(memory.peak) / 1e6;
    state.counters["faults"] = static_cast<double>(memory.faults);
}

// One cut of the document, alone in the measured time (the caller has paused the timing, and
// finds it paused again), after the player's pause where asked; `memory` gets what it took.
bool MeasuredCut(benchmark::State& state,
                 PuzzleDocument& doc,
                 const CutEnvironment& env,
                 bool afterPause,
                 CutMemory& memory) {
    memory.before = StatusBytes("VmRSS");
    ResetResidentPeak();
    if (afterPause) PlayersPause();
    const long faultsBefore = ThreadFaults();
    state.ResumeTiming();
    const bool cut = Cut(doc, env, 2, 2, kTemplateId, true).ok;
    state.PauseTiming();
    memory.faults = ThreadFaults() - faultsBefore;
    memory.peak = StatusBytes("VmHWM");
    return cut;
}

// The first cut of a run: a fresh document each time, given back to the system afterwards.
// Warmed, a warm-up thread has prepared the blocks of the screen's largest puzzle by the time
// the cut is asked for, as it has in the game once the menu is up; the cut takes them over
// (joining the worker) inside the measured time. Cold, every buffer comes fresh.
void FirstCut(benchmark::State& state, bool warmed) {
    Case& c = CaseFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    uint32_t seed = 1;
    CutEnvironment env = MakeEnvironment(c, seed);
    CutMemory memory;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<PuzzleDocument>();
        if (!OpenCase(*doc, c)) {
            state.SkipWithError("picture not written");
            return;
        }
        CutWarmup warmup;
        if (warmed) {
            const LargestCut sizes = LargestCutOfBoard(c.screen.boardWidth, c.screen.boardHeight);
            // The game reads its own program file into the picture rows' memory; any file will do.
            warmup.Start([&](const std::atomic<bool>& stop) { return TouchCutBlocks(sizes, &stop, c.path.c_str()); });
            // In the game the warm-up has ended, its thread too, long before the player asks for
            // a puzzle.
            warmup.WaitUntilDone();
            env.takeWarmBlocks = [&warmup] { return warmup.Take(); };
        }
        const bool cut = MeasuredCut(state, *doc, env, true, memory);
        doc.reset();
        env.takeWarmBlocks = nullptr;
        state.ResumeTiming();
        if (!cut) {
            state.SkipWithError("the cut failed");
            return;
        }
    }
    Report(state, c, memory);
}

void BM_FirstCut(benchmark::State& state) { FirstCut(state, true); }
void BM_FirstCutCold(benchmark::State& state) { FirstCut(state, false); }

// The warm-up's own work, as the worker thread does it at start-up: the largest puzzle's
// blocks taken and touched (given back untimed).
void BM_Warmup(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    const LargestCut sizes = LargestCutOfBoard(c.screen.boardWidth, c.screen.boardHeight);
    for (auto _ : state) {
        WarmCutBlocks blocks = TouchCutBlocks(sizes);
        benchmark::DoNotOptimize(blocks.atlas.data());
        state.PauseTiming();
        blocks = WarmCutBlocks{};
        state.ResumeTiming();
    }
    state.SetLabel(std::string(c.screen.name) + " " +
                   std::to_string((sizes.geometry.atlasBytes + sizes.pictureRowBytes) >> 20) + " MB");
}

// A new game of the same size replacing the last one, as "New game" does: back to back, or
// after the player's pause.
void RepeatedCut(benchmark::State& state, bool afterPause) {
    Case& c = CaseFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    uint32_t seed = 1;
    const CutEnvironment env = MakeEnvironment(c, seed);
    PuzzleDocument doc;
    if (!OpenCase(doc, c) || !Cut(doc, env, 2, 2, kTemplateId, true).ok) {
        state.SkipWithError("the first cut failed");
        return;
    }
    CutMemory memory;
    for (auto _ : state) {
        state.PauseTiming();
        const bool cut = MeasuredCut(state, doc, env, afterPause, memory);
        state.ResumeTiming();
        if (!cut) {
            state.SkipWithError("the cut failed");
            return;
        }
    }
    Report(state, c, memory);
}

void BM_RepeatedCut(benchmark::State& state) { RepeatedCut(state, false); }
void BM_RepeatedCutAfterPause(benchmark::State& state) { RepeatedCut(state, true); }

// The atlas builder alone, on buffers prepared once: the part of the cut that is not
// allocation or reading the picture file.
void BM_AtlasBuilder(benchmark::State& state) {
    Case& c = CaseFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BmpFileReader reader;
    if (!reader.Open(c.path.c_str())) {
        state.SkipWithError("picture not written");
        return;
    }
    const PictureSize size = reader.GetSize();
    CutGeometry g;
    ComputeCutGeometry(size.width, size.height, c.scale, c.rows, c.cols, &g);
    const AtlasGrid grid{c.rows, c.cols, 2, 2};
    std::vector<uint8_t> rows(reader.WidenedImageBytes());
    reader.ReadAllRowsWidened(rows.data(), rows.size());
    PackedDib header;
    reader.GetHeaderAndPalette(&header);
    std::vector<int32_t> px(static_cast<size_t>(g.scaledWidth)), py(static_cast<size_t>(g.scaledHeight));
    std::vector<int32_t> tu(static_cast<size_t>(g.pieceWidth)), tv(static_cast<size_t>(g.pieceHeight));
    BuildPictureMap(g.scaledWidth, c.scale, size.width, px.data());
    BuildPictureMap(g.scaledHeight, c.scale, size.height, py.data());
    BuildTemplateMap(g.pieceWidth, g.marginX, g.cellWidth, tu.data());
    BuildTemplateMap(g.pieceHeight, g.marginY, g.cellHeight, tv.data());
    const AtlasMaps maps{px.data(), py.data(), tu.data(), tv.data(), g.marginX, g.marginY};
    AtlasPicture picture{rows.data(),
                         reader.WidenedBitCount(),
                         size.width,
                         size.height,
                         rows.size() / static_cast<size_t>(size.height),
                         header.palette};
    auto dib = LoadTemplate(kTemplateId);
    ShapeTemplateView shape;
    shape.Attach(dib.get(), 2, 2);
    AtlasWorkspace work;
    work.Allocate(g, grid, size.width);
    PieceShapes shapes;
    PrepareShapes(g, grid, work, shapes);
    std::vector<uint8_t> atlas(g.atlasBytes);
    for (auto _ : state) {
        BuildPieceAtlas(g, grid, picture, maps, shape, work, atlas.data(), &shapes);
        benchmark::DoNotOptimize(atlas.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(Label(c));
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(c.atlasPixels) / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
}

// ---- The floor -------------------------------------------------------------------------

// The atlas's bytes copied between two buffers already in use: the floor the goals name,
// back to back or after the player's pause.
void FloorCopyHeld(benchmark::State& state, bool afterPause) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    std::vector<uint8_t> from(c.atlasBytes, 7), to(c.atlasBytes, 1);
    for (auto _ : state) {
        if (afterPause) {
            state.PauseTiming();
            PlayersPause();
            state.ResumeTiming();
        }
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(c.screen.name);
}

void BM_FloorCopyHeld(benchmark::State& state) { FloorCopyHeld(state, false); }
void BM_FloorCopyHeldAfterPause(benchmark::State& state) { FloorCopyHeld(state, true); }

// The atlas's bytes written into a buffer already in use: what writing the atlas costs.
void BM_FloorWriteHeld(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    std::vector<uint8_t> atlas(c.atlasBytes, 1);
    for (auto _ : state) {
        std::memset(atlas.data(), 0, atlas.size());
        benchmark::DoNotOptimize(atlas.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(c.screen.name);
}

// The atlas's bytes written into a fresh large block: what the system's fresh pages add.
void BM_FloorWriteFresh(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    for (auto _ : state) {
        void* atlas = AllocateLargeBlock(c.atlasBytes);
        if (atlas == nullptr) {
            state.SkipWithError("no memory");
            return;
        }
        std::memset(atlas, 0, c.atlasBytes);
        benchmark::DoNotOptimize(atlas);
        benchmark::ClobberMemory();
        state.PauseTiming();
        FreeLargeBlock(atlas, c.atlasBytes);
        state.ResumeTiming();
    }
    state.SetLabel(c.screen.name);
}

void CutArguments(benchmark::internal::Benchmark* b) {
    for (int s = 0; s < 2; ++s)
        for (int bits : kDepths) b->Args({s, bits});
}

BENCHMARK(BM_FloorCopyHeld)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorCopyHeldAfterPause)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWriteHeld)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWriteFresh)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Warmup)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCut)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCutCold)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedCut)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedCutAfterPause)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtlasBuilder)->Apply(CutArguments)->Unit(benchmark::kMillisecond);

// ---- The summary -----------------------------------------------------------------------

// Keeps the CPU time of every repetition of every benchmark, and the counters of its last,
// while the console reporter prints as usual.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Runs {
        std::vector<double> ms;
        benchmark::UserCounters counters;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            Runs& kept = runs_[run.benchmark_name()];
            kept.ms.push_back(run.GetAdjustedCPUTime());  // the benchmarks report milliseconds
            kept.counters = run.counters;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    const Runs* Find(const std::string& name) const {
        const auto found = runs_.find(name);
        return found == runs_.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, Runs> runs_;
};

struct Spread {
    double median = 0, low = 0, high = 0;
};

Spread SpreadOf(const SummaryReporter::Runs* runs) {
    if (runs == nullptr || runs->ms.empty()) return {};
    std::vector<double> ms = runs->ms;
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 == 1 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return Spread{median, ms.front(), ms.back()};
}

std::string Format(const Spread& s) {
    char text[64];
    std::snprintf(text, sizeof text, "%6.2f (%.2f-%.2f)", s.median, s.low, s.high);
    return text;
}

double Counter(const SummaryReporter::Runs* runs, const char* name) {
    if (runs == nullptr) return 0;
    const auto value = runs->counters.find(name);
    return value == runs->counters.end() ? 0.0 : static_cast<double>(value->second);
}

void PrintSummary(const SummaryReporter& reporter) {
    std::printf("\nSummary: CPU milliseconds, median (range) of the repetitions; ratios of the medians.\n");
    std::printf(
        "first: the game's first cut, its arrays and work buffers taken and touched by the warm-up\n"
        "       thread at start-up (sized for the screen's largest puzzle); first cold: a fresh document, fresh "
        "memory.\n"
        "x own copy: to the held copy measured the same way (after the 5 ms pause or back to back);\n"
        "x copy: to the back-to-back held copy.\n");
    if (reporter.Find("BM_FloorCopyHeld/0") == nullptr && reporter.Find("BM_FloorCopyHeld/1") == nullptr) {
        // The reporter sees only aggregates then, not the repetitions the summary is made of.
        std::printf("no repetitions to summarise: run without --benchmark_report_aggregates_only\n");
        return;
    }
    for (int s = 0; s < 2; ++s) {
        const Case& c = CaseFor(s, 8);
        const std::string at = "/" + std::to_string(s);
        const Spread copy = SpreadOf(reporter.Find("BM_FloorCopyHeld" + at));
        const Spread copyAfterPause = SpreadOf(reporter.Find("BM_FloorCopyHeldAfterPause" + at));
        const Spread write = SpreadOf(reporter.Find("BM_FloorWriteHeld" + at));
        const Spread fresh = SpreadOf(reporter.Find("BM_FloorWriteFresh" + at));
        const Spread warmup = SpreadOf(reporter.Find("BM_Warmup" + at));
        std::printf("\nfloor %s, atlas %.2f MP (%.1f MB): held copy %s, after a pause %s\n", c.screen.name,
                    static_cast<double>(c.atlasPixels) / 1e6, static_cast<double>(c.atlasBytes) / 1e6,
                    Format(copy).c_str(), Format(copyAfterPause).c_str());
        std::printf("held write %s, fresh write %s\n", Format(write).c_str(), Format(fresh).c_str());
        std::printf("warm-up at start-up (worker thread, not in the first cut's time): %s\n", Format(warmup).c_str());
        std::printf("%-16s %-16s %-22s %10s %8s %9s %10s %7s\n", "picture", "cut", "ms", "x own copy", "x copy",
                    "peak MB", "before MB", "faults");
        struct Row {
            const char* which;
            const char* benchmarkName;
            bool afterPause;
        };
        const Row rows[] = {{"first", "BM_FirstCut", true},
                            {"first cold", "BM_FirstCutCold", true},
                            {"repeated", "BM_RepeatedCut", false},
                            {"repeated, pause", "BM_RepeatedCutAfterPause", true}};
        for (int bits : kDepths) {
            const std::string args = at + "/" + std::to_string(bits);
            for (const Row& row : rows) {
                const SummaryReporter::Runs* runs = reporter.Find(row.benchmarkName + args);
                if (runs == nullptr) continue;
                const Spread cut = SpreadOf(runs);
                const double own = row.afterPause ? copyAfterPause.median : copy.median;
                std::printf("%-16s %-16s %-22s %10.2f %8.2f %9.1f %10.1f %7.0f\n", Label(CaseFor(s, bits)).c_str(),
                            row.which, Format(cut).c_str(), own > 0 ? cut.median / own : 0.0,
                            copy.median > 0 ? cut.median / copy.median : 0.0, Counter(runs, "peakMB"),
                            Counter(runs, "beforeMB"), Counter(runs, "faults"));
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
    return 0;
}
