// The clips the build encodes into Video/: in a format MCI plays (MS Video 1 or Cinepak
// pictures, 16-bit PCM sound), of the size their window shows them at, smooth, a few
// seconds long, small, with a sound track as long as the pictures; and the congratulation
// clip ends on the picture its window shows afterwards.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assets/Manifest.h"
#include "engine/ResourcePack.h"

namespace fs = std::filesystem;

namespace {

const fs::path kVideo = fs::path(VEXLA_DIST_DIR) / "Video";

std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

using Fields = std::map<std::string, std::string>;

// One map of ffprobe's fields per stream.
std::vector<Fields> Streams(const fs::path& clip) {
    std::vector<Fields> streams;
    std::istringstream lines(
        Run("ffprobe -v error -show_entries stream=codec_type,codec_name,width,height,"
            "avg_frame_rate,nb_frames,sample_rate,duration -of compact=p=0 '" +
            clip.string() + "'"));
    std::string line;
    while (std::getline(lines, line)) {
        Fields f;
        std::istringstream parts(line);
        std::string part;
        while (std::getline(parts, part, '|')) {
            auto eq = part.find('=');
            if (eq != std::string::npos) f[part.substr(0, eq)] = part.substr(eq + 1);
        }
        streams.push_back(f);
    }
    return streams;
}

double Number(const Fields& f, const std::string& key) {
    auto it = f.find(key);
    if (it == f.end()) return 0;
    auto slash = it->second.find('/');
    if (slash != std::string::npos) {
        double den = std::atof(it->second.c_str() + slash + 1);
        return den ? std::atof(it->second.c_str()) / den : 0;
    }
    return std::atof(it->second.c_str());
}

struct Expected {
    const char* file;
    int width, height;
};

class Clips : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kVideo)) GTEST_SKIP() << "no clips at " << kVideo << " yet";
        std::string error;
        ASSERT_TRUE(LoadManifest(std::string(VEXLA_SOURCE_DIR) + "/assets/manifest.txt", manifest_, error)) << error;
    }
    Manifest manifest_;
};

TEST_F(Clips, PlayableSmoothShortAndSmallWithASoundTrack) {
    // The introduction is centred 1:1 on the full screen; the congratulation clip fills
    // the congratulation window, which is as large as its picture, bitmap 327.
    const ManifestEntry* picture = manifest_.Find(327);
    ASSERT_NE(picture, nullptr);
    const Expected clips[] = {{"Present.avi", 640, 480}, {"Feliz.avi", picture->width, picture->height}};
    for (const Expected& c : clips) {
        const fs::path path = kVideo / c.file;
        ASSERT_TRUE(fs::is_regular_file(path)) << path;
        EXPECT_LT(fs::file_size(path), 3u * 1024 * 1024) << c.file;
        const Fields* video = nullptr;
        const Fields* audio = nullptr;
        std::vector<Fields> streams = Streams(path);
        for (const Fields& s : streams) {
            if (s.count("codec_type") && s.at("codec_type") == "video") video = &s;
            if (s.count("codec_type") && s.at("codec_type") == "audio") audio = &s;
        }
        ASSERT_NE(video, nullptr) << c.file << " has no pictures";
        ASSERT_NE(audio, nullptr) << c.file << " has no sound track";
        const std::string codec = video->at("codec_name");
        EXPECT_TRUE(codec == "msvideo1" || codec == "cinepak") << c.file << ": " << codec;
        EXPECT_EQ(audio->at("codec_name"), "pcm_s16le") << c.file;
        EXPECT_EQ(Number(*video, "width"), c.width) << c.file;
        EXPECT_EQ(Number(*video, "height"), c.height) << c.file;
        const double fps = Number(*video, "avg_frame_rate"), seconds = Number(*video, "nb_frames") / fps;
        EXPECT_GE(fps, 15) << c.file;
        EXPECT_GE(seconds, 2.5) << c.file;
        EXPECT_LE(seconds, 8.0) << c.file;
        const double soundSeconds = Number(*audio, "nb_frames") / Number(*audio, "sample_rate");
        EXPECT_NEAR(soundSeconds, seconds, 0.2) << c.file;
    }
}

// Mean difference per channel between frame `frame` of the congratulation clip and its
// picture in the pack.
double FrameAgainstPicture(const fs::path& clip, int frame, const PackedDib& picture) {
    const int w = picture.header.biWidth, h = picture.header.biHeight;
    std::string rgb = Run("ffmpeg -v error -i '" + clip.string() + "' -vf 'select=eq(n\\," + std::to_string(frame) +
                          ")' -vsync 0 -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    if (rgb.size() != size_t(w) * h * 3) return 1e9;
    double sum = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = picture.Pixels() + size_t(h - 1 - y) * DibRowBytes(w, 24);
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k)
                sum += std::abs(int(uint8_t(rgb[(size_t(y) * w + x) * 3 + k])) - int(row[x * 3 + 2 - k]));
    }
    return sum / (3.0 * w * h);
}

TEST_F(Clips, CongratulationEndsOnTheWindowsPicture) {
    const fs::path clip = kVideo / "Feliz.avi";
    ASSERT_TRUE(fs::is_regular_file(clip));
    ResourcePack pack;
    const std::string packPath = std::string(VEXLA_DIST_DIR) + "/vexla.rf";
    ASSERT_TRUE(pack.Open(packPath.c_str())) << packPath;
    auto picture = pack.Read(327);
    ASSERT_TRUE(picture);
    int frames = 0;
    for (const Fields& s : Streams(clip))
        if (s.count("codec_type") && s.at("codec_type") == "video") frames = static_cast<int>(Number(s, "nb_frames"));
    ASSERT_GT(frames, 1);
    // The encoder's blocks cost a little; the clip's opening is far from the picture.
    EXPECT_LT(FrameAgainstPicture(clip, frames - 1, *picture), 8.0);
    EXPECT_GT(FrameAgainstPicture(clip, 0, *picture), 15.0);
}

}  // namespace
