// The extended attributes that say who may do what with a file: its POSIX
// ACL, its security labels, and the user's own attributes, which a save
// must carry to the file that replaces it.
#pragma once

#include <string>

namespace moniquet {

// Copies those attributes of the file at `from` to the open file `to`: the
// ACL (system.posix_acl_access), security.* and user.*; an ACL that `to`
// has and `from` has not (from a folder's default ACL) goes. An attribute the
// new file already holds with the same value is left alone. When the new
// file could not get the old one's group (`groupKept` false), the ACL's
// entry for the owning group is given no permission, so that what the old
// group could do does not pass to another. Returns "" or, when an attribute
// cannot be read or set, the reason, naming it.
std::string CopyAccessAttributes(const char* from, int to, bool groupKept);

} // namespace moniquet
