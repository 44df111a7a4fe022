// User-interface texts from the program's string table, in the current
// language. Windows only: the table lives in the module's resources.
#pragma once

#include <cstdint>
#include <string>

namespace moniquet {

// Language of every lookup: 1036 (French, the default) or 1033 (English).
extern uint16_t g_languageId;

// The entry's text in g_languageId, or empty when it cannot be found.
std::u16string LoadLocalizedString(unsigned id);

// IDS_FILE_FILTER with every '|' replaced by U+0000, ready for the save dialog.
std::u16string BuildFileFilter();

} // namespace moniquet
