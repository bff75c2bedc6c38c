// BinaryFile: the small file type through which the portable engine reads and writes files.
// It exists so that the puzzle engine, the pack reader and the tools never include
// <windows.h>: on Windows it is CreateFileA/ReadFile underneath (share modes included), on
// other systems POSIX file descriptors. Every read that returns fewer bytes than asked for
// is reported as a failure by ReadExact, so callers never mistake a short file for data.
//
// Files that must never be seen half written (the records) are written to a temporary file
// beside them, flushed, and moved over the old one with Replace, which either installs the
// whole new file or leaves the old one as it was.
#pragma once

#include <cstddef>
#include <cstdint>

class BinaryFile {
public:
    // Exclusive asks the system that no one else opens the file while we hold it (share
    // mode 0 on Windows); Shared lets other readers in.
    enum class Share { Shared, Exclusive };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;

    bool OpenRead(const char* path, Share share = Share::Shared);
    // Creates or truncates the file for writing.
    bool CreateWrite(const char* path);
    void Close();
    bool IsOpen() const { return handle_ != kClosed; }

    // Positions from the start of the file; false when the position is negative or the call fails.
    bool Seek(int64_t offset);
    // Total size in bytes, or -1 when unknown.
    int64_t Size() const;
    int64_t Tell() const;

    // Reads up to n bytes and returns how many arrived (0 at the end or on error).
    size_t Read(void* buffer, size_t n);
    // Reads exactly n bytes; anything less is a failure.
    bool ReadExact(void* buffer, size_t n) { return Read(buffer, n) == n; }
    bool WriteAll(const void* buffer, size_t n);
    // Pushes what was written through the system's caches to the disk before returning.
    bool Flush();

    // Whether something exists at `path`, even a file no one else may open now.
    static bool Exists(const char* path);
    // Deletes the file; false when it could not be deleted (or was not there).
    static bool Remove(const char* path);
    // Moves `source` over `target` in one step, replacing `target` when it exists: afterwards
    // `target` is either the old file or the whole new one. False when the move failed (the
    // target held open by another program, for one); both files are then as they were.
    static bool Replace(const char* source, const char* target);

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t handle_ = kClosed;  // a HANDLE on Windows, a descriptor elsewhere
};
