// The effect sounds the build makes for the executable's WAVE resources: every id the game
// plays, listed in sounds.rc, in a format PlaySound takes from memory, short, at one loudness.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path kGenerated = fs::path(VEXLA_SOURCE_DIR) / "build" / "generated";

std::set<int> ExpectedIds() {
    std::set<int> ids = {457, 458, 459, 460, 461, 462, 463, 464, 465, 467, 468, 469, 470, 502};
    for (int base = 1010; base <= 1090; base += 10) ids.insert(base + 1);  // English
    return ids;
}

struct Wave {
    bool ok = false;
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return rate ? double(samples.size()) / rate : 0; }
};

uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

Wave ReadWave(const fs::path& p) {
    Wave w;
    std::ifstream in(p, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) || std::memcmp(d.data() + 8, "WAVE", 4)) return w;
    if (U32(d.data() + 4) + 8 != d.size()) return w;  // the RIFF size covers the file
    size_t pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= d.size()) {
        uint32_t size = U32(d.data() + pos + 4);
        if (pos + 8 + size > d.size()) return w;
        const unsigned char* body = d.data() + pos + 8;
        if (!std::memcmp(d.data() + pos, "fmt ", 4) && size >= 16) {
            w.format = U16(body);
            w.channels = U16(body + 2);
            w.rate = U32(body + 4);
            w.bits = U16(body + 14);
            haveFormat = true;
        } else if (!std::memcmp(d.data() + pos, "data", 4) && haveFormat) {
            w.samples.resize(size / 2);
            std::memcpy(w.samples.data(), body, w.samples.size() * 2);
            w.ok = true;
        }
        pos += 8 + size + (size & 1);
    }
    return w;
}

class EffectSounds : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_regular_file(kGenerated / "sounds.rc")) GTEST_SKIP() << "sounds not built yet";
    }
};

TEST_F(EffectSounds, ResourceListHoldsEveryIdOnceWithForwardSlashes) {
    std::ifstream in(kGenerated / "sounds.rc");
    std::string line;
    std::set<int> ids;
    while (std::getline(in, line)) {
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        std::istringstream ls(line);
        int id;
        std::string kind, file;
        ls >> id >> kind >> file;
        EXPECT_EQ(kind, "WAVE") << line;
        EXPECT_EQ(file, "\"sounds/" + std::to_string(id) + ".wav\"") << line;
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " listed twice";
    }
    EXPECT_EQ(ids, ExpectedIds());
}

TEST_F(EffectSounds, EachIsShortPlainPcmAtOneLoudness) {
    double quietest = 1e9, loudest = 0;
    for (int id : ExpectedIds()) {
        Wave w = ReadWave(kGenerated / "sounds" / (std::to_string(id) + ".wav"));
        ASSERT_TRUE(w.ok) << id << ".wav is not a readable RIFF WAVE file";
        EXPECT_EQ(w.format, 1) << id << ": plain PCM";
        EXPECT_EQ(w.channels, 1) << id;
        EXPECT_EQ(w.bits, 16) << id;
        EXPECT_EQ(w.rate, 22050u) << id;
        const double limit = id == 1071 ? 2.5 : 1.5;  // the goodbye may take longer
        EXPECT_LT(w.Seconds(), limit) << id;
        EXPECT_GT(w.Seconds(), 0.04) << id;
        double sum = 0;
        int peak = 0;
        for (int16_t s : w.samples) {
            sum += double(s) * s;
            peak = std::max(peak, std::abs(int(s)));
        }
        double rms = std::sqrt(sum / w.samples.size()) / 32768.0;
        EXPECT_LT(peak, 32000) << id << " clips";
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_GT(quietest, 0.05) << "no sound is near silence";
    EXPECT_LT(20 * std::log10(loudest / quietest), 3.0) << "loudness differs by more than 3 dB";
}

}  // namespace
