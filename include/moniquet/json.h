// What `moniquet-cli info` shows of a decoded EDID, for a program that wants
// the same: the JSON of `info --json` (schema/info.schema.json, README's list
// of keys) and the text of `info`. The optional part of the library:
// Moniquet::json, or -lmoniquet_json.
#pragma once

#include "moniquet/edid_info.h"

#include <string>

namespace moniquet {

// The JSON object, UTF-8, ending with a line feed: every key always present
// and in the same order, null where the EDID gives nothing.
std::string FormatInfoJson(const EdidInfo& info);

// The text: sections of "label : value" lines, each ending with a line
// feed. Texts from the EDID show each control character as \xNN and a
// backslash as \\. `withConformity` adds the section of the conformity
// checks at the end.
std::string FormatInfoText(const EdidInfo& info, bool withConformity = false);

} // namespace moniquet
