#include "files/access_attributes_posix.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <sys/xattr.h>
#include <system_error>
#include <vector>

namespace moniquet {

namespace {

// The ACL's stored form: a 4-byte version, then 8-byte entries of a 16-bit
// tag, 16-bit permissions and a 32-bit id, little-endian.
constexpr std::size_t kAclHeaderSize = 4;
constexpr std::size_t kAclEntrySize = 8;
constexpr uint8_t kAclOwningGroupTag = 0x04;
constexpr std::string_view kAclName = "system.posix_acl_access";

bool IsAccessAttribute(std::string_view name) {
    return name == kAclName || name.starts_with("security.") || name.starts_with("user.");
}

std::string Reason(std::string_view what, std::string_view name, int error) {
    return std::string(what) + " " + std::string(name) + ": " +
           std::generic_category().message(error);
}

// Reads a list or a value whose size may change between asking and reading.
template <typename Read> bool ReadGrowing(std::vector<char>& bytes, Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(size));
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
    }
}

void ClearOwningGroup(std::vector<char>& acl) {
    for (std::size_t at = kAclHeaderSize; at + kAclEntrySize <= acl.size(); at += kAclEntrySize) {
        if (static_cast<uint8_t>(acl[at]) == kAclOwningGroupTag && acl[at + 1] == 0) {
            acl[at + 2] = 0;
            acl[at + 3] = 0;
        }
    }
}

} // namespace

std::string CopyAccessAttributes(const char* from, int to, bool groupKept) {
    std::vector<char> names;
    if (!ReadGrowing(names, [from](char* list, std::size_t size) {
            return ::listxattr(from, list, size);
        })) {
        // A file system without extended attributes has none to keep.
        return errno == ENOTSUP ? "" : Reason("cannot list", "its extended attributes", errno);
    }
    bool hasAcl = false;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        const char* name = names.data() + at;
        if (!IsAccessAttribute(name)) {
            continue;
        }
        hasAcl = hasAcl || name == kAclName;
        std::vector<char> value;
        if (!ReadGrowing(value, [from, name](char* bytes, std::size_t size) {
                return ::getxattr(from, name, bytes, size);
            })) {
            if (errno == ENODATA) {
                continue; // removed since it was listed
            }
            return Reason("cannot read", name, errno);
        }
        if (name == kAclName && !groupKept) {
            ClearOwningGroup(value);
        }
        std::vector<char> present;
        if (ReadGrowing(present,
                        [to, name](char* bytes, std::size_t size) {
                            return ::fgetxattr(to, name, bytes, size);
                        }) &&
            present == value) {
            continue;
        }
        if (::fsetxattr(to, name, value.data(), value.size(), 0) != 0) {
            return Reason("cannot keep", name, errno);
        }
    }
    // A folder's default ACL gives the new file one that the old did not have.
    if (!hasAcl && ::fremovexattr(to, kAclName.data()) != 0 && errno != ENODATA &&
        errno != ENOTSUP) {
        return Reason("cannot remove", kAclName, errno);
    }
    return "";
}

} // namespace moniquet
