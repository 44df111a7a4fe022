// Reading a file that may be anything sysfs or a test tree puts there: only
// a regular file is read, never more than the caller asks for, and a FIFO or
// a device cannot make the read wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace moniquet {

// How ReadRegularFile ended.
enum class FileRead {
    // `bytes` holds the file's start.
    Read,
    // Nothing at that path (or a dangling link).
    Missing,
    // A folder, FIFO, socket or device: not opened for reading, or not read.
    NotRegular,
    // The file could not be opened or read; `error` says why.
    Failed,
};

struct FileStart {
    FileRead outcome = FileRead::Missing;
    // Read: the file's bytes, at most the limit asked for.
    std::vector<uint8_t> bytes;
    // Read: the file holds more than the limit, and `bytes` is empty.
    bool overLimit = false;
    // Failed: the system's error.
    std::error_code error;
};

// The bytes of the regular file at `path` (links followed) when it holds at
// most `limit` bytes. The file is checked before it is opened and again once
// open, without waiting, so that nothing put in its place in between can
// block the read.
FileStart ReadRegularFile(const std::filesystem::path& path, std::size_t limit);

} // namespace moniquet
