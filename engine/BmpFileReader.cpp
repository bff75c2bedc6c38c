// The streaming .bmp reader; see BmpFileReader.h for what it accepts and why.
#include "engine/BmpFileReader.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "engine/BmpRowCopy.h"

namespace {

constexpr int64_t kFileHeaderBytes = 14;
constexpr uint32_t kMaxPaletteEntries = 256;

// Byte counts are computed in 64 bits; a count the platform's size_t cannot hold (possible
// on 32-bit Windows for pictures of gigabytes) becomes 0, which every reader call refuses.
size_t SizeOrZero(int64_t bytes) { return static_cast<uint64_t>(bytes) > SIZE_MAX ? 0 : static_cast<size_t>(bytes); }

uint32_t LittleEndian32(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Entries the palette has, or -1 when the header describes no picture we can read.
int64_t PaletteEntries(const BitmapInfoHeader& header) {
    const uint32_t used = header.biClrUsed;
    if (used != 0) {
        // An indexed picture cannot use more colours than its indices reach, and no picture
        // gets more than the 256 entries a BITMAPINFO block has room for.
        if (used > kMaxPaletteEntries) return -1;
        if (header.biBitCount < 8 && used > (1u << header.biBitCount)) return -1;
        return used;
    }
    switch (header.biBitCount) {
        case 4: return 16;
        case 8: return 256;
        case 24:
        case 32: return 0;
        default: return -1;  // 1 and 16 bits must say how many colours they use
    }
}

}  // namespace

bool BmpFileReader::Open(const char* path) {
    Close();
    if (path == nullptr) return false;
    size_t length = 0;  // measured without reading past the terminator or the limit
    while (length <= kMaxPathChars && path[length] != '\0') ++length;
    if (length == 0 || length > kMaxPathChars) return false;
    if (!file_.OpenRead(path, BinaryFile::Share::Shared) || !ReadHeaders()) {
        Close();
        return false;
    }
    name_.assign(path, length);
    open_ = true;
    return true;
}

// Reads and checks the file header and the info header and works out where the palette and
// the pixels lie. Every size is checked against the file before anyone sizes a buffer from it.
bool BmpFileReader::ReadHeaders() {
    uint8_t fileHeader[kFileHeaderBytes];
    if (!file_.ReadExact(fileHeader, sizeof fileHeader)) return false;
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return false;
    const uint32_t pixelOffsetField = LittleEndian32(fileHeader + 10);

    BitmapInfoHeader header;
    if (!file_.ReadExact(&header, sizeof header)) return false;
    // Smaller headers are the old OS/2 layout, whose fields these are not.
    if (header.biSize < sizeof header) return false;
    if (header.biWidth < 1 || header.biPlanes != 1) return false;
    // Height 0 has no rows; the most negative height has no magnitude.
    if (header.biHeight == 0 || header.biHeight == INT32_MIN) return false;
    if (header.biCompression != 0) return false;
    if (!IsSupportedBitCount(header.biBitCount)) return false;
    const int64_t paletteEntries = PaletteEntries(header);
    if (paletteEntries < 0) return false;

    // The palette follows the info header, whatever its version; the pixels start where the
    // file header says, or right behind the palette when a writer left that field at 0.
    const int64_t fileSize = file_.Size();
    const int64_t paletteOffset = kFileHeaderBytes + header.biSize;
    const int64_t paletteEnd = paletteOffset + 4 * paletteEntries;
    const int64_t pixelOffset = pixelOffsetField != 0 ? pixelOffsetField : paletteEnd;
    if (pixelOffset < paletteEnd || fileSize < 0 || pixelOffset > fileSize) return false;

    // Every row must be in the file. Dividing instead of multiplying keeps the check itself
    // from overflowing for any width and height a header can hold.
    const int64_t rowBytes = BmpRowBytes(header.biWidth, header.biBitCount);
    const int64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    if (rowBytes > (fileSize - pixelOffset) / rows) return false;
    // A 32-bit build cannot address more than its size_t holds.
    if (SizeOrZero(rowBytes * rows) == 0) return false;

    header.biSize = sizeof header;
    header_ = header;
    paletteSize_ = static_cast<uint32_t>(paletteEntries);
    paletteOffset_ = paletteOffset;
    pixelOffset_ = pixelOffset;
    rowBytes_ = rowBytes;
    filePosition_ = -1;
    return true;
}

BmpFileReader::BmpFileReader(BmpFileReader&& other) noexcept { *this = std::move(other); }

BmpFileReader& BmpFileReader::operator=(BmpFileReader&& other) noexcept {
    if (this == &other) return *this;
    file_ = std::move(other.file_);
    name_.swap(other.name_);
    open_ = other.open_;
    paletteSize_ = other.paletteSize_;
    header_ = other.header_;
    paletteOffset_ = other.paletteOffset_;
    pixelOffset_ = other.pixelOffset_;
    rowBytes_ = other.rowBytes_;
    filePosition_ = other.filePosition_;
    sourceRowsRead_ = other.sourceRowsRead_;
    other.Close();
    return *this;
}

void BmpFileReader::Close() {
    file_.Close();
    name_.clear();
    name_.shrink_to_fit();
    open_ = false;
    paletteSize_ = 0;
    header_ = BitmapInfoHeader{};
    paletteOffset_ = pixelOffset_ = rowBytes_ = 0;
    filePosition_ = -1;
    sourceRowsRead_ = 0;
}

size_t BmpFileReader::GetName(char* buffer, size_t size) const {
    if (!open_) return 0;
    const size_t needed = name_.size() + 1;
    if (buffer != nullptr && size >= needed) std::memcpy(buffer, name_.c_str(), needed);
    return needed;
}

PictureSize BmpFileReader::GetSize() const {
    if (!open_) return {};
    return {header_.biWidth, header_.biHeight};
}

bool BmpFileReader::GetHeader(BitmapInfoHeader* out) const {
    if (!open_ || out == nullptr) return false;
    *out = header_;
    return true;
}

bool BmpFileReader::ReadPalette(uint32_t first, uint32_t count, RgbQuad* out) {
    if (!open_ || out == nullptr || paletteSize_ == 0 || count == 0) return false;
    if (static_cast<uint64_t>(first) + count > paletteSize_) return false;
    filePosition_ = -1;
    return file_.Seek(paletteOffset_ + 4 * static_cast<int64_t>(first)) &&
           file_.ReadExact(out, 4 * static_cast<size_t>(count));
}

bool BmpFileReader::GetHeaderAndPalette(PackedDib* out) {
    if (out == nullptr || !GetHeader(&out->header)) return false;
    std::memset(out->palette, 0, sizeof out->palette);
    if (paletteSize_ == 0) return false;
    return ReadPalette(0, paletteSize_, out->palette);
}

int64_t BmpFileReader::SourceRowCount() const {
    return header_.biHeight < 0 ? -static_cast<int64_t>(header_.biHeight) : header_.biHeight;
}

size_t BmpFileReader::StoredImageBytes() const {
    if (!open_) return 0;
    return SizeOrZero(rowBytes_ * SourceRowCount());  // bounded by the file size
}

bool BmpFileReader::ReadAllRows(uint8_t* out, size_t outBytes) {
    const size_t bytes = StoredImageBytes();
    if (bytes == 0 || out == nullptr || outBytes < bytes) return false;
    filePosition_ = -1;
    if (!file_.Seek(pixelOffset_) || !file_.ReadExact(out, bytes)) return false;
    sourceRowsRead_ += static_cast<uint64_t>(SourceRowCount());
    return true;
}

// Reads stored row `row` (file order). The file pointer moves only when the row does not
// follow the previous read, so skipped rows cost one seek however many there are.
bool BmpFileReader::ReadSourceRow(int64_t row, uint8_t* buffer) {
    const int64_t position = pixelOffset_ + row * rowBytes_;
    if (position != filePosition_ && !file_.Seek(position)) {
        filePosition_ = -1;
        return false;
    }
    if (!file_.ReadExact(buffer, static_cast<size_t>(rowBytes_))) {
        filePosition_ = -1;
        return false;
    }
    filePosition_ = position + rowBytes_;
    ++sourceRowsRead_;
    return true;
}

size_t BmpFileReader::ScaledImageBytes(int32_t width, int32_t height) const {
    if (!open_ || width < 1 || height == 0 || height == INT32_MIN) return 0;
    const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    const int64_t rowBytes = BmpRowBytes(width, header_.biBitCount);  // below 2^34
    if (static_cast<uint64_t>(rowBytes) > SIZE_MAX / static_cast<uint64_t>(rows)) return 0;
    return static_cast<size_t>(rowBytes) * static_cast<size_t>(rows);
}

bool BmpFileReader::ReadScaled(int32_t width, int32_t height, uint8_t* out, size_t outBytes) {
    const size_t needed = ScaledImageBytes(width, height);
    if (needed == 0 || out == nullptr || outBytes < needed) return false;

    const int32_t bitCount = header_.biBitCount;
    const int32_t sourceWidth = header_.biWidth;
    const int64_t sourceRows = SourceRowCount();
    const int64_t targetRows = height < 0 ? -static_cast<int64_t>(height) : height;
    const auto targetRowBytes = static_cast<size_t>(BmpRowBytes(width, bitCount));
    std::vector<uint8_t> sourceRow, targetRow;
    std::vector<int32_t> columnMap;
    try {
        sourceRow.resize(static_cast<size_t>(rowBytes_));
        targetRow.resize(targetRowBytes);
        columnMap.resize(static_cast<size_t>(width));
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Nearest neighbour in integer arithmetic, so that no rounding drift can pick a column
    // or row past the picture's last.
    for (int32_t x = 0; x < width; ++x)
        columnMap[static_cast<size_t>(x)] = static_cast<int32_t>(static_cast<int64_t>(x) * sourceWidth / width);

    // Reducing, destination row k shows source row k * sourceRows / targetRows: rows in
    // between are skipped with one file-pointer move. Enlarging, each source row shows from
    // the first destination row its span reaches, so every source row is read once, in
    // order, and repeated until the next is due.
    const bool enlarging = sourceRows < targetRows;
    // Rows come out upside down when the file's order and the asked order differ.
    const bool mirror = (header_.biHeight < 0) != (height < 0);
    int64_t rowInBuffer = -1;
    for (int64_t k = 0; k < targetRows; ++k) {
        const int64_t wanted = enlarging ? ((k + 1) * sourceRows - 1) / targetRows : k * sourceRows / targetRows;
        if (wanted != rowInBuffer) {
            if (!ReadSourceRow(wanted, sourceRow.data())) return false;
            CopyMappedPixels(sourceRow.data(), targetRow.data(), columnMap.data(), width, bitCount);
            rowInBuffer = wanted;
        }
        const int64_t placed = mirror ? targetRows - 1 - k : k;
        std::memcpy(out + static_cast<size_t>(placed) * targetRowBytes, targetRow.data(), targetRowBytes);
    }
    return true;
}

int32_t BmpFileReader::WidenedBitCount() const { return open_ ? ::WidenedBitCount(header_.biBitCount) : 0; }

size_t BmpFileReader::WidenedImageBytes() const {
    if (!open_) return 0;
    // A widened row is at most 8 times a stored row and the stored rows fit the file, so the
    // 64-bit product cannot overflow.
    return SizeOrZero(BmpRowBytes(header_.biWidth, WidenedBitCount()) * SourceRowCount());
}

bool BmpFileReader::ReadAllRowsWidened(uint8_t* out, size_t outBytes) {
    const size_t needed = WidenedImageBytes();
    if (needed == 0 || out == nullptr || outBytes < needed) return false;
    const int64_t rows = SourceRowCount();
    const size_t widenedRowBytes = needed / static_cast<size_t>(rows);
    std::vector<uint8_t> sourceRow;
    try {
        sourceRow.resize(static_cast<size_t>(rowBytes_));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const bool topDown = header_.biHeight < 0;
    for (int64_t row = 0; row < rows; ++row) {
        if (!ReadSourceRow(row, sourceRow.data())) return false;
        const int64_t placed = topDown ? rows - 1 - row : row;
        WidenRow(sourceRow.data(), out + static_cast<size_t>(placed) * widenedRowBytes, header_.biWidth,
                 header_.biBitCount);
    }
    return true;
}
