// POSIX half of BinaryFile, used by the native build (unit tests, tools, benchmarks).
#include "engine/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

BinaryFile::~BinaryFile() { Close(); }

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
}

bool BinaryFile::OpenRead(const char* path, Share /*share*/) {
    Close();
    if (path == nullptr) return false;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool BinaryFile::CreateWrite(const char* path) {
    Close();
    if (path == nullptr) return false;
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

void BinaryFile::Close() {
    if (handle_ != kClosed) {
        ::close(static_cast<int>(handle_));
        handle_ = kClosed;
    }
}

bool BinaryFile::Seek(int64_t offset) {
    if (!IsOpen() || offset < 0) return false;
    return ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) == offset;
}

int64_t BinaryFile::Size() const {
    struct stat st {};
    if (!IsOpen() || ::fstat(static_cast<int>(handle_), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t BinaryFile::Tell() const {
    if (!IsOpen()) return -1;
    return static_cast<int64_t>(::lseek(static_cast<int>(handle_), 0, SEEK_CUR));
}

size_t BinaryFile::Read(void* buffer, size_t n) {
    if (!IsOpen()) return 0;
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
        ssize_t got = ::read(static_cast<int>(handle_), out + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool BinaryFile::WriteAll(const void* buffer, size_t n) {
    if (!IsOpen()) return false;
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
        ssize_t put = ::write(static_cast<int>(handle_), in + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool BinaryFile::Flush() { return IsOpen() && ::fsync(static_cast<int>(handle_)) == 0; }

bool BinaryFile::Exists(const char* path) {
    struct stat st {};
    return path != nullptr && ::stat(path, &st) == 0;
}

bool BinaryFile::Remove(const char* path) { return path != nullptr && ::unlink(path) == 0; }

// rename() replaces the target atomically on POSIX file systems.
bool BinaryFile::Replace(const char* source, const char* target) {
    return source != nullptr && target != nullptr && std::rename(source, target) == 0;
}
