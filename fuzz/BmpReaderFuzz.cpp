// Fuzz target of the .bmp reader. The input's first six bytes choose the sizes asked of
// ReadScaled; the rest is the file. Every reader call a caller can make runs on it, with
// output buffers of exactly the size the reader asks for, so that the sanitizers see any
// write past them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/BinaryFile.h"
#include "engine/BmpFileReader.h"

namespace {

constexpr size_t kParameterBytes = 6;
// Larger outputs only slow the search down without reaching new code.
constexpr size_t kMaxOutputBytes = 16u << 20;

const std::string& ScratchPath() {
    static const std::string path = [] {
        std::filesystem::path dir = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                        : std::filesystem::temp_directory_path();
        return (dir / ("vexla-bmp-fuzz-" + std::to_string(::getpid()) + ".bmp")).string();
    }();
    return path;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "reader broke a promise: %s\n", what);
        std::abort();
    }
}

void ReadScaledInto(BmpFileReader& reader, int32_t width, int32_t height) {
    const size_t bytes = reader.ScaledImageBytes(width, height);
    if (bytes == 0 || bytes > kMaxOutputBytes) return;
    std::vector<uint8_t> out(bytes);
    reader.ReadScaled(width, height, out.data(), out.size());
    Check(!reader.ReadScaled(width, height, out.data(), out.size() - 1), "ReadScaled into a short buffer");
}

void Exercise(BmpFileReader& reader, const uint8_t* parameters) {
    const PictureSize size = reader.GetSize();
    Check(size.width >= 1 && size.height != 0, "open picture without size");

    char name[BmpFileReader::kMaxPathChars + 1];
    const size_t needed = reader.GetName(nullptr, 0);
    Check(needed >= 2 && needed <= sizeof name && reader.GetName(name, needed) == needed, "GetName");

    PackedDib info;
    const bool hasPalette = reader.GetHeaderAndPalette(&info);
    Check(hasPalette == (reader.PaletteSize() != 0), "GetHeaderAndPalette result");
    Check(info.header.biSize == 40 && info.header.biWidth == size.width, "header copy");
    RgbQuad entry;
    Check(!reader.ReadPalette(reader.PaletteSize(), 1, &entry), "palette entry past the end");

    const size_t stored = reader.StoredImageBytes();
    if (stored > 0 && stored <= kMaxOutputBytes) {
        std::vector<uint8_t> rows(stored);
        Check(reader.ReadAllRows(rows.data(), rows.size()), "ReadAllRows of a checked picture");
    }
    const size_t widened = reader.WidenedImageBytes();
    if (widened > 0 && widened <= kMaxOutputBytes) {
        std::vector<uint8_t> rows(widened);
        Check(reader.ReadAllRowsWidened(rows.data(), rows.size()), "ReadAllRowsWidened of a checked picture");
    }

    // Sizes from the input, then fractions of the picture's own size, so that both arbitrary
    // requests and the reductions the game makes are covered.
    const int32_t width = 1 + ((parameters[0] | (parameters[1] << 8)) % 700);
    const int32_t height = 1 + ((parameters[2] | (parameters[3] << 8)) % 700);
    const uint8_t flags = parameters[4];
    ReadScaledInto(reader, width, (flags & 1) ? -height : height);
    const int32_t divisor = 1 + parameters[5] % 5;
    const int32_t ownHeight = size.height < 0 ? -(size.height / divisor) : size.height / divisor;
    ReadScaledInto(reader, std::max(1, size.width / divisor), (flags & 2) ? -ownHeight : ownHeight);
    ReadScaledInto(reader, size.width, size.height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kParameterBytes) return 0;
    {
        BinaryFile file;
        if (!file.CreateWrite(ScratchPath().c_str())) return 0;
        if (!file.WriteAll(data + kParameterBytes, size - kParameterBytes)) return 0;
    }
    BmpFileReader reader;
    if (reader.Open(ScratchPath().c_str())) {
        Exercise(reader, data);
        reader.Close();
        Check(!reader.IsOpen() && reader.GetSize().width == 0 && reader.GetName(nullptr, 0) == 0, "Close");
    }
    return 0;
}
