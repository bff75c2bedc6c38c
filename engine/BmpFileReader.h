// BmpFileReader: reads pictures from .bmp files without loading them whole. It keeps the
// file open, holds a copy of the info header and reads the palette, all pixel rows, or a
// resampled copy of the picture on request. The puzzle keeps one open on its picture for the
// whole game; previews and printing keep their own. Resampling lets the magnifier, the
// pickers and the previews show a large picture small while holding one row of it at a time.
//
// What it accepts: a "BM" file with an info header of 40 bytes or more (the larger version
// headers are read as their first 40 bytes), one plane, no compression, 1, 4, 8, 16, 24 or
// 32 bits per pixel, a palette of at most 256 entries, and pixel rows that lie wholly inside
// the file at the pixel offset the file header gives. Everything is checked when the file is
// opened, so no later read is sized from a header the file cannot back. Compressed pictures
// are refused: nothing in the game can draw their pixels, and their stated size cannot be
// checked against the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/BinaryFile.h"
#include "engine/PackedDib.h"

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;  // negative for a picture stored top-down
};

class BmpFileReader {
public:
    // Longest path accepted, in characters, so that a name plus its terminator fits the
    // 260-byte path fields of Windows and of the puzzle files.
    static constexpr size_t kMaxPathChars = 259;

    BmpFileReader() = default;
    ~BmpFileReader() = default;
    BmpFileReader(const BmpFileReader&) = delete;
    BmpFileReader& operator=(const BmpFileReader&) = delete;
    // Moving hands the open picture over (a loaded game's picture, opened aside, becomes the
    // puzzle's); the reader moved from is left closed.
    BmpFileReader(BmpFileReader&& other) noexcept;
    BmpFileReader& operator=(BmpFileReader&& other) noexcept;

    // Closes whatever was open, then opens the picture at `path`. On any failure the reader
    // is left closed, so the previous picture is gone too.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return open_; }

    // Returns the length of the stored path + 1 (0 when closed) and copies the path with its
    // terminator into `buffer` only when the buffer is given and holds at least that many
    // bytes; a buffer that is too small is left untouched.
    size_t GetName(char* buffer, size_t size) const;
    // Width and signed height from the header; 0, 0 when closed.
    PictureSize GetSize() const;
    // The info header as 40 bytes; its size field always says 40, whatever version header
    // the file carried, so the copy can be handed on as a plain BITMAPINFOHEADER.
    bool GetHeader(BitmapInfoHeader* out) const;
    // Entries in the palette: the colours-used field when it is set, else 16 for 4 bits,
    // 256 for 8 bits and 0 for 24 and 32 bits.
    uint32_t PaletteSize() const { return paletteSize_; }
    // Reads palette entries first .. first + count - 1; false when closed, when the picture
    // has no palette, when count is 0, or when the range runs past the palette.
    bool ReadPalette(uint32_t first, uint32_t count, RgbQuad* out);
    // Header and whole palette into `out`; palette entries the picture does not have are
    // zeroed. False when closed, and false (with the header copied) for pictures without a
    // palette.
    bool GetHeaderAndPalette(PackedDib* out);

    // Bytes ReadAllRows writes: stored row size x |height|.
    size_t StoredImageBytes() const;
    // All pixel rows exactly as stored (bottom-up for a positive height).
    bool ReadAllRows(uint8_t* out, size_t outBytes);

    // Bytes ReadScaled writes for a width x height request in the picture's own format, or
    // 0 when the request is invalid (width below 1, height 0) or nothing is open.
    size_t ScaledImageBytes(int32_t width, int32_t height) const;
    // Writes a width x |height| copy of the picture in its own pixel format (palette indices
    // stay indices), rows padded to 4 bytes, resampled by nearest neighbour. A negative
    // height asks for top-down rows, a positive one for bottom-up rows, whatever the file
    // holds. Only one source row and one destination row are held meanwhile; source rows
    // that are not wanted are skipped with a file-pointer move instead of being read.
    bool ReadScaled(int32_t width, int32_t height, uint8_t* out, size_t outBytes);

    // The picture widened for the cutter, which understands only palette indices of one
    // byte and blue-green-red pixels: 1-, 4- and 8-bit pictures as 8 bits, 16-, 24- and
    // 32-bit pictures as 24 bits. Rows are always delivered bottom-up, also from a file
    // stored top-down.
    int32_t WidenedBitCount() const;
    size_t WidenedImageBytes() const;
    bool ReadAllRowsWidened(uint8_t* out, size_t outBytes);

    // Pixel rows read from the file since it was opened (skipped rows do not count); lets
    // tests and benchmarks see what a resampling cost.
    uint64_t SourceRowsRead() const { return sourceRowsRead_; }

private:
    bool ReadHeaders();
    int64_t SourceRowCount() const;
    bool ReadSourceRow(int64_t row, uint8_t* buffer);

    BinaryFile file_;
    std::string name_;
    bool open_ = false;
    uint32_t paletteSize_ = 0;
    BitmapInfoHeader header_{};
    int64_t paletteOffset_ = 0;
    int64_t pixelOffset_ = 0;
    int64_t rowBytes_ = 0;
    int64_t filePosition_ = -1;  // where the next sequential row read starts, -1 unknown
    uint64_t sourceRowsRead_ = 0;
};
