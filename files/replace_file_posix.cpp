#include "files/replace_file.h"

#include "files/access_attributes_posix.h"
#include "files/interrupt_cleanup_posix.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace moniquet {

namespace fs = std::filesystem;

namespace {

// A name for the temporary file that the program makes unique by trying
// again; kept short so that it fits wherever the target's name does.
constexpr int kTemporaryNameAttempts = 100;

// The file to replace, as found before anything is written.
struct Target {
    fs::path path;         // the path given, its final symbolic link followed
    bool exists = false;   // false when a new file is made
    struct stat status {}; // type, mode, owner and group of the existing file
    int error = 0;         // errno when the path could not be looked at
};

// A symbolic link is followed to the file it names, which is then replaced
// in its own folder, as cp and editors do: the link stays a link. A link
// that names nothing is an error rather than a new file somewhere else.
Target FindTarget(const fs::path& path) {
    Target target;
    target.path = path;
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) == 0 && S_ISLNK(entry.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            target.error = errno;
            return target;
        }
        target.path = resolved;
        std::free(resolved);
    }
    if (::stat(target.path.c_str(), &target.status) == 0) {
        target.exists = true;
    } else if (errno != ENOENT) {
        target.error = errno;
    }
    return target;
}

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

// A file that could not be opened for writing, or that nobody may write,
// is not renamed over either. Returns 0 or the errno, which tells a
// read-only file system from a file of someone else's.
int WriteAccessError(const Target& target) {
    if (::access(target.path.c_str(), W_OK) != 0) {
        return errno;
    }
    return (target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? EACCES : 0;
}

fs::path TemporaryPath(const fs::path& target, unsigned long processId, int attempt) {
    const std::string name =
        ".moniquet-" + std::to_string(processId) + "-" + std::to_string(attempt) + ".tmp";
    return target.parent_path() / name;
}

// Creates the temporary file, recorded for removal on a signal before it
// exists. A replacement starts readable by its owner alone and
// gets the old file's mode once its owner and group are set.
int CreateTemporary(const Target& target, fs::path& temporary) {
    int file = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPath(target.path, static_cast<unsigned long>(::getpid()), attempt);
        RemoveOnInterruption(temporary.c_str());
        file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      target.exists ? 0600 : 0666);
        if (file >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (file < 0) {
        // The name last tried may be another's file.
        const int error = errno;
        RemoveOnInterruption(nullptr);
        errno = error;
    }
    return file;
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

// Replacing a file must not widen who may read or change it. Only a
// privileged saver may give a file away: otherwise the group alone is kept
// when the saver belongs to it. A group that cannot be kept loses its
// permissions rather than handing them to the saver's own group. Returns 0
// or the errno.
int KeepOwnerAndMode(int file, const struct stat& old, bool& groupKept) {
    groupKept = true;
    mode_t mode = old.st_mode & 07777;
    if (::fchown(file, old.st_uid, old.st_gid) != 0) {
        if (errno != EPERM) {
            return errno;
        }
        if (::fchown(file, static_cast<uid_t>(-1), old.st_gid) != 0) {
            if (errno != EPERM) {
                return errno;
            }
            groupKept = false;
            mode &= ~static_cast<mode_t>(S_IRWXG);
        }
    }
    return ::fchmod(file, mode) == 0 ? 0 : errno;
}

// The new file gets the old one's owner, group, mode and then (since a change
// of mode rewrites an ACL's mask) its access attributes. Returns "" or the
// reason.
std::string KeepAccess(int file, const Target& target) {
    bool groupKept = true;
    if (const int error = KeepOwnerAndMode(file, target.status, groupKept)) {
        return SystemReason(error);
    }
    return CopyAccessAttributes(target.path.c_str(), file, groupKept);
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

// Writes, flushes and closes the temporary file, then renames it over the
// target; returns "" or the reason of the first step that failed, with the
// temporary file then removed.
std::string WriteAndRename(const Target& target, std::span<const uint8_t> content) {
    fs::path temporary;
    const int file = CreateTemporary(target, temporary);
    if (file < 0) {
        return SystemReason(errno);
    }
    std::string reason;
    if (!WriteAll(file, content)) {
        reason = SystemReason(errno);
    } else if (target.exists) {
        reason = KeepAccess(file, target);
    }
    if (reason.empty() && ::fsync(file) != 0) {
        reason = SystemReason(errno);
    }
    if (::close(file) != 0 && reason.empty()) {
        reason = SystemReason(errno);
    }
    if (reason.empty() && ::rename(temporary.c_str(), target.path.c_str()) != 0) {
        reason = SystemReason(errno);
    }
    if (!reason.empty()) {
        ::unlink(temporary.c_str());
    }
    return reason;
}

} // namespace

std::optional<std::string> ReplaceFileContent(const NativePath& path,
                                              std::span<const uint8_t> content) {
    const Target target = FindTarget(path);
    if (target.error != 0) {
        return SystemReason(target.error);
    }
    if (target.exists && !S_ISREG(target.status.st_mode)) {
        return "not a regular file";
    }
    if (const int error = target.exists ? WriteAccessError(target) : 0) {
        return SystemReason(error);
    }
    const InterruptWatch watch = WatchInterruptions();
    const std::string reason = WriteAndRename(target, content);
    StopWatchingInterruptions(watch);
    if (!reason.empty()) {
        return reason;
    }
    SyncFolder(target.path);
    return std::nullopt;
}

} // namespace moniquet
