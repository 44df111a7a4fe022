// The save dialog's filter list is stored as one string-table entry with '|'
// where the dialog expects NUL separators (a string table cannot hold NULs).
#pragma once

#include <string>

namespace moniquet {

// text with every '|' replaced by U+0000; text without '|' is returned as is.
std::u16string FilterListFromText(std::u16string text);

} // namespace moniquet
