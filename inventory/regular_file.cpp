#include "inventory/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moniquet {

namespace {

FileStart Outcome(FileRead outcome, int error = 0) {
    FileStart start;
    start.outcome = outcome;
    start.error = std::error_code(error, std::generic_category());
    return start;
}

FileStart Failure(int error) {
    return Outcome(error == ENOENT || error == ENOTDIR ? FileRead::Missing : FileRead::Failed,
                   error);
}

// Reads until the end of the file or until `bytes` is full; false with errno
// on a failed read.
bool ReadUpTo(int file, std::vector<uint8_t>& bytes, std::size_t& length) {
    length = 0;
    while (length < bytes.size()) {
        const ssize_t got = ::read(file, bytes.data() + length, bytes.size() - length);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        length += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

FileStart ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return Failure(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return Outcome(FileRead::NotRegular);
    }
    // Replaced by a FIFO since the check, the file still opens at once.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
        return Failure(errno);
    }
    FileStart start = Outcome(FileRead::Read);
    if (::fstat(file, &status) != 0) {
        start = Outcome(FileRead::Failed, errno);
    } else if (!S_ISREG(status.st_mode)) {
        start = Outcome(FileRead::NotRegular);
    } else {
        // One byte more than the limit tells a longer file.
        start.bytes.resize(limit + 1);
        std::size_t length = 0;
        if (!ReadUpTo(file, start.bytes, length)) {
            start = Outcome(FileRead::Failed, errno);
        } else if (length > limit) {
            start.bytes.clear();
            start.overLimit = true;
        } else {
            start.bytes.resize(length);
        }
    }
    ::close(file);
    return start;
}

} // namespace moniquet
