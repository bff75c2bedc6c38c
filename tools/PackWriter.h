// PackWriter: builds a resource pack ("vexla.rf") from bitmaps, for the asset generator and
// for tests that need packs of their own making. Records are written in the order they are
// added; the directory follows them, then the entry count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/PackedDib.h"

class PackWriter {
public:
    // An 8-bit bitmap. `palette` holds 1 to 256 entries (biClrUsed); `topDownPixels` holds
    // height rows of `stride` bytes, the top row first, one palette index per pixel.
    void AddImage8(uint32_t id,
                   int32_t width,
                   int32_t height,
                   const std::vector<RgbQuad>& palette,
                   const uint8_t* topDownPixels,
                   int32_t stride);
    // A 24-bit bitmap; `topDownBgr` holds height rows of `stride` bytes, blue-green-red.
    void AddImage24(uint32_t id, int32_t width, int32_t height, const uint8_t* topDownBgr, int32_t stride);
    // A record exactly as given (header, palette entries, stored pixel bytes); for tests
    // that need unusual or broken records.
    void AddRaw(uint32_t id,
                const BitmapInfoHeader& header,
                const std::vector<RgbQuad>& palette,
                const std::vector<uint8_t>& storedPixels);

    // The whole file as bytes, and written to disk.
    std::vector<uint8_t> Bytes() const;
    bool WriteTo(const std::string& path) const;

    size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        uint32_t id;
        uint64_t offset;
        uint32_t length;
    };
    std::vector<uint8_t> records_;
    std::vector<Entry> entries_;
};
