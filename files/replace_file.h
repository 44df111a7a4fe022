// Writing a whole file so that a failure never leaves a truncated one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace moniquet {

// A path as the system takes it: UTF-16 on Windows, bytes elsewhere (where a
// name need not be UTF-8). Not std::filesystem::path, which would bring the
// C++ locale machinery into the dialog program, more than doubling its size.
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

// Writes `content` to a new file in the folder of the file at `path`, flushes
// it to the disk and closes it, and only then puts it in place of that file.
// Returns nothing on success. On failure returns the reason (UTF-8); the
// temporary file is then removed and any old file left as it was.
//
// - A symbolic link is followed: the file it names is replaced, in its own
//   folder, and the link stays.
// - Only a regular file is replaced: a device, pipe, socket or folder is
//   refused ("not a regular file"), as is a read-only file.
// - The new file keeps the old one's mode, its owner and group where the
//   saver may set them, and its POSIX ACL, security.* and user.* extended
//   attributes (POSIX), or its attributes and security (Windows). A group
//   that cannot be kept gets no permission, in the mode and in the ACL; an
//   attribute that cannot be kept refuses the save, the old file untouched.
// - A read-only file system is named as such ("Read-only file system").
// - Since the old file is replaced rather than rewritten, other hard links to
//   it keep the old content.
// - On POSIX, a signal that ends the program (SIGHUP, SIGINT, SIGQUIT,
//   SIGPIPE, SIGALRM, SIGTERM, SIGXFSZ, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF)
//   during the save removes the temporary file before the program ends as
//   the signal would have ended it, unless the program handles or ignores
//   that signal itself; on Windows, Ctrl+C, Ctrl+Break or the closing of
//   the console does. One save at a time per process.
std::optional<std::string> ReplaceFileContent(const NativePath& path,
                                              std::span<const uint8_t> content);

} // namespace moniquet
