#include "platform/PictureImport.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <vector>

#include "engine/BinaryFile.h"
#include "engine/BmpFileReader.h"
#include "engine/PhotoOrientation.h"
#include "platform/ComObject.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr char kImportFolder[] = "MyPictures\\";
constexpr int kMaxNameNumber = 9999;
// Rows converted and written per step: few calls into the codec, little memory.
constexpr UINT kRowsPerBand = 64;

enum class PictureKind { Bitmap, Photo, Other };

PictureKind KindOf(const char* path) {
    const char* dot = std::strrchr(path, '.');
    const char* slash = std::max(std::strrchr(path, '\\'), std::strrchr(path, '/'));
    if (dot == nullptr || (slash != nullptr && dot < slash)) return PictureKind::Other;
    std::string extension(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "bmp") return PictureKind::Bitmap;
    for (const char* photo : {"jpg", "jpeg", "jpe", "jfif", "png"})
        if (extension == photo) return PictureKind::Photo;
    return PictureKind::Other;
}

// The photo's file name without folder and extension.
std::string StemOf(const char* path) {
    const char* slash = std::max(std::strrchr(path, '\\'), std::strrchr(path, '/'));
    std::string stem(slash != nullptr ? slash + 1 : path);
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos) stem.erase(dot);
    if (stem.empty()) stem = "Picture";
    return stem;
}

std::wstring Widened(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// A file under a temporary name that is deleted unless it was kept.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) BinaryFile::Remove(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

struct DecodedPhoto {
    PictureImportStatus status = PictureImportStatus::CannotDecode;
    ComObject<IWICFormatConverter> pixels;  // the photo as 32-bit blue-green-red-alpha
    UINT width = 0;                         // as stored
    UINT height = 0;
    PhotoOrientation orientation = PhotoOrientation::AsStored;
};

DecodedPhoto OpenPhoto(IWICImagingFactory* factory, const char* source) {
    DecodedPhoto photo;
    const std::wstring path = Widened(source);
    ComObject<IWICBitmapDecoder> decoder;
    ComObject<IWICBitmapFrameDecode> frame;
    if (path.empty() ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&photo.width, &photo.height)) ||
        photo.width == 0 || photo.height == 0)
        return photo;
    if (photo.width > static_cast<UINT>(kMaxImportedSide) || photo.height > static_cast<UINT>(kMaxImportedSide) ||
        uint64_t{photo.width} * photo.height > kMaxImportedPixels) {
        photo.status = PictureImportStatus::TooLarge;
        return photo;
    }
    if (FAILED(factory->CreateFormatConverter(photo.pixels.put())) ||
        FAILED(photo.pixels->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                        0.0, WICBitmapPaletteTypeCustom))) {
        photo.pixels.reset();
        return photo;
    }
    photo.status = PictureImportStatus::Imported;
    return photo;
}

// The EXIF orientation at the start of the photo's file; as stored when it cannot be read.
PhotoOrientation OrientationOf(const char* source) {
    BinaryFile in;
    std::vector<uint8_t> start(kPhotoHeaderBytes);
    if (!in.OpenRead(source)) return PhotoOrientation::AsStored;
    start.resize(in.Read(start.data(), start.size()));
    return ReadPhotoOrientation(start.data(), start.size());
}

// The stored rectangle that holds the stored pixels of shown rows first .. first + count - 1:
// a band of rows, or of columns for the orientations that swap the sides.
WICRect StoredBandOf(PhotoOrientation orientation, UINT first, UINT count, UINT width, UINT height) {
    const PhotoPoint a = StoredPixelOf(orientation, {0, first}, width, height);
    const PhotoPoint b = StoredPixelOf(orientation, {0, int64_t{first} + count - 1}, width, height);
    if (SwapsSides(orientation)) {
        const auto left = static_cast<INT>(std::min(a.x, b.x));
        return WICRect{left, 0, static_cast<INT>(count), static_cast<INT>(height)};
    }
    const auto top = static_cast<INT>(std::min(a.y, b.y));
    return WICRect{0, top, static_cast<INT>(width), static_cast<INT>(count)};
}

// One shown row of 24 bits on white, from a band of 32-bit stored pixels: a transparent corner
// of a PNG shows as the paper it would be printed on, not as whatever colour the encoder left
// under it.
void ShownRowOnWhite(const DecodedPhoto& photo,
                     const std::vector<uint8_t>& band,
                     const WICRect& rect,
                     UINT shownRow,
                     UINT shownWidth,
                     uint8_t* bgr) {
    const size_t stride = size_t{static_cast<UINT>(rect.Width)} * 4;
    for (UINT x = 0; x < shownWidth; ++x, bgr += 3) {
        const PhotoPoint stored = StoredPixelOf(photo.orientation, {x, shownRow}, photo.width, photo.height);
        const uint8_t* bgra =
            band.data() + static_cast<size_t>(stored.y - rect.Y) * stride + static_cast<size_t>(stored.x - rect.X) * 4;
        const unsigned alpha = bgra[3];
        for (int c = 0; c < 3; ++c) bgr[c] = static_cast<uint8_t>((bgra[c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

// Writes the photo, turned the way it is meant to be seen, as a 24-bit bottom-up .bmp; false
// on a decoding or writing failure.
bool WriteBitmap(DecodedPhoto& photo, const char* path, bool* decodeFailed) {
    const bool swapped = SwapsSides(photo.orientation);
    const UINT shownWidth = swapped ? photo.height : photo.width;
    const UINT shownHeight = swapped ? photo.width : photo.height;
    const size_t rowBytes = ((size_t{shownWidth} * 24 + 31) / 32) * 4;
    const size_t imageBytes = rowBytes * shownHeight;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + imageBytes);
    info.biSize = sizeof info;
    info.biWidth = static_cast<LONG>(shownWidth);
    info.biHeight = static_cast<LONG>(shownHeight);  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(imageBytes);
    info.biXPelsPerMeter = info.biYPelsPerMeter = 2835;  // 72 dots per inch

    BinaryFile out;
    if (!out.CreateWrite(path) || !out.WriteAll(&file, sizeof file) || !out.WriteAll(&info, sizeof info)) return false;
    std::vector<uint8_t> band;
    std::vector<uint8_t> row(rowBytes, 0);
    // Bottom-up: the last band of shown rows is written first, its rows from the bottom.
    for (UINT end = shownHeight; end > 0;) {
        const UINT rows = std::min(end, kRowsPerBand);
        const UINT first = end - rows;
        const WICRect rect = StoredBandOf(photo.orientation, first, rows, photo.width, photo.height);
        const UINT stride = static_cast<UINT>(rect.Width) * 4;
        band.resize(size_t{stride} * static_cast<UINT>(rect.Height));
        if (FAILED(photo.pixels->CopyPixels(&rect, stride, static_cast<UINT>(band.size()), band.data()))) {
            *decodeFailed = true;
            return false;
        }
        for (UINT r = end; r-- > first;) {
            ShownRowOnWhite(photo, band, rect, r, shownWidth, row.data());
            if (!out.WriteAll(row.data(), row.size())) return false;
        }
        end = first;
    }
    return out.Flush();
}

// The first free name for the photo in `folder`, moved there from `temporary` without ever
// replacing a file that is there; empty when no name could be given.
std::string MoveToFreeName(const std::string& temporary, const std::string& folder, const char* source) {
    std::string stem = StemOf(source);
    const size_t suffixRoom = sizeof " (9999).bmp" - 1;
    if (folder.size() + suffixRoom + 1 > BmpFileReader::kMaxPathChars) return {};
    stem.resize(std::min(stem.size(), BmpFileReader::kMaxPathChars - folder.size() - suffixRoom));
    for (int number = 1; number <= kMaxNameNumber; ++number) {
        const std::string name =
            folder + stem + (number == 1 ? std::string() : " (" + std::to_string(number) + ")") + ".bmp";
        if (MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH)) return name;
        // Only a name that is taken (by a file, or a folder the system answers "access denied"
        // for) is worth another number; any other failure would fail for every name.
        if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    }
    return {};
}

PictureImportResult Failure(PictureImportStatus status) { return PictureImportResult{status, {}}; }

PictureImportResult ImportPhoto(const char* source, const std::string& folder) {
    const ComLibrary com;
    ComObject<IWICImagingFactory> factory;
    if (!com.usable() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))))
        return Failure(PictureImportStatus::CannotDecode);
    DecodedPhoto photo = OpenPhoto(factory.get(), source);
    if (photo.status != PictureImportStatus::Imported) return Failure(photo.status);
    photo.orientation = OrientationOf(source);

    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Failure(PictureImportStatus::CannotWrite);
    char temporaryName[MAX_PATH] = "";
    if (folder.size() + 14 > MAX_PATH || GetTempFileNameA(folder.c_str(), "vxi", 0, temporaryName) == 0)
        return Failure(PictureImportStatus::CannotWrite);
    TemporaryFile temporary(temporaryName);
    bool decodeFailed = false;
    if (!WriteBitmap(photo, temporary.path().c_str(), &decodeFailed))
        return Failure(decodeFailed ? PictureImportStatus::CannotDecode : PictureImportStatus::CannotWrite);
    photo.pixels.reset();  // the codec lets go of the photo before the new file is checked
    if (!BmpFileReader().Open(temporary.path().c_str())) return Failure(PictureImportStatus::Refused);
    std::string name = MoveToFreeName(temporary.path(), folder, source);
    if (name.empty()) return Failure(PictureImportStatus::CannotWrite);
    temporary.Keep();
    return PictureImportResult{PictureImportStatus::Imported, std::move(name)};
}

}  // namespace

std::string ImportedPictureFolder() { return ProgramPath(kImportFolder).Text(); }

PictureImportResult ImportPicture(const char* source, const std::string& folder) noexcept {
    try {
        if (source == nullptr || *source == '\0' || GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES)
            return Failure(PictureImportStatus::NotFound);
        switch (KindOf(source)) {
            case PictureKind::Bitmap:
                if (!BmpFileReader().Open(source)) return Failure(PictureImportStatus::Refused);
                return PictureImportResult{PictureImportStatus::Imported, source};
            case PictureKind::Photo: return ImportPhoto(source, folder);
            case PictureKind::Other: break;
        }
        return Failure(PictureImportStatus::Unsupported);
    } catch (const std::bad_alloc&) {
        return Failure(PictureImportStatus::CannotWrite);
    }
}
