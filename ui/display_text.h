// Report text as it is handed to the report box and the clipboard.
#pragma once

#include <string>
#include <string_view>

namespace moniquet {

// `text` with every U+0000 shown as a space. A descriptor text may carry a
// zero byte; both the edit box and the clipboard read their text up to the
// first NUL, so leaving it in would cut the report there.
std::u16string MakeDisplayText(std::u16string_view text);

} // namespace moniquet
