// The EXIF orientation of a JPEG's start: every value in both byte orders, the tag found past
// other segments, refusals of anything unexpected (every truncation included, read under ASan),
// and where each corner of the shown photo comes from.
#include "engine/PhotoOrientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint16_t v, bool bigEndian) {
    if (bigEndian)
        out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
    else
        out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void Put32(Bytes& out, uint32_t v, bool bigEndian) {
    Put16(out, uint16_t(bigEndian ? v >> 16 : v), bigEndian);
    Put16(out, uint16_t(bigEndian ? v : v >> 16), bigEndian);
}

struct ExifOptions {
    uint16_t value = 1;
    bool bigEndian = false;
    uint16_t type = 3;            // SHORT
    uint32_t directory = 8;       // offset of the first directory in the TIFF block
    bool withOrientation = true;  // the tag is there at all
};

// SOI, a JFIF APP0, an XMP APP1, the Exif APP1, then the start of the picture data.
Bytes JpegStart(const ExifOptions& o) {
    Bytes tiff = {uint8_t(o.bigEndian ? 'M' : 'I'), uint8_t(o.bigEndian ? 'M' : 'I')};
    Put16(tiff, 42, o.bigEndian);
    Put32(tiff, o.directory, o.bigEndian);
    Put16(tiff, o.withOrientation ? 2 : 1, o.bigEndian);
    // A resolution unit entry first, so the tag is not simply the first one.
    Put16(tiff, 0x0128, o.bigEndian), Put16(tiff, 3, o.bigEndian), Put32(tiff, 1, o.bigEndian);
    Put16(tiff, 2, o.bigEndian), Put16(tiff, 0, o.bigEndian);
    if (o.withOrientation) {
        Put16(tiff, 0x0112, o.bigEndian), Put16(tiff, o.type, o.bigEndian), Put32(tiff, 1, o.bigEndian);
        Put16(tiff, o.value, o.bigEndian), Put16(tiff, 0, o.bigEndian);
    }
    Put32(tiff, 0, o.bigEndian);  // no next directory

    Bytes out = {0xFF, 0xD8};
    const auto segment = [&out](uint8_t marker, const Bytes& body) {
        out.insert(out.end(), {0xFF, marker, uint8_t((body.size() + 2) >> 8), uint8_t(body.size() + 2)});
        out.insert(out.end(), body.begin(), body.end());
    };
    segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
    Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
    exif.insert(exif.end(), tiff.begin(), tiff.end());
    segment(0xE1, exif);
    out.insert(out.end(), {0xFF, 0xDA, 0x00, 0x02});
    return out;
}

PhotoOrientation Read(const Bytes& bytes) { return ReadPhotoOrientation(bytes.data(), bytes.size()); }

TEST(PhotoOrientation, EveryValueInBothByteOrders) {
    for (bool bigEndian : {false, true})
        for (uint16_t value = 1; value <= 8; ++value) {
            ExifOptions o;
            o.value = value;
            o.bigEndian = bigEndian;
            EXPECT_EQ(static_cast<int>(Read(JpegStart(o))), value) << (bigEndian ? "MM " : "II ") << value;
        }
}

TEST(PhotoOrientation, AnythingUnexpectedMeansAsStored) {
    const auto with = [](auto change) {
        ExifOptions o;
        o.value = 6;
        change(o);
        return JpegStart(o);
    };
    const struct {
        const char* what;
        Bytes bytes;
    } kCases[] = {
        {"value 0", with([](ExifOptions& o) { o.value = 0; })},
        {"value 9", with([](ExifOptions& o) { o.value = 9; })},
        {"not a SHORT", with([](ExifOptions& o) { o.type = 4; })},
        {"no tag", with([](ExifOptions& o) { o.withOrientation = false; })},
        {"directory past the end", with([](ExifOptions& o) { o.directory = 0xFFFFFFF0u; })},
        {"a PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
        {"nothing", {}},
        {"only SOI", {0xFF, 0xD8}},
    };
    for (const auto& c : kCases) EXPECT_EQ(Read(c.bytes), PhotoOrientation::AsStored) << c.what;
    EXPECT_EQ(ReadPhotoOrientation(nullptr, 10), PhotoOrientation::AsStored);
}

TEST(PhotoOrientation, EveryTruncationIsReadSafely) {
    ExifOptions o;
    o.value = 6;
    const Bytes whole = JpegStart(o);
    for (size_t size = 0; size < whole.size(); ++size) {
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const PhotoOrientation read = Read(part);
        EXPECT_TRUE(read == PhotoOrientation::AsStored || read == PhotoOrientation::TurnedClockwise) << size;
    }
    EXPECT_EQ(Read(whole), PhotoOrientation::TurnedClockwise);
}

// Where the shown photo's top-left and top-right corners come from in a stored 3 x 2 picture.
TEST(PhotoOrientation, CornersComeFromTheTurnedPicture) {
    constexpr int64_t kWidth = 3, kHeight = 2;
    const struct {
        PhotoOrientation orientation;
        PhotoPoint topLeft, topRight;
    } kCases[] = {
        {PhotoOrientation::AsStored, {0, 0}, {2, 0}},    {PhotoOrientation::Mirrored, {2, 0}, {0, 0}},
        {PhotoOrientation::UpsideDown, {2, 1}, {0, 1}},  {PhotoOrientation::MirroredUpsideDown, {0, 1}, {2, 1}},
        {PhotoOrientation::Transposed, {0, 0}, {0, 1}},  {PhotoOrientation::TurnedClockwise, {0, 1}, {0, 0}},
        {PhotoOrientation::Transversed, {2, 1}, {2, 0}}, {PhotoOrientation::TurnedAnticlockwise, {2, 0}, {2, 1}},
    };
    for (const auto& c : kCases) {
        const int64_t shownWidth = SwapsSides(c.orientation) ? kHeight : kWidth;
        const PhotoPoint left = StoredPixelOf(c.orientation, {0, 0}, kWidth, kHeight);
        const PhotoPoint right = StoredPixelOf(c.orientation, {shownWidth - 1, 0}, kWidth, kHeight);
        const int n = static_cast<int>(c.orientation);
        EXPECT_EQ(left.x, c.topLeft.x) << n;
        EXPECT_EQ(left.y, c.topLeft.y) << n;
        EXPECT_EQ(right.x, c.topRight.x) << n;
        EXPECT_EQ(right.y, c.topRight.y) << n;
    }
}

}  // namespace
