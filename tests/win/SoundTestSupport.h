// Helpers for the tests of sounds and language resources: WAVE data made in memory, modules
// that carry chosen WAVE resources, the game's own executable, and the file that receives
// every sample the sound device plays (the Wine runner points ALSA at it).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "WinTestSupport.h"

namespace wintest {

constexpr uint32_t kToneRate = 22050;
constexpr uint16_t kToneBits = 16;

// A RIFF WAVE file image: `ms` milliseconds of a quiet tone, 16-bit mono PCM.
inline std::vector<uint8_t> MakeToneWave(uint32_t ms) {
    const uint32_t samples = kToneRate * ms / 1000;
    const uint32_t dataBytes = samples * (kToneBits / 8);
    std::vector<uint8_t> wave(44 + dataBytes);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&wave[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&wave[at], &v, 2); };
    std::memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, kToneRate);
    put32(28, kToneRate * (kToneBits / 8));
    put16(32, kToneBits / 8);
    put16(34, kToneBits);
    std::memcpy(&wave[36], "data", 4);
    put32(40, dataBytes);
    for (uint32_t i = 0; i < samples; ++i) {
        const auto s = static_cast<int16_t>(4000 * std::sin(i * 0.15));
        std::memcpy(&wave[44 + 2 * i], &s, 2);
    }
    return wave;
}

inline uint32_t ToneDataBytes(const std::vector<uint8_t>& wave) { return static_cast<uint32_t>(wave.size() - 44); }

inline std::string ThisProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The game beside the test programs: <build>\Vexla.exe for <build>\tests\win\X.exe.
inline std::string GamePath() {
    std::string path = ThisProgramPath();
    for (int up = 0; up < 3; ++up) path.erase(path.find_last_of('\\'));
    return path + "\\Vexla.exe";
}

// A copy of an executable with extra WAVE resources (language neutral, replacing any of the
// same number), loaded as a data file so that its resources can be found through its handle.
class ResourceModule {
public:
    ResourceModule(const std::string& base, const std::map<uint32_t, std::vector<uint8_t>>& waves)
        : path_(TempPath("module_" + std::to_string(++serial_) + ".exe")) {
        if (!CopyFileA(base.c_str(), path_.c_str(), FALSE)) return;
        HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
        if (update == nullptr) return;
        bool ok = true;
        for (const auto& [id, wave] : waves)
            ok = ok && UpdateResourceA(update, "WAVE", MAKEINTRESOURCEA(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                       const_cast<uint8_t*>(wave.data()), static_cast<DWORD>(wave.size()));
        if (!EndUpdateResourceA(update, ok ? FALSE : TRUE) || !ok) return;
        module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~ResourceModule() {
        if (module_ != nullptr) FreeLibrary(module_);
        DeleteFileA(path_.c_str());
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE get() const { return module_; }

private:
    static inline int serial_ = 0;
    std::string path_;
    HMODULE module_ = nullptr;
};

// Stops the effect that is playing when it goes out of scope: declared before the sound
// data of a test, it outlives every asynchronous playback of that data.
class StopSoundOnExit {
public:
    StopSoundOnExit() = default;
    ~StopSoundOnExit() { PlaySoundA(nullptr, nullptr, 0); }
    StopSoundOnExit(const StopSoundOnExit&) = delete;
    StopSoundOnExit& operator=(const StopSoundOnExit&) = delete;
};

// The file that the sound device writes to. Opening the device truncates it, so each sound
// that plays replaces what the one before left.
class SoundSink {
public:
    SoundSink() {
        const char* unixPath = std::getenv("VEXLA_SOUND_FILE");
        if (unixPath == nullptr) return;
        path_ = std::string("Z:") + unixPath;
        for (char& c : path_)
            if (c == '/') c = '\\';
    }
    bool Available() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    bool Empty() const {
        HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return Size() == 0;
    }
    int64_t Size() const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data)) return -1;
        return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    // Waits up to `ms` for samples; the size at the end.
    int64_t WaitForSamples(DWORD ms) const {
        const DWORD start = GetTickCount();
        while (Size() <= 0 && GetTickCount() - start < ms) Sleep(10);
        return Size();
    }

private:
    std::string path_;
};

}  // namespace wintest
