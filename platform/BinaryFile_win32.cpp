// Windows half of BinaryFile: CreateFileA and friends, so that an exclusive open really
// keeps other processes out of the file (share mode 0).
#include "engine/BinaryFile.h"

#include <windows.h>

#include <utility>

namespace {
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

BinaryFile::~BinaryFile() { Close(); }

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
}

bool BinaryFile::OpenRead(const char* path, Share share) {
    Close();
    if (path == nullptr) return false;
    DWORD shareMode = share == Share::Exclusive ? 0 : FILE_SHARE_READ;
    HANDLE h = CreateFileA(path, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(h);
    return true;
}

bool BinaryFile::CreateWrite(const char* path) {
    Close();
    if (path == nullptr) return false;
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(h);
    return true;
}

void BinaryFile::Close() {
    if (handle_ != kClosed) {
        CloseHandle(AsHandle(handle_));
        handle_ = kClosed;
    }
}

bool BinaryFile::Seek(int64_t offset) {
    if (!IsOpen() || offset < 0) return false;
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(AsHandle(handle_), to, nullptr, FILE_BEGIN) != 0;
}

int64_t BinaryFile::Size() const {
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) return -1;
    return size.QuadPart;
}

int64_t BinaryFile::Tell() const {
    LARGE_INTEGER zero{}, at{};
    if (!IsOpen() || !SetFilePointerEx(AsHandle(handle_), zero, &at, FILE_CURRENT)) return -1;
    return at.QuadPart;
}

size_t BinaryFile::Read(void* buffer, size_t n) {
    if (!IsOpen()) return 0;
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
        DWORD chunk = static_cast<DWORD>(n - done > 0x40000000u ? 0x40000000u : n - done);
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), out + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

bool BinaryFile::WriteAll(const void* buffer, size_t n) {
    if (!IsOpen()) return false;
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
        DWORD chunk = static_cast<DWORD>(n - done > 0x40000000u ? 0x40000000u : n - done);
        DWORD put = 0;
        if (!WriteFile(AsHandle(handle_), in + done, chunk, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

bool BinaryFile::Flush() { return IsOpen() && FlushFileBuffers(AsHandle(handle_)) != 0; }

bool BinaryFile::Exists(const char* path) {
    return path != nullptr && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool BinaryFile::Remove(const char* path) { return path != nullptr && DeleteFileA(path) != 0; }

// With MOVEFILE_WRITE_THROUGH the call returns only once the move has reached the disk, so a
// save that reported success stays saved.
bool BinaryFile::Replace(const char* source, const char* target) {
    if (source == nullptr || target == nullptr) return false;
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
