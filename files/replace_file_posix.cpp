#include "files/replace_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A name for the temporary file that the program makes unique by trying
// again; kept short so that it fits wherever the target's name does.
constexpr int kTemporaryNameAttempts = 100;

fs::path TemporaryPath(const fs::path& target, unsigned long processId, int attempt) {
    const std::string name =
        ".moniquet-" + std::to_string(processId) + "-" + std::to_string(attempt) + ".tmp";
    return target.parent_path() / name;
}

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

bool WriteAll(int file, std::span<const uint8_t> content) {
    while (!content.empty()) {
        const ssize_t written = ::write(file, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        content = content.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder(const fs::path& target) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

// A file that could not be opened for writing, or that nobody may write,
// is not renamed over either.
bool IsReadOnly(const fs::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(target.c_str(), W_OK) != 0;
}

} // namespace

std::optional<std::string> ReplaceFileContent(const fs::path& target,
                                              std::span<const uint8_t> content) {
    if (IsReadOnly(target)) {
        return SystemReason(EACCES);
    }
    fs::path temporary;
    int file = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPath(target, static_cast<unsigned long>(::getpid()), attempt);
        file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (file < 0) {
        return SystemReason(errno);
    }
    bool ok = WriteAll(file, content) && ::fsync(file) == 0;
    int error = ok ? 0 : errno;
    if (::close(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return SystemReason(error);
    }
    SyncFolder(target);
    return std::nullopt;
}
