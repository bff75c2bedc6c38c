// The cut of the largest puzzles: on a 1024 x 768 screen a picture shaped like the
// 947 x 640 board area at twice the fitting scale, 1894 x 1280 board pixels in 42 x 28
// pieces; on a 1920 x 1080 screen the same for the 1843 x 952 board, 3686 x 1904 in 81 x 42
// pieces. Both from an 8-bit and from a 24-bit picture, with the game's round-knob template.
//
// Beside every cut the floor is measured in the same run: writing the atlas's bytes with
// memset into a fresh allocation (the least the cut's own atlas can cost, page faults
// included), with memset into a buffer already in use, and with memcpy. At the end the
// program prints each cut's time, its atlas megapixels per second, its ratio to each floor
// and the peak memory held through operator new during a cut (the old puzzle included, when
// the cut replaces one), beside what the new puzzle keeps.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "assets/ShapeTemplates.h"
#include "bench/CountingAllocator.h"
#include "engine/AtlasBuilder.h"
#include "engine/BinaryFile.h"
#include "engine/Cut.h"
#include "engine/CutGeometry.h"
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

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A bottom-up .bmp of smooth colour with some texture, so that no run of equal bytes flatters
// anything.
std::string WritePicture(int32_t width, int32_t height, int bits) {
    const size_t palette = bits == 8 ? 1024 : 0;
    const size_t rowBytes = static_cast<size_t>(((width * bits + 31) / 32) * 4);
    const size_t offset = 54 + palette;
    std::vector<uint8_t> file(offset + rowBytes * static_cast<size_t>(height), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = static_cast<uint8_t>(bits);
    for (size_t i = 0; i < palette / 4; ++i) {
        file[54 + 4 * i] = static_cast<uint8_t>(i);
        file[55 + 4 * i] = static_cast<uint8_t>(255 - i);
        file[56 + 4 * i] = static_cast<uint8_t>(i * 7);
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = &file[offset + rowBytes * static_cast<size_t>(y)];
        for (int32_t x = 0; x < width; ++x) {
            const auto value = static_cast<uint8_t>((x / 3 + y / 2 + ((x * y) & 15)) & 0xFF);
            if (bits == 8) {
                row[x] = value;
            } else {
                row[3 * x] = value;
                row[3 * x + 1] = static_cast<uint8_t>(x + y);
                row[3 * x + 2] = static_cast<uint8_t>(y * 3);
            }
        }
    }
    std::filesystem::create_directories(Folder());
    const std::string path =
        (Folder() / (std::to_string(width) + "x" + std::to_string(height) + "_" + std::to_string(bits) + ".bmp"))
            .string();
    BinaryFile out;
    if (!out.CreateWrite(path.c_str()) || !out.WriteAll(file.data(), file.size())) return {};
    return path;
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

std::string Label(const Case& c) { return std::string(c.screen.name) + "/" + std::to_string(c.bits) + "bit"; }

// ---- The cut ---------------------------------------------------------------------------

void BM_Cut(benchmark::State& state) {
    Case& c = CaseFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    PuzzleDocument doc;
    if (!doc.picture.Open(c.path.c_str())) {
        state.SkipWithError("picture not written");
        return;
    }
    doc.scale = c.scale;
    doc.rows = c.rows;
    doc.cols = c.cols;
    uint32_t seed = 1;
    CutEnvironment env;
    env.loadTemplate = LoadTemplate;
    env.boardWidth = c.screen.boardWidth;
    env.boardHeight = c.screen.boardHeight;
    env.randomUnit = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0;
    };
    // Every cut after the first replaces a puzzle of the same size, as a new game does.
    uint64_t peak = 0;
    for (auto _ : state) {
        counting::ResetPeak();
        if (!Cut(doc, env, 2, 2, kTemplateId, true).ok) {
            state.SkipWithError("the cut failed");
            return;
        }
        peak = std::max(peak, counting::PeakBytes());
    }
    state.SetLabel(Label(c) + " " + std::to_string(c.cols) + "x" + std::to_string(c.rows));
    state.counters["atlasMP"] = static_cast<double>(c.atlasPixels) / 1e6;
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(c.atlasPixels) / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
    state.counters["heldMB"] = static_cast<double>(counting::HeldBytes()) / 1e6;
}

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
    work.Allocate(g, grid);
    std::vector<uint8_t> atlas(g.atlasBytes);
    for (auto _ : state) {
        BuildPieceAtlas(g, grid, picture, maps, shape, work, atlas.data());
        benchmark::DoNotOptimize(atlas.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(Label(c));
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(c.atlasPixels) / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
}

// ---- The floor -------------------------------------------------------------------------

void BM_FloorMemsetFresh(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> atlas(new uint8_t[c.atlasBytes]);
        std::memset(atlas.get(), 0, c.atlasBytes);
        benchmark::DoNotOptimize(atlas.get());
        benchmark::ClobberMemory();
    }
    state.SetLabel(c.screen.name);
}

void BM_FloorMemsetHeld(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    std::vector<uint8_t> atlas(c.atlasBytes, 1);
    for (auto _ : state) {
        std::memset(atlas.data(), 0, atlas.size());
        benchmark::DoNotOptimize(atlas.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(c.screen.name);
}

void BM_FloorCopyHeld(benchmark::State& state) {
    const Case& c = CaseFor(static_cast<int>(state.range(0)), 8);
    std::vector<uint8_t> from(c.atlasBytes, 7), to(c.atlasBytes, 1);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(c.screen.name);
}

void CutArguments(benchmark::internal::Benchmark* b) {
    for (int s = 0; s < 2; ++s)
        for (int bits : kDepths) b->Args({s, bits});
}

BENCHMARK(BM_Cut)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtlasBuilder)->Apply(CutArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorMemsetFresh)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorMemsetHeld)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorCopyHeld)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// ---- The summary -----------------------------------------------------------------------

// Keeps the fastest time of every benchmark (the least disturbed by the other work on the
// machine) and its counters while the console reporter prints as usual.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Best {
        double ms = 0;
        benchmark::UserCounters counters;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const double ms = run.GetAdjustedRealTime();  // the benchmarks report milliseconds
            Best& best = best_[run.benchmark_name()];
            if (best.ms == 0 || ms < best.ms) best = Best{ms, run.counters};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    const std::map<std::string, Best>& Results() const { return best_; }

private:
    std::map<std::string, Best> best_;
};

void PrintSummary(const SummaryReporter& reporter) {
    const auto& r = reporter.Results();
    auto ms = [&](const std::string& name) {
        const auto found = r.find(name);
        return found == r.end() ? 0.0 : found->second.ms;
    };
    std::printf("\nSummary (fastest of the repetitions):\n");
    std::printf("%-18s %9s %8s %9s %10s %10s %9s %8s %8s\n", "cut", "ms", "MP/s", "builder", "x fresh", "x held",
                "x copy", "peak MB", "kept MB");
    for (int s = 0; s < 2; ++s)
        for (int bits : kDepths) {
            const Case& c = CaseFor(s, bits);
            const std::string args = "/" + std::to_string(s) + "/" + std::to_string(bits);
            const std::string cutName = "BM_Cut" + args;
            const auto found = r.find(cutName);
            if (found == r.end()) continue;
            const double cut = found->second.ms;
            const double fresh = ms("BM_FloorMemsetFresh/" + std::to_string(s));
            const double held = ms("BM_FloorMemsetHeld/" + std::to_string(s));
            const double copy = ms("BM_FloorCopyHeld/" + std::to_string(s));
            auto counter = [&](const char* name) {
                const auto value = found->second.counters.find(name);
                return value == found->second.counters.end() ? 0.0 : static_cast<double>(value->second);
            };
            std::printf("%-18s %9.2f %8.1f %9.2f %10.2f %10.2f %9.2f %8.1f %8.1f\n", Label(c).c_str(), cut,
                        static_cast<double>(c.atlasPixels) / 1e3 / cut, ms("BM_AtlasBuilder" + args),
                        fresh > 0 ? cut / fresh : 0.0, held > 0 ? cut / held : 0.0, copy > 0 ? cut / copy : 0.0,
                        counter("peakMB"), counter("heldMB"));
        }
    for (int s = 0; s < 2; ++s) {
        const Case& c = CaseFor(s, 8);
        std::printf("floor %-12s atlas %.2f MP (%.1f MB): memset fresh %.2f ms, memset held %.2f ms, copy %.2f ms\n",
                    c.screen.name, static_cast<double>(c.atlasPixels) / 1e6, static_cast<double>(c.atlasBytes) / 1e6,
                    ms("BM_FloorMemsetFresh/" + std::to_string(s)), ms("BM_FloorMemsetHeld/" + std::to_string(s)),
                    ms("BM_FloorCopyHeld/" + std::to_string(s)));
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
