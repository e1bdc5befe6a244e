// File access for the commands: opening for reading, and replacing a file
// atomically so that a failed write never leaves a truncated file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file open for reading. Throws EFOpenError when it cannot be opened.
// With `lockAgainstWriters`, takes a shared advisory lock: other readers go on,
// a cooperating writer (flock LOCK_EX) waits until we close.
class TReadFile {
public:
    explicit TReadFile(const std::string& fileName, bool lockAgainstWriters = false);
    ~TReadFile();
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;

    std::int64_t Size() const;
    // Reads up to `count` bytes; returns how many came (less only at the end).
    // Throws EInOutError on a read error.
    std::size_t Read(void* buffer, std::size_t count);
    // Reads exactly `count` bytes or throws EInOutError.
    void ReadExactly(void* buffer, std::size_t count);

private:
    std::string FName;
    int FFd = -1;
};

// Writes `size` bytes as the whole new content of `fileName`: into a temporary
// file beside it, flushed, then renamed over the target. Throws EFCreateError
// (naming `fileName`) when the temporary file cannot be made, EInOutError when
// writing or renaming fails; in both cases the old file stays as it was.
void WriteFileAtomically(const std::string& fileName, const void* data, std::size_t size);
